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
  virtual MessageAnswer Show(const std::string& caption, const std::string& text, MessageButtons buttons,
                             MessageIcon icon) = 0;
};

}  // namespace rivo
