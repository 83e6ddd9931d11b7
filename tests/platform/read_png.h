#pragma once
// Reads a PNG written by the player back into a frame, for checking it.

#include <png.h>

#include <filesystem>

#include "platform/frame_buffer.h"

namespace rivo::testing_png {

inline FrameBuffer ReadPng(const std::filesystem::path& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, file.c_str())) return {};
  image.format = PNG_FORMAT_BGRA;
  FrameBuffer frame(static_cast<int32_t>(image.width), static_cast<int32_t>(image.height));
  if (!png_image_finish_read(&image, nullptr, frame.pixels.data(), 0, nullptr)) return {};
  for (uint32_t& p : frame.pixels) p &= 0x00FFFFFF;  // opaque RGB comes back with alpha 255
  return frame;
}

}  // namespace rivo::testing_png
