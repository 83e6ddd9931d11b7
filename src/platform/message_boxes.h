#pragma once
// Modal questions. Asked inside a tick, they block the frame loop until
// answered. Texts and captions are UTF-8.

#include <string>
#include <string_view>

namespace rivo {

enum class MessageButtons { kOk, kOkCancel, kYesNo };
enum class MessageIcon { kWarning, kInformation, kQuestion };
enum class MessageAnswer { kOk, kCancel, kYes, kNo };

std::string_view MessageButtonsName(MessageButtons buttons);  // "OK", "OK/Cancel", "Yes/No"
std::string_view MessageAnswerName(MessageAnswer answer);     // "OK", "Cancel", "Yes", "No"
// The answer a box gets when nobody can answer it: its first button, as the
// system's own boxes choose by default.
MessageAnswer DefaultAnswer(MessageButtons buttons);
// Whether answer is one of the buttons.
bool AnswerFits(MessageButtons buttons, MessageAnswer answer);

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Asks and waits for the answer. unattended is the answer where nobody can
  // give one (a headless run without a scripted answer): the asker chooses
  // what a user who gives up would answer where the first button would keep
  // asking forever.
  virtual MessageAnswer Show(const std::string& caption, const std::string& text, MessageButtons buttons,
                             MessageIcon icon, MessageAnswer unattended) = 0;
  // Unattended, the box gets its first button.
  MessageAnswer Show(const std::string& caption, const std::string& text, MessageButtons buttons, MessageIcon icon) {
    return Show(caption, text, buttons, icon, DefaultAnswer(buttons));
  }
};

// Thrown by message boxes that give up on a run nobody attends (the same
// box asked again and again, never answered). It ends the run with exit
// code 3. On purpose no std::exception: the game's own error handling, which
// discards errors, must not swallow it.
struct AbandonedRun {
  std::string reason;  // one line, for the log
};

}  // namespace rivo
