#include "objects/rivo_mes.h"

#include <algorithm>

#include "objects/rivo_base.h"
#include "objects/rivo_base_list.h"
#include "script/param_collection.h"
#include "text/rivo_read_list.h"

namespace rivo {
namespace {

// Event texts and link targets hold one argument per line.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

// The typing delay of glyphs outside any WAIT tag ("@TextDelay").
constexpr int32_t kDefaultTextDelay = 50;

}  // namespace

TRivoMes::TRivoMes(TRivoBaseList& owner) : TRivoControl(owner), images_(owner) {
  word_.AntialiasLevel = 3;
  word_.Paging = 1;
  word_.OnEvent = [this](const std::string& text) { OnWordEvent(text); };
}

const PropertyAccessors& TRivoMes::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoControl::ClassProperties();
    t.Add<&TRivoMes::GetText, &TRivoMes::SetText>(PR_TEXT);
    t.Add<&TRivoMes::GetFontName, &TRivoMes::SetFontName>(PR_FONTNAME);
    t.Add<&TRivoMes::GetFontHeight, &TRivoMes::SetFontHeight>(PR_FONTHEIGHT);
    t.Add<&TRivoMes::GetFontColor, &TRivoMes::SetFontColor>(PR_FONTCOLOR);
    t.Add<&TRivoMes::GetLinkColor, &TRivoMes::SetLinkColor>(PR_FONTLINKCOLOR);
    t.Add<&TRivoMes::GetHoverColor, &TRivoMes::SetHoverColor>(PR_FONTHOVERCOLOR);
    t.Add<&TRivoMes::GetBorderColor, &TRivoMes::SetBorderColor>(PR_FONTBORDERCOLOR);
    t.Add<&TRivoMes::GetShadowColor, &TRivoMes::SetShadowColor>(PR_FONTSHADOWCOLOR);
    t.Add<&TRivoMes::GetFontBorder, &TRivoMes::SetFontBorder>(PR_FONTBORDER);
    t.Add<&TRivoMes::GetFontShadow, &TRivoMes::SetFontShadow>(PR_FONTSHADOW);
    t.Add<&TRivoMes::GetLineSpace, &TRivoMes::SetLineSpace>(PR_LINESPACE);
    t.Add<&TRivoMes::GetAntialias, &TRivoMes::SetAntialias>(PR_ANTIALIAS);
    t.Add<&TRivoMes::GetAlpha, &TRivoMes::SetAlpha>(PR_ALPHA);
    t.Add<&TRivoMes::GetDelay, &TRivoMes::SetDelay>(PR_DELAY);
    t.Add<&TRivoMes::GetTextDelay, &TRivoMes::SetTextDelay>(PR_TEXTDELAY);
    t.Add<&TRivoMes::GetPaused, &TRivoMes::SetPaused>(PR_PAUSED);
    t.Add<&TRivoMes::GetTextPaused, &TRivoMes::SetTextPaused>(PR_TEXTPAUSED);
    t.Add<&TRivoMes::GetPageIndex, &TRivoMes::ShowPage>(PR_INDEX);
    t.Get<&TRivoMes::GetPageCount>(PR_COUNT);
    t.Add<&TRivoMes::GetTextScrollY, &TRivoMes::SetTextScrollY>(PR_SCROLLY);
    t.Get<&TRivoMes::GetCaretX>(PR_CARETX);
    t.Get<&TRivoMes::GetCaretY>(PR_CARETY);
    t.Get<&TRivoMes::GetCaretHeight>(PR_CARETHEIGHT);
    t.Data<&TRivoMes::CaptureLink>(PR_CAPTURELINK);
    t.Add<&TRivoMes::GetOnNotify, &TRivoMes::SetOnNotify>(PR_ONNOTIFY);
    t.Data<&TRivoMes::OnPlaying>(PR_ONPLAYING);
    t.Data<&TRivoMes::OnPlayStart>(PR_ONPLAYSTART);
    t.Data<&TRivoMes::OnPlayEnd>(PR_ONPLAYEND);
    t.Data<&TRivoMes::OnLink>(PR_ONLINK);
    t.Data<&TRivoMes::OnIdle>(PR_ONIDLE);
    t.Get<&TRivoMes::IsPlaying>(PR_PLAYING);
    return t;
  }();
  return table;
}

