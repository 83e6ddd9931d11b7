#pragma once
// TMesDataCacheList: the pages and stored glyph lists a message window has
// read, most recently used first: up to 4 pages, each with up to 16 lists
// already turned into words, so that paging back and forth through text (or
// a backlog) does not read and decode the same files again.

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <string_view>

#include "text/qn_word.h"
#include "text/stored_text_source.h"

namespace rivo {

class TMesDataCacheList {
 public:
  static constexpr std::size_t kMaxPages = 4;
  static constexpr std::size_t kMaxWordsPerPage = 16;

  // The words of the TextIns command at position of page_name; nullptr
  // when the page has no such command, or when the page or its list cannot
  // be read (logged once per cache, so a broken page does not flood the log).
  const TQnWord* GetStoredText(StoredTextSource& source, std::string_view page_name, int32_t position);
  void Clear() { pages_.clear(); }
  std::size_t PageCount() const { return pages_.size(); }

 private:
  struct CacheWord {
    int32_t position;
    std::unique_ptr<TQnWord> word;
  };
  struct CachePage {
    std::string name;
    std::unique_ptr<StoredTextPage> page;
    std::list<CacheWord> words;
  };
  void LogOnce(StoredTextSource& source, std::string_view line);

  std::list<CachePage> pages_;
  bool logged_ = false;
};

}  // namespace rivo
