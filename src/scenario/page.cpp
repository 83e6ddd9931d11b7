#include "scenario/page.h"

#include <algorithm>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "scenario/command_factory.h"
#include "scenario/record_io.h"
#include "script/param_collection.h"

namespace rivo {
namespace {

// The common header after the type byte: the smallest a record can be.
constexpr std::size_t kHeaderBytes = 4 + 1 + 1 + 4;

}  // namespace

PageNeedsRebuild::PageNeedsRebuild(const std::string& name_cp932)
    : RivoError("%s\r\nリビルドしてください", name_cp932) {}

TPage::TPage(TParamCollection* variables) : variables_(variables) {}

TPage::~TPage() {
  commands_.clear();
  // The page's own variable goes with it.
  if (variables_ && !Name.empty())
    if (TParamCollectionItem* own = variables_->Find("\x01" + Name)) variables_->Delete(*own);
}

void TPage::SetMaskTable(int32_t count, int32_t size, std::string bytes) {
  mask_count_ = count;
  mask_size_ = size;
  mask_bytes_ = std::move(bytes);
  for (auto& mask : masks_) mask.fill(0);
  const std::size_t used = static_cast<std::size_t>(std::min(size, kMaskBytes));
  for (int32_t i = 0; i < count && i < static_cast<int32_t>(masks_.size()); ++i)
    std::copy_n(mask_bytes_.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(size), used,
                masks_[static_cast<std::size_t>(i)].begin());
}

bool TPage::HasProperty(uint8_t code, int32_t id) const {
  if (code >= masks_.size() || id < 0 || id >= kMaskBytes * 8) return false;
  return (masks_[code][static_cast<std::size_t>(id / 8)] >> (id % 8)) & 1;
}

void TPage::LoadFromBytes(std::string_view bytes, std::string name) {
  commands_.clear();
  Name = std::move(name);
  ByteReader in(bytes, Name);
  int32_t version = in.I32();
  if (version > kNewestVersion) return;  // made by a newer tool: nothing here can be trusted
  if (version < kOldestVersion) throw PageNeedsRebuild(Name);
  Version = version;
  uint8_t return_type = in.U8();
  if (return_type > 4) in.Fail("return type " + std::to_string(return_type) + " is not 0..4");
  ReturnType = return_type;
  int32_t count = in.I32();
  int32_t size = in.I32();
  if (count < 0 || size < 0) in.Fail("negative mask table size");
  std::string mask_bytes = in.Bytes(in.Count(static_cast<int64_t>(count) * size));
  SetMaskTable(count, size, std::move(mask_bytes));

  std::size_t command_count = in.Count(in.I32(), 1 + kHeaderBytes);
  std::vector<std::unique_ptr<TCommand>> commands;
  commands.reserve(command_count);
  RecordReader fields(in, Version);
  for (std::size_t i = 0; i < command_count; ++i) {
    uint8_t type = in.U8();
    std::unique_ptr<TCommand> command;
    try {
      command = CreateCommand(*this, type);
    } catch (const RivoError& e) {
      in.Fail("command " + std::to_string(i) + ": type " + std::to_string(type) + ": " + e.what());
    }
    command->TypeByte = type;
    command->Depth = in.I32();
    command->Disabled = in.U8();
    command->Continue = in.U8();
    command->Line = in.I32();
    command->Fields(fields);
    commands.push_back(std::move(command));
  }
  commands_ = std::move(commands);
}

std::string TPage::SaveToBytes() {
  ByteWriter out;
  out.I32(Version);
  out.U8(ReturnType);
  out.I32(mask_count_);
  out.I32(mask_size_);
  out.Bytes(mask_bytes_);
  out.I32(Count());
  RecordWriter fields(out, Version);
  for (auto& command : commands_) {
    out.U8(command->TypeByte);
    out.I32(command->Depth);
    out.U8(command->Disabled);
    out.U8(command->Continue);
    out.I32(command->Line);
    command->Fields(fields);
  }
  return out.Take();
}

int32_t TPage::IndexOfLabel(std::string_view name) const {
  for (std::size_t i = 0; i < commands_.size(); ++i)
    if (commands_[i]->MatchesLabel(name)) return static_cast<int32_t>(i);
  return -1;
}

}  // namespace rivo
