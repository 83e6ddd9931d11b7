#include "graphics/plane_inflate.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <new>

#include "common/error.h"

namespace rivo {
namespace {

// zlib's streaming inflater, stopped at `limit` bytes: the bytes a stream
// holds beyond the plane are never produced.
std::vector<uint8_t> InflateBounded(std::string_view compressed, std::size_t limit,
                                    const std::string& name) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw LoadError(name, "zlib: cannot start");
  std::vector<uint8_t> out(limit);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  z.avail_in = static_cast<uInt>(compressed.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(limit);
  int rc = Z_OK;
  while (rc == Z_OK && z.avail_out > 0) rc = inflate(&z, Z_NO_FLUSH);
  const std::size_t produced = limit - z.avail_out;
  inflateEnd(&z);
  if (rc != Z_OK && rc != Z_STREAM_END && !(rc == Z_BUF_ERROR && produced == limit))
    throw LoadError(name, "zlib: damaged plane data");
  out.resize(produced);
  return out;
}

}  // namespace

TPlaneInflater::TPlaneInflater() : decompressor_(libdeflate_alloc_decompressor()) {
  if (!decompressor_) throw std::bad_alloc();
}

TPlaneInflater::~TPlaneInflater() { libdeflate_free_decompressor(decompressor_); }

std::vector<uint8_t> TPlaneInflater::Inflate(std::string_view compressed, std::size_t size,
                                             bool at_most, const std::string& name) {
  if (size > UINT32_MAX || compressed.size() > UINT32_MAX) throw LoadError(name, "plane too large");
  // A bounded plane starts from a guess and doubles; each try inflates the
  // whole stream again, a few times at most.
  std::size_t capacity = at_most ? std::min(size, std::max<std::size_t>(compressed.size() * 8, 4096)) : size;
  for (;;) {
    std::vector<uint8_t> out(capacity);
    std::size_t produced = 0;
    const libdeflate_result rc = libdeflate_zlib_decompress(
        decompressor_, compressed.data(), compressed.size(), out.data(), capacity, &produced);
    if (rc == LIBDEFLATE_SUCCESS) {
      if (produced < size && !at_most) throw LoadError(name, "zlib: plane data ends early");
      out.resize(produced);
      return out;
    }
    if (rc != LIBDEFLATE_INSUFFICIENT_SPACE) throw LoadError(name, "zlib: damaged plane data");
    if (capacity == size) break;
    capacity = std::min(size, capacity * 2);
  }
  return InflateBounded(compressed, size, name);
}

void TPlaneInflater::InflateInto(std::string_view compressed, uint8_t* out, std::size_t size,
                                 const std::string& name) {
  if (size > UINT32_MAX || compressed.size() > UINT32_MAX) throw LoadError(name, "plane too large");
  std::size_t produced = 0;
  const libdeflate_result rc = libdeflate_zlib_decompress(decompressor_, compressed.data(),
                                                          compressed.size(), out, size, &produced);
  if (rc == LIBDEFLATE_INSUFFICIENT_SPACE) {
    const std::vector<uint8_t> bounded = InflateBounded(compressed, size, name);
    std::copy(bounded.begin(), bounded.end(), out);
    produced = bounded.size();
  } else if (rc != LIBDEFLATE_SUCCESS) {
    throw LoadError(name, "zlib: damaged plane data");
  }
  if (produced < size) throw LoadError(name, "zlib: plane data ends early");
}

std::string DeflatePlane(std::string_view plane) {
  uLongf size = compressBound(static_cast<uLong>(plane.size()));
  std::string out(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                reinterpret_cast<const Bytef*>(plane.data()), static_cast<uLong>(plane.size()),
                Z_DEFAULT_COMPRESSION) != Z_OK)
    throw RivoError("zlib: cannot compress");
  out.resize(size);
  return out;
}

}  // namespace rivo
