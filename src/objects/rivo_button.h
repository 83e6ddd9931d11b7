#pragma once
// TRivoButton (LT_BUTTON, made by Button): an image with four pictures,
// normal (0), hover (1), pressed (2) and clicked (3, played once after a
// click), a caption centred on it, and groups in which one button stays
// selected (or none, with PR_ALLOWALLUP). A click raises PR_ONNOTIFY; Enter
// or Space on the focused button clicks it too.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "objects/rivo_images.h"
#include "text/qn_label_list.h"

namespace rivo {

class TRivoButton : public TRivoImages {
 public:
  enum : int32_t { kNormal = 0, kHover = 1, kPressed = 2, kClicked = 3 };

  explicit TRivoButton(TRivoBaseList& owner);

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  int32_t GetCompoType() const override { return LT_BUTTON; }

  int32_t State() const { return state_; }
  // While clicked, only the state after the click changes; otherwise a
  // state without a picture (other than normal) leaves the picture shown.
  void SetState(int32_t state);
  int32_t PressState() const { return press_state_; }

  const std::string& GetHoverSource() const { return StateSource(kHover); }
  void SetHoverSource(std::string_view name) { SetStateSource(kHover, name); }
  const std::string& GetPressedSource() const { return StateSource(kPressed); }
  void SetPressedSource(std::string_view name) { SetStateSource(kPressed, name); }
  const std::string& GetClickedSource() const { return StateSource(kClicked); }
  void SetClickedSource(std::string_view name) { SetStateSource(kClicked, name); }
  bool GetRepeat() const { return state_ != kClicked; }

  int32_t GetGroupIndex() const { return group_index_; }
  void SetGroupIndex(int32_t v);
  bool GetSelected() const { return selected_; }
  void SetSelected(bool v);
  bool GetAllowAllUp() const { return allow_all_up_; }
  // Set on every button of the same group.
  void SetAllowAllUp(bool v);
  std::string OnNotify;

  // --- the caption
  const std::string& GetText() const { return text_; }
  void SetText(std::string_view text);
  std::string GetFontName() const;
  void SetFontName(std::string_view name);
  int32_t GetFontHeight() const;
  void SetFontHeight(int32_t v);
  int32_t GetFontStyle() const;
  void SetFontStyle(int32_t v);
  int32_t GetFontColor() const;
  void SetFontColor(int32_t v);
  bool GetAntialias() const;
  void SetAntialias(bool v);

  void MouseMove() override;
  void MouseOut(TRivoObject* next) override;
  void MouseLeftDown() override;
  void MouseLeftUp() override;
  void KeyRepeat(std::span<const int32_t> codes) override;
  bool Tick() override;

  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;

 protected:
  bool LoopsFrames() const override { return state_ != kClicked; }
  bool AnimationEnded() override;
  void DrawOverPicture(TCustomDIBX& target) override;

 private:
  // Shows frame 0 of state (whatever the state was).
  void ShowState(int32_t state);
  // Raises PR_ONNOTIFY and changes the state or the selection; true when
  // the button asked to be destroyed.
  bool Click();
  // Whether the shown base finds this button under the mouse (press modes).
  bool UnderMouse();
  // Makes the group's selection agree with this button's.
  void UpdateGroup();
  void SetSelectedInGroup(bool v);
  // The caption's renderer: settings changed, measure again.
  void CaptionChanged();

  int32_t press_state_ = 0;
  int32_t state_ = kNormal;
  int32_t state_after_click_ = 0;
  int32_t group_index_ = 0;
  bool selected_ = false;
  bool allow_all_up_ = false;
  std::string text_;
  // Made with the screen's glyph cache; a screen without one has none.
  std::unique_ptr<TQnLabelList> caption_;
};

}  // namespace rivo
