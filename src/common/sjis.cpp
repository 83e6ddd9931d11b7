#include "common/sjis.h"

#include <algorithm>

namespace rivo::sjis {

namespace {

constexpr unsigned char FoldUpper(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }
constexpr unsigned char FoldLower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

template <typename Fold>
void FoldInPlace(std::string& s, Fold fold) {
  for (std::size_t i = 0; i < s.size();) {
    std::size_t n = CharSize(s, i);
    if (n == 1) s[i] = static_cast<char>(fold(static_cast<unsigned char>(s[i])));
    i += n;
  }
}

}  // namespace

std::size_t CharCount(std::string_view s) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < s.size(); i += CharSize(s, i)) ++count;
  return count;
}

std::vector<uint16_t> CharCodes(std::string_view s) {
  std::vector<uint16_t> codes;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = CharSize(s, i);
    const auto lead = static_cast<unsigned char>(s[i]);
    codes.push_back(n == 2 ? static_cast<uint16_t>(lead * 256 + static_cast<unsigned char>(s[i + 1])) : lead);
    i += n;
  }
  return codes;
}

bool IsTrailByteAt(std::string_view s, std::size_t pos) {
  std::size_t i = 0;
  while (i < pos) i += CharSize(s, i);
  return i > pos;
}

std::size_t Find(std::string_view s, std::string_view sub, std::size_t from) {
  if (sub.empty()) return npos;
  // Byte matches first, then whether a character starts there, told from
  // the bytes before it: a byte outside the lead range always ends a
  // character, so only the run of lead-range bytes just before the match
  // counts, and the match starts a character when that run is even. The
  // run is counted back no further than the last position known to start
  // a character, which moves past every match looked at: linear in s.
  std::size_t known = from;
  for (std::size_t at = s.find(sub, from); at != npos; at = s.find(sub, known)) {
    std::size_t run = 0;
    while (at - run > known && IsLeadByte(static_cast<unsigned char>(s[at - run - 1]))) ++run;
    if (run % 2 == 0) return at;
    known = at + 1;  // at is the second half of a character
  }
  return npos;
}

std::size_t LastDelimiter(std::string_view delimiters, std::string_view s) {
  std::size_t found = npos;
  for (std::size_t i = 0; i < s.size();) {
    std::size_t n = CharSize(s, i);
    if (n == 1 && delimiters.find(s[i]) != std::string_view::npos) found = i;
    i += n;
  }
  return found;
}

std::string_view ExtractFileExt(std::string_view path) {
  std::size_t at = LastDelimiter(".\\:", path);
  if (at == npos || path[at] != '.') return {};
  return path.substr(at);
}

std::string_view ExtractFileName(std::string_view path) {
  std::size_t at = LastDelimiter("\\:", path);
  return at == npos ? path : path.substr(at + 1);
}

std::string_view ExtractFilePath(std::string_view path) {
  std::size_t at = LastDelimiter("\\:", path);
  return at == npos ? std::string_view{} : path.substr(0, at + 1);
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  std::size_t at = LastDelimiter(".\\:", path);
  std::string_view stem = (at != npos && path[at] == '.') ? path.substr(0, at) : path;
  std::string out(stem);
  out += ext;
  return out;
}

std::string UpperCase(std::string_view s) {
  std::string out(s);
  FoldInPlace(out, FoldUpper);
  return out;
}

void UpperCaseInPlace(std::string& s) { FoldInPlace(s, FoldUpper); }

std::string LowerCase(std::string_view s) {
  std::string out(s);
  FoldInPlace(out, FoldLower);
  return out;
}

int CompareText(std::string_view a, std::string_view b) {
  // Byte by byte; a byte is folded only when it is not the second half of a
  // double-byte character of its own string.
  bool trail_a = false, trail_b = false;
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t k = 0; k < n; ++k) {
    unsigned char ca = static_cast<unsigned char>(a[k]);
    unsigned char cb = static_cast<unsigned char>(b[k]);
    unsigned char fa = trail_a ? ca : FoldUpper(ca);
    unsigned char fb = trail_b ? cb : FoldUpper(cb);
    trail_a = !trail_a && IsLeadByte(ca);
    trail_b = !trail_b && IsLeadByte(cb);
    if (fa != fb) return fa < fb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

}  // namespace rivo::sjis
