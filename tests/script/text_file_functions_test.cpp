// Text files of the game through the file manager: "FileExists",
// "LoadTextFile" and "DBLoadTsvFile".

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "content/vr_file_manager.h"
#include "system_function_fixture.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;

using testing::FunctionCase;

class TextFileFunctions : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "rivo-textfile-XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    folder_ = pattern;
    fs::create_directory(folder_ / "tmp");
    files_ = std::make_unique<TVrFileManager>(folder_ / "tmp");
    files_->SetBaseFolder(folder_);
    functions_ = std::make_unique<TSysFuncMan>(store_, files_.get(), 1);
    testing::Declare(store_, "v", PT_STR, "old");
  }
  void TearDown() override {
    functions_.reset();
    files_.reset();
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  std::string Run(const std::string& utf8) {
    TRivoParser parser;
    CompileExpression(Utf8ToCp932(utf8), parser);
    parser.Evaluate(store_);
    last_error_ = parser.LastError();
    return testing::ShowUtf8(parser.Result());
  }
  std::string V() { return testing::ShowUtf8(&store_.Find("v")->Param()); }

  fs::path folder_;
  TParamCollection store_;
  std::unique_ptr<TVrFileManager> files_;
  std::unique_ptr<TSysFuncMan> functions_;
  std::string last_error_;
};

TEST_F(TextFileFunctions, LoadTextFileSplitsLinesAtEveryKindOfLineBreak) {
  Write("lines.txt", "a\r\nb\nc\rd\r\n\x83\x5c");
  EXPECT_EQ(Run(R"(LoadTextFile(v, "lines.txt"))"), "flag:TRUE");
  EXPECT_EQ(V(), "string:[a,b,c,d,ソ]");
  EXPECT_EQ(Run(R"(GetArraySize(v))"), "integer:5");
}

TEST_F(TextFileFunctions, AnEmptyFileHasNoLines) {
  Write("empty.txt", "");
  EXPECT_EQ(Run(R"(LoadTextFile(v, "empty.txt"))"), "flag:FALSE");
  EXPECT_EQ(V(), "string:");
}

TEST_F(TextFileFunctions, AMissingFileIsTheFileManagersError) {
  EXPECT_EQ(Run(R"(LoadTextFile(v, "none.txt"))"), "none");
  EXPECT_EQ(last_error_, "none.txt:ファイルがありません");
  EXPECT_EQ(V(), "string:old");
}

TEST_F(TextFileFunctions, FileExistsAsksTheFileManager) {
  Write("here.txt", "x");
  const FunctionCase cases[] = {
      {R"(FileExists("here.txt"))", "flag:TRUE"},
      {R"(FileExists("HERE.TXT"))", "flag:TRUE"},
      {R"(FileExists("none.txt"))", "flag:FALSE"},
      {R"(FileExists(""))", "flag:FALSE"},
  };
  for (const FunctionCase& c : cases) EXPECT_EQ(Run(c.expression), c.expected) << c.expression;
}

TEST_F(TextFileFunctions, AFileOnADiskThatCannotBeHadIsNotRead) {
  Write("lines.txt", "a\r\n");
  std::vector<std::string> asked;
  functions_->SetDiskRequest([&](std::string_view name) {
    asked.emplace_back(name);
    return false;
  });
  EXPECT_EQ(Run(R"(LoadTextFile(v, "lines.txt"))"), "flag:FALSE");
  EXPECT_EQ(Run(R"(DBCreateTable("t", 0))"), "flag:TRUE");
  EXPECT_EQ(Run(R"(DBLoadTsvFile("lines.txt"))"), "flag:FALSE");
  EXPECT_EQ(asked, (std::vector<std::string>{"lines.txt", "lines.txt"}));
  EXPECT_EQ(V(), "string:old");
}

TEST_F(TextFileFunctions, DBLoadTsvFileFillsTheActiveTable) {
  Write("items.tsv", "id int\tname str 10\r\n1\tapple\r\n\r\n2\tpear\\\\\r\n");
  const FunctionCase cases[] = {
      {R"(DBLoadTsvFile("items.tsv"))", "flag:FALSE"},
      {R"(DBCreateTable("items", 0))", "flag:TRUE"},
      {R"(DBLoadTsvFile("items.tsv"))", "flag:TRUE"},
      {"DBRecordCount()", "integer:2"},
      {R"(DBGetStr("name"))", "string:pear\\"},
      {R"(DBDirectGetStr("items", "id", 1, FALSE, FALSE, "name", ""))", "string:apple"},
  };
  for (const FunctionCase& c : cases) EXPECT_EQ(Run(c.expression), c.expected) << c.expression << last_error_;
}

}  // namespace
}  // namespace rivo
