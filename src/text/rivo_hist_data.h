#pragma once
// TRivoHistData: a list of text blocks, each a reference to part of the
// text a TextIns command put into a window: the page file and the command's
// position, the range of source positions, the block's height in pixels and
// the variable values recorded when it was shown. A message window holds
// one block for inserted text; the history groups blocks into its pages.
//
// A page name is stored once per run of equal names (ignoring case): a block
// whose name repeats the last named one stores the empty string.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rivo {

class ByteReader;
class ByteWriter;

// Saves from this version on carry the recorded values of each block.
constexpr int32_t kRecordedValuesSinceVersion = 124;

class TRivoHistData {
 public:
  struct Block {
    std::string PageName;  // as stored: empty when it repeats the last name
    int32_t CommandPosition = 0;
    int32_t StartPosition = 0;
    int32_t EndPosition = 0;
    int32_t Height = 0;
    std::string RecordedValues;
  };

  void AddBlock(std::string_view page_name, int32_t command_position, int32_t start, int32_t end, int32_t height,
                std::string_view recorded_values);
  // The name that applies to block index: the last non-empty one at or before it.
  std::string BlockPageName(int32_t index) const;
  void Clear();

  int32_t Count() const { return static_cast<int32_t>(blocks_.size()); }
  bool Empty() const { return blocks_.empty(); }
  const Block& operator[](int32_t index) const { return blocks_[static_cast<std::size_t>(index)]; }
  Block& operator[](int32_t index) { return blocks_[static_cast<std::size_t>(index)]; }
  int32_t TotalHeight() const { return total_height_; }

  void SaveToStream(ByteWriter& out) const;
  // version: the save's version. Damage raises LoadError.
  void LoadFromStream(ByteReader& in, int32_t version);

 private:
  std::vector<Block> blocks_;
  int32_t total_height_ = 0;
};

}  // namespace rivo
