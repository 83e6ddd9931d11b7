// The settings record a saved message window carries.

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "text/qn_word.h"

namespace rivo {

void TQnWord::SaveSettings(ByteWriter& out) const {
  out.I32(OriginX);
  out.I32(OriginY);
  out.I32(FontHeight);
  out.String(FontName);
  out.I32(FontColor);
  out.I32(PageHeight);
  out.I32(WrapWidth);
  out.I32(AntialiasLevel);
  out.I32(LineSpace);
  out.U8(Paging);
  out.I32(LinkColor);
  out.I32(HoverColor);
  out.I32(FadeTime);
  out.I32(BorderColor);
  out.I32(Alpha);
  out.U8(Paused);
  out.I32(CaretX);
  out.I32(CaretY);
  out.I32(TextDelayRate);
  out.U8(EventsEnabled);
  out.I32(ShadowColor);
  out.I32(BorderWidth);
  out.I32(ShadowOffset);
}

void TQnWord::LoadSettings(ByteReader& in, int32_t version) {
  OriginX = in.I32();
  OriginY = in.I32();
  FontHeight = in.I32();
  FontName = in.String();
  FontColor = in.I32();
  PageHeight = in.I32();
  WrapWidth = in.I32();
  AntialiasLevel = in.I32();
  LineSpace = in.I32();
  Paging = in.U8();
  LinkColor = in.I32();
  HoverColor = in.I32();
  FadeTime = in.I32();
  BorderColor = in.I32();
  Alpha = in.I32();
  Paused = in.U8();
  CaretX = in.I32();
  CaretY = in.I32();
  TextDelayRate = in.I32();
  EventsEnabled = in.U8();
  if (version >= 110) ShadowColor = in.I32();
  if (version > 110) {
    BorderWidth = in.I32();
    ShadowOffset = in.I32();
  }
}

}  // namespace rivo
