#pragma once
// A game save entry read for looking at, without a running game: the
// screen into a screen of the saved size, the interpreter into its record,
// the variables and tables into stores of their own. Where the interpreter
// stands (page, command, line) and the current command's state record need
// the game's pages: they are read from the game when it can be found.

#include <memory>
#include <optional>
#include <string>

#include "objects/rivo_base_list.h"
#include "scenario/game_save.h"
#include "scenario/interpreter_record.h"
#include "script/db_manager.h"
#include "script/param_collection.h"

namespace rivo {
class TVrFileManager;
}

namespace rivo::tools {

struct SavedGame {
  GameSaveHeader header;
  TRivoBaseList screen;
  InterpreterRecord interpreter;
  std::optional<int32_t> line;  // of the command the interpreter stands on
  // The sections after the interpreter; absent when the current command's
  // state record could not be read (its page is not in the game).
  std::unique_ptr<TParamCollection> variables;
  std::unique_ptr<TDBManager> tables;
  std::string problem;  // why a part is missing
};

// Reads entry; pages come from files (nullptr: no game). Throws RivoError
// for damaged data before the interpreter.
std::unique_ptr<SavedGame> ReadSavedGame(const std::string& entry, const std::string& name, TVrFileManager* files);

}  // namespace rivo::tools
