#pragma once
// Map files for tests, written area by area the way the authoring tool
// stores them (see objects/map_file.h).

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/byte_writer.h"

namespace rivo::test {

class MapFileWriter {
 public:
  MapFileWriter& Rectangle(const std::string& name, int32_t l, int32_t t, int32_t r, int32_t b) {
    return Box(name, 0, l, t, r, b);
  }
  MapFileWriter& Ellipse(const std::string& name, int32_t l, int32_t t, int32_t r, int32_t b) {
    return Box(name, 1, l, t, r, b);
  }
  // shape: any byte other than 0 and 1 means a polygon.
  MapFileWriter& Polygon(const std::string& name, std::vector<std::pair<int32_t, int32_t>> points,
                         uint8_t shape = 2) {
    body_.String(name);
    body_.U8(shape);
    body_.I32(static_cast<int32_t>(points.size()));
    for (auto [x, y] : points) {
      body_.I32(x);
      body_.I32(y);
    }
    ++count_;
    return *this;
  }
  // The file; count replaces the true number of areas when given.
  std::string Bytes() const { return Bytes(count_); }
  std::string Bytes(int32_t count) const {
    ByteWriter out;
    out.I32(count);
    std::string bytes = out.Take();
    return bytes + body_.data();
  }

 private:
  MapFileWriter& Box(const std::string& name, uint8_t shape, int32_t l, int32_t t, int32_t r, int32_t b) {
    body_.String(name);
    body_.U8(shape);
    for (int32_t v : {l, t, r, b}) body_.I32(v);
    ++count_;
    return *this;
  }

  ByteWriter body_;
  int32_t count_ = 0;
};

}  // namespace rivo::test
