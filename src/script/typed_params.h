#pragma once
// The four kinds of stored values: TParamInt (int32), TParamFloat (80-bit
// real), TParamFlag (one byte, 0 or 1) and TParamStr (code page 932 text).
// They share one template; ElementTraits says how an element converts and
// how it is stored.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "script/custom_param.h"
#include "script/value_conversion.h"

namespace rivo {

template <typename T>
struct ElementTraits;

template <>
struct ElementTraits<int32_t> {
  static int32_t ToInt(int32_t v) { return v; }
  static long double ToFloat(int32_t v) { return v; }
  static bool ToBool(int32_t v) { return v != 0; }
  static std::string ToStr(int32_t v) { return IntToText(v); }
  static int32_t FromInt(int32_t v) { return v; }
  static int32_t FromFloat(long double v) { return RealToInt(v); }
  static int32_t FromBool(bool v) { return v ? 1 : 0; }
  static int32_t FromStr(std::string_view v) { return TextToInt(v); }
  static void Write(ByteWriter& out, int32_t v) { out.I32(v); }
  static int32_t Read(ByteReader& in) { return in.I32(); }
  static constexpr std::size_t kStoredBytes = 4;
};

template <>
struct ElementTraits<long double> {
  static int32_t ToInt(long double v) { return RealToInt(v); }
  static long double ToFloat(long double v) { return v; }
  static bool ToBool(long double v) { return v != 0; }
  static std::string ToStr(long double v) { return RealToText(v); }
  static long double FromInt(int32_t v) { return v; }
  static long double FromFloat(long double v) { return v; }
  static long double FromBool(bool v) { return v ? 1 : 0; }
  static long double FromStr(std::string_view v) { return TextToReal(v); }
  static void Write(ByteWriter& out, long double v) { out.Extended(v); }
  static long double Read(ByteReader& in) { return in.Extended(); }
  static constexpr std::size_t kStoredBytes = 10;
};

// A flag element is the stored byte itself, so that a saved value is written
// back unchanged; every byte other than 0 reads as true (and as 1).
template <>
struct ElementTraits<uint8_t> {
  static int32_t ToInt(uint8_t v) { return v != 0 ? 1 : 0; }
  static long double ToFloat(uint8_t v) { return v != 0 ? 1 : 0; }
  static bool ToBool(uint8_t v) { return v != 0; }
  static std::string ToStr(uint8_t v) { return BoolToText(v != 0); }
  static uint8_t FromInt(int32_t v) { return v != 0; }
  static uint8_t FromFloat(long double v) { return v != 0; }
  static uint8_t FromBool(bool v) { return v; }
  static uint8_t FromStr(std::string_view v) { return TextToBool(v); }
  static void Write(ByteWriter& out, uint8_t v) { out.U8(v); }
  static uint8_t Read(ByteReader& in) { return in.U8(); }
  static constexpr std::size_t kStoredBytes = 1;
};

template <>
struct ElementTraits<std::string> {
  static int32_t ToInt(const std::string& v) { return TextToInt(v); }
  static long double ToFloat(const std::string& v) { return TextToReal(v); }
  static bool ToBool(const std::string& v) { return TextToBool(v); }
  static std::string ToStr(const std::string& v) { return v; }
  static std::string FromInt(int32_t v) { return IntToText(v); }
  static std::string FromFloat(long double v) { return RealToText(v); }
  static std::string FromBool(bool v) { return BoolToText(v); }
  static std::string FromStr(std::string_view v) { return std::string(v); }
  static void Write(ByteWriter& out, const std::string& v) { out.String(v); }
  static std::string Read(ByteReader& in) { return in.String(); }
  static constexpr std::size_t kStoredBytes = 4;
};

template <typename T, uint8_t Kind>
class TTypedParam : public TCustomParam {
  using Traits = ElementTraits<T>;

 public:
  TTypedParam() : items_(1) {}

  int32_t GetCount() const override { return static_cast<int32_t>(items_.size()); }
  // A one-dimensional array follows its count; an array of more dimensions
  // whose product no longer matches becomes one-dimensional, so the saved
  // sizes always agree with the count.
  void SetCount(int32_t count) override {
    if (count < 0 || count > kMaxArrayElements) {
      int64_t size = count;
      ThrowBadSizes({&size, 1});
    }
    if (count == GetCount()) return;
    items_.resize(static_cast<std::size_t>(count));
    dims_.assign(1, count);
  }
  uint8_t GetKind() const override { return Kind; }
  uint8_t StoredKind() const override { return Kind; }

  bool AsBool() const override { return !items_.empty() && Traits::ToBool(items_[0]); }
  long double AsFloat() const override { return items_.empty() ? 0 : Traits::ToFloat(items_[0]); }
  int32_t AsInt() const override { return items_.empty() ? 0 : Traits::ToInt(items_[0]); }
  std::string AsStr() const override { return items_.empty() ? std::string() : Traits::ToStr(items_[0]); }

  void SetBool(bool v) override { Scalar() = Traits::FromBool(v); }
  void SetFloat(long double v) override { Scalar() = Traits::FromFloat(v); }
  void SetInt(int32_t v) override { Scalar() = Traits::FromInt(v); }
  void SetStr(std::string_view v) override { Scalar() = Traits::FromStr(v); }

