#pragma once
// TRivoObject: the root of every runtime object. An object belongs to one
// screen (its owner) from its creation to its destruction; it has a unique
// name, a free tag, a drawing priority among its siblings and the numbered
// properties of its class (Properties). The classes of the object kinds
// derive from TRivoComponent (objects that are not drawn) or TRivoControl
// (objects of the visible tree).
//
// Objects are made by the screen (TRivoBaseList::Create or CreateByType),
// which names them, gives them a handle and keeps them in its object list.
// Nothing else owns an object; whatever may outlive one holds its handle.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "objects/object_handle.h"
#include "objects/object_types.h"
#include "objects/property_accessors.h"

namespace rivo {

class ByteReader;
class ByteWriter;
class TRivoBaseList;
class TRivoControl;

class TRivoObject {
 public:
  explicit TRivoObject(TRivoBaseList& owner) : owner_(&owner) {}
  TRivoObject(const TRivoObject&) = delete;
  TRivoObject& operator=(const TRivoObject&) = delete;
  virtual ~TRivoObject() = default;

  TRivoBaseList& Owner() const { return *owner_; }
  ObjectHandle Handle() const { return handle_; }

  // The properties of the class (see PropertyAccessors); each class that
  // adds properties overrides both.
  static const PropertyAccessors& ClassProperties();
  virtual const PropertyAccessors& Properties() const { return ClassProperties(); }

  // --- names (PR_NAME, PR_TAG)
  const std::string& GetName() const { return name_; }
  // The renaming rule of plain components: another object of the screen
  // that carries the name is released first. Controls rename the other
  // holder instead. An empty name is a plain clear.
  virtual void SetName(std::string_view name);
  // Stores the name without any rule (the screen keeps its name index).
  void StoreName(std::string_view name);
  // Objects that return false get no automatic name (the bases).
  virtual bool NeedsAutoName() const { return true; }
  // Names beginning with 0x01 belong to the player itself: never saved.
  bool HasSystemName() const { return !name_.empty() && name_[0] == '\x01'; }
  const std::string& GetTag() const { return tag_; }
  void SetTag(std::string_view tag) { tag_ = tag; }

  // --- drawing order (PR_PRIORITY)
  int32_t GetPriority() const { return priority_; }
  void SetPriority(int32_t value);
  int32_t GetSubPriority() const { return sub_priority_; }
  void SetSubPriority(int32_t value);

  // --- kind
  virtual int32_t GetCompoType() const { return LT_NONE; }
  virtual TRivoControl* AsControl() { return nullptr; }
  virtual const TRivoControl* AsControl() const { return nullptr; }
  virtual bool IsCabinet() const { return false; }
  virtual bool IsInCabinet() const { return false; }

  // --- the tick
  // Paused objects neither tick nor raise mouse and key events.
  virtual bool IsPaused() const { return false; }
  // The PR_ONIDLE page of the kinds that have one.
  virtual const std::string& IdlePage() const;
  // Map images and menus hold their events back at times.
  virtual bool EventsSuppressed() const { return false; }
  // The per-tick update; true asks the screen to destroy the object.
  virtual bool Tick() { return false; }

  // --- hooks that the kinds answer (system functions and commands use them)
  virtual int32_t GetPlayState() const { return LP_STOP; }
  virtual void SetPlayState(int32_t state) {}
  virtual void Rewind() {}
  virtual bool GetItemCheck(int32_t index) const { return false; }
  virtual void SetItemCheck(int32_t index, bool on) {}
  // Screen and client coordinates ("ToScreenX" ...); identity here.
  virtual void ClientToScreen(int32_t& x, int32_t& y) const {}
  virtual void ScreenToClient(int32_t& x, int32_t& y) const {}
  // Adds the object's area to its base's changed area; nothing here.
  virtual void Invalidate() {}
  // A display change: the kinds that keep display surfaces give them up,
  // then make them again (the screen redraws everything afterwards).
  virtual void ReleaseSurfaces() {}
  virtual void RestoreSurfaces() {}

  // --- events
  // Queues page (when not empty) with this object as sender.
  void RaiseEvent(const std::string& page, uint8_t kind, std::vector<std::string> args = {});
  // Whether an entry of this object and kind waits in the queue.
  bool EventWaits(uint8_t kind) const;

  // --- deletion
  // Deferred: the object leaves at the end of the screen's tick, and its
  // name is cleared at once.
  void Release();
  bool IsReleased() const { return released_; }
  // At once: detached from its parent and the screen, then destroyed. The
  // object must not be used afterwards.
  void Free();

  // --- saving (each class writes its base class's fields, then its own)
  virtual void SaveToStream(ByteWriter& out) const;
  virtual void LoadFromStream(ByteReader& in, int32_t version);

  // Called by the screen: the object has its handle and is in the list.
  virtual void Created() {}
  // Called by the screen just before the object is destroyed: it drops
  // whatever refers to it (children, focus, hover, queued events).
  virtual void Destroying();

 private:
  friend class TRivoBaseList;

  // Property accessors of the root class.
  int32_t GetPriorityProp() const { return priority_; }
  std::string GetNameProp() const { return name_; }

  TRivoBaseList* owner_;
  ObjectHandle handle_;
  std::string name_;
  std::string tag_;
  int32_t priority_ = 0;
  int32_t sub_priority_ = 0;
  bool released_ = false;
  bool listed_ = false;  // in the screen's object list (the bases are not)
};

// Every object of a tree kind other than TRivoControl is a component:
// sounds, timers, property motions, HTTP requests.
class TRivoComponent : public TRivoObject {
 public:
  using TRivoObject::TRivoObject;
};

}  // namespace rivo
