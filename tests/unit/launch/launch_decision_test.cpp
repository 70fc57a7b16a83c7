#include "core/launch/launch_decision.h"

#include <gtest/gtest.h>

#include "core/bar/panel_data.h"

namespace wendlix {

void PrintTo(const LaunchRequest& r, std::ostream* os) {
  *os << "{action " << static_cast<int>(r.Action) << ", file " << r.File << ", params " << r.Params
      << ", dir " << r.Directory << ", show " << r.ShowCmd << ", target " << r.Target
      << (r.ShellReports ? ", shell reports" : "") << "}";
}

namespace {

// A file opened as it is: no parameters and no folder of the bar's own.
LaunchRequest Open(std::string file, int show, bool shellReports) {
  return {LaunchAction::kOpen, file, "", "", show, file, shellReports};
}
LaunchRequest Browser(std::string address, std::string quoted, int show) {
  return {LaunchAction::kOpen, "explorer.exe", std::move(quoted), "", show, std::move(address), false};
}
LaunchRequest Fill(std::string folder) {
  return {LaunchAction::kFillSubmenu, std::move(folder), "", "", 0, "", false};
}
LaunchRequest Refuse(std::string target) {
  return {LaunchAction::kRefuse, "", "", "", 0, std::move(target), false};
}
const LaunchRequest kNothing{};

TEST(LaunchDecision, WebAddressRule) {
  for (const char* web : {"https://x.cn/a b", "hTtPs://x", "https://"}) EXPECT_TRUE(IsWebAddress(web)) << web;
  for (const char* other : {"http:", "https:/x.cn", " http://x.cn", "Go http://x.cn", "httpx://x.cn"})
    EXPECT_FALSE(IsWebAddress(other)) << other;
}

// The click (and Enter on the focused button, which is the same click) goes by the group's
// kind; the overflow and PanelBtn menus, which list a web group's addresses, by the rule.
TEST(LaunchDecision, EveryPathOpensHttpAndHttpsAlike) {
  for (const char* address : {"http://x.cn/a b", "https://x.cn/a b", "HTTPS://X.cn/"}) {
    SCOPED_TRACE(address);
    const std::string quoted = std::string("\"") + address + "\"";
    EXPECT_EQ(DecideLaunch(LaunchButtonSender{gkWeb, address, false}),
              Browser(address, quoted, kShowWebButton));
    EXPECT_EQ(DecideLaunch(MenuItemSender{address, 0, 0}), Browser(address, quoted, kShowMaximized));
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
  check("D:\\Tools\\Sub", kSubmenuTag, 0, Open("D:\\Tools\\Sub", kShowNoActivate, false));
  // Shortcut files open as they are, and the shell reports a broken one.
  check("D:\\Tools\\记事本.lnk", 0, 0, Open("D:\\Tools\\记事本.lnk", kShowNoActivate, true));
  check("D:\\Tools\\old.PiF", 0, 0, Open("D:\\Tools\\old.PiF", kShowNoActivate, true));
  check("D:\\Tools\\site.URL", 0, 0, Open("D:\\Tools\\site.URL", kShowNoActivate, true));
  check("D:\\Tools\\a.scf", 0, 0, Open("D:\\Tools\\a.scf", kShowNoActivate, false));
  check("MAILTO:张三@example.cn", 0, 0, Open("MAILTO:张三@example.cn", kShowNoActivate, false));
  // Only a text that starts with the scheme is an address.
  check("Go hTTp://x.cn", 0, 0, Open("Go hTTp://x.cn", kShowNoActivate, false));
  check("http://x.cn/\" /select,C:\\", 0, 0, Refuse("http://x.cn/\" /select,C:\\"));
  check("D:\\a\"b.lnk", 0, 0, Refuse("D:\\a\"b.lnk"));
  check("", 0, 0, kNothing);
}

TEST(LaunchDecision, LaunchButtons) {
  const auto check = [](std::uint16_t kind, const std::string& file, bool folder,
                        const LaunchRequest& expected) {
    EXPECT_EQ(DecideLaunch(LaunchButtonSender{kind, file, folder}), expected) << file;
  };
  // The web kind decides, not the text; trailing backslashes are doubled so that the
  // closing quote stays a quote.
  check(gkWeb, "http://x.cn/a.lnk", true,
        Browser("http://x.cn/a.lnk", "\"http://x.cn/a.lnk\"", kShowWebButton));
  check(gkWeb, "http://x.cn\\", false, Browser("http://x.cn\\", "\"http://x.cn\\\\\"", kShowWebButton));
  for (const char* bad : {"http://x.cn/\"", "http://x.cn/\r\ncalc", "http://x.cn/\x7F"})
    check(gkWeb, bad, false, Refuse(bad));
  check(gkShortcut, "D:\\Tools\\Docs", true, kNothing);
  // A shortcut file is opened itself: its own arguments and working folder come from the
  // link, through the shell's link handler.
  check(gkShortcut, "D:\\Tools\\Edit.lnk", false, Open("D:\\Tools\\Edit.lnk", kShowNormal, true));
  check(gkShortcut, "D:\\Tools\\Old.pif", false, Open("D:\\Tools\\Old.pif", kShowNormal, true));
  // Only a .PIF file has a verb of its own; everything else opens with its default action.
  EXPECT_EQ(OpenVerb("D:\\Tools\\Old.pif"), "open");
  for (const char* other : {"D:\\Tools\\Edit.lnk", "http://x.cn/a.pif", "D:\\pif"})
    EXPECT_EQ(OpenVerb(other), "");
  check(gkShortcut, "D:\\Tools\\app.exe", false, Open("D:\\Tools\\app.exe", kShowNormal, false));
  check(gkShortcut, "D:\\Tools\\\x01.exe", false, Refuse("D:\\Tools\\\x01.exe"));
  check(gkEmail, "MAILTO:张三@example.cn", false, Open("MAILTO:张三@example.cn", kShowNormal, false));
  check(gkShortcut, "", false, kNothing);
}

}  // namespace
}  // namespace wendlix
