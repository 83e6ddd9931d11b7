#pragma once
// TRivoMapImage (LT_MAPIMG, made by MapImgNew): a picture with clickable
// areas. A map file (PR_MAPSOURCE) names the areas and gives each a
// region; the area under the mouse is the current one, shown through the
// hover picture (PR_HOVERSOURCE) while the source picture leaves it out.
// Clicking it, or Enter and Space when the control has the focus, selects
// it: "@SelStr" and "@SelIndex" take its name and index and PR_ONSELECT
// is raised. The arrow keys walk through the areas. With PR_AUTOSCRAP a
// selection closes the control; with PR_RCLICKSCRAP a right click or Esc
// cancels it (index -1). A closing map image holds its events back at once
// and is gone two ticks later.
//
// Both pictures animate by their frames' delays and loop. The masks are
// cut into private copies, one per frame, so the cached frames stay as
// every other control sharing them sees them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/dibx.h"
#include "objects/map_file.h"
#include "objects/rivo_control.h"
#include "objects/rivo_image_list.h"

namespace rivo {

class TRivoMapImage : public TRivoControl {
 public:
  // Closing: 100 after a selection that closes or a cancel, 101 a tick later.
  static constexpr int32_t kClosing = 100;
  static constexpr int32_t kClosed = 101;

  explicit TRivoMapImage(TRivoBaseList& owner) : TRivoControl(owner) {}

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  int32_t GetCompoType() const override { return LT_MAPIMG; }
  bool IsPaused() const override { return paused_; }
  const std::string& IdlePage() const override { return OnIdle; }
  bool EventsSuppressed() const override { return suppressed_; }

  // --- pictures and map
  const std::string& GetSource() const { return source_; }
  // Loads the picture; the control takes its first frame's size.
  void SetSource(std::string_view name);
  const std::string& GetHoverSource() const { return hover_source_; }
  void SetHoverSource(std::string_view name);
  const std::string& GetMapSource() const { return map_source_; }
  // Reads the areas; a missing or damaged file leaves fewer (or none).
  void SetMapSource(std::string_view name);
  int32_t GetAlpha() const { return alpha_; }
  void SetAlpha(int32_t alpha);
  int32_t GetBrightness() const { return brightness_; }
  void SetBrightness(int32_t brightness);
  bool GetPaused() const { return paused_; }
  void SetPaused(bool on) { paused_ = on; }
  // The pictures always loop.
  bool GetRepeat() const { return true; }
  bool RightClickScrap() const override { return RClickScrap; }

  std::string OnMapIn, OnMapOut, OnSelect, OnIdle;
  bool AutoScrap = false;
  bool RClickScrap = false;

  // --- areas
  const std::vector<TMapArea>& Areas() const { return areas_; }
  int32_t AreaCount() const { return static_cast<int32_t>(areas_.size()); }
  // The current area, -1 for none.
  int32_t Area() const { return area_; }
  // The first area (in file order) that holds the point of the control's
  // own coordinates; -1 when none does.
  int32_t AreaAt(int32_t x, int32_t y) const;
  // Makes index current: the old area is left (PR_ONMAPOUT), the hover
  // picture starts again and the new one is entered (PR_ONMAPIN).
  void SetArea(int32_t index);
  int32_t Closing() const { return closing_; }

  // --- input
  void MouseMove() override;
  void MouseOut(TRivoObject* next) override;
  void MouseLeftDown() override;
  void KeyRepeat(std::span<const int32_t> codes) override;
  bool HandleRightClick() override;

  bool Tick() override;
  void Draw(TCustomDIBX& surface) override;
  void ReleaseSurfaces() override;
  void RestoreSurfaces() override;

  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;

  void Created() override;
  void Destroying() override;

 private:
  // A frame's mask cut for one area: the source leaves the area out, the
  // hover picture shows only the area.
  struct Cut {
    std::unique_ptr<TDIBX> mask = std::make_unique<TDIBX>();
    int32_t area = kNotCut;
  };
  static constexpr int32_t kNotCut = -2;

  // "@SelStr" and "@SelIndex" become the area's name and index; PR_ONSELECT
  // follows, and with PR_AUTOSCRAP the control closes.
  void Select(int32_t index);
  // Esc and right clicks: nothing selected, and the control closes.
  void Cancel();
  void SetSelection(const std::string& name, int32_t index);
  std::vector<std::string> AreaArgs(int32_t index) const;
  // The area's box on the base, cut to the control.
  void InvalidateArea(int32_t index);
  // Draws the shown frame of list through its mask cut for the current area.
  void DrawFrame(TCustomDIBX& surface, TRivoImageList& list, std::vector<Cut>& cuts, bool hover);
  const TDIBX& CutMask(const TRivoImageData& frame, Cut& cut, bool hover);
  // The lists from the image cache, each with a fresh cut per frame.
  void LoadSourceList();
  void LoadHoverList();

  std::string source_, hover_source_, map_source_;
  TRivoImageList source_list_, hover_list_;
  std::vector<Cut> source_cuts_, hover_cuts_;
  // The frames shown while the display surfaces are away.
  int32_t saved_source_index_ = 0, saved_hover_index_ = 0;
  std::vector<TMapArea> areas_;
  int32_t area_ = -1;
  int32_t alpha_ = 255;
  int32_t brightness_ = 0;
  bool paused_ = false;
  int32_t closing_ = 0;
  bool suppressed_ = false;
};

}  // namespace rivo
