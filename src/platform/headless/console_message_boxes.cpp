#include "platform/headless/console_message_boxes.h"

namespace rivo {

MessageAnswer ConsoleMessageBoxes::Show(const std::string& caption, const std::string& text, MessageButtons buttons,
                                        MessageIcon, MessageAnswer unattended) {
  // One line per box: line breaks inside the text would split it.
  std::string flat = text;
  for (char& c : flat)
    if (c == '\n' || c == '\r') c = ' ';
  const std::string box = caption + '|' + flat + '|' + std::string(MessageButtonsName(buttons));

  MessageAnswer answer = unattended;
  bool scripted = false;
  if (!answers_.empty()) {
    scripted = AnswerFits(buttons, answers_.front());
    if (scripted) answer = answers_.front();
    answers_.pop_front();
  }
  if (scripted) {
    unanswered_repeats_ = 0;
  } else {
    unanswered_repeats_ = box == last_unanswered_ ? unanswered_repeats_ + 1 : 1;
    last_unanswered_ = box;
    if (unanswered_repeats_ >= kRepeatsBeforeGivingUp && !given_up_) {
      given_up_ = true;
      throw AbandonedRun{"the message box \"" + box + "\" came up " + std::to_string(unanswered_repeats_) +
                         " times in a row with no answer in the input script; the run ends"};
    }
  }
  out_ << "MSGBOX " << box << " -> " << MessageAnswerName(answer) << std::endl;
  return answer;
}

}  // namespace rivo
