// The message unit: every question and error the bar puts to the user. Text and captions
// are UTF-8. Each call shows a modal TMessageForm centred on the screen after the opening
// animation, and answers on the calling (user-interface) thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "core/ui/message_box_animation.h"
#include "core/ui/message_box_metrics.h"
#include "win/ui/message_form.h"

namespace wendlix {

void ShowWarningBox(const std::string& text, const std::string& caption);
void ShowErrorBox(const std::string& text, const std::string& caption);
void ShowInfoBox(const std::string& text, const std::string& caption);
// mrOk for OK; mrCancel for Cancel, Escape, closing the window, or a box that could not be shown.
TModalResult ConfirmBox(const std::string& text, const std::string& caption);

// The common body: the caption replaces the type's title, also when empty. Answers the
// modal result, or mrCancel when the window could not be created.
TModalResult ShowMessageBox(const std::string& caption, const std::string& text, TMsgDlgType type,
                            int helpContext, std::uint32_t color, TMsgDlgButtons buttons);

// Owner: the thread's active window.
std::unique_ptr<TMessageForm> CreateMessageForm(const std::string& text, TMsgDlgType type,
                                                TMsgDlgButtons buttons);

// The growing frame drawn on the screen before `form` shows; it stops where the window will stand.
void PlayOpenAnimation(HWND form, FormPosition position);

}  // namespace wendlix
