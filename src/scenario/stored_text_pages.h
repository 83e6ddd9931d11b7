#pragma once
// The pages message windows read their inserted text from: page files
// loaded apart from the interpreter's page cache, so a window's cache never
// changes which pages the interpreter holds.

#include "scenario/scenario_host.h"
#include "text/stored_text_source.h"

namespace rivo {

class PageStoredTexts : public StoredTextSource {
 public:
  explicit PageStoredTexts(ScenarioHost& host) : host_(host) {}
  bool PageExists(std::string_view page_name) override;
  std::unique_ptr<StoredTextPage> LoadPage(std::string_view page_name) override;
  void Log(std::string_view line) override { host_.Log(line); }

 private:
  ScenarioHost& host_;
};

}  // namespace rivo
