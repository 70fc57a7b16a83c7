// The program's icon on the desktop: a shell namespace class registered in the registry.
#pragma once
#include <windows.h>

#include <string>

namespace wendlix {

// The registry writes the registration makes, behind an interface so that a test can make
// the machine-wide ones fail as they do for a standard user.
class DesktopIconRegistry {
 public:
  virtual ~DesktopIconRegistry() = default;
  // Creates `subKey` under `root` when missing and writes one value ("" = default value).
  virtual bool WriteString(HKEY root, const std::string& subKey, const std::string& name,
                           const std::string& value) = 0;
  virtual bool WriteDword(HKEY root, const std::string& subKey, const std::string& name, DWORD value) = 0;
};

// The real registry.
DesktopIconRegistry& SystemDesktopIconRegistry();

inline constexpr char kDesktopIconClsid[] = "{9EAC43C1-53EC-11CE-8230-CA8A32CF5499}";

// Registers the desktop icon machine-wide (HKEY_LOCAL_MACHINE and HKEY_USERS\.DEFAULT);
// when that is refused, as it is for a standard user, the same class and namespace entry
// are written for the current user instead. True when one of the two registrations was
// complete. Afterwards the shell is told to refresh (the wallpaper is left alone).
bool RegisterDesktopIcon(const std::string& caption, const std::string& infoTip, const std::string& command,
                         const std::string& iconPath,
                         DesktopIconRegistry& registry = SystemDesktopIconRegistry());

}  // namespace wendlix
