#pragma once
// Labels of the pages beside a page file: the compiled ".rsb" files of the
// same folder, found by name ignoring case as the player finds them.

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "scenario/page.h"
#include "scenario/page_source.h"

namespace rivo::tools {

class SiblingPageLabels : public PageLabels {
 public:
  explicit SiblingPageLabels(std::filesystem::path folder) : folder_(std::move(folder)) {}
  std::optional<int32_t> IndexOf(std::string_view page, std::string_view label) override;
  std::optional<std::string> LabelAt(std::string_view page, int32_t index) override;

 private:
  TPage* Load(std::string_view page);

  std::filesystem::path folder_;
  std::map<std::string, std::unique_ptr<TPage>> pages_;
};

}  // namespace rivo::tools
