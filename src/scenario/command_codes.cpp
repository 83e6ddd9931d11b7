#include "scenario/command_codes.h"

namespace rivo {
namespace {

constexpr CommandCodeInfo kCodes[kCommandCodeCount] = {
    {"If", "IF"},
    {"Elseif", "ELSE IF"},
    {"Else", "ELSE"},
    {"Label", "ラベル"},
    {"Jump", "ジャンプ"},
    {"Call", "コール"},
    {"Exit", "リターン"},
    {"Wait", "ウエイト"},
    {"BoxNew", "矩形サーフェス作成"},
    {"ImgNew", "画像サーフェス作成"},
    {"MesNew", "メッセージボックス作成"},
    {"Timer", "タイマー"},
    {"Movie", "ムービー再生"},
    {"Flip", "フリップ"},
    {"Calc", "計算"},
    {"VarNew", "変数作成"},
    {"VarDel", "変数削除"},
    {"GetProp", "プロパティ取得"},
    {"SetProp", "プロパティ設定"},
    {"ObjDel", "コンポーネント削除"},
    {"TextIns", "テキスト挿入"},
    {"MovieStop", "メディア停止"},
    {"ClrHist", "履歴クリア"},
    {"Cinema", "シネマサーフェス作成"},
    {"Caption", "キャプション作成"},
    {"Menu", "メニュー作成"},
    {"MenuClose", "メニュークローズ"},
    {"Comment", "コメント"},
    {"TextClr", "テキストクリア"},
    {"CallHist", "履歴呼出"},
    {"Button", "ボタン作成"},
    {"While", "ループ"},
    {"WhileInit", "ループ初期化"},
    {"WhileLoop", "ループ再初期化"},
    {"Break", "ループ脱出"},
    {"Continue", "ループ先頭へ"},
    {"ParticleNew", "パーティクルサーフェス作成"},
    {"FireNew", "炎サーフェス作成"},
    {"GameSave", "ゲームセーブ"},
    {"GameLoad", "ゲームロード"},
    {"PCReset", "PCリセット"},
    {"Reset", "リセット"},
    {"Sound", "サウンド再生"},
    {"EditNew", "エディット作成"},
    {"MemoNew", "メモ作成"},
    {"Terminate", "終了"},
    {"DoEvent", "DoEvent"},
    {"ClrRead", "既読クリア"},
    {"MapImgNew", "選択画像作成"},
    {"WaveNew", "ウエーブサーフェス作成"},
    {"TileNew", "タイルサーフェス作成"},
    {"SliderNew", "スライダー作成"},
    {"ScrollbarNew", "スクロールバー作成"},
    {"GaugeNew", "ゲージ作成"},
    {"CGCaption", "画像キャプション作成"},
    {"MediaPlay", "メディア再生"},
    {"PrevMenuNew", "プレビューメニュー作成"},
    {"PropMotion", "プロパティモーション"},
    {"FormatHist", "履歴書式登録"},
    {"SaveCabinet", "キャビネット保存"},
    {"LoadCabinet", "キャビネット復帰"},
};

}  // namespace

const CommandCodeInfo* FindCommandCode(int32_t code) {
  return code >= 0 && code < kCommandCodeCount ? &kCodes[code] : nullptr;
}

std::optional<uint8_t> CommandCodeOfName(std::string_view name) {
  for (int32_t code = 0; code < kCommandCodeCount; ++code)
    if (name == kCodes[code].name) return static_cast<uint8_t>(code);
  return std::nullopt;
}

}  // namespace rivo
