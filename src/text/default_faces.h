#pragma once
// The faces text takes where a script names none, as CP932 face names:
// converted once, since every label, caption list and message window starts
// with one.

#include <string>

namespace rivo {

// ＭＳ ゴシック
const std::string& DefaultGothicFace();
// ＭＳ Ｐゴシック
const std::string& DefaultProportionalGothicFace();

}  // namespace rivo
