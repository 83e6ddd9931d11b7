#include "host/player_parts.h"

#include "host/game_files.h"
#include "host/player_context.h"
#include "platform/platform.h"

namespace rivo {
namespace {

// Whether the game folder holds anything a project could come from.
bool LooksLikeGame(const GameLocation& game) {
  for (const std::filesystem::path& source : game.sources) {
    std::error_code ec;
    if (!std::filesystem::is_directory(source, ec)) return true;  // a game.dat or an .exe
    if (FindInFolder(source, "rivo.rpb") || FindInFolder(source, "game.dat")) return true;
  }
  return false;
}

}  // namespace

std::unique_ptr<ContentStage> PlayerParts::CreateFileManager(PlayerContext&) {
  return std::make_unique<ContentStage>();
}

std::unique_ptr<PlayerPart> PlayerParts::CreateVariables(PlayerContext&) { return std::make_unique<PlayerPart>(); }

std::unique_ptr<PlayerPart> PlayerParts::CreateSystemFunctions(PlayerContext&) {
  return std::make_unique<PlayerPart>();
}

std::unique_ptr<ScreenStage> PlayerParts::CreateScreen(PlayerContext&) { return std::make_unique<ScreenStage>(); }

// Until the project loader exists no game can start: say so plainly.
std::unique_ptr<ProjectStage> PlayerParts::CreateProject(PlayerContext& ctx) {
  ctx.Terminating = true;
  if (LooksLikeGame(ctx.game))
    ctx.platform->Boxes().Show("警告", "rivoplay cannot play this game yet: it has no project loader.",
                               MessageButtons::kOk, MessageIcon::kWarning);
  else
    ctx.platform->Boxes().Show("警告", "プロジェクトがありません (" + ctx.game.folder.string() + ")",
                               MessageButtons::kOk, MessageIcon::kWarning);
  return nullptr;
}

std::unique_ptr<MediaStage> PlayerParts::CreateMedia(PlayerContext&, int32_t, int32_t) {
  return std::make_unique<MediaStage>();
}

}  // namespace rivo
