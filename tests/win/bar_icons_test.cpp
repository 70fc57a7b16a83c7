// The icon resolver after a link was rewritten in place: asked again, it shows the old icon
// until the new answer comes, then the new one.
#include <gtest/gtest.h>

#include "live_test_support.h"
#include "shell_test_support.h"
#include "win/bar/icon_resolver.h"
#include "win/shell/shortcut_files.h"

namespace wendlix {
namespace {

using testing_support::kLiveMessage;
using testing_support::MessageWindow;
using testing_support::PumpUntil;
using testing_support::TempFolder;

std::string WindowsProgram(const char* name) {
  wchar_t dir[MAX_PATH] = {};
  GetWindowsDirectoryW(dir, MAX_PATH);
  return FromWide(dir) + "\\" + name;
}

// Writes the link afresh with an icon of the system's own library.
void WriteLink(const std::string& link, const std::string& target, int icon) {
  DeleteFileW(ToWide(link).c_str());
  TShortCutData data;
  data.Target = target;
  data.IconFile = WindowsProgram("system32\\shell32.dll");
  data.IconIndex = icon;
  ASSERT_TRUE(WriteShortcutFile(data, link)) << link;
}

// The index the resolver shows once its answers arrived.
int Resolved(IconResolver& icons, const std::string& path, int before) {
  int now = before;
  PumpUntil([&] { return (now = icons.Lookup(path)) != before; },
            [&](const MSG& msg) {
              if (msg.message == kLiveMessage) icons.Collect();
              DispatchMessageW(&msg);
            });
  return now;
}

TEST(BarIcons, ARewrittenLinkIsAskedAgainAndKeepsItsOldIconMeanwhile) {
  TempFolder folder("icons");
  const std::string link = folder.Path() + "Tool.lnk";
  WriteLink(link, WindowsProgram("notepad.exe"), 3);
  MessageWindow window;
  IconResolver icons;
  icons.SetNotify(window.Handle(), kLiveMessage);

  EXPECT_EQ(icons.Lookup(link), -1);  // asked off this thread
  icons.Flush();
  const int first = Resolved(icons, link, -1);
  EXPECT_EQ(first, AskSystemIconIndex(link));

  WriteLink(link, WindowsProgram("notepad.exe"), 12);
  const int rewritten = AskSystemIconIndex(link);
  ASSERT_NE(rewritten, first);
  EXPECT_EQ(icons.Lookup(link), first);  // cached until asked again
  icons.AskAgain(link);
  EXPECT_EQ(icons.Lookup(link), first);  // the old icon stands meanwhile
  icons.Flush();
  EXPECT_EQ(Resolved(icons, link, first), rewritten);

  icons.AskAgain(folder.Path() + "Unknown.lnk");  // never looked up: nothing to ask again
  EXPECT_EQ(icons.Lookup(folder.Path() + "Unknown.lnk"), -1);
}

}  // namespace
}  // namespace wendlix
