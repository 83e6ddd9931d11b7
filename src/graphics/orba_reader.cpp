// Reading layered images: signature and header, then per frame its head, its
// layers (each decoded into a picture of its own and flattened onto the
// frame at once) and its rectangle lists.

#include <algorithm>
#include <cstring>

#include "common/byte_reader.h"
#include "graphics/jpeg_codec.h"
#include "graphics/orba_frame_list.h"
#include "graphics/orba_plane.h"
#include "graphics/plane_inflate.h"

namespace rivo {
namespace {

constexpr std::size_t kSignatureSize = 7;
// The known part of a header record: up to the JPEG quality byte.
constexpr int32_t kKnownHeaderSize = 40;
constexpr int32_t kMinHeaderSize = 37;

bool ValidBitCount(int32_t bits) {
  switch (bits) {
    case 1: case 4: case 8: case 15: case 16: case 24: case 32: return true;
    default: return false;
  }
}

int64_t PictureBytes(const TDIB& picture) {
  return int64_t{picture.RowLength()} * picture.Height();
}

int64_t SurfaceBytes(const TDIBSurface& s) {
  return PictureBytes(s) + (s.Mask() ? PictureBytes(*s.Mask()) : 0);
}

}  // namespace

// One pass over one file; the frame list receives the frames as they are
// completed.
class OrbaReader {
 public:
  OrbaReader(TOrbaFrameList& list, std::string_view bytes, const std::string& name)
      : list_(list), in_(bytes, name), name_(name) {}

  void Run(bool first_frame_only) {
    ReadHeader();
    int32_t count = list_.header_.frame_count;
    if (first_frame_only) count = std::min(count, 1);
    for (int32_t i = 0; i < count; ++i) ReadFrame(i);
  }

 private:
  struct Layer {
    TDIBSurface picture;
    TOrbaLayerInfo info;
    bool in_frame = false;  // decoded straight into the frame; nothing to flatten
  };

  void ReadHeader() {
    TOrbaHeader& h = list_.header_;
    h = TOrbaHeader{};
    std::string_view head = in_.View(std::min<std::size_t>(kSignatureSize, in_.Size()));
    if (head.substr(0, 4) == "Orba") {
      if (head.size() < kSignatureSize) in_.Fail("unexpected end of data");
      h.version = 0;
      for (std::size_t i = 4; i < kSignatureSize; ++i) {
        if (head[i] < '0' || head[i] > '9') in_.Fail("not a layered image version");
        h.version = h.version * 10 + (head[i] - '0');
      }
    } else {
      // No signature: the oldest layout, read from the first byte.
      h.version = 0;
      in_.Seek(0);
    }
    if (h.version < 103) {
      h.frame_count = in_.I32();
      in_.Skip(1);
      if (h.version > 101) h.background = in_.U32();
    } else {
      h.header_size = in_.I32();
      if (h.header_size < kMinHeaderSize || h.header_size > kMaxOrbaHeaderSize)
        in_.Fail("header size out of range");
      ByteReader record(in_.View(static_cast<std::size_t>(h.header_size)), name_);
      record.Skip(4);  // the writer's version number; the signature rules
      h.width = record.I32();
      h.height = record.I32();
      h.bit_count = record.I32();
      h.frame_count = record.I32();
      record.Skip(1);
      h.scrambled = record.U8() != 0;
      h.compression = record.U8();
      record.Skip(1);
      h.background = record.U32();
      h.tile_width = record.I32();
      h.tile_height = record.I32();
      const bool bottom_opaque = record.U8() != 0;
      h.bottom_layer_opaque = h.version >= 105 && bottom_opaque;
      if (h.header_size >= kKnownHeaderSize - 2) h.quality = record.U8();
      if (h.compression > ORBA_JPEG) in_.Fail("unknown compression");
    }
    // A frame head is at least 33 bytes.
    in_.Count(h.frame_count, 33);
    layout_.scrambled = h.scrambled;
    layout_.key = list_.key_;
    layout_.tile_width = h.tile_width;
    layout_.tile_height = h.tile_height;
    keep_layers_ = layout_.Tiled();
  }

