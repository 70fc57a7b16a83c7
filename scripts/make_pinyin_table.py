#!/usr/bin/env python3
"""Writes src/core/find/pinyin_table.cpp: the toneless pinyin readings of every Chinese character that
code page 936 holds, from Unicode's Unihan data (Debian's unicode-data package).

  scripts/make_pinyin_table.py            rewrite the table in the source tree
  scripts/make_pinyin_table.py --check    exit 1 unless the checked-in table is what this script writes

Which readings: a character gets every reading that one of the modern sources gives it, so that each
common reading of a polyphone finds it (重 zhong and chong, 行 xing and hang, 长 chang and zhang):
  kMandarin    the customary reading(s);
  kTGHZ2013    the 2013 standard dictionary of general-use characters, every reading it lists;
  kXHC1983     the modern Chinese dictionary, every reading;
  kHanyuPinlu  readings found in a frequency count of modern texts.
kHanyuPinyin (the large historical dictionary) is used only for a character none of those cover: it lists
classical readings (重 tong, 还 fu) that would make common names match queries nobody means.
A compatibility ideograph takes the readings of its canonical equivalent. Tones are dropped, ü is written
v (as pinyin keyboards type it), ê is written e. A character Unihan gives no Mandarin reading is left out.

Which characters: Python's "gbk" codec over every double-byte code. It maps exactly the characters Windows'
code page 936 maps outside the private use area (where no character has a reading); the unit tests compare
the table with the project's own code page 936 table in both directions.

Layout (see src/core/find/pinyin_table.h): the distinct syllables, the distinct sets of syllables a character
can have, and for runs of consecutive code points the set of each.
"""
import bz2
import os
import sys
import unicodedata

UNIHAN = "/usr/share/unicode/Unihan_Readings.txt.bz2"
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUTPUT = os.path.join(ROOT, "src", "core", "find", "pinyin_table.cpp")
MODERN_FIELDS = ("kMandarin", "kTGHZ2013", "kXHC1983", "kHanyuPinlu")
FALLBACK_FIELD = "kHanyuPinyin"
# A gap of fewer code points than this inside a run is filled with "no reading" rather than starting a run.
RUN_GAP = 64


def read_unihan(path):
    if not os.path.exists(path):
        sys.exit(f"{path} is missing: install Debian's unicode-data package (scripts/setup.sh does)")
    fields = {}
    version = None
    with bz2.open(path, "rt", encoding="utf-8") as f:
        for line in f:
            if line.startswith("# Unicode version:"):
                version = line.split(":", 1)[1].strip()
            if line.startswith("#") or not line.strip():
                continue
            code, field, value = line.rstrip("\n").split("\t")
            if field in MODERN_FIELDS or field == FALLBACK_FIELD:
                fields.setdefault(int(code[2:], 16), {})[field] = value
    if version is None:
        sys.exit(f"{path}: no Unicode version line")
    return version, fields


def field_readings(field, value):
    """The readings with tone marks as the field lists them."""
    if field == "kMandarin":
        return value.split()
    if field == "kHanyuPinlu":  # "zhòng(1823) chóng(329)"
        return [item.split("(")[0] for item in value.split()]
    # kTGHZ2013, kXHC1983, kHanyuPinyin: "location[,location]:reading[,reading]" items
    return [r for item in value.split() for r in item.split(":", 1)[1].split(",")]


def toneless(reading):
    out = []
    for ch in unicodedata.normalize("NFD", reading.lower()):
        if ch == "\u0308" and out and out[-1] == "u":
            out[-1] = "v"
        elif not unicodedata.combining(ch):
            out.append(ch)
    syllable = "".join(out)
    if not syllable.isascii() or not syllable.isalpha():
        sys.exit(f"unexpected reading {reading!r}")
    return syllable


def readings_of(code, fields):
    entry = fields.get(code)
    if entry is None:
        canonical = unicodedata.normalize("NFC", chr(code))
        if canonical == chr(code):
            return set()
        entry = fields.get(ord(canonical), {})
    found = {toneless(r) for f in MODERN_FIELDS if f in entry for r in field_readings(f, entry[f])}
    if not found and FALLBACK_FIELD in entry:
        found = {toneless(r) for r in field_readings(FALLBACK_FIELD, entry[FALLBACK_FIELD])}
    return found


