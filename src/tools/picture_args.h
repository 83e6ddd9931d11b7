#pragma once
// What rivotool convert and imginfo share: options that may stand before or
// after the file names, the key of scrambled layered images (--key K, or
// --game DIR for the game's own identification code), and reading a picture
// file of any kind into frames.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "graphics/orba_frame_list.h"

namespace rivo::tools {

struct PictureArgs {
  std::vector<std::string> files;
  // Options with a value ("--key" -> "12345"); flags map to "".
  std::map<std::string, std::string> options;
  std::string error;  // a usage error, empty when the arguments parse

  bool Has(const std::string& option) const { return options.count(option) != 0; }
};

// value_options take the next argument; flag_options stand alone.
PictureArgs ParsePictureArgs(const std::vector<std::string>& args,
                             const std::vector<std::string>& value_options,
                             const std::vector<std::string>& flag_options);

// An integer option, or fallback when absent; nullopt when it does not parse.
std::optional<int64_t> IntegerOption(const PictureArgs& args, const std::string& option, int64_t fallback);

// The key from --key or --game (the identification code in the game's
// "rivo.rpb", loose or in its "game.dat"); 0 without either. Throws
// RivoError when the game or its project file cannot be read.
int32_t PictureKey(const PictureArgs& args);

// The file's frames: a bitmap, PNG or layered image, recognised by its
// first bytes. Throws RivoError for unreadable or damaged files.
void ReadPictureFrames(TOrbaFrameList& list, const std::filesystem::path& path);

}  // namespace rivo::tools
