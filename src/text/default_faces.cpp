#include "text/default_faces.h"

#include "common/encoding.h"

namespace rivo {

const std::string& DefaultGothicFace() {
  static const std::string face = Utf8ToCp932("ＭＳ ゴシック");
  return face;
}

const std::string& DefaultProportionalGothicFace() {
  static const std::string face = Utf8ToCp932("ＭＳ Ｐゴシック");
  return face;
}

}  // namespace rivo
