#include "core/bar/config_location.h"

#include "core/shell/command_line.h"
#include "core/text/paths.h"

namespace wendlix {

ConfigLocation ChooseConfigLocation(const std::optional<std::string>& stored, std::string_view exePath,
                                    bool exeFolderWritable, std::string_view appDataFolder) {
  ConfigLocation loc;
  if (stored && !stored->empty()) {
    loc.ConfigBase = *stored;
    return loc;
  }
  const std::string exeFolder = ExtractFilePath(exePath);
  const std::string baseName = ExtractFileBaseName(exePath);
  if (exeFolderWritable || appDataFolder.empty()) {
    loc.ConfigBase = exeFolder + baseName;
    return loc;
  }
  loc.CreateFolder = AddBackslash(appDataFolder) + "Wendlix";
  loc.ConfigBase = AddBackslash(loc.CreateFolder) + baseName;
  loc.CopyGroupFileFrom = GroupFileName(exeFolder + baseName);
  return loc;
}

std::string SettingsFileName(std::string_view configBase) { return std::string(configBase) + ".INI"; }
std::string GroupFileName(std::string_view configBase) { return std::string(configBase) + ".GPF"; }

std::string QuoteCommandPath(std::string_view path) {
  if (path.find_first_of(" \t") == std::string_view::npos) return std::string(path);
  return QuoteCommandLineArgument(path);
}

}  // namespace wendlix
