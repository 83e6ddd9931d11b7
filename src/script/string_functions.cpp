// The string functions. Positions count from 1. The plain functions count
// bytes; their "J" twins count characters, a double-byte character being
// one. Positions and counts outside the string are cut to it, so no slice
// ever reaches outside the text.

#include <algorithm>

#include "common/sjis.h"
#include "script/cp932_case.h"
#include "script/function_call.h"
#include "script/function_families.h"
#include "script/script_text.h"

namespace rivo {

namespace {

// The byte offset where each character starts, and the length at the end:
// character k (from 0) is bytes [at[k], at[k + 1]).
std::vector<std::size_t> CharStarts(std::string_view s) {
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < s.size(); i += sjis::CharSize(s, i)) at.push_back(i);
  at.push_back(s.size());
  return at;
}

// A slice [from, from + count) in units (bytes or characters) of a text of
// length units, from counted from 1. A start before 1 starts at the
// beginning; a negative count is empty. Returned as 0-based [first, last).
struct Slice {
  int64_t first, last;
};

Slice CopySlice(int64_t length, int64_t from, int64_t count) {
  int64_t first = from < 1 ? 0 : std::min(from - 1, length);
  int64_t n = count < 0 ? 0 : std::min(count, length - first);
  return {first, first + n};
}

// Delete takes nothing unless from lies inside the text.
Slice DeleteSlice(int64_t length, int64_t from, int64_t count) {
  if (from < 1 || from > length || count <= 0) return {0, 0};
  return {from - 1, from - 1 + std::min(count, length - from + 1)};
}

// Insert before position pos: before 1 inserts at the front, past the end appends.
int64_t InsertAt(int64_t length, int64_t pos) { return pos < 1 ? 0 : std::min(pos - 1, length); }

constexpr int64_t kToTheEnd = INT64_MAX / 2;

int64_t CountArg(const FunctionCall& call, int32_t i) { return call.Has(i) ? call.Int(i) : kToTheEnd; }

void Length(FunctionCall& call) { call.dest.SetInt(static_cast<int32_t>(call.Str(0).size())); }

void JLength(FunctionCall& call) { call.dest.SetInt(static_cast<int32_t>(sjis::CharCount(call.Str(0)))); }

void Copy(FunctionCall& call) {
  std::string s = call.Str(0);
  Slice slice = CopySlice(static_cast<int64_t>(s.size()), call.Int(1), CountArg(call, 2));
  call.dest.SetStr(std::string_view(s).substr(slice.first, slice.last - slice.first));
}

void JCopy(FunctionCall& call) {
  std::string s = call.Str(0);
  std::vector<std::size_t> at = CharStarts(s);
  Slice slice = CopySlice(static_cast<int64_t>(at.size()) - 1, call.Int(1), CountArg(call, 2));
  call.dest.SetStr(std::string_view(s).substr(at[slice.first], at[slice.last] - at[slice.first]));
}

void Delete(FunctionCall& call) {
  std::string s = call.Str(0);
  Slice slice = DeleteSlice(static_cast<int64_t>(s.size()), call.Int(1), CountArg(call, 2));
  s.erase(slice.first, slice.last - slice.first);
  call.Writable(0).SetStr(s);
}

void JDelete(FunctionCall& call) {
  std::string s = call.Str(0);
  std::vector<std::size_t> at = CharStarts(s);
  Slice slice = DeleteSlice(static_cast<int64_t>(at.size()) - 1, call.Int(1), CountArg(call, 2));
  s.erase(at[slice.first], at[slice.last] - at[slice.first]);
  call.Writable(0).SetStr(s);
}

void Insert(FunctionCall& call) {
  std::string sub = call.Str(0);
  std::string s = call.Str(1);
  s.insert(InsertAt(static_cast<int64_t>(s.size()), call.Int(2)), sub);
  call.Writable(1).SetStr(s);
}

void JInsert(FunctionCall& call) {
  std::string sub = call.Str(0);
  std::string s = call.Str(1);
  std::vector<std::size_t> at = CharStarts(s);
  s.insert(at[InsertAt(static_cast<int64_t>(at.size()) - 1, call.Int(2))], sub);
  call.Writable(1).SetStr(s);
}

// The difference of the first bytes that differ, else of the lengths.
void CompareStr(FunctionCall& call) {
  std::string a = call.Str(0), b = call.Str(1);
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t k = 0; k < n; ++k)
    if (a[k] != b[k]) return call.dest.SetInt(static_cast<unsigned char>(a[k]) - static_cast<unsigned char>(b[k]));
  call.dest.SetInt(static_cast<int32_t>(static_cast<int64_t>(a.size()) - static_cast<int64_t>(b.size())));
}

