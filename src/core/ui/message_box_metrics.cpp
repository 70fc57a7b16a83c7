#include "core/ui/message_box_metrics.h"

#include <algorithm>
#include <cstdint>

namespace wendlix {
namespace {

constexpr std::array<MsgDlgButtonInfo, kMsgDlgBtnCount> kButtons = {{
    {"Yes", "是(&Y)", mrYes},
    {"No", "否(&N)", mrNo},
    {"OK", "确认(&O)", mrOk},
    {"Cancel", "取消(&C)", mrCancel},
    {"Abort", "终止(&A)", mrAbort},
    {"Retry", "重试(&R)", mrRetry},
    {"Ignore", "忽略(&I)", mrIgnore},
    {"All", "全部(&A)", mrAll},
    {"NoToAll", "全部不(&L)", mrNoToAll},
    {"YesToAll", "全部是(&T)", mrYesToAll},
    {"Help", "帮助(&H)", mrNone},
}};

bool Has(TMsgDlgButtons set, TMsgDlgBtn b) { return (set & MsgDlgBit(b)) != 0; }

}  // namespace

const MsgDlgButtonInfo& ButtonInfo(TMsgDlgBtn b) {
  return kButtons[static_cast<std::size_t>(std::clamp(static_cast<int>(b), 0, kMsgDlgBtnCount - 1))];
}

std::string_view MsgDlgTypeTitle(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return "警告";
    case mtError: return "错误";
    case mtInformation:
    case mtConfirmation: return "提示";
    default: return {};
  }
}

bool MsgDlgTypeHasIcon(TMsgDlgType type) { return type >= mtWarning && type <= mtConfirmation; }

std::vector<TMsgDlgBtn> ButtonsOf(TMsgDlgButtons set) {
  std::vector<TMsgDlgBtn> out;
  for (int i = 0; i < kMsgDlgBtnCount; ++i) {
    if (Has(set, static_cast<TMsgDlgBtn>(i))) out.push_back(static_cast<TMsgDlgBtn>(i));
  }
  return out;
}

int MulDivRound(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  const bool negative = (product < 0) != (denominator < 0);
  const std::int64_t a = product < 0 ? -product : product;
  const std::int64_t d = denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator;
  const std::int64_t q = (a + d / 2) / d;
  if (q > INT32_MAX) return -1;
  return static_cast<int>(negative ? -q : q);
}

DialogUnits DialogUnitsFromExtent(int width52Letters, int height) {
  return DialogUnits{width52Letters / 52, height};
}

MessageFormSpacing SpacingFor(DialogUnits u, int widestKeptButton) {
  MessageFormSpacing s;
  s.horzMargin = MulDivRound(18, u.x, 4);
  s.vertMargin = MulDivRound(8, u.y, 8);
  s.horzSpacing = MulDivRound(4, u.x, 4) + 20;
  s.vertSpacing = MulDivRound(4, u.y, 8);
  s.buttonWidth = std::max(MulDivRound(70, u.x, 4), widestKeptButton);
  s.buttonHeight = MulDivRound(14, u.y, 8);
  s.buttonSpacing = MulDivRound(4, u.x, 4);
  return s;
}

std::optional<int> ButtonWidthCache::Kept(TMsgDlgBtn b) const {
  if (b < 0 || b >= kMsgDlgBtnCount) return std::nullopt;
  const int w = widths_[b];
  return w > 0 ? std::optional<int>(w) : std::nullopt;
}

int ButtonWidthCache::Keep(TMsgDlgBtn b, int captionWidth) {
  if (b < 0 || b >= kMsgDlgBtnCount) return 0;
  int& w = widths_[b];
  // A caption that measured nothing still counts as measured, so it is not measured again.
  if (w == 0) w = std::max(captionWidth, 0) + 8;
  return w;
}

int ButtonWidthCache::WidestKept(TMsgDlgButtons set) const {
  int widest = 0;
  for (TMsgDlgBtn b : ButtonsOf(set)) widest = std::max(widest, widths_[b]);
  return widest;
}

std::optional<TMsgDlgBtn> DefaultButtonOf(TMsgDlgButtons set) {
  if (Has(set, mbOK)) return mbOK;
  if (Has(set, mbYes)) return mbYes;
  if (Has(set, mbRetry)) return mbRetry;
  return std::nullopt;
}

std::optional<TMsgDlgBtn> CancelButtonOf(TMsgDlgButtons set) {
  if (Has(set, mbCancel)) return mbCancel;
  if (Has(set, mbNo)) return mbNo;
  if (Has(set, mbOK)) return mbOK;
  return std::nullopt;
}

MessageFormLayout LayoutMessageForm(const MessageFormInput& in) {
  MessageFormLayout out;
  const DpiScale& px = in.scale;
  out.captionStrip = px(kCaptionStripHeight);
  out.iconSize = px(kIconSize);
  out.buttonRow = px(kButtonRowHeight);
  const MessageFormSpacing s = SpacingFor(in.units, in.widestKeptButton);
  out.spacing = s;
  const Size text{std::max(in.text.cx, 0), std::max(in.text.cy, 0)};
  const bool hasIcon = MsgDlgTypeHasIcon(in.type);
  int iconTextWidth = text.cx;
  int iconTextHeight = text.cy;
  if (hasIcon) {
    iconTextWidth += out.iconSize + s.horzSpacing;
    iconTextHeight = std::max(iconTextHeight, out.iconSize);
  }
  const std::vector<TMsgDlgBtn> buttons = ButtonsOf(in.buttons);
  const int n = static_cast<int>(buttons.size());
  const int buttonsWidth = n == 0 ? 0 : n * s.buttonWidth + (n - 1) * s.buttonSpacing;

  out.client.cx = std::max(iconTextWidth, buttonsWidth) + 2 * s.horzMargin + px(8);
  out.client.cy =
      iconTextHeight + s.buttonHeight + s.vertSpacing + out.captionStrip + 2 * s.vertMargin + px(20);
  // Borderless: the window is its client area.
  out.position = {in.screen.cx / 2 - out.client.cx / 2, in.screen.cy / 2 - out.client.cy / 2};

  const int top = s.vertMargin + out.captionStrip;
  if (hasIcon) out.icon = MakeRect(s.horzMargin, top, out.iconSize, out.iconSize);
  int textLeft = iconTextWidth - text.cx + s.horzMargin;
  if (in.rightToLeft) textLeft = out.client.cx - textLeft - text.cx;
  out.text = MakeRect(textLeft, top, text.cx, text.cy);

  out.defaultButton = DefaultButtonOf(in.buttons);
  out.cancelButton = CancelButtonOf(in.buttons);
  int x = out.client.cx - buttonsWidth - px(4);
  const int y = out.client.cy - px(22);
  for (TMsgDlgBtn b : buttons) {
    out.buttons.push_back({b, MakeRect(x - px(8), y - px(8), s.buttonWidth, s.buttonHeight)});
    x += s.buttonWidth + s.buttonSpacing;
  }
  return out;
}

}  // namespace wendlix