  void ReadFrame(int32_t index) {
    auto frame = std::make_unique<TOrbaFrame>();
    frame->name = in_.String();
    const int32_t transparent_value = in_.I32();
    frame->delay = in_.I32();
    in_.Skip(1 + 4);
    const int32_t layer_count = in_.I32();
    in_.Count(layer_count, MinLayerBytes());
    const int32_t width = in_.I32(), height = in_.I32(), bits = in_.I32();
    if (!ValidBitCount(bits)) in_.Fail("unknown bit count");
    if (width < 0 || height < 0 || width > kMaxOrbaSide || height > kMaxOrbaSide ||
        int64_t{width} * height > kMaxOrbaPixels)
      in_.Fail("frame size out of range");
    TDIBSurface& surface = frame->surface;
    surface.SetSize(width, height, bits);
    if (bits <= 8) {
      const std::size_t entries = in_.Count(int64_t{1} << bits, 4);
      for (std::size_t i = 0; i < entries; ++i) {
        TRgbQuad& e = surface.Palette()[i];
        e.blue = in_.U8();
        e.green = in_.U8();
        e.red = in_.U8();
        in_.Skip(1);
        e.reserved = 0;
      }
    }
    Charge(SurfaceBytes(surface));
    frame->SetTransparentValue(transparent_value);
    const uint32_t bg = list_.header_.background;
    const auto fill_background = [&] {
      surface.FillRect(surface.GetBounds(),
                       surface.ColorToValue(bg & 0xFF, (bg >> 8) & 0xFF, (bg >> 16) & 0xFF));
    };

    std::vector<TDIBSurface> kept;
    bool first_visible = true;
    for (int32_t i = 0; i < layer_count; ++i) {
      Layer layer = ReadLayer(surface, index, i == 0);
      frame->layers.push_back(layer.info);
      // A bottom layer decoded into the frame covers the background.
      if (i == 0 && !layer.in_frame) fill_background();
      if (layer.info.visible) {
        if (!layer.in_frame) Flatten(surface, layer, i, first_visible);
        first_visible = false;
      }
      if (keep_layers_) {
        Charge(SurfaceBytes(layer.picture));
        kept.push_back(std::move(layer.picture));
      }
    }
    if (layer_count == 0) fill_background();
    if (list_.header_.version >= 104) {
      ReadRects(frame->first_rects);
      ReadRects(frame->second_rects);
    }
    if (surface.HasMask()) Charge(PictureBytes(*surface.Mask()));
    list_.frames_.push_back(std::move(frame));
    if (keep_layers_) kept_.push_back(std::move(kept));
  }

  std::size_t MinLayerBytes() const {
    const int32_t v = list_.header_.version;
    return 8 + 1 + 4 + 4 + (v > 100 ? 1 : 0) + 4 + 4 + (v > 99 ? 4 : 0);
  }

  // The bottom layer goes straight into the frame when flattening would
  // copy it whole (visible, opaque, its mask if any becoming the frame's):
  // a full-screen picture then costs one plane in memory, not three, and no
  // copies between them.
  Layer ReadLayer(TDIBSurface& frame, int32_t frame_index, bool bottom) {
    const int32_t v = list_.header_.version;
    Layer layer;
    in_.Skip(8);
    layer.info.visible = in_.U8() != 0;
    layer.info.transparent_value = in_.I32();
    layer.info.opacity = in_.I32();
    layer.info.mask_enabled = v > 100 ? in_.U8() != 0 : true;
    layer.info.name = in_.String();
    const std::string_view colour = in_.View(in_.Count(in_.I32()));
    std::string_view mask;
    if (v > 99) {
      const int32_t mask_size = in_.I32();
      if (mask_size > 0) mask = in_.View(in_.Count(mask_size));
    }

    if (!mask.empty()) {
      layer.info.has_mask = true;
      layer.info.transparent_value = -1;
    }
    const TOrbaLayerInfo& info = layer.info;
    layer.in_frame = bottom && !keep_layers_ && frame.BitCount() >= 8 && info.visible && info.opacity > 254 &&
                     (info.transparent_value < 0 || list_.header_.bottom_layer_opaque) &&
                     (mask.empty() || info.mask_enabled);
    TDIBSurface& picture = layer.in_frame ? frame : layer.picture;
    if (!layer.in_frame) {
      picture.SetSize(frame.Width(), frame.Height(), frame.EffectiveBitCount());
      picture.Palette() = frame.Palette();
    }
    const uint8_t compression = list_.header_.compression;
    if (compression == ORBA_JPEG) ReadJpegPlane(colour, picture);
    else ReadPlane(colour, compression, picture, frame_index, false);
    if (!mask.empty()) {
      ReadPlane(mask, compression == ORBA_RAW ? ORBA_RAW : ORBA_ZLIB, picture.CreateMask(),
                frame_index, true);
    }
    // Flattening copies pixels only: the rows' padding stays as zero as
    // the frame's own.
    if (layer.in_frame) {
      ClearRowPadding(frame);
      if (frame.HasMask()) ClearRowPadding(*frame.Mask());
    }
    return layer;
  }

