#pragma once
// Commands on the screen's objects and media: property access, deletion,
// menus, motions, the screen flip and media control.

#include <string>

#include "scenario/deferred_command.h"

namespace rivo {

class TComGetProp : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_GETPROP; }
  // A missing object does nothing; a missing property id raises
  // "プロパティ指定が不正です"; the property errors leave the variable as it was.
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
  void Fields(RecordFields& f) override {
    f.Expression("object", Object);
    f.Expression("property", Property);
    f.String("variable", Variable);
  }
  TRivoParser Object, Property;
  std::string Variable;
};

class TComSetProp : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_SETPROP; }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
  void Fields(RecordFields& f) override {
    f.Expression("object", Object);
    f.Expression("property", Property);
    f.Expression("value", Value);
  }
  TRivoParser Object, Property, Value;
};

// The commands whose record is one object name.
template <uint8_t Code>
class TComObjectNamed : public TDeferredCommand {
 public:
  using TDeferredCommand::TDeferredCommand;
  uint8_t GetType() const override { return Code; }
  void Fields(RecordFields& f) override { f.Expression("object", Object); }
  TRivoParser Object;
};

// Releases the named object: it goes at the end of the tick.
class TComObjDel : public TComObjectNamed<CC_OBJDEL> {
 public:
  using TComObjectNamed::TComObjectNamed;
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
};
using TComMenuClose = TComObjectNamed<CC_MENUCLOSE>;
using TComMediaPlay = TComObjectNamed<CC_MEDIAPLAY>;

// Forgets every read mark.
class TComClrRead : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_CLRREAD; }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
};

class TComPropMotion : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_PROPMOTION; }
  // Starts a property motion; without a property id it raises
  // "プロパティ指定が不正です" and the motion stays without a property.
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
  void Fields(RecordFields& f) override {
    f.Expression("name", Name);
    f.Expression("object", Object);
    f.Expression("property", Property);
    f.Expression("end", EndValue);
    f.Expression("duration", Duration);
    f.Expression("motion", MotionType);
    if (f.Version() >= 108) f.Expression("paused", Paused);
  }
  TRivoParser Name, Object, Property, EndValue, Duration, MotionType, Paused;
};

class TComFlip : public TDeferredCommand {
 public:
  using TDeferredCommand::TDeferredCommand;
  uint8_t GetType() const override { return CC_FLIP; }
  bool BlocksEvents() const override { return Block; }
  void Fields(RecordFields& f) override {
    f.Expression("transition", Transition);
    f.Expression("duration", Duration);
    f.Expression("reverse", Reverse);
    f.Expression("keep", KeepMode);
    f.Expressions("names", Names);
    f.Expression("release", ReleaseOld);
    f.Expression("param1", Param1);
    f.Expression("param2", Param2);
    f.Expression("mask", MaskName);
    if (f.Version() >= 107) f.Expression("block", BlockEvents);
  }
  void SaveState(ByteWriter& out) const override;
  void LoadState(ByteReader& in) override;

  TRivoParser Transition, Duration, Reverse, KeepMode;
  ExpressionList Names;
  TRivoParser ReleaseOld, Param1, Param2, MaskName, BlockEvents;

  // Run-time state.
  bool Block = false;
  bool Release = false;
};

class TComMovieStop : public TDeferredCommand {
 public:
  using TDeferredCommand::TDeferredCommand;
  uint8_t GetType() const override { return CC_MOVIESTOP; }
  bool BlocksEvents() const override { return Block; }
  void Fields(RecordFields& f) override {
    f.Expression("object", Object);
    f.Expression("fade", FadeTime);
    f.Expression("wait", Wait);
    if (f.Version() >= 107) f.Expression("block", BlockEvents);
  }
  void SaveState(ByteWriter& out) const override;
  void LoadState(ByteReader& in) override;

  TRivoParser Object, FadeTime, Wait, BlockEvents;

  // Run-time state: the object waited for (empty once it is gone).
  std::string ObjectName;
  bool Waiting = false;
  bool Block = false;
};

}  // namespace rivo
