#pragma once
// The commands that create objects (and the timer, sound and cabinet
// commands): each carries one expression per property id that its page's
// mask holds for its type. Their objects come with the screen; until then
// they move on without effect.

#include "scenario/command.h"
#include "scenario/command_codes.h"

namespace rivo {

class TComComponent : public TCommand {
 public:
  // The slots follow the page's mask for code.
  TComComponent(TPage& page, uint8_t code);
  void Fields(RecordFields& f) override { f.Properties(Properties); }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;

  PropertySlots Properties;
};

// The commands whose objects are controls of the screen.
class TComControl : public TComComponent {
 public:
  using TComComponent::TComComponent;
};

template <uint8_t Code, typename Base>
class TComComponentOf : public Base {
 public:
  explicit TComComponentOf(TPage& page) : Base(page, Code) {}
  uint8_t GetType() const override { return Code; }
};

using TComTimer = TComComponentOf<CC_TIMER, TComComponent>;
using TComSound = TComComponentOf<CC_SOUND, TComComponent>;
using TComBoxNew = TComComponentOf<CC_BOXNEW, TComControl>;
using TComImgNew = TComComponentOf<CC_IMGNEW, TComControl>;
using TComTileNew = TComComponentOf<CC_TILENEW, TComControl>;
using TComSliderNew = TComComponentOf<CC_SLIDERNEW, TComControl>;
using TComScrollbarNew = TComComponentOf<CC_SCROLLBARNEW, TComControl>;
using TComGaugeNew = TComComponentOf<CC_GAUGENEW, TComControl>;
using TComMapImgNew = TComComponentOf<CC_MAPIMGNEW, TComControl>;
using TComPrevMenuNew = TComComponentOf<CC_PREVMENUNEW, TComControl>;
using TComFireNew = TComComponentOf<CC_FIRENEW, TComControl>;
using TComParticleNew = TComComponentOf<CC_PARTICLENEW, TComControl>;
using TComWaveNew = TComComponentOf<CC_WAVENEW, TComControl>;
using TComBtnNew = TComComponentOf<CC_BUTTON, TComControl>;
using TComCinema = TComComponentOf<CC_CINEMA, TComControl>;
using TComMovie = TComComponentOf<CC_MOVIE, TComControl>;
using TComMesNew = TComComponentOf<CC_MESNEW, TComControl>;
using TComEditNew = TComComponentOf<CC_EDITNEW, TComControl>;
using TComMemoNew = TComComponentOf<CC_MEMONEW, TComControl>;
using TComCaption = TComComponentOf<CC_CAPTION, TComControl>;
using TComCGCaption = TComComponentOf<CC_CGCAPTION, TComControl>;
using TComMenu = TComComponentOf<CC_MENU, TComControl>;

// Saving and restoring a set of objects ("cabinet"): the properties, then
// how the objects are selected and the list of their names.
class TComCabinet : public TComComponent {
 public:
  using TComComponent::TComComponent;
  void Fields(RecordFields& f) override {
    TComComponent::Fields(f);
    f.Expression("select", SelectMode);
    f.Expressions("names", Names);
  }

  TRivoParser SelectMode;
  ExpressionList Names;
};

using TComCabinetSave = TComComponentOf<CC_SAVECABINET, TComCabinet>;
using TComCabinetLoad = TComComponentOf<CC_LOADCABINET, TComCabinet>;

}  // namespace rivo
