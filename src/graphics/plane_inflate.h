#pragma once
// zlib streams of layered image planes. A plane's size is known before it is
// inflated, so inflating never writes past it: libdeflate does the work (it
// is about twice as fast as zlib), and zlib's streaming inflater takes over
// for the rare stream that holds more than the plane, of which only the
// plane's bytes count.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct libdeflate_decompressor;

namespace rivo {

class TPlaneInflater {
 public:
  TPlaneInflater();
  ~TPlaneInflater();
  TPlaneInflater(const TPlaneInflater&) = delete;
  TPlaneInflater& operator=(const TPlaneInflater&) = delete;

  // Inflates compressed into exactly `size` bytes. With at_most (a plane
  // whose size is only bounded), a shorter result is accepted and the
  // output grows with what the stream delivers, so a short stream that
  // claims a large plane costs little. Otherwise a stream that ends early
  // is an error. Damaged streams raise LoadError naming name.
  std::vector<uint8_t> Inflate(std::string_view compressed, std::size_t size, bool at_most,
                               const std::string& name);
  // Inflates exactly size bytes straight into out (a plane's own rows).
  void InflateInto(std::string_view compressed, uint8_t* out, std::size_t size, const std::string& name);

 private:
  libdeflate_decompressor* decompressor_;
};

// One zlib stream of the plane.
std::string DeflatePlane(std::string_view plane);

}  // namespace rivo
