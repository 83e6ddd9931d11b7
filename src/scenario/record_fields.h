#pragma once
// RecordFields: the fields a command record holds after its common header,
// visited in the order they are stored. Each command lists its fields once
// (TCommand::Fields); reading a page, writing it, listing it as text and
// assembling it from text are four visitors over that one list, so the
// four can never disagree about a record's layout.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "script/property_table.h"
#include "script/rivo_parser.h"

namespace rivo {

// One expression slot per property id; a slot exists exactly when the
// page's mask for the command's type holds the id.
using PropertySlots = std::array<std::unique_ptr<TRivoParser>, kPropertyCount>;
using ExpressionList = std::vector<std::unique_ptr<TRivoParser>>;

// What a stored command index points at. The assembler computes the loop
// targets from the page's structure when a source leaves them out.
enum class TargetKind {
  kThisPage,   // a position in the same page
  kNamedPage,  // a position in the page named by the record's "page" field
  kLoopExit,   // While: the command after its loop
  kLoopStart,  // WhileLoop: its While
  kBreak,      // Break: the exit of the enclosing loop, -1 outside any loop
  kContinue,   // Continue: the WhileLoop of the enclosing loop
};

class RecordFields {
 public:
  virtual ~RecordFields() = default;
  // The page's version; fields that arrived in a later version are visited
  // only when it is at least that version.
  virtual int32_t Version() const = 0;
  virtual void Expression(const char* key, TRivoParser& expression) = 0;
  // An int32 count followed by that many expressions.
  virtual void Expressions(const char* key, ExpressionList& list) = 0;
  virtual void String(const char* key, std::string& text) = 0;
  virtual void Int(const char* key, int32_t& value) = 0;
  virtual void Byte(const char* key, uint8_t& value) = 0;
  virtual void Target(const char* key, int32_t& index, TargetKind kind) = 0;
  // An int32 count followed by that many bytes, kept as they are.
  virtual void Bytes(const char* key, std::string& bytes) = 0;
  // One expression per existing slot, in ascending id order.
  virtual void Properties(PropertySlots& slots) = 0;
};

}  // namespace rivo
