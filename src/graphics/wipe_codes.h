#pragma once
// The transition codes a Flip carries (WP_), their names and authoring-tool
// labels, and the table of default parameters the player starts each
// transition with.

#include <array>
#include <cstdint>

namespace rivo {

enum TWipeCode : int32_t {
  WP_NONE,
  WP_FADE,
  WP_BLINDH,
  WP_BLINDV,
  WP_CURTAINH,
  WP_CURTAINV,
  WP_SCROLLH,
  WP_SCROLLV,
  WP_GRID,
  WP_GRIDH,
  WP_GRIDV,
  WP_DITHER,
  WP_WHITE,
  WP_BLACK,
  WP_FLASH,
  WP_MOSAIC,
  WP_SUDAREH,
  WP_SUDAREV,
  WP_SPOT,
  WP_MASKFADE,
  WP_MASKWHITE,
  WP_MASKBLACK,
  WP_SMALL,
  WP_BIG,
  WP_RIPPLE,
  WP_BLURWHITE,
  WP_BLURBLACK,
  WP_TWISTH,
  WP_TWISTV,
  WP_CRACK,
  WP_ZOOMIN,
  WP_CLOCKHAND,
  WP_RUBBERH,
  WP_RUBBERV,
  WP_FAN,
  WP_WFAN,
  WP_CIRCLE,
  WP_BLOCKCOIL,
  WP_BLOCKRANDOM,
};
constexpr int32_t kWipeCodeCount = 39;

struct TWipeCodeInfo {
  const char* name;   // "WP_FADE"
  const char* label;  // the authoring tool's label (UTF-8), kept but never shown
  int32_t p0, p1;     // default parameters
};

// The entry of code, or nullptr for codes outside 0..38 (which mean no
// transition, negative ones included).
const TWipeCodeInfo* WipeCodeInfo(int32_t code);

// The default parameters of every code. The zoom-in's pair is the point it
// zooms into: the screen centre, set once the project tells the screen size.
class TWipeDefaults {
 public:
  struct Pair {
    int32_t p0 = 0, p1 = 0;
  };
  TWipeDefaults();
  // (0, 0) for codes outside the table.
  Pair Of(int32_t code) const;
  void SetScreenSize(int32_t width, int32_t height);

 private:
  std::array<Pair, kWipeCodeCount> pairs_;
};

}  // namespace rivo
