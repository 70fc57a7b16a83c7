#include "core/profile/ini_file.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <utility>

#include "core/platform/file_io.h"
#include "core/profile/ini_codec.h"
#include "core/profile/ini_damage.h"
#include "core/profile/ini_file_io_count.h"
#include "core/profile/ini_name_table.h"
#include "core/profile/ini_syntax.h"

namespace wendlix {

namespace {

struct Line {
  std::string_view raw;   // bytes on disk, without the line end
  std::string_view name;  // decoded, see IniLineSyntax
  std::string_view value;
  IniLineKind kind = IniLineKind::Blank;
  IniLineEnd end = IniLineEnd::None;
};

struct Section {
  Line header;  // Blank for the lines before the first header
  std::vector<Line> lines;
  IniNameTable keys;  // first live key line of each name
  std::size_t deletedLines = 0;
  bool duplicateKeys = false;
  bool erased = false;
};

// Append-only storage for text that lines point into: blocks are never moved or freed
// before the document, so views stay valid; one allocation serves many lines.
class TextArena {
 public:
  std::string_view Copy(std::string_view text) {
    if (text.size() > kBlockSize / 4) {
      large_.emplace_back(text);
      large_bytes_ += text.size();
      return large_.back();
    }
    if (blocks_.empty() || used_ + text.size() > kBlockSize) {
      blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
      used_ = 0;
    }
    char* at = blocks_.back().get() + used_;
    std::copy(text.begin(), text.end(), at);
    used_ += text.size();
    return {at, text.size()};
  }
  std::size_t Bytes() const { return blocks_.size() * kBlockSize + large_bytes_; }
  void Clear() {
    blocks_.clear();
    large_.clear();
    large_bytes_ = 0;
    used_ = 0;
  }

 private:
  static constexpr std::size_t kBlockSize = 64 * 1024;
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::deque<std::string> large_;  // a deque never moves its strings
  std::size_t large_bytes_ = 0;
  std::size_t used_ = 0;
};

// Deleted lines stay in place (so key indices stay valid) until they outnumber the rest.
constexpr std::size_t kCompactThreshold = 32;

}  // namespace

struct IniFile::Impl {
  std::string path;
  std::string original;  // the loaded bytes; raw views point here
  TextArena owned;       // decoded and rewritten text
  IniEncoding encoding = IniEncoding::Cp936;
  std::string bom;
  std::string_view tail;               // an odd last byte of a UTF-16 file
  std::vector<Section> sections;       // [0]: the lines before the first header
  IniNameTable sectionIndex;           // first live section of each name
  std::size_t lastSection = SIZE_MAX;  // FindSection's last answer; reset when sections change
  bool modified = false;
  bool unreadable = false;              // the file exists but could not be read: never overwrite it
  bool found = true;                    // the bytes are a file's: not a file that is missing or unreadable
  IniDamage damage = IniDamage::kNone;  // of the bytes last loaded or saved
  bool keepDamagedCopy = false;         // loaded from `path`, and not yet replaced by a save

  std::string_view Keep(std::string_view text) { return owned.Copy(text); }

