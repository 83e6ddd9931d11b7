#pragma once
// TRivoParser: a compiled expression as the player runs it: a flat list of
// three-address operations on named variables, loaded from a page (or from
// the compiler) and evaluated against the variable store.
//
// Intermediate values live in temporaries ("____0", "____d_1", "____arg")
// that belong to one evaluation: they never enter the store, so a nested
// evaluation (the "Calc" function) cannot meet the temporaries of the run
// that called it, and no temporary outlives its run, even a failed one.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "script/custom_param.h"
#include "script/param_collection_item.h"

namespace rivo {

class ByteReader;
class ByteWriter;
class TParamCollection;
class TParamVar;

// One operand: a literal value, or the name of a variable.
struct TOpeOperand {
  TOpeOperand();
  TOpeOperand(TOpeOperand&&) noexcept;
  TOpeOperand& operator=(TOpeOperand&&) noexcept;
  ~TOpeOperand();

  std::unique_ptr<TCustomParam> literal;  // kinds 1-4; nullptr for a name
  std::string name;
  // Run-time state: the reference the name is bound through while its
  // operation runs, the temporary slot when the name is one of this
  // expression's temporaries, and the store variable found last time.
  std::unique_ptr<TParamVar> reference;
  int32_t temp_slot = -1;
  TParamCollectionItem* found = nullptr;
  const TParamCollection* found_in = nullptr;
  uint64_t found_generation = 0;
};

struct TOpeData {
  uint8_t opcode = 0;
  std::string dest;
  uint8_t function = 0;  // ocFunc only
  std::vector<TOpeOperand> operands;
  // What the operation hands on: each operand's value object.
  std::vector<TCustomParam*> values;
  int32_t dest_slot = -1;
  TParamCollectionItem* dest_found = nullptr;
  const TParamCollection* dest_found_in = nullptr;
  uint64_t dest_found_generation = 0;
};

class TRivoParser {
 public:
  TRivoParser();
  TRivoParser(const TRivoParser&) = delete;
  TRivoParser& operator=(const TRivoParser&) = delete;
  ~TRivoParser();

  // Reads the compiled form. Counts are checked against the bytes that
  // remain; an unknown operand type, a function number of 148 or more, or an
  // operation missing the operands it needs is a load error.
  void LoadFromStream(ByteReader& in);
  void SaveToStream(ByteWriter& out) const;
  void Assign(const TRivoParser& other);
  void Clear();

  // Runs every operation; the first error stops the run silently (what was
  // assigned stays assigned; LastError tells why). When the last operation
  // assigns "____arg", Result holds a copy of it afterwards.
  void Evaluate(TParamCollection& store);
  const TCustomParam* Result() const { return constant_result_ ? constant_result_ : result_.get(); }
  const std::string& LastError() const { return last_error_; }
  // The literal the expression gives without running (a literal alone, or
  // passed on through a temporary as compiled strings are); nullptr for
  // anything computed.
  const TCustomParam* Constant() const { return constant_; }

  const std::vector<TOpeData>& Operations() const { return ops_; }

 private:
  // The temporaries of one run, one slot per temporary name; a slot is
  // made again (emptied) the first time its run assigns it.
  struct Frame {
    std::vector<std::unique_ptr<TParamCollectionItem>> temps;
    std::vector<uint8_t> made;
  };

  void Prepare();
  // The literal when the whole expression assigns one to "____arg", else nullptr.
  const TCustomParam* FindConstant() const;
  void Run(TParamCollection& store, Frame& frame);
  void Execute(TOpeData& op, TParamCollection& store, Frame& frame);
  TParamCollectionItem& CreateTemp(TOpeData& op, TParamCollection& store, Frame& frame);

  std::vector<TOpeData> ops_;
  int32_t temp_count_ = 0;
  Frame frame_;
  bool running_ = false;
  std::unique_ptr<TCustomParam> result_;
  std::unique_ptr<TCustomParam> spare_result_;
  // Most expressions a command evaluates are a literal alone: their result
  // is that literal, shown once evaluated, and nothing runs or is copied.
  const TCustomParam* constant_ = nullptr;
  const TCustomParam* constant_result_ = nullptr;
  std::string last_error_;
};

}  // namespace rivo
