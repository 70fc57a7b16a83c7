// The error raised by the shell services that report failure by exception
// (ReadShortcut, MakeShortcutFile, GetSpecialFolderPath). Callers catch it at their edge.
#pragma once
#include <stdexcept>

namespace wendlix {

class ShellError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace wendlix
