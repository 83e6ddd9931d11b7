#pragma once
// FunctionCall: one call of a system function as its body sees it: the
// destination temporary (of the function's result kind), the arguments,
// and the manager with the store, tables, files and random generator.
//
// Arguments are literals or references to the variables the expression
// named. A function that writes into an argument ("var" arguments) writes
// only into variables: a literal in that place is copied first, so the
// function runs as usual while the compiled expression keeps its literal.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "script/custom_param.h"

namespace rivo {

class TSysFuncMan;

// The longest text (or the total text of an array) a function builds. Text
// grows by repeating and replacing, and a count or length slipped in from a
// script would otherwise ask for gigabytes.
constexpr uint64_t kMaxBuiltTextBytes = uint64_t{16} << 20;

class FunctionCall {
 public:
  FunctionCall(TSysFuncMan& functions, TCustomParam& dest, int32_t index, std::span<TCustomParam* const> args)
      : functions(functions), dest(dest), index_(index), args_(args) {}

  TSysFuncMan& functions;
  TCustomParam& dest;

  int32_t Count() const { return static_cast<int32_t>(args_.size()); }
  bool Has(int32_t i) const { return i < Count(); }
  TCustomParam& Arg(int32_t i) const { return *args_[static_cast<std::size_t>(i)]; }
  int32_t Int(int32_t i) const { return Arg(i).AsInt(); }
  long double Float(int32_t i) const { return Arg(i).AsFloat(); }
  bool Bool(int32_t i) const { return Arg(i).AsBool(); }
  std::string Str(int32_t i) const { return Arg(i).AsStr(); }
  // Argument i, or fallback when the call has fewer arguments.
  int32_t IntOr(int32_t i, int32_t fallback) const { return Has(i) ? Int(i) : fallback; }
  bool BoolOr(int32_t i, bool fallback) const { return Has(i) ? Bool(i) : fallback; }
  // nullptr when the call has fewer arguments.
  const TCustomParam* Optional(int32_t i) const { return Has(i) ? &Arg(i) : nullptr; }

  // Whether argument i names a variable (rather than being a literal).
  bool IsVariable(int32_t i) const { return Arg(i).ClassKind() == PT_NONE; }
  // Argument i as the variable it names; a literal raises
  // "<function>:変数が見つかりません".
  TCustomParam& Variable(int32_t i) const;
  // A "var" argument: the variable it names, or a copy of the literal.
  TCustomParam& Writable(int32_t i);

  const char* Name() const;
  // Raises "<function>:<what>".
  [[noreturn]] void Fail(std::string_view what_utf8) const;
  // Refuses text of more than kMaxBuiltTextBytes.
  void CheckTextSize(uint64_t bytes) const;

 private:
  int32_t index_;
  std::span<TCustomParam* const> args_;
  std::vector<std::unique_ptr<TCustomParam>> copies_;
};

}  // namespace rivo
