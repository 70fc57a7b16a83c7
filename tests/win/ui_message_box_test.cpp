// The message window for real: its size and controls as laid out, wrapping at half the
// screen, the kept button widths, and the answers to Escape, Enter, a button and closing.
// A thread timer acts on the box from inside its own modal loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/bar/bar_texts.h"
#include "win/common/wide.h"
#include "win/ui/p_messages.h"

namespace wendlix {
namespace {

std::wstring TextOf(HWND h) {
  wchar_t buffer[1024] = {};
  GetWindowTextW(h, buffer, 1024);
  return buffer;
}

RECT ClientRectIn(HWND parent, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

BOOL CALLBACK MatchMessageForm(HWND h, LPARAM lp) {
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 64);
  if (std::wstring(cls) == TMessageForm::kClassName && IsWindowVisible(h)) {
    *reinterpret_cast<HWND*>(lp) = h;
    return FALSE;
  }
  return TRUE;
}

HWND FindOwnMessageForm() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &MatchMessageForm, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Runs `act` once on the first visible message window of this thread, from its modal loop.
// A box still open about five seconds after the act is marked stuck and closed, so that a
// box that ignores its key fails the test instead of hanging it.
class BoxActor {
 public:
  explicit BoxActor(std::function<void(HWND)> act) {
    current_ = this;
    act_ = std::move(act);
    timer_ = SetTimer(nullptr, 0, 20, &BoxActor::Tick);
  }
  ~BoxActor() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  bool acted = false;
  bool stuck = false;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    BoxActor* self = current_;
    if (!self) return;
    HWND form = FindOwnMessageForm();
    if (form && !self->acted) {
      self->acted = true;
      self->act_(form);
    } else if (form && ++self->ticks_ == 250) {
      self->stuck = true;
      PostMessageW(form, WM_CLOSE, 0, 0);
    }
  }
  static inline BoxActor* current_ = nullptr;
  std::function<void(HWND)> act_;
  UINT_PTR timer_ = 0;
  int ticks_ = 0;
};

TEST(MessageForm, BuildsTheLaidOutWindowWithItsControls) {
  std::unique_ptr<TMessageForm> form = CreateMessageForm("文件已存在。", mtWarning, mbOKOnly);
  ASSERT_TRUE(form);
  HWND h = form->Handle();
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 64);
  EXPECT_EQ(std::wstring(cls), L"TMessageForm");
  EXPECT_EQ(form->Title(), "警告");
  EXPECT_FALSE(IsWindowVisible(h));
  const LONG style = GetWindowLongW(h, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0);

  const MessageFormLayout& l = form->Layout();
  RECT wr{};
  GetWindowRect(h, &wr);
  EXPECT_EQ(wr.right - wr.left, l.client.cx);
  EXPECT_EQ(wr.bottom - wr.top, l.client.cy);
  EXPECT_GE(l.client.cy, 32 + 25);  // the icon's minimum height and the strip

  HWND image = form->FindControl("Image");
  HWND message = form->FindControl("Message");
  HWND ok = form->FindControl("OK");
  ASSERT_TRUE(image && message && ok);
  EXPECT_FALSE(form->FindControl("Cancel"));
  EXPECT_TRUE(SendMessageW(image, STM_GETICON, 0, 0));
  EXPECT_EQ(TextOf(message), L"文件已存在。");
  EXPECT_EQ(TextOf(ok), L"确认(&O)");
  const RECT okRect = ClientRectIn(h, ok);
  EXPECT_EQ(okRect.left, l.buttons[0].bounds.left);
  EXPECT_EQ(okRect.top, l.buttons[0].bounds.top);
  EXPECT_EQ(okRect.right - okRect.left, l.buttons[0].bounds.Width());
  EXPECT_TRUE(GetWindowLongW(ok, GWL_STYLE) & BS_DEFPUSHBUTTON);
  const RECT imageRect = ClientRectIn(h, image);
  EXPECT_EQ(imageRect.right - imageRect.left, 32);
  const RECT textRect = ClientRectIn(h, message);
  EXPECT_GE(textRect.left, imageRect.right);  // the text stands beside the icon

  // The window's font draws Chinese (not boxes) whatever the system's message font is.
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, form->Font());
  FONTSIGNATURE signature{};
  GetTextCharsetInfo(dc, &signature, 0);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  EXPECT_TRUE(signature.fsCsb[0] & (1u << 18)) << "no code page 936 in the font";

  // A custom box has no icon and the application's title.
  std::unique_ptr<TMessageForm> custom = CreateMessageForm("x", mtCustom, 0);
  ASSERT_TRUE(custom);
  EXPECT_FALSE(custom->FindControl("Image"));
  EXPECT_EQ(custom->Title(), kApplicationTitle);

  // Caption widths were kept once and are the same for the next box.
  ASSERT_TRUE(KeptButtonWidths().Kept(mbOK));
  const int kept = *KeptButtonWidths().Kept(mbOK);
  std::unique_ptr<TMessageForm> again = CreateMessageForm("文件已存在。", mtError, mbOKOnly);
  ASSERT_TRUE(again);
  EXPECT_EQ(*KeptButtonWidths().Kept(mbOK), kept);
  EXPECT_EQ(again->Layout().client, l.client);
  EXPECT_LE(kept, l.spacing.buttonWidth);
}

