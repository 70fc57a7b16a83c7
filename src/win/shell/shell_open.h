// Launching through the shell.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace wendlix {

// Exactly what one ShellExecute call receives; empty strings stand for null pointers.
struct ShellCall {
  std::wstring Verb;
  std::wstring File;
  std::wstring Parameters;
  std::wstring Directory;
  int ShowCmd = 0;
  bool operator==(const ShellCall&) const = default;
};

// The call that opens `fileName` with `params` in `dir`, with OpenVerb's verb. An address has its quotes,
// blanks and control characters percent-encoded; a path that holds a quote or a control character is refused
// (nullopt).
std::optional<ShellCall> ShellOpenCall(const std::string& fileName, const std::string& params,
                                       const std::string& dir, int showCmd);

// Whether the shell may put up its own message when the call fails.
enum class ShellErrors : std::uint8_t { kReturned, kShown };

// Hands `call` to the shell. Returns ShellExecute's result (greater than 32 on success).
// With `process`, the started process's handle (null when the shell started none) is
// put there for the caller to close.
HINSTANCE RunShellCall(HWND wnd, const ShellCall& call, HANDLE* process = nullptr,
                       ShellErrors errors = ShellErrors::kReturned);

// ShellOpenCall run at once; a refused path answers ERROR_FILE_NOT_FOUND.
HINSTANCE ShellOpen(HWND wnd, const std::string& fileName, const std::string& params, const std::string& dir,
                    int showCmd);

}  // namespace wendlix
