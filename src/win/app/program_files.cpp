#include "win/app/program_files.h"

#include <windows.h>
#include <shlobj.h>

#include "core/bar/config_location.h"
#include "core/text/paths.h"
#include "win/common/registry.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"
#include "win/shell/shell_folders.h"
#include "win/shell/shell_windows.h"

namespace wendlix {
namespace {

constexpr char kConfigValue[] = "Confing FileName";  // the spelling the field's files use
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string AppDataFolder() {
  try {
    return GetSpecialFolderPath(CSIDL_APPDATA);
  } catch (...) {
    return {};
  }
}

}  // namespace

ProgramInfo CurrentProgram() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) {
      buffer.clear();
      break;
    }
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  ProgramInfo p;
  p.ExePath = FromWide(buffer);
  p.ExeFolder = ExtractFilePath(p.ExePath);
  p.BaseName = ExtractFileBaseName(p.ExePath);
  return p;
}

bool FolderIsWritable(const std::string& folder) {
  const std::wstring probe =
      ToWide(AddBackslash(folder) + "~wendlix-" + std::to_string(GetCurrentProcessId()) + ".tmp");
  unique_file file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return static_cast<bool>(file);
}

std::string ResolveConfigBase(const ProgramInfo& program,
                              const std::function<bool(const std::string&)>& folderWritable) {
  unique_hkey key = OpenRegKey(HKEY_CURRENT_USER, AppRegistryKey(), true);
  std::optional<std::string> stored;
  if (key) stored = ReadRegString(key.get(), kConfigValue);
  const bool haveStored = stored && !stored->empty();
  const ConfigLocation loc =
      ChooseConfigLocation(stored, program.ExePath, haveStored || folderWritable(program.ExeFolder),
                           haveStored ? std::string() : AppDataFolder());
  if (!loc.CreateFolder.empty()) {
    CreateDirectoryW(ToWide(loc.CreateFolder).c_str(), nullptr);
    // Never over an existing group file: that one holds the user's groups.
    CopyFileW(ToWide(loc.CopyGroupFileFrom).c_str(), ToWide(GroupFileName(loc.ConfigBase)).c_str(), TRUE);
  }
  if (key) WriteRegString(key.get(), kConfigValue, loc.ConfigBase);
  return loc.ConfigBase;
}

bool UpdateRunValue(bool autoRun, const ProgramInfo& program) {
  unique_hkey run = OpenRegKey(HKEY_CURRENT_USER, kRunKey, autoRun);
  if (!run) return !autoRun;
  if (autoRun) return WriteRegString(run.get(), program.BaseName, QuoteCommandPath(program.ExePath));
  return DeleteRegValue(run.get(), program.BaseName);
}

}  // namespace wendlix
