#include "win/ui/p_messages.h"

#include "win/common/unique_handle.h"

namespace wendlix {

std::unique_ptr<TMessageForm> CreateMessageForm(const std::string& text, TMsgDlgType type,
                                                TMsgDlgButtons buttons) {
  return TMessageForm::Create(text, type, buttons, GetActiveWindow());
}

TModalResult ShowMessageBox(const std::string& caption, const std::string& text, TMsgDlgType type,
                            int helpContext, std::uint32_t color, TMsgDlgButtons buttons) {
  try {
    std::unique_ptr<TMessageForm> form = CreateMessageForm(text, type, buttons);
    // A box that cannot be shown must not read as OK: callers go on only on mrOk.
    if (!form) return mrCancel;
    form->SetHelpContext(helpContext);
    form->SetPosition(FormPosition::ScreenCenter);
    form->SetTitle(caption);
    form->SetColor(color);
    return form->ShowModal();
  } catch (...) {
    return mrCancel;
  }
}

void ShowWarningBox(const std::string& text, const std::string& caption) {
  ShowMessageBox(caption, text, mtWarning, 0, kWarningBoxColor, mbOKOnly);
}

void ShowErrorBox(const std::string& text, const std::string& caption) {
  ShowMessageBox(caption, text, mtError, 0, kErrorBoxColor, mbOKOnly);
}

void ShowInfoBox(const std::string& text, const std::string& caption) {
  ShowMessageBox(caption, text, mtInformation, 0, kInfoBoxColor, mbOKOnly);
}

TModalResult ConfirmBox(const std::string& text, const std::string& caption) {
  return ShowMessageBox(caption, text, mtConfirmation, 0, kConfirmBoxColor, mbOKCancel);
}

void PlayOpenAnimation(HWND form, FormPosition position) {
  if (!IsWindow(form)) return;
  RECT wr{};
  GetWindowRect(form, &wr);
  OpenAnimationInput in;
  in.position = position;
  in.window = Rect{wr.left, wr.top, wr.right, wr.bottom};
  in.screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  in.desktop = {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  if (GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_MDICHILD) {
    RECT client{};
    if (GetClientRect(GetParent(form), &client)) in.mdiClient = Size{client.right, client.bottom};
  }
  const OpenAnimationPlan plan =
      PlanOpenAnimation(OpenAnimationOrigin(in), {in.window.Width(), in.window.Height()});
  if (plan.frames.empty()) return;

  WindowDc screen(nullptr);
  if (!screen.get()) return;
  unique_memory_dc saved(CreateCompatibleDC(screen.get()));
  unique_hbitmap picture(CreateCompatibleBitmap(screen.get(), in.screen.cx, in.screen.cy));
  if (!saved || !picture) return;
  SelectObjectScope selectPicture(saved.get(), picture.get());
  BitBlt(saved.get(), 0, 0, in.screen.cx, in.screen.cy, screen.get(), 0, 0, SRCCOPY);

  const auto restoreInside = [&](const Rect& frame) {
    const Rect inside = FrameInside(frame);
    if (inside.Width() > 0 && inside.Height() > 0) {
      BitBlt(screen.get(), inside.left, inside.top, inside.Width(), inside.Height(), saved.get(), inside.left,
             inside.top, SRCCOPY);
    }
  };
  {
    SelectObjectScope pen(screen.get(), GetStockObject(BLACK_PEN));
    SelectObjectScope brush(screen.get(), GetSysColorBrush(COLOR_BTNFACE));
    for (const Rect& frame : plan.frames) {
      Sleep(2);
      Rectangle(screen.get(), frame.left, frame.top, frame.right, frame.bottom);
      restoreInside(frame);
    }
  }
  if (plan.last) restoreInside(*plan.last);
}

}  // namespace wendlix
