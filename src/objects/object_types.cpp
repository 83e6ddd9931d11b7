#include "objects/object_types.h"

#include <array>

namespace rivo {
namespace {

struct TypeText {
  const char* name;
  const char* label;
};

constexpr std::array<TypeText, kObjectTypeCount> kTypes{{
    {"LT_NONE", "なし"},
    {"LT_AUDIO", "オーディオ"},
    {"LT_BOX", "矩形サーフェス"},
    {"LT_BUTTON", "ボタン"},
    {"LT_CINEMA", "シネマサーフェス"},
    {"LT_EDIT", "エディット"},
    {"LT_FIRE", "炎サーフェス"},
    {"LT_HTTP", "HTTP"},
    {"LT_IMAGES", "画像サーフェス"},
    {"LT_LABEL", "キャプション"},
    {"LT_MAP", "マップ"},
    {"LT_MEMO", "メモ"},
    {"LT_MENU", "メニュー"},
    {"LT_MES", "メッセージボックス"},
    {"LT_PARTICLE", "パーティクルサーフェス"},
    {"LT_TIMER", "タイマー"},
    {"LT_VIDEO", "ムービー"},
    {"LT_SOUND", "サウンド"},
    {"LT_MAPIMG", "選択画像"},
    {"LT_WAVE", "ウェーブサーフェス"},
    {"LT_TILE", "タイルサーフェス"},
    {"LT_SLIDER", "スライダー"},
    {"LT_SCROLLBAR", "スクロールバー"},
    {"LT_GAUGE", "ゲージ"},
    {"LT_CGLABEL", "画像キャプション"},
    {"LT_PREVMENU", "プレビューメニュー"},
    {"LT_PROPMOTION", "プロパティモーション"},
    {"LT_CABINET", "キャビネット"},
}};

}  // namespace

const char* ObjectTypeName(int32_t type) {
  return type >= 0 && type < kObjectTypeCount ? kTypes[static_cast<std::size_t>(type)].name : nullptr;
}

const char* ObjectTypeLabel(int32_t type) {
  return type >= 0 && type < kObjectTypeCount ? kTypes[static_cast<std::size_t>(type)].label : nullptr;
}

}  // namespace rivo
