#pragma once
// Reading and writing command records in the page file's byte layout.

#include <cstdint>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "scenario/record_fields.h"

namespace rivo {

class RecordReader : public RecordFields {
 public:
  RecordReader(ByteReader& in, int32_t version) : in_(in), version_(version) {}
  int32_t Version() const override { return version_; }
  void Expression(const char* key, TRivoParser& expression) override;
  void Expressions(const char* key, ExpressionList& list) override;
  void String(const char* key, std::string& text) override;
  void Int(const char* key, int32_t& value) override;
  void Byte(const char* key, uint8_t& value) override;
  void Target(const char* key, int32_t& index, TargetKind kind) override;
  void Bytes(const char* key, std::string& bytes) override;
  void Properties(PropertySlots& slots) override;

 private:
  ByteReader& in_;
  int32_t version_;
};

class RecordWriter : public RecordFields {
 public:
  RecordWriter(ByteWriter& out, int32_t version) : out_(out), version_(version) {}
  int32_t Version() const override { return version_; }
  void Expression(const char* key, TRivoParser& expression) override;
  void Expressions(const char* key, ExpressionList& list) override;
  void String(const char* key, std::string& text) override;
  void Int(const char* key, int32_t& value) override;
  void Byte(const char* key, uint8_t& value) override;
  void Target(const char* key, int32_t& index, TargetKind kind) override;
  void Bytes(const char* key, std::string& bytes) override;
  void Properties(PropertySlots& slots) override;

 private:
  ByteWriter& out_;
  int32_t version_;
};

}  // namespace rivo
