#pragma once
// Commands on the screen's objects and media: property access, deletion,
// menus, motions and media control.

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

// Restarts the named sound or movie from its beginning.
class TComMediaPlay : public TComObjectNamed<CC_MEDIAPLAY> {
 public:
  using TComObjectNamed::TComObjectNamed;
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
};

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

// Stops a sound or movie: at once without a fade (the object goes and
// nothing waits), else with a fade-out, waited for when asked.
class TComMovieStop : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_MOVIESTOP; }
  bool BlocksEvents() const override { return Block; }
  bool Waits() const override { return Waiting; }
  void Begin(TCallMan& calls) override;
  // Stays while the fading object (under its new name) still exists.
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
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
