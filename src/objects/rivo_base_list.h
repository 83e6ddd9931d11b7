#pragma once
// TRivoBaseList: the screen, the root of all runtime objects. It owns every
// object in one flat list (creation order), the two bases that root the
// visible trees, the event queue, the deferred deletion list and the
// keyboard focus, and it gives out and resolves object handles. Every tick
// the host runs its input step, then the interpreter, then its Tick.
//
// This is the screen's object core. Drawing, the mouse and key steps and
// transitions extend it (ProcessInput and the drawing of the bases); a film
// control owns a private screen of the same class.

#include <array>
#include <functional>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "graphics/custom_wipe.h"
#include "graphics/wipe_codes.h"
#include "graphics/dibx.h"
#include "objects/event_queue.h"
#include "objects/key_state.h"
#include "objects/object_slots.h"
#include "objects/rivo_base.h"
#include "objects/rivo_object.h"

namespace rivo {

class TCursorCache;
class TVrFileManager;
class ByteReader;
class ByteWriter;
class TFontPixelManager;
class TMediaSystem;
class TOrbaCollection;
class TParamCollection;
class TRivoReadList;
class StoredTextSource;

// What the screen needs from the player around it: the game clock.
class ScreenClock {
 public:
  virtual ~ScreenClock() = default;
  virtual int32_t ElapsedMs() const = 0;
  virtual int32_t FrameDeltaMs() const = 0;
};

// Whether CreateByType can make objects of type (this player has the kind).
bool HasObjectKind(int32_t type);

class TRivoBaseList {
 public:
  static constexpr int32_t kDefaultSize = 8;

  // clock: the game clock of timers and motions (not owned; may be nullptr,
  // then time stands still at 0).
  explicit TRivoBaseList(const ScreenClock* clock = nullptr);
  TRivoBaseList(const TRivoBaseList&) = delete;
  TRivoBaseList& operator=(const TRivoBaseList&) = delete;
  virtual ~TRivoBaseList();

  int32_t ElapsedMs() const { return clock_ ? clock_->ElapsedMs() : 0; }
  // The glyph cache text controls draw from (not owned; nullptr: text is
  // measured as empty and not drawn).
  TFontPixelManager* Glyphs() const { return glyphs_; }
  void SetGlyphs(TFontPixelManager* glyphs) { glyphs_ = glyphs; }
  // The game's files, where objects read the data files their properties
  // name (map files...) (not owned; nullptr: no such file exists).
  TVrFileManager* Files() const { return files_; }
  void SetFiles(TVrFileManager* files) { files_ = files; }
  int32_t FrameDeltaMs() const { return clock_ ? clock_->FrameDeltaMs() : 0; }
  // The media system that sounds and movies play through (not owned; set by
  // the host after media start-up, nullptr before: sounds then play nothing).
  TMediaSystem* Media() const { return media_; }
  void SetMedia(TMediaSystem* media) { media_ = media; }
  // The image cache image controls take their pictures from (not owned;
  // nullptr: every picture is empty).
  TOrbaCollection* Images() const { return images_; }
  void SetImages(TOrbaCollection* images) { images_ = images; }
  // The variables that expressions held by objects (and the text of
  // message windows) evaluate against (not owned; nullptr: such
  // expressions give no value).
  TParamCollection* Variables() const { return variables_; }
  void SetVariables(TParamCollection* variables) { variables_ = variables; }
  // What message windows need besides (not owned; each may be nullptr): the
  // player's read marks, and the pages their inserted text comes from.
  TRivoReadList* ReadMarks() const { return read_marks_; }
  void SetReadMarks(TRivoReadList* marks) { read_marks_ = marks; }
  StoredTextSource* StoredTexts() const { return stored_texts_; }
  void SetStoredTexts(StoredTextSource* source) { stored_texts_ = source; }

  // --- making objects
  // A new object of class T, named automatically, with a handle, at the
  // end of the object list.
  template <typename T, typename... Args>
  T& Create(Args&&... args) {
    auto object = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& made = *object;
    Adopt(std::move(object));
    return made;
  }
  // A new object of the kind that reports type (only the low 7 bits
  // count). Types without a class (0, 1, 10, above 27) and kinds whose
  // class this player does not have yet raise an error naming the type,
  // never a silent nothing.
  TRivoObject& CreateByType(int32_t type);

  // --- the two bases
  TRivoBase& BaseAt(int32_t index) const { return *bases_[static_cast<std::size_t>(index & 1)]; }
  int32_t ActiveIndex() const { return active_base_; }
  void SetActiveIndex(int32_t index) { active_base_ = index & 1; }
  TRivoBase& ActiveBase() const { return BaseAt(active_base_); }
  TRivoBase& BackBase() const { return BaseAt(active_base_ ^ 1); }
  int32_t GetWidth() const { return width_; }
  int32_t GetHeight() const { return height_; }
  virtual void SetWidth(int32_t width);
  virtual void SetHeight(int32_t height);
  // PR_COLOR of the screen: passed on to both bases.
  void SetColor(int32_t color);