  void Load(std::string bytes) {
    owned.Clear();
    sections.clear();
    sectionIndex.Clear();
    lastSection = SIZE_MAX;
    damage = IniDamage::kNone;
    original = std::move(bytes);
    const IniEncodingInfo info = DetectIniEncoding(original);
    encoding = info.encoding;
    bom = original.substr(0, info.bomLength);
    std::string_view body = std::string_view(original).substr(info.bomLength);
    // An odd byte at the end of a UTF-16 file belongs to no line: it stays last, so
    // lines appended later keep their code units aligned.
    const bool wide = encoding == IniEncoding::Utf16Le || encoding == IniEncoding::Utf16Be;
    tail = wide && body.size() % 2 ? body.substr(body.size() - 1) : std::string_view();
    body.remove_suffix(tail.size());
    if (!tail.empty()) damage |= IniDamage::kInvalidBytes;
    // All lines first, then each section takes its run in one allocation.
    std::vector<Line> lines;
    std::vector<std::size_t> headers;  // indices into lines
    lines.reserve(static_cast<std::size_t>(std::count(body.begin(), body.end(), '\n')) + 1);
    std::string decoded;
    SplitIniLines(body, encoding, [&](std::string_view raw, IniLineEnd end) {
      std::string_view text = raw;
      if (DecodeIniText(raw, encoding, decoded)) {
        text = Keep(decoded);
        if (!IsWellEncodedIniLine(raw, encoding)) damage |= IniDamage::kInvalidBytes;
      }
      if (raw.size() > kMaxIniLineBytes) damage |= IniDamage::kOverlongLine;
      if (text.find('\0') != std::string_view::npos) damage |= IniDamage::kNulBytes;
      const IniLineSyntax syntax = ParseIniLine(text);
      if (syntax.kind == IniLineKind::Text || (syntax.kind == IniLineKind::Key && headers.empty()) ||
          (syntax.kind == IniLineKind::Section && syntax.name.empty())) {
        damage |= IniDamage::kUnreadableLines;
      }
      if (syntax.kind == IniLineKind::Section) headers.push_back(lines.size());
      lines.push_back(Line{raw, syntax.name, syntax.value, syntax.kind, end});
    });
    sections.reserve(headers.size() + 1);
    sections.emplace_back();
    std::size_t begin = 0;
    for (std::size_t h = 0; h <= headers.size(); ++h) {
      const std::size_t end = h < headers.size() ? headers[h] : lines.size();
      Section& section = sections.back();
      section.lines.assign(lines.begin() + static_cast<std::ptrdiff_t>(begin),
                           lines.begin() + static_cast<std::ptrdiff_t>(end));
      section.keys.Reserve(
          static_cast<std::size_t>(std::count_if(section.lines.begin(), section.lines.end(),
                                                 [](const Line& l) { return l.kind == IniLineKind::Key; })));
      for (std::size_t i = 0; i < section.lines.size(); ++i) {
        const Line& line = section.lines[i];
        if (line.kind == IniLineKind::Key && !section.keys.Insert(line.name, i)) section.duplicateKeys = true;
      }
      if (section.duplicateKeys) damage |= IniDamage::kDuplicateNames;
      if (h == headers.size()) break;
      const Line& header = lines[end];
      sections.emplace_back().header = header;
      if (!header.name.empty() && !sectionIndex.Insert(header.name, sections.size() - 1)) {
        damage |= IniDamage::kDuplicateNames;
      }
      begin = end + 1;
    }
    modified = false;
  }

  Section* FindSection(std::string_view name) {
    const std::string_view trimmed = TrimIniBlanks(name);
    if (trimmed.empty()) return nullptr;
    // Callers read a section's keys one after another: the last answer usually holds.
    if (lastSection < sections.size() && IniNameTable::SameName(sections[lastSection].header.name, trimmed)) {
      return &sections[lastSection];
    }
    const std::size_t* index = sectionIndex.Find(trimmed);
    if (!index) return nullptr;
    lastSection = *index;
    return &sections[*index];
  }

  const Line* FindKey(std::string_view section, std::string_view key) {
    Section* s = FindSection(section);
    if (!s) return nullptr;
    const std::size_t* index = s->keys.Find(TrimIniBlanks(key));
    return index ? &s->lines[*index] : nullptr;
  }

  // A line that can hold `text` on disk, or false when the encoding has no code for it.
  bool MakeLine(std::string text, IniLineKind kind, std::size_t nameBegin, std::size_t nameLength,
                Line& line) {
    std::optional<std::string> bytes = EncodeIniText(text, encoding);
    if (!bytes) return false;
    const std::string_view kept = Keep(text);
    line.raw = *bytes == kept ? kept : Keep(*bytes);
    line.name = kept.substr(nameBegin, nameLength);
    line.value = kind == IniLineKind::Key ? kept.substr(nameBegin + nameLength + 1) : std::string_view();
    line.kind = kind;
    line.end = IniLineEnd::CrLf;
    return true;
  }

  Line* LastWrittenLine() {
    for (std::size_t i = sections.size(); i-- > 0;) {
      Section& s = sections[i];
      if (s.erased) continue;
      for (std::size_t j = s.lines.size(); j-- > 0;) {
        if (s.lines[j].kind != IniLineKind::Deleted) return &s.lines[j];
      }
      if (i > 0) return &s.header;
    }
    return nullptr;
  }

  void InsertKey(Section& section, const Line& line) {
    // After the section's last line with content, so blank lines before the next header
    // stay there; only blank and deleted lines follow, so no key index moves.
    std::size_t pos = section.lines.size();
    while (pos > 0 && (section.lines[pos - 1].kind == IniLineKind::Blank ||
                       section.lines[pos - 1].kind == IniLineKind::Deleted)) {
      --pos;
    }
    for (std::size_t i = section.lines.size(); i-- > pos;) {
      if (section.lines[i].kind == IniLineKind::Deleted) {
        section.lines.erase(section.lines.begin() + static_cast<std::ptrdiff_t>(i));
        --section.deletedLines;
      }
    }
    Line& previous = pos > 0 ? section.lines[pos - 1] : section.header;
    if (previous.end == IniLineEnd::None) previous.end = IniLineEnd::CrLf;
    section.lines.insert(section.lines.begin() + static_cast<std::ptrdiff_t>(pos), line);
    section.keys.Insert(line.name, pos);
  }

