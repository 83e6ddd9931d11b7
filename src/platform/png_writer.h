#pragma once
// Frames as PNG files (screenshots, and the frames headless runs dump).

#include <filesystem>

#include "platform/frame_buffer.h"

namespace rivo {

// Writes an 8-bit RGB PNG. Throws PlatformError when the file cannot be written.
void WritePng(const PixelView& frame, const std::filesystem::path& file);

}  // namespace rivo
