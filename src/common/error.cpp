#include "common/error.h"

#include "common/encoding.h"

namespace rivo {

std::string InsertName(std::string_view format, std::string_view name) {
  std::string out(format);
  if (auto at = out.find("%s"); at != std::string::npos) out.replace(at, 2, name);
  return out;
}

RivoError::RivoError(const std::string& message_utf8) : std::runtime_error(message_utf8), own_message_(message_utf8) {}

RivoError::RivoError(std::string_view format_utf8, std::string_view name_cp932)
    : RivoError(InsertName(format_utf8, Cp932ToUtf8(name_cp932))) {}

RivoError::RivoError(const std::string& message_utf8, const RivoError& cause)
    : std::runtime_error(message_utf8), own_message_(cause.own_message_) {}

LoadError::LoadError(std::string file_name_cp932, std::string_view what_utf8)
    : RivoError(Cp932ToUtf8(file_name_cp932) + ": " + std::string(what_utf8)),
      file_name_(std::move(file_name_cp932)) {
  own_message_ = what_utf8;
}

}  // namespace rivo
