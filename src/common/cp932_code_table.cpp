#include "common/cp932_code_table.h"

#include <iconv.h>

#include <array>
#include <memory>
#include <stdexcept>

#include "common/sjis.h"

namespace rivo {
namespace {

using CodeTable = std::array<char32_t, 0x10000>;

// One character through iconv; 0 when it has no Unicode form.
char32_t ConvertOne(iconv_t cd, const char* bytes, size_t size) {
  char32_t out[2] = {0, 0};
  char* src = const_cast<char*>(bytes);
  char* dst = reinterpret_cast<char*>(out);
  size_t src_left = size;
  size_t dst_left = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &src, &src_left, &dst, &dst_left) == static_cast<size_t>(-1) || src_left != 0 ||
      sizeof out - dst_left != sizeof(char32_t))
    return 0;
  return out[0];
}

std::unique_ptr<CodeTable> BuildTable() {
  iconv_t cd = iconv_open("UTF-32LE", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert CP932");
  auto table = std::make_unique<CodeTable>();
  table->fill(0);
  for (int c = 0; c < 0x100; ++c) {
    if (sjis::IsLeadByte(static_cast<unsigned char>(c))) continue;
    const char byte = static_cast<char>(c);
    (*table)[c] = ConvertOne(cd, &byte, 1);
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!sjis::IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      (*table)[lead * 256 + trail] = ConvertOne(cd, pair, 2);
    }
  }
  iconv_close(cd);
  return table;
}

}  // namespace

char32_t Cp932CodeToUnicode(uint16_t code) {
  // Built once on first use; the table never changes afterwards.
  static const std::unique_ptr<CodeTable> table = BuildTable();
  return (*table)[code];
}

}  // namespace rivo