def code_page_936_characters():
    chars = set()
    for lead in range(0x81, 0xFF):
        for trail in range(0x40, 0xFF):
            try:
                text = bytes((lead, trail)).decode("gbk")
            except UnicodeDecodeError:
                continue
            if len(text) == 1:
                chars.add(ord(text))
    return chars


def wrapped(items, indent="    ", width=110):
    lines, line = [], indent
    for item in items:
        if len(line) + len(item) + 1 > width and line.strip():
            lines.append(line.rstrip())
            line = indent
        line += item + " "
    if line.strip():
        lines.append(line.rstrip())
    return "\n".join(lines)


def generate():
    version, fields = read_unihan(UNIHAN)
    per_char = {}
    for code in sorted(code_page_936_characters()):
        found = readings_of(code, fields)
        if found:
            per_char[code] = found
    syllables = sorted({s for found in per_char.values() for s in found})
    syllable_id = {s: i for i, s in enumerate(syllables)}
    # Set 0 is the empty set: "no reading".
    sets = [()] + sorted({tuple(sorted(syllable_id[s] for s in found)) for found in per_char.values()})
    set_id = {s: i for i, s in enumerate(sets)}

    runs, char_sets = [], []
    for code in sorted(per_char):
        if runs and code - (runs[-1][0] + runs[-1][1]) < RUN_GAP:
            first, count, offset = runs[-1]
            gap = code - (first + count)
            char_sets.extend([0] * gap)
            runs[-1] = (first, count + gap, offset)
        else:
            runs.append((code, 0, len(char_sets)))
        char_sets.append(set_id[tuple(sorted(syllable_id[s] for s in per_char[code]))])
        first, count, offset = runs[-1]
        runs[-1] = (first, count + 1, offset)

    set_syllables, set_start = [], []
    for s in sets:
        set_start.append(len(set_syllables))
        set_syllables.extend(s)
    set_start.append(len(set_syllables))
    syllable_start, text = [], ""
    for s in syllables:
        syllable_start.append(len(text))
        text += s
    syllable_start.append(len(text))
    assert max(len(char_sets), len(set_syllables), len(text)) < 0x10000

    multi = sum(1 for found in per_char.values() if len(found) > 1)
    return f"""// Generated by scripts/make_pinyin_table.py from Unihan_Readings.txt of Unicode {version}; do not edit.
// {len(per_char)} characters of code page 936, {multi} of them with more than one reading; {len(syllables)} syllables,
// {len(sets) - 1} distinct sets of readings.
// clang-format off
#include "core/find/pinyin_table.h"

namespace wendlix {{
namespace {{

constexpr char kSyllableText[] =
{wrapped([f'"{s}"' for s in syllables])};

constexpr std::uint16_t kSyllableStart[] = {{
{wrapped([f"{n}," for n in syllable_start])}
}};

constexpr std::uint16_t kSetStart[] = {{
{wrapped([f"{n}," for n in set_start])}
}};

constexpr std::uint16_t kSetSyllables[] = {{
{wrapped([f"{n}," for n in set_syllables])}
}};

constexpr PinyinRun kRuns[] = {{
{wrapped([f"{{0x{first:04X}, {count}, {offset}}}," for first, count, offset in runs])}
}};

constexpr std::uint16_t kCharSets[] = {{
{wrapped([f"{n}," for n in char_sets])}
}};

}}  // namespace

const PinyinTableData kPinyinTable = {{
    {{kSyllableText, sizeof kSyllableText - 1}}, kSyllableStart, kSetStart, kSetSyllables, kRuns, kCharSets,
}};

}}  // namespace wendlix
"""


def main():
    check = sys.argv[1:] == ["--check"]
    if sys.argv[1:] and not check:
        sys.exit(__doc__)
    table = generate().encode("utf-8")
    if check:
        try:
            with open(OUTPUT, "rb") as f:
                current = f.read()
        except OSError:
            current = None
        if current != table:
            print(f"{os.path.relpath(OUTPUT, ROOT)} differs from what scripts/make_pinyin_table.py writes "
                  "from this machine's Unihan data", file=sys.stderr)
            return 1
        print(f"{os.path.relpath(OUTPUT, ROOT)}: reproduced byte for byte")
        return 0
    with open(OUTPUT, "wb") as f:
        f.write(table)
    return 0


if __name__ == "__main__":
    sys.exit(main())
