#include "text/rivo_hist_data.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/numbers.h"
#include "common/sjis.h"

namespace rivo {

void TRivoHistData::AddBlock(std::string_view page_name, int32_t command_position, int32_t start, int32_t end,
                             int32_t height, std::string_view recorded_values) {
  Block block;
  if (blocks_.empty() || !sjis::SameText(BlockPageName(Count() - 1), page_name)) block.PageName = page_name;
  block.CommandPosition = command_position;
  block.StartPosition = start;
  block.EndPosition = end;
  block.Height = height;
  block.RecordedValues = recorded_values;
  blocks_.push_back(std::move(block));
  total_height_ = WrapAdd(total_height_, height);
}

std::string TRivoHistData::BlockPageName(int32_t index) const {
  for (int32_t i = std::min(index, Count() - 1); i >= 0; --i)
    if (!blocks_[static_cast<std::size_t>(i)].PageName.empty()) return blocks_[static_cast<std::size_t>(i)].PageName;
  return {};
}

void TRivoHistData::Clear() {
  blocks_.clear();
  total_height_ = 0;
}

void TRivoHistData::SaveToStream(ByteWriter& out) const {
  out.I32(Count());
  for (const Block& b : blocks_) {
    out.String(b.PageName);
    out.I32(b.CommandPosition);
    out.I32(b.StartPosition);
    out.I32(b.EndPosition);
    out.I32(b.Height);
    out.String(b.RecordedValues);
  }
  out.I32(total_height_);
}

void TRivoHistData::LoadFromStream(ByteReader& in, int32_t version) {
  Clear();
  const bool values = version >= kRecordedValuesSinceVersion;
  std::size_t count = in.Count(in.I32(), values ? 6 * 4 : 5 * 4);
  std::vector<Block> blocks(count);
  for (Block& b : blocks) {
    b.PageName = in.String();
    b.CommandPosition = in.I32();
    b.StartPosition = in.I32();
    b.EndPosition = in.I32();
    b.Height = in.I32();
    if (values) b.RecordedValues = in.String();
  }
  total_height_ = in.I32();
  blocks_ = std::move(blocks);
}

}  // namespace rivo
