#pragma once
// Commands on variables: Calc runs an expression for its assignments,
// VarNew declares a variable, VarDel deletes one.

#include <string>

#include "scenario/command.h"
#include "scenario/command_codes.h"

namespace rivo {

class TComCalc : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_CALC; }
  void Fields(RecordFields& f) override { f.Expression("expr", Expression); }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;

  TRivoParser Expression;
};

class TComVarNew : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_VARNEW; }
  void Fields(RecordFields& f) override {
    f.String("name", Name);
    f.Byte("kind", Kind);
    f.Expression("value", Value);
    f.Byte("scope", Scope);
  }
  // Raises "変数名がありません" for an empty name; a kind outside 1..4 fails.
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;

  std::string Name;
  uint8_t Kind = 1;
  TRivoParser Value;
  uint8_t Scope = 0;
};

class TComVarDel : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_VARDEL; }
  void Fields(RecordFields& f) override { f.String("name", Name); }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;

  std::string Name;
};

}  // namespace rivo