  void AppendSection(const Line& header, const Line& key) {
    if (Line* last = LastWrittenLine(); last && last->end == IniLineEnd::None) last->end = IniLineEnd::CrLf;
    Section& section = sections.emplace_back();
    section.header = header;
    section.lines.push_back(key);
    section.keys.Insert(key.name, 0);
    sectionIndex.Insert(header.name, sections.size() - 1);
  }

  void DeleteLine(Section& section, std::size_t index) {
    Line& line = section.lines[index];
    section.keys.Erase(line.name);
    line.kind = IniLineKind::Deleted;
    ++section.deletedLines;
    if (section.duplicateKeys) {
      for (std::size_t j = index + 1; j < section.lines.size(); ++j) {
        const Line& other = section.lines[j];
        if (other.kind == IniLineKind::Key && IniNameTable::SameName(other.name, line.name)) {
          section.keys.Insert(other.name, j);
          break;
        }
      }
    }
    if (section.deletedLines > kCompactThreshold && section.deletedLines * 2 > section.lines.size()) {
      Compact(section);
    }
  }

  // After a save: the document is what was written, without the deleted lines and erased
  // sections that edits leave in place.
  void DropEdits() {
    std::erase_if(sections, [](const Section& s) { return s.erased; });  // never [0]
    sectionIndex.Clear();
    for (std::size_t i = 1; i < sections.size(); ++i) {
      if (sections[i].deletedLines > 0) Compact(sections[i]);
      if (!sections[i].header.name.empty()) sectionIndex.Insert(sections[i].header.name, i);
    }
    if (sections[0].deletedLines > 0) Compact(sections[0]);
    lastSection = SIZE_MAX;
    modified = false;
  }

  static void Compact(Section& section) {
    std::vector<Line> kept;
    kept.reserve(section.lines.size() - section.deletedLines);
    section.keys.Clear();
    for (const Line& line : section.lines) {
      if (line.kind == IniLineKind::Deleted) continue;
      kept.push_back(line);
      if (line.kind == IniLineKind::Key) section.keys.Insert(line.name, kept.size() - 1);
    }
    section.lines = std::move(kept);
    section.deletedLines = 0;
  }

  // Offset just past the first "=" of a key line's bytes. In code page 936 "=" is never
  // a trail byte, so the first one on disk is the one the decoded text split at.
  std::size_t ValueOffset(std::string_view raw) const {
    if (encoding == IniEncoding::Utf16Le || encoding == IniEncoding::Utf16Be) {
      const char lo = encoding == IniEncoding::Utf16Le ? '=' : '\0';
      const char hi = encoding == IniEncoding::Utf16Le ? '\0' : '=';
      for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
        if (raw[i] == lo && raw[i + 1] == hi) return i + 2;
      }
      return raw.size();
    }
    const std::size_t equals = raw.find('=');
    return equals == std::string_view::npos ? raw.size() : equals + 1;
  }
};

IniFile::IniFile() : impl_(std::make_unique<Impl>()) {}

IniFile::IniFile(std::string path) : IniFile() {
  CountIniFileRead(path);
  std::optional<std::string> bytes = platform::ReadWholeFile(path);
  if (!bytes) impl_->unreadable = platform::FileExists(path);
  impl_->found = bytes.has_value();
  impl_->path = std::move(path);
  impl_->Load(bytes ? std::move(*bytes) : std::string());
  impl_->keepDamagedCopy = true;
}

IniFile IniFile::FromBytes(std::string_view bytes, std::string path) {
  IniFile file;
  file.impl_->path = std::move(path);
  file.impl_->Load(std::string(bytes));
  return file;
}

IniFile::~IniFile() = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;