  int32_t GetIntAt(int32_t i) const override { return Traits::ToInt(At(i)); }
  void SetIntAt(int32_t i, int32_t v) override { At(i) = Traits::FromInt(v); }
  long double GetFloatAt(int32_t i) const override { return Traits::ToFloat(At(i)); }
  void SetFloatAt(int32_t i, long double v) override { At(i) = Traits::FromFloat(v); }
  bool GetBoolAt(int32_t i) const override { return Traits::ToBool(At(i)); }
  void SetBoolAt(int32_t i, bool v) override { At(i) = Traits::FromBool(v); }
  std::string GetStrAt(int32_t i) const override { return Traits::ToStr(At(i)); }
  void SetStrAt(int32_t i, std::string_view v) override { At(i) = Traits::FromStr(v); }

  int32_t DimCount() const override { return dims_.empty() ? 1 : static_cast<int32_t>(dims_.size()); }
  int32_t DimSize(int32_t k) const override {
    return k >= 0 && k < static_cast<int32_t>(dims_.size()) ? dims_[static_cast<std::size_t>(k)] : 1;
  }
  std::vector<int32_t> DimSizes() const override { return dims_; }

  void AssignRaw(const TCustomParam& other) override {
    if (other.StoredKind() == Kind) CopyFrom(static_cast<const TTypedParam&>(other));
    else CopyConverted(other);
  }

  void SetDims(std::span<const int32_t> sizes) override {
    int64_t product = 1;
    bool bad = false;
    for (int32_t size : sizes) {
      if (size <= 0) bad = true;
      else if (!bad) product = std::min<int64_t>(product * size, kMaxArrayElements + 1);
    }
    if (bad || product > kMaxArrayElements) {
      std::vector<int64_t> wide(sizes.begin(), sizes.end());
      ThrowBadSizes(wide);
    }
    items_.resize(static_cast<std::size_t>(product));
    dims_.assign(sizes.begin(), sizes.end());
  }

  void AssignSame(const TCustomParam& other) override {
    const TCustomParam* same = other.Resolve();
    if (!same || same->StoredKind() != Kind) throw RivoError("CopyMem:変数の型があいません");
    if (same != this) CopyFrom(static_cast<const TTypedParam&>(*same));
  }

  void SaveToStream(ByteWriter& out) const override {
    out.I32(static_cast<int32_t>(dims_.size()));
    for (int32_t size : dims_) out.I32(size);
    out.I32(GetCount());
    for (const T& item : items_) Traits::Write(out, item);
  }

  // The sizes must multiply to the count (no sizes: any count), and the
  // count must fit in what remains, before anything is allocated.
  void LoadFromStream(ByteReader& in) override {
    std::size_t dim_count = in.Count(in.I32(), 4);
    std::vector<int32_t> dims(dim_count);
    int64_t product = 1;
    for (int32_t& size : dims) {
      size = in.I32();
      if (size < 0) in.Fail("negative array size");
      product = std::min<int64_t>(product * size, kMaxArrayElements + 1);
    }
    int32_t count = in.I32();
    if (count < 0 || count > kMaxArrayElements) in.Fail("bad element count");
    if (!dims.empty() && product != count) in.Fail("element count disagrees with the array sizes");
    in.Count(count, Traits::kStoredBytes);
    std::vector<T> items;
    items.reserve(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i) items.push_back(Traits::Read(in));
    dims_ = std::move(dims);
    items_ = std::move(items);
  }

  void MakeScalar() override {
    if (dims_.empty() && items_.size() == 1) return;
    dims_.clear();
    items_.resize(1);
  }

  // Back to a fresh scalar holding 0, 0.0, false or the empty text.
  void Clear() {
    if (dims_.empty() && items_.size() == 1) {
      items_[0] = T{};
      return;
    }
    dims_.clear();
    items_.assign(1, T{});
  }

  const std::vector<T>& Items() const { return items_; }

 protected:
  void Fill(const T& value) { std::fill(items_.begin(), items_.end(), value); }

 private:
  const T& At(int32_t i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= items_.size()) ThrowBadIndex();
    return items_[static_cast<std::size_t>(i)];
  }
  T& At(int32_t i) {
    if (i < 0 || static_cast<std::size_t>(i) >= items_.size()) ThrowBadIndex();
    return items_[static_cast<std::size_t>(i)];
  }
  T& Scalar() {
    MakeScalar();
    return items_[0];
  }
  void CopyFrom(const TTypedParam& other) {
    dims_ = other.dims_;
    items_ = other.items_;
  }

  std::vector<int32_t> dims_;
  std::vector<T> items_;
};

class TParamInt final : public TTypedParam<int32_t, PT_INT> {
 public:
  void FillInt(int32_t v) override { Fill(v); }
};

class TParamFloat final : public TTypedParam<long double, PT_FLOAT> {
 public:
  void FillFloat(long double v) override { Fill(v); }
};

class TParamFlag final : public TTypedParam<uint8_t, PT_BOOL> {
 public:
  void FillBool(bool v) override { Fill(v ? 1 : 0); }
};

class TParamStr final : public TTypedParam<std::string, PT_STR> {
 public:
  void FillStr(std::string_view v) override { Fill(std::string(v)); }
};

}  // namespace rivo
