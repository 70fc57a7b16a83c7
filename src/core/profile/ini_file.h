// A settings file read and written as the Windows profile functions do (sections in
// brackets, key=value lines, names compared ignoring ASCII case, first occurrence wins),
// but parsed once and edited in memory: untouched lines keep their bytes, and Save()
// replaces the file atomically. Code page 936 on disk unless a byte-order mark says
// UTF-16 or UTF-8; strings in and out are UTF-8. One object serves one thread at a
// time (reads remember the last section looked up).
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/profile/ini_damage.h"

namespace wendlix {

class IniFile {
 public:
  // Reads `path` once; a missing or unreadable file is an empty document. A file that
  // exists but cannot be read (held open by another program, no permission) is never
  // overwritten: Save() then fails. A file read with damage (see Damage()) is copied to
  // "<path>.bak" by the first Save() that replaces it, unless that copy exists already.
  explicit IniFile(std::string path);
  // A document from bytes in memory, for tests, fuzzing and exchange-file import.
  static IniFile FromBytes(std::string_view bytes, std::string path = {});
  ~IniFile();
  IniFile(IniFile&&) noexcept;
  IniFile& operator=(IniFile&&) noexcept;

  const std::string& Path() const;

  // Names are trimmed and compared ignoring ASCII case; the first section and the first
  // key of a name answer. One outer pair of quotes is removed from the value.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
  // The whole trimmed value must be a decimal, "$1A" or "0x1A" number in the signed
  // 32-bit range; anything else gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // False (and nothing changed) when the format cannot hold the name or value (line
  // breaks, NUL, empty or untrimmed names, a key with "=" or starting with "[" or ";"),
  // or the text has no code in the file's encoding. A value that would not read back
  // as written (outer blanks, outer quotes) is stored inside one more pair of quotes.
  // Changes only the line concerned; writing the value already there changes nothing.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  bool WriteInteger(std::string_view section, std::string_view key, int value);
  bool WriteBool(std::string_view section, std::string_view key, bool value);

  // Removes the first line of that key; the section header stays.
  void DeleteKey(std::string_view section, std::string_view key);
  // Removes every section of that name with all its lines, so that no older duplicate
  // takes its place.
  void EraseSection(std::string_view section);

  // Key names of a section in file order (first section of that name only), duplicates
  // included; comments and lines without "=" are not keys.
  std::vector<std::string> ReadSection(std::string_view section) const;
  // Section names in file order, duplicates included.
  std::vector<std::string> ReadSections() const;
  // A header of that name exists, with or without keys.
  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;

  bool Modified() const;
  // The document holds a file's bytes: given ones, or a file that existed and was read.
  // False for a missing file and for one that could not be read.
  bool Found() const;
  // What in the bytes last loaded or saved the store could not understand completely.
  IniDamage Damage() const;
  // The document as bytes on disk would hold them.
  std::string ToBytes() const;
  // Writes the document to Path() atomically when it was modified (or `force`); false
  // when the write failed, in which case the old file is untouched. For a damaged file
  // read from Path() the copy beside it comes first: when it cannot be made, nothing is
  // replaced and false is returned.
  bool Save(bool force = false);

 private:
  IniFile();
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace wendlix
