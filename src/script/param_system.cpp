#include "script/param_system.h"

#include <array>
#include <optional>
#include <utility>

#include "common/error.h"
#include "common/number_text.h"
#include "script/param_collection.h"
#include "script/param_collection_item.h"
#include "script/system_services.h"
#include "script/value_conversion.h"

namespace rivo {

namespace {

constexpr std::array<SystemVariableInfo, kSystemVariableCount> kSystemVariables{{
    {"@Result", PT_NONE, true, false},
    {"@LClick", PT_BOOL, true, false},
    {"@RClick", PT_BOOL, true, false},
    {"@LPush", PT_BOOL, false, false},
    {"@RPush", PT_BOOL, false, false},
    {"@MouseX", PT_INT, true, false},
    {"@MouseY", PT_INT, true, false},
    {"@TextDelay", PT_INT, true, false},
    {"@HistoryCount", PT_INT, false, false},
    {"@ParamCount", PT_INT, false, false},
    {"@ParamStr", PT_STR, false, true},
    {"@Sender", PT_STR, false, false},
    {"@ScrWidth", PT_INT, false, false},
    {"@ScrHeight", PT_INT, false, false},
    {"@TickCount", PT_INT, false, false},
    {"@PCTickCount", PT_INT, false, false},
    {"@UpdateCount", PT_INT, false, false},
    {"@Year", PT_INT, false, false},
    {"@Month", PT_INT, false, false},
    {"@Day", PT_INT, false, false},
    {"@Week", PT_INT, false, false},
    {"@Hour", PT_INT, false, false},
    {"@Min", PT_INT, false, false},
    {"@Sec", PT_INT, false, false},
    {"@Fonts", PT_STR, false, false},
    {"@FixedFonts", PT_STR, false, false},
    {"@FullScr", PT_BOOL, true, false},
    {"@Cursor", PT_STR, true, false},
    {"@SelStr", PT_STR, true, false},
    {"@SelIndex", PT_INT, true, false},
    {"@Pi", PT_FLOAT, false, false},
    {"@CGDither", PT_BOOL, true, false},
    {"@1Hour", PT_FLOAT, false, false},
    {"@1Min", PT_FLOAT, false, false},
    {"@1Sec", PT_FLOAT, false, false},
    {"@KeyPush", PT_BOOL, false, true},
    {"@KeyClick", PT_BOOL, false, true},
    {"@DisplayModeCount", PT_INT, false, false},
    {"@DisplayModeIndex", PT_INT, true, false},
    {"@Title", PT_STR, false, false},
    {"@SoundON", PT_BOOL, true, false},
    {"@ActiveCompo", PT_STR, true, false},
    {"@KeyRepeat", PT_BOOL, false, true},
    {"@HistoryMaxCount", PT_INT, true, false},
    {"@Temp", PT_NONE, true, false},
    {"@MidiPort", PT_STR, true, false},
    {"@MidiPorts", PT_STR, false, true},
    {"@WheelDown", PT_BOOL, false, false},
    {"@WheelUp", PT_BOOL, false, false},
    {"@IsDebug", PT_BOOL, false, false},
}};

// The keyboard arrays have one element per virtual-key code and two more
// for the wheel.
constexpr int32_t kKeyElements = 258;

constexpr long double kPi = 3.141592653589793238462643383279502884L;

}  // namespace

const SystemVariableInfo& SystemVariableAt(int32_t code) {
  if (code < 0 || code >= kSystemVariableCount) throw RivoError("内部エラー");
  return kSystemVariables[static_cast<std::size_t>(code)];
}

// One value as a system variable holds it, in the variable's own kind.
struct TParamSystem::Value {
  uint8_t kind = PT_INT;
  int32_t i = 0;
  long double r = 0;
  bool b = false;
  std::string s;

