// rivotool save ls SAVE.DAT [--json]: every game save with its caption,
// version, load page and load index, and the status entry's version and
// variables. rivotool save dump SAVE.DAT SLOT|status [--json]: one entry's
// sections. Save files are what players send with bug reports; this reads
// them without a game.

#include "tools/save_command.h"

#include <cstdio>
#include <iostream>
#include <optional>

#include "common/byte_reader.h"
#include "common/encoding.h"
#include "scenario/save_file.h"
#include "scenario/status_data.h"
#include "scenario/status_part.h"
#include "scenario/variable_dump.h"
#include "script/db_manager.h"
#include "script/db_table.h"
#include "script/param_collection.h"

namespace rivo::tools {

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

// The header every game save starts with.
struct GameHeader {
  int32_t version = 0;
  std::string caption, load_page;
  int32_t load_index = 0;
};

GameHeader ReadHeader(const std::string& entry, const std::string& name) {
  ByteReader in(entry, name);
  GameHeader h;
  h.version = in.I32();
  h.caption = in.String();
  h.load_page = in.String();
  h.load_index = in.I32();
  return h;
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

void PrintHeader(const std::string& name, const GameHeader& h, bool json) {
  if (json) {
    std::cout << "{\"entry\": " << Json(name) << ", \"slot\": " << *SaveFile::SlotOf(name)
              << ", \"version\": " << h.version << ", \"caption\": " << Json(h.caption)
              << ", \"load_page\": " << Json(h.load_page) << ", \"load_index\": " << h.load_index << "}";
  } else {
    std::cout << "slot " << *SaveFile::SlotOf(name) << "\tversion " << h.version << "\t" << Cp932ToUtf8(h.caption);
    if (!h.load_page.empty()) std::cout << "\tload page " << Cp932ToUtf8(h.load_page) << " at " << h.load_index;
    std::cout << "\n";
  }
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
  std::cerr << "usage: rivotool save ls SAVE.DAT [--json] | save dump SAVE.DAT SLOT|status [--json]\n";
  return 1;
}

int List(SaveFile& file, bool json) {
  if (json) std::cout << "{\"saves\": [";
  bool first = true;
  for (const std::string& name : file.EntryNames()) {
    if (!SaveFile::SlotOf(name)) continue;
    if (json) std::cout << (first ? "\n  " : ",\n  ");
    first = false;
    PrintHeader(name, ReadHeader(*file.Entry(name), name), json);
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

int Dump(SaveFile& file, const std::string& which, bool json) {
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
  PrintHeader(SaveFile::GameEntryName(*slot), ReadHeader(*entry, SaveFile::GameEntryName(*slot)), json);
  if (json) std::cout << "\n";
  return 0;
}

}  // namespace

int RunSave(const std::vector<std::string>& args) {
  bool json = false;
  std::vector<std::string> words;
  for (const std::string& a : args) {
    if (a == "--json") json = true;
    else words.push_back(a);
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
    return action == "ls" ? List(file, json) : Dump(file, words[2], json);
  } catch (const std::exception& e) {
    std::cerr << "rivotool: " << e.what() << "\n";
    return 3;
  }
}

}  // namespace rivo::tools