  static void ClearRowPadding(TDIB& picture) {
    const auto used = static_cast<std::size_t>(picture.Width()) * static_cast<std::size_t>(picture.BitCount() / 8);
    const auto padding = static_cast<std::size_t>(picture.RowLength()) - used;
    if (padding == 0) return;
    for (int32_t y = 0; y < picture.Height(); ++y) std::memset(picture.ScanLine(y) + used, 0, padding);
  }

  void ReadPlane(std::string_view data, uint8_t compression, TDIB& plane, int32_t frame_index,
                 bool is_mask) {
    if (plane.IsEmpty()) return;
    const TTileSource earlier = [this, frame_index, is_mask](int32_t frame, int32_t layer) -> const TDIB* {
      if (frame >= frame_index || static_cast<std::size_t>(frame) >= kept_.size()) return nullptr;
      const std::vector<TDIBSurface>& layers = kept_[static_cast<std::size_t>(frame)];
      if (layer < 0 || static_cast<std::size_t>(layer) >= layers.size()) return nullptr;
      const TDIBSurface& s = layers[static_cast<std::size_t>(layer)];
      return is_mask ? s.Mask() : &s;
    };
    if (compression == ORBA_RAW) {
      DecodeRawPlane(data, plane, layout_, earlier, name_);
      return;
    }
    const std::size_t size = RawPlaneSize(plane, layout_);
    if (static_cast<int64_t>(size) > list_.memory_limit_) in_.Fail("plane too large");
    if (!layout_.Tiled() && !(layout_.scrambled && layout_.key != 0)) {
      // Rows in their own order: straight into the plane, no copy between.
      inflater_.InflateInto(data, plane.MutableBits(), size, name_);
      return;
    }
    const std::vector<uint8_t> raw = inflater_.Inflate(data, size, layout_.Tiled(), name_);
    DecodeRawPlane(std::string_view(reinterpret_cast<const char*>(raw.data()), raw.size()), plane,
                   layout_, earlier, name_);
  }

  // A JPEG colour plane is a whole picture of the layer's size; only 24-bit
  // frames can take its rows as they come.
  void ReadJpegPlane(std::string_view data, TDIBSurface& plane) {
    if (plane.BitCount() != 24) in_.Fail("JPEG plane in a frame that is not 24-bit");
    TDIB picture = ReadJpeg(data, name_);
    if (picture.Width() != plane.Width() || picture.Height() != plane.Height())
      in_.Fail("JPEG plane of another size than its layer");
    // The decoder's rows become the plane's, shared rather than copied.
    static_cast<TDIB&>(plane) = std::move(picture);
  }

  // The layer onto the frame: a masked layer's mask becomes the frame's when
  // it is the first; later masked layers blend through their mask; opaque
  // layers copy; the rest blend with their opacity and colour key.
  void Flatten(TDIBSurface& frame, const Layer& layer, int32_t index, bool first_visible) {
    const TOrbaLayerInfo& info = layer.info;
    const bool masked = layer.picture.HasMask() && info.mask_enabled;
    if (index == 0 && masked) frame.CopyMaskFrom(*layer.picture.Mask());
    if (masked && index > 0) {
      frame.DrawThroughMask(0, 0, 255, layer.picture.GetBounds(), layer.picture);
    } else if ((info.transparent_value < 0 || (first_visible && list_.header_.bottom_layer_opaque)) &&
               info.opacity > 254) {
      frame.Copy(0, 0, layer.picture);
    } else {
      frame.DrawOpacity(0, 0, info.opacity, info.transparent_value, layer.picture.GetBounds(),
                        layer.picture);
    }
  }

  void ReadRects(std::vector<TRect>& rects) {
    const int32_t count = in_.I32();
    if (count < 0) return;  // no list
    rects.resize(in_.Count(count, 16));
    for (TRect& r : rects) {
      r.Left = in_.I32();
      r.Top = in_.I32();
      r.Right = in_.I32();
      r.Bottom = in_.I32();
    }
  }

  void Charge(int64_t bytes) {
    memory_ += bytes;
    if (memory_ > list_.memory_limit_) in_.Fail("picture needs too much memory");
  }

  TOrbaFrameList& list_;
  ByteReader in_;
  const std::string& name_;
  TPlaneLayout layout_;
  TPlaneInflater inflater_;
  bool keep_layers_ = false;
  std::vector<std::vector<TDIBSurface>> kept_;
  int64_t memory_ = 0;
};

void TOrbaFrameList::LoadFromStream(std::string_view bytes, const std::string& name,
                                    bool first_frame_only) {
  frames_.clear();
  OrbaReader(*this, bytes, name).Run(first_frame_only);
}

}  // namespace rivo
