#pragma once
// LookAheadStore: what the look-ahead loader has read and decoded, waiting
// for the player thread to take it. The loader's worker fills it; the
// player takes each picture or page file once (the image cache and the
// interpreter keep their own copies from then on). Every call locks, so the
// two threads may call at any time.
//
// Decoded pixels stay within a budget: the worker's plan lists what it
// wants most first, and whatever the plan no longer names, or names beyond
// the budget, is dropped. A picture under way (claimed, not yet finished)
// makes a player who asks for it wait, within its patience: the worker is
// already doing the work the player would do.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/orba_collection.h"
#include "media/midi_v.h"
#include "scenario/page.h"

namespace rivo {

class LookAheadStore {
 public:
  struct Picture {
    TPreparedPicture frames;
    std::string origin;  // where the file lay (TVrFileManager::Origin)
    int32_t identification_code = 0;
  };
  struct File {
    std::string bytes;
    std::string origin;
    // A page file compiled from bytes (never run, tied to no variables);
    // none for other files.
    std::unique_ptr<TPage> page;
    // A MIDI file parsed from bytes; none for other files.
    std::unique_ptr<TMidiV> sequence;
  };

  // Decoded pixels, masks included.
  static int64_t PixelBytes(const TPreparedPicture& frames);

  // The worker's side.
  // Marks the picture as under way; false when the image cache holds it, or
  // it is stored or under way already.
  bool Claim(const std::string& name);
  // Ends a Claim: keeps the picture when it fits within budget, else drops
  // it and answers false (the budget is full); forgets a failure (nothing).
  // A player waiting for it goes on.
  bool Finish(const std::string& name, std::optional<Picture> picture, int64_t budget);
  void PutFile(const std::string& name, File file);
  // The player's side: a picture taken and given back, kept like a
  // finished one (the worker's next Keep judges it), or, where the store
  // has one of the name already, dropped at the next Keep. Either way its
  // memory is freed by the worker, never by the player.
  void PutBack(const std::string& name, Picture picture);
  // Neither stored nor ever taken: a file a plan dropped.
  bool FileWanted(const std::string& name) const;
  // Keeps the stored pictures the plan names, in the plan's order, while
  // they fit within budget, and the files it names; drops the rest.
  void Keep(const std::vector<std::string>& pictures, const std::vector<std::string>& files, int64_t budget);
  int64_t Bytes() const;

  // How often a taker with patience asks whether the worker gets on.
  static constexpr std::chrono::microseconds kProgressStep{500};

  // The player's side: the picture or file taken out, nothing when it is
  // not stored. A picture under way is waited for, up to patience where one
  // is given: a worker that has not finished by then is short of processor
  // time (it runs at background rank, behind every busy program), and the
  // player does better to decode the picture itself. getting_on, where
  // given, is asked every kProgressStep of waiting whether the worker has
  // had the processor since it was last asked: a worker that has not is
  // starved, and waiting on for it only delays the player's own decoding.
  // The worker's late result is dropped.
  std::optional<Picture> TakePicture(const std::string& name,
                                     std::optional<std::chrono::microseconds> patience = std::nullopt,
                                     const std::function<bool()>& getting_on = {});
  std::optional<File> TakeFile(const std::string& name);
  // Where the stored file of a parsed sequence lay; nothing when none is stored.
  std::optional<std::string> SequenceOrigin(const std::string& name) const;
  // The image cache holds the file's pictures (counted: "name" and its
  // masked twin are two entries of one file).
  void SetHeld(const std::string& name, bool held);

 private:
  struct Slot {
    bool busy = true;
    std::optional<Picture> picture;
    int64_t bytes = 0;
  };

  mutable std::mutex lock_;
  std::condition_variable finished_;
  // Keys are the names with single-byte letters folded, as content names compare.
  std::map<std::string, Slot, std::less<>> pictures_;
  std::map<std::string, File, std::less<>> files_;
  std::set<std::string, std::less<>> files_taken_;  // the player keeps its own copies of these
  std::map<std::string, int32_t, std::less<>> held_;
  std::vector<Picture> surplus_;  // given back with one of the name stored: freed by Keep
  int64_t bytes_ = 0;
};

}  // namespace rivo
