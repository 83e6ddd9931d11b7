// The settings record of a word: a round trip, and the fields older saves lack.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "text/qn_word.h"

namespace rivo {
namespace {

TEST(WordSettings, RoundTripAndOlderVersions) {
  TQnWord word;
  word.OriginX = 5;
  word.FontName = "font";
  word.Paging = 0;
  word.TextDelayRate = 300;
  word.EventsEnabled = 1;
  word.ShadowColor = 0x123456;
  word.BorderWidth = 2;
  word.ShadowOffset = 3;
  ByteWriter out;
  word.SaveSettings(out);
  const std::size_t base = 4 * 16 + 4 + 4 + 3;  // int32 fields, the name, three bytes

  struct Case {
    int32_t version;
    std::size_t size;
    int32_t shadow_color, border, shadow;
  };
  for (const Case& c : {Case{120, base + 12, 0x123456, 2, 3}, Case{111, base + 12, 0x123456, 2, 3},
                        Case{110, base + 4, 0x123456, 0, 0}, Case{100, base, 0, 0, 0}}) {
    std::string bytes = out.data().substr(0, c.size);
    ByteReader in(bytes, "save");
    TQnWord copy;
    copy.LoadSettings(in, c.version);
    EXPECT_TRUE(in.AtEnd()) << c.version;
    EXPECT_EQ(copy.OriginX, 5);
    EXPECT_EQ(copy.FontName, "font");
    EXPECT_EQ(copy.Paging, 0);
    EXPECT_EQ(copy.TextDelayRate, 300);
    EXPECT_EQ(copy.EventsEnabled, 1);
    EXPECT_EQ(copy.ShadowColor, c.shadow_color) << c.version;
    EXPECT_EQ(copy.BorderWidth, c.border) << c.version;
    EXPECT_EQ(copy.ShadowOffset, c.shadow) << c.version;
  }
  ByteReader cut(std::string_view(out.data()).substr(0, 20), "save");
  TQnWord damaged;
  EXPECT_THROW(damaged.LoadSettings(cut, 120), LoadError);
}

}  // namespace
}  // namespace rivo
