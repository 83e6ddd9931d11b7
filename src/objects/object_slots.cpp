#include "objects/object_slots.h"

namespace rivo {

ObjectHandle ObjectSlots::Add(TRivoObject* object) {
  uint32_t index;
  if (!free_.empty()) {
    index = free_.back();
    free_.pop_back();
  } else {
    index = static_cast<uint32_t>(slots_.size());
    slots_.emplace_back();
  }
  slots_[index].object = object;
  return {index, slots_[index].generation};
}

void ObjectSlots::Remove(ObjectHandle handle) {
  if (!Resolve(handle)) return;
  Slot& slot = slots_[handle.slot];
  slot.object = nullptr;
  ++slot.generation;
  free_.push_back(handle.slot);
}

}  // namespace rivo
