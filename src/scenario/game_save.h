#pragma once
// A game save entry ("GAMESAVEDATA" + slot): the header (version, caption,
// load page, load index), then the screen with all objects and queued
// events, the message history, the interpreter, the game variables and
// the tables of the game. Written with version 138; read from version 107
// on, each section gating its older layouts by the version.
//
// Loading never leaves a game half loaded by damaged data: CheckGameSave
// first reads the whole entry into scratch parts of its own, and only an
// entry that read through is loaded into the running game.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/error.h"
#include "scenario/interpreter_record.h"

namespace rivo {

class ByteReader;
class SavePart;
class TCallMan;
class TDBManager;
class TPage;
class TParamCollection;
class TRivoBaseList;

constexpr int32_t kGameSaveVersion = 138;
constexpr int32_t kOldestGameSaveVersion = 107;

struct GameSaveHeader {
  int32_t version = kGameSaveVersion;
  std::string caption;
  std::string load_page;  // run first after loading; empty: none
  int32_t load_index = 0;
};

GameSaveHeader ReadGameSaveHeader(ByteReader& in);

// The running game a save is made from and loaded into. variables and
// tables may be nullptr: their sections are then written empty and skipped.
struct GameSaveParts {
  TRivoBaseList& screen;
  SavePart& history;
  TCallMan& calls;
  TParamCollection* variables = nullptr;
  TDBManager* tables = nullptr;
};

// The entry for header (its version is ignored: the entry is written with
// kGameSaveVersion).
std::string WriteGameSave(const GameSaveHeader& header, const GameSaveParts& parts);

// A save older than the player reads.
class SaveTooOld : public RivoError {
 public:
  using RivoError::RivoError;
};

// What a check found, for the load that follows.
struct CheckedGameSave {
  GameSaveHeader header;
  // The pages it names, in the page cache.
  std::shared_ptr<TPage> page, load_page;
  std::size_t screen_at = 0;     // where the screen section starts
  InterpreterRecord interpreter;
  std::size_t variables_at = 0;  // where the variables section starts
};

// Reads the whole entry without changing the running game (the screen,
// variables and tables into scratch copies; the current command's state
// by a private copy of its page); only the page cache takes the pages the
// save names. Throws SaveTooOld for a version below
// 107, and LoadError (or the file manager's error for a missing page) for
// a newer version and for damaged data.
CheckedGameSave CheckGameSave(std::string_view entry, const GameSaveParts& parts);

// Loads a checked entry into the running game: the screen, the history,
// the interpreter, the load page, the variables and the tables.
void LoadGameSave(std::string_view entry, CheckedGameSave checked, const GameSaveParts& parts);

}  // namespace rivo
