#include "graphics/cursor_file.h"

#include <array>
#include <optional>
#include <cstdint>
#include <vector>

#include "common/byte_reader.h"
#include "graphics/png_codec.h"

namespace rivo {
namespace {

constexpr uint16_t kTypeIcon = 1;
constexpr uint16_t kTypeCursor = 2;

// Straight ARGB from components.
uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; }

bool Bit(const uint8_t* row, int32_t x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }

// A PNG picture; its size is read from the header first, so that a file
// claiming a huge picture is refused before anything is decoded.
CursorImage ReadPngPicture(std::string_view bytes, const std::string& name) {
  ByteReader header(bytes, name);
  header.Skip(16);
  auto be32 = [&] {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | header.U8();
    return v;
  };
  uint32_t w = be32(), h = be32();
  if (w == 0 || h == 0 || w > kMaxCursorSide || h > kMaxCursorSide) header.Fail("pointer picture too large");
  TPngPicture png = ReadPng(bytes, name);
  const TDIBSurface& s = png.surface;
  CursorImage image;
  image.width = s.Width();
  image.height = s.Height();
  image.argb.resize(static_cast<std::size_t>(image.width) * image.height);
  for (int32_t y = 0; y < image.height; ++y) {
    for (int32_t x = 0; x < image.width; ++x) {
      uint32_t v = s.ReadPixel(x, y);
      TRgb c = s.ValueToColor(v, false);
      uint32_t a = s.HasMask() ? s.Mask()->ReadPixel(x, y) : (static_cast<int64_t>(v) == png.transparent_value ? 0 : 255);
      image.argb[static_cast<std::size_t>(y) * image.width + x] = Argb(a, c.red, c.green, c.blue);
    }
  }
  return image;
}

// A bitmap picture: header, palette, colour rows and the AND mask rows, both
// bottom-up. Where the colour rows carry no alpha the AND mask decides:
// 1 is transparent (a pixel that would invert the screen shows black).
CursorImage ReadBitmapPicture(std::string_view bytes, const std::string& name) {
  ByteReader r(bytes, name);
  uint32_t header_size = r.U32();
  int32_t width = r.I32();
  int32_t double_height = r.I32();
  r.U16();  // planes
  uint16_t bits = r.U16();
  uint32_t compression = r.U32();
  r.Skip(12);  // image size, resolution
  uint32_t used_colours = r.U32();
  if (header_size < 40) r.Fail("unknown bitmap header");
  int32_t height = double_height / 2;
  if (width <= 0 || height <= 0 || width > kMaxCursorSide || height > kMaxCursorSide)
    r.Fail("pointer picture size out of range");
  if (compression != 0) r.Fail("compressed pointer picture");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) r.Fail("unknown pointer colour depth");
  r.Seek(header_size);
  std::array<uint32_t, 256> palette{};
  if (bits <= 8) {
    std::size_t colours = used_colours != 0 && used_colours < (1u << bits) ? used_colours : (1u << bits);
    for (std::size_t i = 0; i < colours; ++i) {
      uint8_t b = r.U8(), g = r.U8(), red = r.U8();
      r.U8();
      palette[i] = Argb(0, red, g, b);
    }
  }
  std::size_t colour_stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  std::size_t mask_stride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
  std::string_view colour = r.View(colour_stride * height);
  // Some writers leave the AND mask out of 32-bit pictures; their alpha says it all.
  std::string_view mask = r.Remaining() >= mask_stride * height ? r.View(mask_stride * height) : std::string_view();
  if (mask.empty() && bits != 32) r.Fail("pointer picture without its mask");

