#include "objects/save_screen.h"

#include "common/sjis.h"
#include "content/content_path_resolver.h"
#include "content/install_set.h"
#include "content/replace_file.h"
#include "content/vr_file_manager.h"
#include "objects/rivo_base_list.h"
#include "script/function_call.h"
#include "script/sys_func_man.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;

// Written files are compressed; memory entries are stored plain, as
// pictures the game will read again soon.
constexpr uint8_t kMemoryCompression = ORBA_RAW;
constexpr int kQuality = 70;

bool IsMemoryName(std::string_view name) { return name.size() >= 4 && sjis::SameText(name.substr(0, 4), "mem:"); }

// Where name lies under the game folder: an existing file of that name in
// any letter case, or a new one in an existing folder. Nothing for names
// that would lead elsewhere.
std::optional<fs::path> WritablePath(const fs::path& base, const std::string& name) {
  if (sjis::Find(name, "..") != std::string::npos) return std::nullopt;
  const std::optional<std::vector<std::string>> parts = TContentPathResolver::Components(name);
  if (!parts) return std::nullopt;
  TContentPathResolver resolver;
  if (std::optional<fs::path> existing = resolver.Resolve(base, name)) {
    if (fs::is_directory(*existing)) return std::nullopt;
    return existing;
  }
  fs::path folder = base;
  if (parts->size() > 1) {
    std::string parent;
    for (std::size_t i = 0; i + 1 < parts->size(); ++i) parent += (*parts)[i] + "\\";
    std::optional<fs::path> found = resolver.Resolve(base, parent);
    if (!found || !fs::is_directory(*found)) return std::nullopt;
    folder = *found;
  }
  return folder / TContentPathResolver::HostName(parts->back());
}

void HoldInMemory(TVrFileManager& files, const std::string& name, const std::string& bytes) {
  TVrFile* entry = files.FindEntry(name);
  if (!entry || !entry->Data) entry = &files.Source(0).AddMemoryEntry(name);
  entry->Data->Clear();
  entry->Data->Write(bytes.data(), static_cast<int64_t>(bytes.size()));
}

// The files the game made, as "install.dat" lists them (each name once).
void ListMadeFile(const fs::path& base, const std::string& name) {
  TContentPathResolver resolver;
  const std::optional<fs::path> path = resolver.Resolve(base, "install.dat");
  if (!path || !fs::is_regular_file(*path)) return;
  TRivoInstallSet set;
  set.LoadFromFile(*path);
  for (const std::string& made : set.MadeFiles)
    if (sjis::SameText(made, name)) return;
  set.MadeFiles.push_back(name);
  set.SaveToFile(*path);
}

}  // namespace

std::optional<TOrbaFrameList> ScreenPicture(TRivoBaseList& screen, bool back, int32_t width, int32_t height) {
  if (width < 1 || height < 1) return std::nullopt;
  TRivoBase& base = back ? screen.BackBase() : screen.ActiveBase();
  TDIBX composed;
  base.ComposeInto(composed);
  TDIBSurface picture = composed.Store();
  picture.SetBitCount(24);
  TOrbaFrameList list;
  TDIBSurface& frame = list.AddFrame().surface;
  frame.SetSize(screen.GetWidth(), screen.GetHeight(), 24);
  frame.Copy(0, 0, picture);
  if (width != frame.Width() || height != frame.Height()) frame.Resample(width, height, -1, true);
  return list;
}

bool SaveScreen(TRivoBaseList& screen, TVrFileManager& files, const SaveScreenRequest& request,
                const SaveScreenEffects& effects) {
  try {
    const fs::path& base = files.BaseFolder();
    if (!fs::is_directory(base) || !sjis::SameText(sjis::ExtractFileExt(request.name), ".orb")) return false;
    const int32_t width = request.width.value_or(0) == 0 ? screen.GetWidth() : *request.width;
    const int32_t height = request.height.value_or(0) == 0 ? screen.GetHeight() : *request.height;
    const bool in_memory = IsMemoryName(request.name);
    std::optional<fs::path> path;
    if (!in_memory && !(path = WritablePath(base, request.name))) return false;
    const std::optional<TOrbaFrameList> picture = ScreenPicture(screen, request.back, width, height);
    if (!picture) return false;
    if (in_memory)
      HoldInMemory(files, request.name, picture->SaveToStream(kMemoryCompression, kQuality));
    else
      ReplaceFile(*path, picture->SaveToStream());
    if (effects.forget_picture) effects.forget_picture(request.name);
    if (!in_memory && request.mode == 1 && effects.delete_at_end) effects.delete_at_end(*path);
    if (!in_memory && request.mode == 2) {
      // The picture is written whatever happens to the list.
      try {
        ListMadeFile(base, request.name);
      } catch (const std::exception&) {
      }
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

SaveScreenFunction::SaveScreenFunction(TSysFuncMan& functions, TRivoBaseList& screen, SaveScreenEffects effects)
    : functions_(functions) {
  functions_.SetExternalBody("SaveScreen", [&screen, effects = std::move(effects)](FunctionCall& call) {
    SaveScreenRequest request;
    request.name = call.Str(0);
    if (call.Has(1)) request.width = call.Int(1);
    if (call.Has(2)) request.height = call.Int(2);
    request.back = call.BoolOr(3, false);
    request.mode = call.IntOr(4, 0);
    TVrFileManager* files = call.functions.Files();
    call.dest.SetBool(files && SaveScreen(screen, *files, request, effects));
  });
}

SaveScreenFunction::~SaveScreenFunction() { functions_.SetExternalBody("SaveScreen", nullptr); }

}  // namespace rivo
