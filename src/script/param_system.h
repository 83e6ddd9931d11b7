#pragma once
// TParamSystem: the fifty "@" variables that read and change the player's
// own state. Each one is a value object of the store whose every operation
// asks SystemServices (or the store's own fields such as TextDelay);
// "@Result" and "@Temp" stand for another value altogether.

#include <cstdint>
#include <string>

#include "script/custom_param.h"
#include "script/forward_guard.h"

namespace rivo {

class TParamCollection;

constexpr int32_t kSystemVariableCount = 50;

enum SystemVariableCode : int32_t {
  SV_RESULT = 0,
  SV_LCLICK = 1,
  SV_RCLICK = 2,
  SV_LPUSH = 3,
  SV_RPUSH = 4,
  SV_MOUSEX = 5,
  SV_MOUSEY = 6,
  SV_TEXTDELAY = 7,
  SV_HISTORYCOUNT = 8,
  SV_PARAMCOUNT = 9,
  SV_PARAMSTR = 10,
  SV_SENDER = 11,
  SV_SCRWIDTH = 12,
  SV_SCRHEIGHT = 13,
  SV_TICKCOUNT = 14,
  SV_PCTICKCOUNT = 15,
  SV_UPDATECOUNT = 16,
  SV_YEAR = 17,
  SV_MONTH = 18,
  SV_DAY = 19,
  SV_WEEK = 20,
  SV_HOUR = 21,
  SV_MIN = 22,
  SV_SEC = 23,
  SV_FONTS = 24,
  SV_FIXEDFONTS = 25,
  SV_FULLSCR = 26,
  SV_CURSOR = 27,
  SV_SELSTR = 28,
  SV_SELINDEX = 29,
  SV_PI = 30,
  SV_CGDITHER = 31,
  SV_1HOUR = 32,
  SV_1MIN = 33,
  SV_1SEC = 34,
  SV_KEYPUSH = 35,
  SV_KEYCLICK = 36,
  SV_DISPLAYMODECOUNT = 37,
  SV_DISPLAYMODEINDEX = 38,
  SV_TITLE = 39,
  SV_SOUNDON = 40,
  SV_ACTIVECOMPO = 41,
  SV_KEYREPEAT = 42,
  SV_HISTORYMAXCOUNT = 43,
  SV_TEMP = 44,
  SV_MIDIPORT = 45,
  SV_MIDIPORTS = 46,
  SV_WHEELDOWN = 47,
  SV_WHEELUP = 48,
  SV_ISDEBUG = 49,
};

struct SystemVariableInfo {
  const char* name;
  uint8_t kind;  // PT_NONE for "@Result" and "@Temp", which take their target's
  bool writable;
  bool array;
};

// The entry of a code; raises "内部エラー" outside 0..49.
const SystemVariableInfo& SystemVariableAt(int32_t code);

class TParamSystem final : public TCustomParam {
 public:
  // Raises "内部エラー" for a code outside 0..49.
  TParamSystem(int32_t code, TParamCollection& store);

  int32_t Code() const { return code_; }

  int32_t GetCount() const override;
  void SetCount(int32_t count) override;
  uint8_t GetKind() const override;
  bool AsBool() const override;
  long double AsFloat() const override;
  int32_t AsInt() const override;
  std::string AsStr() const override;
  void SetBool(bool v) override;
  void SetFloat(long double v) override;
  void SetInt(int32_t v) override;
  void SetStr(std::string_view v) override;
  int32_t GetIntAt(int32_t i) const override;
  void SetIntAt(int32_t i, int32_t v) override;
  long double GetFloatAt(int32_t i) const override;
  void SetFloatAt(int32_t i, long double v) override;
  bool GetBoolAt(int32_t i) const override;
  void SetBoolAt(int32_t i, bool v) override;
  std::string GetStrAt(int32_t i) const override;
  void SetStrAt(int32_t i, std::string_view v) override;
  int32_t DimCount() const override;
  int32_t DimSize(int32_t k) const override;
  std::vector<int32_t> DimSizes() const override;
  void AssignRaw(const TCustomParam& other) override;
  void SetDims(std::span<const int32_t> sizes) override;
  void FillInt(int32_t v) override;
  void FillFloat(long double v) override;
  void FillBool(bool v) override;
  void FillStr(std::string_view v) override;
  void AssignSame(const TCustomParam& other) override;
  void MakeScalar() override;
  int32_t IndexOfStr(std::string_view s, bool case_sensitive, bool partial) const override;
  const TCustomParam* Resolve() const override;

 private:
  struct Value;

  bool Forwards() const { return code_ == SV_RESULT || code_ == SV_TEMP; }
  // The value "@Result" or "@Temp" stands for; nullptr when there is none.
  TCustomParam* Target() const;
  template <typename R, typename F>
  R Forward(R neutral, F&& op) const;

  // index -1 reads the scalar form.
  Value Read(int32_t index) const;
  Value ReadElement(int32_t index) const;
  void Write(const Value& value);
  // Converts to the variable's kind, then writes.
  void Store(const Value& value);

  int32_t code_;
  TParamCollection& store_;
  ForwardGuard forwarding_;
};

}  // namespace rivo
