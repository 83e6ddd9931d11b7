#pragma once
// The few files the host itself looks for in the game folder ("game.ini",
// "rivoplay.log", and whether there is a project at all). The games were
// made on Windows, where names ignore case, so the folder is scanned when
// the exact name is absent. Everything else is found by the file manager.

#include <filesystem>
#include <optional>
#include <string_view>

namespace rivo {

// The entry of folder (file or folder) whose name equals name ignoring the
// case of ASCII letters; the exact name is preferred.
std::optional<std::filesystem::path> FindInFolder(const std::filesystem::path& folder, std::string_view name);

}  // namespace rivo
