#pragma once
// Where an archive lies in its container: at the start of a stand-alone file
// (with its directory possibly in a ".ext" side file), at the position named
// by an executable's trailer (int32 start + "rv"), or in the executable's
// "DUMMY" resource of type "BINTYPE".

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "content/big_stream.h"

namespace rivo {

inline constexpr std::string_view kArchiveResourceType = "BINTYPE";
inline constexpr std::string_view kArchiveResourceName = "DUMMY";

// ".exe" or ".scr", any case.
bool IsExecutableName(const std::filesystem::path& path);
// The same path with the extension ".ext".
std::filesystem::path SideFilePath(const std::filesystem::path& path);

// The archive start named by the trailer of an executable. Throws LoadError
// (naming name_cp932) when the file has no "rv" trailer or the start lies
// outside 0 .. size - 6.
int64_t AppendedArchiveStart(TQnBigStream& file, const std::string& name_cp932);

// What the host checks before mounting an executable: the file ends with
// the "rv" marker; its resource archive ends with "vf".
bool HasAppendedArchive(const std::filesystem::path& path);
bool HasResourceArchive(const std::filesystem::path& path);

}  // namespace rivo
