// Which class makes an object of each type: the kinds restored from saves
// and made by the cabinet and property-motion commands. Each object kind
// adds its line to kMakers when its class arrives.

#include <array>

#include "common/error.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_box.h"
#include "objects/rivo_button.h"
#include "objects/rivo_cabinet.h"
#include "objects/rivo_cg_label.h"
#include "objects/rivo_images.h"
#include "objects/rivo_http.h"
#include "objects/rivo_label.h"
#include "objects/rivo_map_image.h"
#include "objects/rivo_mes.h"
#include "objects/rivo_prop_motion.h"
#include "objects/rivo_sound.h"
#include "objects/rivo_tile.h"
#include "objects/rivo_timer.h"
#include "objects/rivo_video.h"

namespace rivo {
namespace {

using Maker = TRivoObject& (*)(TRivoBaseList& screen);

template <typename T>
TRivoObject& Make(TRivoBaseList& screen) {
  return screen.Create<T>();
}

// Indexed by LT_ code; nullptr: no class (yet).
constexpr std::array<Maker, kObjectTypeCount> kMakers = [] {
  std::array<Maker, kObjectTypeCount> makers{};
  makers[LT_BOX] = Make<TRivoBox>;
  makers[LT_TIMER] = Make<TRivoTimer>;
  makers[LT_SOUND] = Make<TRivoSound>;
  makers[LT_PROPMOTION] = Make<TRivoPropMotion>;
  makers[LT_CABINET] = Make<TRivoCabinet>;
  makers[LT_LABEL] = Make<TRivoLabel>;
  makers[LT_IMAGES] = Make<TRivoImages>;
  makers[LT_TILE] = Make<TRivoTile>;
  makers[LT_BUTTON] = Make<TRivoButton>;
  makers[LT_CGLABEL] = Make<TRivoCGLabel>;
  makers[LT_HTTP] = Make<TRivoHttp>;
  makers[LT_VIDEO] = Make<TRivoVideo>;
  makers[LT_MAPIMG] = Make<TRivoMapImage>;
  makers[LT_MES] = Make<TRivoMes>;
  return makers;
}();

// The kinds that have a class in the system; the others never exist.
constexpr bool HasClass(int32_t type) { return type >= LT_BOX && type < kObjectTypeCount && type != LT_MAP; }

}  // namespace

bool HasObjectKind(int32_t type) {
  type &= 0x7F;
  return HasClass(type) && kMakers[static_cast<std::size_t>(type)] != nullptr;
}

TRivoObject& TRivoBaseList::CreateByType(int32_t type) {
  type &= 0x7F;
  if (!HasClass(type)) throw RivoError("CreateByType: no object kind " + std::to_string(type));
  Maker make = kMakers[static_cast<std::size_t>(type)];
  if (!make)
    throw RivoError(std::string("CreateByType: objects of kind ") + ObjectTypeName(type) + " (" +
                    ObjectTypeLabel(type) + ") are not supported by this player yet");
  return make(*this);
}

}  // namespace rivo
