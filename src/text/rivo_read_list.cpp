#include "text/rivo_read_list.h"

#include <algorithm>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "common/sjis.h"

namespace rivo {

bool TRivoReadList::IsRead(std::string_view page_name, int32_t command_position, int32_t page_index) const {
  auto it = index_.find(sjis::UpperCase(page_name));
  if (it == index_.end()) return false;
  const auto& marks = items_[it->second].marks;
  return std::find(marks.begin(), marks.end(), std::pair{command_position, page_index}) != marks.end();
}

void TRivoReadList::SetPending(std::string_view window_name, std::string_view page_name, int32_t page_index,
                               int32_t command_position) {
  pending_ = {std::string(page_name), command_position, page_index, std::string(window_name)};
}

void TRivoReadList::Commit(std::string_view window_name) {
  if (pending_.page_name.empty() || pending_.window_name != window_name) return;
  Add(pending_.page_name, pending_.command_position, pending_.page_index);
  pending_ = {};
}

void TRivoReadList::Add(std::string_view page_name, int32_t command_position, int32_t page_index) {
  auto [it, added] = index_.try_emplace(sjis::UpperCase(page_name), items_.size());
  if (added) items_.push_back({std::string(page_name), {}});
  auto& marks = items_[it->second].marks;
  std::pair mark{command_position, page_index};
  if (std::find(marks.begin(), marks.end(), mark) == marks.end()) marks.push_back(mark);
}

void TRivoReadList::Clear() {
  items_.clear();
  index_.clear();
  pending_ = {};
}

void TRivoReadList::SaveToStream(ByteWriter& out) const {
  out.I32(static_cast<int32_t>(items_.size()));
  for (const Item& item : items_) {
    out.String(item.page_name);
    out.I32(static_cast<int32_t>(item.marks.size()));
    for (const auto& mark : item.marks) out.I32(mark.first);
    for (const auto& mark : item.marks) out.I32(mark.second);
  }
  out.String(pending_.page_name);
  out.I32(pending_.command_position);
  out.I32(pending_.page_index);
  out.String(pending_.window_name);
}

void TRivoReadList::LoadFromStream(ByteReader& in, int32_t version) {
  Clear();
  if (version < kReadListSinceVersion) return;
  try {
    Load(in);
  } catch (const LoadError&) {
    Clear();
    throw;
  }
}

void TRivoReadList::Load(ByteReader& in) {
  // The counts come from the user's files: each is checked against what
  // remains before anything is reserved. An item takes at least its name's
  // length and its pair count; a pair takes two int32. Items stored twice
  // under names differing in case are merged, and an item without pairs
  // (which marks nothing) is not kept.
  std::size_t items = in.Count(in.I32(), 8);
  for (std::size_t i = 0; i < items; ++i) {
    std::string name = in.String();
    std::size_t pairs = in.Count(in.I32(), 8);
    std::vector<int32_t> positions(pairs);
    for (int32_t& p : positions) p = in.I32();
    for (int32_t p : positions) Add(name, p, in.I32());
  }
  pending_.page_name = in.String();
  pending_.command_position = in.I32();
  pending_.page_index = in.I32();
  pending_.window_name = in.String();
}

}  // namespace rivo
