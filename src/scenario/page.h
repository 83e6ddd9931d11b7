#pragma once
// TPage: one compiled scenario page (".rsb"): its version, the kind of value
// it returns when called, the property masks of the object-creating
// commands, and its commands in file order (a command's index is its
// position, "pc").

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "scenario/command.h"

namespace rivo {

class TParamCollection;

// A page older than the oldest version the player reads: the game must be
// rebuilt with a newer authoring tool.
class PageNeedsRebuild : public RivoError {
 public:
  explicit PageNeedsRebuild(const std::string& name_cp932);
};

class TPage {
 public:
  static constexpr int32_t kOldestVersion = 103;
  static constexpr int32_t kNewestVersion = 112;
  static constexpr int32_t kMaskBytes = 21;  // 168 bits, enough for every property id

  // variables: the store whose page variable (0x01 + the page name) goes
  // with the page; may be nullptr.
  explicit TPage(TParamCollection* variables = nullptr);
  TPage(const TPage&) = delete;
  TPage& operator=(const TPage&) = delete;
  ~TPage();

  // A page compiled with no store (ahead of time, on another thread) joins
  // the store its page variable goes with, before it first runs.
  void AttachVariables(TParamCollection* variables) { variables_ = variables; }

  // Reads a page file. A version above the newest leaves the page empty; a
  // version below the oldest raises PageNeedsRebuild; damaged data raises
  // LoadError naming the page.
  void LoadFromBytes(std::string_view bytes, std::string name);
  // The page file: the same bytes LoadFromBytes read, for every page it read.
  std::string SaveToBytes();

  std::string Name;
  int32_t Version = 104;
  uint8_t ReturnType = 1;

  // The mask table as stored: count entries of size bytes each. The masks
  // the commands use are the first 21 bytes of the first 61 entries.
  void SetMaskTable(int32_t count, int32_t size, std::string bytes);
  int32_t MaskCount() const { return mask_count_; }
  int32_t MaskSize() const { return mask_size_; }
  const std::string& MaskBytes() const { return mask_bytes_; }
  bool HasProperty(uint8_t code, int32_t id) const;

  int32_t Count() const { return static_cast<int32_t>(commands_.size()); }
  TCommand& operator[](int32_t index) const { return *commands_[static_cast<std::size_t>(index)]; }
  bool Holds(int32_t index) const { return index >= 0 && index < Count(); }
  void Append(std::unique_ptr<TCommand> command) { commands_.push_back(std::move(command)); }
  void ClearCommands() { commands_.clear(); }
  int32_t IndexOfLabel(std::string_view name) const;

 private:
  TParamCollection* variables_;
  int32_t mask_count_ = 0;
  int32_t mask_size_ = 0;
  std::string mask_bytes_;
  std::array<std::array<uint8_t, kMaskBytes>, 61> masks_{};
  std::vector<std::unique_ptr<TCommand>> commands_;
};

}  // namespace rivo
