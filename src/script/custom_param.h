#pragma once
// TCustomParam: the value interface of every variable, literal and reference.
//
// A value is a scalar or a row-major array of one kind. Readers and writers
// name the kind they want (AsInt, SetStr, GetFloatAt ...) and the value
// converts (value_conversion.h). The base class answers one element of kind
// integer, zeros and empty strings, and ignores writes; the kinds override
// what they hold, references forward everything to their target.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "script/param_kind.h"

namespace rivo {

class ByteReader;
class ByteWriter;

// Arrays are refused above this many elements (they would ask for hundreds
// of megabytes): the limit turns a mistyped size into the array error
// instead of an exhausted machine.
constexpr int64_t kMaxArrayElements = int64_t{1} << 22;

class TCustomParam {
 public:
  TCustomParam() = default;
  TCustomParam(const TCustomParam&) = delete;
  TCustomParam& operator=(const TCustomParam&) = delete;
  virtual ~TCustomParam() = default;

  virtual int32_t GetCount() const { return 1; }
  virtual void SetCount(int32_t count) {}
  // The kind the value reads as (a reference reports its target's).
  virtual uint8_t GetKind() const { return PT_INT; }

  // Element 0, converted.
  virtual bool AsBool() const { return false; }
  virtual long double AsFloat() const { return 0; }
  virtual int32_t AsInt() const { return 0; }
  virtual std::string AsStr() const { return {}; }

  // Turn an array back into a scalar, then store into element 0.
  virtual void SetBool(bool value) {}
  virtual void SetFloat(long double value) {}
  virtual void SetInt(int32_t value) {}
  virtual void SetStr(std::string_view value) {}

  // Element index, converted; an index outside the elements raises
  // "配列の添字が不正です".
  virtual int32_t GetIntAt(int32_t index) const { return 0; }
  virtual void SetIntAt(int32_t index, int32_t value) {}
  virtual long double GetFloatAt(int32_t index) const { return 0; }
  virtual void SetFloatAt(int32_t index, long double value) {}
  virtual bool GetBoolAt(int32_t index) const { return false; }
  virtual void SetBoolAt(int32_t index, bool value) {}
  virtual std::string GetStrAt(int32_t index) const { return {}; }
  virtual void SetStrAt(int32_t index, std::string_view value) {}

  // The number of dimension sizes, 1 for a scalar; size k, 1 when k is out of range.
  virtual int32_t DimCount() const { return 1; }
  virtual int32_t DimSize(int32_t k) const { return 1; }
  // The dimension sizes themselves (empty for a scalar).
  virtual std::vector<int32_t> DimSizes() const { return {}; }

  // Copies shape and elements; from a value of another class the elements
  // are converted (CopyConverted) rather than reinterpreted.
  virtual void AssignRaw(const TCustomParam& other) {}
  // Every size must be above 0 (and the product within kMaxArrayElements),
  // else raises "配列の要素数[%s]が不正です"; elements keep their flat positions.
  virtual void SetDims(std::span<const int32_t> sizes) {}
  // Each kind fills only with its own kind of value.
  virtual void FillInt(int32_t value) {}
  virtual void FillFloat(long double value) {}
  virtual void FillBool(bool value) {}
  virtual void FillStr(std::string_view value) {}
  // Shape and elements of a value of the same class, else raises
  // "CopyMem:変数の型があいません".
  virtual void AssignSame(const TCustomParam& other) {}
  virtual void SaveToStream(ByteWriter& out) const {}
  virtual void LoadFromStream(ByteReader& in) {}
  virtual void MakeScalar() {}
  // First element whose text equals s (or contains it, with partial); -1 when none.
  virtual int32_t IndexOfStr(std::string_view s, bool case_sensitive, bool partial) const;

  // Takes the source's shape and every element through the element
  // operations of this value's kind.
  void CopyConverted(const TCustomParam& source);

  // The code the value is saved under: its class's own (a reference saves
  // as PT_NONE although it reads as its target's kind).
  virtual uint8_t ClassKind() const { return GetKind(); }
  // The kind of the elements this object holds itself: PT_INT .. PT_STR for
  // the four stored kinds, PT_NONE for references and system variables,
  // which hold none. Tells the stored kinds apart without a dynamic cast.
  virtual uint8_t StoredKind() const { return PT_NONE; }
  // The value object this one stands for: itself, or for a reference the
  // target's; nullptr when a reference is unbound.
  virtual const TCustomParam* Resolve() const { return this; }
  // The element a reference bound to this value uses: 0, or for a value
  // that is itself a reference, its own element.
  virtual int32_t LentElementIndex() const { return 0; }
};

// Raises the error of an element index outside the array.
[[noreturn]] void ThrowBadIndex();
// Raises the error of bad dimension sizes, naming them joined by ",".
[[noreturn]] void ThrowBadSizes(std::span<const int64_t> sizes);

}  // namespace rivo
