#pragma once
// Message boxes of headless runs: printed as one line on standard output,
// "MSGBOX caption|text|buttons -> answer", and answered from the input
// script, or as the asker says a user who is not there answers. A run stuck
// on one box that nobody answers is given up, so that every headless run ends.

#include <deque>
#include <ostream>
#include <string>

#include "platform/message_boxes.h"

namespace rivo {

class ConsoleMessageBoxes final : public MessageBoxes {
 public:
  // The same box, unanswered this many times in a row, gives the run up.
  static constexpr int kRepeatsBeforeGivingUp = 10;

  explicit ConsoleMessageBoxes(std::ostream& out) : out_(out) {}

  using MessageBoxes::Show;
  // A box without a scripted answer gets `unattended`. The
  // kRepeatsBeforeGivingUp-th box in a row with the same caption, text and
  // buttons and no scripted answer is not printed: it throws AbandonedRun
  // (once; later boxes, such as those of the end page, are answered).
  MessageAnswer Show(const std::string& caption, const std::string& text, MessageButtons buttons, MessageIcon icon,
                     MessageAnswer unattended) override;
  // Answers are taken oldest first; one that does not fit the box's
  // buttons is used up and the box gets its unattended answer.
  void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }

 private:
  std::ostream& out_;
  std::deque<MessageAnswer> answers_;
  std::string last_unanswered_;  // "caption|text|buttons" of the current run of unanswered boxes
  int unanswered_repeats_ = 0;
  bool given_up_ = false;
};

}  // namespace rivo