TEST(MessageForm, LongTextWrapsAtHalfTheScreenAndGrowsInHeight) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  std::string longText;
  for (int i = 0; i < 60; ++i) longText += "shortcut 快捷方式 ";
  std::unique_ptr<TMessageForm> shortBox = CreateMessageForm("一行", mtInformation, mbOKOnly);
  std::unique_ptr<TMessageForm> longBox = CreateMessageForm(longText, mtInformation, mbOKOnly);
  ASSERT_TRUE(shortBox && longBox);
  const MessageFormLayout& s = shortBox->Layout();
  const MessageFormLayout& l = longBox->Layout();
  EXPECT_LE(l.text.Width(), screenWidth / 2);
  EXPECT_GT(l.text.Width(), screenWidth / 2 - 120);  // it uses the width before it wraps
  EXPECT_GE(l.text.Height(), 4 * s.text.Height());
  EXPECT_GT(l.client.cy, s.client.cy);
  EXPECT_LE(l.client.cx, screenWidth / 2 + 32 + l.spacing.horzSpacing + 2 * l.spacing.horzMargin + 8);
  const RECT textRect = ClientRectIn(longBox->Handle(), longBox->FindControl("Message"));
  EXPECT_EQ(textRect.bottom - textRect.top, l.text.Height());
}

TEST(MessageBoxes, AnswerEscapeEnterButtonsAndClosing) {
  struct Case {
    const char* what;
    std::function<void(HWND)> act;
    TModalResult expected;
  };
  const auto key = [](WPARAM vk) {
    return [vk](HWND form) {
      HWND focus = GetFocus();
      PostMessageW(focus ? focus : form, WM_KEYDOWN, vk, 1);
    };
  };
  const auto click = [](const char* name) {
    return [name](HWND form) {
      const std::wstring text = name == std::string("Cancel") ? L"取消(&C)" : L"确认(&O)";
      HWND button = FindWindowExW(form, nullptr, L"BUTTON", text.c_str());
      PostMessageW(button, BM_CLICK, 0, 0);
    };
  };
  const Case cases[] = {
      {"Escape", key(VK_ESCAPE), mrCancel},
      {"Enter", key(VK_RETURN), mrOk},
      {"OK button", click("OK"), mrOk},
      {"Cancel button", click("Cancel"), mrCancel},
      {"WM_CLOSE", [](HWND form) { PostMessageW(form, WM_CLOSE, 0, 0); }, mrCancel},
  };
  for (const Case& c : cases) {
    BoxActor actor(c.act);
    EXPECT_EQ(ConfirmBox("删除这个按钮吗?", "确认"), c.expected) << c.what;
    EXPECT_TRUE(actor.acted) << c.what;
    EXPECT_FALSE(actor.stuck) << c.what;
  }

  // Enter on a box of OK only answers mrOk, Escape too (OK is also its cancel button).
  for (WPARAM vk : {VK_RETURN, VK_ESCAPE}) {
    BoxActor actor(key(vk));
    EXPECT_EQ(ShowMessageBox("t", "x", mtWarning, 0, kWarningBoxColor, mbOKOnly), mrOk);
    EXPECT_FALSE(actor.stuck);
  }
}

TEST(MessageBoxes, ShowCentredWithTheGivenTitleAndDisableTheOwner) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(owner);
  SetActiveWindow(owner);
  struct Seen {
    std::wstring title;
    RECT rect{};
    bool ownerEnabled = true;
    COLORREF areaPixel = 0;
  } seen;
  {
    BoxActor actor([&](HWND form) {
      seen.title = TextOf(form);
      GetWindowRect(form, &seen.rect);
      seen.ownerEnabled = IsWindowEnabled(owner);
      UpdateWindow(form);
      HDC dc = GetDC(form);
      seen.areaPixel = GetPixel(dc, 7, 30);  // inside the message area, left of the icon
      ReleaseDC(form, dc);
      PostMessageW(form, WM_CLOSE, 0, 0);
    });
    ShowErrorBox("无法读取快捷方式。", "");
    ASSERT_TRUE(actor.acted);
  }
  EXPECT_EQ(seen.title, L"");  // an empty caption gives an empty strip, not "错误"
  const int w = seen.rect.right - seen.rect.left;
  const int h = seen.rect.bottom - seen.rect.top;
  EXPECT_EQ(seen.rect.left, (GetSystemMetrics(SM_CXSCREEN) - w) / 2);
  EXPECT_EQ(seen.rect.top, (GetSystemMetrics(SM_CYSCREEN) - h) / 2);
  EXPECT_FALSE(seen.ownerEnabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(seen.areaPixel, RGB(0xFF, 0xB9, 0xB9));  // the error colour 0x00B9B9FF

  {
    BoxActor actor([&](HWND form) {
      seen.title = TextOf(form);
      PostMessageW(form, WM_CLOSE, 0, 0);
    });
    ShowInfoBox("已完成。", "导入分组");
  }
  EXPECT_EQ(seen.title, L"导入分组");
  DestroyWindow(owner);
}

TEST(MessageBoxes, OpeningAnimationLeavesTheDesktopInsideTheFrame) {
  HWND probe = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 300, 200, 240, 120, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(probe);
  HDC screen = GetDC(nullptr);
  const COLORREF before = GetPixel(screen, 420, 260);
  PlayOpenAnimation(probe, FormPosition::Designed);
  const COLORREF after = GetPixel(screen, 420, 260);
  // The last frame's black border is left for the window to cover.
  const std::optional<Rect> last = PlanOpenAnimation({300, 200}, {240, 120}).last;
  ASSERT_TRUE(last);
  const COLORREF border = GetPixel(screen, last->left, 260);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(after, before);
  EXPECT_EQ(border, RGB(0, 0, 0));
  PlayOpenAnimation(nullptr, FormPosition::ScreenCenter);  // no window: nothing happens
  DestroyWindow(probe);
}

}  // namespace
}  // namespace wendlix