void CompareText(FunctionCall& call) { call.dest.SetInt(sjis::CompareText(call.Str(0), call.Str(1))); }

// An empty sub is found nowhere (0), as in the run-time library.
void Pos(FunctionCall& call) {
  std::string sub = call.Str(0), s = call.Str(1);
  std::size_t at = sub.empty() ? std::string::npos : s.find(sub);
  call.dest.SetInt(at == std::string::npos ? 0 : static_cast<int32_t>(at) + 1);
}

// Matches start on a character boundary: "\" is not found inside "ソ".
void JPos(FunctionCall& call) {
  std::string sub = call.Str(0), s = call.Str(1);
  std::size_t at = sjis::Find(s, sub);
  call.dest.SetInt(at == sjis::npos ? 0 : static_cast<int32_t>(sjis::CharCount(std::string_view(s).substr(0, at))) + 1);
}

void Trim(FunctionCall& call) { call.dest.SetStr(TrimBlanks(call.Str(0))); }

// Half-width and full-width (0x8140) blanks, found by walking characters so
// that the tail of another character is never taken for one.
void JTrim(FunctionCall& call) {
  std::string s = call.Str(0);
  std::vector<std::size_t> at = CharStarts(s);
  auto blank = [&](std::size_t k) {
    std::string_view c = std::string_view(s).substr(at[k], at[k + 1] - at[k]);
    return c == " " || c == "\x81\x40";
  };
  std::size_t chars = at.size() - 1, first = 0, last = chars;
  while (first < last && blank(first)) ++first;
  while (last > first && blank(last - 1)) --last;
  call.dest.SetStr(std::string_view(s).substr(at[first], at[last] - at[first]));
}

void FixStr(FunctionCall& call) {
  std::string s = call.Str(0);
  std::vector<std::size_t> at = CharStarts(s);
  std::size_t chars = at.size() - 1;
  if (chars > 0 && at[chars] - at[chars - 1] == 1 && sjis::IsLeadByte(static_cast<unsigned char>(s.back())))
    s.pop_back();
  call.dest.SetStr(s);
}

void LowerCase(FunctionCall& call) { call.dest.SetStr(AnsiLowerCase(call.Str(0))); }

void UpperCase(FunctionCall& call) { call.dest.SetStr(AnsiUpperCase(call.Str(0))); }

void ExtractFilePath(FunctionCall& call) { call.dest.SetStr(sjis::ExtractFilePath(call.Str(0))); }

void ExtractFileName(FunctionCall& call) { call.dest.SetStr(sjis::ExtractFileName(call.Str(0))); }

void ExtractFileExt(FunctionCall& call) { call.dest.SetStr(sjis::ExtractFileExt(call.Str(0))); }

void ChangeFileExt(FunctionCall& call) { call.dest.SetStr(sjis::ChangeFileExt(call.Str(0), call.Str(1))); }

// Whether byte n (from 1) of s is a single-byte character that occurs among
// the single-byte characters of delims.
bool IsDelimiterAt(std::string_view delims, std::string_view s, int32_t n) {
  if (n < 1 || static_cast<std::size_t>(n) > s.size()) return false;
  auto at = static_cast<std::size_t>(n - 1);
  if (sjis::CharSize(s, at) != 1 || sjis::IsTrailByteAt(s, at)) return false;
  for (std::size_t i = 0; i < delims.size(); i += sjis::CharSize(delims, i))
    if (sjis::CharSize(delims, i) == 1 && delims[i] == s[at]) return true;
  return false;
}

