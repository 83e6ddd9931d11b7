// The saved form of a message window: the text engine's settings, the
// message data the pages are rebuilt from, the window's own fields and the
// typing state of every page.

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "objects/rivo_mes.h"

namespace rivo {

void TRivoMes::SaveToStream(ByteWriter& out) const {
  TRivoControl::SaveToStream(out);
  word_.SaveSettings(out);
  // A restored window shows the variables as they were when it was saved.
  if (TWdPage* page = ShownPage()) {
    word_.RecordVarValues(*page);
    mes_data_.SetRecordedValues(page->RecordedValues);
  }
  mes_data_.SaveToStream(out);
  out.U8(HistoryEntry ? 1 : 0);
  out.I32(TextStart);
  out.String(text_);
  out.I32(page_index_);
  out.I32(scroll_y_);
  out.I32(spare_int_);
  for (const std::string& s : spare_text_) out.String(s);
  for (const std::string* s : {&OnPlaying, &OnPlayStart, &OnPlayEnd, &OnLink, &on_notify_}) out.String(*s);
  out.U8(paused_flag_ ? 1 : 0);
  out.U8(text_paused_ ? 1 : 0);
  out.I32(text_delay_);
  out.U8(RecordRead);
  out.String(SourcePage);
  out.I32(SourceIndex);
  out.String(OnIdle);
  out.U8(CaptureLink ? 1 : 0);
  ByteWriter states;
  for (const auto& page : pages_) word_.SavePageState(*page, states);
  out.I32(static_cast<int32_t>(states.Size()));
  out.Bytes(states.data());
}

void TRivoMes::LoadFromStream(ByteReader& in, int32_t version) {
  TRivoControl::LoadFromStream(in, version);
  struct Loading {
    bool& flag;
    ~Loading() { flag = false; }
  } loading{loading_ = true};
  word_.LoadSettings(in, version);
  mes_data_.LoadFromStream(in, version);
  HistoryEntry = in.U8() != 0;
  if (version > 112) TextStart = in.I32();
  std::string text = in.String();
  // The pages come from the text or the references as they are now; a text
  // that no longer compiles leaves the window without pages, and the rest
  // of the save still loads.
  if (mes_data_.HasNoReferences()) {
    try {
      SetText(text);
    } catch (const RivoError&) {
      FreePages();
    }
  } else {
    Reload(false);
  }
  page_index_ = in.I32();
  scroll_y_ = in.I32();
  spare_int_ = in.I32();
  for (std::string& s : spare_text_) s = in.String();
  OnPlaying = in.String();
  OnPlayStart = in.String();
  OnPlayEnd = in.String();
  OnLink = in.String();
  on_notify_ = in.String();
  paused_flag_ = in.U8() != 0;
  text_paused_ = in.U8() != 0;
  text_delay_ = in.I32();
  RecordRead = in.U8();
  SourcePage = in.String();
  SourceIndex = in.I32();
  if (TWdPage* page = ShownPage()) {
    word_.RewindPage(*page);
    BindWord();
    word_.Render(*page, false);
  }
  if (version > 103) OnIdle = in.String();
  if (version >= 120) CaptureLink = in.U8() != 0;
  // Exactly the saved bytes: pages laid out anew need not match the saved
  // ones, so each reads what it finds and the surplus is ignored.
  const int32_t size = in.I32();
  if (size < 0) in.Fail("negative size of the typing state");
  ByteReader states(in.View(static_cast<std::size_t>(size)), "");
  for (const auto& page : pages_) word_.LoadPageState(*page, states);
  needs_render_ = reset_alpha_ = false;
}

}  // namespace rivo