  CursorImage image;
  image.width = width;
  image.height = height;
  image.argb.resize(static_cast<std::size_t>(width) * height);
  bool any_alpha = false;
  for (int32_t y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint8_t*>(colour.data()) + (height - 1 - y) * colour_stride;
    for (int32_t x = 0; x < width; ++x) {
      uint32_t c = 0;
      switch (bits) {
        case 1: c = palette[Bit(row, x)]; break;
        case 4: c = palette[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F]; break;
        case 8: c = palette[row[x]]; break;
        case 24: c = Argb(0, row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
        case 32:
          c = Argb(row[4 * x + 3], row[4 * x + 2], row[4 * x + 1], row[4 * x]);
          any_alpha |= row[4 * x + 3] != 0;
          break;
      }
      image.argb[static_cast<std::size_t>(y) * width + x] = c;
    }
  }
  if (any_alpha) return image;
  // A 32-bit picture with neither alpha nor mask is opaque.
  for (int32_t y = 0; y < height; ++y) {
    const auto* row =
        mask.empty() ? nullptr : reinterpret_cast<const uint8_t*>(mask.data()) + (height - 1 - y) * mask_stride;
    for (int32_t x = 0; x < width; ++x) {
      uint32_t& p = image.argb[static_cast<std::size_t>(y) * width + x];
      bool transparent = row && Bit(row, x);
      if (!transparent) p |= 0xFF000000u;
      else if ((p & 0x00FFFFFFu) != 0) p = 0xFF000000u;  // inverts the screen: black
      else p = 0;
    }
  }
  return image;
}

// ".cur" or ".ico": the first picture of the directory.
CursorImage ReadIconDirectory(std::string_view bytes, const std::string& name) {
  ByteReader r(bytes, name);
  if (r.U16() != 0) r.Fail("not a pointer file");
  uint16_t type = r.U16();
  if (type != kTypeIcon && type != kTypeCursor) r.Fail("not a pointer file");
  if (r.U16() == 0) r.Fail("pointer file without pictures");
  r.Skip(4);  // width, height, colour count, reserved: the picture says
  uint16_t hot_x = r.U16();
  uint16_t hot_y = r.U16();
  uint32_t size = r.U32();
  uint32_t offset = r.U32();
  if (offset > bytes.size() || size > bytes.size() - offset) r.Fail("picture outside the file");
  std::string_view picture = bytes.substr(offset, size);
  CursorImage image = LooksLikePng(picture) ? ReadPngPicture(picture, name) : ReadBitmapPicture(picture, name);
  if (type == kTypeCursor) {
    image.hot_x = hot_x;
    image.hot_y = hot_y;
  } else {
    // An icon used as a pointer points with its centre.
    image.hot_x = image.width / 2;
    image.hot_y = image.height / 2;
  }
  if (image.hot_x >= image.width || image.hot_y >= image.height) image.hot_x = image.hot_y = 0;
  return image;
}

bool IsTag(std::string_view bytes, std::string_view tag) { return bytes.substr(0, 4) == tag; }

// ".ani": a RIFF "ACON" file; the frames are pointer files in the LIST
// "fram" chunk, and a "seq " chunk, when present, says which comes first.
CursorImage ReadAnimatedCursor(std::string_view bytes, const std::string& name) {
  ByteReader r(bytes, name);
  r.Skip(4);
  uint32_t riff_size = r.U32();
  if (r.View(4) != "ACON") r.Fail("not an animated pointer");
  std::size_t end = riff_size < bytes.size() - 8 ? riff_size + 8 : bytes.size();
  std::vector<std::string_view> frames;
  std::optional<uint32_t> first_step;
  while (r.Position() + 8 <= end) {
    std::string_view tag = r.View(4);
    uint32_t size = r.U32();
    if (size > end - r.Position()) r.Fail("chunk outside the file");
    std::string_view body = r.View(size);
    if (size % 2 != 0 && r.Position() < end) r.Skip(1);
    if (tag == "seq " && size >= 4) {
      ByteReader seq(body, name);
      first_step = seq.U32();
    } else if (tag == "LIST" && IsTag(body, "fram")) {
      ByteReader list(body.substr(4), name);
      while (list.Remaining() >= 8) {
        std::string_view frame_tag = list.View(4);
        uint32_t frame_size = list.U32();
        std::string_view frame = list.View(list.Count(frame_size));
        if (frame_size % 2 != 0 && list.Remaining() > 0) list.Skip(1);
        if (frame_tag == "icon") frames.push_back(frame);
      }
    }
  }
  if (frames.empty()) r.Fail("animated pointer without frames");
  uint32_t first = first_step.value_or(0);
  if (first >= frames.size()) r.Fail("animated pointer starts at a frame it does not have");
  return ReadIconDirectory(frames[first], name);
}

}  // namespace

CursorImage ReadCursorFile(std::string_view bytes, const std::string& name) {
  if (IsTag(bytes, "RIFF")) return ReadAnimatedCursor(bytes, name);
  return ReadIconDirectory(bytes, name);
}

}  // namespace rivo
