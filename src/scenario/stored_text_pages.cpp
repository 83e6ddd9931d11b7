#include "scenario/stored_text_pages.h"

#include "scenario/command_codes.h"
#include "scenario/page.h"
#include "scenario/text_commands.h"

namespace rivo {
namespace {

class LoadedPage : public StoredTextPage {
 public:
  int32_t CommandCount() const override { return page.Count(); }
  const std::string* StoredText(int32_t position) const override {
    if (!page.Holds(position) || page[position].GetType() != CC_TEXTINS) return nullptr;
    return &static_cast<const TComTextIns&>(page[position]).Text;
  }
  TPage page;  // without the variable store: its page variable stays the interpreter's
};

}  // namespace

bool PageStoredTexts::PageExists(std::string_view page_name) { return !page_name.empty() && host_.FileExists(page_name); }

std::unique_ptr<StoredTextPage> PageStoredTexts::LoadPage(std::string_view page_name) {
  auto loaded = std::make_unique<LoadedPage>();
  loaded->page.LoadFromBytes(host_.ReadFile(page_name), std::string(page_name));
  return loaded;
}

}  // namespace rivo
