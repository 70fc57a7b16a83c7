// The bar's own message window, as data: message types and buttons, the spacing derived
// from the font's dialog units, and where the icon, the text and the buttons go. The
// window side measures text and hands the sizes in; nothing here touches a device context.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/common/geometry.h"
#include "core/ui/dpi_scale.h"
#include "core/ui/modal_result.h"

namespace wendlix {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp
};
constexpr int kMsgDlgBtnCount = 11;

// Bit i stands for button i.
using TMsgDlgButtons = std::uint16_t;
constexpr TMsgDlgButtons MsgDlgBit(TMsgDlgBtn b) { return static_cast<TMsgDlgButtons>(1u << b); }
constexpr TMsgDlgButtons mbOKOnly = MsgDlgBit(mbOK);                          // 4
constexpr TMsgDlgButtons mbOKCancel = MsgDlgBit(mbOK) | MsgDlgBit(mbCancel);  // 12

struct MsgDlgButtonInfo {
  std::string_view name;
  std::string_view caption;  // UTF-8, with the & of its access key
  TModalResult modalResult;
};
const MsgDlgButtonInfo& ButtonInfo(TMsgDlgBtn b);

// The title a new message window gets; empty for mtCustom, which takes the application's.
std::string_view MsgDlgTypeTitle(TMsgDlgType type);
bool MsgDlgTypeHasIcon(TMsgDlgType type);

// The buttons of a set, in table order (which is also left to right).
std::vector<TMsgDlgBtn> ButtonsOf(TMsgDlgButtons set);

// Window colours the four operations give the message area (0x00BBGGRR).
constexpr std::uint32_t kWarningBoxColor = 0x00D6F0FE;
constexpr std::uint32_t kErrorBoxColor = 0x00B9B9FF;
constexpr std::uint32_t kInfoBoxColor = 0x00FFFFFF;
constexpr std::uint32_t kConfirmBoxColor = 0x00D6F0FE;
constexpr std::uint32_t kDefaultMessageFormColor = 0x00D6F0FE;

constexpr int kCaptionStripHeight = 25;
constexpr int kIconSize = 32;
constexpr int kButtonRowHeight = 38;  // the message area stops this far above the body's bottom

// MulDiv as Windows does it: the product in 64 bits, rounded half away from zero; -1 on a
// zero divisor.
int MulDivRound(int number, int numerator, int denominator);

// Dialog units of a font: the average width of "A".."Z" "a".."z" and their height.
struct DialogUnits {
  int x = 0, y = 0;
};
DialogUnits DialogUnitsFromExtent(int width52Letters, int height);

struct MessageFormSpacing {
  int horzMargin = 0, vertMargin = 0, horzSpacing = 0, vertSpacing = 0;
  int buttonWidth = 0, buttonHeight = 0, buttonSpacing = 0;
};
// `widestKeptButton`: the largest kept caption width among the set's buttons (0 if none).
MessageFormSpacing SpacingFor(DialogUnits units, int widestKeptButton);

// Text is laid out with word wrapping in a rectangle half the screen wide.
constexpr int MessageWrapWidth(int screenWidth) { return screenWidth / 2; }

// Caption widths of the buttons, measured once per process: the first box that shows a
// button keeps its caption width + 8 for every later box.
class ButtonWidthCache {
 public:
  std::optional<int> Kept(TMsgDlgBtn b) const;
  // Keeps captionWidth + 8 unless the button already has a width; returns the kept width.
  int Keep(TMsgDlgBtn b, int captionWidth);
  // The widest kept width among the set's buttons, 0 when none is kept.
  int WidestKept(TMsgDlgButtons set) const;

 private:
  std::array<int, kMsgDlgBtnCount> widths_{};  // 0: not measured yet
};

struct MessageFormInput {
  DialogUnits units;
  Size text;  // the wrapped text's measured size
  TMsgDlgType type = mtWarning;
  TMsgDlgButtons buttons = mbOKOnly;
  int widestKeptButton = 0;
  Size screen;
  bool rightToLeft = false;
  DpiScale scale;  // the fixed sizes and margins are at 96 DPI; the font's units come measured
};

struct PlacedButton {
  TMsgDlgBtn button;
  Rect bounds;  // client coordinates
};

struct MessageFormLayout {
  MessageFormSpacing spacing;
  Size client;
  Point position;  // top-left as created: screen middle minus half the window
  std::optional<Rect> icon;
  Rect text;
  std::vector<PlacedButton> buttons;
  std::optional<TMsgDlgBtn> defaultButton;  // pressed by Enter
  std::optional<TMsgDlgBtn> cancelButton;   // pressed by Escape
  // The fixed sizes at the input's DPI.
  int captionStrip = kCaptionStripHeight;
  int iconSize = kIconSize;
  int buttonRow = kButtonRowHeight;
};
MessageFormLayout LayoutMessageForm(const MessageFormInput& in);

// Enter presses OK, else Yes, else Retry; Escape presses Cancel, else No, else OK.
std::optional<TMsgDlgBtn> DefaultButtonOf(TMsgDlgButtons set);
std::optional<TMsgDlgBtn> CancelButtonOf(TMsgDlgButtons set);

}  // namespace wendlix
