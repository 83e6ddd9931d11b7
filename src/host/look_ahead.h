#pragma once
// LookAhead: reads and decodes, on a thread of its own, the pictures the
// game is likely to show soon, so that the tick that shows them only takes
// the finished frames (and reads and compiles the page files it will run,
// and reads and parses the MIDI files it will play, the same way).
//
// Guessing what comes next: the pages the interpreter opened last (the
// running page, the pages on the call stack, which go on when it returns,
// and the page opened before, so that an event handler's visit does not
// throw away its caller's pictures) name, as constants in their code,
// pictures, music and further pages. Those pages are read and compiled too
// and followed, breadth first, `depth` steps deep; the work goes in the
// order the game will want it (the opened pages' music and pictures, then
// each further level's pages, music and pictures) while the decoded pixels
// fit within `budget` bytes (music is small and not counted). Before the
// first page runs, the project file's start page is the guess.
//
// The first scene: before the first frame the player waits (a bounded time)
// until the pictures of the start page and of the pages it goes on to are
// decoded, so that the game's first screen shows at once rather than after
// a tick that decodes it on the player thread. Until then the worker works
// at normal rank; from then on it yields to the player.
//
// The game observes nothing of this: the image cache gains a picture at the
// same tick as without it, with the same pixels (the same bytes through the
// same decoder, checked by where the file lies at the moment of taking); a
// page compiled here is the page the interpreter would compile from the same
// file, never run, and music parsed here the sequence the MIDI player would
// parse from it (both checked by origin too); whatever failed here is simply
// not offered, so that the player's own load reports it. What the plan no
// longer names is dropped, and read again when a later plan names it.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "graphics/prepared_pictures.h"
#include "host/look_ahead_store.h"
#include "host/look_ahead_watcher.h"
#include "media/prepared_music.h"
#include "platform/background_thread.h"
#include "scenario/page_references.h"

namespace rivo {

class TVrFileManager;

class LookAhead : public TPreparedPictures, public TPreparedMusic {
 public:
  struct Limits {
    int64_t budget = int64_t{48} << 20;  // decoded pixels
    int32_t depth = 2;                   // steps from the opened pages
  };

  // files must outlive this object; it reads them from its own thread
  // through TVrFileManager::ReadWithOrigin.
  LookAhead(TVrFileManager& files, Limits limits);
  explicit LookAhead(TVrFileManager& files) : LookAhead(files, Limits{}) {}
  // Stops the thread, waiting for the file it is working on.
  ~LookAhead() override;
  LookAhead(const LookAhead&) = delete;
  LookAhead& operator=(const LookAhead&) = delete;

  // Starts the thread once the game's files are mounted.
  void Start();
  // Set before Start; watcher must outlive this object.
  void SetWatcher(LookAheadWatcher* watcher) { watcher_ = watcher; }

  // The player thread's side, at start-up: waits until the first plan's
  // pictures of the start page and the pages it goes on to are decoded (or
  // could not be), or until deadline; false when the time ran out.
  bool AwaitFirstScene(std::chrono::steady_clock::time_point deadline);
  // From now on the worker yields to the player.
  void YieldToPlayer() { rank_.Ask(); }
  // The player thread's side. callers: the pages waiting on the call
  // stack, the latest first.
  void PageOpened(std::string_view name, std::span<const std::string_view> callers = {});
  // A page (or other file) read ahead, exactly as TVrFileManager would read it now.
  std::optional<std::string> TakeFile(std::string_view name);
  // A page read ahead, as TakeFile would give it, compiled, named name.
  std::unique_ptr<TPage> TakePage(std::string_view name);
  bool OffersSequence(std::string_view name) override;
  std::unique_ptr<TMidiV> TakeSequence(std::string_view name) override;
  std::optional<TPreparedPicture> TakePrepared(const std::string& name, int32_t identification_code) override;
  // Back into the store with the file's origin and code of the decoding; the
  // plan made anew (the cache lets go of the file) keeps or drops it.
  void GiveBack(const std::string& name, TPreparedPicture picture) override;
  // A picture the cache lets go of may be wanted again: the plan is made anew.
  void SetHeld(const std::string& name, bool held) override;
  // Pictures and files handed over so far (for diagnostics and tests).
  int32_t Served() const { return served_; }
  // The worker has worked through its latest plan (for tests).
  bool Idle();

 private:
  void Run();
  // Reads the project file: the identification code and the start page.
  void ReadProject();
  // Plans from the opened pages and works through the plan until it is
  // done, the budget is full or the pages change.
  void Work(const std::vector<std::string>& roots);
  // The constant names of a page, read once (nothing when it cannot be read).
  const PageReferences* References(const std::string& page);
  // Reads and compiles a page into the store: its constant names, nothing
  // when it cannot be read.
  std::optional<PageReferences> ReadPage(const std::string& page);
  // Reads and parses a MIDI file into the store (nothing when it cannot be read).
  void ReadMusic(const std::string& name);
  // Decodes a claimed picture into the store; false when the budget is full.
  bool Decode(const std::string& name);
  bool Interrupted() const { return stopping_ || replan_; }
  // The player thread's side: a stored file taken out, when its file still
  // lies where it was read from.
  std::optional<LookAheadStore::File> TakeCurrent(std::string_view name);
  // Under lock_: the pictures the player waits for at start-up are done.
  void FirstSceneDone();

  TVrFileManager& files_;
  const Limits limits_;
  LookAheadStore store_;
  LookAheadWatcher* watcher_ = nullptr;
  std::optional<int32_t> identification_code_;  // the worker's own
  // The pictures handed to the cache, by lower-case name: where their files
  // lay and the code they were decoded with (the player thread's own).
  std::map<std::string, std::pair<std::string, int32_t>, std::less<>> handed_;
  std::map<std::string, std::optional<PageReferences>, std::less<>> pages_;  // the worker's own

  std::mutex lock_;
  std::condition_variable wake_, first_scene_;
  bool first_scene_done_ = false;  // under lock_
  BackgroundWhenAsked rank_;
  std::vector<std::string> roots_;  // under lock_: the page opened last, its callers, the page before
  std::string opened_, before_;     // under lock_: the page opened last and the other one before it
  std::atomic<bool> replan_{false};
  bool working_ = false;  // under lock_
  std::atomic<bool> stopping_{false};
  std::atomic<int32_t> served_{0};
  std::thread worker_;
  ThreadTime worker_time_;  // the worker's processor time, read by the player
};

}  // namespace rivo
