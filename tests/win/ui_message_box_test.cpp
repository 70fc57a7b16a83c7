// The message window for real: its controls and font, wrapping measured text, and the answers to
// Escape, Enter, a button and closing, acted on from inside its modal loop. The layout's sums
// and the kept button widths are the core's (tests/unit/ui/message_box_test.cpp).
#include <windows.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <functional>
#include <string>

#include "core/bar/bar_texts.h"
#include "support/look_support.h"
#include "support/win_test_support.h"
#include "win/common/accessible_ids.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"
#include "win/ui/p_messages.h"

namespace wendlix {
namespace {

using testing_support::AccChild;
using testing_support::MakeWindow;
using testing_support::ModalScript;
using testing_support::OnWindow;
using testing_support::WindowText;

// Acts once on the first visible box of this thread; a box that stays open is closed and the
// script ends stuck.
struct BoxActor : ModalScript {
  explicit BoxActor(std::function<void(HWND)> act)
      : ModalScript({OnWindow(TMessageForm::kClassName, std::move(act))}, {TMessageForm::kClassName}) {}
};

TEST(MessageForm, BuildsTheWindowWithItsControlsAndAChineseFont) {
  std::unique_ptr<TMessageForm> form = CreateMessageForm("文件已存在。", mtWarning, mbOKOnly);
  ASSERT_TRUE(form);
  const HWND h = form->Handle();
  EXPECT_EQ(form->Title(), "警告");
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0);
  const HWND ok = form->FindControl("OK");
  ASSERT_TRUE(form->FindControl("Image") && ok);
  EXPECT_FALSE(form->FindControl("Cancel"));
  EXPECT_TRUE(SendMessageW(form->FindControl("Image"), STM_GETICON, 0, 0));
  EXPECT_EQ(WindowText(form->FindControl("Message")), "文件已存在。");
  EXPECT_EQ(WindowText(ok), "确认(&O)");
  EXPECT_TRUE(GetWindowLongW(ok, GWL_STYLE) & BS_DEFPUSHBUTTON);

  // The window's font draws Chinese (not boxes) whatever the system's message font is.
  const WindowDc dc(h);
  FONTSIGNATURE signature{};
  {
    SelectObjectScope select(dc.get(), form->Font());
    GetTextCharsetInfo(dc.get(), &signature, 0);
  }
  EXPECT_TRUE(signature.fsCsb[0] & (1u << 18)) << "no code page 936 in the font";

