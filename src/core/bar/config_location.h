// Where the two settings files live: ConfigBase + ".INI" and ConfigBase + ".GPF".
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace wendlix {

struct ConfigLocation {
  std::string ConfigBase;  // full path without extension
  // Set when the settings go to the user's folder on a first run: that folder is made,
  // and the group file shipped beside the program is copied there unless one exists.
  std::string CreateFolder;
  std::string CopyGroupFileFrom;
};

// `stored` is the registry's "Confing FileName" (empty counts as missing). Without it
// the files sit beside the program, named after it; when the program's folder cannot be
// written (an installed program), they go to a "Wendlix" folder in `appDataFolder`.
ConfigLocation ChooseConfigLocation(const std::optional<std::string>& stored, std::string_view exePath,
                                    bool exeFolderWritable, std::string_view appDataFolder);

std::string SettingsFileName(std::string_view configBase);  // + ".INI"
std::string GroupFileName(std::string_view configBase);     // + ".GPF"

// A program path as a command line: quoted when it holds a blank, so that the shell
// cannot read its first word as the program.
std::string QuoteCommandPath(std::string_view path);

}  // namespace wendlix
