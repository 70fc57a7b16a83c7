// The figures the leak hunts rest on: that they follow objects made and freed exactly, and that the
// program's own handle wrappers count what they hold through every way of taking and giving it up.
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "win/common/handle_counts.h"
#include "win/common/unique_handle.h"
#include "win/diagnostics/resource_counts.h"
#include "win/inspect/bar_query.h"

namespace wendlix {
namespace {

long OwnGdi() { return LiveHandleCount(HandleKind::kGdi); }
long OwnUser() { return LiveHandleCount(HandleKind::kUser); }
long OwnKernel() { return LiveHandleCount(HandleKind::kKernel); }

TEST(ResourceCounts, GdiObjectsFollowWhatIsMadeAndFreed) {
  DeleteObject(CreateSolidBrush(RGB(1, 2, 3)));  // whatever a first brush sets up stays out of the figures
  const long before = GdiObjects(SampleResourceCounts());
  ASSERT_GT(before, 0) << "neither GetGuiResources nor the GDI handle table answered";
  std::vector<HBRUSH> brushes;
  for (int i = 0; i < 10; ++i) brushes.push_back(CreateSolidBrush(RGB(i, 2, 3)));
  EXPECT_EQ(before + 10, GdiObjects(SampleResourceCounts()));
  for (HBRUSH b : brushes) DeleteObject(b);
  EXPECT_EQ(before, GdiObjects(SampleResourceCounts()));
}

TEST(ResourceCounts, WindowsAndPrivateMemoryFollowTheProgram) {
  // Counted from under a top-level window: Wine gives a thread's top-level windows helpers of its own (IME).
  HWND top =
      CreateWindowExW(0, L"STATIC", L"counted", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(top);
  const long windows = SampleResourceCounts().Windows;
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, top, nullptr, nullptr, nullptr);
  HWND grandchild =
      CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 2, 2, child, nullptr, nullptr, nullptr);
  ASSERT_TRUE(child && grandchild);
  EXPECT_EQ(windows + 2, SampleResourceCounts().Windows);
  DestroyWindow(child);
  EXPECT_EQ(windows, SampleResourceCounts().Windows);
  DestroyWindow(top);

  constexpr std::size_t kBlock = 8u << 20;
  const std::uint64_t base = PrivateMemory(SampleResourceCounts());
  void* block = VirtualAlloc(nullptr, kBlock, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  ASSERT_NE(nullptr, block);
  EXPECT_GE(PrivateMemory(SampleResourceCounts()), base + kBlock);
  VirtualFree(block, 0, MEM_RELEASE);
  EXPECT_LT(PrivateMemory(SampleResourceCounts()), base + kBlock / 8);
}

TEST(ResourceCounts, WrappersCountWhatTheyHold) {
  const long gdi = OwnGdi(), user = OwnUser(), kernel = OwnKernel();
  {
    unique_hbrush a(CreateSolidBrush(RGB(9, 9, 9)));
    EXPECT_EQ(gdi + 1, OwnGdi());
    unique_hbrush b(std::move(a));  // moved, still one
    EXPECT_EQ(gdi + 1, OwnGdi());
    b.reset(CreateSolidBrush(RGB(8, 8, 8)));  // the old one freed, the new one held
    EXPECT_EQ(gdi + 1, OwnGdi());
    unique_hbrush c(CreateSolidBrush(RGB(7, 7, 7)));
    c = std::move(b);  // c's own brush is freed by the assignment
    EXPECT_EQ(gdi + 1, OwnGdi());
    HBRUSH loose = c.release();  // no longer the wrapper's
    EXPECT_EQ(gdi, OwnGdi());
    DeleteObject(loose);
    unique_hbrush empty(nullptr);
    EXPECT_EQ(gdi, OwnGdi());
    WindowDc screen(nullptr);
    unique_memory_dc memory(CreateCompatibleDC(screen.get()));
    EXPECT_EQ(gdi + 2, OwnGdi());
    unique_hmenu menu(CreatePopupMenu());
    EXPECT_EQ(user + 1, OwnUser());
  }
  EXPECT_EQ(gdi, OwnGdi());
  EXPECT_EQ(user, OwnUser());

  // Out-parameters are counted only when the call stored a handle.
  {
    unique_hkey key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.put()));
    EXPECT_EQ(kernel + 1, OwnKernel());
    unique_hkey missing;
    EXPECT_NE(ERROR_SUCCESS,
              RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\no such key 7f3a", 0, KEY_READ, missing.put()));
    EXPECT_EQ(kernel + 1, OwnKernel());
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.put()));
    EXPECT_EQ(kernel + 1, OwnKernel()) << "put() on a held key closes it first";
  }
  EXPECT_EQ(kernel, OwnKernel());
}

TEST(ResourceCounts, ReportAndTable) {
  // The report leads with the figures the leak checks read, then the raw sources: "name<TAB>value" a line.
  std::vector<std::string> names;
  std::istringstream report(*AnswerProcessQuery("counts"));
  for (std::string line; std::getline(report, line);) names.push_back(line.substr(0, line.find('\t')));
  EXPECT_EQ(names, (std::vector<std::string>{"gdi", "windows", "own-gdi", "own-user", "own-kernel", "private",
                                             "gui-gdi", "gui-user", "gdi-table", "private-usage",
                                             "committed-private"}));
  EXPECT_FALSE(AnswerProcessQuery("layout"));
  EXPECT_FALSE(AnswerProcessQuery("count"));

  // A table in Wine's layout: an entry is live when its type byte is set.
  std::vector<unsigned char> table(24 * 5, 0);
  for (int live : {0, 3, 4}) table[live * 24 + 14] = 0x10;
  table[1 * 24 + 0] = 0xFF;  // a freed entry keeps a pointer to the next free one
  EXPECT_EQ(3, CountGdiTableEntries(table.data(), 5));
  EXPECT_EQ(-1, CountGdiTableEntries(nullptr, 5));
}

}  // namespace
}  // namespace wendlix
