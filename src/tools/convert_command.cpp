// rivotool convert IN OUT: a BMP, DIB or PNG picture written as PNG (the
// mask as alpha channel) or as BMP (a mask in the fourth bytes of a 32-bit
// bitmap), chosen by OUT's extension.

#include <fstream>
#include <iostream>
#include <iterator>

#include "common/sjis.h"
#include "graphics/picture_file.h"
#include "tools/convert_command.h"

namespace rivo::tools {

int RunConvert(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::cerr << "usage: rivotool convert IN OUT.png|OUT.bmp\n";
    return 1;
  }
  const std::string extension = sjis::LowerCase(sjis::ExtractFileExt(args[1]));
  if (extension != ".png" && extension != ".bmp") {
    std::cerr << "rivotool convert: " << args[1] << ": the output must end in .png or .bmp\n";
    return 1;
  }
  std::ifstream in(args[0], std::ios::binary);
  if (!in) {
    std::cerr << "rivotool convert: " << args[0] << ": cannot open\n";
    return 2;
  }
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const TDIBSurface picture = ReadPictureFile(bytes, args[0]);
  if (picture.IsEmpty()) {
    std::cerr << "rivotool convert: " << args[0] << ": the picture is empty\n";
    return 2;
  }
  const std::string out_bytes = WritePictureFile(
      picture, extension == ".png" ? TPictureFormat::kPng : TPictureFormat::kBmp);
  std::ofstream out(args[1], std::ios::binary | std::ios::trunc);
  if (!out.write(out_bytes.data(), static_cast<std::streamsize>(out_bytes.size())) || !out.flush()) {
    std::cerr << "rivotool convert: " << args[1] << ": cannot write\n";
    return 2;
  }
  return 0;
}

}  // namespace rivo::tools
