// Launching through the shell.
#pragma once
#include <windows.h>

#include <string>

namespace wendlix {

// ShellExecute of `fileName` with `params` in `dir`: verb "open" for a ".PIF" file, the
// file's default action otherwise. An address has its quotes, blanks and control
// characters percent-encoded; a path that holds a quote is refused (ERROR_FILE_NOT_FOUND).
// Returns ShellExecute's result (greater than 32 on success).
HINSTANCE ShellOpen(HWND wnd, const std::string& fileName, const std::string& params, const std::string& dir,
                    int showCmd);

// Runs `program` with `argument` as its one argument (quoted whatever it holds), as in
// "explorer.exe" with a web address.
HINSTANCE ShellOpenWithArgument(HWND wnd, const std::string& program, const std::string& argument,
                                const std::string& dir, int showCmd);

}  // namespace wendlix
