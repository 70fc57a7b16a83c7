#include "win/shell/desktop_icon.h"

#include <shlobj.h>

#include "win/common/registry.h"

namespace wendlix {

namespace {

class RealRegistry final : public DesktopIconRegistry {
 public:
  bool WriteString(HKEY root, const std::string& subKey, const std::string& name,
                   const std::string& value) override {
    const unique_hkey key = OpenRegKey(root, subKey, true, KEY_WRITE);
    return key && WriteRegString(key.get(), name, value);
  }
  bool WriteDword(HKEY root, const std::string& subKey, const std::string& name, DWORD value) override {
    const unique_hkey key = OpenRegKey(root, subKey, true, KEY_ALL_ACCESS);
    return key && WriteRegDword(key.get(), name, value);
  }
};

// Attributes of the namespace item: SFGAO_CANCOPY | CANMOVE | CANLINK | CANRENAME | CANDELETE
// | DROPTARGET.
constexpr DWORD kShellFolderAttributes = 0x137;

// Writes the class key `classKey` (…\CLSID\{…}). True when every value was written.
bool WriteIconClass(DesktopIconRegistry& registry, HKEY root, const std::string& classKey,
                    const std::string& caption, const std::string& infoTip, const std::string& command,
                    const std::string& iconPath) {
  bool ok = registry.WriteString(root, classKey, "", caption);
  ok = registry.WriteString(root, classKey, "InfoTip", infoTip) && ok;
  ok = registry.WriteString(root, classKey + "\\DefaultIcon", "", iconPath) && ok;
  ok = registry.WriteString(root, classKey + "\\shell\\open\\command", "", command) && ok;
  ok = registry.WriteString(root, classKey + "\\ShellFolder", "Attributes", "1000000") && ok;
  return registry.WriteDword(root, classKey + "\\ShellFolder", "Attributes", kShellFolderAttributes) && ok;
}

}  // namespace

DesktopIconRegistry& SystemDesktopIconRegistry() {
  static RealRegistry registry;
  return registry;
}

bool RegisterDesktopIcon(const std::string& caption, const std::string& infoTip, const std::string& command,
                         const std::string& iconPath, DesktopIconRegistry& registry) {
  const std::string clsid = kDesktopIconClsid;
  const std::string nameSpaceKey =
      "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Desktop\\NameSpace\\" + clsid;
  bool registered = false;
  try {
    registry.WriteString(HKEY_USERS, ".DEFAULT\\Software\\Classes\\CLSID\\" + clsid, "", caption);
    const bool machineNameSpace = registry.WriteString(HKEY_LOCAL_MACHINE, nameSpaceKey, "", caption);
    const bool machineClass =
        WriteIconClass(registry, HKEY_LOCAL_MACHINE, "Software\\CLASSES\\CLSID\\" + clsid, caption, infoTip,
                       command, iconPath);
    registered = machineNameSpace && machineClass;
    if (!registered) {
      // A standard user cannot write the machine's keys: register for this user only.
      const bool userClass = WriteIconClass(registry, HKEY_CURRENT_USER, "Software\\Classes\\CLSID\\" + clsid,
                                            caption, infoTip, command, iconPath);
      const bool userNameSpace = registry.WriteString(HKEY_CURRENT_USER, nameSpaceKey, "", caption);
      registered = userClass && userNameSpace;
    }
  } catch (...) {
    registered = false;
  }
  // Refresh the desktop without touching the wallpaper setting.
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  return registered;
}

}  // namespace wendlix
