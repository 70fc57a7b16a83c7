// The About window: where it stands, what it snapshots, its two transitions' repaints, one
// window for two commands, and closing from inside a transition waiting for its end.
#include <gtest/gtest.h>

#include "core/paint/about_window.h"
#include "win/common/unique_handle.h"
#include "win/paint/about_form.h"
#include "win/paint/lumo_fade_control.h"

namespace wendlix {
namespace {

struct Recorder : AboutObserver {
  int snapshots = 0, opened = -1, closed = -1;
  PixelBuffer snapshot;
  void Snapshot(const PixelBuffer& screen) override {
    ++snapshots;
    snapshot = screen;
  }
  void TransitionDone(bool closing, int repaints) override { (closing ? closed : opened) = repaints; }
};

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

TEST(AboutWindow, OpensCentredDissolvesClosesWithABlendAndFreesItself) {
  const auto dib = MakeDibSection(399, 250);
  ASSERT_TRUE(dib);
  std::fill(dib->bits, dib->bits + 399 * 250, 0x336699u);
  Recorder rec;
  const HWND about = ShowAboutWindow(nullptr, &rec, dib->bitmap.get());
  ASSERT_TRUE(about);
  RECT r{};
  GetWindowRect(about, &r);
  const Rect want = AboutWindowRect(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 399, 250);
  EXPECT_EQ(r.left, want.left);
  EXPECT_EQ(r.top, want.top);
  EXPECT_EQ(r.right - r.left, 399);
  EXPECT_EQ(r.bottom - r.top, 250);
  EXPECT_EQ(rec.snapshots, 1);
  EXPECT_EQ(rec.snapshot.Width(), 399);
  EXPECT_EQ(rec.opened, 81);  // 80 steps of 1246 pixels, then the last 70
  EXPECT_TRUE(GetWindowLongPtrW(about, GWL_EXSTYLE) & WS_EX_TOPMOST);

  // A second command only brings the open window forward: no new snapshot of itself.
  EXPECT_EQ(ShowAboutWindow(nullptr, &rec, dib->bitmap.get()), about);
  EXPECT_EQ(rec.snapshots, 1);

  SendMessageW(about, WM_KEYDOWN, VK_ESCAPE, 0);  // posts the close
  Pump();
  EXPECT_EQ(rec.closed, 81);
  EXPECT_FALSE(IsWindow(about));
  Pump();
}

TEST(AboutWindow, MovingThePointerWithoutAPressMovesNothing) {
  const auto dib = MakeDibSection(399, 250);
  ASSERT_TRUE(dib);
  Recorder rec;
  const HWND about = ShowAboutWindow(nullptr, &rec, dib->bitmap.get());
  ASSERT_TRUE(about);
  RECT before{}, after{};
  GetWindowRect(about, &before);
  SendMessageW(about, WM_MOUSEMOVE, 0, MAKELPARAM(200, 120));  // far from (0, 0), no button
  Pump();
  GetWindowRect(about, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_TRUE(IsWindow(about));
  SendMessageW(about, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(about));
}

}  // namespace
}  // namespace wendlix
