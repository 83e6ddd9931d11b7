// The array functions: sizes, filling, copying, joining and splitting,
// searching, sorting, adding, inserting and deleting elements.
//
// Elements move between arrays of different kinds through the element
// operations of the receiving array's kind, converting as variables do.

#include <algorithm>

#include "common/sjis.h"
#include "script/function_call.h"
#include "script/function_families.h"
#include "script/param_factory.h"
#include "script/script_text.h"

namespace rivo {

namespace {

const std::string kLineBreak = "\r\n";

// Element from_index of from into element to_index of to, through the
// element operations of kind.
void CopyElement(TCustomParam& to, int32_t to_index, const TCustomParam& from, int32_t from_index, uint8_t kind) {
  switch (kind) {
    case PT_INT: to.SetIntAt(to_index, from.GetIntAt(from_index)); break;
    case PT_FLOAT: to.SetFloatAt(to_index, from.GetFloatAt(from_index)); break;
    case PT_BOOL: to.SetBoolAt(to_index, from.GetBoolAt(from_index)); break;
    default: to.SetStrAt(to_index, from.GetStrAt(from_index)); break;
  }
}

uint64_t TextBytes(const TCustomParam& value) {
  uint64_t bytes = 0;
  for (int32_t i = 0; i < value.GetCount(); ++i) bytes += value.GetStrAt(i).size();
  return bytes;
}

// Inserts b's elements, converted to a's kind, before element pos of a.
void InsertElements(const FunctionCall& call, TCustomParam& a, int32_t pos, const TCustomParam& b) {
  uint8_t kind = a.GetKind();
  int32_t m = b.GetCount();
  if (!IsValueKind(kind) || m == 0) return;
  int32_t n = a.GetCount();
  int64_t grown = int64_t{n} + m;
  if (grown > kMaxArrayElements) ThrowBadSizes({&grown, 1});
  if (kind == PT_STR) call.CheckTextSize(TextBytes(a) + TextBytes(b));
  // b may be a itself: take its elements before a moves them.
  std::unique_ptr<TCustomParam> added = MakeParam(kind, nullptr);
  added->SetCount(m);
  for (int32_t j = 0; j < m; ++j) CopyElement(*added, j, b, j, kind);
  a.SetCount(static_cast<int32_t>(grown));
  for (int32_t i = n - 1; i >= pos; --i) CopyElement(a, i + m, a, i, kind);
  for (int32_t j = 0; j < m; ++j) CopyElement(a, pos + j, *added, j, kind);
}

void GetArraySize(FunctionCall& call) {
  const TCustomParam& v = call.Variable(0);
  if (!call.Has(1)) return call.dest.SetInt(v.GetCount());
  call.dest.SetInt(v.DimSize(static_cast<int32_t>(int64_t{v.DimCount()} - 1 - call.Int(1))));
}

void SetArray(FunctionCall& call) {
  TCustomParam& v = call.Variable(0);
  std::vector<int32_t> sizes;
  for (int32_t i = 1; i < call.Count(); ++i) sizes.push_back(call.Int(i));
  v.SetDims(sizes);
}

void FillMem(FunctionCall& call) {
  TCustomParam& v = call.Variable(0);
  const TCustomParam& value = call.Arg(1);
  switch (v.GetKind()) {
    case PT_INT: v.FillInt(value.AsInt()); break;
    case PT_FLOAT: v.FillFloat(value.AsFloat()); break;
    case PT_BOOL: v.FillBool(value.AsBool()); break;
    case PT_STR: {
      std::string text = value.AsStr();
      call.CheckTextSize(uint64_t{text.size()} * static_cast<uint64_t>(v.GetCount()));
      v.FillStr(text);
      break;
    }
    default: break;
  }
}

void CopyMem(FunctionCall& call) {
  TCustomParam& dst = call.Variable(0);
  dst.AssignSame(call.Variable(1));
}

void ArrayToString(FunctionCall& call) {
  const TCustomParam& v = call.Arg(0);
  std::string separator = call.Has(1) ? call.Str(1) : kLineBreak;
  std::string out;
  for (int32_t i = 0; i < v.GetCount(); ++i) {
    std::string element = v.GetStrAt(i);
    call.CheckTextSize(uint64_t{out.size()} + (i ? separator.size() : 0) + element.size());
    if (i) out += separator;
    out += element;
  }
  call.dest.SetStr(out);
}

// Lines for the line-break separator; otherwise cut at each separator until
// nothing is left, so a separator at the very end adds no empty part. An
// empty separator cuts nothing: the text is one part.
std::vector<std::string> SplitText(std::string_view s, std::string_view separator) {
  if (separator == kLineBreak) return SplitLines(s);
  std::vector<std::string> parts;
  if (separator.empty()) {
    if (!s.empty()) parts.emplace_back(s);
    return parts;
  }
  std::size_t from = 0;
  while (from < s.size()) {
    std::size_t at = sjis::Find(s, separator, from);
    if (at == sjis::npos) at = s.size();
    parts.emplace_back(s.substr(from, at - from));
    from = at == s.size() ? at : at + separator.size();
  }
  return parts;
}

void StringToArray(FunctionCall& call) {
  std::string s = call.Str(0);
  std::string separator = call.Has(2) ? call.Str(2) : kLineBreak;
  StoreStrings(call.Writable(1), SplitText(s, separator));
}

void IndexOfStr(FunctionCall& call) {
  call.dest.SetInt(call.Arg(0).IndexOfStr(call.Str(1), call.BoolOr(2, true), call.BoolOr(3, false)));
}

// The order ignores the case of the letters (folded to upper case, as
// CompareText folds them), and falls back on the bytes for texts that
// differ only in case, so that "A" and "a" always come out in the same
// order. Ordinal rather than a language's collation: the same on every
// machine, whatever its locale.
void SortStr(FunctionCall& call) {
  TCustomParam& v = call.Writable(0);
  std::vector<std::string> texts;
  for (int32_t i = 0; i < v.GetCount(); ++i) texts.push_back(v.GetStrAt(i));
  std::stable_sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
    int c = sjis::CompareText(a, b);
    return c != 0 ? c < 0 : a < b;
  });
  for (int32_t i = 0; i < static_cast<int32_t>(texts.size()); ++i) v.SetStrAt(i, texts[static_cast<std::size_t>(i)]);
}

