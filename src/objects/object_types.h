#pragma once
// The codes runtime objects are known by: object types (LT_), the mouse
// modes of PR_IGNOREMOUSE (IM_), play states (LP_) and motion kinds (MT_).

#include <cstdint>

namespace rivo {

enum TObjectType : uint8_t {
  LT_NONE = 0,
  LT_AUDIO = 1,
  LT_BOX = 2,
  LT_BUTTON = 3,
  LT_CINEMA = 4,
  LT_EDIT = 5,
  LT_FIRE = 6,
  LT_HTTP = 7,
  LT_IMAGES = 8,
  LT_LABEL = 9,
  LT_MAP = 10,
  LT_MEMO = 11,
  LT_MENU = 12,
  LT_MES = 13,
  LT_PARTICLE = 14,
  LT_TIMER = 15,
  LT_VIDEO = 16,
  LT_SOUND = 17,
  LT_MAPIMG = 18,
  LT_WAVE = 19,
  LT_TILE = 20,
  LT_SLIDER = 21,
  LT_SCROLLBAR = 22,
  LT_GAUGE = 23,
  LT_CGLABEL = 24,
  LT_PREVMENU = 25,
  LT_PROPMOTION = 26,
  LT_CABINET = 27,
};
constexpr int32_t kObjectTypeCount = 28;

// "LT_BOX" ...; nullptr outside 0..27.
const char* ObjectTypeName(int32_t type);
// The authoring tool's label (UTF-8); nullptr outside 0..27.
const char* ObjectTypeLabel(int32_t type);

enum TIgnoreMouse : uint8_t {
  IM_NONE = 0,   // "通常"
  IM_ALL = 1,    // "全て無視"
  IM_CLICK = 2,  // "クリックを無視"
  IM_LCLICK = 3, // "左クリックを無視"
  IM_RCLICK = 4, // "右クリックを無視"
};

// A set of IM_ values, one bit each.
using HitModes = uint8_t;
constexpr HitModes HitMode(uint8_t im) { return static_cast<HitModes>(im < 8 ? 1u << im : 0u); }
// What the mouse step searches with, by the press waiting in this tick.
constexpr HitModes kHitForLeftPress = HitMode(IM_NONE) | HitMode(IM_RCLICK);
constexpr HitModes kHitForRightPress = HitMode(IM_NONE) | HitMode(IM_LCLICK);
constexpr HitModes kHitForHover = HitMode(IM_NONE) | HitMode(IM_CLICK) | HitMode(IM_LCLICK) | HitMode(IM_RCLICK);

enum TPlayState : uint8_t {
  LP_PLAY = 0,
  LP_PLAYFADE = 1,
  LP_STOP = 2,
  LP_STOPFADE = 3,
};

enum TMotionType : uint8_t {
  MT_NORMAL = 0,  // "通常"
  MT_INC = 1,     // "加速"
  MT_DEC = 2,     // "減速"
};

}  // namespace rivo
