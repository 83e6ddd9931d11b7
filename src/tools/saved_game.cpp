#include "tools/saved_game.h"

#include "common/byte_reader.h"
#include "common/encoding.h"
#include "common/error.h"
#include "content/memory_stream.h"
#include "content/vr_file_manager.h"
#include "scenario/empty_history.h"
#include "scenario/page.h"

namespace rivo::tools {
namespace {

std::unique_ptr<TPage> LoadPage(TVrFileManager* files, const std::string& name) {
  if (!files || name.empty() || !files->Exists(name)) return nullptr;
  TQnMemoryStream stream;
  files->LoadToStream(stream, name);
  auto page = std::make_unique<TPage>(nullptr);
  page->LoadFromBytes(stream.ToString(), name);
  return page;
}

}  // namespace

std::unique_ptr<SavedGame> ReadSavedGame(const std::string& entry, const std::string& name, TVrFileManager* files) {
  auto game = std::make_unique<SavedGame>();
  ByteReader in(entry, name);
  game->header = ReadGameSaveHeader(in);
  const int32_t version = game->header.version;
  if (version < kOldestGameSaveVersion || version > kGameSaveVersion)
    in.Fail("version " + std::to_string(version) + " is outside " + std::to_string(kOldestGameSaveVersion) +
            ".." + std::to_string(kGameSaveVersion));
  // The screen of the save's own size.
  const std::size_t screen_at = in.Position();
  const int32_t width = in.I32(), height = in.I32();
  if (width < 1 || height < 1 || width > 16384 || height > 16384) in.Fail("screen size out of range");
  game->screen.SetWidth(width);
  game->screen.SetHeight(height);
  in.Seek(screen_at);
  game->screen.LoadFromStream(in, version);
  EmptyHistory().LoadFromStream(in, version);

  std::unique_ptr<TPage> page;
  bool state_read = true;
  game->interpreter = ReadInterpreterRecord(in, version, [&](const InterpreterRecord& r, ByteReader& at) {
    page = LoadPage(files, r.page);
    if (!page) {
      state_read = false;
      return std::optional<std::string>();
    }
    if (!page->Holds(r.pc)) return std::optional<std::string>();
    const std::size_t start = at.Position();
    (*page)[r.pc].LoadState(at);
    const std::size_t end = at.Position();
    at.Seek(start);
    return std::optional<std::string>(at.Bytes(end - start));
  });
  if (!page && !game->interpreter.page.empty() && state_read) page = LoadPage(files, game->interpreter.page);
  if (page && page->Holds(game->interpreter.pc)) game->line = (*page)[game->interpreter.pc].Line;
  if (!state_read) {
    game->problem = "the game's page " + Cp932ToUtf8(game->interpreter.page) +
                    " is needed to read past the interpreter (give --game DIR)";
    return game;
  }
  game->variables = std::make_unique<TParamCollection>();
  game->variables->LoadGameSection(in, version);
  game->tables = std::make_unique<TDBManager>();
  if (version > 122) game->tables->LoadFromStream(in, 0);
  return game;
}

}  // namespace rivo::tools
