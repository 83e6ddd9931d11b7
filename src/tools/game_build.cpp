// rivotool build SRCDIR OUTDIR [--pack]: a whole game from its sources.
// "rivo.rpb.txt" (the project description) becomes "rivo.rpb", every
// "NAME.rsb.txt" (a page source) becomes "NAME.rsb", every other file is
// copied; with --pack everything goes into OUTDIR/game.dat instead.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "common/encoding.h"
#include "common/error.h"
#include "common/sjis.h"
#include "scenario/page.h"
#include "scenario/page_source.h"
#include "scenario/project_source.h"
#include "tools/archive_commands.h"
#include "tools/page_commands.h"

namespace rivo::tools {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSourceSuffix = ".txt";

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw RivoError(path.string() + ": cannot be read");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw RivoError(path.string() + ": cannot be written");
}

// What is made from a source gets the source's time, which the archive
// keeps: the same sources pack into the same game.dat.
void KeepTime(const fs::path& source, const fs::path& made) { fs::last_write_time(made, fs::last_write_time(source)); }

// The labels of the game's other pages, from their sources.
class SourcePageLabels : public PageLabels {
 public:
  void Add(std::string name, std::string source) { sources_[sjis::UpperCase(name)] = std::move(source); }

  std::optional<int32_t> IndexOf(std::string_view page, std::string_view label) override {
    TPage* p = Load(page);
    if (!p) return std::nullopt;
    int32_t index = p->IndexOfLabel(label);
    return index >= 0 ? std::optional<int32_t>(index) : std::nullopt;
  }
  std::optional<std::string> LabelAt(std::string_view, int32_t) override { return std::nullopt; }

 private:
  // Targets into further pages do not move labels, so a page is read here
  // with every such target left at 0.
  struct NoLabels : PageLabels {
    std::optional<int32_t> IndexOf(std::string_view, std::string_view) override { return 0; }
    std::optional<std::string> LabelAt(std::string_view, int32_t) override { return std::nullopt; }
  };

  TPage* Load(std::string_view page) {
    std::string key = sjis::UpperCase(page);
    auto source = sources_.find(key);
    if (source == sources_.end()) return nullptr;
    std::unique_ptr<TPage>& slot = pages_[key];
    if (!slot) {
      slot = std::make_unique<TPage>();
      NoLabels none;
      AssemblePage(source->second, *slot, std::string(page), &none);
    }
    return slot.get();
  }

  std::map<std::string, std::string> sources_;
  std::map<std::string, std::unique_ptr<TPage>> pages_;
};

bool EndsWith(const std::string& s, std::string_view suffix) {
  return s.size() > suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void Build(const fs::path& src, const fs::path& out) {
  struct Page {
    fs::path target;
    std::string name, source;
    fs::path from;  // the listing
  };
  std::vector<Page> pages;
  SourcePageLabels labels;
  bool has_project = false;
  for (auto it = fs::recursive_directory_iterator(src); it != fs::recursive_directory_iterator(); ++it) {
    if (!it->is_regular_file()) continue;
    fs::path relative = it->path().lexically_relative(src);
    std::string file = relative.filename().string();
    std::string lower = sjis::LowerCase(file);
    if (lower == "rivo.rpb.txt") {
      try {
        WriteBytes(out / relative.parent_path() / "rivo.rpb", ParseProjectSource(ReadText(it->path())).Write());
        KeepTime(it->path(), out / relative.parent_path() / "rivo.rpb");
      } catch (const RivoError& e) {
        throw RivoError(it->path().string() + ": " + e.what(), e);
      }
      has_project = true;
    } else if (EndsWith(lower, std::string(".rsb") + std::string(kSourceSuffix))) {
      fs::path target = out / relative.parent_path() / file.substr(0, file.size() - kSourceSuffix.size());
      std::string name = Utf8ToCp932(target.filename().string());
      std::string source = ReadText(it->path());
      labels.Add(name, source);
      pages.push_back({target, name, std::move(source), it->path()});
    } else {
      fs::create_directories((out / relative).parent_path());
      fs::copy_file(it->path(), out / relative, fs::copy_options::overwrite_existing);
      KeepTime(it->path(), out / relative);
    }
  }
  if (!has_project) throw RivoError(src.string() + ": no rivo.rpb.txt (the project description)");
  for (Page& page : pages) {
    TPage built;
    try {
      AssemblePage(page.source, built, page.name, &labels);
    } catch (const RivoError& e) {
      throw RivoError(page.target.filename().string() + std::string(kSourceSuffix) + ": " + e.what(), e);
    }
    WriteBytes(page.target, built.SaveToBytes());
    KeepTime(page.from, page.target);
  }
}

}  // namespace

int GameBuild(const std::vector<std::string>& args) {
  std::vector<std::string> paths;
  bool pack = false;
  for (const std::string& arg : args) {
    if (arg == "--pack") pack = true;
    else paths.push_back(arg);
  }
  if (paths.size() != 2) {
    std::cerr << "usage: rivotool build SRCDIR OUTDIR [--pack]\n";
    return 1;
  }
  const fs::path src = paths[0], out = paths[1];
  if (!fs::is_directory(src)) throw RivoError(src.string() + ": no such folder");
  fs::create_directories(out);
  if (!pack) {
    Build(src, out);
    return 0;
  }
  fs::path staging = out / ".rivotool-build";
  fs::remove_all(staging);
  try {
    Build(src, staging);
    int code = ArchivePack({staging.string(), (out / "game.dat").string()});
    fs::remove_all(staging);
    return code;
  } catch (...) {
    fs::remove_all(staging);
    throw;
  }
}

}  // namespace rivo::tools
