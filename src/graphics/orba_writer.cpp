// Writing layered images: "Orba106" with one layer per frame.

#include <algorithm>

#include "common/byte_writer.h"
#include "graphics/jpeg_codec.h"
#include "graphics/orba_frame_list.h"
#include "graphics/orba_plane.h"
#include "graphics/plane_inflate.h"

namespace rivo {
namespace {

constexpr int32_t kWrittenVersion = 106;
constexpr int32_t kHeaderSize = 40;

// A JPEG plane can only be read back into a 24-bit frame, so frames of
// other depths are stored as 24-bit frames when their colour goes to JPEG.
TOrbaFrame AsTwentyFourBits(const TOrbaFrame& frame) {
  TOrbaFrame out;
  out.name = frame.name;
  out.delay = frame.delay;
  out.surface = frame.surface;
  out.first_rects = frame.first_rects;
  out.second_rects = frame.second_rects;
  out.surface.SetBitCount(24);
  if (frame.transparent_color >= 0) {
    const auto c = static_cast<uint32_t>(frame.transparent_color);
    out.SetTransparentValue(static_cast<int32_t>((c >> 16 & 0xFF) | (c & 0xFF00) | (c & 0xFF) << 16));
  }
  return out;
}

void WriteRects(ByteWriter& w, const std::vector<TRect>& rects) {
  w.I32(static_cast<int32_t>(rects.size()));
  for (const TRect& r : rects) {
    w.I32(r.Left);
    w.I32(r.Top);
    w.I32(r.Right);
    w.I32(r.Bottom);
  }
}

void WriteData(ByteWriter& w, const std::string& data) {
  w.I32(static_cast<int32_t>(data.size()));
  w.Bytes(data);
}

void WriteFrame(ByteWriter& w, const TOrbaFrame& frame, int32_t number, uint8_t compression,
                int quality, int32_t key) {
  const TDIBSurface& picture = frame.surface;
  const int32_t bits = picture.EffectiveBitCount();
  w.String("Frame" + std::to_string(number));
  w.I32(frame.transparent_value);
  w.I32(frame.delay);
  w.U8(2);
  w.I32(0);
  w.I32(1);  // one layer
  w.I32(picture.Width());
  w.I32(picture.Height());
  w.I32(bits);
  if (bits <= 8) {
    for (int32_t i = 0; i < (1 << bits); ++i) {
      const TRgbQuad& e = picture.Palette()[static_cast<std::size_t>(i)];
      w.U8(e.blue);
      w.U8(e.green);
      w.U8(e.red);
      w.U8(0);
    }
  }
  w.I32(0);
  w.I32(0);
  w.U8(1);     // visible
  w.I32(-1);   // no colour key of its own
  w.I32(255);  // opaque
  w.U8(picture.HasMask() ? 1 : 0);
  w.String("Layer");
  if (compression == ORBA_JPEG) WriteData(w, picture.IsEmpty() ? std::string() : WriteJpeg(picture, quality));
  else if (compression == ORBA_RAW) WriteData(w, EncodeRawPlane(picture, key));
  else WriteData(w, DeflatePlane(EncodeRawPlane(picture, key)));
  if (!picture.HasMask()) {
    w.I32(0);
  } else {
    const std::string mask = EncodeRawPlane(*picture.Mask(), key);
    WriteData(w, compression == ORBA_RAW ? mask : DeflatePlane(mask));
  }
  WriteRects(w, frame.first_rects);
  WriteRects(w, frame.second_rects);
}

}  // namespace

std::string TOrbaFrameList::SaveToStream(uint8_t compression, int quality) const {
  if (compression > ORBA_JPEG) compression = ORBA_ZLIB;
  quality = std::clamp(quality, 1, 100);
  // Scrambled files keep their rows uncompressed: the archive compresses them.
  const bool scrambled = key_ != 0;
  const uint8_t stored = scrambled ? uint8_t{ORBA_RAW} : compression;
  std::vector<TOrbaFrame> converted;
  std::vector<const TOrbaFrame*> written;
  converted.reserve(frames_.size());  // so that the pointers into it stay valid
  for (const auto& f : frames_) {
    if (stored == ORBA_JPEG && f->surface.BitCount() != 24) {
      converted.push_back(AsTwentyFourBits(*f));
      written.push_back(&converted.back());
    } else {
      written.push_back(f.get());
    }
  }

  ByteWriter w;
  w.Bytes("Orba106");
  w.I32(kHeaderSize);
  const TDIBSurface* first = frames_.empty() ? nullptr : &frames_.front()->surface;
  w.I32(kWrittenVersion);
  w.I32(first ? first->Width() : 0);
  w.I32(first ? first->Height() : 0);
  w.I32(first ? (stored == ORBA_JPEG ? 24 : first->EffectiveBitCount()) : 0);
  w.I32(Count());
  w.U8(1);
  w.U8(scrambled ? 1 : 0);
  w.U8(stored);
  w.U8(0);
  w.U32(header_.background);
  w.I32(0);  // no tiles
  w.I32(0);
  w.U8(header_.bottom_layer_opaque ? 1 : 0);
  w.U8(static_cast<uint8_t>(quality));
  w.U16(0);
  for (std::size_t i = 0; i < written.size(); ++i)
    WriteFrame(w, *written[i], static_cast<int32_t>(i) + 1, stored, quality, key_);
  return w.Take();
}

}  // namespace rivo
