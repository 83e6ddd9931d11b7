#pragma once
// Message boxes of headless runs: printed as one line on standard output,
// "MSGBOX caption|text|buttons -> answer", and answered from the input
// script (or with the box's first button when the script gives no answer).

#include <deque>
#include <ostream>

#include "platform/message_boxes.h"

namespace rivo {

class ConsoleMessageBoxes final : public MessageBoxes {
 public:
  explicit ConsoleMessageBoxes(std::ostream& out) : out_(out) {}

  MessageAnswer Show(const std::string& caption, const std::string& text, MessageButtons buttons,
                     MessageIcon icon) override;
  // Answers are taken oldest first; one that does not fit the box's
  // buttons is used up and the box gets its first button.
  void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }

 private:
  std::ostream& out_;
  std::deque<MessageAnswer> answers_;
};

}  // namespace rivo
