#include "graphics/wipe_codes.h"

namespace rivo {
namespace {

constexpr TWipeCodeInfo kCodes[kWipeCodeCount] = {
    {"WP_NONE", "なし", 0, 0},
    {"WP_FADE", "フェード", 0, 0},
    {"WP_BLINDH", "ブラインド横", 20, 1},
    {"WP_BLINDV", "ブラインド縦", 20, 1},
    {"WP_CURTAINH", "カーテン横", 30, 1},
    {"WP_CURTAINV", "カーテン縦", 30, 1},
    {"WP_SCROLLH", "スクロール横", 0, 0},
    {"WP_SCROLLV", "スクロール縦", 0, 0},
    {"WP_GRID", "格子", 80, 30},
    {"WP_GRIDH", "格子(横)", 80, 30},
    {"WP_GRIDV", "格子(縦)", 80, 30},
    {"WP_DITHER", "ディザ", 0, 0},
    {"WP_WHITE", "ホワイト", 0, 0},
    {"WP_BLACK", "ブラック", 0, 0},
    {"WP_FLASH", "フラッシュ", 0, 0},
    {"WP_MOSAIC", "モザイク", 0, 0},
    {"WP_SUDAREH", "すだれ横", 0, 0},
    {"WP_SUDAREV", "すだれ縦", 0, 0},
    {"WP_SPOT", "スポットライト", 0, 0},
    {"WP_MASKFADE", "マスクフェード", 0, 0},
    {"WP_MASKWHITE", "マスクホワイト", 0, 0},
    {"WP_MASKBLACK", "マスクブラック", 0, 0},
    {"WP_SMALL", "表画面縮小", 0, 0},
    {"WP_BIG", "裏画面拡大", 0, 0},
    {"WP_RIPPLE", "波紋", 5, 0},
    {"WP_BLURWHITE", "白ぼかし", 0, 0},
    {"WP_BLURBLACK", "黒ぼかし", 0, 0},
    {"WP_TWISTH", "ひねり横", 0, 0},
    {"WP_TWISTV", "ひねり縦", 0, 0},
    {"WP_CRACK", "チップ落下", 64, 3},
    {"WP_ZOOMIN", "ズームイン", 0, 0},  // the screen centre, see TWipeDefaults
    {"WP_CLOCKHAND", "時計の針", 0, 0},
    {"WP_RUBBERH", "ゴム(横)", 0, 0},
    {"WP_RUBBERV", "ゴム(縦)", 0, 0},
    {"WP_FAN", "扇", 0, 0},
    {"WP_WFAN", "扇(両側)", 0, 0},
    {"WP_CIRCLE", "円", 0, 0},
    {"WP_BLOCKCOIL", "ブロック(とぐろ)", 60, 0},
    {"WP_BLOCKRANDOM", "ブロック(ランダム)", 60, 0},
};

}  // namespace

const TWipeCodeInfo* WipeCodeInfo(int32_t code) {
  return code >= 0 && code < kWipeCodeCount ? &kCodes[code] : nullptr;
}

TWipeDefaults::TWipeDefaults() {
  for (int32_t code = 0; code < kWipeCodeCount; ++code)
    pairs_[static_cast<std::size_t>(code)] = {kCodes[code].p0, kCodes[code].p1};
}

TWipeDefaults::Pair TWipeDefaults::Of(int32_t code) const {
  return code >= 0 && code < kWipeCodeCount ? pairs_[static_cast<std::size_t>(code)] : Pair{};
}

void TWipeDefaults::SetScreenSize(int32_t width, int32_t height) {
  pairs_[WP_ZOOMIN] = {width / 2, height / 2};
}

}  // namespace rivo
