#include "scenario/stored_text_pages.h"

#include <map>

#include "scenario/call_man.h"
#include "scenario/command_codes.h"
#include "scenario/page.h"
#include "scenario/text_commands.h"

namespace rivo {
namespace {

// The stored lists of a page's TextIns commands, copied out of the page.
class PageTexts : public StoredTextPage {
 public:
  explicit PageTexts(const TPage& page) : count_(page.Count()) {
    for (int32_t i = 0; i < page.Count(); ++i)
      if (page[i].GetType() == CC_TEXTINS) texts_.emplace(i, static_cast<const TComTextIns&>(page[i]).Text);
  }
  int32_t CommandCount() const override { return count_; }
  const std::string* StoredText(int32_t position) const override {
    const auto found = texts_.find(position);
    return found == texts_.end() ? nullptr : &found->second;
  }

 private:
  int32_t count_;
  std::map<int32_t, std::string> texts_;
};

}  // namespace

bool PageStoredTexts::PageExists(std::string_view page_name) { return !page_name.empty() && host_.FileExists(page_name); }

std::unique_ptr<StoredTextPage> PageStoredTexts::LoadPage(std::string_view page_name) {
  // A window mostly shows the text of the page the interpreter runs: its
  // copy saves reading and compiling the page a second time.
  if (interpreter_)
    if (std::shared_ptr<const TPage> held = interpreter_->CachedPage(page_name)) return std::make_unique<PageTexts>(*held);
  TPage page;  // without the variable store: its page variable stays the interpreter's
  page.LoadFromBytes(host_.ReadFile(page_name), std::string(page_name));
  return std::make_unique<PageTexts>(page);
}

}  // namespace rivo
