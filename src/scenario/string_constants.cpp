#include "scenario/string_constants.h"

#include "scenario/command.h"
#include "scenario/record_fields.h"
#include "script/param_kind.h"
#include "script/rivo_parser.h"

namespace rivo {
namespace {

class StringFields : public RecordFields {
 public:
  StringFields(int32_t version, const std::function<void(std::string_view)>& found)
      : version_(version), found_(found) {}

  int32_t Version() const override { return version_; }
  void Expression(const char*, TRivoParser& expression) override { ForEachStringLiteral(expression, found_); }
  void Expressions(const char*, ExpressionList& list) override {
    for (const auto& expression : list)
      if (expression) ForEachStringLiteral(*expression, found_);
  }
  void String(const char*, std::string& text) override { found_(text); }
  void Int(const char*, int32_t&) override {}
  void Byte(const char*, uint8_t&) override {}
  void Target(const char*, int32_t&, TargetKind) override {}
  void Bytes(const char*, std::string&) override {}
  void Properties(PropertySlots& slots) override {
    for (const auto& slot : slots)
      if (slot) ForEachStringLiteral(*slot, found_);
  }

 private:
  int32_t version_;
  const std::function<void(std::string_view)>& found_;
};

}  // namespace

void ForEachStringConstant(TCommand& command, int32_t version, const std::function<void(std::string_view)>& found) {
  StringFields fields(version, found);
  command.Fields(fields);
}

void ForEachStringLiteral(const TRivoParser& expression, const std::function<void(std::string_view)>& found) {
  for (const TOpeData& op : expression.Operations())
    for (const TOpeOperand& operand : op.operands)
      if (operand.literal && operand.literal->GetKind() == PT_STR) found(operand.literal->AsStr());
}

}  // namespace rivo