const std::string& IniFile::Path() const { return impl_->path; }

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
  const Line* line = impl_->FindKey(section, key);
  return std::string(line ? UnquoteIniValue(line->value) : defaultValue);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  const Line* line = impl_->FindKey(section, key);
  if (!line) return defaultValue;
  return ParseIniInteger(UnquoteIniValue(line->value)).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsWritableSectionName(section) || !IsWritableKeyName(key) || !IsWritableValue(value)) return false;
  Impl& d = *impl_;
  std::string stored = QuoteIniValue(value);
  Section* s = d.FindSection(section);
  if (s) {
    if (const std::size_t* index = s->keys.Find(key)) {
      Line& line = s->lines[*index];
      if (UnquoteIniValue(line.value) == value) return true;
      std::optional<std::string> bytes = EncodeIniText(stored, d.encoding);
      if (!bytes) return false;
      // The bytes up to "=" stay as they are: the name's spelling, indentation and all.
      std::string raw(line.raw.substr(0, d.ValueOffset(line.raw)));
      raw += *bytes;
      line.raw = d.Keep(raw);
      line.value = d.Keep(stored);
      d.modified = true;
      return true;
    }
  }
  Line keyLine;
  std::string keyText;
  keyText.reserve(key.size() + 1 + stored.size());
  keyText.append(key).append("=").append(stored);
  if (!d.MakeLine(std::move(keyText), IniLineKind::Key, 0, key.size(), keyLine)) return false;
  if (s) {
    d.InsertKey(*s, keyLine);
  } else {
    std::string headerText;
    headerText.reserve(section.size() + 2);
    headerText.append("[").append(section).append("]");
    Line header;
    if (!d.MakeLine(std::move(headerText), IniLineKind::Section, 1, section.size(), header)) return false;
    d.AppendSection(header, keyLine);
  }
  d.modified = true;
  return true;
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  Section* s = impl_->FindSection(section);
  if (!s) return;
  const std::size_t* index = s->keys.Find(TrimIniBlanks(key));
  if (!index) return;
  impl_->DeleteLine(*s, *index);
  impl_->modified = true;
}

void IniFile::EraseSection(std::string_view section) {
  // Every section of the name goes: erasing only the first would bring a stale
  // duplicate back to life under the same name.
  Impl& d = *impl_;
  const std::string_view name = TrimIniBlanks(section);
  if (name.empty() || !d.sectionIndex.Find(name)) return;
  for (std::size_t i = 1; i < d.sections.size(); ++i) {
    Section& s = d.sections[i];
    if (s.erased || !IniNameTable::SameName(s.header.name, name)) continue;
    s.erased = true;
    s.lines.clear();
    s.keys.Clear();
  }
  d.sectionIndex.Erase(name);
  d.lastSection = SIZE_MAX;
  d.modified = true;
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
  std::vector<std::string> names;
  if (const Section* s = impl_->FindSection(section)) {
    for (const Line& line : s->lines) {
      if (line.kind == IniLineKind::Key) names.emplace_back(line.name);
    }
  }
  return names;
}

std::vector<std::string> IniFile::ReadSections() const {
  std::vector<std::string> names;
  for (std::size_t i = 1; i < impl_->sections.size(); ++i) {
    const Section& s = impl_->sections[i];
    if (!s.erased && !s.header.name.empty()) names.emplace_back(s.header.name);
  }
  return names;
}

bool IniFile::SectionExists(std::string_view section) const { return impl_->FindSection(section) != nullptr; }

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
  return impl_->FindKey(section, key) != nullptr;
}

bool IniFile::Modified() const { return impl_->modified; }

bool IniFile::Found() const { return impl_->found; }

IniDamage IniFile::Damage() const { return impl_->damage; }

std::string IniFile::ToBytes() const {
  const Impl& d = *impl_;
  std::string bytes;
  bytes.reserve(d.original.size() + 256);
  bytes += d.bom;
  const auto append = [&](const Line& line) {
    bytes += line.raw;
    bytes += IniLineEndBytes(line.end, d.encoding);
  };
  for (std::size_t i = 0; i < d.sections.size(); ++i) {
    const Section& s = d.sections[i];
    if (s.erased) continue;
    if (i > 0) append(s.header);
    for (const Line& line : s.lines) {
      if (line.kind != IniLineKind::Deleted) append(line);
    }
  }
  bytes += d.tail;
  return bytes;
}

bool IniFile::Save(bool force) {
  Impl& d = *impl_;
  if (!d.modified && !force) return true;
  if (d.unreadable || d.path.empty()) return false;
  // A file we could not understand completely is kept before it is first replaced; an
  // earlier copy stays, since it is the one closest to what the user had.
  if (d.keepDamagedCopy && d.damage != IniDamage::kNone) {
    const std::string copy = DamagedFileCopyPath(d.path);
    if (!platform::FileExists(copy) && !platform::WriteFileAtomically(copy, d.original)) return false;
  }
  std::string bytes = ToBytes();
  CountIniFileWrite(d.path);
  if (!platform::WriteFileAtomically(d.path, bytes)) return false;
  d.keepDamagedCopy = false;
  // Parsing the written bytes again gives the same document; it is worth it only to free the
  // text that many edits have piled up.
  if (d.owned.Bytes() > bytes.size() + (1u << 20))
    d.Load(std::move(bytes));
  else
    d.DropEdits();
  return true;
}

}  // namespace wendlix
