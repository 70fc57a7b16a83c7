// The About window: where it stands, what it snapshots, its two transitions' repaints, one
// window for two commands, and what it holds freed however its window goes.
#include <gtest/gtest.h>

#include <vector>

#include "core/paint/about_window.h"
#include "support/win_test_support.h"
#include "win/common/handle_counts.h"
#include "win/common/unique_handle.h"
#include "win/paint/about_form.h"
#include "win/paint/lumo_fade_control.h"

namespace wendlix {
namespace {

using testing_support::Pump;

struct Recorder : AboutObserver {
  int snapshots = 0, opened = -1, closed = -1;
  PixelBuffer snapshot;
  void Snapshot(const PixelBuffer& screen) override {
    ++snapshots;
    snapshot = screen;
  }
  void TransitionDone(bool closing, int repaints) override { (closing ? closed : opened) = repaints; }
};

// What the program's own wrappers hold, by kind.
std::vector<long> OwnHandles() {
  return {LiveHandleCount(HandleKind::kGdi), LiveHandleCount(HandleKind::kUser),
          LiveHandleCount(HandleKind::kKernel)};
}

TEST(AboutWindow, OpensCentredDissolvesClosesWithABlendAndFreesItself) {
  const auto dib = MakeDibSection(399, 250);
  ASSERT_TRUE(dib);
  std::fill(dib->bits, dib->bits + 399 * 250, 0x336699u);
  const std::vector<long> before = OwnHandles();
  Recorder rec;
  const HWND about = ShowAboutWindow(nullptr, {}, &rec, dib->bitmap.get());
  ASSERT_TRUE(about);
  RECT r{};
  GetWindowRect(about, &r);
  const Rect want = AboutWindowRect(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 399, 250);
  EXPECT_EQ((Rect{r.left, r.top, r.right, r.bottom}), want);
  EXPECT_EQ(rec.snapshots, 1);
  EXPECT_EQ((std::pair{rec.snapshot.Width(), rec.snapshot.Height()}), (std::pair{399, 250}));
  EXPECT_EQ(rec.opened, 81);  // 80 steps of 1246 pixels, then the last 70
  EXPECT_TRUE(GetWindowLongPtrW(about, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // Its name, what a screen reader says of it: the caption and every text it paints.
  EXPECT_EQ(testing_support::WindowText(about), "关于... 使用说明请查看: 帮助文件 Wendlix.htm");

  // A second command only brings the open window forward: no new snapshot of itself.
  EXPECT_EQ(ShowAboutWindow(nullptr, {}, &rec, dib->bitmap.get()), about);
  EXPECT_EQ(rec.snapshots, 1);
  // Moving the pointer without a press moves nothing.
  SendMessageW(about, WM_MOUSEMOVE, 0, MAKELPARAM(200, 120));  // far from (0, 0)
  RECT after{};
  GetWindowRect(about, &after);
  EXPECT_TRUE(EqualRect(&r, &after));

  SendMessageW(about, WM_KEYDOWN, VK_ESCAPE, 0);  // posts the close
  Pump();
  EXPECT_EQ(rec.closed, 81);
  EXPECT_FALSE(IsWindow(about));
  Pump();
  EXPECT_EQ(OwnHandles(), before);
}

TEST(AboutWindow, GoesWithItsOwnerAndFreesWhatItHeld) {
  const auto dib = MakeDibSection(399, 250);
  ASSERT_TRUE(dib);
  const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(owner);
  const std::vector<long> before = OwnHandles();
  Recorder rec;
  const HWND about = ShowAboutWindow(owner, {}, &rec, dib->bitmap.get());
  ASSERT_TRUE(about);
  EXPECT_NE(OwnHandles(), before);
  DestroyWindow(owner);  // as the bar ends with the window open
  Pump();
  EXPECT_FALSE(IsWindow(about));
  EXPECT_EQ(OwnHandles(), before);
}

}  // namespace
}  // namespace wendlix
