#include "objects/rivo_control.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "common/sjis.h"
#include "objects/rivo_base.h"
#include "objects/rivo_base_list.h"

namespace rivo {
namespace {

// "_n" at the end of a name: n when it is an integer above 1.
std::optional<int64_t> SuffixNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 11) return std::nullopt;
  std::size_t i = digits[0] == '-' || digits[0] == '+' ? 1 : 0;
  if (i == digits.size()) return std::nullopt;
  int64_t n = 0;
  for (; i < digits.size(); ++i) {
    if (digits[i] < '0' || digits[i] > '9') return std::nullopt;
    n = n * 10 + (digits[i] - '0');
  }
  if (digits[0] == '-') n = -n;
  if (n > INT32_MAX || n < INT32_MIN || n <= 1) return std::nullopt;
  return n;
}

// Orders siblings: negative when a goes first.
int CompareSiblings(const TRivoControl* a, const TRivoControl* b) {
  if (a == b) return 0;
  static const std::string kTopmost("\x01\x01", 2);
  if (a->GetName() == kTopmost) return 1;
  if (b->GetName() == kTopmost) return -1;
  if (a->HasSystemName() != b->HasSystemName()) return a->HasSystemName() ? -1 : 1;
  int64_t pa = int64_t{a->GetPriority()} + a->GetSubPriority();
  int64_t pb = int64_t{b->GetPriority()} + b->GetSubPriority();
  if (pa != pb) return pa < pb ? -1 : 1;
  return a->GetName().compare(b->GetName());
}

}  // namespace

const PropertyAccessors& TRivoControl::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoObject::ClassProperties();
    using C = TRivoControl;
    t.Add<&C::GetParentName, &C::SetParentByName>(PR_PARENT);
    t.Add<&C::GetLeft, &C::SetLeft>(PR_LEFT);
    t.Add<&C::GetTop, &C::SetTop>(PR_TOP);
    t.Add<&C::GetWidth, &C::SetWidth>(PR_WIDTH);
    t.Add<&C::GetHeight, &C::SetHeight>(PR_HEIGHT);
    t.Add<&C::GetOffsetX, &C::SetOffsetX>(PR_OFFSETX);
    t.Add<&C::GetOffsetY, &C::SetOffsetY>(PR_OFFSETY);
    t.Add<&C::GetColor, &C::SetColor>(PR_COLOR);
    t.Add<&C::GetVisible, &C::SetVisible>(PR_VISIBLE);
    t.Add<&C::GetIgnoreMouse, &C::SetIgnoreMouse>(PR_IGNOREMOUSE);
    t.Add<&C::GetCursor, &C::SetCursor>(PR_CURSOR);
    t.Add<&C::GetPosZoomed, &C::SetPosZoomed>(PR_POSZOOMED);
    t.Add<&C::GetClipLeft, &C::SetClipLeft>(PR_CLIPLEFT);
    t.Add<&C::GetClipTop, &C::SetClipTop>(PR_CLIPTOP);
    t.Add<&C::GetClipWidth, &C::SetClipWidth>(PR_CLIPWIDTH);
    t.Add<&C::GetClipHeight, &C::SetClipHeight>(PR_CLIPHEIGHT);
    t.Add<&C::GetPlusX, &C::SetPlusX>(PR_PLUSX);
    t.Add<&C::GetPlusY, &C::SetPlusY>(PR_PLUSY);
    t.Add<&C::GetAniPaused, &C::SetAniPaused>(PR_ANIPAUSED);
    t.Get<&C::GetPlaying>(PR_PLAYING);
    t.Add<&C::GetHandleKey, &C::SetHandleKey>(PR_HANDLEKEY);
    t.Data<&C::OnMouseMove>(PR_ONMOUSEMOVE);
    t.Data<&C::OnMouseIn>(PR_ONMOUSEIN);
    t.Data<&C::OnMouseOut>(PR_ONMOUSEOUT);
    t.Data<&C::OnLBtnDown>(PR_ONLBTNDOWN);
    t.Data<&C::OnLBtnUp>(PR_ONLBTNUP);
    t.Data<&C::OnRBtnDown>(PR_ONRBTNDOWN);
    t.Data<&C::OnRBtnUp>(PR_ONRBTNUP);
    t.Data<&C::OnWheelDown>(PR_ONWHEELDOWN);
    t.Data<&C::OnWheelUp>(PR_ONWHEELUP);
    t.Data<&C::OnKeyDown>(PR_ONKEYDOWN);
    t.Data<&C::OnKeyUp>(PR_ONKEYUP);
    t.Data<&C::OnKeyRepeat>(PR_ONKEYREPEAT);
    t.Data<&C::OnFocusIn>(PR_ONFOCUSIN);
    t.Data<&C::OnFocusOut>(PR_ONFOCUSOUT);
    return t;
  }();
  return table;
}