  static Value Int(int32_t v) { return {PT_INT, v, 0, false, {}}; }
  static Value Real(long double v) { return {PT_FLOAT, 0, v, false, {}}; }
  static Value Flag(bool v) { return {PT_BOOL, 0, 0, v, {}}; }
  static Value Text(std::string v) { return {PT_STR, 0, 0, false, std::move(v)}; }

  int32_t ToInt() const {
    switch (kind) {
      case PT_FLOAT: return RealToInt(r);
      case PT_BOOL: return b ? 1 : 0;
      case PT_STR: return TextToInt(s);
      default: return i;
    }
  }
  long double ToFloat() const {
    switch (kind) {
      case PT_FLOAT: return r;
      case PT_BOOL: return b ? 1 : 0;
      case PT_STR: return TextToReal(s);
      default: return i;
    }
  }
  bool ToBool() const {
    switch (kind) {
      case PT_FLOAT: return r != 0;
      case PT_BOOL: return b;
      case PT_STR: return TextToBool(s);
      default: return i != 0;
    }
  }
  std::string ToStr() const {
    switch (kind) {
      case PT_FLOAT: return RealToText(r);
      case PT_BOOL: return BoolToText(b);
      case PT_STR: return s;
      default: return IntToText(i);
    }
  }
};

TParamSystem::TParamSystem(int32_t code, TParamCollection& store) : code_(code), store_(store) {
  SystemVariableAt(code);
}

TCustomParam* TParamSystem::Target() const {
  if (code_ == SV_RESULT) return store_.Services().CallResult();
  TParamCollectionItem* item = store_.Find(store_.TempTarget());
  return item ? &item->Param() : nullptr;
}

template <typename R, typename F>
R TParamSystem::Forward(R neutral, F&& op) const {
  return forwarding_.Forward(std::move(neutral), [this] { return Target(); }, std::forward<F>(op));
}

TParamSystem::Value TParamSystem::Read(int32_t index) const {
  SystemServices& sv = store_.Services();
  switch (code_) {
    case SV_LCLICK: return Value::Flag(sv.LClick());
    case SV_RCLICK: return Value::Flag(sv.RClick());
    case SV_LPUSH: return Value::Flag(sv.LPush());
    case SV_RPUSH: return Value::Flag(sv.RPush());
    case SV_MOUSEX: return Value::Int(sv.MouseX());
    case SV_MOUSEY: return Value::Int(sv.MouseY());
    case SV_TEXTDELAY: return Value::Int(store_.TextDelay());
    case SV_HISTORYCOUNT: return Value::Int(sv.HistoryCount());
    case SV_PARAMCOUNT: return Value::Int(sv.ParamCount());
    case SV_PARAMSTR: return Value::Text(index < 0 ? std::string() : sv.ParamStr(index));
    case SV_SENDER: return Value::Text(sv.Sender());
    case SV_SCRWIDTH: return Value::Int(sv.ScreenWidth());
    case SV_SCRHEIGHT: return Value::Int(sv.ScreenHeight());
    case SV_TICKCOUNT: return Value::Int(sv.TickCount());
    case SV_PCTICKCOUNT: return Value::Int(sv.PCTickCount());
    case SV_UPDATECOUNT: return Value::Int(sv.UpdateCount());
    case SV_YEAR: return Value::Int(sv.Now().year);
    case SV_MONTH: return Value::Int(sv.Now().month);
    case SV_DAY: return Value::Int(sv.Now().day);
    case SV_WEEK: return Value::Int(sv.Now().week);
    case SV_HOUR: return Value::Int(sv.Now().hour);
    case SV_MIN: return Value::Int(sv.Now().minute);
    case SV_SEC: return Value::Int(sv.Now().second);
    case SV_FONTS: return Value::Text(sv.Fonts());
    case SV_FIXEDFONTS: return Value::Text(sv.FixedFonts());
    case SV_FULLSCR: return Value::Flag(sv.FullScreen());
    case SV_CURSOR: return Value::Text(store_.CursorName());
    case SV_SELSTR: return Value::Text(store_.SelStr());
    case SV_SELINDEX: return Value::Int(store_.SelIndex());
    case SV_PI: return Value::Real(kPi);
    case SV_CGDITHER: return Value::Flag(sv.CGDither());
    case SV_1HOUR: return Value::Real(1.0L / 24);
    case SV_1MIN: return Value::Real(1.0L / 1440);
    case SV_1SEC: return Value::Real(1.0L / 86400);
    case SV_KEYPUSH:
    case SV_KEYCLICK:
    case SV_KEYREPEAT: {
      if (index < 0) return Value::Flag(false);
      if (index == 256) return Value::Flag(sv.WheelDown());
      if (index == 257) return Value::Flag(sv.WheelUp());
      if (code_ == SV_KEYPUSH) return Value::Flag(sv.KeyPush(index));
      if (code_ == SV_KEYCLICK) return Value::Flag(sv.KeyClick(index));
      return Value::Flag(sv.KeyRepeat(index));
    }
    case SV_DISPLAYMODECOUNT: return Value::Int(sv.DisplayModeCount());
    case SV_DISPLAYMODEINDEX: return Value::Int(sv.DisplayModeIndex());
    case SV_TITLE: return Value::Text(sv.Title());
    case SV_SOUNDON: return Value::Flag(sv.SoundOn());
    case SV_ACTIVECOMPO: return Value::Text(sv.ActiveCompo());
    case SV_HISTORYMAXCOUNT: return Value::Int(sv.HistoryMaxCount());
    case SV_MIDIPORT: return Value::Text(sv.MidiPort());
    case SV_MIDIPORTS: {
      std::vector<std::string> ports = sv.MidiPorts();
      std::size_t at = index < 0 ? 0 : static_cast<std::size_t>(index);
      return Value::Text(at < ports.size() ? ports[at] : std::string());
    }
    case SV_WHEELDOWN: return Value::Flag(sv.WheelDown());
    case SV_WHEELUP: return Value::Flag(sv.WheelUp());
    default: return Value::Flag(false);  // "@IsDebug": this player is never the debug build
  }
}

TParamSystem::Value TParamSystem::ReadElement(int32_t index) const {
  if (index < 0 || index >= GetCount()) ThrowBadIndex();
  return Read(SystemVariableAt(code_).array ? index : -1);
}

void TParamSystem::Write(const Value& v) {
  SystemServices& sv = store_.Services();
  switch (code_) {
    case SV_LCLICK: sv.SetLClick(v.b); break;
    case SV_RCLICK: sv.SetRClick(v.b); break;
    case SV_MOUSEX: sv.SetMouseX(v.i); break;
    case SV_MOUSEY: sv.SetMouseY(v.i); break;
    case SV_TEXTDELAY: store_.SetTextDelay(v.i); break;
    case SV_FULLSCR: sv.SetFullScreen(v.b); break;
    case SV_CURSOR: store_.SetCursorName(v.s); break;
    case SV_SELSTR: store_.SetSelStr(v.s); break;
    case SV_SELINDEX: store_.SetSelIndex(v.i); break;
    case SV_CGDITHER: sv.SetCGDither(v.b); break;
    case SV_DISPLAYMODEINDEX: sv.SetDisplayModeIndex(v.i); break;
    case SV_SOUNDON: sv.SetSoundOn(v.b); break;
    case SV_ACTIVECOMPO: sv.SetActiveCompo(v.s); break;
    case SV_HISTORYMAXCOUNT: sv.SetHistoryMaxCount(v.i); break;
    case SV_MIDIPORT: sv.SetMidiPort(v.s); break;
    default: break;  // read-only
  }
}

int32_t TParamSystem::GetCount() const {
  if (Forwards()) return Forward(1, [](TCustomParam& t) { return t.GetCount(); });
  switch (code_) {
    case SV_PARAMSTR: return std::max(0, store_.Services().ParamCount());
    case SV_KEYPUSH:
    case SV_KEYCLICK:
    case SV_KEYREPEAT: return kKeyElements;
    case SV_MIDIPORTS: return static_cast<int32_t>(store_.Services().MidiPorts().size());
    default: return 1;
  }
}

void TParamSystem::SetCount(int32_t count) {
  if (Forwards()) Forward(0, [&](TCustomParam& t) { return t.SetCount(count), 0; });
}

uint8_t TParamSystem::GetKind() const {
  if (Forwards()) return Forward(uint8_t{PT_INT}, [](TCustomParam& t) { return t.GetKind(); });
  return SystemVariableAt(code_).kind;
}

bool TParamSystem::AsBool() const {
  if (Forwards()) return Forward(false, [](TCustomParam& t) { return t.AsBool(); });
  return Read(-1).ToBool();
}
long double TParamSystem::AsFloat() const {
  if (Forwards()) return Forward(0.0L, [](TCustomParam& t) { return t.AsFloat(); });
  return Read(-1).ToFloat();
}
int32_t TParamSystem::AsInt() const {
  if (Forwards()) return Forward(0, [](TCustomParam& t) { return t.AsInt(); });
  return Read(-1).ToInt();
}
std::string TParamSystem::AsStr() const {
  if (Forwards()) return Forward(std::string(), [](TCustomParam& t) { return t.AsStr(); });
  return Read(-1).ToStr();
}

// Writes arrive in any kind and are stored in the variable's own; a text
// that does not parse as a number leaves a numeric variable as it was.
void TParamSystem::Store(const Value& in) {
  switch (SystemVariableAt(code_).kind) {
    case PT_INT:
      if (in.kind != PT_STR) Write(Value::Int(in.ToInt()));
      else if (std::optional<int32_t> n = ParseInt32(in.s)) Write(Value::Int(*n));
      break;
    case PT_BOOL: Write(Value::Flag(in.ToBool())); break;
    case PT_STR: Write(Value::Text(in.ToStr())); break;
    default: break;
  }
}

void TParamSystem::SetBool(bool v) {
  if (Forwards()) return void(Forward(0, [&](TCustomParam& t) { return t.SetBool(v), 0; }));
  Store(Value::Flag(v));
}
void TParamSystem::SetFloat(long double v) {
  if (Forwards()) return void(Forward(0, [&](TCustomParam& t) { return t.SetFloat(v), 0; }));
  Store(Value::Real(v));
}
void TParamSystem::SetInt(int32_t v) {
  if (Forwards()) return void(Forward(0, [&](TCustomParam& t) { return t.SetInt(v), 0; }));
  Store(Value::Int(v));
}
void TParamSystem::SetStr(std::string_view v) {
  if (Forwards()) return void(Forward(0, [&](TCustomParam& t) { return t.SetStr(v), 0; }));
  Store(Value::Text(std::string(v)));
}

int32_t TParamSystem::GetIntAt(int32_t i) const {
  if (Forwards()) return Forward(0, [&](TCustomParam& t) { return t.GetIntAt(i); });
  return ReadElement(i).ToInt();
}
long double TParamSystem::GetFloatAt(int32_t i) const {
  if (Forwards()) return Forward(0.0L, [&](TCustomParam& t) { return t.GetFloatAt(i); });
  return ReadElement(i).ToFloat();
}
bool TParamSystem::GetBoolAt(int32_t i) const {
  if (Forwards()) return Forward(false, [&](TCustomParam& t) { return t.GetBoolAt(i); });
  return ReadElement(i).ToBool();
}
std::string TParamSystem::GetStrAt(int32_t i) const {
  if (Forwards()) return Forward(std::string(), [&](TCustomParam& t) { return t.GetStrAt(i); });
  return ReadElement(i).ToStr();
}

// The array system variables are read-only; the element of a scalar one is
// the variable itself.
void TParamSystem::SetIntAt(int32_t i, int32_t v) {
  if (Forwards()) return void(Forward(0, [&](TCustomParam& t) { return t.SetIntAt(i, v), 0; }));
  ReadElement(i);
  SetInt(v);
}
void TParamSystem::SetFloatAt(int32_t i, long double v) {
  if (Forwards()) return void(Forward(0, [&](TCustomParam& t) { return t.SetFloatAt(i, v), 0; }));
  ReadElement(i);
  SetFloat(v);
}
void TParamSystem::SetBoolAt(int32_t i, bool v) {
  if (Forwards()) return void(Forward(0, [&](TCustomParam& t) { return t.SetBoolAt(i, v), 0; }));
  ReadElement(i);
  SetBool(v);
}
void TParamSystem::SetStrAt(int32_t i, std::string_view v) {
  if (Forwards()) return void(Forward(0, [&](TCustomParam& t) { return t.SetStrAt(i, v), 0; }));
  ReadElement(i);
  SetStr(v);
}

int32_t TParamSystem::DimCount() const {
  if (Forwards()) return Forward(1, [](TCustomParam& t) { return t.DimCount(); });
  return 1;
}
int32_t TParamSystem::DimSize(int32_t k) const {
  if (Forwards()) return Forward(1, [&](TCustomParam& t) { return t.DimSize(k); });
  return k == 0 && SystemVariableAt(code_).array ? GetCount() : 1;
}
std::vector<int32_t> TParamSystem::DimSizes() const {
  if (Forwards()) return Forward(std::vector<int32_t>(), [](TCustomParam& t) { return t.DimSizes(); });
  if (SystemVariableAt(code_).array) return {GetCount()};
  return {};
}

void TParamSystem::AssignRaw(const TCustomParam& other) {
  if (Forwards()) return void(Forward(0, [&](TCustomParam& t) { return t.AssignRaw(other), 0; }));
  switch (other.GetKind()) {
    case PT_FLOAT: SetFloat(other.AsFloat()); break;
    case PT_BOOL: SetBool(other.AsBool()); break;
    case PT_STR: SetStr(other.AsStr()); break;
    default: SetInt(other.AsInt()); break;
  }
}
void TParamSystem::SetDims(std::span<const int32_t> sizes) {
  if (Forwards()) Forward(0, [&](TCustomParam& t) { return t.SetDims(sizes), 0; });
}
void TParamSystem::FillInt(int32_t v) {
  if (Forwards()) Forward(0, [&](TCustomParam& t) { return t.FillInt(v), 0; });
}
void TParamSystem::FillFloat(long double v) {
  if (Forwards()) Forward(0, [&](TCustomParam& t) { return t.FillFloat(v), 0; });
}
void TParamSystem::FillBool(bool v) {
  if (Forwards()) Forward(0, [&](TCustomParam& t) { return t.FillBool(v), 0; });
}
void TParamSystem::FillStr(std::string_view v) {
  if (Forwards()) Forward(0, [&](TCustomParam& t) { return t.FillStr(v), 0; });
}
void TParamSystem::AssignSame(const TCustomParam& other) {
  if (Forwards()) return void(Forward(0, [&](TCustomParam& t) { return t.AssignSame(other), 0; }));
  throw RivoError("CopyMem:変数の型があいません");
}
void TParamSystem::MakeScalar() {
  if (Forwards()) Forward(0, [](TCustomParam& t) { return t.MakeScalar(), 0; });
}
int32_t TParamSystem::IndexOfStr(std::string_view s, bool case_sensitive, bool partial) const {
  if (Forwards()) return Forward(-1, [&](TCustomParam& t) { return t.IndexOfStr(s, case_sensitive, partial); });
  return TCustomParam::IndexOfStr(s, case_sensitive, partial);
}
const TCustomParam* TParamSystem::Resolve() const {
  if (Forwards())
    return Forward(static_cast<const TCustomParam*>(nullptr), [](TCustomParam& t) { return t.Resolve(); });
  return this;
}

}  // namespace rivo