// --- pages

TWdPage* TRivoMes::ShownPage() const {
  return page_index_ >= 0 && page_index_ < GetPageCount() ? pages_[static_cast<std::size_t>(page_index_)].get()
                                                          : nullptr;
}

void TRivoMes::BindWord() {
  word_.Glyphs = Owner().Glyphs();
  word_.Variables = Owner().Variables();
  word_.Images = &images_;
  word_.OriginX = AbsLeft();
  word_.OriginY = AbsTop();
}

void TRivoMes::FreePages() {
  pages_.clear();
  page_index_ = -1;
}

std::string TRivoMes::GetText() const {
  std::string text;
  const TWdPage* page = ShownPage();
  if (!page) return text;
  for (int32_t r = 0; r < static_cast<int32_t>(page->Rows.size()) && r <= page->CurrentRow; ++r) {
    const auto& glyphs = page->Rows[static_cast<std::size_t>(r)]->Glyphs;
    const std::size_t revealed = r < page->CurrentRow ? glyphs.size() : static_cast<std::size_t>(page->CurrentGlyph);
    for (std::size_t i = 0; i < revealed && i < glyphs.size(); ++i) {
      if (glyphs[i]->Kind() == GK_CHAR) static_cast<const TWdChar&>(*glyphs[i]).AppendText(text);
      else if (glyphs[i]->Kind() == GK_RETURN) text += "\r\n";
    }
  }
  return text;
}

void TRivoMes::SetText(std::string_view markup) {
  Invalidate();
  mes_data_.ClearBlocks();
  mes_data_.ClearOldReferences();
  text_ = markup;
  if (!loading_) FlushHistory();
  TextStart = 0;
  FreePages();
  BindWord();
  const TParamCollection* variables = Owner().Variables();
  word_.ParseText(markup, variables ? variables->TextDelay() : kDefaultTextDelay);
  word_.ExpandVars();
  word_.Layout(pages_);
  page_index_ = 0;
  scroll_y_ = 0;
  if (!pages_.empty()) {
    needs_render_ = reset_alpha_ = true;
    StartPage();
  }
}

void TRivoMes::Reload(bool start_now) {
  Invalidate();
  text_.clear();
  if (!loading_) {
    FlushHistory();
    if (RecordRead == 1 && !SourcePage.empty()) NoteShownPage();
  }
  FreePages();
  BindWord();
  mes_data_.BuildPages(Owner().StoredTexts(), word_, pages_);
  if (!pages_.empty()) {
    if (start_now) StartPage();
    needs_render_ = reset_alpha_ = true;
  }
}

void TRivoMes::InsertText(std::string_view page_name, int32_t command_position) {
  mes_data_.SetInsertedText(page_name, command_position);
}

void TRivoMes::NoteShownPage() {
  TWdPage* page = ShownPage();
  if (!page) return;
  word_.RecordVarValues(*page);
  NoteHistoryPage(*page);
  if (TRivoReadList* marks = Owner().ReadMarks()) marks->SetPending(GetName(), SourcePage, page_index_, SourceIndex);
}

void TRivoMes::ShowPage(int32_t index) {
  if (index < 0 || index >= GetPageCount() || index == page_index_) return;
  if (ShownPage()) FlushHistory();
  page_index_ = index;
  scroll_y_ = 0;
  TWdPage& page = *ShownPage();
  page.ScrollY = 0;
  StartPage();
  if (RecordRead == 1 && !SourcePage.empty()) NoteShownPage();
  word_.RewindPage(page);
  needs_render_ = reset_alpha_ = true;
  Invalidate();
}

void TRivoMes::StartPage() {
  if (loading_) return;
  if (!OnPlayStart.empty()) {
    const TRivoReadList* marks = Owner().ReadMarks();
    const bool read = RecordRead == 1 && !SourcePage.empty() && marks &&
                      marks->IsRead(SourcePage, SourceIndex, page_index_);
    RaiseEvent(OnPlayStart, PR_ONPLAYSTART, {read ? "1" : "0"});
  }
  start_delay_ = 1;
}

