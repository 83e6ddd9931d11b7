// rivotool markup, run as the user runs it, against golden listings in
// tests/text/golden.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/byte_writer.h"
#include "script/build_rivo_parser.h"
#include "script/tool_runner.h"
#include "text/markup_form.h"
#include "text/qn_word.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class RivotoolMarkup : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(testing::RivotoolPath())) GTEST_SKIP() << "rivotool is not built";
    dir_ = fs::temp_directory_path() / ("rivo_markup_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // The tool's output for args compared with golden/NAME.txt.
  void ExpectGolden(const std::string& args, const std::string& name) {
    testing::ToolOutput run = testing::RunRivotool("markup " + args);
    EXPECT_EQ(run.code, 0) << args;
    EXPECT_EQ(run.out, ReadAll(fs::path(RIVO_SOURCE_DIR) / "tests/text/golden" / (name + ".txt"))) << args;
  }

  fs::path dir_;
};

TEST_F(RivotoolMarkup, PrintsStylesAndGlyphsOfTexts) {
  ExpectGolden("'a<B>b</B> 「か」<FONT SIZE=20 COLOR=#FF0000>c</FONT><A HREF=x>d</A><DIV ALIGN=CENTER>"
               "<BR CLEAR><EVENT VALUE=e END><VAR NAME=v><IMG SRC=i.png><INDENT><UNDENT>'",
               "every_kind");
  ExpectGolden("'<WAIT VALUE=-200>x</WAIT>y   z' --text-delay 0", "waits");
  ExpectGolden("'<FONT NAME=\"ＭＳ 明朝\" BORDER SHADOW=-2 BCOLOR=#102030><RUBY VALUE=かな><NOBR>漢</FONT>'",
               "styles");
}

TEST_F(RivotoolMarkup, ReadsFilesAsGameBytes) {
  // ソ (0x83 0x5C) written with its second backslash, as games store it.
  WriteAll(dir_ / "text.txt", "\x83\x5C\\\r\n<PRE>a\tb</PRE>\"<I>\"");
  ExpectGolden("--file '" + (dir_ / "text.txt").string() + "'", "file");
}

TEST_F(RivotoolMarkup, ReadsAndWritesStoredLists) {
  // A list without header: one-byte border, a compiled VAR expression.
  TQnWord word;
  word.ParseText("<FONT BORDER=2>a</FONT><VAR NAME=x>", 50);
  auto& var = static_cast<TWdOpeVar&>(word[1]);
  var.Expression = std::make_unique<TRivoParser>();
  CompileExpression("score * 2", *var.Expression);
  ByteWriter old;
  word.SaveGlyphs(old, 0);
  WriteAll(dir_ / "old.bin", old.data());
  ExpectGolden("--stored '" + (dir_ / "old.bin").string() + "'", "stored_old");

  fs::path out = dir_ / "new.bin";
  testing::ToolOutput run = testing::RunRivotool("markup '<B>太字</B>' --write-stored '" + out.string() + "'");
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(ReadAll(out), StoredListOfMarkup("<B>\x91\xBE\x8E\x9A</B>", 50));
  EXPECT_EQ(testing::RunRivotool("markup --stored '" + out.string() + "'").out, run.out);
}

TEST_F(RivotoolMarkup, RefusesBadMarkupAndBadUse) {
  EXPECT_EQ(testing::RunRivotool("markup '<A>x'").code, 2);
  EXPECT_EQ(testing::RunRivotool("markup").code, 1);
  WriteAll(dir_ / "bad.bin", std::string("QnWord102\xFF\xFF\xFF\x7F", 13));
  EXPECT_EQ(testing::RunRivotool("markup --stored '" + (dir_ / "bad.bin").string() + "'").code, 2);
}

}  // namespace
}  // namespace rivo
