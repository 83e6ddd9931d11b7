#include "tools/picture_args.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>

#include "common/error.h"
#include "common/sjis.h"
#include "content/memory_stream.h"
#include "scenario/project_file.h"
#include "tools/archive_source.h"

namespace rivo::tools {
namespace {

constexpr const char* kProjectFile = "rivo.rpb";

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The project file of a game folder: loose (any case), else inside game.dat.
std::string ReadProjectBytes(const std::filesystem::path& game) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(game, ec)) {
    if (sjis::SameText(entry.path().filename().string(), kProjectFile))
      if (auto bytes = ReadWholeFile(entry.path())) return *bytes;
  }
  for (const auto& entry : std::filesystem::directory_iterator(game, ec)) {
    if (!sjis::SameText(entry.path().filename().string(), "game.dat")) continue;
    TVrFileCollection archive;
    OpenArchiveSource(archive, entry.path());
    if (const TVrFile* file = archive.Find(kProjectFile)) {
      TQnMemoryStream content;
      archive.ReadArchiveEntry(content, *file);
      return std::string(content.View());
    }
  }
  throw RivoError(game.string() + ": no rivo.rpb in the game");
}

}  // namespace

PictureArgs ParsePictureArgs(const std::vector<std::string>& args,
                             const std::vector<std::string>& value_options,
                             const std::vector<std::string>& flag_options) {
  PictureArgs out;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 2 || a.compare(0, 2, "--") != 0) {
      out.files.push_back(a);
    } else if (std::find(value_options.begin(), value_options.end(), a) != value_options.end()) {
      if (i + 1 == args.size()) {
        out.error = a + " needs a value";
        return out;
      }
      out.options[a] = args[++i];
    } else if (std::find(flag_options.begin(), flag_options.end(), a) != flag_options.end()) {
      out.options[a] = "";
    } else {
      out.error = "unknown option " + a;
      return out;
    }
  }
  return out;
}

std::optional<int64_t> IntegerOption(const PictureArgs& args, const std::string& option, int64_t fallback) {
  const auto at = args.options.find(option);
  if (at == args.options.end()) return fallback;
  const std::string& text = at->second;
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

int32_t PictureKey(const PictureArgs& args) {
  if (args.Has("--game")) {
    const std::string bytes = ReadProjectBytes(args.options.at("--game"));
    return ProjectFile::Read(bytes, kProjectFile).identification_code;
  }
  const std::optional<int64_t> key = IntegerOption(args, "--key", 0);
  if (!key || *key < INT32_MIN || *key > UINT32_MAX) throw RivoError("--key needs a 32-bit integer");
  return static_cast<int32_t>(static_cast<uint32_t>(*key));
}

void ReadPictureFrames(TOrbaFrameList& list, const std::filesystem::path& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) throw RivoError(path.string() + ": cannot open");
  list.LoadPicture(*bytes, path.filename().string());
}

}  // namespace rivo::tools