  // --- the object list
  int32_t ObjectCount() const { return static_cast<int32_t>(objects_.size()); }
  TRivoObject& GetObjectAt(int32_t index) const { return *objects_[static_cast<std::size_t>(index)]; }
  // The object a handle refers to; nullptr for none and for a destroyed one.
  TRivoObject* Resolve(ObjectHandle handle) const { return slots_.Resolve(handle); }

  // --- names
  // "" or 0x01 "BASE0": the active base; 0x01 or 0x01 "BASE1": the back
  // base; otherwise the first object of the list with that exact name.
  TRivoObject* FindObjectByName(std::string_view name) const;
  // "": the active base; 0x01: the back base; 0x01 "BASE0"/"BASE1": base 0
  // or 1; otherwise the first control with that exact name.
  TRivoControl* FindControlByName(std::string_view name) const;
  int32_t IndexOfName(std::string_view name) const;
  bool NameExists(std::string_view name) const { return names_.contains(std::string(name)); }
  // The first of prefix0, prefix1, ... that no object carries.
  std::string AutoName(std::string_view prefix);
  // Appends the names of the objects of type (any with 0) whose parent is
  // parent (any with nullptr); returns how many.
  int32_t ListNames(std::vector<std::string>& names, int32_t type, const TRivoControl* parent) const;

  // --- events
  TTimerList& Events() { return events_; }
  const TTimerList& Events() const { return events_; }
  // The name of an event's sender: empty for none and for a destroyed one.
  std::string SenderName(ObjectHandle sender) const;
  // The sender a saved name stands for: none for the empty name, and the
  // two base names are exactly their bases, whichever is shown now.
  ObjectHandle SenderByName(std::string_view name) const;

  // --- deletion
  // Deferred: at the end of the next Tick (once per object).
  void Release(TRivoObject& object);
  // Detaches the object from its parent and the list and destroys it.
  void Free(TRivoObject& object);
  int32_t ReleasedCount() const { return static_cast<int32_t>(released_.size()); }

  // --- focus
  TRivoControl* Focus() const;
  // Moves the focus with events: the old control loses it, the new one
  // gains it.
  void SetFocus(TRivoControl* control);
  // The focus goes without events and is searched again before the next
  // key dispatch.
  void ClearFocus();
  bool FocusDirty() const { return focus_dirty_; }
  void SetFocusDirty(bool on) { focus_dirty_ = on; }

  // --- input (the window writes the bases' mouse fields and the keys)
  TKeyState& Keys() { return keys_; }
  const TKeyState& Keys() const { return keys_; }
  // The input step of the tick: focus, key tables, the shown base's mouse
  // step, the keys of the focused control, the repeat countdowns.
  void ProcessInput();
  void ClearKeys();
  // Controls that want right clicks (menus and map images put themselves here).
  std::vector<ObjectHandle>& RightClickList() { return right_click_list_; }
  // Where pointer pictures are shown (nullptr: nowhere), and the pointer of
  // controls without their own ("@Cursor").
  void SetCursors(TCursorCache* cursors) { cursors_ = cursors; }
  TCursorCache* Cursors() const { return cursors_; }
  void SetDefaultCursor(std::function<std::string()> name) { default_cursor_ = std::move(name); }
  std::string DefaultCursorName() const { return default_cursor_ ? default_cursor_() : std::string(); }

  // --- drawing
  // The surface the shown base is composed into: the screen manager's
  // drawing surface for the global screen, else one of the screen's own.
  void SetBackBuffer(TDIBX* surface);
  TDIBX& BackBuffer();
  // Both bases redraw their changed rectangles; a running transition draws its step.
  void Draw();
  // The rectangle the last transition step changed; empty without one.
  const TRect& PresentRect() const { return present_rect_; }
  // The last Draw showed a transition's old picture, which the display
  // showed already but for these rectangles: only they are to be
  // presented (only the global screen's back buffer is displayed).
  // nullopt after other frames.
  const std::optional<std::vector<TRect>>& OldPictureChanges() const { return old_picture_changes_; }
  // After presentation; a base the last Draw left undrawn keeps them.
  void ClearDirty();
  void InvalidateAll();
  // The 2 x 2 pattern that outlines selected controls.
  const TDIBX& SelectionPattern() const { return selection_pattern_; }
  // The default parameters transitions start with (the project sets the
  // zoom-in's centre once it knows the screen size).
  TWipeDefaults& WipeDefaults() { return wipe_defaults_; }
  // Where mask-picture transitions find their pictures (not owned; nullptr:
  // every mask picture is missing), and the seed of their random orders.
  void SetWipeMasks(const TWipeMaskSource* masks) { wipe_environment_.masks = masks; }
  void SetWipeSeed(uint32_t seed) { wipe_environment_.seed = seed; }
  // Makes `active` the shown base and prepares (or, with force, restarts)
  // the transition of kind (0: none) with reverse param, duration and its
  // elapsed time position. The transition goes from the shown base's
  // picture to the other's, with the kind's default parameters; the caller
  // applies its own and initialises it (ApplyWipeOverrides). Kinds without
  // a wipe make none. Returns the running transition or nullptr.
  TCustomWipe* StartTransition(int32_t active, int32_t kind, int32_t param, bool force, int32_t position,
                               int32_t duration);
  int32_t TransitionKind() const { return transition_kind_; }
  int32_t TransitionDuration() const;
  void SetTransitionPosition(int32_t ms);
  // A display change: every display surface goes, then comes back, and
  // everything is redrawn.
  void ReleaseSurfaces();
  void RestoreSurfaces();
  // The display flag of the image cache; changing it redraws everything.
  void SetImageReduce(bool on);
  void SetImageReduceHook(std::function<void(bool)> hook) { image_reduce_hook_ = std::move(hook); }

