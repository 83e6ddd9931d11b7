#include "objects/rivo_map_image.h"

#include <algorithm>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "content/memory_stream.h"
#include "content/vr_file_manager.h"
#include "graphics/orba_collection.h"
#include "objects/rivo_base.h"
#include "objects/rivo_base_list.h"
#include "platform/virtual_key.h"
#include "script/param_collection.h"

namespace rivo {
namespace {

// The map file's bytes; nothing when the game has no such file or it
// cannot be read.
std::string ReadMapBytes(TVrFileManager* files, std::string_view name) {
  if (!files || name.empty()) return {};
  try {
    TQnMemoryStream bytes;
    files->LoadToStream(bytes, name);
    return bytes.ToString();
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace

const PropertyAccessors& TRivoMapImage::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoControl::ClassProperties();
    t.Add<&TRivoMapImage::GetSource, &TRivoMapImage::SetSource>(PR_SOURCE);
    t.Add<&TRivoMapImage::GetMapSource, &TRivoMapImage::SetMapSource>(PR_MAPSOURCE);
    t.Add<&TRivoMapImage::GetHoverSource, &TRivoMapImage::SetHoverSource>(PR_HOVERSOURCE);
    t.Add<&TRivoMapImage::GetAlpha, &TRivoMapImage::SetAlpha>(PR_ALPHA);
    t.Add<&TRivoMapImage::GetBrightness, &TRivoMapImage::SetBrightness>(PR_BRIGHTNESS);
    t.Add<&TRivoMapImage::GetPaused, &TRivoMapImage::SetPaused>(PR_PAUSED);
    t.Get<&TRivoMapImage::GetRepeat>(PR_REPEAT);
    t.Data<&TRivoMapImage::AutoScrap>(PR_AUTOSCRAP);
    t.Data<&TRivoMapImage::RClickScrap>(PR_RCLICKSCRAP);
    t.Data<&TRivoMapImage::OnSelect>(PR_ONSELECT);
    t.Data<&TRivoMapImage::OnMapIn>(PR_ONMAPIN);
    t.Data<&TRivoMapImage::OnMapOut>(PR_ONMAPOUT);
    t.Data<&TRivoMapImage::OnIdle>(PR_ONIDLE);
    return t;
  }();
  return table;
}

// --- pictures and map

void TRivoMapImage::LoadSourceList() {
  source_list_.Load(Owner(), source_, true);
  source_cuts_.clear();
  source_cuts_.resize(static_cast<std::size_t>(source_list_.Count()));
}

void TRivoMapImage::LoadHoverList() {
  hover_list_.Load(Owner(), hover_source_, true);
  hover_cuts_.clear();
  hover_cuts_.resize(static_cast<std::size_t>(hover_list_.Count()));
}

void TRivoMapImage::SetSource(std::string_view name) {
  source_ = name;
  Invalidate();
  LoadSourceList();
  if (!source_list_.IsEmpty()) {
    const TDIBX& first = *source_list_.At(0).Frame().surface;
    SetBounds(GetLeft(), GetTop(), first.Width(), first.Height());
  }
  Invalidate();
}

void TRivoMapImage::SetHoverSource(std::string_view name) {
  hover_source_ = name;
  LoadHoverList();
  InvalidateArea(area_);
}

void TRivoMapImage::SetMapSource(std::string_view name) {
  map_source_ = name;
  SetArea(-1);
  areas_ = ReadMapFile(ReadMapBytes(Owner().Files(), map_source_)).Areas;
  // Every cut was made for the old areas.
  for (Cut& cut : source_cuts_) cut.area = kNotCut;
  for (Cut& cut : hover_cuts_) cut.area = kNotCut;
  Invalidate();
}

void TRivoMapImage::SetAlpha(int32_t alpha) {
  if (alpha != alpha_) Repaint([&] { alpha_ = alpha; });
}

void TRivoMapImage::SetBrightness(int32_t brightness) {
  if (brightness != brightness_) Repaint([&] { brightness_ = brightness; });
}

// --- areas

int32_t TRivoMapImage::AreaAt(int32_t x, int32_t y) const {
  for (std::size_t i = 0; i < areas_.size(); ++i)
    if (areas_[i].Region.Contains(x, y)) return static_cast<int32_t>(i);
  return -1;
}

std::vector<std::string> TRivoMapImage::AreaArgs(int32_t index) const {
  return {areas_[static_cast<std::size_t>(index)].Name, std::to_string(index)};
}

void TRivoMapImage::InvalidateArea(int32_t index) {
  if (index < 0 || index >= AreaCount() || !IsVisible()) return;
  const TRect box = areas_[static_cast<std::size_t>(index)].Region.Bounds().Offset(AbsLeft(), AbsTop());
  const TRect shown = Intersect(box, GetScreenRect());
  if (!shown.IsEmpty()) InvalidateRect(shown);
}

void TRivoMapImage::SetArea(int32_t index) {
  if (index < -1 || index >= AreaCount()) index = -1;
  if (index == area_) return;
  if (area_ >= 0 && !OnMapOut.empty()) RaiseEvent(OnMapOut, PR_ONMAPOUT, AreaArgs(area_));
  InvalidateArea(area_);
  area_ = index;
  hover_list_.Restart();
  InvalidateArea(area_);
  if (area_ >= 0 && !OnMapIn.empty()) RaiseEvent(OnMapIn, PR_ONMAPIN, AreaArgs(area_));
}

void TRivoMapImage::SetSelection(const std::string& name, int32_t index) {
  if (TParamCollection* variables = Owner().Variables()) {
    variables->SetSelStr(name);
    variables->SetSelIndex(index);
  }
}

void TRivoMapImage::Select(int32_t index) {
  const std::string& name = areas_[static_cast<std::size_t>(index)].Name;
  SetSelection(name, index);
  if (!OnSelect.empty() && !suppressed_ && !EventWaits(PR_ONSELECT))
    RaiseEvent(OnSelect, PR_ONSELECT, AreaArgs(index));
  if (AutoScrap) {
    closing_ = kClosing;
    suppressed_ = true;
  }
}

void TRivoMapImage::Cancel() {
  SetSelection({}, -1);
  closing_ = kClosing;
}

// --- input

void TRivoMapImage::MouseMove() {
  if (!suppressed_)
    if (const TRivoBase* base = GetBase()) SetArea(AreaAt(base->MouseX - AbsLeft(), base->MouseY - AbsTop()));
  TRivoControl::MouseMove();
}

void TRivoMapImage::MouseOut(TRivoObject* next) {
  SetArea(-1);
  TRivoControl::MouseOut(next);
}

void TRivoMapImage::MouseLeftDown() {
  const int32_t mode = GetIgnoreMouse();
  if (!suppressed_ && (mode == IM_NONE || mode == IM_RCLICK) && !paused_ && area_ >= 0) Select(area_);
  TRivoControl::MouseLeftDown();
}

void TRivoMapImage::KeyRepeat(std::span<const int32_t> codes) {
  for (int32_t code : codes) {
    if (suppressed_) break;
    const int32_t count = AreaCount();
    switch (code) {
      case vk::kUp:
      case vk::kLeft:
        if (count > 0) SetArea(area_ <= 0 ? count - 1 : area_ - 1);
        break;
      case vk::kDown:
      case vk::kRight:
        if (count > 0) SetArea(area_ < 0 || area_ >= count - 1 ? 0 : area_ + 1);
        break;
      case vk::kReturn:
      case vk::kSpace:
        // Only a current area can be selected: with none, nothing happens.
        if (area_ >= 0) Select(area_);
        break;
      case vk::kEscape:
        if (RClickScrap) Cancel();
        break;
      default: break;
    }
  }
  TRivoControl::KeyRepeat(codes);
}

bool TRivoMapImage::HandleRightClick() {
  const int32_t mode = GetIgnoreMouse();
  if (suppressed_ || (mode != IM_NONE && mode != IM_LCLICK)) return false;
  suppressed_ = true;
  Cancel();
  return true;
}

// --- the tick and drawing

bool TRivoMapImage::Tick() {
  if (closing_ == kClosing) {
    suppressed_ = true;
    closing_ = kClosed;
    return false;
  }
  if (closing_ == kClosed) return true;
  if (!GetAniPaused()) {
    const int32_t ms = Owner().FrameDeltaMs();
    if (source_list_.Advance(ms)) Invalidate();
    if (hover_list_.Advance(ms)) InvalidateArea(area_);
  }
  return false;
}

// The mask of the area is painted white on black, inverted for the source
// picture, and combined with the frame's mask as loaded (all opaque for a
// frame without one) by AND. The cached mask is only read.
const TDIBX& TRivoMapImage::CutMask(const TRivoImageData& frame, Cut& cut, bool hover) {
  const int32_t area = area_;
  const TDIBX& picture = *frame.Frame().surface;
  if (cut.area == area && cut.mask->Width() == picture.Width() && cut.mask->Height() == picture.Height())
    return *cut.mask;
  cut.area = area;
  cut.mask->SetSize(picture.Width(), picture.Height(), 8);
  const TDIBX* loaded = frame.Mask();
  const TSpanRegion* region = area >= 0 ? &areas_[static_cast<std::size_t>(area)].Region : nullptr;
  std::vector<TSpan> spans;
  const int32_t width = picture.Width();
  for (int32_t y = 0; y < picture.Height(); ++y) {
    uint8_t* row = cut.mask->Store().ScanLine(y);
    const uint8_t* source = loaded ? loaded->Store().ScanLine(y) : nullptr;
    // Outside the area: the source shows, the hover picture does not.
    const uint8_t outside = hover ? 0 : 0xFF;
    for (int32_t x = 0; x < width; ++x) row[x] = source ? (source[x] & outside) : outside;
    spans.clear();
    if (region) region->RowSpans(y, spans);
    for (const TSpan& s : spans) {
      const int32_t first = std::max(s.first, 0), last = std::min(s.last, width);
      for (int32_t x = first; x < last; ++x) row[x] = hover ? (source ? source[x] : 0xFF) : 0;
    }
  }
  return *cut.mask;
}

void TRivoMapImage::DrawFrame(TCustomDIBX& surface, TRivoImageList& list, std::vector<Cut>& cuts, bool hover) {
  if (!list.Valid(list.Index())) return;
  TRivoImageData& frame = list.At(list.Index());
  frame.SetBrightness(brightness_);
  const TDIBX& mask = CutMask(frame, cuts[static_cast<std::size_t>(list.Index())], hover);
  const TDIBX& picture = frame.Shown();
  TOrbaCollection::DrawPicture(picture, &mask, surface, AbsLeft(), AbsTop(), alpha_, false, false,
                               picture.GetBounds());
}

void TRivoMapImage::Draw(TCustomDIBX& surface) {
  if (alpha_ >= 1) {
    DrawFrame(surface, source_list_, source_cuts_, false);
    if (area_ >= 0) DrawFrame(surface, hover_list_, hover_cuts_, true);
  }
  DrawChildren(surface);
}

// The cache entries go with the display; the lists come back at the frames
// they showed.
void TRivoMapImage::ReleaseSurfaces() {
  saved_source_index_ = source_list_.Index();
  saved_hover_index_ = hover_list_.Index();
  source_list_.Clear();
  hover_list_.Clear();
  source_cuts_.clear();
  hover_cuts_.clear();
}

void TRivoMapImage::RestoreSurfaces() {
  LoadSourceList();
  LoadHoverList();
  source_list_.Restart(saved_source_index_);
  hover_list_.Restart(saved_hover_index_);
  Invalidate();
}

// --- saving

void TRivoMapImage::SaveToStream(ByteWriter& out) const {
  TRivoControl::SaveToStream(out);
  out.String(source_);
  out.String(hover_source_);
  out.String(map_source_);
  out.I32(alpha_);
  out.I32(brightness_);
  out.String(OnMapIn);
  out.String(OnMapOut);
  out.Bool(AutoScrap);
  out.Bool(RClickScrap);
  out.String(OnIdle);
  out.Bool(paused_);
  out.String(OnSelect);
  out.I32(closing_);
}

void TRivoMapImage::LoadFromStream(ByteReader& in, int32_t version) {
  TRivoControl::LoadFromStream(in, version);
  const int32_t left = GetLeft(), top = GetTop(), width = GetWidth(), height = GetHeight();
  SetSource(in.String());
  SetHoverSource(in.String());
  SetMapSource(in.String());
  // The saved size wins over the picture's.
  SetBounds(left, top, width, height);
  alpha_ = in.I32();
  brightness_ = in.I32();
  OnMapIn = in.String();
  OnMapOut = in.String();
  AutoScrap = in.Bool();
  RClickScrap = in.Bool();
  if (version > 103) {
    OnIdle = in.String();
    paused_ = in.Bool();
    OnSelect = in.String();
  }
  if (version > 114) closing_ = in.I32();
  // A map image saved while closing goes on closing without events.
  suppressed_ = closing_ == kClosing || closing_ == kClosed;
}

// --- life

void TRivoMapImage::Created() {
  TRivoControl::Created();
  std::vector<ObjectHandle>& list = Owner().RightClickList();
  if (std::find(list.begin(), list.end(), Handle()) == list.end()) list.push_back(Handle());
}

void TRivoMapImage::Destroying() {
  std::vector<ObjectHandle>& list = Owner().RightClickList();
  list.erase(std::remove(list.begin(), list.end(), Handle()), list.end());
  source_list_.Clear();
  hover_list_.Clear();
  TRivoControl::Destroying();
}

}  // namespace rivo
