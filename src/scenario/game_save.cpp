#include "scenario/game_save.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "objects/rivo_base_list.h"
#include "scenario/call_man.h"
#include "scenario/empty_history.h"
#include "scenario/save_part.h"
#include "script/db_manager.h"
#include "script/param_collection.h"

namespace rivo {
namespace {

const char* const kEntryName = "GAMESAVEDATA";

// Tables joined the game save after version 122.
bool HasTables(int32_t version) { return version > 122; }

}  // namespace

GameSaveHeader ReadGameSaveHeader(ByteReader& in) {
  GameSaveHeader h;
  h.version = in.I32();
  h.caption = in.String();
  h.load_page = in.String();
  h.load_index = in.I32();
  return h;
}

std::string WriteGameSave(const GameSaveHeader& header, const GameSaveParts& parts) {
  ByteWriter out;
  out.I32(kGameSaveVersion);
  out.String(header.caption);
  out.String(header.load_page);
  out.I32(header.load_index);
  parts.screen.SaveToStream(out);
  parts.history.SaveToStream(out);
  parts.calls.SaveToStream(out);
  if (parts.variables) parts.variables->SaveGameSection(out);
  else TParamCollection().SaveGameSection(out);
  if (parts.tables) parts.tables->SaveToStream(out, 0);
  else TDBManager().SaveToStream(out, 0);
  return out.Take();
}

CheckedGameSave CheckGameSave(std::string_view entry, const GameSaveParts& parts) {
  ByteReader in(entry, kEntryName);
  CheckedGameSave checked;
  const int32_t version = in.I32();
  if (version < kOldestGameSaveVersion)
    throw SaveTooOld("セーブファイルの形式が古いため読めません\r\nsave.dat を削除してから実行してください");
  if (version > kGameSaveVersion)
    in.Fail("version " + std::to_string(version) + " is newer than this player reads");
  in.Seek(0);
  checked.header = ReadGameSaveHeader(in);

  checked.screen_at = in.Position();
  {
    // The scratch screen only checks the records, but objects such as
    // button captions need the glyph cache to read theirs.
    TRivoBaseList screen;
    screen.SetGlyphs(parts.screen.Glyphs());
    screen.SetWidth(parts.screen.GetWidth());
    screen.SetHeight(parts.screen.GetHeight());
    screen.LoadFromStream(in, version);
  }
  EmptyHistory().LoadFromStream(in, version);
  checked.interpreter = ReadInterpreterRecord(
      in, version, [&](const InterpreterRecord& r, ByteReader& at) { return parts.calls.ReadCommandState(r, at); });
  checked.variables_at = in.Position();
  TParamCollection().LoadGameSection(in, version);
  if (HasTables(version)) TDBManager().LoadFromStream(in, 0);
  if (!checked.interpreter.page.empty()) checked.page = parts.calls.GetPage(checked.interpreter.page, true);
  if (!checked.header.load_page.empty()) checked.load_page = parts.calls.GetPage(checked.header.load_page, true);
  return checked;
}

void LoadGameSave(std::string_view entry, CheckedGameSave checked, const GameSaveParts& parts) {
  const int32_t version = checked.header.version;
  TCallMan& calls = parts.calls;
  ByteReader in(entry, kEntryName);
  in.Seek(checked.screen_at);
  parts.screen.LoadFromStream(in, version);
  parts.history.LoadFromStream(in, version);
  calls.Restore(std::move(checked.interpreter), std::move(checked.page));
  if (checked.load_page) calls.RunLoadPage(std::move(checked.load_page), checked.header.load_index);
  in.Seek(checked.variables_at);
  if (parts.variables) parts.variables->LoadGameSection(in, version);
  else TParamCollection().LoadGameSection(in, version);
  if (!HasTables(version)) return;
  if (parts.tables) parts.tables->LoadFromStream(in, 0);
  else TDBManager().LoadFromStream(in, 0);
}

}  // namespace rivo
