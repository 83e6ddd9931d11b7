// rivotool convert IN OUT: pictures between layered images (".orb"), PNG
// and BMP, chosen by OUT's extension. A mask travels as the alpha channel
// of a PNG or the fourth bytes of a 32-bit bitmap; a frame with only a
// transparent colour gets a mask from it. Frame numbers count from 0.
// Several pictures joined into one ".orb" become the frames of an
// animation, in the order given.

#include <fstream>
#include <iostream>

#include "common/sjis.h"
#include "graphics/picture_file.h"
#include "tools/convert_command.h"
#include "tools/picture_args.h"

namespace rivo::tools {
namespace {

constexpr const char* kUsage =
    "usage: rivotool convert IN OUT.orb|OUT.png|OUT.bmp [--frame N | --all-frames]\n"
    "                        [--key K | --game DIR] [--compression 0|1|2] [--quality Q]\n"
    "       rivotool convert IN1 IN2... OUT.orb [--delay MS] [--key K | --game DIR] ...\n";

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  return out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) && out.flush();
}

// OUT-N.ext for frame N of --all-frames.
std::filesystem::path NumberedPath(const std::filesystem::path& out, int32_t n) {
  std::filesystem::path numbered = out;
  numbered.replace_filename(out.stem().string() + "-" + std::to_string(n) + out.extension().string());
  return numbered;
}

int Fail(const std::string& message) {
  std::cerr << "rivotool convert: " << message << "\n";
  return 2;
}

}  // namespace

int RunConvert(const std::vector<std::string>& raw_args) {
  const PictureArgs args = ParsePictureArgs(
      raw_args, {"--frame", "--key", "--game", "--compression", "--quality", "--delay"}, {"--all-frames"});
  const auto frame = IntegerOption(args, "--frame", 0);
  const auto delay = IntegerOption(args, "--delay", 0);
  const auto compression = IntegerOption(args, "--compression", ORBA_ZLIB);
  const auto quality = IntegerOption(args, "--quality", 70);
  if (!args.error.empty() || args.files.size() < 2 || !frame || !compression || !quality || !delay ||
      *compression < 0 || *compression > 2 || *quality < 1 || *quality > 100 || *delay < 0 || *delay > INT32_MAX ||
      (args.Has("--key") && args.Has("--game")) || (args.Has("--frame") && args.Has("--all-frames"))) {
    if (!args.error.empty()) std::cerr << "rivotool convert: " << args.error << "\n";
    std::cerr << kUsage;
    return 1;
  }
  const std::filesystem::path in = args.files[0], out = args.files.back();
  const std::string extension = sjis::LowerCase(out.extension().string());
  if (extension != ".png" && extension != ".bmp" && extension != ".orb") {
    std::cerr << "rivotool convert: " << out.string() << ": the output must end in .orb, .png or .bmp\n";
    return 1;
  }
  if (args.files.size() > 2 && (extension != ".orb" || args.Has("--frame"))) {
    std::cerr << "rivotool convert: only an .orb takes several pictures, each of them whole\n" << kUsage;
    return 1;
  }

  const int32_t key = PictureKey(args);
  TOrbaFrameList frames(key);
  for (std::size_t i = 0; i + 1 < args.files.size(); ++i) {
    TOrbaFrameList one(key);
    ReadPictureFrames(one, args.files[i]);
    if (one.Count() == 0) return Fail(args.files[i] + ": the picture has no frames");
    if (i == 0) frames.Header() = one.Header();
    for (int32_t f = 0; f < one.Count(); ++f) frames.AddFrame() = one.Frames(f);
  }
  if (args.Has("--delay"))
    for (int32_t i = 0; i < frames.Count(); ++i) frames.Frames(i).delay = static_cast<int32_t>(*delay);
  if (args.Has("--frame") && (*frame < 0 || *frame >= frames.Count()))
    return Fail(in.string() + ": no frame " + std::to_string(*frame) + " (it has " +
                std::to_string(frames.Count()) + ")");

  if (extension == ".orb") {
    TOrbaFrameList written(key);
    written.Header() = frames.Header();
    for (int32_t i = 0; i < frames.Count(); ++i)
      if (!args.Has("--frame") || i == *frame) written.AddFrame() = frames.Frames(i);
    if (!WriteFile(out, written.SaveToStream(static_cast<uint8_t>(*compression), static_cast<int>(*quality))))
      return Fail(out.string() + ": cannot write");
    return 0;
  }

  const TPictureFormat format = extension == ".png" ? TPictureFormat::kPng : TPictureFormat::kBmp;
  const bool all = args.Has("--all-frames");
  for (int32_t i = all ? 0 : static_cast<int32_t>(*frame); i < (all ? frames.Count() : *frame + 1); ++i) {
    TOrbaFrame& f = frames.Frames(i);
    if (f.surface.IsEmpty()) return Fail(in.string() + ": frame " + std::to_string(i) + " is empty");
    if (!f.HasMask() && f.transparent_value >= 0) f.MakeMask();
    const std::filesystem::path target = all ? NumberedPath(out, i) : out;
    if (!WriteFile(target, WritePictureFile(f.surface, format))) return Fail(target.string() + ": cannot write");
  }
  return 0;
}

}  // namespace rivo::tools
