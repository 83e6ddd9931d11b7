// rivotool wipe CODE OLD NEW OUT --t MS --duration MS [--reverse] [--p0 N]
// [--p1 N] [--mask M [--key K]] [--seed N], or --frames N DIR in place of
// OUT and --t: the transition of CODE from OLD to NEW as the screen would
// show it at time MS (or at N evenly spaced times), written as PNG. The
// mask picture is a layered image (scrambled ones with the identification
// code K), a PNG or a bitmap.

#include "tools/wipe_command.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>

#include "common/number_text.h"
#include "graphics/orba_frame_list.h"
#include "graphics/picture_file.h"
#include "graphics/wipe_start.h"

namespace rivo::tools {
namespace {

constexpr const char* kUsage =
    "usage: rivotool wipe CODE OLD NEW OUT.png --t MS --duration MS [--reverse] [--p0 N] [--p1 N]\n"
    "                     [--mask M [--key K]] [--seed N]\n"
    "       rivotool wipe CODE OLD NEW --frames N DIR --duration MS [options]\n";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + ": cannot open");
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !out.flush())
    throw std::runtime_error(path.string() + ": cannot write");
}

// A picture file as a 32-bit screen picture.
std::unique_ptr<TDIBX> ReadScreenPicture(const std::string& path) {
  const TDIBSurface picture = ReadPictureFile(ReadFile(path), path);
  if (picture.IsEmpty()) throw std::runtime_error(path + ": the picture is empty");
  auto surface = std::make_unique<TDIBX>();
  surface->SetSize(1, 1, 32);
  surface->CopyFromPicture(picture);
  return surface;
}

// Mask pictures named by host path: the first frame of a layered image
// (unscrambled with --key), or a BMP or PNG.
class PictureFileMasks : public TWipeMaskSource {
 public:
  explicit PictureFileMasks(int32_t key) : key_(key) {}
  std::optional<TDIBSurface> FindMaskPicture(const std::string& name) const override {
    TOrbaFrameList list(key_);
    list.LoadPicture(ReadFile(name), name, true);
    if (list.Count() == 0) return std::nullopt;
    return std::move(list.Frames(0).surface);
  }

 private:
  int32_t key_;
};

struct Options {
  std::vector<std::string> files;  // CODE OLD NEW [OUT]
  std::optional<int32_t> time, duration, frames;
  std::string frames_dir;
  TWipeRequest request;
  uint32_t seed = 0;
  int32_t key = 0;  // the identification code of scrambled mask pictures
};

// nullopt after printing what is wrong.
std::optional<Options> Parse(const std::vector<std::string>& args) {
  Options o;
  const auto number = [&](std::size_t& i) -> std::optional<int32_t> {
    if (i + 1 >= args.size()) return std::nullopt;
    return ParseInt32(args[++i]);
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::optional<int32_t> n;
    bool ok = true;
    if (a == "--reverse") {
      o.request.reverse = true;
    } else if (a == "--t") {
      ok = (o.time = number(i)).has_value();
    } else if (a == "--duration") {
      ok = (o.duration = number(i)).has_value();
    } else if (a == "--p0") {
      ok = (o.request.p0 = number(i)).has_value();
    } else if (a == "--p1") {
      ok = (o.request.p1 = number(i)).has_value();
    } else if (a == "--seed") {
      ok = (n = number(i)).has_value();
      if (ok) o.seed = static_cast<uint32_t>(*n);
    } else if (a == "--key") {
      ok = (n = number(i)).has_value();
      if (ok) o.key = *n;
    } else if (a == "--mask" && i + 1 < args.size()) {
      o.request.mask_name = args[++i];
    } else if (a == "--frames") {
      ok = (o.frames = number(i)).has_value() && *o.frames > 0 && i + 1 < args.size();
      if (ok) o.frames_dir = args[++i];
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      ok = false;
    } else {
      o.files.push_back(a);
    }
    if (!ok) {
      std::cerr << "rivotool wipe: bad option " << a << "\n" << kUsage;
      return std::nullopt;
    }
  }
  const std::size_t wanted = o.frames ? 3 : 4;
  std::optional<int32_t> code = o.files.empty() ? std::nullopt : ParseInt32(o.files[0]);
  if (o.files.size() != wanted || !code || !o.duration || (!o.frames && !o.time)) {
    std::cerr << kUsage;
    return std::nullopt;
  }
  o.request.code = *code;
  o.request.duration = *o.duration;
  return o;
}

}  // namespace

int RunWipe(const std::vector<std::string>& args) {
  const std::optional<Options> o = Parse(args);
  if (!o) return 1;
  const std::unique_ptr<TDIBX> old_picture = ReadScreenPicture(o->files[1]);
  const std::unique_ptr<TDIBX> new_picture = ReadScreenPicture(o->files[2]);
  if (old_picture->Width() != new_picture->Width() ||
      old_picture->Height() != new_picture->Height()) {
    std::cerr << "rivotool wipe: the two pictures differ in size\n";
    return 2;
  }
  if (o->request.mask_name && !std::filesystem::exists(*o->request.mask_name)) {
    std::cerr << "rivotool wipe: " << *o->request.mask_name << ": no such mask picture\n";
    return 2;
  }
  TWipeDefaults defaults;
  defaults.SetScreenSize(old_picture->Width(), old_picture->Height());
  const PictureFileMasks masks(o->key);
  TDIBX screen;
  screen.SetSize(old_picture->Width(), old_picture->Height(), 32);
  std::unique_ptr<TCustomWipe> wipe = StartWipe(o->request, defaults, screen, *new_picture,
                                                *old_picture, TWipeEnvironment{&masks, o->seed});
  if (!wipe) {
    std::cerr << "rivotool wipe: code " << o->request.code << " plays no transition\n";
    return 2;
  }
  // The frame at t; once the wipe is done the screen shows the new picture.
  const auto frame = [&](int32_t t) {
    wipe->SetTime(t);
    if (wipe->Step()) screen.Assign(*new_picture);
    return WritePictureFile(screen.Store(), TPictureFormat::kPng);
  };
  if (!o->frames) {
    WriteFile(o->files[3], frame(*o->time));
    return 0;
  }
  std::filesystem::create_directories(o->frames_dir);
  for (int32_t i = 0; i < *o->frames; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "frame%04d.png", i);
    WriteFile(std::filesystem::path(o->frames_dir) / name,
              frame(static_cast<int32_t>(int64_t{i} * wipe->Duration() / *o->frames)));
  }
  return 0;
}

}  // namespace rivo::tools