void TRivoControl::SetName(std::string_view name) {
  if (name == GetName()) return;
  TRivoBaseList& owner = Owner();
  int32_t index = name.empty() ? -1 : owner.IndexOfName(name);
  if (index >= 0 && &owner.GetObjectAt(index) != this) {
    TRivoObject& other = owner.GetObjectAt(index);
    // The other holder moves to the cut name with the first free "_n".
    std::string base(name);
    int64_t n = 2;
    for (std::size_t pos = base.size(); pos-- > 1;) {
      if (base[pos] != '_' || sjis::IsTrailByteAt(base, pos)) continue;
      if (std::optional<int64_t> start = SuffixNumber(std::string_view(base).substr(pos + 1))) {
        n = *start;
        base.resize(pos);
        break;
      }
    }
    std::string renamed;
    for (;; ++n) {
      renamed = base + "_" + std::to_string(n);
      if (!owner.NameExists(renamed)) break;
    }
    other.StoreName(renamed);
  }
  StoreName(name);
}

// --- the tree

std::string TRivoControl::GetParentName() const { return parent_ ? parent_->GetName() : std::string(); }

void TRivoControl::SetParentByName(std::string_view name) {
  if (TRivoControl* found = Owner().FindControlByName(name)) SetParent(found);
}

void TRivoControl::SetParent(TRivoControl* parent) {
  if (parent == parent_ || parent == this) return;
  for (TRivoControl* up = parent; up; up = up->parent_)
    if (up == this) return;
  Invalidate();
  if (TRivoControl* old = parent_) {
    old->RemoveChild(this);
    parent_ = nullptr;
    if (old->IsCabinet()) LeaveCabinet();
  }
  parent_ = parent;
  if (parent) {
    parent->AddChild(this);
    parent->SortChildren();
    if (parent->IsCabinet()) EnterCabinet();
  }
  Invalidate();
  RefreshFocusAfterMove();
}

void TRivoControl::RefreshFocusAfterMove() {
  TRivoBaseList& owner = Owner();
  const bool in_active = GetBase() == &owner.ActiveBase();
  TRivoControl* focus = owner.Focus();
  if (focus && (focus == this || Contains(*focus)) && !in_active) {
    owner.ClearFocus();
  } else if (!focus && in_active) {
    owner.SetFocusDirty(true);
  }
}

void TRivoControl::AddChild(TRivoControl* child) { children_.push_back(child); }

void TRivoControl::RemoveChild(TRivoControl* child) { std::erase(children_, child); }

void TRivoControl::SortChildren() {
  std::sort(children_.begin(), children_.end(),
            [](const TRivoControl* a, const TRivoControl* b) { return CompareSiblings(a, b) < 0; });
}

bool TRivoControl::Contains(const TRivoObject& object) const {
  const TRivoControl* control = object.AsControl();
  if (!control) return false;
  for (const TRivoControl* up = control->parent_; up; up = up->parent_)
    if (up == this) return true;
  return false;
}

TRivoBase* TRivoControl::GetBase() { return parent_ ? parent_->GetBase() : nullptr; }

bool TRivoControl::IsInCabinet() const {
  for (const TRivoControl* up = parent_; up; up = up->parent_)
    if (up->IsCabinet()) return true;
  return false;
}

// --- life

void TRivoControl::Created() {
  if (!Owner().Focus()) Owner().SetFocusDirty(true);
}

void TRivoControl::Destroying() {
  TRivoBaseList& owner = Owner();
  // Children go first, last to first; each one's own Destroying removes it
  // from this list.
  while (!children_.empty()) owner.Free(*children_.back());
  if (parent_) {
    // What the control covered must be drawn again without it.
    Invalidate();
    parent_->RemoveChild(this);
    parent_ = nullptr;
  }
  if (owner.Focus() == this) owner.ClearFocus();
  for (int32_t i = 0; i < 2; ++i)
    if (owner.BaseAt(i).Hovered == Handle()) owner.BaseAt(i).Hovered = {};
  TRivoComponent::Destroying();
}

}  // namespace rivo
