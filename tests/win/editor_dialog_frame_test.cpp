// The editor as a modal dialog from the exe's template: its frame, font and owner, and a template
// that is missing.
#include <gtest/gtest.h>

#include "support/editor_support.h"
#include "support/win_test_support.h"

namespace wendlix {
namespace {

using namespace testing_support;
using Id = TNewBtnForm::Id;

struct Frame {
  std::wstring cls;
  LONG style = 0, exStyle = 0;
  RECT window{}, client{};
  LOGFONTW labelFont{}, editFont{};  // controls made in code
  bool ownerEnabled = true;
  std::string caption;
};

Frame ReadFrame(HWND form, HWND owner) {
  Frame f;
  f.cls = ClassOf(form);
  f.style = GetWindowLongW(form, GWL_STYLE);
  f.exStyle = GetWindowLongW(form, GWL_EXSTYLE);
  GetWindowRect(form, &f.window);
  GetClientRect(form, &f.client);
  // Not the template's buttons: the shell tests register a class "Button" of their own in this
  // process, which then stands in for the system's and keeps no font.
  const bool buttonMode = GetDlgItem(form, TNewBtnForm::kText1) != nullptr;
  const HWND edit = GetDlgItem(form, buttonMode ? TNewBtnForm::kText1 : TNewBtnForm::kText3);
  const HWND label = GetDlgItem(form, buttonMode ? TNewBtnForm::kLabel2 : TNewBtnForm::kLabel4);
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), sizeof(f.labelFont),
             &f.labelFont);
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), sizeof(f.editFont), &f.editFont);
  f.ownerEnabled = IsWindowEnabled(owner) != FALSE;
  f.caption = WindowText(form);
  return f;
}

TEST(EditorDialogFrame, ABorderlessDialogInTheTemplateFontThatDisablesItsOwner) {
  TempFolder folder("editor_frame");
  const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  struct ModeCase {
    bool group;
    SIZE client;  // the mode's panel + 8 by + 65
  };
  for (const ModeCase m : {ModeCase{true, {517, 347}}, ModeCase{false, {408, 195}}}) {
    Frame frame;
    HWND formOwner = nullptr;
    EditorScript script({WaitForEditor(), Do([&] {
                           frame = ReadFrame(EditorForm(), owner);
                           formOwner = GetWindow(EditorForm(), GW_OWNER);
                           Key(VK_ESCAPE);
                         })});
    NewBtnFormSetup s = WebGroupSetup(folder / "g.gpf");
    s.GroupMode = m.group;
    s.Name = "甲";
    s.Target = "a.cn";
    EXPECT_EQ(ShowEditor(s, owner).ModalResult, mrCancel);
    EXPECT_TRUE(script.Finished()) << script.StepReached();
    EXPECT_EQ(frame.cls, L"#32770");
    EXPECT_EQ(formOwner, owner);
    EXPECT_FALSE(frame.ownerEnabled) << "the owner is disabled while the editor is open";
    EXPECT_TRUE(IsWindowEnabled(owner)) << "and enabled again when it closed";
    EXPECT_EQ(frame.caption, "工具栏属性:【网址】");
    // No border and no caption, but a system menu (Alt+F4, move) and Tab into the pages.
    EXPECT_EQ(frame.style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_DLGFRAME), 0);
    EXPECT_EQ(frame.style & (WS_POPUP | WS_SYSMENU), WS_POPUP | WS_SYSMENU);
    EXPECT_EQ(frame.exStyle & WS_EX_DLGMODALFRAME, 0);
    EXPECT_NE(frame.exStyle & WS_EX_CONTROLPARENT, 0);
    EXPECT_EQ(frame.client.right, m.client.cx);
    EXPECT_EQ(frame.client.bottom, m.client.cy);
    EXPECT_EQ(frame.window.right - frame.window.left, m.client.cx) << "borderless: the client is the window";
    const int dpi = GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSY);
    for (const LOGFONTW& font : {frame.labelFont, frame.editFont}) {
      EXPECT_EQ(std::wstring(font.lfFaceName), L"宋体");
      EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
      EXPECT_EQ(font.lfHeight, -MulDiv(9, dpi, 72));
    }
  }
  DestroyWindow(owner);
}

TEST(EditorDialogFrame, AMissingTemplateOpensNothing) {
  // This test exe carries no template: the editor answers Cancel at once.
  NewBtnFormSetup s = WebGroupSetup("g.gpf");
  s.Resources = GetModuleHandleW(nullptr);
  EXPECT_EQ(ShowNewBtnForm(nullptr, s).ModalResult, mrCancel);
  EXPECT_EQ(EditorForm(), nullptr);
}

}  // namespace
}  // namespace wendlix
