#include "graphics/wipe_start.h"

#include "graphics/wipe_factory.h"

namespace rivo {

std::unique_ptr<TCustomWipe> MakeWipe(int32_t code, int32_t duration, bool reverse,
                                      const TWipeDefaults& defaults, TDIBX& dest,
                                      const TCustomDIBX& new_picture,
                                      const TCustomDIBX& old_picture,
                                      const TWipeEnvironment& environment) {
  std::unique_ptr<TCustomWipe> wipe = CreateWipe(code, dest, new_picture, old_picture, environment);
  if (!wipe) return nullptr;
  const TWipeDefaults::Pair pair = defaults.Of(code);
  wipe->SetParams(pair.p0, pair.p1);
  wipe->SetDuration(duration);
  wipe->SetReverse(reverse);
  return wipe;
}

void ApplyWipeOverrides(TCustomWipe& wipe, const TWipeOverrides& overrides) {
  if (overrides.p0) wipe.SetParam(0, *overrides.p0);
  if (overrides.p1) wipe.SetParam(1, *overrides.p1);
  if (overrides.mask_name) wipe.SetMaskName(*overrides.mask_name);
  wipe.Init();
}

std::unique_ptr<TCustomWipe> StartWipe(const TWipeRequest& request, const TWipeDefaults& defaults,
                                       TDIBX& dest, const TCustomDIBX& new_picture,
                                       const TCustomDIBX& old_picture,
                                       const TWipeEnvironment& environment) {
  std::unique_ptr<TCustomWipe> wipe = MakeWipe(request.code, request.duration, request.reverse, defaults,
                                               dest, new_picture, old_picture, environment);
  if (wipe) ApplyWipeOverrides(*wipe, request);
  return wipe;
}

}  // namespace rivo
