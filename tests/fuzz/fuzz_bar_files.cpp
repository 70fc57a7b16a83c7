// Arbitrary bytes as both settings files of the bar: loading the groups (first run
// included), the system tweaks and closing must never crash, every button target carries
// its kind's scheme, and the bar settings written at close read back as they were.
#include <string>

#include "core/bar/bar_save.h"
#include "core/bar/bar_settings.h"
#include "core/bar/group_loading.h"
#include "core/profile/ini_file.h"
#include "core/text/ascii.h"
#include "support/fuzz_check.h"

namespace {

using namespace wendlix;
using fuzz_support::Check;

// A folder listing made up from the group's own folder name, so shortcut groups get buttons.
class EchoFolder : public ShortcutFolder {
 public:
  std::vector<std::string> List(const std::string& folder) const override {
    return {folder.substr(0, 8), "a.lnk"};
  }
  Entry Probe(const std::string& path) const override {
    return path.size() % 3 == 0 ? Entry::kNone : (path.size() % 3 == 1 ? Entry::kFile : Entry::kFolder);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  IniFile ini = IniFile::FromBytes(bytes);
  IniFile gpf = IniFile::FromBytes(bytes);
  const BarSettings settings = ReadBarSettings(ini, 600);
  Check(settings.AppBar.Edge >= abeLeft && settings.AppBar.Edge <= abeBottom, "edge out of range");
  const StoredTweaks tweaks = ReadSystemTweaks(ini);
  Check(tweaks.Commands.size() <= 6, "more shell commands than keys");
  const LoadedGroups loaded = LoadGroups(gpf, settings.Groups, ReadGroupNames(ini), "C:\\QL", EchoFolder{});
  for (const GroupRecord& g : loaded.Groups) {
    if (g.Data.PanelStyle == gkShortcut) continue;
    for (const GroupButton& b : g.Buttons) {
      const bool web = g.Data.PanelStyle == gkWeb;
      Check(web ? StartsWithTextAscii(b.FileName, "http://") || StartsWithTextAscii(b.FileName, "https://")
                : b.FileName.rfind("MAILTO:", 0) == 0,
            "target without its scheme");
    }
  }
  WriteBarDocuments(ini, gpf, settings, tweaks.Flags, ShellWindowStates{}, loaded.Groups);
  BarSettings back = ReadBarSettings(IniFile::FromBytes(ini.ToBytes()), 600);
  Check(back.Groups == static_cast<int>(loaded.Groups.size()), "group count");
  back.Groups = settings.Groups;
  Check(back == settings, "bar settings changed on the way through the file");
  return 0;
}
