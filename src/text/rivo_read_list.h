#pragma once
// TRivoReadList: the pages a player has seen to the end. A page counts as
// read per (command position, page index) under its page name; the mark of
// the page a window is showing waits as "pending" until that window has
// revealed it whole. One list per player, kept with the status data.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace rivo {

class ByteReader;
class ByteWriter;

// Saves older than this carry no read marks.
constexpr int32_t kReadListSinceVersion = 100;

class TRivoReadList {
 public:
  bool IsRead(std::string_view page_name, int32_t command_position, int32_t page_index) const;
  void SetPending(std::string_view window_name, std::string_view page_name, int32_t page_index,
                  int32_t command_position);
  // Adds the pending mark when it belongs to this window, then drops it.
  void Commit(std::string_view window_name);
  void Clear();

  void SaveToStream(ByteWriter& out) const;
  // Replaces the list by the stored one (none before kReadListSinceVersion).
  // Damage raises LoadError and leaves the list empty.
  void LoadFromStream(ByteReader& in, int32_t version);

 private:
  struct Item {
    std::string page_name;
    std::vector<std::pair<int32_t, int32_t>> marks;  // (command position, page index)
  };
  struct Pending {
    std::string page_name;
    int32_t command_position = 0;
    int32_t page_index = 0;
    std::string window_name;
  };
  void Add(std::string_view page_name, int32_t command_position, int32_t page_index);
  void Load(ByteReader& in);

  std::vector<Item> items_;
  // Page names compare ignoring the case of single-byte letters, so the
  // index is keyed by the folded name.
  std::unordered_map<std::string, std::size_t> index_;
  Pending pending_;
};

}  // namespace rivo
