#include "scenario/record_io.h"

namespace rivo {

void RecordReader::Expression(const char*, TRivoParser& expression) { expression.LoadFromStream(in_); }

void RecordReader::Expressions(const char*, ExpressionList& list) {
  // Each expression takes at least its own int32 count.
  std::size_t count = in_.Count(in_.I32(), 4);
  list.clear();
  for (std::size_t i = 0; i < count; ++i) {
    list.push_back(std::make_unique<TRivoParser>());
    list.back()->LoadFromStream(in_);
  }
}

void RecordReader::String(const char*, std::string& text) { text = in_.String(); }
void RecordReader::Int(const char*, int32_t& value) { value = in_.I32(); }
void RecordReader::Byte(const char*, uint8_t& value) { value = in_.U8(); }
void RecordReader::Target(const char*, int32_t& index, TargetKind) { index = in_.I32(); }
void RecordReader::Bytes(const char*, std::string& bytes) { bytes = in_.Bytes(in_.Count(in_.I32())); }

void RecordReader::Properties(PropertySlots& slots) {
  for (auto& slot : slots)
    if (slot) slot->LoadFromStream(in_);
}

void RecordWriter::Expression(const char*, TRivoParser& expression) { expression.SaveToStream(out_); }

void RecordWriter::Expressions(const char*, ExpressionList& list) {
  out_.I32(static_cast<int32_t>(list.size()));
  for (auto& expression : list) expression->SaveToStream(out_);
}

void RecordWriter::String(const char*, std::string& text) { out_.String(text); }
void RecordWriter::Int(const char*, int32_t& value) { out_.I32(value); }
void RecordWriter::Byte(const char*, uint8_t& value) { out_.U8(value); }
void RecordWriter::Target(const char*, int32_t& index, TargetKind) { out_.I32(index); }

void RecordWriter::Bytes(const char*, std::string& bytes) {
  out_.I32(static_cast<int32_t>(bytes.size()));
  out_.Bytes(bytes);
}

void RecordWriter::Properties(PropertySlots& slots) {
  for (auto& slot : slots)
    if (slot) slot->SaveToStream(out_);
}

}  // namespace rivo
