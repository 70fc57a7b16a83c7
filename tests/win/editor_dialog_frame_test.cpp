// The editor as a modal dialog from the exe's template: its frame, font and owner, and a template
// that is missing.
#include <gtest/gtest.h>

#include "support/editor_support.h"
#include "support/win_test_support.h"

namespace wendlix {
namespace {

using namespace testing_support;
using Id = TNewBtnForm::Id;

// The font a control was given.
LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font;
}

TEST(EditorDialogFrame, ABorderlessDialogInTheTemplateFontThatDisablesItsOwner) {
  TempFolder folder("editor_frame");
  const unique_hwnd owner(MakeWindow(L"STATIC", nullptr, 0));
  const int dpi = GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSY);
  struct ModeCase {
    bool group;
    SIZE client;      // the mode's panel + 8 by + 65
    int edit, label;  // controls made in code (the shell tests replace the class "Button" in this process)
  };
  for (const ModeCase m : {ModeCase{true, {517, 347}, Id::kText3, Id::kLabel4},
                           ModeCase{false, {408, 195}, Id::kText1, Id::kLabel2}}) {
    SCOPED_TRACE(m.group);
    NewBtnFormSetup s = WebGroupSetup(folder / "g.gpf");
    s.GroupMode = m.group;
    s.Name = "甲";
    s.Target = "a.cn";
    RunEditor({Do([&] {
                const HWND form = EditorForm();
                EXPECT_EQ(ClassOf(form), L"#32770");
                EXPECT_EQ(GetWindow(form, GW_OWNER), owner.get());
                EXPECT_FALSE(IsWindowEnabled(owner.get())) << "the owner is disabled while it is open";
                EXPECT_EQ(WindowText(form), "工具栏属性:【网址】");
                // No border and no caption, but a system menu (Alt+F4, move) and Tab into the pages.
                const LONG style = GetWindowLongW(form, GWL_STYLE);
                const LONG exStyle = GetWindowLongW(form, GWL_EXSTYLE);
                EXPECT_EQ(
                    style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_DLGFRAME | WS_POPUP | WS_SYSMENU),
                    WS_POPUP | WS_SYSMENU);
                EXPECT_EQ(exStyle & (WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT), WS_EX_CONTROLPARENT);
                RECT window{}, client{};
                GetWindowRect(form, &window);
                GetClientRect(form, &client);
                EXPECT_EQ((std::pair{client.right, client.bottom}), (std::pair{m.client.cx, m.client.cy}));
                EXPECT_EQ(window.right - window.left, m.client.cx) << "borderless: the client is the window";
                for (int id : {m.edit, m.label}) {
                  const LOGFONTW font = FontOf(Ctl(id));
                  EXPECT_EQ(std::wstring(font.lfFaceName), L"宋体");
                  EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
                  EXPECT_EQ(font.lfHeight, -MulDiv(9, dpi, 72));
                }
                Key(VK_ESCAPE);
              })},
              s, mrCancel, owner.get());
    EXPECT_TRUE(IsWindowEnabled(owner.get())) << "and enabled again when it closed";
  }
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
