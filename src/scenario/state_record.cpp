#include "scenario/state_record.h"

#include <string_view>

#include "common/byte_reader.h"
#include "common/byte_writer.h"

namespace rivo {

void WriteStateTag(ByteWriter& out) { out.Bytes("rivo100"); }

int32_t ReadStateTag(ByteReader& in) {
  if (in.Remaining() < 7) return 0;
  std::size_t start = in.Position();
  std::string_view tag = in.View(7);
  if (tag.substr(0, 4) != "rivo") {
    in.Seek(start);
    return 0;
  }
  int32_t version = 0;
  for (char c : tag.substr(4)) {
    if (c < '0' || c > '9') return 0;
    version = version * 10 + (c - '0');
  }
  return version;
}

}  // namespace rivo
