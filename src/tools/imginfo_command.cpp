// rivotool imginfo IN [--json]: the version and header of a picture file
// and, per frame, its name, size, bit count, transparent value and colour,
// delay, the layers it was flattened from and its rectangle lists.

#include <cstdio>
#include <iostream>
#include <sstream>

#include "common/encoding.h"
#include "tools/imginfo_command.h"
#include "tools/picture_args.h"

namespace rivo::tools {
namespace {

constexpr const char* kUsage = "usage: rivotool imginfo IN [--json] [--key K | --game DIR]\n";

std::string Hex(int64_t colour) {
  if (colour < 0) return "-1";
  char text[24];
  std::snprintf(text, sizeof text, "0x%06llX", static_cast<unsigned long long>(colour));
  return text;
}

std::string JsonText(const std::string& cp932) {
  std::string out = "\"";
  for (unsigned char c : Cp932ToUtf8(cp932)) {
    if (c == '"' || c == '\\') out += '\\';
    if (c < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
      continue;
    }
    out += static_cast<char>(c);
  }
  return out + "\"";
}

std::string RectsJson(const std::vector<TRect>& rects) {
  std::ostringstream out;
  out << "[";
  for (std::size_t i = 0; i < rects.size(); ++i)
    out << (i ? ", " : "") << "[" << rects[i].Left << ", " << rects[i].Top << ", " << rects[i].Right << ", "
        << rects[i].Bottom << "]";
  return out.str() + "]";
}

void PrintJson(const TOrbaFrameList& list) {
  const TOrbaHeader& h = list.Header();
  std::cout << "{\"version\": " << h.version << ", \"header\": {\"size\": " << h.header_size
            << ", \"width\": " << h.width << ", \"height\": " << h.height << ", \"bit_count\": " << h.bit_count
            << ", \"frame_count\": " << h.frame_count << ", \"scrambled\": " << (h.scrambled ? "true" : "false")
            << ", \"compression\": " << int{h.compression} << ", \"background\": \"" << Hex(h.background)
            << "\", \"tile_width\": " << h.tile_width << ", \"tile_height\": " << h.tile_height
            << ", \"bottom_layer_opaque\": " << (h.bottom_layer_opaque ? "true" : "false")
            << ", \"quality\": " << int{h.quality} << "},\n \"frames\": [";
  for (int32_t i = 0; i < list.Count(); ++i) {
    const TOrbaFrame& f = list.Frames(i);
    std::cout << (i ? ",\n  " : "\n  ") << "{\"name\": " << JsonText(f.name) << ", \"width\": " << f.surface.Width()
              << ", \"height\": " << f.surface.Height() << ", \"bit_count\": " << f.surface.EffectiveBitCount()
              << ", \"transparent_value\": " << f.transparent_value << ", \"transparent_color\": \""
              << Hex(f.transparent_color) << "\", \"delay\": " << f.delay
              << ", \"mask\": " << (f.HasMask() ? "true" : "false") << ", \"layers\": [";
    for (std::size_t j = 0; j < f.layers.size(); ++j) {
      const TOrbaLayerInfo& l = f.layers[j];
      std::cout << (j ? ", " : "") << "{\"name\": " << JsonText(l.name) << ", \"visible\": "
                << (l.visible ? "true" : "false") << ", \"opacity\": " << l.opacity
                << ", \"transparent_value\": " << l.transparent_value << ", \"mask\": "
                << (l.has_mask ? "true" : "false") << ", \"mask_enabled\": " << (l.mask_enabled ? "true" : "false")
                << "}";
    }
    std::cout << "], \"first_rects\": " << RectsJson(f.first_rects) << ", \"second_rects\": "
              << RectsJson(f.second_rects) << "}";
  }
  std::cout << "\n ]}\n";
}

void PrintText(const TOrbaFrameList& list) {
  const TOrbaHeader& h = list.Header();
  std::cout << "version " << h.version << "\n";
  if (h.header_size > 0)
    std::cout << "header " << h.header_size << " bytes: " << h.width << " x " << h.height << " x " << h.bit_count
              << ", " << h.frame_count << " frames, compression " << int{h.compression}
              << (h.scrambled ? ", scrambled" : "") << ", tiles " << h.tile_width << " x " << h.tile_height
              << ", quality " << int{h.quality} << (h.bottom_layer_opaque ? ", bottom layer opaque" : "") << "\n";
  std::cout << "background " << Hex(h.background) << "\n";
  for (int32_t i = 0; i < list.Count(); ++i) {
    const TOrbaFrame& f = list.Frames(i);
    std::cout << "frame " << i << " \"" << Cp932ToUtf8(f.name) << "\": " << f.surface.Width() << " x "
              << f.surface.Height() << " x " << f.surface.EffectiveBitCount() << ", transparent "
              << f.transparent_value << " (" << Hex(f.transparent_color) << "), delay " << f.delay
              << (f.HasMask() ? ", mask" : "") << "\n";
    for (const TOrbaLayerInfo& l : f.layers)
      std::cout << "  layer \"" << Cp932ToUtf8(l.name) << "\": " << (l.visible ? "visible" : "hidden")
                << ", opacity " << l.opacity << ", transparent " << l.transparent_value
                << (l.has_mask ? (l.mask_enabled ? ", mask" : ", mask (off)") : "") << "\n";
    if (!f.first_rects.empty()) std::cout << "  first rectangles " << RectsJson(f.first_rects) << "\n";
    if (!f.second_rects.empty()) std::cout << "  second rectangles " << RectsJson(f.second_rects) << "\n";
  }
}

}  // namespace

int RunImgInfo(const std::vector<std::string>& raw_args) {
  const PictureArgs args = ParsePictureArgs(raw_args, {"--key", "--game"}, {"--json"});
  if (!args.error.empty() || args.files.size() != 1) {
    if (!args.error.empty()) std::cerr << "rivotool imginfo: " << args.error << "\n";
    std::cerr << kUsage;
    return 1;
  }
  TOrbaFrameList list(PictureKey(args));
  ReadPictureFrames(list, args.files[0]);
  if (args.Has("--json")) PrintJson(list);
  else PrintText(list);
  return 0;
}

}  // namespace rivo::tools
