// The compiled form of expressions: reading, writing and preparing it.
//
//   int32 count, then per operation: opcode byte; destination string;
//   int32 operand count (for ocFunc the number of arguments); the function
//   number byte (ocFunc only); per operand a type byte (0 name, 1 int32,
//   2 10-byte real, 3 flag byte, 4 string) and the value.

#include "script/rivo_parser.h"

#include <map>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "script/function_table.h"
#include "script/opcodes.h"
#include "script/param_collection_item.h"
#include "script/param_factory.h"
#include "script/param_var.h"

namespace rivo {

namespace {

// Opcode, destination length, operand count.
constexpr std::size_t kMinOperationBytes = 1 + 4 + 4;
// A flag operand: type byte and value byte.
constexpr std::size_t kMinOperandBytes = 2;

bool IsTempName(std::string_view name) { return name.starts_with("____"); }

// The fewest operands each operation reads.
int32_t OperandsNeeded(const TOpeData& op) {
  switch (op.opcode) {
    case ocNone: return 0;
    case ocTo: return 1;
    case ocFunc: return FunctionAt(op.function)->min_args;
    default: return op.opcode <= kLastOpCode ? 2 : 0;
  }
}

TOpeOperand ReadOperand(ByteReader& in) {
  TOpeOperand operand;
  uint8_t type = in.U8();
  if (type == PT_NONE) {
    operand.name = in.String();
    return operand;
  }
  operand.literal = MakeParam(type, nullptr);
  switch (type) {
    case PT_INT: operand.literal->SetInt(in.I32()); break;
    case PT_FLOAT: operand.literal->SetFloat(in.Extended()); break;
    case PT_BOOL: operand.literal->SetBool(in.U8() != 0); break;
    case PT_STR: operand.literal->SetStr(in.String()); break;
    default: in.Fail("unknown operand type " + std::to_string(type));
  }
  return operand;
}

void WriteOperand(ByteWriter& out, const TOpeOperand& operand) {
  if (!operand.literal) {
    out.U8(PT_NONE);
    out.String(operand.name);
    return;
  }
  uint8_t kind = operand.literal->GetKind();
  out.U8(kind);
  switch (kind) {
    case PT_INT: out.I32(operand.literal->AsInt()); break;
    case PT_FLOAT: out.Extended(operand.literal->AsFloat()); break;
    case PT_BOOL: out.Bool(operand.literal->AsBool()); break;
    default: out.String(operand.literal->AsStr()); break;
  }
}

}  // namespace

TOpeOperand::TOpeOperand() = default;
TOpeOperand::TOpeOperand(TOpeOperand&&) noexcept = default;
TOpeOperand& TOpeOperand::operator=(TOpeOperand&&) noexcept = default;
TOpeOperand::~TOpeOperand() = default;

TRivoParser::TRivoParser() = default;
TRivoParser::~TRivoParser() = default;

void TRivoParser::Clear() {
  ops_.clear();
  temp_count_ = 0;
  frame_ = {};
  result_.reset();
  spare_result_.reset();
  constant_ = constant_result_ = nullptr;
  last_error_.clear();
}

void TRivoParser::LoadFromStream(ByteReader& in) {
  std::vector<TOpeData> ops(in.Count(in.I32(), kMinOperationBytes));
  for (TOpeData& op : ops) {
    op.opcode = in.U8();
    op.dest = in.String();
    std::size_t count = in.Count(in.I32(), kMinOperandBytes);
    if (op.opcode == ocFunc) {
      op.function = in.U8();
      if (!FunctionAt(op.function)) in.Fail("unknown function number " + std::to_string(op.function));
    }
    op.operands.reserve(count);
    for (std::size_t k = 0; k < count; ++k) op.operands.push_back(ReadOperand(in));
    if (static_cast<int64_t>(count) < OperandsNeeded(op))
      in.Fail(OpCodeName(op.opcode) + " without the operands it needs");
  }
  Clear();
  ops_ = std::move(ops);
  Prepare();
}

void TRivoParser::SaveToStream(ByteWriter& out) const {
  out.I32(static_cast<int32_t>(ops_.size()));
  for (const TOpeData& op : ops_) {
    out.U8(op.opcode);
    out.String(op.dest);
    out.I32(static_cast<int32_t>(op.operands.size()));
    if (op.opcode == ocFunc) out.U8(op.function);
    for (const TOpeOperand& operand : op.operands) WriteOperand(out, operand);
  }
}

void TRivoParser::Assign(const TRivoParser& other) {
  ByteWriter out;
  other.SaveToStream(out);
  ByteReader in(out.data(), "");
  LoadFromStream(in);
}

// Gives each temporary destination a slot of its own, points the names that
// use it there, and makes the references that bind names while they run.
void TRivoParser::Prepare() {
  std::map<std::string, int32_t> slots;
  for (TOpeData& op : ops_)
    if (IsTempName(op.dest)) op.dest_slot = slots.try_emplace(op.dest, static_cast<int32_t>(slots.size())).first->second;
  temp_count_ = static_cast<int32_t>(slots.size());
  for (TOpeData& op : ops_) {
    op.values.clear();
    for (TOpeOperand& operand : op.operands) {
      if (!operand.literal) {
        if (auto slot = slots.find(operand.name); slot != slots.end()) operand.temp_slot = slot->second;
        operand.reference = std::make_unique<TParamVar>(nullptr);
        op.values.push_back(operand.reference.get());
      } else {
        op.values.push_back(operand.literal.get());
      }
    }
  }
  constant_ = FindConstant();
}

}  // namespace rivo