void IsPathDelimiter(FunctionCall& call) { call.dest.SetBool(IsDelimiterAt("\\", call.Str(0), call.Int(1))); }

void IsDelimiter(FunctionCall& call) { call.dest.SetBool(IsDelimiterAt(call.Str(0), call.Str(1), call.Int(2))); }

void AddBackSlash(FunctionCall& call) {
  std::string s = call.Str(0);
  if (!IsDelimiterAt("\\", s, static_cast<int32_t>(std::min<std::size_t>(s.size(), INT32_MAX)))) s += '\\';
  call.dest.SetStr(s);
}

void AddDelimiter(FunctionCall& call) {
  std::string s = call.Str(1);
  call.dest.SetStr(s.empty() ? s : s + call.Str(0));
}

void StringOfChar(FunctionCall& call) {
  std::string s = call.Str(0);
  int32_t n = call.Int(1);
  if (n <= 0 || s.empty()) return call.dest.SetStr("");
  call.CheckTextSize(uint64_t{s.size()} * static_cast<uint64_t>(n));
  std::string out;
  out.reserve(s.size() * static_cast<std::size_t>(n));
  for (int32_t k = 0; k < n; ++k) out += s;
  call.dest.SetStr(out);
}

// Matches start on character boundaries; ignoring case compares the folded
// texts, whose characters keep their lengths, and copies from the original.
// An empty pattern matches nothing, so the text comes back unchanged.
void StringReplace(FunctionCall& call) {
  std::string s = call.Str(0), old = call.Str(1), replacement = call.Str(2);
  bool all = call.BoolOr(3, false), ignore_case = call.BoolOr(4, false);
  std::string folded = ignore_case ? AnsiUpperCase(s) : std::string();
  std::string pattern = ignore_case ? AnsiUpperCase(old) : old;
  std::string_view searched = ignore_case ? folded : s;
  std::string out;
  out.reserve(s.size());
  std::size_t from = 0;
  while (true) {
    std::size_t at = sjis::Find(searched, pattern, from);
    if (at == sjis::npos) break;
    call.CheckTextSize(uint64_t{out.size()} + (at - from) + replacement.size() + (s.size() - at - pattern.size()));
    out.append(s, from, at - from);
    out += replacement;
    from = at + pattern.size();
    if (!all) break;
  }
  out.append(s, from, std::string::npos);
  call.dest.SetStr(out);
}

}  // namespace

void AddStringFunctions(FunctionBodies& bodies) {
  SetBody(bodies, "Length", Length);
  SetBody(bodies, "JLength", JLength);
  SetBody(bodies, "Copy", Copy);
  SetBody(bodies, "JCopy", JCopy);
  SetBody(bodies, "Delete", Delete);
  SetBody(bodies, "JDelete", JDelete);
  SetBody(bodies, "Insert", Insert);
  SetBody(bodies, "JInsert", JInsert);
  SetBody(bodies, "CompareStr", CompareStr);
  SetBody(bodies, "CompareText", CompareText);
  SetBody(bodies, "Pos", Pos);
  SetBody(bodies, "JPos", JPos);
  SetBody(bodies, "Trim", Trim);
  SetBody(bodies, "JTrim", JTrim);
  SetBody(bodies, "FixStr", FixStr);
  SetBody(bodies, "LowerCase", LowerCase);
  SetBody(bodies, "UpperCase", UpperCase);
  SetBody(bodies, "ExtractFilePath", ExtractFilePath);
  SetBody(bodies, "ExtractFileName", ExtractFileName);
  SetBody(bodies, "ExtractFileExt", ExtractFileExt);
  SetBody(bodies, "IsPathDelimiter", IsPathDelimiter);
  SetBody(bodies, "AddBackSlash", AddBackSlash);
  SetBody(bodies, "ChangeFileExt", ChangeFileExt);
  SetBody(bodies, "IsDelimiter", IsDelimiter);
  SetBody(bodies, "StringOfChar", StringOfChar);
  SetBody(bodies, "StringReplace", StringReplace);
  SetBody(bodies, "AddDelimiter", AddDelimiter);
}

}  // namespace rivo
