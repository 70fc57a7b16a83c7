#include "win/ui/message_form.h"

#include <algorithm>
#include <vector>

#include "core/accessible/message_box_accessible.h"
#include "core/bar/bar_texts.h"
#include "win/common/wide.h"
#include "win/paint/theme_win.h"
#include "win/ui/chinese_font.h"
#include "win/ui/p_messages.h"
#include "win/ui/window_dpi.h"

namespace wendlix {
namespace {

constexpr UINT kMoveBySystemCommand = 0xF012;  // SC_MOVE | HTCAPTION: drag the window

const wchar_t* IconOf(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return IDI_WARNING;
    case mtError: return IDI_ERROR;
    case mtInformation: return IDI_INFORMATION;
    case mtConfirmation: return IDI_QUESTION;
    default: return nullptr;
  }
}

// Message text is shown as given: a file name with "&" must not lose it to an access key.
constexpr UINT kTextFormat = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
  // Horizontal or vertical, end point excluded as with LineTo.
  RECT r{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  if (r.left == r.right) r.right = r.left + 1;
  if (r.top == r.bottom) r.bottom = r.top + 1;
  SetDCBrushColor(dc, color);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

BOOL CALLBACK CollectEnabledWindow(HWND h, LPARAM lp) {
  auto* list = reinterpret_cast<std::vector<HWND>*>(lp);
  if (IsWindowVisible(h) && IsWindowEnabled(h)) list->push_back(h);
  return TRUE;
}

COLORREF ToColorRef(std::uint32_t c) { return static_cast<COLORREF>(c & 0x00FFFFFF); }

}  // namespace

ButtonWidthCache& KeptButtonWidths() {
  static ButtonWidthCache cache;
  return cache;
}

std::unique_ptr<TMessageForm> TMessageForm::Create(const std::string& text, TMsgDlgType type,
                                                   TMsgDlgButtons buttons, HWND owner) {
  std::unique_ptr<TMessageForm> form(new TMessageForm());
  if (!form->Build(text, type, buttons, owner)) return nullptr;
  return form;
}

bool TMessageForm::Build(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, HWND owner) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  if (!RegisterClassOnce(wc)) return false;
  const bool rightToLeft = owner && (GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
  DWORD exStyle = WS_EX_CONTROLPARENT | (rightToLeft ? WS_EX_RTLREADING : 0);
  if (!CreateHandle(exStyle, L"", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, owner, instance)) return false;

  const int dpi = WindowDpi(owner ? owner : Handle());
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    // The system's font is sized for the system DPI; the box stands on its owner's monitor.
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
    ownFont_.reset(CreateChineseCapableFont(metrics.lfMessageFont));
  }
  font_ = ownFont_ ? ownFont_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

  MessageFormInput in;
  in.type = type;
  in.buttons = buttons;
  in.rightToLeft = rightToLeft;
  in.scale = DpiScale(dpi);
  in.screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  {
    WindowDc dc(Handle());
    if (!dc.get()) return false;
    SelectObjectScope selectFont(dc.get(), font_);
    const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), kLetters, 52, &extent);
    in.units = DialogUnitsFromExtent(extent.cx, extent.cy);

    for (TMsgDlgBtn b : ButtonsOf(buttons)) {
      if (KeptButtonWidths().Kept(b)) continue;
      const std::wstring caption = ToWide(ButtonInfo(b).caption);
      RECT r{0, 0, 0, 0};
      DrawTextW(dc.get(), caption.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
      KeptButtonWidths().Keep(b, r.right - r.left);
    }
    in.widestKeptButton = KeptButtonWidths().WidestKept(buttons);

    const std::wstring wideText = ToWide(text);
    RECT r{0, 0, MessageWrapWidth(in.screen.cx), 0};
    if (!wideText.empty()) {
      DrawTextW(dc.get(), wideText.c_str(), static_cast<int>(wideText.size()), &r,
                kTextFormat | (rightToLeft ? DT_RTLREADING : 0));
    }
    in.text = {r.right - r.left, r.bottom - r.top};
  }
  layout_ = LayoutMessageForm(in);

  LOGFONTW captionFont{};
  if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(captionFont), &captionFont, 0)) {
    captionFont.lfHeight = -MulDiv(9, dpi, 72);
    captionFont_.reset(CreateChineseCapableFont(captionFont));
  }
  SetColor(kDefaultMessageFormColor);
  SetWindowPos(Handle(), nullptr, layout_.position.x, layout_.position.y, layout_.client.cx,
               layout_.client.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  const std::string_view title =
      type == mtCustom ? std::string_view(kApplicationTitle) : MsgDlgTypeTitle(type);
  SetTitle(title);
  CreateControls(text, type);
  return true;
}

