#pragma once
// ObjectHandle: how anything that may outlive an object refers to it (the
// interpreter's sender, queued events, the released list, the hovered and
// captured objects, the focus, a property motion's target). A handle names
// a slot of the screen's table and the generation the slot had when the
// object was made; once the object is destroyed the slot's generation moves
// on, so an old handle finds nothing even when a new object takes the slot
// (or the old object's address).

#include <cstdint>

namespace rivo {

struct ObjectHandle {
  static constexpr uint32_t kNoSlot = 0xFFFFFFFFu;

  uint32_t slot = kNoSlot;
  uint32_t generation = 0;

  // No object at all, as opposed to an object that has been destroyed
  // (which only the screen can tell: it no longer resolves).
  constexpr bool IsNone() const { return slot == kNoSlot; }
  friend constexpr bool operator==(const ObjectHandle&, const ObjectHandle&) = default;
};

}  // namespace rivo
