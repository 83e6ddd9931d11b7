#pragma once
// TRivoMes (type 13, made by the MesNew command): the message window. It
// holds a text engine (TQnWord) and the pages laid out from it, shows one
// page at a time and reveals it glyph by glyph, and raises events when a
// page starts (PR_ONPLAYSTART), while it types (PR_ONPLAYING), at EVENT
// tags (PR_ONNOTIFY), when the page is complete (PR_ONPLAYEND) and when a
// link is clicked (PR_ONLINK). Text comes as markup through PR_TEXT, or as
// a reference to the stored text of a TextIns command, which the window
// reads through its message data.
//
// Typing waits for the script: a page start queues PR_ONPLAYSTART, and
// nothing is revealed until one tick has passed and the interpreter has
// taken that entry, so the script can set the window up first.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "objects/inline_images.h"
#include "objects/rivo_control.h"
#include "text/qn_word.h"
#include "text/rivo_new_mes_data.h"

namespace rivo {

class TRivoMes : public TRivoControl {
 public:
  explicit TRivoMes(TRivoBaseList& owner);

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  int32_t GetCompoType() const override { return LT_MES; }
  const std::string& IdlePage() const override { return OnIdle; }

  // --- text
  // PR_TEXT: the text revealed so far on the shown page (rows up to their
  // first unrevealed glyph, line breaks as CR LF).
  std::string GetText() const;
  // New markup: laid out at once; the first page starts. A markup error
  // leaves the window without pages and is raised to the caller.
  void SetText(std::string_view markup);
  // Rebuilds the pages from the message data (the TextIns command's
  // reference); start_now raises the page start at once.
  void Reload(bool start_now);
  // The TextIns command: the window now refers to the text at
  // command_position of page_name.
  void InsertText(std::string_view page_name, int32_t command_position);
  // PR_INDEX: shows page index (outside the pages, or the shown one: nothing).
  void ShowPage(int32_t index);
  int32_t GetPageIndex() const { return page_index_; }
  int32_t GetPageCount() const { return static_cast<int32_t>(pages_.size()); }
  // PR_PLAYING: a page is shown and it is not the last or still types.
  bool IsPlaying() const;
  int32_t GetPlayState() const override;

  // --- what TextIns, TextClr and the history set
  uint8_t RecordRead = 0;  // 1: reads are marked; 2: the window shows history
  std::string SourcePage;  // the TextIns command's page and position
  int32_t SourceIndex = 0;
  bool HistoryEntry = false;
  int32_t TextStart = 0;

  // --- settings mapped onto the text engine
  const std::string& GetFontName() const { return word_.FontName; }
  void SetFontName(std::string_view name);
  int32_t GetFontHeight() const { return word_.FontHeight; }
  void SetFontHeight(int32_t v);
  int32_t GetFontColor() const { return word_.FontColor; }
  void SetFontColor(int32_t v);
  int32_t GetLinkColor() const { return word_.LinkColor; }
  void SetLinkColor(int32_t v);
  int32_t GetHoverColor() const { return word_.HoverColor; }
  void SetHoverColor(int32_t v);
  int32_t GetBorderColor() const { return word_.BorderColor; }
  void SetBorderColor(int32_t v);
  int32_t GetShadowColor() const { return word_.ShadowColor; }
  void SetShadowColor(int32_t v);
  int32_t GetFontBorder() const { return word_.BorderWidth; }
  void SetFontBorder(int32_t v);
  int32_t GetFontShadow() const { return word_.ShadowOffset; }
  void SetFontShadow(int32_t v);
  int32_t GetLineSpace() const { return word_.LineSpace; }
  void SetLineSpace(int32_t v);
  bool GetAntialias() const { return word_.AntialiasLevel > 0; }
  void SetAntialias(bool on);
  int32_t GetAlpha() const { return word_.Alpha; }
  void SetAlpha(int32_t v);
  int32_t GetDelay() const { return word_.FadeTime; }
  void SetDelay(int32_t v) { word_.FadeTime = std::max(0, v); }
  int32_t GetTextDelay() const { return text_delay_; }
  void SetTextDelay(int32_t v);
  bool GetPaused() const { return paused_flag_; }
  void SetPaused(bool on);
  bool GetTextPaused() const { return text_paused_; }
  void SetTextPaused(bool on);
  int32_t GetTextScrollY() const { return scroll_y_; }
  void SetTextScrollY(int32_t v);
  int32_t GetCaretX() const { return word_.CaretX; }
  int32_t GetCaretY() const { return word_.CaretY; }
  int32_t GetCaretHeight() const { return word_.CaretHeight; }
  const std::string& GetOnNotify() const { return on_notify_; }
  void SetOnNotify(std::string_view page);
  // The flag hook of the message-box interface: paging (1) or scrolling (0).
  bool GetPaging() const { return word_.Paging != 0; }
  void SetPaging(bool on) { word_.Paging = on ? 1 : 0; }
  // The size is the text area's too: WrapWidth and PageHeight follow it.
  void SetWidth(int32_t v) override;
  void SetHeight(int32_t v) override;
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

  std::string OnPlaying, OnPlayStart, OnPlayEnd, OnLink, OnIdle;
  bool CaptureLink = false;

  // --- the tick, drawing and the mouse
  bool Tick() override;
  void Draw(TCustomDIBX& surface) override;
  TRivoControl* HitTest(int32_t x, int32_t y, HitModes modes) override;
  void MouseLeftDown() override;
  void MouseMove() override;
  void MouseOut(TRivoObject* next) override;
  // The layers are plain memory; the shown page is rendered again.
  void RestoreSurfaces() override;

  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;

  // For tests and the dumps.
  const TQnWord& Word() const { return word_; }
  const TWdPages& Pages() const { return pages_; }

 private:
  TWdPage* ShownPage() const;
  // The word's links to the screen, and its origin at the window's corner.
  void BindWord();
  void StartPage();
  void FreePages();
  // Sets NeedsRender and invalidates, as a change of look does.
  void LookChanged();
  void RenderIfNeeded();
  void InvalidateDirty();
  void OnWordEvent(const std::string& text);
  // The shown page enters the read list's pending mark (and the history).
  void NoteShownPage();
  // The message history is not part of this player yet: the window says
  // when it leaves a page and which page it shows, and nothing is kept.
  void FlushHistory() {}
  void NoteHistoryPage(const TWdPage&) {}

  TRivoInlineImages images_;  // before the word, whose pictures it gives
  mutable TQnWord word_;  // saving records the shown page's variable values
  TWdPages pages_;
  mutable TRivoNewMesData mes_data_;
  int32_t page_index_ = -1;
  int32_t scroll_y_ = 0;
  int32_t spare_int_ = 0;
  std::string spare_text_[3];
  std::string on_notify_;
  bool paused_flag_ = false;
  bool text_paused_ = false;
  int32_t text_delay_ = 0;
  std::string text_;
  int32_t start_delay_ = 0;
  bool needs_render_ = false;
  bool reset_alpha_ = false;
  // While a save is read, the pages are rebuilt without touching the read
  // marks or the history (their data is about to be replaced too) and
  // without raising page starts.
  bool loading_ = false;
};

}  // namespace rivo
