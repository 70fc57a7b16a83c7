#include "win/appbar/shell_open.h"

#include <shellapi.h>

#include "core/appbar/command_line.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"
#include "win/common/wide.h"

namespace wendlix {

namespace {

HINSTANCE ErrorResult(UINT code) { return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(code)); }

}  // namespace

HINSTANCE ShellOpen(HWND wnd, const std::string& fileName, const std::string& params, const std::string& dir,
                    int showCmd) {
  const std::optional<std::string> target = SafeShellTarget(fileName);
  if (!target) return ErrorResult(ERROR_FILE_NOT_FOUND);
  const bool isPif = !HasUrlScheme(fileName) && ToUpperAscii(ExtractFileExt(fileName)) == ".PIF";
  const std::wstring file = ToWide(*target), parameters = ToWide(params), folder = ToWide(dir);
  return ShellExecuteW(wnd, isPif ? L"open" : nullptr, file.c_str(),
                       parameters.empty() ? nullptr : parameters.c_str(),
                       folder.empty() ? nullptr : folder.c_str(), showCmd);
}

HINSTANCE ShellOpenWithArgument(HWND wnd, const std::string& program, const std::string& argument,
                                const std::string& dir, int showCmd) {
  std::string safeArgument = argument;
  if (HasUrlScheme(argument)) {
    // Percent-encoding keeps an address intact for the program, and quoting keeps it whole.
    if (const auto encoded = SafeShellTarget(argument)) safeArgument = *encoded;
  }
  return ShellOpen(wnd, program, QuoteCommandLineArgument(safeArgument), dir, showCmd);
}

}  // namespace wendlix
