// The expression compiler on arbitrary text: it compiles or raises its
// error, never more; what compiles writes a form that loads, writes back
// the same bytes, and runs.

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "script/build_rivo_parser.h"
#include "script/param_collection.h"
#include "script/rivo_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  TBuildRivoParser builder;
  ByteWriter compiled;
  try {
    builder.Compile(std::string_view(reinterpret_cast<const char*>(data), size));
    builder.SaveToStream(compiled);
  } catch (const RivoError&) {
    return 0;
  }
  TRivoParser parser;
  ByteReader in(compiled.data(), "calc");
  parser.LoadFromStream(in);
  ByteWriter again;
  parser.SaveToStream(again);
  if (again.data() != compiled.data()) __builtin_trap();

  TParamCollection store;
  for (const char* name : {"a", "b", "c", "x", "s"}) store.DeclareVariable(name, PT_INT, VS_GLOBAL)->SetInt(3);
  parser.Evaluate(store);
  return 0;
}
