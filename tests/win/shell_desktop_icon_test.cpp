// The desktop icon's registration in the real registry, and its per-user fallback.
#include <gtest/gtest.h>

#include <set>

#include "win/common/registry.h"
#include "win/common/wide.h"
#include "win/shell/desktop_icon.h"

namespace wendlix {
namespace {

const std::string kClsid = kDesktopIconClsid;
const std::string kNameSpace =
    "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Desktop\\NameSpace\\" + kClsid;
const std::string kCaption = "Wendlix 2.08", kInfoTip = "点击此图标将会启动 Wendlix 2.08\r\nŐ한";
const std::string kCommand = "\"C:\\程序 文件\\Wendlix.exe\"", kIcon = "C:\\程序 文件\\Wendlix.exe,0";

std::string Read(HKEY root, const std::string& key, const std::string& name) {
  const unique_hkey k = OpenRegKey(root, key, false, KEY_READ);
  return k ? ReadRegString(k.get(), name).value_or("<none>") : "<no key>";
}

void ExpectClass(HKEY root, const std::string& classKey) {
  EXPECT_EQ(Read(root, classKey, ""), kCaption);
  EXPECT_EQ(Read(root, classKey, "InfoTip"), kInfoTip);
  EXPECT_EQ(Read(root, classKey + "\\DefaultIcon", ""), kIcon);
  EXPECT_EQ(Read(root, classKey + "\\shell\\open\\command", ""), kCommand);
  const unique_hkey folder = OpenRegKey(root, classKey + "\\ShellFolder", false, KEY_READ);
  ASSERT_TRUE(folder);
  DWORD attributes = 0, size = sizeof(attributes);
  EXPECT_EQ(RegGetValueW(folder.get(), nullptr, L"Attributes", RRF_RT_REG_DWORD, nullptr, &attributes, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(attributes, 0x137u);
}

std::string Wallpaper() {
  wchar_t path[MAX_PATH + 1] = {};
  SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
  return FromWide(path);
}

TEST(ShellDesktopIcon, MachineWideRegistration) {
  const std::string wallpaper = Wallpaper();
  ASSERT_TRUE(RegisterDesktopIcon(kCaption, kInfoTip, kCommand, kIcon));
  EXPECT_EQ(Read(HKEY_USERS, ".DEFAULT\\Software\\Classes\\CLSID\\" + kClsid, ""), kCaption);
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kNameSpace, ""), kCaption);
  ExpectClass(HKEY_LOCAL_MACHINE, "Software\\CLASSES\\CLSID\\" + kClsid);
  EXPECT_EQ(Wallpaper(), wallpaper) << "the wallpaper is left alone";
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kNameSpace, ""), "<no key>") << "no per-user copy when not needed";
  RegDeleteTreeW(HKEY_USERS, ToWide(".DEFAULT\\Software\\Classes\\CLSID\\" + kClsid).c_str());
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, ToWide(kNameSpace).c_str());
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, ToWide("Software\\CLASSES\\CLSID\\" + kClsid).c_str());
}

// Refuses the roots a standard user cannot write (and any "key|value" listed), and writes
// the current user's keys below a sandbox key, leaving the real per-user keys alone.
class StandardUserRegistry final : public DesktopIconRegistry {
 public:
  static constexpr wchar_t kSandbox[] = L"Software\\WendlixTest";
  explicit StandardUserRegistry(std::set<std::string> failing = {}) : failing_(std::move(failing)) {}
  bool WriteString(HKEY root, const std::string& key, const std::string& name,
                   const std::string& value) override {
    const unique_hkey k = Open(root, key, name);
    return k && WriteRegString(k.get(), name, value);
  }
  bool WriteDword(HKEY root, const std::string& key, const std::string& name, DWORD value) override {
    const unique_hkey k = Open(root, key, name);
    return k && WriteRegDword(k.get(), name, value);
  }
  int refused = 0;

 private:
  unique_hkey Open(HKEY root, const std::string& key, const std::string& name) {
    if (root == HKEY_CURRENT_USER && !failing_.count(key + "|" + name))
      return OpenRegKey(HKEY_CURRENT_USER, FromWide(kSandbox) + "\\" + key, true, KEY_ALL_ACCESS);
    ++refused;
    return {};
  }
  std::set<std::string> failing_;
};

TEST(ShellDesktopIcon, StandardUserFallsBackToOwnKeys) {
  const std::string sandbox = FromWide(StandardUserRegistry::kSandbox) + "\\";
  RegDeleteTreeW(HKEY_CURRENT_USER, StandardUserRegistry::kSandbox);
  StandardUserRegistry registry;
  EXPECT_TRUE(RegisterDesktopIcon(kCaption, kInfoTip, kCommand, kIcon, registry));
  EXPECT_GT(registry.refused, 0);
  EXPECT_EQ(Read(HKEY_CURRENT_USER, sandbox + kNameSpace, ""), kCaption);
  ExpectClass(HKEY_CURRENT_USER, sandbox + "Software\\Classes\\CLSID\\" + kClsid);

  // A per-user registration that cannot be completed is reported as failed.
  StandardUserRegistry noAttributes({"Software\\Classes\\CLSID\\" + kClsid + "\\ShellFolder|Attributes"});
  EXPECT_FALSE(RegisterDesktopIcon(kCaption, kInfoTip, kCommand, kIcon, noAttributes));
  StandardUserRegistry noNameSpace({kNameSpace + "|"});
  EXPECT_FALSE(RegisterDesktopIcon(kCaption, kInfoTip, kCommand, kIcon, noNameSpace));
  RegDeleteTreeW(HKEY_CURRENT_USER, StandardUserRegistry::kSandbox);
}

}  // namespace
}  // namespace wendlix
