// The record of one shortcut, as read from and written to shell links and internet
// shortcuts. Never stored as such.
#pragma once
#include <cstdint>
#include <string>

namespace wendlix {

struct TShortCutData {
  std::string LinkFile;   // the shortcut file itself (.lnk, .pif or .url)
  std::string Arguments;  // for an internet shortcut: the text of its "HotKey" key
  std::string Target;     // for an internet shortcut: the address
  std::string WorkDir;
  std::string IconFile;  // empty: the target's own icon
  int IconIndex = 0;
  int ShowCmd = 1;           // SW_ value used when the link is opened
  std::uint16_t HotKey = 0;  // low byte virtual key, high byte HOTKEYF_ flags

  bool operator==(const TShortCutData&) const = default;
};

}  // namespace wendlix
