// Driving the modal editor from inside its own loop (ModalScript): its controls, rows, texts
// and the steps every editor test takes.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/profile/ini_file.h"
#include "pictures_support.h"
#include "win/common/wide.h"
#include "win/editor/new_btn_form.h"
#include "win/ui/message_form.h"
#include "win_test_support.h"

namespace wendlix::testing_support {

// The editor is a dialog like any other: the one holding a name edit (button mode) or the pages.
inline HWND EditorForm() {
  const HWND buttonMode = FindThreadWindow(TNewBtnForm::kClassName, TNewBtnForm::kText1);
  return buttonMode ? buttonMode : FindThreadWindow(TNewBtnForm::kClassName, TNewBtnForm::kPageControl);
}
inline HWND MessageBoxForm() { return FindThreadWindow(TMessageForm::kClassName); }
inline HWND Ctl(int id) { return GetDlgItem(EditorForm(), id); }

// The editor as the bar opens it, with the exe's resources.
inline NewBtnFormResult ShowEditor(NewBtnFormSetup setup, HWND owner = nullptr) {
  if (!setup.Resources) setup.Resources = ExeResources();
  return ShowNewBtnForm(owner, setup);
}

// All text in a message form: its static texts joined.
inline std::string BoxText(HWND box) {
  std::string text;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    text += WindowText(child) + "|";
  return text;
}

inline void SetCtlText(int id, const std::string& text) { SetWindowTextW(Ctl(id), ToWide(text).c_str()); }
// A button's click as its parent receives it. (BM_CLICK goes through the mouse capture,
// which Wine refuses to a window that is not the foreground one, as after another desktop
// was used in this process.)
inline void Click(int id) {
  PostMessageW(EditorForm(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Ctl(id)));
}
inline void Key(WPARAM vk) { PostMessageW(GetFocus(), WM_KEYDOWN, vk, 1); }

inline std::vector<std::string> ListRows() {
  const HWND list = Ctl(TNewBtnForm::kTreeViewBtn);
  std::vector<std::string> rows;
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t buffer[260] = {};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = 260;
    SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    rows.push_back(FromWide(buffer));
  }
  return rows;
}

inline void SelectRow(int row) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(Ctl(TNewBtnForm::kTreeViewBtn), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

// The thread's own key state: what GetKeyState reads while a posted key is handled.
inline void HoldControlKey(bool down) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = down ? 0x80 : 0;
  keys[VK_LCONTROL] = keys[VK_CONTROL];
  SetKeyboardState(keys);
}

// The tooltip text of a control, from whichever tooltip window of this thread knows it.
inline std::string ToolHint(HWND control) {
  std::string text;
  ForEachThreadWindow([&](HWND h) {
    if (ClassOf(h) != TOOLTIPS_CLASSW) return true;
    wchar_t buffer[256] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = GetParent(control);
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.uFlags = TTF_IDISHWND;
    info.lpszText = buffer;
    SendMessageW(h, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
    text = FromWide(buffer);
    return text.empty();
  });
  return text;
}

// A section of a settings file as "key=value" lines, in its order.
inline std::vector<std::string> SectionLines(const std::string& file, const std::string& section) {
  const IniFile f(file);
  std::vector<std::string> lines;
  for (const std::string& key : f.ReadSection(section))
    lines.push_back(key + "=" + f.ReadString(section, key, ""));
  return lines;
}

// Alt+B: the buttons page.
inline void ShowButtonsPage() { PostMessageW(GetFocus(), WM_SYSKEYDOWN, 'B', 1 | (1 << 29)); }

// A web group's properties: rows named `names`, each at HTTP://<name>.cn; another group "Programs".
inline NewBtnFormSetup WebGroupSetup(const std::string& groupFile,
                                     const std::vector<std::string>& names = {"甲", "乙", "丙"}) {
  NewBtnFormSetup s;
  s.Caption = "工具栏属性:【网址】";
  s.Title = "网址";
  s.Kind = gkWeb;
  s.KindEnabled = false;
  for (const std::string& n : names) s.Entries.push_back({n, "HTTP://" + n + ".cn", 0});
  s.OtherTitles = {"Programs"};
  s.GroupFile = groupFile;
  return s;
}

// A shortcut group's properties on `folder`, its button section in `groupFile`.
inline NewBtnFormSetup ShortcutGroupSetup(const std::string& folder, const std::string& groupFile) {
  NewBtnFormSetup s;
  s.Caption = "工具栏属性:【程序】";
  s.Title = "程序";
  s.Kind = gkShortcut;
  s.KindEnabled = false;
  s.Folder = folder;
  s.GroupFile = groupFile;
  return s;
}

// A script on the editor: a stuck one closes the box, then the editor.
class EditorScript : public ModalScript {
 public:
  explicit EditorScript(std::vector<Step> steps)
      : ModalScript(std::move(steps), {TMessageForm::kClassName, TNewBtnForm::kClassName}) {}
};

// Steps used everywhere.
inline EditorScript::Step WaitForEditor() {
  return [] { return EditorForm() != nullptr && GetFocus() != nullptr; };
}
inline EditorScript::Step Do(std::function<void()> act) {
  return [act] {
    act();
    return true;
  };
}
// Waits for a message box, keeps its text and answers it with Enter (OK).
inline EditorScript::Step AnswerBox(std::string* text) {
  return [text] {
    const HWND box = MessageBoxForm();
    if (!box) return false;
    if (text) *text = BoxText(box);
    PostMessageW(GetFocus() ? GetFocus() : box, WM_KEYDOWN, VK_RETURN, 1);
    return true;
  };
}
inline EditorScript::Step NoBox() {
  return [] { return MessageBoxForm() == nullptr; };
}

// Runs `steps` in the editor shown with `setup`, from when it has the focus: the script must
// finish and the editor end with `expected`.
inline NewBtnFormResult RunEditor(std::vector<EditorScript::Step> steps, NewBtnFormSetup setup,
                                  TModalResult expected, HWND owner = nullptr) {
  steps.insert(steps.begin(), WaitForEditor());
  const EditorScript script(std::move(steps));
  const NewBtnFormResult result = ShowEditor(std::move(setup), owner);
  EXPECT_TRUE(script.Finished()) << "stopped at step " << script.StepReached();
  EXPECT_EQ(result.ModalResult, expected);
  return result;
}

}  // namespace wendlix::testing_support
