#include "graphics/orba_frame_list.h"

#include <limits>

#include "common/sjis.h"
#include "graphics/bmp_codec.h"
#include "graphics/png_codec.h"

namespace rivo {
namespace {

// Pictures of other formats arrive as one frame; the header describes it.
void DescribeSingleFrame(TOrbaHeader& header, const TOrbaFrame& frame) {
  header = TOrbaHeader{};
  header.version = 0;
  header.width = frame.surface.Width();
  header.height = frame.surface.Height();
  header.bit_count = frame.surface.EffectiveBitCount();
  header.frame_count = 1;
}

}  // namespace

void TOrbaFrameList::LoadFromFile(std::string_view bytes, const std::string& name,
                                  bool first_frame_only) {
  const std::string extension = sjis::LowerCase(sjis::ExtractFileExt(name));
  if (extension == ".orb") LoadFromStream(bytes, name, first_frame_only);
  else if (extension == ".png") ReadPngFrame(bytes, name);
  else if (extension == ".bmp" || extension == ".dib") ReadBitmapFrame(bytes, name);
  else frames_.clear();
}

void TOrbaFrameList::LoadPicture(std::string_view bytes, const std::string& name,
                                 bool first_frame_only) {
  if (bytes.substr(0, 2) == "BM") ReadBitmapFrame(bytes, name);
  else if (LooksLikePng(bytes)) ReadPngFrame(bytes, name);
  else LoadFromStream(bytes, name, first_frame_only);
}

void TOrbaFrameList::ReadPngFrame(std::string_view bytes, const std::string& name) {
  frames_.clear();
  TPngPicture png = ReadPng(bytes, name);
  TOrbaFrame& frame = AddFrame();
  frame.surface = std::move(png.surface);
  frame.SetTransparentValue(png.transparent_value > std::numeric_limits<int32_t>::max()
                                ? -1 : static_cast<int32_t>(png.transparent_value));
  DescribeSingleFrame(header_, frame);
}

void TOrbaFrameList::ReadBitmapFrame(std::string_view bytes, const std::string& name) {
  frames_.clear();
  TOrbaFrame& frame = AddFrame();
  static_cast<TDIB&>(frame.surface) = ReadBitmapFile(bytes, name);
  // A 32-bit bitmap's fourth bytes are its mask unless they are all 0
  // (most 32-bit bitmaps leave them 0, which means opaque, not invisible).
  if (frame.surface.BitCount() == 32) {
    frame.surface.TakeFourthByteAsMask();
    frame.surface.SetBitCount(24);
  }
  DescribeSingleFrame(header_, frame);
}

TOrbaFrame& TOrbaFrameList::AddFrame() {
  frames_.push_back(std::make_unique<TOrbaFrame>());
  return *frames_.back();
}

void TOrbaFrameList::MakeMasks() {
  for (auto& frame : frames_)
    if (!frame->HasMask()) frame->MakeMask();
}

}  // namespace rivo
