#pragma once
// Whole picture files as the tools see them: a Windows bitmap (".bmp",
// ".dib") or a PNG, recognised by their first bytes, with transparency as a
// mask companion. A 32-bit bitmap's fourth bytes are its mask unless they are
// all 0; a PNG's single transparent colour becomes a mask too.

#include <string>
#include <string_view>

#include "graphics/dib_surface.h"

namespace rivo {

enum class TPictureFormat { kBmp, kPng };

// Raises LoadError naming name for damaged or unknown files.
TDIBSurface ReadPictureFile(std::string_view bytes, const std::string& name);

// PNG: the mask becomes the alpha channel. Bitmap: a masked picture is
// written with 32 bits and the mask in the fourth bytes, others as they are.
std::string WritePictureFile(const TDIBSurface& picture, TPictureFormat format);

}  // namespace rivo
