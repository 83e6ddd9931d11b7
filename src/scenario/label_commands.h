#pragma once
// Labels (where events and jumps land) and comments (never executed; a
// comment's text can serve as a label too).

#include <string>

#include "scenario/command.h"
#include "scenario/command_codes.h"

namespace rivo {

class TComLabel : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_LABEL; }
  bool MatchesLabel(std::string_view name) const override { return Text == name; }
  void Fields(RecordFields& f) override { f.String("label", Text); }
  void Execute(TCallMan&, std::shared_ptr<TPage>&, int32_t& pc) override { ++pc; }

  std::string Text;
};

class TComComment : public TComLabel {
 public:
  using TComLabel::TComLabel;
  uint8_t GetType() const override { return CC_COMMENT; }
  bool GetContinue() const override { return false; }
  bool GetDisabled() const override { return true; }
};

}  // namespace rivo