bool TRivoMes::IsPlaying() const {
  const TWdPage* page = ShownPage();
  return page && (page_index_ + 1 < GetPageCount() || word_.StillTyping(*page));
}

int32_t TRivoMes::GetPlayState() const {
  const TWdPage* page = ShownPage();
  return page && word_.StillTyping(*page) ? LP_PLAY : LP_STOP;
}

// --- settings

void TRivoMes::LookChanged() {
  needs_render_ = true;
  Invalidate();
}

void TRivoMes::SetFontName(std::string_view name) {
  if (name == word_.FontName) return;
  word_.FontName = name;
  if (ShownPage()) LookChanged();
}

void TRivoMes::SetFontHeight(int32_t v) {
  if (v != word_.FontHeight) Repaint([&] {
      word_.FontHeight = v;
      needs_render_ = true;
    });
}

void TRivoMes::SetFontColor(int32_t v) {
  if (v == word_.FontColor) return;
  word_.FontColor = v;
  LookChanged();
}

void TRivoMes::SetLinkColor(int32_t v) {
  if (v == word_.LinkColor) return;
  word_.LinkColor = v;
  LookChanged();
}

void TRivoMes::SetHoverColor(int32_t v) {
  if (v == word_.HoverColor) return;
  word_.HoverColor = v;
  LookChanged();
}

void TRivoMes::SetBorderColor(int32_t v) {
  if (v == word_.BorderColor) return;
  word_.BorderColor = v;
  LookChanged();
}

void TRivoMes::SetShadowColor(int32_t v) {
  if (v == word_.ShadowColor) return;
  word_.ShadowColor = v;
  LookChanged();
}

void TRivoMes::SetFontBorder(int32_t v) {
  if (v != word_.BorderWidth) Repaint([&] {
      word_.BorderWidth = v;
      needs_render_ = true;
    });
}

void TRivoMes::SetFontShadow(int32_t v) {
  if (v != word_.ShadowOffset) Repaint([&] {
      word_.ShadowOffset = v;
      needs_render_ = true;
    });
}

void TRivoMes::SetLineSpace(int32_t v) {
  if (v != word_.LineSpace) Repaint([&] {
      word_.LineSpace = v;
      needs_render_ = true;
    });
}

void TRivoMes::SetAntialias(bool on) {
  word_.AntialiasLevel = on ? 3 : 0;
  if (ShownPage()) needs_render_ = true;
  Invalidate();
}

void TRivoMes::SetAlpha(int32_t v) {
  word_.Alpha = v;
  Invalidate();
}

void TRivoMes::SetTextDelay(int32_t v) {
  text_delay_ = v;
  word_.TextDelayRate = v;
}

void TRivoMes::SetPaused(bool on) {
  paused_flag_ = on;
  word_.Paused = on ? 1 : 0;
  if (!on)
    if (TWdPage* page = ShownPage()) word_.ResetTiming(*page);
}

void TRivoMes::SetTextPaused(bool on) {
  text_paused_ = on;
  word_.Paused = on ? 1 : 0;
  if (!on)
    if (TWdPage* page = ShownPage()) word_.ResetTiming(*page);
}

void TRivoMes::SetTextScrollY(int32_t v) {
  if (v == scroll_y_) return;
  scroll_y_ = v;
  if (TWdPage* page = ShownPage()) {
    page->ScrollY = v;
    word_.ResetTiming(*page);
  }
  Invalidate();
}

void TRivoMes::SetOnNotify(std::string_view page) {
  on_notify_ = page;
  word_.EventsEnabled = page.empty() ? 0 : 1;
}

void TRivoMes::SetWidth(int32_t v) {
  TRivoControl::SetWidth(v);
  Repaint([&] { word_.WrapWidth = v; });
}

void TRivoMes::SetHeight(int32_t v) {
  TRivoControl::SetHeight(v);
  Repaint([&] { word_.PageHeight = v; });
}

void TRivoMes::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  TRivoControl::SetBounds(left, top, width, height);
  Repaint([&] {
    word_.WrapWidth = width;
    word_.PageHeight = height;
  });
}

// --- the tick

void TRivoMes::OnWordEvent(const std::string& text) {
  if (!on_notify_.empty()) RaiseEvent(on_notify_, PR_ONNOTIFY, Lines(text));
}

