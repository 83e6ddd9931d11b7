#include "objects/frozen_picture.h"

#include "objects/rivo_base_list.h"
#include "objects/rivo_custom_image.h"

namespace rivo {

TRivoControl& FreezeShownPicture(TRivoBaseList& screen) {
  TRivoCustomImage& frozen = screen.Create<TRivoCustomImage>();
  TRivoBase& shown = screen.ActiveBase();
  shown.ComposeInto(frozen.Surface);
  frozen.SetName(kFrozenPictureName);
  frozen.SetParent(&shown);
  frozen.SetLeft(0);
  frozen.SetTop(0);
  frozen.SetWidth(screen.GetWidth());
  frozen.SetHeight(screen.GetHeight());
  frozen.SetVisible(true);
  frozen.Invalidate();
  return frozen;
}

}  // namespace rivo
