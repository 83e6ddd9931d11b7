#pragma once
// A game of loose files in a temporary folder, for the look-ahead loader's
// tests: the file manager reads them from its base folder.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <thread>
#include <utility>

#include "content/vr_file_manager.h"
#include "host/look_ahead.h"
#include "platform/private_temp_folder.h"
#include "scenario/scenario_fixtures.h"

namespace rivo::test {

struct LooseGame {
  PrivateTempFolder dir;
  TVrFileManager files{dir.Path() / "temp", dir.Path() / "mounts"};

  LooseGame() {
    std::filesystem::create_directories(dir.Path() / "temp");
    std::filesystem::create_directories(dir.Path() / "game");
    Write(dir.Path() / "mounts", "");
    files.MountArchive({});
    files.SetBaseFolder(dir.Path() / "game");
  }
  static void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  void Put(const std::string& name, const std::string& bytes) { Write(dir.Path() / "game" / name, bytes); }
  // Pages compiled from their listings, by name.
  void PutPages(std::initializer_list<std::pair<const char*, const char*>> pages) {
    for (const auto& [name, listing] : pages) Put(name, PageBytes(listing));
  }
};

// Waits (without a time limit of its own: the test runner has one) until
// the worker has worked through what it was told.
inline void Settle(LookAhead& ahead) {
  while (!ahead.Idle()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

}  // namespace rivo::test
