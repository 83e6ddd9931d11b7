#pragma once
// The pages message windows read their inserted text from: the texts of
// the interpreter's copy where it holds the page, else of the page file
// loaded apart. A window's cache never changes which pages the interpreter
// holds, nor keeps them (a page's variable goes with the interpreter's page).

#include "scenario/scenario_host.h"
#include "text/stored_text_source.h"

namespace rivo {

class TCallMan;

class PageStoredTexts : public StoredTextSource {
 public:
  explicit PageStoredTexts(ScenarioHost& host) : host_(host) {}
  // The interpreter whose cached pages are read (nullptr: none); it must
  // outlive this or be unset first.
  void SetInterpreter(const TCallMan* interpreter) { interpreter_ = interpreter; }
  bool PageExists(std::string_view page_name) override;
  std::unique_ptr<StoredTextPage> LoadPage(std::string_view page_name) override;
  void Log(std::string_view line) override { host_.Log(line); }

 private:
  ScenarioHost& host_;
  const TCallMan* interpreter_ = nullptr;
};

}  // namespace rivo
