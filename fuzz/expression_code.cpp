// Compiled expressions from arbitrary bytes (as a damaged page holds them):
// loading either fails with a load error or gives an expression that runs
// without harm against a store of every kind of variable, and that writes
// back the bytes it reads back.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "script/function_dispatcher.h"
#include "script/param_collection.h"
#include "script/param_var.h"
#include "script/rivo_parser.h"

namespace {

using namespace rivo;

// Stands in for the function bodies: writes into the destination and into
// every argument, as "var" arguments do.
class WritingFunctions : public FunctionDispatcher {
 public:
  void Call(TCustomParam& dest, int32_t index, int32_t, std::span<TCustomParam* const> args) override {
    dest.SetInt(index);
    for (TCustomParam* arg : args) arg->SetStr(arg->AsStr() + "x");
  }
};

void Fill(TParamCollection& store) {
  const char* names[] = {"i", "r", "f", "s"};
  for (uint8_t kind = PT_INT; kind <= PT_STR; ++kind) store.DeclareVariable(names[kind - 1], kind, VS_GLOBAL);
  TParamCollectionItem* a = store.DeclareVariable("a", PT_INT, VS_GLOBAL);
  int32_t sizes[] = {2, 3};
  a->Param().SetDims(sizes);
  TParamCollectionItem& ref = store.AddVariable(PT_NONE);
  store.SetName(ref, "ref");
  auto& target = static_cast<TParamVar&>(ref.Param());
  target.SetTargetName("s");
  target.Bind();
  store.SetTempTarget("a");
}

std::string Saved(const TRivoParser& parser) {
  ByteWriter out;
  parser.SaveToStream(out);
  return out.Take();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TRivoParser parser;
  try {
    ByteReader in(std::string_view(reinterpret_cast<const char*>(data), size), "page.rsb");
    parser.LoadFromStream(in);
  } catch (const LoadError&) {
    return 0;
  }
  // Written once, the form is stable: read back and written again, the same bytes.
  std::string first = Saved(parser);
  TRivoParser again;
  ByteReader in(first, "page.rsb");
  again.LoadFromStream(in);
  if (Saved(again) != first) __builtin_trap();

  WritingFunctions functions;
  TParamCollection store;
  store.SetFunctions(&functions);
  Fill(store);
  int32_t count = store.Count();
  parser.Evaluate(store);
  parser.Evaluate(store);
  if (store.Count() != count) __builtin_trap();  // no temporary stays
  if (parser.Result()) parser.Result()->AsStr();
  return 0;
}
