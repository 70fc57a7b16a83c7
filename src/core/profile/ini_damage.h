// Which settings files the store could not understand completely. Such a file is kept
// beside itself as "<name>.bak" before the store first replaces it (see IniFile::Save),
// so that a user can always get back what the bar could not read.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "core/profile/ini_codec.h"

namespace wendlix {

// Bit flags; a file may show several.
enum class IniDamage : unsigned {
  kNone = 0,
  kInvalidBytes = 1,     // bytes that are no character in the file's encoding, a truncated
                         // double-byte or UTF-8 sequence, an odd byte or lone surrogate in UTF-16
  kNulBytes = 2,         // NUL characters: binary junk, or UTF-16 without a byte-order mark
  kOverlongLine = 4,     // a line longer than kMaxIniLineBytes
  kUnreadableLines = 8,  // lines no read can reach: text that is neither header, key nor
                         // comment, keys before the first header, a header without a name
  kDuplicateNames = 16,  // a section or a key of one section named twice: the later one
                         // is never read, and rewriting the section would drop it
};

constexpr IniDamage operator|(IniDamage a, IniDamage b) {
  return static_cast<IniDamage>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr IniDamage& operator|=(IniDamage& a, IniDamage b) { return a = a | b; }

// Far beyond any line the bar writes (the longest is a path of 32,767 characters plus
// its key); a longer one is junk.
inline constexpr std::size_t kMaxIniLineBytes = 256 * 1024;

// The bytes of one line are all characters of `encoding`.
bool IsWellEncodedIniLine(std::string_view raw, IniEncoding encoding);

// Where the copy of a damaged file is kept.
std::string DamagedFileCopyPath(std::string_view path);

}  // namespace wendlix
