#pragma once
// The commands that create objects (and the timer, sound and cabinet
// commands): each carries one expression per property id that its page's
// mask holds for its type. A creating command makes an object of its kind
// on the screen, applies the expressions in the fixed creation order
// (ApplyCreationProperties) and finishes as its kind wants (Finish). A kind
// whose class the player does not have yet is skipped and counted.

#include <string>

#include "objects/object_types.h"
#include "scenario/command.h"
#include "scenario/command_codes.h"

namespace rivo {

class TRivoObject;

class TComComponent : public TCommand {
 public:
  // The slots follow the page's mask for code.
  TComComponent(TPage& page, uint8_t code);
  void Fields(RecordFields& f) override { f.Properties(Properties); }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;

  PropertySlots Properties;

 protected:
  // The LT_ type this command makes; LT_NONE for commands that make none.
  virtual uint8_t ObjectType() const { return LT_NONE; }
  // Before the properties (ImgNew and ParticleNew hand the object copies of
  // some of their expressions).
  virtual void Prepare(TCallMan& calls, TRivoObject& object) {}
  // After the properties: movies and sounds start playing, menus open.
  virtual void Finish(TCallMan& calls, TRivoObject& object);
};

// The commands whose objects are controls of the screen.
class TComControl : public TComComponent {
 public:
  using TComComponent::TComComponent;
};

template <uint8_t Code, typename Base, uint8_t Type = LT_NONE>
class TComComponentOf : public Base {
 public:
  explicit TComComponentOf(TPage& page) : Base(page, Code) {}
  uint8_t GetType() const override { return Code; }

 protected:
  uint8_t ObjectType() const override { return Type; }
};

using TComTimer = TComComponentOf<CC_TIMER, TComComponent, LT_TIMER>;
using TComSound = TComComponentOf<CC_SOUND, TComComponent, LT_SOUND>;
using TComBoxNew = TComComponentOf<CC_BOXNEW, TComControl, LT_BOX>;
using TComTileNew = TComComponentOf<CC_TILENEW, TComControl, LT_TILE>;
using TComSliderNew = TComComponentOf<CC_SLIDERNEW, TComControl, LT_SLIDER>;
using TComScrollbarNew = TComComponentOf<CC_SCROLLBARNEW, TComControl, LT_SCROLLBAR>;
using TComGaugeNew = TComComponentOf<CC_GAUGENEW, TComControl, LT_GAUGE>;
using TComMapImgNew = TComComponentOf<CC_MAPIMGNEW, TComControl, LT_MAPIMG>;
using TComPrevMenuNew = TComComponentOf<CC_PREVMENUNEW, TComControl, LT_PREVMENU>;
using TComFireNew = TComComponentOf<CC_FIRENEW, TComControl, LT_FIRE>;
using TComParticleNew = TComComponentOf<CC_PARTICLENEW, TComControl, LT_PARTICLE>;
using TComWaveNew = TComComponentOf<CC_WAVENEW, TComControl, LT_WAVE>;
using TComBtnNew = TComComponentOf<CC_BUTTON, TComControl, LT_BUTTON>;
using TComCinema = TComComponentOf<CC_CINEMA, TComControl, LT_CINEMA>;
using TComMovie = TComComponentOf<CC_MOVIE, TComControl, LT_VIDEO>;
using TComMesNew = TComComponentOf<CC_MESNEW, TComControl, LT_MES>;
using TComEditNew = TComComponentOf<CC_EDITNEW, TComControl, LT_EDIT>;
using TComMemoNew = TComComponentOf<CC_MEMONEW, TComControl, LT_MEMO>;
using TComCaption = TComComponentOf<CC_CAPTION, TComControl, LT_LABEL>;
using TComCGCaption = TComComponentOf<CC_CGCAPTION, TComControl, LT_CGLABEL>;
using TComMenu = TComComponentOf<CC_MENU, TComControl, LT_MENU>;

// ImgNew: before its properties, the image takes a copy of the command's
// PR_DELAY expression as the wait after its last frame.
class TComImgNew : public TComComponentOf<CC_IMGNEW, TComControl, LT_IMAGES> {
 public:
  using TComComponentOf::TComComponentOf;

 protected:
  void Prepare(TCallMan& calls, TRivoObject& object) override;
};

// Applies the expressions present in slots to object, in the creation order:
// skipped ids never, an expression without a value gives the property's
// creation default, an empty PR_NAME keeps the automatic name, and a parent
// that is empty or not found is the active base. Then invalidates.
void ApplyCreationProperties(TCallMan& calls, PropertySlots& slots, TRivoObject& object);

// Parking controls in a cabinet and bringing them back: the properties
// (only PR_NAME counts: the cabinet's name), then how the controls are
// selected and the list of their names.
class TComCabinet : public TComComponent {
 public:
  using TComComponent::TComComponent;
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
  void Fields(RecordFields& f) override {
    TComComponent::Fields(f);
    f.Expression("select", SelectMode);
    f.Expressions("names", Names);
  }

  TRivoParser SelectMode;
  ExpressionList Names;

 private:
  // SaveCabinet: the selected controls of the back base go into the
  // cabinet; LoadCabinet: the selected ones come back to the back base.
  void Save(TCallMan& calls, const std::string& name);
  void Load(TCallMan& calls, const std::string& name);
};

using TComCabinetSave = TComComponentOf<CC_SAVECABINET, TComCabinet>;
using TComCabinetLoad = TComComponentOf<CC_LOADCABINET, TComCabinet>;

}  // namespace rivo
