#include "common/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "common/sjis.h"

namespace rivo {

namespace {

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// One iconv descriptor per direction and thread, opened on first use.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as it can; on an unconvertible sequence of `skip(in)`
  // bytes, appends `replacement` and goes on after it.
  template <typename Skip>
  std::string Run(std::string_view in, std::string_view replacement, Skip skip) {
    std::string out;
    out.reserve(in.size() * 3 / 2 + 4);
    char buffer[1024];
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (src_left > 0) {
      char* dst = buffer;
      size_t dst_left = sizeof buffer;
      size_t r = iconv(cd_, &src, &src_left, &dst, &dst_left);
      out.append(buffer, dst - buffer);
      if (r == static_cast<size_t>(-1) && errno != E2BIG) {
        size_t n = std::min(src_left, skip(std::string_view(src, src_left)));
        out += replacement;
        src += n;
        src_left -= n;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return out;
  }

 private:
  iconv_t cd_;
};

size_t Utf8SequenceLength(std::string_view s) {
  unsigned char c = static_cast<unsigned char>(s[0]);
  size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
  if (c >= 0x80 && c < 0xC0) n = 1;
  // Stop at the first byte that is not a continuation byte.
  for (size_t i = 1; i < n; ++i)
    if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return i;
  return n;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  thread_local Converter converter("UTF-8", "CP932");
  return converter.Run(cp932, "\xEF\xBF\xBD",
                       [](std::string_view rest) -> size_t {
                         // A lead byte swallows the next byte only when that
                         // one can be a trail byte, so a newline survives.
                         if (rest.size() < 2 || !sjis::IsLeadByte(rest[0])) return 1;
                         unsigned char t = static_cast<unsigned char>(rest[1]);
                         return (t >= 0x40 && t <= 0xFC && t != 0x7F) ? 2 : 1;
                       });
}

std::string Utf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  thread_local Converter converter("CP932", "UTF-8");
  return converter.Run(utf8, "?", Utf8SequenceLength);
}

}  // namespace rivo
