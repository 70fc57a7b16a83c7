#include "win/keyboard/hotkey_dialog.h"

#include <cstring>
#include <utility>
#include <vector>

#include "core/keyboard/hotkey.h"
#include "core/keyboard/hotkey_texts.h"
#include "win/common/base_dialog.h"
#include "win/common/wide.h"
#include "win/ui/p_messages.h"

namespace wendlix {
namespace {

// A dialog template built in memory: the dialog needs no resource of its own.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, int cx, int cy, const std::wstring& title, WORD points,
                 const std::wstring& font) {
    Dword(style);
    Dword(0);
    countAt_ = words_.size();
    Word(0);
    for (int v : {0, 0, cx, cy}) Word(static_cast<WORD>(v));
    Word(0);  // no menu
    Word(0);  // the standard dialog class
    Text(title);
    Word(points);
    Text(font);
  }

  void Item(DWORD style, int x, int y, int cx, int cy, WORD id, WORD atom, const std::wstring& text) {
    if (words_.size() % 2) Word(0);  // items start on a DWORD
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    for (int v : {x, y, cx, cy}) Word(static_cast<WORD>(v));
    Word(id);
    Word(0xFFFF);
    Word(atom);
    Text(text);
    Word(0);  // no creation data
    ++words_[countAt_];
  }

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Word(WORD w) { words_.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const std::wstring& s) {
    for (wchar_t c : s) Word(static_cast<WORD>(c));
    Word(0);
  }

  std::vector<WORD> words_;
  std::size_t countAt_ = 0;
};

constexpr WORD kButtonAtom = 0x0080, kEditAtom = 0x0081, kStaticAtom = 0x0082;

class HotKeyDialog final : public BaseDialog<HotKeyDialog> {
 public:
  explicit HotKeyDialog(std::string current) : current_(std::move(current)) {}

  // The chosen hotkey's canonical text, or nothing when cancelled.
  std::optional<std::string> Run(const DLGTEMPLATE* dialogTemplate, HWND owner) {
    if (RunModal(dialogTemplate, owner, false) != IDOK) return std::nullopt;
    return chosen_;
  }

 private:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM) override {
    switch (msg) {
      case WM_INITDIALOG:
        SetDlgItemTextW(Handle(), kHotKeyEditId, ToWide(current_).c_str());
        SelectEdit();
        return FALSE;  // the focus is set
      case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
          Accept();
          return TRUE;
        }
        if (LOWORD(wp) == IDCANCEL) {
          EndDialog(Handle(), IDCANCEL);
          return TRUE;
        }
        return FALSE;
      default: return FALSE;
    }
  }

  void Accept() {
    const std::string text = EditText();
    const std::optional<HotKey> key = ParseHotKey(text);
    if (!key) {
      ShowErrorBox(HotKeyInvalidText(text), kHotKeyCaption);
      SelectEdit();
      return;
    }
    chosen_ = FormatHotKey(*key);
    EndDialog(Handle(), IDOK);
  }

  void SelectEdit() {
    SetFocus(GetDlgItem(Handle(), kHotKeyEditId));
    SendDlgItemMessageW(Handle(), kHotKeyEditId, EM_SETSEL, 0, -1);
  }

  std::string EditText() const {
    const HWND edit = GetDlgItem(Handle(), kHotKeyEditId);
    const int length = edit ? GetWindowTextLengthW(edit) : 0;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = edit ? GetWindowTextW(edit, text.data(), length + 1) : 0;
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return FromWide(text);
  }

  std::string current_;
  std::string chosen_;
};

}  // namespace

std::optional<std::string> ShowHotKeyDialog(HWND owner, const std::string& current) {
  DialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER, 220, 74,
                   ToWide(kHotKeyCaption), 9, L"宋体");
  t.Item(SS_LEFT, 7, 7, 206, 26, 0xFFFF, kStaticAtom, ToWide(kHotKeyPrompt));
  t.Item(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 34, 206, 13, kHotKeyEditId, kEditAtom, L"");
  t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 106, 54, 50, 14, IDOK, kButtonAtom, ToWide(kHotKeyOk));
  t.Item(BS_PUSHBUTTON | WS_TABSTOP, 163, 54, 50, 14, IDCANCEL, kButtonAtom, ToWide(kHotKeyCancel));
  HotKeyDialog dialog(current);
  return dialog.Run(t.Get(), owner);
}

}  // namespace wendlix
