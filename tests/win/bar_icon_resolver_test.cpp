// The system icon indexes asked for off the user-interface thread: look-ups queue, one batch
// runs on a worker, the window is told, and the answers are the shell's own.
#include "win/bar/icon_resolver.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/win_test_support.h"
#include "win/shell/shortcut_files.h"

namespace wendlix {
namespace {

using namespace testing_support;

constexpr UINT kIconsMessage = WM_APP + 10;
constexpr int kLongBatch = 200;

// The index the resolver shows once its answers arrived.
int Resolved(IconResolver& icons, const std::string& path, int before) {
  int now = before;
  PumpUntil([&] { return (now = icons.Lookup(path)) != before; },
            [&](const MSG& msg) {
              if (msg.message == kIconsMessage) icons.Collect();
              DispatchMessageW(&msg);
            });
  return now;
}

TEST(IconResolver, AnswersFromTheWorkerReachTheWindow) {
  TempFolder folder("icons");
  ASSERT_TRUE(WriteBytes(folder / "说明.txt", "x"));
  const std::vector<std::string> paths = {WindowsPath("notepad.exe"), folder / "说明.txt",
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
  // The worker asked for the lists the indices are of, so the window need not.
  for (const bool large : {false, true}) EXPECT_EQ(icons.ImageList(large), AskSystemImageList(large));

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

// The threads this process runs now.
int ThreadCount() {
  const unique_file snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  THREADENTRY32 thread{};
  thread.dwSize = sizeof(thread);
  int count = 0;
  for (BOOL more = Thread32First(snapshot.get(), &thread); more; more = Thread32Next(snapshot.get(), &thread))
    count += thread.th32OwnerProcessID == GetCurrentProcessId();
  return count;
}

TEST(IconResolver, WithoutAWindowAnswersAtOnceAndAWorkerStopsWithIt) {
  IconResolver plain;
  const std::string notepad = WindowsPath("notepad.exe");
  EXPECT_EQ(plain.Lookup(notepad), AskSystemIconIndex(notepad));

  // A long batch: how long its look-ups take, one after another.
  std::vector<std::string> batch;
  for (int i = 0; i < kLongBatch; ++i)
    batch.push_back(WindowsPath("system32\\" + std::to_string(i) + ".exe"));
  const ULONGLONG askStart = GetTickCount64();
  for (const std::string& p : batch) AskSystemIconIndex(p);
  const ULONGLONG asking = GetTickCount64() - askStart;
  ASSERT_GE(asking, 200u) << "the batch is too short to tell a stopped worker from a finished one";

  // Destroyed with the batch under way: the worker stops between two look-ups, so the resolver
  // goes long before the batch would end, and leaves no thread behind.
  MessageWindow window;
  const int threads = ThreadCount();
  std::optional<IconResolver> busy(std::in_place);
  busy->SetNotify(window.Handle(), kIconsMessage);
  for (const std::string& p : batch) busy->Lookup(p);
  busy->Flush();
  EXPECT_EQ(ThreadCount(), threads + 1) << "the batch runs on a worker";
  const ULONGLONG start = GetTickCount64();
  busy.reset();
  const ULONGLONG destroying = GetTickCount64() - start;
  EXPECT_LT(destroying, asking / 4) << "asking took " << asking << " ms";
  EXPECT_EQ(ThreadCount(), threads);
}

// A link rewritten in place (a live folder's notice): asked again, the old icon stands until
// the new answer comes.
TEST(IconResolver, ARewrittenLinkIsAskedAgainAndKeepsItsOldIconMeanwhile) {
  TempFolder folder("icons");
  const std::string link = folder / "Tool.lnk";
  const auto writeLink = [&](int icon) {
    DeleteFileW(ToWide(link).c_str());
    TShortCutData data;
    data.Target = WindowsPath("notepad.exe");
    data.IconFile = WindowsPath("system32\\shell32.dll");
    data.IconIndex = icon;
    return WriteShortcutFile(data, link);
  };
  ASSERT_TRUE(writeLink(3));
  MessageWindow window;
  IconResolver icons;
  icons.SetNotify(window.Handle(), kIconsMessage);
  EXPECT_EQ(icons.Lookup(link), -1);
  icons.Flush();
  const int first = Resolved(icons, link, -1);
  EXPECT_EQ(first, AskSystemIconIndex(link));

  ASSERT_TRUE(writeLink(12));
  const int rewritten = AskSystemIconIndex(link);
  ASSERT_NE(rewritten, first);
  EXPECT_EQ(icons.Lookup(link), first);  // cached until asked again
  icons.AskAgain(link);
  EXPECT_EQ(icons.Lookup(link), first);  // the old icon stands meanwhile
  icons.Flush();
  EXPECT_EQ(Resolved(icons, link, first), rewritten);

  icons.AskAgain(folder / "Unknown.lnk");  // never looked up: nothing to ask again
  EXPECT_EQ(icons.Lookup(folder / "Unknown.lnk"), -1);
}

}  // namespace
}  // namespace wendlix