void TRivoMes::RenderIfNeeded() {
  TWdPage* page = ShownPage();
  if (needs_render_ && page) {
    BindWord();
    word_.Render(*page, reset_alpha_);
  }
  needs_render_ = reset_alpha_ = false;
}

void TRivoMes::InvalidateDirty() {
  if (IsVisible())
    if (TRivoBase* base = GetBase())
      for (const TRect& r : word_.DirtyRects) base->InvalidateRect(r);
  word_.DirtyRects.clear();
}

bool TRivoMes::Tick() {
  if (start_delay_ >= 1) {
    --start_delay_;
    return false;
  }
  if (EventWaits(PR_ONPLAYSTART)) return false;
  RenderIfNeeded();
  TWdPage* page = ShownPage();
  if (!page) return false;
  BindWord();
  TQnWord::StepResult step = word_.TypeStep(*page, Owner().FrameDeltaMs());
  if (!step.typed.empty() && !OnPlaying.empty()) RaiseEvent(OnPlaying, PR_ONPLAYING, {std::move(step.typed)});
  if (step.done) {
    if (TRivoReadList* marks = Owner().ReadMarks()) marks->Commit(GetName());
    RaiseEvent(OnPlayEnd, PR_ONPLAYEND);
  }
  InvalidateDirty();
  return false;
}

void TRivoMes::Draw(TCustomDIBX& surface) {
  if (IsVisible() && GetBase() && ShownPage()) {
    // A page shown since the last tick is rendered (transparent) before it
    // is drawn, so the old page's layers never show through it.
    RenderIfNeeded();
    BindWord();
    word_.Surface = &surface;
    word_.ClipRect = surface.GetClipRect();
    word_.DrawPage(*ShownPage());
    word_.Surface = nullptr;
  }
  DrawChildren(surface);
}

// --- the mouse

TRivoControl* TRivoMes::HitTest(int32_t x, int32_t y, HitModes modes) {
  if (!CaptureLink) return TRivoControl::HitTest(x, y, modes);
  // Only the links take the mouse: plain text lets clicks through.
  if (!IsVisible() || !GetScreenRect().Contains(x, y)) return nullptr;
  for (std::size_t i = Children().size(); i-- > 0;)
    if (TRivoControl* hit = Children()[i]->HitTest(x, y, modes)) return hit;
  TWdPage* page = ShownPage();
  if (!page || !(modes & HitMode(GetIgnoreMouse()))) return nullptr;
  BindWord();
  const TWdReal* glyph = word_.HitTest(*page, x, y);
  return glyph && !glyph->Link.empty() ? this : nullptr;
}

void TRivoMes::MouseMove() {
  TRivoBase* base = GetBase();
  TWdPage* page = ShownPage();
  if (!IsVisible() || !base || !page) return TRivoControl::MouseMove();
  BindWord();
  RenderIfNeeded();
  const bool idle = !paused_flag_ && !word_.StillTyping(*page);
  word_.SetHover(*page, idle ? base->MouseX : -1, idle ? base->MouseY : -1);
  InvalidateDirty();
}

void TRivoMes::MouseOut(TRivoObject* next) {
  TWdPage* page = ShownPage();
  if (!page) return TRivoControl::MouseOut(next);
  BindWord();
  word_.SetHover(*page, -1, -1);
  InvalidateDirty();
}

void TRivoMes::MouseLeftDown() {
  TWdPage* page = ShownPage();
  if (OnLink.empty() || !page || !page->Hovered || EventWaits(PR_ONLINK)) return TRivoControl::MouseLeftDown();
  std::vector<std::string> args{word_.HoveredLinkText(*page)};
  for (std::string& line : Lines(page->Hovered->Link)) args.push_back(std::move(line));
  RaiseEvent(OnLink, PR_ONLINK, std::move(args));
  if (TRivoBase* base = GetBase()) base->LeftClick = false;
}

// --- display changes

void TRivoMes::RestoreSurfaces() {
  if (TWdPage* page = ShownPage()) {
    BindWord();
    word_.Render(*page, false);
    Invalidate();
  }
}

}  // namespace rivo
