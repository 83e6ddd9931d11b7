#include "objects/inline_images.h"

#include "graphics/orba_collection.h"

namespace rivo {
namespace {

class TRivoInlineImage : public InlineImage {
 public:
  explicit TRivoInlineImage(std::shared_ptr<TRivoImageList> list) : list_(std::move(list)) {
    countdown_ = list_->At(0).Delay();
  }
  int32_t Width() const override { return list_->At(0).Shown().Width(); }
  int32_t Height() const override { return list_->At(0).Shown().Height(); }
  bool Animated() const override { return list_->Count() > 1; }
  bool Advance(int32_t ms) override {
    if (!Animated() || ms <= 0) return false;
    const int32_t before = index_;
    countdown_ -= ms;
    while (countdown_ < 1) {
      index_ = (index_ + 1) % list_->Count();
      countdown_ += std::max(1, list_->At(index_).Delay());
    }
    return index_ != before;
  }
  void Draw(TCustomDIBX& surface, int32_t x, int32_t y, int32_t alpha) const override {
    const TRivoImageData& frame = list_->At(index_);
    const TCustomDIBX& picture = frame.Shown();
    TOrbaCollection::DrawPicture(picture, frame.Mask(), surface, x, y, alpha, false, false, picture.GetBounds());
  }

 private:
  std::shared_ptr<TRivoImageList> list_;
  int32_t index_ = 0;
  int32_t countdown_ = 0;
};

}  // namespace

std::unique_ptr<InlineImage> TRivoInlineImages::Load(std::string_view source) {
  auto found = lists_.find(source);
  std::shared_ptr<TRivoImageList> list = found != lists_.end() ? found->second.lock() : nullptr;
  if (!list) {
    list = std::make_shared<TRivoImageList>();
    list->Load(screen_, source);
    lists_[std::string(source)] = list;
  }
  if (list->IsEmpty()) return nullptr;
  return std::make_unique<TRivoInlineImage>(std::move(list));
}

}  // namespace rivo
