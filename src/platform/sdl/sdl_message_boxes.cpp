#include "platform/sdl/sdl_message_boxes.h"

#include <SDL.h>

#include <vector>

namespace rivo {

MessageAnswer SdlMessageBoxes::Show(const std::string& caption, const std::string& text, MessageButtons buttons,
                                    MessageIcon icon, MessageAnswer unattended) {
  std::vector<SDL_MessageBoxButtonData> data;
  auto add = [&](MessageAnswer a, Uint32 flags) {
    data.push_back({flags, static_cast<int>(a), MessageAnswerName(a).data()});
  };
  switch (buttons) {
    case MessageButtons::kOk:
      add(MessageAnswer::kOk, SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT);
      break;
    case MessageButtons::kOkCancel:
      add(MessageAnswer::kOk, SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT);
      add(MessageAnswer::kCancel, SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT);
      break;
    case MessageButtons::kYesNo:
      add(MessageAnswer::kYes, SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT);
      add(MessageAnswer::kNo, SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT);
      break;
  }
  Uint32 flags = icon == MessageIcon::kWarning ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
  SDL_MessageBoxData box{flags, parent_, caption.c_str(), text.c_str(), static_cast<int>(data.size()),
                         data.data(), nullptr};
  int pressed = -1;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) {
    MessageAnswer answer = unattended;
    log_ << "MSGBOX " << caption << '|' << text << '|' << MessageButtonsName(buttons) << " -> "
         << MessageAnswerName(answer) << " (no message box could be shown: " << SDL_GetError() << ")" << std::endl;
    return answer;
  }
  // Closing the box without a button is the escape button's answer.
  if (pressed < 0) return static_cast<MessageAnswer>(data.back().buttonid);
  return static_cast<MessageAnswer>(pressed);
}

}  // namespace rivo
