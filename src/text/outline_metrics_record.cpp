#include "text/outline_metrics_record.h"

#include "common/byte_writer.h"

namespace rivo {

std::string OutlineMetricsRecord(const FontMetrics& m) {
  ByteWriter w;
  w.U32(kOutlineMetricsRecordSize);  // otmSize
  // TEXTMETRICA: eleven longs, nine bytes, three bytes of padding.
  for (int32_t v : {m.height, m.ascent, m.descent, m.internal_leading, 0, m.average_width, m.max_width,
                    m.weight, 0, 96, 96})
    w.I32(v);
  for (uint8_t v : {uint8_t{0x20}, uint8_t{0xFC}, uint8_t{0x1F}, uint8_t{0x20}}) w.U8(v);  // first, last, default, break
  w.U8(m.italic ? 1 : 0);
  w.U8(0);  // underlined and struck out belong to the drawing, not the font
  w.U8(0);
  w.U8(m.fixed_pitch ? 0x06 : 0x07);  // TrueType, device; variable pitch bit when proportional
  w.U8(128);                          // Shift-JIS character set
  w.Bytes(std::string(3, '\0'));
  w.U8(0);                            // otmFiller
  w.Bytes(std::string(10, '\0'));     // PANOSE
  w.U8(0);                            // alignment
  w.U32(m.italic ? 1 : 0);            // otmfsSelection
  w.U32(0);                           // otmfsType
  w.I32(1);                           // slope rise
  w.I32(0);                           // slope run
  w.I32(0);                           // italic angle
  w.U32(static_cast<uint32_t>(m.em_square));
  w.I32(m.ascent);
  w.I32(-m.descent);
  w.U32(0);                           // line gap
  w.U32(0);                           // cap height
  w.U32(0);                           // x height
  for (int32_t v : {0, m.ascent, m.max_width, -m.descent}) w.I32(v);  // font box
  w.I32(m.ascent);                    // Mac ascent, descent, line gap
  w.I32(-m.descent);
  w.U32(0);
  w.U32(1);                           // minimum ppem
  for (int i = 0; i < 8; ++i) w.I32(0);  // sub- and superscript size and offset
  w.U32(static_cast<uint32_t>(m.strikeout_size));
  w.I32(m.strikeout_position);
  w.I32(m.underscore_size);
  w.I32(m.underscore_position);
  for (int i = 0; i < 4; ++i) w.U32(0);  // name offsets: the names are not part of the record
  return w.Take();
}

}  // namespace rivo
