#pragma once
// ObjectSlots: the screen's table behind ObjectHandle. Each living object
// holds one slot; freeing the object frees the slot and advances its
// generation, and a later object may take the slot with the new generation.

#include <cstdint>
#include <vector>

#include "objects/object_handle.h"

namespace rivo {

class TRivoObject;

class ObjectSlots {
 public:
  ObjectHandle Add(TRivoObject* object);
  // The handle no longer resolves afterwards.
  void Remove(ObjectHandle handle);
  // nullptr for none and for a destroyed object.
  TRivoObject* Resolve(ObjectHandle handle) const {
    if (handle.slot >= slots_.size()) return nullptr;
    const Slot& slot = slots_[handle.slot];
    return slot.generation == handle.generation ? slot.object : nullptr;
  }

 private:
  struct Slot {
    TRivoObject* object = nullptr;
    uint32_t generation = 0;
  };
  std::vector<Slot> slots_;
  std::vector<uint32_t> free_;
};

}  // namespace rivo
