#include "host/look_ahead.h"

#include <algorithm>
#include <chrono>
#include <set>
#include <utility>

#include "common/sjis.h"
#include "content/vr_file_manager.h"
#include "graphics/orba_frame_list.h"
#include "platform/background_thread.h"
#include "scenario/page.h"
#include "scenario/project_file.h"

namespace rivo {
namespace {

constexpr std::string_view kProjectFile = "rivo.rpb";

// Appends name unless a name equal but for the case of single-byte letters is in seen.
bool AddOnce(std::vector<std::string>& names, std::set<std::string, std::less<>>& seen, const std::string& name) {
  if (!seen.insert(sjis::LowerCase(name)).second) return false;
  names.push_back(name);
  return true;
}

}  // namespace

LookAhead::LookAhead(TVrFileManager& files, Limits limits) : files_(files), limits_(limits) {}

LookAhead::~LookAhead() {
  {
    std::lock_guard hold(lock_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void LookAhead::Start() {
  if (worker_.joinable()) return;
  worker_ = std::thread([this] { Run(); });
  worker_time_ = ThreadTime(worker_);
}

bool LookAhead::AwaitFirstScene(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock hold(lock_);
  return first_scene_.wait_until(hold, deadline, [&] { return first_scene_done_ || stopping_; });
}

void LookAhead::FirstSceneDone() {
  first_scene_done_ = true;
  first_scene_.notify_all();
}

void LookAhead::PageOpened(std::string_view name, std::span<const std::string_view> callers) {
  {
    std::lock_guard hold(lock_);
    // A page jumping to itself keeps the page before it.
    if (!sjis::SameText(opened_, name)) before_ = std::exchange(opened_, std::string(name));
    std::vector<std::string> roots{opened_};
    const auto add = [&](std::string_view page) {
      const bool known = std::any_of(roots.begin(), roots.end(), [&](const auto& root) { return sjis::SameText(root, page); });
      if (!page.empty() && !known) roots.emplace_back(page);
    };
    // A deep recursion names few pages; a deep stack of many is not all near.
    constexpr std::size_t kMostCallers = 8;
    for (std::string_view caller : callers) {
      if (roots.size() > kMostCallers) break;
      add(caller);
    }
    add(before_);
    if (roots == roots_) return;
    roots_ = std::move(roots);
    replan_ = true;
  }
  wake_.notify_one();
}

std::optional<LookAheadStore::File> LookAhead::TakeCurrent(std::string_view name) {
  std::optional<LookAheadStore::File> file = store_.TakeFile(std::string(name));
  if (!file || files_.Origin(name) != file->origin) return std::nullopt;
  return file;
}

std::optional<std::string> LookAhead::TakeFile(std::string_view name) {
  std::optional<LookAheadStore::File> file = TakeCurrent(name);
  if (!file) return std::nullopt;
  ++served_;
  return std::move(file->bytes);
}

std::unique_ptr<TPage> LookAhead::TakePage(std::string_view name) {
  std::optional<LookAheadStore::File> file = TakeCurrent(name);
  if (!file || !file->page) return nullptr;
  ++served_;
  // The plan may spell the name in another case than the interpreter asks with.
  file->page->Name = std::string(name);
  return std::move(file->page);
}

bool LookAhead::OffersSequence(std::string_view name) {
  const std::optional<std::string> origin = store_.SequenceOrigin(std::string(name));
  return origin && files_.Origin(name) == origin;
}

std::unique_ptr<TMidiV> LookAhead::TakeSequence(std::string_view name) {
  std::optional<LookAheadStore::File> file = TakeCurrent(name);
  if (!file || !file->sequence) return nullptr;
  ++served_;
  return std::move(file->sequence);
}

std::optional<TPreparedPicture> LookAhead::TakePrepared(const std::string& name, int32_t identification_code) {
  // About what the player takes to decode a full-screen picture itself; and
  // only while the worker gets at least a quarter of the time waited (one
  // that has a core to itself uses all of it).
  constexpr std::chrono::milliseconds kPatience{4};
  std::optional<std::chrono::nanoseconds> seen = worker_time_.Now();
  const auto getting_on = [&] {
    const std::optional<std::chrono::nanoseconds> now = worker_time_.Now();
    const bool on = !now || !seen || *now - *seen >= LookAheadStore::kProgressStep / 4;
    seen = now;
    return on;
  };
  std::optional<LookAheadStore::Picture> picture = store_.TakePicture(name, kPatience, getting_on);
  if (!picture || picture->identification_code != identification_code) return std::nullopt;
  if (files_.Origin(name) != picture->origin) return std::nullopt;
  ++served_;
  handed_.insert_or_assign(sjis::LowerCase(name), std::pair(std::move(picture->origin), picture->identification_code));
  return std::move(picture->frames);
}

void LookAhead::GiveBack(const std::string& name, TPreparedPicture picture) {
  const auto handed = handed_.find(sjis::LowerCase(name));
  if (handed == handed_.end()) return;  // not from here: freed as it goes
  store_.PutBack(name, {std::move(picture), std::move(handed->second.first), handed->second.second});
  handed_.erase(handed);
}

void LookAhead::SetHeld(const std::string& name, bool held) {
  store_.SetHeld(name, held);
  if (held) return;
  {
    std::lock_guard hold(lock_);
    if (roots_.empty()) return;
    replan_ = true;
  }
  wake_.notify_one();
}

bool LookAhead::Idle() {
  std::lock_guard hold(lock_);
  return !replan_ && !working_;
}

void LookAhead::Run() {
  ReadProject();
  for (;;) {
    std::vector<std::string> roots;
    {
      std::unique_lock hold(lock_);
      working_ = false;
      // Without a start page there is no plan to wait for; a plan broken
      // off ends the wait too.
      if (!replan_) FirstSceneDone();
      wake_.wait(hold, [&] { return stopping_ || replan_; });
      if (stopping_) return;
      replan_ = false;
      working_ = true;
      roots = roots_;
    }
    rank_.Apply();
    try {
      Work(roots);
    } catch (const std::exception&) {
      // Out of memory, most likely: looking ahead is a help, never a need.
    }
  }
}

void LookAhead::ReadProject() {
  try {
    std::optional<TVrFileManager::FileWithOrigin> file = files_.ReadWithOrigin(kProjectFile);
    if (!file) return;
    const ProjectFile project = ProjectFile::Read(file->bytes, std::string(kProjectFile));
    identification_code_ = project.identification_code;
    std::lock_guard hold(lock_);
    // The interpreter may have opened its first page already.
    if (!roots_.empty() || project.start_page.empty()) return;
    roots_.push_back(project.start_page);
    replan_ = true;
  } catch (const std::exception&) {
    // The player reads the project itself and says what is wrong with it.
  }
}

void LookAhead::Work(const std::vector<std::string>& roots) {
  // The plan, level by level: the pages depth steps from the opened ones
  // and the pictures and music they are the first to name.
  std::vector<std::vector<std::string>> level_pages, level_pictures, level_music;
  std::vector<std::string> pictures, files;  // the whole plan: files are pages and music
  std::vector<std::string> pages;            // the pages among them, for the watcher
  std::set<std::string, std::less<>> pictures_seen, pages_seen, music_seen;
  std::vector<std::string> level;
  for (const std::string& root : roots) AddOnce(level, pages_seen, root);
  for (int32_t depth = 0; !level.empty(); ++depth) {
    std::vector<std::string> next;
    std::vector<std::string>& named = level_pictures.emplace_back();
    std::vector<std::string>& music = level_music.emplace_back();
    for (const std::string& page : level) {
      if (Interrupted()) return;
      pages.push_back(page);
      files.push_back(page);
      const PageReferences* references = References(page);
      if (!references) continue;
      for (const std::string& picture : references->pictures)
        if (AddOnce(pictures, pictures_seen, picture)) named.push_back(picture);
      for (const std::string& tune : references->music)
        if (AddOnce(files, music_seen, tune)) music.push_back(tune);
      if (depth < limits_.depth)
        for (const std::string& further : references->pages) AddOnce(next, pages_seen, further);
    }
    level_pages.push_back(std::move(level));
    level = std::move(next);
  }
  if (watcher_) watcher_->Planned(pages);
  store_.Keep(pictures, files, limits_.budget);
  // In the order the game will want them: the opened pages' music and
  // pictures, then each further level's pages (read again where an earlier
  // plan dropped them), music and pictures. Music is small and quick to
  // read, and starts with the scene that shows the pictures.
  for (std::size_t depth = 0; depth < level_pages.size(); ++depth) {
    for (const std::string& page : level_pages[depth]) {
      if (Interrupted()) return;
      if (depth > 0 && References(page) && store_.FileWanted(page)) ReadPage(page);
    }
    for (const std::string& tune : level_music[depth]) {
      if (Interrupted()) return;
      if (store_.FileWanted(tune)) ReadMusic(tune);
    }
    if (!identification_code_) continue;
    for (const std::string& picture : level_pictures[depth]) {
      if (Interrupted()) return;
      rank_.Apply();
      if (!store_.Claim(picture)) continue;
      if (!Decode(picture)) return;  // the budget is full
    }
    // The start page's pictures and those of the pages it goes on to.
    if (depth == 1) {
      std::lock_guard hold(lock_);
      FirstSceneDone();
    }
  }
}

const PageReferences* LookAhead::References(const std::string& page) {
  const std::string key = sjis::LowerCase(page);
  if (const auto known = pages_.find(key); known != pages_.end()) return known->second ? &*known->second : nullptr;
  const auto stored = pages_.emplace(key, ReadPage(page)).first;
  return stored->second ? &*stored->second : nullptr;
}

std::optional<PageReferences> LookAhead::ReadPage(const std::string& page) {
  try {
    if (std::optional<TVrFileManager::FileWithOrigin> file = files_.ReadWithOrigin(page)) {
      auto parsed = std::make_unique<TPage>();
      parsed->LoadFromBytes(file->bytes, page);
      PageReferences references = FindPageReferences(*parsed);
      if (watcher_) watcher_->PageRead(page, *parsed);
      store_.PutFile(page, {std::move(file->bytes), std::move(file->origin), std::move(parsed), nullptr});
      return references;
    }
  } catch (const std::exception&) {
    // A damaged page is the interpreter's to report when it runs it.
  }
  return std::nullopt;
}

void LookAhead::ReadMusic(const std::string& name) {
  try {
    if (std::optional<TVrFileManager::FileWithOrigin> file = files_.ReadWithOrigin(name)) {
      auto sequence = std::make_unique<TMidiV>();
      sequence->Load({reinterpret_cast<const uint8_t*>(file->bytes.data()), file->bytes.size()});
      store_.PutFile(name, {std::move(file->bytes), std::move(file->origin), nullptr, std::move(sequence)});
    }
  } catch (const std::exception&) {
    // The player's own read reports a damaged entry.
  }
}

bool LookAhead::Decode(const std::string& name) {
  std::optional<LookAheadStore::Picture> picture;
  try {
    if (std::optional<TVrFileManager::FileWithOrigin> file = files_.ReadWithOrigin(name)) {
      std::string origin = std::move(file->origin);
      TOrbaFrameList list(*identification_code_);
      list.LoadPicture(file->bytes, name);
      file.reset();  // freed before the frames are made, as the cache's own load does
      picture.emplace(
          LookAheadStore::Picture{TOrbaCollection::Prepare(list), std::move(origin), *identification_code_});
    }
  } catch (const std::exception&) {
    // The player's own load reports what is wrong with the file.
    picture.reset();
  }
  return store_.Finish(name, std::move(picture), limits_.budget);
}

}  // namespace rivo
