// The token pass: line breaks, spaces, quotes, comments, escapes and the
// PRE and TEXTAREA modes cut the text exactly as game texts expect.

#include <gtest/gtest.h>

#include "text/token_pass.h"

namespace rivo {
namespace {

struct TokenCase {
  const char* text;
  std::vector<std::string> tokens;
};

TEST(TokenPass, CutsTextAsTheTableSays) {
  const TokenCase cases[] = {
      {"abc\rdef", {"abc def"}},
      {"abc\r\rdef", {"abc def"}},
      {"abc \rdef", {"abc def"}},
      {"\rabc", {"abc"}},
      {"a   b", {"a b"}},
      {" a", {" a"}},
      {"a\x14\x14" "b", {"a b"}},
      {"a\tb", {"ab"}},
      {"a<B>b</B>c", {"a", "<B>", "b", "</B>", "c"}},
      {"<>", {"<>"}},
      {"x<<B>>y", {"x", "<<B>", "y"}},
      {"a>b", {"a>b"}},
      {"<B", {"<B"}},
      // Quotes take everything literally, and keep their own marks.
      {"a\"<B> \\<  x\"<I>", {"a\"<B> \\<  x\"", "<I>"}},
      {"a\"b\rc", {"a\"bc"}},
      {"<A HREF=\"x>y\">", {"<A HREF=\"x>y\">"}},
      // Comments nest, and any closer ends the innermost opener.
      {"x<!-- a <!-- b --> c -->y", {"x", "<!-- a <!-- b --> c -->", "y"}},
      {"x<!-- a </script>y", {"x", "<!-- a </script>", "y"}},
      {"<Style>a\rb</STYLE>", {"<Style>a\r\nb</STYLE>"}},
      {"a-->b", {"a-->", "b"}},
      {"a<!-- open", {"a", "<!-- open"}},
      // Escapes.
      {"\\<b\\>\\\\\\%\\{\\}", {"<b>\\%{}"}},
      {"a\\qb", {"aqb"}},
      {"a\\", {"a\\"}},
      {"a\\\"b\"c", {"a\"b\"c"}},
      // A trail byte 0x5C is taken for a backslash: content doubles it.
      {"\x83\x5C\\x", {"\x83\x5Cx"}},
      {"\x83\x5Cx", {"\x83x"}},
      // PRE and TEXTAREA.
      {"<PRE>\ra\rb\tc\r</PRE>d", {"<PRE>", "a", "<BR>", "b        c", "</PRE>", "d"}},
      {"<pre>a  b\x14\x14</pre>", {"<pre>", "a b  ", "</pre>"}},
      {"<TEXTAREA>\ra\rb\r</TEXTAREA>", {"<TEXTAREA>", "a", "b", "</TEXTAREA>"}},
      {"<PRE><TEXTAREA>a\rb</PRE>", {"<PRE>", "<TEXTAREA>", "a", "<BR>", "b", "</PRE>"}},
      {"<B\rx>", {"<B x>"}},
  };
  for (const TokenCase& c : cases) EXPECT_EQ(SplitTokens(c.text), c.tokens) << c.text;
}

TEST(TokenPass, LinesJoinWithOneCarriageReturn) {
  EXPECT_EQ(JoinLines("a\r\nb\nc\rd\r\n"), "a\rb\rc\rd\r");
  EXPECT_EQ(JoinLines("\n\n"), "\r\r");
}

}  // namespace
}  // namespace rivo
