#include "text/mes_data_cache.h"

#include <exception>

#include "common/byte_reader.h"
#include "common/encoding.h"
#include "common/sjis.h"

namespace rivo {

void TMesDataCacheList::LogOnce(StoredTextSource& source, std::string_view line) {
  if (logged_) return;
  logged_ = true;
  source.Log(line);
}

const TQnWord* TMesDataCacheList::GetStoredText(StoredTextSource& source, std::string_view page_name,
                                                int32_t position) {
  auto page = pages_.begin();
  while (page != pages_.end() && !sjis::SameText(page->name, page_name)) ++page;
  if (page != pages_.end()) {
    pages_.splice(pages_.begin(), pages_, page);
  } else {
    std::unique_ptr<StoredTextPage> loaded;
    try {
      loaded = source.LoadPage(page_name);
    } catch (const std::exception& e) {
      LogOnce(source, "message text: page " + Cp932ToUtf8(page_name) + " could not be read: " + e.what());
      return nullptr;
    }
    if (!loaded) return nullptr;
    pages_.push_front(CachePage{std::string(page_name), std::move(loaded), {}});
    while (pages_.size() > kMaxPages) pages_.pop_back();
  }
  CachePage& cached = pages_.front();
  for (auto it = cached.words.begin(); it != cached.words.end(); ++it) {
    if (it->position != position) continue;
    cached.words.splice(cached.words.begin(), cached.words, it);
    return cached.words.front().word.get();
  }
  if (position < 0 || position >= cached.page->CommandCount()) return nullptr;
  const std::string* stored = cached.page->StoredText(position);
  if (!stored) return nullptr;
  auto word = std::make_unique<TQnWord>();
  try {
    ByteReader in(*stored, Cp932ToUtf8(page_name));
    word->LoadGlyphs(in);
  } catch (const std::exception& e) {
    LogOnce(source, "message text: the text at " + std::to_string(position) + " of " + Cp932ToUtf8(page_name) +
                        " is damaged: " + e.what());
    return nullptr;
  }
  cached.words.push_front(CacheWord{position, std::move(word)});
  while (cached.words.size() > kMaxWordsPerPage) cached.words.pop_back();
  return cached.words.front().word.get();
}

}  // namespace rivo
