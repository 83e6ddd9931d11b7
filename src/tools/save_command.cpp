// rivotool save ls SAVE.DAT [--json] [--game DIR]: every game save with its
// caption, version, load page and load index and where it stands (page,
// command and line), and the status entry's version and variables.
// rivotool save dump SAVE.DAT SLOT|status [--json] [--game DIR]: one
// entry's sections: the screen's objects and queued events, the
// interpreter with its frames, the variables and tables. Save files are
// what players send with bug reports; this reads them without running the
// game. The game's pages (DIR, by default the save file's folder: loose
// pages or its game.dat) give the lines, and are needed to read past the
// interpreter of a save that stands in a command with a state.

#include "tools/save_command.h"

#include <cstdio>
#include <iostream>
#include <optional>

#include "common/byte_reader.h"
#include "common/encoding.h"
#include "content/vr_file_manager.h"
#include "objects/object_dump.h"
#include "tools/saved_game.h"
#include "scenario/save_file.h"
#include "scenario/status_data.h"
#include "scenario/status_part.h"
#include "scenario/variable_dump.h"
#include "script/db_manager.h"
#include "script/db_table.h"
#include "script/param_collection.h"

namespace rivo::tools {

namespace fs = std::filesystem;

namespace {

std::string Json(const std::string& cp932) {
  std::string out = "\"";
  for (unsigned char c : Cp932ToUtf8(cp932)) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// The status entry loaded into parts of its own.
struct LoadedStatus {
  TParamCollection variables;
  TDBManager tables;
  KeptReadMarks read_marks;
  KeptImageCacheState image_cache;
  int32_t version = 0;

  explicit LoadedStatus(const std::string& entry) : version(StatusVersionOf(entry)) {
    ReadStatusEntry(entry, {&variables, &tables, &read_marks, &image_cache});
  }
};

// Where a save stands: "page command N line L" (the line when the page is
// in the game).
std::string Position(const SavedGame& g) {
  if (g.interpreter.page.empty()) return "nothing running";
  std::string text = Cp932ToUtf8(g.interpreter.page) + " command " + std::to_string(g.interpreter.pc);
  if (g.line) text += " line " + std::to_string(*g.line);
  return text;
}

void PrintHeader(const std::string& name, const SavedGame& g, bool json) {
  const GameSaveHeader& h = g.header;
  if (json) {
    std::cout << "{\"entry\": " << Json(name) << ", \"slot\": " << *SaveFile::SlotOf(name)
              << ", \"version\": " << h.version << ", \"caption\": " << Json(h.caption)
              << ", \"load_page\": " << Json(h.load_page) << ", \"load_index\": " << h.load_index
              << ", \"page\": " << Json(g.interpreter.page) << ", \"command\": " << g.interpreter.pc
              << ", \"line\": " << (g.line ? std::to_string(*g.line) : "null") << "}";
  } else {
    std::cout << "slot " << *SaveFile::SlotOf(name) << "\tversion " << h.version << "\t" << Cp932ToUtf8(h.caption);
    if (!h.load_page.empty()) std::cout << "\tload page " << Cp932ToUtf8(h.load_page) << " at " << h.load_index;
    std::cout << "\t" << Position(g) << "\n";
  }
}

std::string JsonArgs(const std::vector<std::string>& args) {
  std::string out = "[";
  for (std::size_t i = 0; i < args.size(); ++i) out += (i ? ", " : "") + Json(args[i]);
  return out + "]";
}

std::string FrameJson(const SavedFrame& saved) {
  const TStack& f = saved.frame;
  std::string out = "{\"page\": " + Json(f.PageName) + ", \"return_pc\": " + std::to_string(f.ReturnPc) +
                    ", \"started\": " + (f.Started ? "true" : "false") + ", \"run_on\": " +
                    (f.RunOn ? "true" : "false") + ", \"result\": " + Json(f.ResultVariable) +
                    ", \"args\": " + JsonArgs(f.Args) + ", \"sender\": " + Json(saved.sender) +
                    ", \"state_bytes\": " + std::to_string(f.StateStream ? f.StateStream->size() : 0) +
                    ", \"return_value\": ";
  out += f.ReturnValue ? Json(f.ReturnValue->AsStr()) : "null";
  return out + "}";
}

// The sections of a game save, as JSON in either form.
void PrintGame(const std::string& name, const SavedGame& g) {
  const InterpreterRecord& r = g.interpreter;
  std::cout << "{\"save\": ";
  PrintHeader(name, g, true);
  std::cout << ",\n\"screen\": {\"width\": " << g.screen.GetWidth() << ", \"height\": " << g.screen.GetHeight()
            << ", \"active_base\": " << g.screen.ActiveIndex() << ", " << DumpObjectsJson(g.screen).substr(1)
            << ",\n\"interpreter\": {\"page\": " << Json(r.page) << ", \"command\": " << r.pc << ", \"line\": "
            << (g.line ? std::to_string(*g.line) : "null") << ", \"started\": " << (r.started ? "true" : "false")
            << ", \"run_on\": " << (r.run_on ? "true" : "false") << ", \"state\": " << r.state
            << ", \"event_level\": " << r.event_level << ", \"sender\": " << Json(r.sender)
            << ", \"args\": " << JsonArgs(r.args) << ", \"command_state_bytes\": "
            << (r.command_state ? std::to_string(r.command_state->size()) : "null") << ", \"frames\": [";
  for (std::size_t i = 0; i < r.frames.size(); ++i) std::cout << (i ? ",\n  " : "\n  ") << FrameJson(r.frames[i]);
  std::cout << "]},\n\"variables\": " << (g.variables ? DumpVariablesJson(*g.variables) : "null")
            << ",\n\"tables\": [";
  if (g.tables)
    for (int32_t i = 0; i < g.tables->Count(); ++i)
      std::cout << (i ? ", " : "") << "{\"name\": " << Json((*g.tables)[i].Name())
                << ", \"records\": " << (*g.tables)[i].RecordCount() << "}";
  std::cout << "]";
  if (!g.problem.empty()) std::cout << ",\n\"problem\": " << Json(Utf8ToCp932(g.problem));
  std::cout << "}\n";
}

void PrintStatus(const LoadedStatus& s, bool json, bool whole) {
  if (json) {
    std::cout << "{\"version\": " << s.version << ", \"variables\": " << DumpVariablesJson(s.variables);
    if (whole) {
      std::cout << ", \"read_marks_bytes\": " << s.read_marks.Bytes().size()
                << ", \"image_cache_state\": " << int(s.image_cache.Value()) << ", \"tables\": [";
      for (int32_t i = 0; i < s.tables.Count(); ++i)
        std::cout << (i ? ", " : "") << "{\"name\": " << Json(s.tables[i].Name())
                  << ", \"records\": " << s.tables[i].RecordCount() << "}";
      std::cout << "]";
    }
    std::cout << "}";
    return;
  }
  std::cout << "status version " << s.version << "\nvariables: " << DumpVariablesJson(s.variables) << "\n";
  if (whole)
  {
    std::cout << "read marks: " << s.read_marks.Bytes().size() << " bytes\nimage cache state: "
              << int(s.image_cache.Value()) << "\n";
    for (int32_t i = 0; i < s.tables.Count(); ++i)
      std::cout << "table " << Cp932ToUtf8(s.tables[i].Name()) << ": " << s.tables[i].RecordCount() << " records\n";
  }
}

int Usage() {
  std::cerr << "usage: rivotool save ls SAVE.DAT [--json] [--game DIR] | "
               "save dump SAVE.DAT SLOT|status [--json] [--game DIR]\n";
  return 1;
}

int List(SaveFile& file, TVrFileManager& game, bool json) {
  if (json) std::cout << "{\"saves\": [";
  bool first = true;
  for (const std::string& name : file.EntryNames()) {
    if (!SaveFile::SlotOf(name)) continue;
    if (json) std::cout << (first ? "\n  " : ",\n  ");
    first = false;
    PrintHeader(name, *ReadSavedGame(*file.Entry(name), name, &game), json);
  }
  std::optional<std::string> status = file.Entry(SaveFile::kStatusEntry);
  if (json) {
    std::cout << "\n], \"status\": ";
    if (status) PrintStatus(LoadedStatus(*status), true, false);
    else std::cout << "null";
    std::cout << "}\n";
  } else if (status) {
    PrintStatus(LoadedStatus(*status), false, false);
  } else {
    std::cout << "no status data\n";
  }
  return 0;
}

int Dump(SaveFile& file, TVrFileManager& game, const std::string& which, bool json) {
  if (which == "status") {
    std::optional<std::string> status = file.Entry(SaveFile::kStatusEntry);
    if (!status) {
      std::cerr << "rivotool: the file holds no status data\n";
      return 3;
    }
    PrintStatus(LoadedStatus(*status), json, true);
    if (json) std::cout << "\n";
    return 0;
  }
  std::optional<int32_t> slot = SaveFile::SlotOf(std::string(SaveFile::kGameEntryPrefix) + which);
  std::optional<std::string> entry = slot ? file.Entry(SaveFile::GameEntryName(*slot)) : std::nullopt;
  if (!entry) {
    std::cerr << "rivotool: the file holds no game save in slot " << which << "\n";
    return 3;
  }
  const std::string name = SaveFile::GameEntryName(*slot);
  PrintGame(name, *ReadSavedGame(*entry, name, &game));
  return 0;
}

}  // namespace

int RunSave(const std::vector<std::string>& args) {
  bool json = false;
  std::optional<fs::path> game_folder;
  std::vector<std::string> words;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--json") json = true;
    else if (args[i] == "--game" && i + 1 < args.size()) game_folder = args[++i];
    else words.push_back(args[i]);
  }
  if (words.size() < 2) return Usage();
  const std::string& action = words[0];
  if (!((action == "ls" && words.size() == 2) || (action == "dump" && words.size() == 3))) return Usage();
  SaveFile file(words[1]);
  if (file.Open() != SaveFile::State::kReadable) {
    std::cerr << "rivotool: " << words[1] << " cannot be read"
              << (file.Problem().empty() ? std::string() : ": " + file.Problem()) << "\n";
    return 3;
  }
  try {
    // The game's pages: its folder with its loose files and its game.dat.
    const fs::path folder = game_folder.value_or(fs::path(words[1]).parent_path());
    TVrFileManager game(fs::temp_directory_path());
    game.MountArchive({});
    game.SetBaseFolder(folder.empty() ? fs::path(".") : folder);
    std::error_code error;
    if (fs::is_regular_file(folder / "game.dat", error)) game.MountArchive(folder / "game.dat");
    return action == "ls" ? List(file, game, json) : Dump(file, game, words[2], json);
  } catch (const std::exception& e) {
    std::cerr << "rivotool: " << e.what() << "\n";
    return 3;
  }
}

}  // namespace rivo::tools
