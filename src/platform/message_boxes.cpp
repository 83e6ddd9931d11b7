#include "platform/message_boxes.h"

namespace rivo {

std::string_view MessageButtonsName(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOk: return "OK";
    case MessageButtons::kOkCancel: return "OK/Cancel";
    case MessageButtons::kYesNo: return "Yes/No";
  }
  return "OK";
}

std::string_view MessageAnswerName(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::kOk: return "OK";
    case MessageAnswer::kCancel: return "Cancel";
    case MessageAnswer::kYes: return "Yes";
    case MessageAnswer::kNo: return "No";
  }
  return "OK";
}

MessageAnswer DefaultAnswer(MessageButtons buttons) {
  return buttons == MessageButtons::kYesNo ? MessageAnswer::kYes : MessageAnswer::kOk;
}

bool AnswerFits(MessageButtons buttons, MessageAnswer answer) {
  switch (buttons) {
    case MessageButtons::kOk: return answer == MessageAnswer::kOk;
    case MessageButtons::kOkCancel: return answer == MessageAnswer::kOk || answer == MessageAnswer::kCancel;
    case MessageButtons::kYesNo: return answer == MessageAnswer::kYes || answer == MessageAnswer::kNo;
  }
  return false;
}

}  // namespace rivo
