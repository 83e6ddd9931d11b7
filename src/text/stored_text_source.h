#pragma once
// Where message windows find the text of TextIns commands. Pages are the
// scenario's business, which lies above the text engine: the scenario
// implements this and hands it to the screen.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace rivo {

// The texts of one page file, a copy of their own (apart from the
// interpreter's page cache).
class StoredTextPage {
 public:
  virtual ~StoredTextPage() = default;
  virtual int32_t CommandCount() const = 0;
  // The stored glyph list of the TextIns command at position; nullptr when
  // there is no such command.
  virtual const std::string* StoredText(int32_t position) const = 0;
};

class StoredTextSource {
 public:
  virtual ~StoredTextSource() = default;
  virtual bool PageExists(std::string_view page_name) = 0;
  // Loads a page file; raises the page loader's error when it cannot.
  virtual std::unique_ptr<StoredTextPage> LoadPage(std::string_view page_name) = 0;
  // A diagnostic for the player's log (UTF-8).
  virtual void Log(std::string_view line) {}
};

}  // namespace rivo
