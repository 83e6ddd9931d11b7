#include "graphics/wipe_factory.h"

#include "graphics/mask_wipes.h"
#include "graphics/picture_wipes.h"
#include "graphics/wipe_codes.h"

namespace rivo {
namespace {

using Maker = std::unique_ptr<TCustomWipe> (*)(TDIBX&, const TCustomDIBX&, const TCustomDIBX&,
                                               const TWipeEnvironment&);

template <class Wipe>
std::unique_ptr<TCustomWipe> Make(TDIBX& dest, const TCustomDIBX& new_picture,
                                  const TCustomDIBX& old_picture, const TWipeEnvironment& env) {
  return std::make_unique<Wipe>(dest, new_picture, old_picture, env);
}

// Indexed by code; WP_NONE has no class.
constexpr Maker kMakers[kWipeCodeCount] = {
    nullptr,
    Make<TWipeFade>,
    Make<TWipeBlindH>,
    Make<TWipeBlindV>,
    Make<TWipeCurtainH>,
    Make<TWipeCurtainV>,
    Make<TWipeScrollH>,
    Make<TWipeScrollV>,
    Make<TWipeGrid>,
    Make<TWipeGridH>,
    Make<TWipeGridV>,
    Make<TWipeDither>,
    Make<TWipeWhite>,
    Make<TWipeBlack>,
    Make<TWipeFlash>,
    Make<TWipeMosaic>,
    Make<TWipeSudareH>,
    Make<TWipeSudareV>,
    Make<TWipeSpot>,
    Make<TWipeShadow>,
    Make<TWipeShadowWhite>,
    Make<TWipeShadowBlack>,
    Make<TWipeSmall>,
    Make<TWipeBig>,
    Make<TWipeRipple>,
    Make<TWipeBlurWhite>,
    Make<TWipeBlurBlack>,
    Make<TWipeTwistH>,
    Make<TWipeTwistV>,
    Make<TWipeCrack>,
    Make<TWipeZoomin>,
    Make<TWipeClockhand>,
    Make<TWipeRubberH>,
    Make<TWipeRubberV>,
    Make<TWipeFan>,
    Make<TWipeWFan>,
    Make<TWipeCircle>,
    Make<TWipeBlockCoil>,
    Make<TWipeBlockRandom>,
};

}  // namespace

std::unique_ptr<TCustomWipe> CreateWipe(int32_t code, TDIBX& dest, const TCustomDIBX& new_picture,
                                        const TCustomDIBX& old_picture,
                                        const TWipeEnvironment& environment) {
  if (code < 0 || code >= kWipeCodeCount || kMakers[code] == nullptr) return nullptr;
  return kMakers[code](dest, new_picture, old_picture, environment);
}

}  // namespace rivo
