// The system icon indexes asked for off the user-interface thread: look-ups queue, one batch
// runs on a worker, the window is told, and the answers are the shell's own.
#include "win/bar/icon_resolver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/win_test_support.h"

namespace wendlix {
namespace {

using namespace testing_support;

constexpr UINT kIconsMessage = WM_APP + 10;

TEST(IconResolver, AnswersFromTheWorkerReachTheWindow) {
  TempFolder folder("icons");
  ASSERT_TRUE(WriteBytes(folder / "说明.txt", "x"));
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::vector<std::string> paths = {FromWide(windows) + "\\notepad.exe", folder / "说明.txt",
                                          folder / "不在.exe"};
  std::vector<int> direct;
  for (const std::string& p : paths) direct.push_back(AskSystemIconIndex(p));
  ASSERT_GE(direct[0], 0);
  ASSERT_GE(direct[1], 0);

  MessageWindow window;
  IconResolver icons;
  icons.SetNotify(window.Handle(), kIconsMessage);
  for (const std::string& p : paths) EXPECT_EQ(icons.Lookup(p), -1) << p;  // queued, not asked here
  EXPECT_FALSE(icons.Collect());
  icons.Flush();
  int told = 0;
  const auto answered = [&] {
    for (std::size_t i = 0; i < paths.size(); ++i)
      if (icons.Lookup(paths[i]) != direct[i]) return false;
    return told > 0;
  };
  EXPECT_TRUE(PumpUntil(answered,
                        [&](const MSG& msg) {
                          if (msg.hwnd == window.Handle() && msg.message == kIconsMessage) {
                            ++told;
                            icons.Collect();
                          }
                        }))
      << "told " << told << " times";

  // A path asked while a batch runs goes in the next one, started by the collection.
  const std::string later = folder / "later.txt";
  ASSERT_TRUE(WriteBytes(later, "y"));
  EXPECT_EQ(icons.Lookup(later), -1);
  icons.Flush();
  EXPECT_TRUE(PumpUntil([&] { return icons.Lookup(later) == direct[1]; },
                        [&](const MSG& msg) {
                          if (msg.message == kIconsMessage) icons.Collect();
                        }));
}

TEST(IconResolver, WithoutAWindowAnswersAtOnceAndAWorkerStopsWithIt) {
  IconResolver plain;
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::string notepad = FromWide(windows) + "\\notepad.exe";
  EXPECT_EQ(plain.Lookup(notepad), AskSystemIconIndex(notepad));

  // Destroyed with a long batch under way: the worker ends and nothing is left running.
  MessageWindow window;
  {
    IconResolver busy;
    busy.SetNotify(window.Handle(), kIconsMessage);
    for (int i = 0; i < 200; ++i) busy.Lookup("C:\\nothere\\" + std::to_string(i) + ".exe");
    busy.Flush();
  }
  Pump();
}

}  // namespace
}  // namespace wendlix
