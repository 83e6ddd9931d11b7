#include "objects/frozen_picture.h"

#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"

namespace rivo {
namespace {

// A still picture in a control, drawn one to one.
class TFrozenPicture : public TRivoControl {
 public:
  using TRivoControl::TRivoControl;
  TDIBX Surface;

  void Draw(TCustomDIBX& surface) override {
    if (!Surface.IsEmpty()) surface.Draw(AbsLeft(), AbsTop(), false, false, false, Surface.GetBounds(), Surface);
    DrawChildren(surface);
  }
};

}  // namespace

TRivoControl& FreezeShownPicture(TRivoBaseList& screen) {
  TFrozenPicture& frozen = screen.Create<TFrozenPicture>();
  TRivoBase& shown = screen.ActiveBase();
  shown.ComposeInto(frozen.Surface);
  frozen.SetName(kFrozenPictureName);
  frozen.SetParent(&shown);
  frozen.SetBounds(0, 0, screen.GetWidth(), screen.GetHeight());
  frozen.SetVisible(true);
  frozen.Invalidate();
  return frozen;
}

}  // namespace rivo
