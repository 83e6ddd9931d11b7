// The variable sections of a save file from arbitrary bytes: the first byte
// picks the game or the status section and the save version; loading
// either fails with a load error and changes nothing, or gives variables
// that read safely (references included) and save back to bytes that load
// and save again unchanged.

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "script/param_collection.h"

namespace {

using namespace rivo;

std::string Save(const TParamCollection& store, bool game) {
  ByteWriter out;
  if (game) store.SaveGameSection(out);
  else store.SaveStatusSection(out);
  return out.Take();
}

void Load(TParamCollection& store, const std::string& bytes, bool game, int32_t version) {
  ByteReader in(bytes, "save.dat");
  if (game) store.LoadGameSection(in, version);
  else store.LoadStatusSection(in, version);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  bool game = data[0] & 1;
  int32_t version = 100 + (data[0] >> 1) % 40;
  std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  TParamCollection store;
  store.DeclareVariable("kept", PT_INT, VS_STATUS)->SetInt(7);
  int32_t before = store.Count();
  try {
    Load(store, bytes, game, version);
  } catch (const LoadError&) {
    if (store.Count() != before || store.Find("kept")->AsInt() != 7) __builtin_trap();
    return 0;
  }
  // A loaded reference may point past its target's elements: that is the
  // ordinary index error, raised when it is used.
  for (const auto& item : store) {
    TCustomParam& value = item->Param();
    try {
      value.AsStr();
      value.GetKind();
      value.SetInt(1);
      for (int32_t i = 0; i < value.GetCount() && i < 4; ++i) value.GetFloatAt(i);
    } catch (const RivoError&) {
    }
  }
  store.Reset();
  store.DeleteOwnedBy(0);

  TParamCollection first;
  Load(first, bytes, game, version);
  std::string saved = Save(first, game);
  TParamCollection second;
  Load(second, saved, game, 138);
  if (Save(second, game) != saved) __builtin_trap();
  return 0;
}