void TMessageForm::CreateControls(const std::string& text, TMsgDlgType type) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto child = [&](const wchar_t* cls, const std::wstring& caption, DWORD style, const Rect& r,
                         int id) {
    HWND h = CreateWindowExW(0, cls, caption.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.Width(),
                             r.Height(), Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             instance, nullptr);
    if (h) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return h;
  };
  if (layout_.icon) {
    HWND image = child(L"STATIC", L"", SS_ICON, *layout_.icon, kImageId);
    if (image) {
      // The system's icon at the size the box needs, not its 32-pixel one stretched.
      HICON icon = nullptr;
      if (layout_.iconSize != kIconSize) {
        icon_.reset(static_cast<HICON>(
            LoadImageW(nullptr, IconOf(type), IMAGE_ICON, layout_.iconSize, layout_.iconSize, 0)));
        icon = icon_.get();
      }
      if (!icon) icon = LoadIconW(nullptr, IconOf(type));
      SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
      SetWindowPos(image, nullptr, layout_.icon->left, layout_.icon->top, layout_.iconSize, layout_.iconSize,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  child(L"STATIC", ToWide(text), SS_LEFT | SS_NOPREFIX, layout_.text, kMessageId);
  bool first = true;
  for (const PlacedButton& pb : layout_.buttons) {
    DWORD style = WS_TABSTOP | (first ? WS_GROUP : 0);
    style |= pb.button == layout_.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    child(L"BUTTON", ToWide(ButtonInfo(pb.button).caption), style, pb.bounds, kButtonIdBase + pb.button);
    first = false;
  }
}

AccessibleTree TMessageForm::DescribeForReader() const {
  std::vector<MessageBoxButtonPart> buttons;
  const HWND focus = GetFocus();
  for (const PlacedButton& pb : layout_.buttons) {
    const HWND button = GetDlgItem(Handle(), kButtonIdBase + pb.button);
    buttons.push_back({std::string(ButtonInfo(pb.button).caption), pb.bounds,
                       pb.button == layout_.defaultButton, button && button == focus});
  }
  const HWND message = GetDlgItem(Handle(), kMessageId);
  std::wstring text(static_cast<std::size_t>(std::max(GetWindowTextLengthW(message), 0)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      std::max(GetWindowTextW(message, text.data(), static_cast<int>(text.size())), 0)));
  return MessageBoxAccessibleTree(Title(), FromWide(text), layout_.text, buttons, layout_.client);
}

void TMessageForm::SetTitle(std::string_view title) {
  SetWindowTextW(Handle(), ToWide(title).c_str());
  InvalidateRect(Handle(), nullptr, FALSE);
}

std::string TMessageForm::Title() const {
  const int length = GetWindowTextLengthW(Handle());
  std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
  const int got = GetWindowTextW(Handle(), text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return FromWide(text);
}

void TMessageForm::SetColor(std::uint32_t color) {
  color_ = color;
  MakeBrushes();
}

void TMessageForm::MakeBrushes() {
  const ThemePalette& palette = CurrentPalette();
  const bool light = palette.mode == ThemeMode::kLight;
  colorBrush_.reset(CreateSolidBrush(light ? ToColorRef(color_) : palette.messageBox.field));
  faceBrush_.reset(CreateSolidBrush(palette.messageBox.face));
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HWND TMessageForm::FindControl(std::string_view name) const {
  if (name == "Image") return GetDlgItem(Handle(), kImageId);
  if (name == "Message") return GetDlgItem(Handle(), kMessageId);
  for (int i = 0; i < kMsgDlgBtnCount; ++i) {
    if (ButtonInfo(static_cast<TMsgDlgBtn>(i)).name == name) return GetDlgItem(Handle(), kButtonIdBase + i);
  }
  return nullptr;
}

void TMessageForm::PressButton(TMsgDlgBtn button) {
  // Help shows the window's help topic; there is no help file to open, so it leaves the box open.
  if (button == mbHelp) return;
  modalResult_ = ButtonInfo(button).modalResult;
}

void TMessageForm::ApplyPosition() {
  if (position_ == FormPosition::Designed) return;
  RECT r{};
  GetWindowRect(Handle(), &r);
  OpenAnimationInput in;
  in.position = position_;
  in.window = Rect{r.left, r.top, r.right, r.bottom};
  in.screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  in.desktop = {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  const Point p = OpenAnimationOrigin(in);
  SetWindowPos(Handle(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TMessageForm::HandleModalKey(const MSG& m) {
  if (m.message != WM_KEYDOWN || (m.hwnd != Handle() && !IsChild(Handle(), m.hwnd))) return false;
  if (m.wParam == VK_ESCAPE) {
    if (layout_.cancelButton) PressButton(*layout_.cancelButton);
    return true;
  }
  if (m.wParam == VK_RETURN) {
    // A focused button answers Enter itself; otherwise the default button does.
    const HWND focus = GetFocus();
    const int id = focus && IsChild(Handle(), focus) ? GetDlgCtrlID(focus) - kButtonIdBase : -1;
    if (id >= 0 && id < kMsgDlgBtnCount) {
      PressButton(static_cast<TMsgDlgBtn>(id));
    } else if (layout_.defaultButton) {
      PressButton(*layout_.defaultButton);
    }
    return true;
  }
  return false;
}

TModalResult TMessageForm::ShowModal() {
  modalResult_ = mrNone;
  ApplyPosition();
  PlayOpenAnimation(Handle(), FormPosition::Designed);

  // The other windows of this thread wait for the answer.
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
  disabled.erase(std::remove(disabled.begin(), disabled.end(), Handle()), disabled.end());
  for (HWND h : disabled) EnableWindow(h, FALSE);

  ShowWindow(Handle(), SW_SHOW);
  // A reader reads a dialog that starts: its caption and text, then the focused button.
  NotifyWinEvent(EVENT_SYSTEM_DIALOGSTART, Handle(), OBJID_WINDOW, CHILDID_SELF);
  SetForegroundWindow(Handle());
  HWND focus = layout_.defaultButton ? FindControl(ButtonInfo(*layout_.defaultButton).name) : nullptr;
  if (!focus && !layout_.buttons.empty())
    focus = FindControl(ButtonInfo(layout_.buttons.front().button).name);
  SetFocus(focus ? focus : Handle());

  MSG m;
  while (modalResult_ == mrNone && IsWindow(Handle())) {
    const BOOL got = GetMessageW(&m, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(m.wParam));  // the outer loop must see it too
      modalResult_ = mrCancel;
      break;
    }
    if (got < 0) {
      modalResult_ = mrCancel;
      break;
    }
    if (HandleModalKey(m)) continue;
    if (IsDialogMessageW(Handle(), &m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }

  for (HWND h : disabled) {
    if (IsWindow(h)) EnableWindow(h, TRUE);
  }
  if (IsWindow(Handle())) ShowWindow(Handle(), SW_HIDE);
  NotifyWinEvent(EVENT_SYSTEM_DIALOGEND, Handle(), OBJID_WINDOW, CHILDID_SELF);
  return modalResult_ == mrNone ? mrCancel : modalResult_;
}

LRESULT TMessageForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == ThemeChangedMessage()) {
    MakeBrushes();
    return 0;
  }
  switch (msg) {
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers everything
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      if (dc) Paint(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, CurrentPalette().messageBox.fieldText);
      return reinterpret_cast<LRESULT>(colorBrush_ ? colorBrush_.get() : GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(faceBrush_ ? faceBrush_.get() : GetSysColorBrush(COLOR_BTNFACE));
    case WM_LBUTTONDOWN:
      if (static_cast<short>(HIWORD(lp)) < layout_.captionStrip) {
        ReleaseCapture();
        SendMessageW(Handle(), WM_SYSCOMMAND, kMoveBySystemCommand, 0);
      }
      return 0;
    case WM_COMMAND: {
      const int id = LOWORD(wp) - kButtonIdBase;
      if (HIWORD(wp) == BN_CLICKED && id >= 0 && id < kMsgDlgBtnCount) {
        PressButton(static_cast<TMsgDlgBtn>(id));
      } else if (LOWORD(wp) == IDCANCEL && layout_.cancelButton) {
        PressButton(*layout_.cancelButton);
      }
      return 0;
    }
    case DM_GETDEFID:
      if (layout_.defaultButton) return MAKELRESULT(kButtonIdBase + *layout_.defaultButton, DC_HASDEFID);
      return 0;
    case WM_CLOSE:
      modalResult_ = mrCancel;  // the window lives until its owner frees it
      return 0;
    case WM_GETOBJECT: {
      const std::optional<LRESULT> object = accessible_.GetObject(Handle(), wp, lp);
      return object ? *object : Default(msg, wp, lp);
    }
    default: return Default(msg, wp, lp);
  }
}

void TMessageForm::Paint(HDC dc) const {
  RECT client{};
  GetClientRect(Handle(), &client);
  PaintCaptionStrip(dc, client.right);
  PaintBody(dc, client.right, client.bottom);
}

void TMessageForm::PaintCaptionStrip(HDC dc, int width) const {
  const int height = layout_.captionStrip;
  const ThemePalette& palette = CurrentPalette();
  const MessageBoxPalette& colors = palette.messageBox;
  RECT strip{0, 0, width, height};
  FillRect(dc, &strip, faceBrush_.get());
  const COLORREF highlight = colors.light;
  const COLORREF shadow = colors.shadow;
  // The dotted grip is a texture: high contrast leaves the strip plain behind its title.
  const int dotted = palette.mode == ThemeMode::kHighContrast ? 0 : height;
  for (int y = 4; y < dotted; y += 5) {
    for (int x = 0; x < width; x += 5) {
      SetPixelV(dc, x, y, highlight);
      SetPixelV(dc, x + 1, y + 1, shadow);
    }
  }
  const int length = GetWindowTextLengthW(Handle());
  if (length > 0) {
    std::wstring title(static_cast<std::size_t>(length) + 1, L'\0');
    title.resize(static_cast<std::size_t>(std::max(GetWindowTextW(Handle(), title.data(), length + 1), 0)));
    SelectObjectScope selectFont(dc, captionFont_ ? static_cast<HGDIOBJ>(captionFont_.get()) : font_);
    SIZE extent{};
    GetTextExtentPoint32W(dc, title.c_str(), static_cast<int>(title.size()), &extent);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colors.text);
    TextOutW(dc, (width - extent.cx) / 2, (height - extent.cy) / 2, title.c_str(),
             static_cast<int>(title.size()));
  }
  Line(dc, 0, 0, 0, height, colors.frame);
  Line(dc, 0, 0, width, 0, colors.frame);
  Line(dc, width - 1, 0, width - 1, height, colors.frame);
  Line(dc, 2, 2, 2, height, highlight);
  Line(dc, 2, 2, width - 2, 2, highlight);
  Line(dc, width - 2, 2, width - 2, height, shadow);
}

void TMessageForm::PaintBody(HDC dc, int width, int height) const {
  const MessageBoxPalette& colors = CurrentPalette().messageBox;
  const int top = layout_.captionStrip;
  RECT body{0, top, width, height};
  FillRect(dc, &body, faceBrush_.get());
  RECT area{5, top, width - 5, height - layout_.buttonRow};
  if (area.right > area.left && area.bottom > area.top) {
    Line(dc, area.left, area.top, area.right, area.top, colors.shadow);
    Line(dc, area.left, area.top, area.left, area.bottom, colors.shadow);
    Line(dc, area.left, area.bottom - 1, area.right, area.bottom - 1, colors.light);
    Line(dc, area.right - 1, area.top, area.right - 1, area.bottom, colors.light);
    RECT inside{area.left + 1, area.top + 1, area.right - 1, area.bottom - 1};
    if (colorBrush_) FillRect(dc, &inside, colorBrush_.get());
  }
  Line(dc, 0, top, 0, height, colors.frame);
  Line(dc, width - 1, top, width - 1, height, colors.frame);
  Line(dc, 0, height - 1, width, height - 1, colors.frame);
  Line(dc, 2, top, 2, height - 2, colors.light);
  Line(dc, width - 2, top, width - 2, height - 1, colors.shadow);
  Line(dc, 2, height - 2, width - 2, height - 2, colors.shadow);
}

}  // namespace wendlix
