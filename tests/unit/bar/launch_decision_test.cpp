#include "core/bar/interaction/launch_decision.h"

#include <gtest/gtest.h>

#include "core/bar/panel_data.h"

namespace wendlix {

void PrintTo(const LaunchRequest& r, std::ostream* os) {
  *os << "{action " << static_cast<int>(r.Action) << ", file " << r.File << ", verb " << r.Verb << ", params "
      << r.Params << ", dir " << r.Directory << ", show " << r.ShowCmd << "}";
}

namespace {

LaunchRequest Open(std::string file, std::string verb, std::string params, std::string dir, int show) {
  return {LaunchAction::kOpen, std::move(file), std::move(verb), std::move(params), std::move(dir), show};
}
LaunchRequest Browser(std::string quotedAddress, int show) {
  return Open("explorer.exe", "", quotedAddress, "", show);
}
LaunchRequest Fill(std::string folder) {
  return {LaunchAction::kFillSubmenu, std::move(folder), "", "", "", 0};
}
const LaunchRequest kNothing{};

TEST(LaunchDecision, WebAddressRule) {
  for (const char* web : {"http://x.cn", "https://x.cn/a b", "HTTP://X.CN", "hTtPs://x", "https://"})
    EXPECT_TRUE(IsWebAddress(web)) << web;
  for (const char* other : {"", "http:", "https:/x.cn", "ftp://x.cn", " http://x.cn", "Go http://x.cn",
                            "MAILTO:a@b.cn?body=http://x.cn", "D:\\http\\a.lnk", "httpx://x.cn"})
    EXPECT_FALSE(IsWebAddress(other)) << other;
}

// The click (and Enter on the focused button, which is the same click) goes by the group's
// kind; the overflow and PanelBtn menus, which list a web group's addresses, by the rule.
TEST(LaunchDecision, EveryPathOpensHttpAndHttpsAlike) {
  for (const char* address : {"http://x.cn/a b", "https://x.cn/a b", "HTTPS://X.cn/"}) {
    SCOPED_TRACE(address);
    const std::string quoted = std::string("\"") + address + "\"";
    EXPECT_EQ(DecideLaunch(LaunchButtonSender{gkWeb, address, false}), Browser(quoted, kShowWebButton));
    EXPECT_EQ(DecideLaunch(MenuItemSender{address, 0, 0}), Browser(quoted, kShowMaximized));
  }
}

TEST(LaunchDecision, FolderMenuItems) {
  const auto check = [](const std::string& hint, int tag, int children, const LaunchRequest& expected) {
    EXPECT_EQ(DecideLaunch(MenuItemSender{hint, tag, children}), expected) << hint << " tag " << tag;
  };
  // Still holding only its placeholder: read the folder, given with its backslash or the
  // listing would match names beside it.
  check("D:\\Tools\\Sub", kSubmenuTag, 1, Fill("D:\\Tools\\Sub\\"));
  check("D:\\Tools\\Sub\\", kSubmenuTag, 1, Fill("D:\\Tools\\Sub\\"));
  // Once filled, opening the submenu again launches nothing (no Explorer window per hover).
  check("D:\\Tools\\Sub", kSubmenuTag, 4, kNothing);
  check("D:\\Tools\\Sub", kSubmenuTag, 0, Open("D:\\Tools\\Sub", "", "", "", kShowNoActivate));
  check("D:\\Tools\\记事本.lnk", 0, 0, Open("D:\\Tools\\记事本.lnk", "", "", "", kShowNoActivate));
  check("D:\\Tools\\old.PiF", 0, 0, Open("D:\\Tools\\old.PiF", "Open", "", "", kShowNoActivate));
  // Only a text that starts with the scheme is an address.
  check("Go hTTp://x.cn", 0, 0, Open("Go hTTp://x.cn", "", "", "", kShowNoActivate));
  check("http://x.cn/\" /select,C:\\", 0, 0, kNothing);
  check("", 0, 0, kNothing);
}

TEST(LaunchDecision, LaunchButtons) {
  const auto check = [](std::uint16_t kind, const std::string& file, bool folder, const LaunchRequest& expected) {
    EXPECT_EQ(DecideLaunch(LaunchButtonSender{kind, file, folder}), expected) << file;
  };
  // The web kind decides, not the text; trailing backslashes are doubled so that the
  // closing quote stays a quote.
  check(gkWeb, "http://x.cn/a.lnk", true, Browser("\"http://x.cn/a.lnk\"", kShowWebButton));
  check(gkWeb, "http://x.cn\\", false, Browser("\"http://x.cn\\\\\"", kShowWebButton));
  for (const char* bad : {"http://x.cn/\"", "http://x.cn/\r\ncalc", "http://x.cn/\x7F"})
    check(gkWeb, bad, false, kNothing);
  check(gkShortcut, "D:\\Tools\\Docs", true, kNothing);
  // A shortcut file is opened itself: its own arguments and working folder come from the
  // link, through the shell's link handler.
  check(gkShortcut, "D:\\Tools\\Edit.lnk", false, Open("D:\\Tools\\Edit.lnk", "", "", "", kShowNormal));
  check(gkShortcut, "D:\\Tools\\Old.pif", false, Open("D:\\Tools\\Old.pif", "Open", "", "", kShowNormal));
  check(gkShortcut, "D:\\Tools\\app.exe", false, Open("D:\\Tools\\app.exe", "", "", "", kShowNormal));
  check(gkEmail, "MAILTO:张三@example.cn", false, Open("MAILTO:张三@example.cn", "", "", "", kShowNormal));
  check(gkShortcut, "", false, kNothing);
}

}  // namespace
}  // namespace wendlix