  // A custom box has no icon and the application's title.
  std::unique_ptr<TMessageForm> custom = CreateMessageForm("x", mtCustom, 0);
  ASSERT_TRUE(custom);
  EXPECT_FALSE(custom->FindControl("Image"));
  EXPECT_EQ(custom->Title(), kApplicationTitle);
}

// Each look: strip, message area and their text from its palette, readable; high contrast leaves
// the strip's dotted grip out. The open box follows a change of look.
TEST(MessageForm, PaintsEachLookReadablyAndFollowsAChangeWhileOpen) {
  std::unique_ptr<TMessageForm> form = CreateMessageForm("文件已存在。", mtWarning, mbOKOnly);
  ASSERT_TRUE(form);
  const HWND h = form->Handle();
  ShowWindow(h, SW_SHOWNOACTIVATE);
  const MessageFormLayout& l = form->Layout();
  const RECT title{3, 3, l.client.cx - 3, l.captionStrip},
      text{l.text.left, l.text.top, l.text.right, l.text.bottom};
  for (ThemeMode mode : {ThemeMode::kDark, ThemeMode::kHighContrast, ThemeMode::kLight}) {
    SCOPED_TRACE(testing_support::LookName(mode));
    testing_support::LookScope look(mode);
    SendMessageW(h, ThemeChangedMessage(), 0, 0);
    RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    testing_support::Canvas shot(l.client.cx, l.client.cy);
    BitBlt(shot.Dc(), 0, 0, l.client.cx, l.client.cy, WindowDc(h).get(), 0, 0, SRCCOPY);
    const MessageBoxPalette& c = CurrentPalette().messageBox;
    const COLORREF field = mode == ThemeMode::kLight ? kDefaultMessageFormColor : c.field;
    EXPECT_EQ(shot.At(3, 3), c.face);
    EXPECT_EQ(shot.At(5, 4), mode == ThemeMode::kHighContrast ? c.face : c.light);
    EXPECT_EQ(shot.At(7, l.text.top), field);
    EXPECT_GE(testing_support::TextContrast(shot, title, c.face), kReadableContrast);
    EXPECT_GE(testing_support::TextContrast(shot, text, field), kReadableContrast);
  }
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
  RECT text{};
  GetWindowRect(longBox->FindControl("Message"), &text);
  EXPECT_EQ(text.bottom - text.top, l.text.Height());
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
  // A button answers with its own result (which button answers what is the core's).
  const auto clickCancel = [](HWND form) {
    PostMessageW(FindWindowExW(form, nullptr, L"BUTTON", L"取消(&C)"), BM_CLICK, 0, 0);
  };
  const Case cases[] = {
      {"Escape", key(VK_ESCAPE), mrCancel},
      {"Enter", key(VK_RETURN), mrOk},
      {"Cancel button", clickCancel, mrCancel},
      {"WM_CLOSE", [](HWND form) { PostMessageW(form, WM_CLOSE, 0, 0); }, mrCancel},
  };
  for (const Case& c : cases) {
    BoxActor actor(c.act);
    EXPECT_EQ(ConfirmBox("删除这个按钮吗?", "确认"), c.expected) << c.what;
    EXPECT_TRUE(actor.Finished()) << c.what;
  }

  // Escape on a box of OK only answers mrOk: OK is also its cancel button.
  BoxActor actor(key(VK_ESCAPE));
  EXPECT_EQ(ShowMessageBox("t", "x", mtWarning, 0, kWarningBoxColor, mbOKOnly), mrOk);
  EXPECT_TRUE(actor.Finished());
}

TEST(MessageBoxes, ShowCentredWithTheGivenTitleAndDisableTheOwner) {
  const unique_hwnd owner(MakeWindow(L"STATIC", nullptr, WS_VISIBLE, {0, 0, 50, 50}));
  SetActiveWindow(owner.get());
  {
    BoxActor actor([&](HWND form) {
      EXPECT_EQ(WindowText(form), "");  // an empty caption gives an empty strip, not "错误"
      RECT r{};
      GetWindowRect(form, &r);
      EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
      EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
      EXPECT_FALSE(IsWindowEnabled(owner.get()));
      UpdateWindow(form);
      // Inside the message area, left of the icon: the error colour 0x00B9B9FF.
      EXPECT_EQ(GetPixel(WindowDc(form).get(), 7, 30), RGB(0xFF, 0xB9, 0xB9));
      PostMessageW(form, WM_CLOSE, 0, 0);
    });
    ShowErrorBox("无法读取快捷方式。", "");
    ASSERT_TRUE(actor.Finished());
  }
  EXPECT_TRUE(IsWindowEnabled(owner.get()));
  BoxActor actor([&](HWND form) {
    EXPECT_EQ(WindowText(form), "导入分组");
    PostMessageW(form, WM_CLOSE, 0, 0);
  });
  ShowInfoBox("已完成。", "导入分组");
  EXPECT_TRUE(actor.Finished());
}

TEST(MessageBoxes, OpeningAnimationLeavesTheDesktopInsideTheFrame) {
  const unique_hwnd probe(MakeWindow(L"STATIC", nullptr, 0, {300, 200, 540, 320}));
  ASSERT_TRUE(probe);
  const WindowDc screen(nullptr);
  const COLORREF before = GetPixel(screen.get(), 420, 260);
  PlayOpenAnimation(probe.get(), FormPosition::Designed);
  EXPECT_EQ(GetPixel(screen.get(), 420, 260), before);
  // The last frame's black border is left for the window to cover.
  const std::optional<Rect> last = PlanOpenAnimation({300, 200}, {240, 120}).last;
  ASSERT_TRUE(last);
  EXPECT_EQ(GetPixel(screen.get(), last->left, 260), RGB(0, 0, 0));
  PlayOpenAnimation(nullptr, FormPosition::ScreenCenter);  // no window: nothing happens
}

}  // namespace
}  // namespace wendlix

namespace wendlix {
namespace {

// A screen reader reads the painted caption, the text and the buttons (the default one known), and
// its default action on a button answers as the button's click.
TEST(MessageBoxes, ScreenReaderReadsCaptionTextAndButtonsAndPressesOne) {
  BoxActor actor([](HWND form) {
    IAccessible* box = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(form, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                         reinterpret_cast<void**>(&box)),
              S_OK);
    const auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), LONG id) {
      BSTR out = nullptr;
      (box->*get)(AccChild(id), &out);
      const std::string got = out ? FromWide(out) : "";
      SysFreeString(out);
      return got;
    };
    const auto state = [&](LONG id) {
      VARIANT out{};
      box->get_accState(AccChild(id), &out);
      return out.lVal;
    };
    LONG count = 0;
    box->get_accChildCount(&count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(text(&IAccessible::get_accName, CHILDID_SELF), "确认");
    EXPECT_EQ(text(&IAccessible::get_accName, 1), "删除这个按钮吗?");
    EXPECT_EQ(text(&IAccessible::get_accName, 2), "确认");
    EXPECT_EQ(text(&IAccessible::get_accKeyboardShortcut, 2), "Alt+O");
    EXPECT_EQ(state(2), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_DEFAULT | STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(text(&IAccessible::get_accName, 3), "取消");
    EXPECT_EQ(state(3), STATE_SYSTEM_FOCUSABLE);
    EXPECT_EQ(text(&IAccessible::get_accDefaultAction, 3), "按下");
    EXPECT_EQ(box->accDoDefaultAction(AccChild(3)), S_OK);
    box->Release();
  });
  EXPECT_EQ(ConfirmBox("删除这个按钮吗?", "确认"), mrCancel);
  EXPECT_TRUE(actor.Finished());
}

}  // namespace
}  // namespace wendlix
