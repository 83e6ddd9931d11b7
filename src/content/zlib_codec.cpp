#include "content/zlib_codec.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "common/error.h"

namespace rivo {

uint32_t Crc32(std::string_view bytes, uint32_t crc) {
  const auto* p = reinterpret_cast<const Bytef*>(bytes.data());
  std::size_t left = bytes.size();
  uLong value = crc;
  while (left > 0) {
    uInt n = static_cast<uInt>(std::min<std::size_t>(left, UINT_MAX));
    value = crc32(value, p, n);
    p += n;
    left -= n;
  }
  return static_cast<uint32_t>(value);
}

std::string CompressFast(std::string_view bytes) {
  uLongf bound = compressBound(static_cast<uLong>(bytes.size()));
  std::string out(bound, '\0');
  int rc = compress2(reinterpret_cast<Bytef*>(out.data()), &bound, reinterpret_cast<const Bytef*>(bytes.data()),
                     static_cast<uLong>(bytes.size()), 1);
  if (rc != Z_OK) throw RivoError("compression failed");
  out.resize(bound);
  return out;
}

namespace {

enum class InflateOutcome { kComplete, kDamaged, kBeyondLimit };

// Deflate codes at best 258 bytes in 2 bits, so no stream expands its input
// more than 1032 times.
constexpr int64_t kMaxDeflateRatio = 1032;
// The first room tried: a guess of the content's size that leaves it in
// memory the heap has free already (memory_reuse.h); a content larger
// still is inflated again in four times the room.
constexpr int64_t kFirstRoom = int64_t{256} << 10, kFirstRatio = 8;

// libdeflate inflates a whole stream many times as fast as zlib, which also
// copies every byte through its window, but it must be given room for the
// whole content, and an archive entry does not store its size: a try in
// too little room is repeated in more, never beyond the most the stream
// could hold. Returns nothing when the content does not fit in the
// expected size; zlib then tells what it holds.
std::optional<InflateOutcome> InflateWhole(TQnMemoryStream& dest, std::string_view compressed, int64_t limit,
                                           std::optional<int64_t> expected_size, int64_t& produced) {
  const auto in_size = static_cast<int64_t>(compressed.size());
  // One byte beyond what may be produced shows that it was exceeded.
  const int64_t most = std::min({in_size > (limit + 1) / kMaxDeflateRatio ? limit + 1 : in_size * kMaxDeflateRatio,
                                 limit + 1, expected_size ? *expected_size + 1 : limit + 1});
  std::unique_ptr<libdeflate_decompressor, decltype(&libdeflate_free_decompressor)> inflater(
      libdeflate_alloc_decompressor(), libdeflate_free_decompressor);
  if (!inflater) throw RivoError("inflate: out of memory");

  const int64_t start = dest.GetPosition();
  int64_t room = std::min(most, std::max(kFirstRoom, std::min(in_size, kFirstRoom) * kFirstRatio));
  std::size_t out_size = 0;
  libdeflate_result rc;
  for (;;) {
    // Each try inflates the whole stream again: what an earlier one wrote is not kept.
    dest.SetSizeKeeping(start + room, start);
    rc = libdeflate_zlib_decompress(inflater.get(), compressed.data(), compressed.size(), dest.Data() + start,
                                    static_cast<std::size_t>(room), &out_size);
    if (rc != LIBDEFLATE_INSUFFICIENT_SPACE || room == most) break;
    room = std::min(room * 4, most);
  }
  produced = rc == LIBDEFLATE_SUCCESS ? static_cast<int64_t>(out_size) : 0;
  dest.SetSize(start + produced);
  dest.ShrinkToFit();
  if (rc == LIBDEFLATE_INSUFFICIENT_SPACE) {
    if (room == limit + 1) return InflateOutcome::kBeyondLimit;
    return std::nullopt;
  }
  if (rc != LIBDEFLATE_SUCCESS) return InflateOutcome::kDamaged;
  return produced > limit ? InflateOutcome::kBeyondLimit : InflateOutcome::kComplete;
}

// Inflates into dest at its position; dest keeps what was produced, complete or not.
InflateOutcome Inflate(TQnMemoryStream& dest, std::string_view compressed, int64_t limit,
                       std::optional<int64_t> expected_size, int64_t& produced) {
  if (auto outcome = InflateWhole(dest, compressed, limit, expected_size, produced)) return *outcome;
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw RivoError("inflate: out of memory");
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  z.avail_in = static_cast<uInt>(compressed.size());

  const int64_t start = dest.GetPosition();
  // A first guess of the inflated size, grown by half as needed; never
  // beyond the limit (plus one byte, to see that the limit was passed).
  int64_t capacity = expected_size ? std::min(*expected_size + 1, limit + 1)
                                   : std::min<int64_t>(std::max<int64_t>(int64_t{4} * static_cast<int64_t>(compressed.size()), 65536), limit + 1);
  produced = 0;
  int rc = Z_OK;
  for (;;) {
    dest.SetSize(start + capacity);
    z.next_out = reinterpret_cast<Bytef*>(dest.Data() + start + produced);
    uInt room = static_cast<uInt>(std::min<int64_t>(capacity - produced, UINT_MAX));
    z.avail_out = room;
    rc = inflate(&z, Z_NO_FLUSH);
    produced += room - z.avail_out;
    if (rc == Z_STREAM_END) break;
    if (rc != Z_OK && rc != Z_BUF_ERROR) break;
    if (produced > limit) break;
    if (z.avail_out == 0) {
      capacity = std::min(capacity + std::max<int64_t>(capacity / 2, 65536), limit + 1);
      continue;
    }
    // Output room left and no progress: the input ended before the stream did.
    if (z.avail_in == 0) {
      rc = Z_BUF_ERROR;
      break;
    }
  }
  inflateEnd(&z);
  dest.SetSize(start + std::min(produced, capacity));
  if (produced > limit) return InflateOutcome::kBeyondLimit;
  return rc == Z_STREAM_END ? InflateOutcome::kComplete : InflateOutcome::kDamaged;
}

[[noreturn]] void ThrowBeyondLimit(std::string_view name, int64_t limit) {
  throw LoadError(std::string(name), "compressed entry inflates beyond " + std::to_string(limit) + " bytes");
}

}  // namespace

void InflateInto(TQnMemoryStream& dest, std::string_view compressed, std::string_view name_cp932, int64_t limit,
                 std::optional<int64_t> expected_size) {
  const int64_t start = dest.GetPosition();
  int64_t produced = 0;
  const InflateOutcome outcome = Inflate(dest, compressed, limit, expected_size, produced);
  std::string name(name_cp932);
  if (outcome == InflateOutcome::kBeyondLimit) ThrowBeyondLimit(name, limit);
  if (outcome == InflateOutcome::kDamaged) throw LoadError(name, "damaged compressed data");
  if (expected_size && produced != *expected_size)
    throw LoadError(name, "inflated to " + std::to_string(produced) + " bytes instead of " + std::to_string(*expected_size));
  dest.SetPosition(start + produced);
}

bool IsZlibHeader(std::string_view bytes) {
  if (bytes.size() < 2) return false;
  const auto cmf = static_cast<uint8_t>(bytes[0]), flg = static_cast<uint8_t>(bytes[1]);
  return (cmf & 0x0F) == 8 && (cmf >> 4) <= 7 && (cmf * 256 + flg) % 31 == 0;
}

bool InflateIfZlib(TQnMemoryStream& dest, std::string_view bytes, std::string_view name_cp932, int64_t limit) {
  if (!IsZlibHeader(bytes)) return false;
  const int64_t start = dest.GetPosition();
  int64_t produced = 0;
  switch (Inflate(dest, bytes, limit, std::nullopt, produced)) {
    case InflateOutcome::kComplete:
      dest.SetPosition(start + produced);
      return true;
    case InflateOutcome::kBeyondLimit:
      ThrowBeyondLimit(name_cp932, limit);
    case InflateOutcome::kDamaged:
      break;
  }
  dest.SetSize(start);
  return false;
}

}  // namespace rivo
