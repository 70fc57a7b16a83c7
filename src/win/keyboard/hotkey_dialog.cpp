#include "win/keyboard/hotkey_dialog.h"

#include <cstring>
#include <vector>

#include "core/keyboard/hotkey.h"
#include "core/keyboard/hotkey_texts.h"
#include "win/common/wide.h"
#include "win/ui/p_messages.h"

namespace wendlix {
namespace {

// A dialog template built in memory: the dialog needs no resource of its own.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, int cx, int cy, const std::wstring& title, WORD points, const std::wstring& font) {
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

struct DialogState {
  std::string Current;
  std::string Chosen;
};

std::string EditText(HWND dialog) {
  const HWND edit = GetDlgItem(dialog, kHotKeyEditId);
  const int length = edit ? GetWindowTextLengthW(edit) : 0;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = edit ? GetWindowTextW(edit, text.data(), length + 1) : 0;
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return FromWide(text);
}

INT_PTR CALLBACK HotKeyDialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    if (msg == WM_INITDIALOG) {
      SetWindowLongPtrW(dialog, DWLP_USER, lp);
      const auto* state = reinterpret_cast<const DialogState*>(lp);
      SetDlgItemTextW(dialog, kHotKeyEditId, ToWide(state->Current).c_str());
      SendDlgItemMessageW(dialog, kHotKeyEditId, EM_SETSEL, 0, -1);
      SetFocus(GetDlgItem(dialog, kHotKeyEditId));
      return FALSE;  // the focus is set
    }
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (msg != WM_COMMAND || !state) return FALSE;
    switch (LOWORD(wp)) {
      case IDOK: {
        const std::string text = EditText(dialog);
        const std::optional<HotKey> key = ParseHotKey(text);
        if (!key) {
          ShowErrorBox(HotKeyInvalidText(text), kHotKeyCaption);
          SetFocus(GetDlgItem(dialog, kHotKeyEditId));
          SendDlgItemMessageW(dialog, kHotKeyEditId, EM_SETSEL, 0, -1);
          return TRUE;
        }
        state->Chosen = FormatHotKey(*key);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      default:
        return FALSE;
    }
  } catch (...) {
    // A failing handler must not take the bar down; a failure while starting closes the dialog.
    if (msg == WM_INITDIALOG) EndDialog(dialog, IDCANCEL);
    return FALSE;
  }
}

}  // namespace

std::optional<std::string> ShowHotKeyDialog(HWND owner, const std::string& current) {
  DialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER, 220, 74,
                   ToWide(kHotKeyCaption), 9, L"宋体");
  t.Item(SS_LEFT, 7, 7, 206, 26, 0xFFFF, kStaticAtom, ToWide(kHotKeyPrompt));
  t.Item(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 34, 206, 13, kHotKeyEditId, kEditAtom, L"");
  t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 106, 54, 50, 14, IDOK, kButtonAtom, ToWide(kHotKeyOk));
  t.Item(BS_PUSHBUTTON | WS_TABSTOP, 163, 54, 50, 14, IDCANCEL, kButtonAtom, ToWide(kHotKeyCancel));
  DialogState state{current, {}};
  const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.Get(), owner, &HotKeyDialogProc,
                                                 reinterpret_cast<LPARAM>(&state));
  if (answer != IDOK) return std::nullopt;
  return state.Chosen;
}

}  // namespace wendlix
