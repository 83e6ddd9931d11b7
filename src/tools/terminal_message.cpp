#include "tools/terminal_message.h"

#include <optional>

#include "common/error.h"

namespace rivo::tools {
namespace {

// The player's fixed messages and their English. "%s" (or "%d") stands for
// the name or number the player puts in; the English gets the same text.
struct OwnMessage {
  std::string_view player;
  std::string_view english;
};

constexpr OwnMessage kOwnMessages[] = {
    // files and archives
    {"%s:ファイルがありません", "no file or archive entry is named %s"},
    {"リソースが見つかりません", "the executable holds no archive resource"},
    {"作業用ファイルが作れません", "a temporary file cannot be created"},
    // pictures
    {"不正な DIB です", "not a bitmap the player can read"},
    {"%s を作成できません", "cannot create the %s (out of resources)"},
    {"スキャンラインのインデックスが範囲を越えました (%d)", "row %d lies outside the picture"},
    // pages and commands
    {"%s\r\nリビルドしてください", "%s was made for another player version: rebuild it"},
    {"不正なコマンド", "unknown command code"},
    {"スタックエラー", "return without a call (stack error)"},
    // variables
    {"変数名がありません", "the variable has no name"},
    {"%s:不正な変数です", "%s is not a variable kind the player knows"},
    {"\"%s\"：変数名が不正です", "\"%s\" is not a valid variable name"},
    {"\"%s\" 変数がありません", "there is no variable \"%s\""},
    {"%s\r\n添え字が不正です", "%s: wrong number of indexes"},
    {"%s\r\n要素数を超えています", "%s: index beyond the end of the array"},
    {"配列の添字が不正です", "array index out of range"},
    {"配列の要素数[%s]が不正です", "array size [%s] is not valid"},
    {"CopyMem:変数の型があいません", "CopyMem: the variables are of different kinds"},
    {"内部エラー", "internal error"},
    // expressions and functions
    {"構文エラー", "syntax error"},
    {"配列の添え字が不正です", "bad array index"},
    {"\"%s\" 関数名がありません", "there is no function \"%s\""},
    {"%s 引数の数が不正です", "%s: wrong number of arguments"},
    {"GetPropの引数が違います", "GetProp: wrong arguments"},
    {"%s:変数が見つかりません", "%s: an argument must be a variable"},
    {"%s:文字列が長すぎます", "%s: the text grows too long"},
    {"%s:桁数が不正です", "%s: the number of digits is not valid"},
    {"%s:呼び出しが深すぎます", "%s: calls nest too deeply"},
};

// The text that stands for "%s" or "%d" in pattern when message matches it
// ("" for a pattern without one); nothing when it does not match.
std::optional<std::string_view> Match(std::string_view pattern, std::string_view message) {
  std::size_t hole = pattern.find("%s");
  if (hole == std::string_view::npos) hole = pattern.find("%d");
  if (hole == std::string_view::npos) return pattern == message ? std::optional<std::string_view>("") : std::nullopt;
  const std::string_view before = pattern.substr(0, hole), after = pattern.substr(hole + 2);
  if (message.size() < before.size() + after.size() || !message.starts_with(before) || !message.ends_with(after))
    return std::nullopt;
  return message.substr(before.size(), message.size() - before.size() - after.size());
}

}  // namespace

std::string EnglishFirst(std::string_view own_message) {
  for (const OwnMessage& m : kOwnMessages) {
    const auto inserted = Match(m.player, own_message);
    if (!inserted) continue;
    std::string english(m.english);
    if (const std::size_t hole = english.find('%'); hole != std::string::npos) english.replace(hole, 2, *inserted);
    // The terminal shows one line: a line break of the player's text becomes a space.
    std::string own(own_message);
    for (std::size_t at; (at = own.find("\r\n")) != std::string::npos;) own.replace(at, 2, " ");
    return english + " (" + own + ")";
  }
  return std::string(own_message);
}

std::string TerminalMessage(const std::exception& e) {
  std::string text = e.what();
  const auto* error = dynamic_cast<const RivoError*>(&e);
  if (!error || error->own_message().empty()) return text;
  const std::size_t at = text.find(error->own_message());
  if (at == std::string::npos) return text;
  return text.replace(at, error->own_message().size(), EnglishFirst(error->own_message()));
}

}  // namespace rivo::tools
