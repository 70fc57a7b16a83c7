#include "win/bar/bar_tooltip.h"

#include <commctrl.h>

#include "win/common/wide.h"
#include "win/paint/theme_win.h"
#include "win/ui/system_dark_mode.h"

namespace wendlix {
namespace {

TTTOOLINFOW ToolInfo(HWND owner, wchar_t* text, const RECT& bounds) {
  TTTOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.uFlags = 0;
  info.hwnd = owner;
  info.uId = 1;
  info.rect = bounds;
  info.lpszText = text;
  return info;
}

}  // namespace

void BarTooltip::Create(HWND owner) {
  owner_ = owner;
  tip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             GetModuleHandleW(nullptr), nullptr));
  if (!tip_) return;
  TTTOOLINFOW info = ToolInfo(owner_, const_cast<wchar_t*>(L""), RECT{});
  SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  // A width limit makes the tooltip honour the line breaks of a several-line hint.
  SendMessageW(tip_.get(), TTM_SETMAXTIPWIDTH, 0, 400);
  SendMessageW(tip_.get(), TTM_ACTIVATE, FALSE, 0);
  Attach(tip_.get());
  ApplyLook();
}

void BarTooltip::ApplyLook() {
  const ThemePalette& palette = CurrentPalette();
  const bool own = palette.mode != ThemeMode::kLight;
  if (!own && !ownColors_) return;
  ownColors_ = own;
  SetPlainTheme(tip_.get(), own);
  SendMessageW(tip_.get(), TTM_SETTIPBKCOLOR, palette.tooltip.background, 0);
  SendMessageW(tip_.get(), TTM_SETTIPTEXTCOLOR, palette.tooltip.text, 0);
  InvalidateRect(tip_.get(), nullptr, TRUE);
}

LRESULT BarTooltip::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == ThemeChangedMessage()) {
    ApplyLook();
    return 0;
  }
  return Default(msg, wp, lp);
}

void BarTooltip::Show(const std::string& text, const RECT& bounds) {
  if (!tip_ || suppressed_) return;
  std::wstring wide = ToWide(text);
  if (wide == text_ && EqualRect(&bounds, &bounds_)) return;
  text_ = std::move(wide);
  bounds_ = bounds;
  SendMessageW(tip_.get(), TTM_POP, 0, 0);
  TTTOOLINFOW info = ToolInfo(owner_, text_.data(), bounds_);
  SendMessageW(tip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
  SendMessageW(tip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  SendMessageW(tip_.get(), TTM_ACTIVATE, text_.empty() ? FALSE : TRUE, 0);
}

void BarTooltip::Suppress(bool suppressed) {
  // An empty tool: the hint goes, and a pending one finds nothing to show.
  if (suppressed) Show({}, RECT{});
  suppressed_ = suppressed;
}

void BarTooltip::Relay(const MSG& msg) {
  if (tip_) SendMessageW(tip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

}  // namespace wendlix
