#pragma once
// The player's error type. Every error the engine raises carries one of the
// system's fixed message texts (Japanese, stored here in UTF-8); where the text
// has "%s" the name of the file, object or variable goes in its place.

#include <stdexcept>
#include <string>
#include <string_view>

namespace rivo {

class RivoError : public std::runtime_error {
 public:
  // message_utf8 is shown as it stands.
  explicit RivoError(const std::string& message_utf8);
  // format_utf8 holds at most one "%s", replaced by name_cp932 (converted to UTF-8).
  RivoError(std::string_view format_utf8, std::string_view name_cp932);
  // Tells where cause happened: message_utf8 holds cause's text with some
  // context around it, and the error keeps cause's own message.
  RivoError(const std::string& message_utf8, const RivoError& cause);

  // The message of the system's own this error carries, as the player shows
  // it (a part of what()): the whole text, the part after a LoadError's file
  // name, or the own message of the error it wraps. The tools put an English
  // sentence before it.
  const std::string& own_message() const { return own_message_; }

 protected:
  std::string own_message_;
};

// A file that cannot be read as what it claims to be: truncated, a count that
// exceeds what remains, a value out of its range. Names the file.
class LoadError : public RivoError {
 public:
  LoadError(std::string file_name_cp932, std::string_view what_utf8);
  const std::string& file_name() const { return file_name_; }

 private:
  std::string file_name_;
};

// Puts name in place of the first "%s" of format (no other conversions).
std::string InsertName(std::string_view format, std::string_view name);

}  // namespace rivo
