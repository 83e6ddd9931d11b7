// Running a compiled expression: each operation binds the variables it
// names, makes its destination temporary (of a kind that depends on the
// operation and its first operand) and computes into it.

#include <array>
#include <cmath>
#include <span>

#include "common/encoding.h"
#include "common/error.h"
#include "common/numbers.h"
#include "script/function_dispatcher.h"
#include "script/function_table.h"
#include "script/opcodes.h"
#include "script/param_collection.h"
#include "script/param_factory.h"
#include "script/param_var.h"
#include "script/property_table.h"
#include "script/rivo_parser.h"
#include "script/typed_params.h"

namespace rivo {

namespace {

const std::string kResultName = "____arg";

// The store's variable of that name, remembered while the store's lookups
// cannot have changed, so that a run does not search for the same names
// again and again.
TParamCollectionItem* FindCached(const TParamCollection& store, std::string_view name, TParamCollectionItem*& found,
                                 const TParamCollection*& found_in, uint64_t& found_generation) {
  if (found_in != &store || found_generation != store.Generation()) {
    found = store.Find(name);
    found_in = &store;
    found_generation = store.Generation();
  }
  return found;
}

[[noreturn]] void ThrowMissing(std::string_view name) { throw RivoError("\"%s\" 変数がありません", name); }

[[noreturn]] void ThrowBadOperation(const TOpeData& op) {
  std::string text = "不正な式\r\n\r\n代入先:" + Cp932ToUtf8(op.dest) + "演算タイプ:" + OpCodeName(op.opcode);
  for (const TOpeOperand& operand : op.operands)
    text += "\r\n" + Cp932ToUtf8(operand.literal ? operand.literal->AsStr() : operand.name);
  throw RivoError(text);
}

// The run-time library's errors for arithmetic that has no result.
[[noreturn]] void ThrowDivisionByZero() { throw RivoError("Division by zero"); }

long double CheckedReal(long double result, long double a, long double b) {
  if (std::isnan(result)) throw RivoError("Invalid floating point operation");
  if (std::isinf(result) && std::isfinite(a) && std::isfinite(b)) throw RivoError("Floating point overflow");
  return result;
}

long double RealArithmetic(uint8_t opcode, long double a, long double b) {
  switch (opcode) {
    case ocPlus: return CheckedReal(a + b, a, b);
    case ocMinus: return CheckedReal(a - b, a, b);
    case ocMul: return CheckedReal(a * b, a, b);
    default:
      if (b == 0) throw RivoError(a == 0 ? "Invalid floating point operation" : "Floating point division by zero");
      return CheckedReal(a / b, a, b);
  }
}

int32_t IntArithmetic(uint8_t opcode, int32_t a, int32_t b) {
  switch (opcode) {
    case ocPlus: return WrapAdd(a, b);
    case ocMinus: return WrapSub(a, b);
    case ocMul: return WrapMul(a, b);
    case ocDiv:
      if (b == 0) ThrowDivisionByZero();
      return Div(a, b);
    case ocMod:
      if (b == 0) ThrowDivisionByZero();
      return Mod(a, b);
    case ocOr: return a | b;
    case ocAnd: return a & b;
    case ocXor: return a ^ b;
    case ocShiftL: return Shl(a, b);
    default: return Shr(a, b);
  }
}

// -1, 0 or 1 as A compares to B, by the kind of A.
int Compare(const TCustomParam& a, const TCustomParam& b) {
  switch (a.GetKind()) {
    case PT_STR: {
      int c = a.AsStr().compare(b.AsStr());
      return (c > 0) - (c < 0);
    }
    case PT_FLOAT: {
      long double x = a.AsFloat(), y = b.AsFloat();
      return (x > y) - (x < y);
    }
    case PT_BOOL: return int{a.AsBool()} - int{b.AsBool()};
    default: {
      int32_t x = a.AsInt(), y = b.AsInt();
      return (x > y) - (x < y);
    }
  }
}

bool Comparison(uint8_t opcode, const TCustomParam& a, const TCustomParam& b) {
  if (a.GetKind() == PT_FLOAT && std::isnan(a.AsFloat() + b.AsFloat())) return opcode == ocNEqual;
  int c = Compare(a, b);
  switch (opcode) {
    case ocEqual: return c == 0;
    case ocBig: return c > 0;
    case ocSmall: return c < 0;
    case ocEBig: return c >= 0;
    case ocESmall: return c <= 0;
    default: return c != 0;
  }
}

// The kind of the temporary an operation assigns first.
uint8_t TempKind(const TOpeData& op) {
  const TCustomParam* a = op.values.empty() ? nullptr : op.values[0];
  switch (op.opcode) {
    case ocTo: return a->GetKind();
    case ocPlus:
      if (a->GetKind() == PT_STR) return PT_STR;
      [[fallthrough]];
    case ocMinus:
    case ocMul:
    case ocDiv: return a->GetKind() == PT_FLOAT ? PT_FLOAT : PT_INT;
    case ocFunc: {
      uint8_t kind = FunctionAt(op.function)->result;
      if (op.function != kGetPropFunction) return kind;
      const PropertyInfo* property = FindProperty(op.values[1]->AsInt());
      if (!property) throw RivoError("GetPropの引数が違います");
      return property->kind;
    }
    case ocEqual:
    case ocBig:
    case ocSmall:
    case ocEBig:
    case ocESmall:
    case ocNEqual: return PT_BOOL;
    case ocComboStr: return PT_STR;
    case ocMod:
    case ocOr:
    case ocAnd:
    case ocXor:
    case ocShiftL:
    case ocShiftR: return PT_INT;
    default: ThrowBadOperation(op);
  }
}

// Back to a new scalar holding 0, 0.0, false or the empty text.
void ClearValue(TCustomParam& value) {
  switch (value.StoredKind()) {
    case PT_INT: static_cast<TParamInt&>(value).Clear(); break;
    case PT_FLOAT: static_cast<TParamFloat&>(value).Clear(); break;
    case PT_BOOL: static_cast<TParamFlag&>(value).Clear(); break;
    case PT_STR: static_cast<TParamStr&>(value).Clear(); break;
    default: break;
  }
}

// Unbinds the operands of one operation whatever way it ends.
struct OperandBinding {
  TOpeData& op;
  ~OperandBinding() {
    for (TOpeOperand& operand : op.operands)
      if (operand.reference) operand.reference->Unbind();
  }
};

}  // namespace

TParamCollectionItem& TRivoParser::CreateTemp(TOpeData& op, TParamCollection& store, Frame& frame) {
  std::unique_ptr<TParamCollectionItem>& temp = frame.temps[static_cast<std::size_t>(op.dest_slot)];
  if (op.opcode == ocDimTo) {
    TCustomParam& a = *op.values[0];
    TParamCollectionItem* array = op.operands[0].literal ? store.Find(a.AsStr()) : op.operands[0].reference->Target();
    std::string name = op.operands[0].literal ? a.AsStr() : op.operands[0].name;
    if (!array) ThrowMissing(name);
    // Indexes on the stack for the usual few dimensions.
    std::array<int32_t, 8> few;
    std::vector<int32_t> many;
    std::span<int32_t> indexes(few.data(), op.values.size() - 1);
    if (indexes.size() > few.size()) {
      many.resize(indexes.size());
      indexes = many;
    }
    for (std::size_t k = 0; k < indexes.size(); ++k) indexes[k] = op.values[k + 1]->AsInt();
    auto* reference = temp ? dynamic_cast<TParamVar*>(&temp->Param()) : nullptr;
    if (!reference) {
      auto fresh = std::make_unique<TParamVar>(nullptr);
      reference = fresh.get();
      if (temp) temp->SetParam(std::move(fresh));
      else temp = std::make_unique<TParamCollectionItem>(std::move(fresh));
    }
    reference->BindElement(*array, name, indexes);
  } else {
    uint8_t kind = TempKind(op);
    if (temp && temp->Param().StoredKind() == kind && kind != PT_NONE) {
      ClearValue(temp->Param());
    } else {
      std::unique_ptr<TCustomParam> value = MakeParam(kind, nullptr);
      if (temp) temp->SetParam(std::move(value));
      else temp = std::make_unique<TParamCollectionItem>(std::move(value));
    }
  }
  frame.made[static_cast<std::size_t>(op.dest_slot)] = 1;
  return *temp;
}

void TRivoParser::Execute(TOpeData& op, TParamCollection& store, Frame& frame) {
  OperandBinding binding{op};
  for (TOpeOperand& operand : op.operands) {
    if (operand.literal) continue;
    TParamCollectionItem* item = nullptr;
    if (operand.temp_slot >= 0 && frame.made[static_cast<std::size_t>(operand.temp_slot)])
      item = frame.temps[static_cast<std::size_t>(operand.temp_slot)].get();
    else
      item = FindCached(store, operand.name, operand.found, operand.found_in, operand.found_generation);
    if (!item) ThrowMissing(operand.name);
    operand.reference->BindTo(item);
  }

  TParamCollectionItem* dest;
  if (op.dest_slot >= 0) {
    dest = frame.made[static_cast<std::size_t>(op.dest_slot)]
               ? frame.temps[static_cast<std::size_t>(op.dest_slot)].get()
               : &CreateTemp(op, store, frame);
  } else {
    dest = FindCached(store, op.dest, op.dest_found, op.dest_found_in, op.dest_found_generation);
    if (!dest) ThrowMissing(op.dest);
  }

  TCustomParam& d = dest->Param();
  const std::vector<TCustomParam*>& v = op.values;
  switch (op.opcode) {
    case ocTo:
      AssignAs(d, d.GetKind(), *v[0]);
      break;
    case ocPlus:
    case ocMinus:
    case ocMul:
    case ocDiv:
      if (d.GetKind() == PT_FLOAT) d.SetFloat(RealArithmetic(op.opcode, v[0]->AsFloat(), v[1]->AsFloat()));
      else d.SetInt(IntArithmetic(op.opcode, v[0]->AsInt(), v[1]->AsInt()));
      break;
    case ocMod:
    case ocOr:
    case ocAnd:
    case ocXor:
    case ocShiftL:
    case ocShiftR:
      d.SetInt(IntArithmetic(op.opcode, v[0]->AsInt(), v[1]->AsInt()));
      break;
    case ocEqual:
    case ocBig:
    case ocSmall:
    case ocEBig:
    case ocESmall:
    case ocNEqual:
      d.SetBool(Comparison(op.opcode, *v[0], *v[1]));
      break;
    case ocComboStr:
      d.SetStr(v[0]->AsStr() + v[1]->AsStr());
      break;
    case ocFunc: {
      FunctionDispatcher* functions = store.Functions();
      // Without the function bodies a call fails like a call of an unknown function.
      if (!functions) ThrowMissingFunction(op.function);
      functions->Call(d, op.function, static_cast<int32_t>(v.size()) - 1, v);
      break;
    }
    case ocDimTo:
      break;  // the binding made with the temporary is the effect
    default:
      ThrowBadOperation(op);
  }
}

void TRivoParser::Run(TParamCollection& store, Frame& frame) {
  frame.temps.resize(static_cast<std::size_t>(temp_count_));
  frame.made.assign(static_cast<std::size_t>(temp_count_), 0);
  try {
    for (TOpeData& op : ops_) Execute(op, store, frame);
  } catch (const std::exception& e) {
    last_error_ = e.what();
  }
  if (ops_.empty()) return;
  const TOpeData& last = ops_.back();
  if (last.opcode != ocTo || last.dest != kResultName || last.dest_slot < 0) return;
  if (!frame.made[static_cast<std::size_t>(last.dest_slot)]) return;
  const TCustomParam& value = frame.temps[static_cast<std::size_t>(last.dest_slot)]->Param();
  uint8_t kind = value.GetKind();
  if (!IsValueKind(kind)) return;
  // The previous run's result object is used again when it is of the kind.
  if (spare_result_ && spare_result_->StoredKind() == kind) result_ = std::move(spare_result_);
  else result_ = MakeParam(kind, nullptr);
  result_->AssignRaw(value);
}

const TCustomParam* TRivoParser::FindConstant() const {
  if (ops_.empty() || ops_.size() > 2) return nullptr;
  const TOpeData& last = ops_.back();
  if (last.opcode != ocTo || last.dest != kResultName || last.operands.empty()) return nullptr;
  // Run would copy the literal into a temporary of its kind, then that into
  // the result; compiled pages often pass it through one more temporary of
  // its kind on the way.
  const TOpeOperand* source = &last.operands.front();
  if (ops_.size() == 2) {
    const TOpeData& first = ops_.front();
    if (first.opcode != ocTo || first.dest_slot < 0 || first.dest == kResultName || first.operands.empty() ||
        source->literal || source->temp_slot != first.dest_slot)
      return nullptr;
    source = &first.operands.front();
  }
  const TCustomParam* literal = source->literal.get();
  return literal && IsValueKind(literal->GetKind()) ? literal : nullptr;
}

void TRivoParser::Evaluate(TParamCollection& store) {
  last_error_.clear();
  if (constant_) {
    constant_result_ = constant_;
    return;
  }
  if (result_) spare_result_ = std::move(result_);
  if (running_) {
    // Run again from inside its own run: a copy keeps the two runs'
    // bindings and temporaries apart.
    TRivoParser copy;
    copy.Assign(*this);
    copy.Evaluate(store);
    result_ = std::move(copy.result_);
    last_error_ = std::move(copy.last_error_);
    return;
  }
  running_ = true;
  struct Release {
    bool& flag;
    ~Release() { flag = false; }
  } release{running_};
  Run(store, frame_);
}

}  // namespace rivo
