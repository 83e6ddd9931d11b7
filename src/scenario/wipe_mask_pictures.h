#pragma once
// The mask pictures of the mask-fade transitions, as a game names them: the
// first frame of a layered image (or a PNG or bitmap) among the game's
// files, unscrambled with the project's identification code. A picture the
// game does not have, or cannot be read, is missing, and the transition
// then acts as if every mask pixel were white.

#include <cstdint>

#include "graphics/custom_wipe.h"
#include "scenario/scenario_host.h"

namespace rivo {

class TWipeMaskPictures : public TWipeMaskSource {
 public:
  explicit TWipeMaskPictures(ScenarioHost& host) : host_(host) {}
  void SetIdentificationCode(int32_t code) { key_ = code; }

  std::optional<TDIBSurface> FindMaskPicture(const std::string& name) const override;

 private:
  ScenarioHost& host_;
  int32_t key_ = 0;
};

}  // namespace rivo
