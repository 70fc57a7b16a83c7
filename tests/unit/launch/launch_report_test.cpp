#include "core/launch/launch_report.h"

#include <gtest/gtest.h>

#include "core/bar/panel_data.h"

namespace wendlix {
namespace {

TEST(LaunchReport, TheBarSpeaksOnlyWhereTheShellDidNot) {
  const LaunchRequest link = DecideLaunch(LaunchButtonSender{gkShortcut, "D:\\工具\\编辑.lnk", false});
  const LaunchRequest mail = DecideLaunch(LaunchButtonSender{gkEmail, "MAILTO:a@b.cn", false});
  const LaunchRequest web = DecideLaunch(LaunchButtonSender{gkWeb, "https://x.cn/", false});
  struct Case {
    const LaunchRequest& request;
    LaunchResult result;
    std::optional<std::string> text;
  } cases[] = {
      {link, {true, 42, false}, std::nullopt},
      {link, {false, 31, true}, std::nullopt},  // the shell's own message said it
      {link, {false, 2, false}, "找不到该文件，它可能已被移动或删除:\r\r\"D:\\工具\\编辑.lnk\""},
      {mail, {false, 31, false}, "没有与该类文件关联的程序，无法打开:\r\r\"MAILTO:a@b.cn\""},
      {mail, {false, 1234, false}, "系统无法打开（错误代码 1234）:\r\r\"MAILTO:a@b.cn\""},
      // The browser is what failed, not the address.
      {web, {false, 2, false}, "无法启动 explorer.exe 打开该网址:\r\r\"https://x.cn/\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LaunchReportText(c.request, c.result), c.text)
        << c.request.Target << " code " << c.result.ShellCode;
  }
  // A refusal never reached the shell and is told; filling a submenu, or nothing, says nothing.
  EXPECT_EQ(LaunchReportText(DecideLaunch(MenuItemSender{"https://x.cn/\r\nC:\\evil.exe", 0, 0}), {}),
            "地址或文件名中含有引号或控制字符，不能交给系统打开:\r\rhttps://x.cn/??C:\\evil.exe");
  EXPECT_EQ(LaunchReportText(DecideLaunch(MenuItemSender{"D:\\Sub", kSubmenuTag, 1}), {}), std::nullopt);
  EXPECT_EQ(LaunchReportText(LaunchRequest{}, {}), std::nullopt);
}

}  // namespace
}  // namespace wendlix
