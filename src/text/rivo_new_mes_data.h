#pragma once
// TRivoNewMesData: what a message window builds its pages from. The window
// holds references, never the text itself: a block naming the page file and
// the TextIns command whose stored glyph list it shows (or blocks and old
// references put in by the message history), and a cache of the pages and
// lists read for them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/mes_data_cache.h"
#include "text/qn_word.h"
#include "text/rivo_hist_data.h"
#include "text/stored_text_source.h"

namespace rivo {

class ByteReader;
class ByteWriter;

// Saves up to this version hold no blocks.
constexpr int32_t kMesDataBlocksAfterVersion = 112;

class TRivoNewMesData {
 public:
  struct OldReference {
    std::string PageName;
    int32_t CommandPosition = 0;
    int32_t PageIndex = 0;
    int32_t Width = 0;
    int32_t Height = 0;
  };

  void ClearBlocks() { Blocks.Clear(); }
  // The one reference of text a TextIns command inserted.
  void SetInsertedText(std::string_view page_name, int32_t command_position);
  bool HasNoReferences() const { return Blocks.Empty() && OldReferences.empty(); }
  // Every block takes these values (a window does this before it is saved).
  void SetRecordedValues(std::string_view values);
  void ClearOldReferences() { OldReferences.clear(); }
  void AddOldReference(OldReference reference) { OldReferences.push_back(std::move(reference)); }

  // Empties word and lays the referenced text out into pages (empty on
  // entry) at the word's own metrics. Without source, or when the page or
  // its text cannot be had, no pages are made.
  void BuildPages(StoredTextSource* source, TQnWord& word, TWdPages& pages);

  void SaveToStream(ByteWriter& out) const;
  // version: the save's version. Damage raises LoadError.
  void LoadFromStream(ByteReader& in, int32_t version);

  TRivoHistData Blocks;
  std::vector<OldReference> OldReferences;
  TMesDataCacheList TextCache;
};

}  // namespace rivo
