#include "objects/rivo_base_list.h"

#include <algorithm>

#include "common/error.h"
#include "objects/rivo_control.h"

namespace rivo {
namespace {

const std::string kBaseName0("\x01" "BASE0");
const std::string kBaseName1("\x01" "BASE1");
const std::string kBackBaseName("\x01");

}  // namespace

TRivoBaseList::TRivoBaseList(const ScreenClock* clock) : clock_(clock) {
  // Black with white on the diagonal: every other pixel of an outline shows.
  selection_pattern_.SetSize(2, 2, 32);
  selection_pattern_.SetPixel(0, 0, 0x00FFFFFF);
  selection_pattern_.SetPixel(1, 1, 0x00FFFFFF);
  CreateBases();
}

TRivoBaseList::~TRivoBaseList() {
  // Objects go while the bases and the queue they refer to still exist.
  while (!objects_.empty()) Destroy(*objects_.back());
  FreeBases();
}

std::unique_ptr<TRivoBase> TRivoBaseList::MakeBase(int32_t index) {
  return std::make_unique<TRivoBase>(*this, index);
}

void TRivoBaseList::CreateBases() {
  for (int32_t i = 0; i < 2; ++i) {
    std::unique_ptr<TRivoBase> base = MakeBase(i);
    base->handle_ = slots_.Add(base.get());
    base->name_ = i == 0 ? kBaseName0 : kBaseName1;
    base->SetBounds(0, 0, width_, height_);
    bases_[static_cast<std::size_t>(i)] = std::move(base);
  }
}

void TRivoBaseList::FreeBases() {
  for (auto& base : bases_) {
    if (!base) continue;
    // Children of a base are listed objects; Destroy takes each off the base.
    while (base->ChildCount() > 0) Destroy(*base->GetChild(base->ChildCount() - 1));
    events_.RemoveWaitingOf(base->Handle());
    slots_.Remove(base->Handle());
    base.reset();
  }
}

void TRivoBaseList::SetWidth(int32_t width) {
  width_ = width;
  for (auto& base : bases_) base->SetWidth(width);
}

void TRivoBaseList::SetHeight(int32_t height) {
  height_ = height;
  for (auto& base : bases_) base->SetHeight(height);
}

void TRivoBaseList::SetColor(int32_t color) {
  for (auto& base : bases_) base->SetColor(color);
}

// --- the object list

void TRivoBaseList::Adopt(std::unique_ptr<TRivoObject> object) {
  TRivoObject& made = *object;
  if (made.NeedsAutoName()) made.name_ = AutoName("object");
  made.handle_ = slots_.Add(&made);
  made.listed_ = true;
  ++names_[made.name_];
  objects_.push_back(std::move(object));
  made.Created();
}

void TRivoBaseList::NameChanged(const std::string& old_name, const std::string& new_name) {
  ForgetName(old_name);
  ++names_[new_name];
}

void TRivoBaseList::ForgetName(const std::string& old_name) {
  if (auto found = names_.find(old_name); found != names_.end() && --found->second <= 0) {
    names_.erase(found);
    // A freed automatic name is the first candidate again.
    for (auto& [prefix, hint] : auto_name_hint_) {
      if (old_name.size() <= prefix.size() || old_name.compare(0, prefix.size(), prefix) != 0) continue;
      std::string_view digits = std::string_view(old_name).substr(prefix.size());
      if (digits.size() > 18 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        continue;
      hint = std::min<int64_t>(hint, std::stoll(std::string(digits)));
    }
  }
}

std::string TRivoBaseList::AutoName(std::string_view prefix) {
  int64_t& hint = auto_name_hint_.try_emplace(std::string(prefix), 0).first->second;
  std::string name;
  for (;; ++hint) {
    name = std::string(prefix) + std::to_string(hint);
    if (!NameExists(name)) return name;
  }
}

// --- names

TRivoObject* TRivoBaseList::FindObjectByName(std::string_view name) const {
  if (name.empty() || name == kBaseName0) return &ActiveBase();
  if (name == kBackBaseName || name == kBaseName1) return &BackBase();
  int32_t index = IndexOfName(name);
  return index >= 0 ? objects_[static_cast<std::size_t>(index)].get() : nullptr;
}

TRivoControl* TRivoBaseList::FindControlByName(std::string_view name) const {
  if (name.empty()) return &ActiveBase();
  if (name == kBackBaseName) return &BackBase();
  if (name == kBaseName0) return &BaseAt(0);
  if (name == kBaseName1) return &BaseAt(1);
  if (!NameExists(name)) return nullptr;
  for (const auto& object : objects_)
    if (object->GetName() == name)
      if (TRivoControl* control = object->AsControl()) return control;
  return nullptr;
}

int32_t TRivoBaseList::IndexOfName(std::string_view name) const {
  if (!NameExists(name)) return -1;
  for (std::size_t i = 0; i < objects_.size(); ++i)
    if (objects_[i]->GetName() == name) return static_cast<int32_t>(i);
  return -1;
}

int32_t TRivoBaseList::ListNames(std::vector<std::string>& names, int32_t type, const TRivoControl* parent) const {
  int32_t count = 0;
  for (const auto& object : objects_) {
    if (type != 0 && object->GetCompoType() != type) continue;
    if (parent) {
      const TRivoControl* control = object->AsControl();
      if (!control || control->Parent() != parent) continue;
    }
    names.push_back(object->GetName());
    ++count;
  }
  return count;
}

std::string TRivoBaseList::SenderName(ObjectHandle sender) const {
  const TRivoObject* object = Resolve(sender);
  return object ? object->GetName() : std::string();
}

// --- deletion

void TRivoBaseList::Release(TRivoObject& object) {
  if (IsBase(object)) return;  // the bases live as long as the screen
  if (!object.released_) {
    object.released_ = true;
    released_.push_back(object.Handle());
  }
  object.StoreName("");
}

bool TRivoBaseList::IsBase(const TRivoObject& object) const {
  return &object == bases_[0].get() || &object == bases_[1].get();
}

void TRivoBaseList::Free(TRivoObject& object) {
  if (!IsBase(object)) Destroy(object);
}

void TRivoBaseList::Destroy(TRivoObject& object) {
  object.Destroying();
  auto found = std::find_if(objects_.begin(), objects_.end(), [&](const auto& o) { return o.get() == &object; });
  if (found == objects_.end()) return;
  const std::size_t index = static_cast<std::size_t>(found - objects_.begin());
  // The tick walk's position stays on the object it stands on.
  if (walk_ != kNotWalking && index < walk_) --walk_;
  ForgetName(object.name_);
  object.listed_ = false;
  slots_.Remove(object.Handle());
  std::unique_ptr<TRivoObject> owned = std::move(*found);
  objects_.erase(objects_.begin() + static_cast<std::ptrdiff_t>(index));
}

// --- focus

TRivoControl* TRivoBaseList::Focus() const {
  TRivoObject* object = Resolve(focus_);
  return object ? object->AsControl() : nullptr;
}

void TRivoBaseList::ClearFocus() {
  focus_ = {};
  focus_dirty_ = true;
}

void TRivoBaseList::SetFocus(TRivoControl* control) {
  TRivoControl* old = Focus();
  if (old == control) return;
  if (old && !old->GetName().empty() && !old->EventsSuppressed())
    old->RaiseEvent(old->OnFocusOut, PR_ONFOCUSOUT);
  focus_ = control ? control->Handle() : ObjectHandle{};
  if (control) {
    if (!control->EventsSuppressed()) control->RaiseEvent(control->OnFocusIn, PR_ONFOCUSIN);
    control->FocusGained();
  }
}

// --- the tick

void TRivoBaseList::Tick() {
  for (auto& base : bases_) base->Tick();
  // An index walk: an object's Tick or its freeing may free others (its
  // children, wherever they stand in the list), so nothing is held across
  // either; Destroy moves walk_ back over every object it takes from
  // before it.
  for (walk_ = 0; walk_ < objects_.size();) {
    TRivoObject& object = *objects_[walk_];
    const ObjectHandle handle = object.Handle();
    const bool in_cabinet = object.IsInCabinet();
    const std::string& idle = object.IdlePage();
    if (!idle.empty() && !in_cabinet && !object.EventsSuppressed() && !object.EventWaits(PR_ONIDLE))
      object.RaiseEvent(idle, PR_ONIDLE);
    const bool done = !object.IsPaused() && !object.IsReleased() && !in_cabinet && object.Tick();
    TRivoObject* still = Resolve(handle);
    if (!still) continue;  // it went during its own tick; walk_ is on the next one
    if (done)
      Destroy(*still);
    else
      ++walk_;
  }
  walk_ = kNotWalking;
  std::vector<ObjectHandle> released = std::move(released_);
  released_.clear();
  for (ObjectHandle handle : released)
    if (TRivoObject* object = Resolve(handle)) Destroy(*object);
}

void TRivoBaseList::Reset() {
  const int32_t mouse_x = bases_[0]->MouseX;
  const int32_t mouse_y = bases_[0]->MouseY;
  // The transition reads the bases' pictures, so it goes first. A flip
  // that was under way never ends now: its transition kind goes too, or
  // the new bases would keep drawing off screen.
  DropTransition();
  transition_kind_ = 0;
  while (!objects_.empty()) Destroy(*objects_.back());
  FreeBases();
  events_.Clear();
  released_.clear();
  focus_ = {};
  focus_dirty_ = true;
  CreateBases();
  for (auto& base : bases_) base->UpdateMouse(mouse_x, mouse_y);
}

}  // namespace rivo
