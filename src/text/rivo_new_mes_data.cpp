#include "text/rivo_new_mes_data.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"

namespace rivo {

void TRivoNewMesData::SetInsertedText(std::string_view page_name, int32_t command_position) {
  ClearBlocks();
  Blocks.AddBlock(page_name, command_position, 0, -1, 0, {});
}

void TRivoNewMesData::SetRecordedValues(std::string_view values) {
  for (int32_t i = 0; i < Blocks.Count(); ++i) Blocks[i].RecordedValues = values;
}

void TRivoNewMesData::BuildPages(StoredTextSource* source, TQnWord& word, TWdPages& pages) {
  word.Clear();
  // Text inserted by TextIns is one block of no height. Blocks chosen from
  // a history and the old references are built by the history, which this
  // player does not have yet.
  if (!source || Blocks.Count() != 1 || Blocks.TotalHeight() != 0) return;
  const std::string page_name = Blocks.BlockPageName(0);
  if (!source->PageExists(page_name)) return;
  const TRivoHistData::Block& block = Blocks[0];
  const TQnWord* stored = TextCache.GetStoredText(*source, page_name, block.CommandPosition);
  if (!stored) return;
  word.CopyGlyphs(*stored, block.StartPosition, block.EndPosition);
  word.SetVarValues(block.RecordedValues);
  word.ExpandVars();
  word.Layout(pages);
}

void TRivoNewMesData::SaveToStream(ByteWriter& out) const {
  out.I32(static_cast<int32_t>(OldReferences.size()));
  for (const OldReference& r : OldReferences) out.String(r.PageName);
  for (const OldReference& r : OldReferences) out.I32(r.CommandPosition);
  for (const OldReference& r : OldReferences) out.I32(r.PageIndex);
  for (const OldReference& r : OldReferences) {
    out.I32(r.Width);
    out.I32(r.Height);
  }
  Blocks.SaveToStream(out);
}

void TRivoNewMesData::LoadFromStream(ByteReader& in, int32_t version) {
  // Each reference takes at least a name length and four integers.
  std::size_t count = in.Count(in.I32(), 5 * 4);
  std::vector<OldReference> references(count);
  for (OldReference& r : references) r.PageName = in.String();
  for (OldReference& r : references) r.CommandPosition = in.I32();
  for (OldReference& r : references) r.PageIndex = in.I32();
  for (OldReference& r : references) {
    r.Width = in.I32();
    r.Height = in.I32();
  }
  TRivoHistData blocks;
  if (version > kMesDataBlocksAfterVersion) blocks.LoadFromStream(in, version);
  OldReferences = std::move(references);
  Blocks = std::move(blocks);
  TextCache.Clear();
}

}  // namespace rivo
