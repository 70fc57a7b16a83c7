// The error raised by the shell services that report failure by exception
// (ReadShortcut, MakeShortcutFile, GetSpecialFolderPath). Callers catch it at their edge.
#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>

namespace wendlix {

class ShellError : public std::runtime_error {
 public:
  explicit ShellError(const std::string& message, HRESULT result = E_FAIL)
      : std::runtime_error(message), result_(result) {}
  HRESULT Result() const noexcept { return result_; }

 private:
  HRESULT result_;
};

}  // namespace wendlix
