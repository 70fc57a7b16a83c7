// TMessageForm: the bar's borderless message window. A painted title strip (a press on it
// moves the window), a framed message area in the window's colour, the system icon of the
// message type, the wrapped text and a row of push buttons. The geometry comes from
// core/ui; this class measures text with the window's font and carries the layout out.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/ui/message_box_animation.h"
#include "core/ui/message_box_metrics.h"
#include "win/common/base_window.h"
#include "win/common/unique_handle.h"
#include "win/ui/accessible_list.h"

namespace wendlix {

class TMessageForm : public BaseWindow<TMessageForm> {
 public:
  static constexpr wchar_t kClassName[] = L"TMessageForm";
  static constexpr int kImageId = 100;
  static constexpr int kMessageId = 101;
  static constexpr int kButtonIdBase = 200;  // + the button's index in the table

  // Builds the window, hidden. Null when Windows refuses the window.
  static std::unique_ptr<TMessageForm> Create(const std::string& text, TMsgDlgType type,
                                              TMsgDlgButtons buttons, HWND owner);

  void SetTitle(std::string_view title);
  std::string Title() const;
  void SetColor(std::uint32_t color);
  void SetHelpContext(int context) { helpContext_ = context; }
  void SetPosition(FormPosition position) { position_ = position; }

  // Shows the window modally (after the opening animation) and answers the modal result;
  // the other windows of the thread are disabled meanwhile. WM_QUIT ends it with Cancel.
  TModalResult ShowModal();

  // The window's controls by name: "Image", "Message" or a button's name ("OK", "Cancel").
  HWND FindControl(std::string_view name) const;
  const MessageFormLayout& Layout() const { return layout_; }
  HFONT Font() const { return font_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  TMessageForm() = default;
  bool Build(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, HWND owner);
  void CreateControls(const std::string& text, TMsgDlgType type);
  void Paint(HDC dc) const;
  void PaintCaptionStrip(HDC dc, int width) const;
  void PaintBody(HDC dc, int width, int height) const;
  // The brushes of the current look: the chosen colour is the light look's message area.
  void MakeBrushes();
  void PressButton(TMsgDlgBtn button);
  bool HandleModalKey(const MSG& m);
  void ApplyPosition();
  // What a screen reader is told: the caption, the text, the buttons.
  AccessibleTree DescribeForReader() const;

  MessageFormLayout layout_;
  unique_hfont ownFont_;
  HFONT font_ = nullptr;  // ownFont_ or a stock font
  unique_hfont captionFont_;
  unique_hicon icon_;         // the type's icon when the DPI needs another size than the shared one
  unique_hbrush colorBrush_;  // the message area
  unique_hbrush faceBrush_;
  std::uint32_t color_ = kDefaultMessageFormColor;
  int helpContext_ = 0;
  FormPosition position_ = FormPosition::Designed;
  TModalResult modalResult_ = mrNone;
  // A reader's default action on a button is its click, posted (item 1 + i is button i).
  AccessibleHost accessible_{[this] { return DescribeForReader(); },
                             [this](int item) {
                               if (item < 1 || item > static_cast<int>(layout_.buttons.size())) return;
                               const int id = kButtonIdBase + layout_.buttons[item - 1].button;
                               PostMessageW(GetDlgItem(Handle(), id), BM_CLICK, 0, 0);
                             }};
};

// Process-wide: caption widths of the buttons, measured once.
ButtonWidthCache& KeptButtonWidths();

}  // namespace wendlix