void AddArray(FunctionCall& call) {
  TCustomParam& a = call.Writable(0);
  const TCustomParam& b = call.Arg(1);
  if (a.DimCount() < 2 && b.DimCount() < 2) InsertElements(call, a, a.GetCount(), b);
  call.dest.SetInt(a.GetCount());
}

void InsertArray(FunctionCall& call) {
  TCustomParam& a = call.Writable(0);
  const TCustomParam& b = call.Arg(2);
  if (a.DimCount() < 2 && b.DimCount() < 2) InsertElements(call, a, std::clamp(call.Int(1), 0, a.GetCount()), b);
  call.dest.SetInt(a.GetCount());
}

// Deleting every element leaves an array of none rather than a scalar: the
// count the function answers stays true (0), so a loop that deletes until
// the array is empty ends, and adding to it starts from nothing.
void DeleteArray(FunctionCall& call) {
  TCustomParam& a = call.Writable(0);
  int32_t n = a.GetCount();
  if (a.DimCount() < 2 && n > 0) {
    int32_t pos = std::clamp(call.Int(1), 0, n - 1);
    int32_t count = std::clamp(call.Int(2), 0, n - pos);
    uint8_t kind = a.GetKind();
    if (count > 0 && IsValueKind(kind)) {
      for (int32_t i = pos + count; i < n; ++i) CopyElement(a, i - count, a, i, kind);
      a.SetCount(n - count);
    }
  }
  call.dest.SetInt(a.GetCount());
}

void CopyArray(FunctionCall& call) {
  TCustomParam& dst = call.Writable(0);
  const TCustomParam& src = call.Arg(1);
  if (src.GetCount() == 0) {
    // An array of no elements has no sizes SetDims would take.
    dst.MakeScalar();
    dst.SetCount(0);
  } else {
    dst.CopyConverted(src);
  }
  call.dest.SetBool(true);
}

}  // namespace

void AddArrayFunctions(FunctionBodies& bodies) {
  SetBody(bodies, "GetArraySize", GetArraySize);
  SetBody(bodies, "SetArray", SetArray);
  SetBody(bodies, "FillMem", FillMem);
  SetBody(bodies, "CopyMem", CopyMem);
  SetBody(bodies, "ArrayToString", ArrayToString);
  SetBody(bodies, "StringToArray", StringToArray);
  SetBody(bodies, "IndexOfStr", IndexOfStr);
  SetBody(bodies, "SortStr", SortStr);
  SetBody(bodies, "AddArray", AddArray);
  SetBody(bodies, "InsertArray", InsertArray);
  SetBody(bodies, "DeleteArray", DeleteArray);
  SetBody(bodies, "CopyArray", CopyArray);
}

}  // namespace rivo
