// The keyboard's Win32 side: the global hotkey registered, refused when taken and given up;
// the bar called up by it (slid out, held, foreground) and the foreground given back; the
// focused button drawn with a mark.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "core/bar/bar_view.h"
#include "support/appbar_support.h"
#include "win/bar/bar_painter.h"
#include "win/keyboard/global_hotkey.h"
#include "win/keyboard/keyboard_session.h"

namespace wendlix {
namespace {

using testing_support::Pump;

class KeyTestBar : public TAppToolBar<KeyTestBar> {
 public:
  static constexpr wchar_t kClassName[] = L"WendlixKeyboardTestBar";
};

HWND PlainWindow(const wchar_t* title) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"WendlixKeyboardTestPlain";
  RegisterClassW(&wc);
  const HWND hwnd = CreateWindowExW(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200,
                                    300, 200, nullptr, nullptr, wc.hInstance, nullptr);
  Pump();
  return hwnd;
}

TEST(GlobalHotKey, RegistersRefusesATakenOneAndGivesItUp) {
  const HWND a = PlainWindow(L"a"), b = PlainWindow(L"b");
  const HotKey key = *ParseHotKey("Ctrl+Alt+Shift+F11");
  {
    GlobalHotKey first, second;
    EXPECT_EQ(first.Register(a, key), HotKeyRegistration::kRegistered);
    EXPECT_TRUE(first.Registered());
    EXPECT_TRUE(first.Matches(GlobalHotKey::kId));
    EXPECT_EQ(second.Register(b, key), HotKeyRegistration::kTaken);
    EXPECT_FALSE(second.Registered());
    EXPECT_FALSE(second.Matches(GlobalHotKey::kId));
    // Another combination is free; "none" registers nothing and gives up what was held.
    EXPECT_EQ(second.Register(b, *ParseHotKey("Ctrl+Alt+Shift+F10")), HotKeyRegistration::kRegistered);
    EXPECT_EQ(second.Register(b, HotKey{}), HotKeyRegistration::kNone);
    EXPECT_FALSE(second.Registered());
    first.Unregister();
    EXPECT_EQ(second.Register(b, key), HotKeyRegistration::kRegistered);
  }
  // Both gave theirs up on destruction.
  EXPECT_TRUE(RegisterHotKey(a, 7, MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F11));
  UnregisterHotKey(a, 7);
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST(KeyboardSession, CallsTheHiddenBarUpAndGivesTheForegroundBack) {
  const HWND spare = PlainWindow(L"spare");
  const HWND other = PlainWindow(L"other");
  const auto owned = testing_support::MakeDockedBar<KeyTestBar>(abeRight, true, true);
  KeyTestBar& bar = *owned;
  bar.SlideAutoHide(false);
  SetForegroundWindow(other);
  Pump();
  ASSERT_EQ(GetForegroundWindow(), other);
  ASSERT_FALSE(bar.ShowRequested());

  KeyboardSession session(bar);
  session.Begin();
  Pump();
  EXPECT_TRUE(session.Active());
  EXPECT_TRUE(bar.ShowRequested());  // slid out
  RECT r{};
  GetWindowRect(bar.Handle(), &r);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(GetForegroundWindow(), bar.Handle());
  EXPECT_EQ(GetFocus(), bar.Handle());
  // A second call while active keeps the window to return to.
  session.Begin();

  session.GiveBack();
  Pump();
  EXPECT_FALSE(session.Active());
  EXPECT_EQ(GetForegroundWindow(), other);

  // The remembered window went away meanwhile: the next window in line takes the foreground.
  session.Begin();
  Pump();
  DestroyWindow(other);
  Pump();
  SetForegroundWindow(bar.Handle());
  session.GiveBack();
  Pump();
  EXPECT_EQ(GetForegroundWindow(), spare);

  // A window that took the foreground meanwhile (a program just started) keeps it.
  session.Begin();
  Pump();
  const HWND started = PlainWindow(L"started");
  SetForegroundWindow(started);
  Pump();
  session.GiveBack();
  Pump();
  EXPECT_EQ(GetForegroundWindow(), started);
  DestroyWindow(started);
  DestroyWindow(spare);
}

TEST(KeyboardFocusMark, OnlyTheFocusedButtonChanges) {
  std::vector<GroupPanel> groups(1);
  groups[0].Height = 200;
  groups[0].Data.Color = 0x00E5E5E5;
  for (int i = 0; i < 3; ++i) AddGroupButton(groups[0], "B" + std::to_string(i), false, "C:\\x.lnk");
  AddCollapseButton(groups[0]);
  BarResources resources(GetModuleHandleW(nullptr));
  GroupBackgrounds backgrounds;
  BarPainter painter(resources, backgrounds);
  const Size size{100, 300};
  const BarView view = ArrangeBar(groups, abeRight, size, true);
  auto paint = [&](const BarPointer& pointer) {
    const testing_support::Canvas canvas(size.cx, size.cy);
    painter.Paint(canvas.Dc(), view, groups, pointer);
    return canvas.Pixels();
  };
  const PixelBuffer plain = paint({});
  const BarHit focused{BarHit::Kind::kGroupButton, 0, 1};
  painter.SetFocused(focused);
  const PixelBuffer marked = paint({});
  const Rect button = HitBounds(view, groups, focused);
  int inside = 0, outside = 0;
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x) {
      if (plain.At(x, y) == marked.At(x, y)) continue;
      (Contains(button, Point{x, y}) ? inside : outside)++;
    }
  }
  EXPECT_GT(inside, 20);  // a dotted frame around the caption
  EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace wendlix
