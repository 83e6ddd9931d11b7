#include "tools/sibling_page_labels.h"

#include <fstream>
#include <sstream>

#include "common/encoding.h"
#include "common/sjis.h"
#include "scenario/label_commands.h"

namespace rivo::tools {

TPage* SiblingPageLabels::Load(std::string_view page) {
  std::string key(page);
  if (auto found = pages_.find(key); found != pages_.end()) return found->second.get();
  std::unique_ptr<TPage>& slot = pages_[key];
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder_, ec)) {
    if (!sjis::SameText(Utf8ToCp932(entry.path().filename().string()), page)) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    try {
      auto loaded = std::make_unique<TPage>();
      loaded->LoadFromBytes(bytes.str(), key);
      slot = std::move(loaded);
    } catch (const std::exception&) {
    }
    break;
  }
  return slot.get();
}

std::optional<int32_t> SiblingPageLabels::IndexOf(std::string_view page, std::string_view label) {
  TPage* p = Load(page);
  if (!p) return std::nullopt;
  int32_t index = p->IndexOfLabel(label);
  if (index < 0) return std::nullopt;
  return index;
}

std::optional<std::string> SiblingPageLabels::LabelAt(std::string_view page, int32_t index) {
  TPage* p = Load(page);
  if (!p || !p->Holds(index)) return std::nullopt;
  auto* label = dynamic_cast<TComLabel*>(&(*p)[index]);
  if (!label || p->IndexOfLabel(label->Text) != index) return std::nullopt;
  return label->Text;
}

}  // namespace rivo::tools
