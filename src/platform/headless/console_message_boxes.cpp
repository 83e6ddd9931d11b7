#include "platform/headless/console_message_boxes.h"

namespace rivo {

MessageAnswer ConsoleMessageBoxes::Show(const std::string& caption, const std::string& text, MessageButtons buttons,
                                        MessageIcon) {
  MessageAnswer answer = DefaultAnswer(buttons);
  if (!answers_.empty()) {
    if (AnswerFits(buttons, answers_.front())) answer = answers_.front();
    answers_.pop_front();
  }
  // One line per box: line breaks inside the text would split it.
  std::string flat = text;
  for (char& c : flat)
    if (c == '\n' || c == '\r') c = ' ';
  out_ << "MSGBOX " << caption << '|' << flat << '|' << MessageButtonsName(buttons) << " -> "
       << MessageAnswerName(answer) << std::endl;
  return answer;
}

}  // namespace rivo
