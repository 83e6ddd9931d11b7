#pragma once
// TRivoImages (LT_IMAGES, made by ImgNew): the frames of a layered image
// (".orb") played as an animation. Buttons derive from it with one list per
// state; a film source (".rmt") is kept and shows nothing until films play.

#include <array>
#include <cstdint>
#include <string>

#include "objects/rivo_custom_images.h"

namespace rivo {

class TRivoImages : public TRivoCustomImages {
 public:
  static constexpr int32_t kMaxStates = 4;

  explicit TRivoImages(TRivoBaseList& owner) : TRivoCustomImages(owner) {}

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  int32_t GetCompoType() const override { return LT_IMAGES; }
  const std::string& IdlePage() const override { return OnIdle; }

  const std::string& GetSource() const { return sources_[0]; }
  void SetSource(std::string_view name) { SetStateSource(0, name); }
  bool GetRepeat() const { return repeat_; }
  // Turned on without a frame shown, the animation starts at frame 0.
  void SetRepeat(bool v);

  std::string OnPlayEnd, OnIdle;
  bool AutoScrap = false;

  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;

 protected:
  // The state whose list is shown (a button's state; 0 for images).
  int32_t ShownState() const { return shown_state_; }
  void SetShownState(int32_t state) { shown_state_ = state; }
  // The picture of one state: a layered image fills its list (frame 0 shown
  // when it is the shown state), anything else empties it.
  void SetStateSource(int32_t state, std::string_view name);
  const std::string& StateSource(int32_t state) const { return sources_[static_cast<std::size_t>(state)]; }
  TRivoImageList& StateList(int32_t state) { return lists_[static_cast<std::size_t>(state)]; }

  TRivoImageList* CurrentList() override { return &StateList(shown_state_); }
  bool LoopsFrames() const override { return repeat_; }
  bool AnimationEnded() override;
  void ReloadLists() override;
  void ReleaseLists() override;

 private:
  void LoadList(int32_t state);

  std::array<TRivoImageList, kMaxStates> lists_;
  std::array<std::string, kMaxStates> sources_;
  int32_t shown_state_ = 0;
  bool repeat_ = false;
};

// A layered image name (".orb", any case): what image lists play.
bool IsLayeredImageName(std::string_view name);

}  // namespace rivo
