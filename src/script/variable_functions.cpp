// Functions about variables and expressions: whether a variable exists,
// what "@Temp" stands for, the kind of a value, and "Calc", which compiles
// and runs an expression given as text.

#include "common/error.h"
#include "script/build_rivo_parser.h"
#include "script/function_call.h"
#include "script/function_families.h"
#include "script/param_collection.h"
#include "script/rivo_parser.h"
#include "script/script_text.h"

namespace rivo {

namespace {

void VarExists(FunctionCall& call) { call.dest.SetBool(call.functions.Store().Find(call.Str(0)) != nullptr); }

void AssignTemp(FunctionCall& call) {
  std::string name = call.Str(0);
  TParamCollection& store = call.functions.Store();
  bool exists = store.Find(name) != nullptr;
  if (exists) store.SetTempTarget(name);
  call.dest.SetBool(exists);
}

void GetVarType(FunctionCall& call) { call.dest.SetInt(call.Arg(0).GetKind()); }

// The result is "TRUE" once the text compiled, however its run went; a text
// that does not compile is no error of the calling expression.
void Calc(FunctionCall& call) {
  std::string source = call.Str(0);
  std::string_view text = TrimBlanks(source);
  if (text.empty()) return;
  int32_t& depth = call.functions.CalcDepth();
  if (depth >= TSysFuncMan::kMaxCalcDepth) call.Fail("呼び出しが深すぎます");
  TRivoParser parser;
  try {
    CompileExpression(text, parser);
  } catch (const RivoError&) {
    return;
  }
  ++depth;
  struct Leave {
    int32_t& depth;
    ~Leave() { --depth; }
  } leave{depth};
  parser.Evaluate(call.functions.Store());
  call.dest.SetBool(true);
}

}  // namespace

void AddVariableFunctions(FunctionBodies& bodies) {
  SetBody(bodies, "VarExists", VarExists);
  SetBody(bodies, "AssignTemp", AssignTemp);
  SetBody(bodies, "GetVarType", GetVarType);
  SetBody(bodies, "Calc", Calc);
}

}  // namespace rivo
