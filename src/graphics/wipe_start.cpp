#include "graphics/wipe_start.h"

#include "graphics/wipe_factory.h"

namespace rivo {

std::unique_ptr<TCustomWipe> StartWipe(const TWipeRequest& request, const TWipeDefaults& defaults,
                                       TDIBX& dest, const TCustomDIBX& new_picture,
                                       const TCustomDIBX& old_picture,
                                       const TWipeEnvironment& environment) {
  std::unique_ptr<TCustomWipe> wipe =
      CreateWipe(request.code, dest, new_picture, old_picture, environment);
  if (!wipe) return nullptr;
  const TWipeDefaults::Pair pair = defaults.Of(request.code);
  wipe->SetParams(pair.p0, pair.p1);
  wipe->SetDuration(request.duration);
  wipe->SetReverse(request.reverse);
  if (request.p0) wipe->SetParam(0, *request.p0);
  if (request.p1) wipe->SetParam(1, *request.p1);
  if (request.mask_name) wipe->SetMaskName(*request.mask_name);
  wipe->Init();
  return wipe;
}

}  // namespace rivo
