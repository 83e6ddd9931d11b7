#include "script/script_text.h"

#include "script/custom_param.h"

namespace rivo {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

std::string_view TrimBlanks(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

void StoreStrings(TCustomParam& v, const std::vector<std::string>& parts) {
  if (parts.empty()) {
    v.MakeScalar();
    v.SetStr("");
    return;
  }
  if (parts.size() > static_cast<std::size_t>(kMaxArrayElements)) {
    int64_t size = static_cast<int64_t>(parts.size());
    ThrowBadSizes({&size, 1});
  }
  int32_t count = static_cast<int32_t>(parts.size());
  v.SetDims({&count, 1});
  for (int32_t i = 0; i < count; ++i) v.SetStrAt(i, parts[static_cast<std::size_t>(i)]);
}

}  // namespace rivo
