// Parses arbitrary bytes as a settings file, then applies reads and edits chosen by the
// input and checks after each edit that the document changed exactly as intended: the
// written value reads back, nothing else moved, and re-parsing the bytes reads the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "core/profile/ini_file.h"
#include "core/profile/ini_syntax.h"
#include "core/text/ascii.h"
#include "support/fuzz_check.h"

namespace {

using wendlix::IniFile;
using wendlix::SameTextAscii;
using wendlix::fuzz_support::Check;
using wendlix::fuzz_support::Fail;

struct SectionView {
  std::string name;
  std::vector<std::pair<std::string, std::string>> keys;  // listed name, value read by that name
};
using DocView = std::vector<SectionView>;

DocView Snapshot(const IniFile& ini) {
  DocView view;
  for (const std::string& section : ini.ReadSections()) {
    SectionView& s = view.emplace_back();
    s.name = section;
    for (const std::string& key : ini.ReadSection(section)) {
      s.keys.emplace_back(key, ini.ReadString(section, key, "\x01missing"));
    }
  }
  return view;
}

std::string Printable(std::string_view s) {
  std::string out;
  for (const char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7f && b != '\\') {
      out += c;
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", b);
      out += hex;
    }
  }
  return out;
}

bool SameName(std::string_view listed, std::string_view query) {
  return SameTextAscii(listed, wendlix::TrimIniBlanks(query));
}

// What a write of `value` under `key` leaves: every listing of the name, in every listing of a
// duplicate section, reads the first occurrence, now `value`; a new name or section comes last.
void ExpectWritten(DocView& expected, const std::string& section, const std::string& key,
                   const std::string& value) {
  bool sectionFound = false;
  for (SectionView& s : expected) {
    if (!SameName(s.name, section)) continue;
    sectionFound = true;
    bool found = false;
    for (auto& [name, stored] : s.keys) {
      if (SameName(name, key)) {
        stored = value;
        found = true;
      }
    }
    if (!found) s.keys.emplace_back(key, value);
  }
  if (!sectionFound) expected.push_back({section, {{key, value}}});
}

// Names from the file itself hit existing entries; short random ones hit refusals.
std::string PickName(FuzzedDataProvider& in, const std::vector<std::string>& existing) {
  if (!existing.empty() && in.ConsumeBool()) {
    std::string name = existing[in.ConsumeIntegralInRange<std::size_t>(0, existing.size() - 1)];
    if (in.ConsumeBool()) name = wendlix::ToUpperAscii(name);
    return name;
  }
  return in.ConsumeRandomLengthString(12);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string original = in.ConsumeRandomLengthString(1 << 16);
  IniFile ini = IniFile::FromBytes(original);
  Check(ini.ToBytes() == original, "an untouched document writes back its bytes");

  for (int step = 0; step < 24 && in.remaining_bytes() > 0; ++step) {
    const DocView before = Snapshot(ini);
    const std::string bytesBefore = ini.ToBytes();
    const std::string section = PickName(in, ini.ReadSections());
    const std::string key = PickName(in, ini.ReadSection(section));
    DocView expected = before;
    const int op = in.ConsumeIntegralInRange(0, 4);
    if (std::getenv("FUZZ_TRACE")) {
      std::fprintf(stderr, "op %d [%s] %s in:\n%s\n", op, Printable(section).c_str(), Printable(key).c_str(),
                   Printable(bytesBefore).c_str());
    }
    switch (op) {
      case 0:
      case 1: {
        const std::string value =
            in.ConsumeBool() ? std::to_string(in.ConsumeIntegral<int>()) : in.ConsumeRandomLengthString(16);
        if (!ini.WriteString(section, key, value)) {
          Check(ini.ToBytes() == bytesBefore, "a refused write changes nothing");
          continue;
        }
        Check(ini.ReadString(section, key, "\x01") == value, "a written value reads back");
        ExpectWritten(expected, section, key, value);
        break;
      }
      case 2: {
        const int value = in.ConsumeIntegral<int>();
        if (!ini.WriteInteger(section, key, value)) {
          Check(ini.ToBytes() == bytesBefore, "a refused write changes nothing");
          continue;
        }
        Check(ini.ReadInteger(section, key, value ^ 1) == value, "a written integer reads back");
        Check(ini.ReadBool(section, key, value == 0) == (value != 0), "an integer reads as Boolean");
        ExpectWritten(expected, section, key, std::to_string(value));
        break;
      }
      case 3: {
        ini.DeleteKey(section, key);
        for (SectionView& s : expected) {
          if (!SameName(s.name, section)) continue;
          for (std::size_t i = 0; i < s.keys.size(); ++i) {
            if (SameName(s.keys[i].first, key)) {
              s.keys.erase(s.keys.begin() + static_cast<std::ptrdiff_t>(i));
              break;
            }
          }
          // A duplicate further down now answers for the name.
          for (auto& [name, stored] : s.keys) {
            if (SameName(name, key)) stored = ini.ReadString(section, key, "\x01missing");
          }
        }
        break;
      }
      case 4: {
        ini.EraseSection(section);
        if (!wendlix::TrimIniBlanks(section).empty()) {
          Check(!ini.SectionExists(section), "an erased section is gone");
          std::erase_if(expected, [&](const SectionView& s) { return SameName(s.name, section); });
        }
        break;
      }
    }
    const DocView after = Snapshot(ini);
    if (after.size() != expected.size()) Fail("the sections are those expected");
    for (std::size_t i = 0; i < after.size(); ++i) {
      Check(after[i].name == expected[i].name, "section names unchanged");
      Check(after[i].keys == expected[i].keys, "no other key moved or changed");
    }
  }

  const std::string bytes = ini.ToBytes();
  const IniFile again = IniFile::FromBytes(bytes);
  Check(again.ToBytes() == bytes, "re-parsing keeps the bytes");
  const DocView live = Snapshot(ini);
  const DocView parsed = Snapshot(again);
  Check(live.size() == parsed.size(), "re-parsing finds the same sections");
  for (std::size_t i = 0; i < live.size(); ++i) {
    Check(live[i].name == parsed[i].name && live[i].keys == parsed[i].keys, "re-parsing reads the same");
  }
  return 0;
}