  // --- the tick
  // The update of every object: idle events, automatic deletion, then the
  // released objects go.
  virtual void Tick();
  // Returns the screen to two empty bases (a game load, the Reset command).
  virtual void Reset();

  // --- saving
  void SaveToStream(ByteWriter& out) const;
  void LoadFromStream(ByteReader& in, int32_t version);

 protected:
  // Makes fresh bases (construction and Reset).
  virtual std::unique_ptr<TRivoBase> MakeBase(int32_t index);

 private:
  friend class TRivoObject;

  void Adopt(std::unique_ptr<TRivoObject> object);
  void CreateBases();
  void FreeBases();
  void Destroy(TRivoObject& object);
  void NameChanged(const std::string& old_name, const std::string& new_name);
  void ForgetName(const std::string& old_name);
  bool IsBase(const TRivoObject& object) const;
  void SaveEvents(ByteWriter& out) const;
  void LoadEvents(ByteReader& in, int32_t version);

  const ScreenClock* clock_;
  TVrFileManager* files_ = nullptr;
  TFontPixelManager* glyphs_ = nullptr;
  TMediaSystem* media_ = nullptr;
  TOrbaCollection* images_ = nullptr;
  TParamCollection* variables_ = nullptr;
  TRivoReadList* read_marks_ = nullptr;
  StoredTextSource* stored_texts_ = nullptr;
  ObjectSlots slots_;
  std::array<std::unique_ptr<TRivoBase>, 2> bases_;
  int32_t active_base_ = 0;
  int32_t width_ = kDefaultSize;
  int32_t height_ = kDefaultSize;
  std::vector<std::unique_ptr<TRivoObject>> objects_;
  // How many listed objects carry each name (names are not unique while a
  // rename is under way).
  std::unordered_map<std::string, int32_t> names_;
  std::unordered_map<std::string, int64_t> auto_name_hint_;
  TTimerList events_;
  std::vector<ObjectHandle> released_;
  ObjectHandle focus_;
  bool focus_dirty_ = true;
  // The tick walk's position in objects_ (kNotWalking outside the walk).
  static constexpr std::size_t kNotWalking = static_cast<std::size_t>(-1);
  std::size_t walk_ = kNotWalking;

  void ResizeBackBuffer();
  // The shown base's picture, drawn into the back buffer until a
  // transition starts, moves to the base's own surface.
  void MovePictureToBase(TRivoBase& shown);
  // The frame of a transition that shows the old picture as the display
  // showed it, but for what the old base changes now; false when it cannot.
  bool ShowOldPicture();
  // Until the transition draws its first frame, the back buffer gets the
  // picture back whenever the transition stops or cannot draw.
  void GivePictureBack();
  // Stops the running transition (GivePictureBack first).
  void DropTransition();

  TKeyState keys_;
  std::vector<ObjectHandle> right_click_list_;
  TCursorCache* cursors_ = nullptr;
  std::function<std::string()> default_cursor_;
  TDIBX* back_buffer_ = nullptr;
  TDIBX own_back_buffer_;
  TDIBX selection_pattern_;
  TRect present_rect_;
  TWipeDefaults wipe_defaults_;
  TWipeEnvironment wipe_environment_;
  std::unique_ptr<TCustomWipe> transition_;
  // The base that took the back buffer's storage at the transition's start
  // while the back buffer holds that base's old storage; -1 once the
  // transition has drawn (or the picture was copied).
  int32_t lent_base_ = -1;
  // Every pixel of the back buffer was presented (a Draw into the
  // displayed back buffer since it was set); at a lending, whether the
  // lent picture is what the display shows.
  bool back_buffer_shown_ = false;
  bool lent_picture_shown_ = false;
  std::optional<std::vector<TRect>> old_picture_changes_;
  // A base the last Draw left undrawn, its changed rectangles kept for the
  // next (a transition's new picture before any frame shows it); -1: none.
  int32_t undrawn_base_ = -1;
  int32_t transition_kind_ = 0;
  bool image_reduce_ = false;
  std::function<void(bool)> image_reduce_hook_;
};

}  // namespace rivo
