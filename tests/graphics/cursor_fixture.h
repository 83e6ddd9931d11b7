#pragma once
// Pointer files made at test time: ".cur" directories holding bitmap or PNG
// pictures, and ".ani" files holding such directories as frames.

#include <cstdint>
#include <string>
#include <vector>

#include "common/byte_writer.h"

namespace rivo::testing_cursor {

// A bitmap picture of straight ARGB pixels (rows top-down): 32 bits with
// its alpha, or 24 bits (alpha dropped); the AND mask is 1 where and_mask
// says (a list of width * height flags, top-down), and may be left out.
inline std::string BitmapPicture(int32_t w, int32_t h, const std::vector<uint32_t>& argb, int bits,
                                 const std::vector<bool>& and_mask, bool write_mask = true) {
  ByteWriter out;
  out.U32(40);
  out.I32(w);
  out.I32(h * 2);
  out.U16(1);
  out.U16(static_cast<uint16_t>(bits));
  for (int i = 0; i < 6; ++i) out.U32(0);
  std::size_t stride = (static_cast<std::size_t>(w) * bits + 31) / 32 * 4;
  for (int32_t y = h - 1; y >= 0; --y) {
    std::string row(stride, '\0');
    for (int32_t x = 0; x < w; ++x) {
      uint32_t p = argb[static_cast<std::size_t>(y) * w + x];
      int bytes = bits / 8;
      for (int b = 0; b < bytes; ++b) row[x * bytes + b] = static_cast<char>(p >> (8 * b));
    }
    out.Bytes(row);
  }
  if (write_mask) {
    std::size_t mask_stride = (static_cast<std::size_t>(w) + 31) / 32 * 4;
    for (int32_t y = h - 1; y >= 0; --y) {
      std::string row(mask_stride, '\0');
      for (int32_t x = 0; x < w; ++x)
        if (and_mask[static_cast<std::size_t>(y) * w + x]) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
      out.Bytes(row);
    }
  }
  return out.Take();
}

// A directory of one picture; type 2 is a cursor (with the hot spot), 1 an icon.
inline std::string Directory(const std::string& picture, uint16_t hot_x, uint16_t hot_y, uint16_t type = 2) {
  ByteWriter out;
  out.U16(0);
  out.U16(type);
  out.U16(1);
  out.U32(0);  // width, height, colours, reserved
  out.U16(hot_x);
  out.U16(hot_y);
  out.U32(static_cast<uint32_t>(picture.size()));
  out.U32(22);
  out.Bytes(picture);
  return out.Take();
}

inline void Chunk(ByteWriter& out, const std::string& tag, const std::string& body) {
  out.Bytes(tag);
  out.U32(static_cast<uint32_t>(body.size()));
  out.Bytes(body);
  if (body.size() % 2 != 0) out.U8(0);
}

// An animated pointer with these frames, shown in the order of seq (none: as stored).
inline std::string Animated(const std::vector<std::string>& frames, const std::vector<uint32_t>& seq) {
  ByteWriter header;
  header.U32(36);
  header.U32(static_cast<uint32_t>(frames.size()));
  header.U32(static_cast<uint32_t>(seq.empty() ? frames.size() : seq.size()));
  for (int i = 0; i < 5; ++i) header.U32(0);
  header.U32(1);  // frames are pointer files
  ByteWriter body;
  body.Bytes("ACON");
  Chunk(body, "anih", header.Take());
  if (!seq.empty()) {
    ByteWriter s;
    for (uint32_t step : seq) s.U32(step);
    Chunk(body, "seq ", s.Take());
  }
  ByteWriter list;
  list.Bytes("fram");
  for (const std::string& f : frames) Chunk(list, "icon", f);
  Chunk(body, "LIST", list.Take());
  ByteWriter out;
  Chunk(out, "RIFF", body.Take());
  return out.Take();
}

}  // namespace rivo::testing_cursor
