// Random calls of the system functions with random arguments. The input
// bytes choose the calls (any of the 148 functions, with any number of
// arguments the compiler accepts), their arguments (numbers, texts,
// variables of every kind, array elements, nested calls) and what they are
// assigned to; the text is compiled and run against a store of variables
// and a table database with a few tables. A call may stop its expression
// with an error, nothing more: no crash, no runaway allocation, and the
// tables afterwards save and load back to the same bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "script/build_rivo_parser.h"
#include "script/function_table.h"
#include "script/param_collection.h"
#include "script/rivo_parser.h"
#include "script/sys_func_man.h"

namespace {

using namespace rivo;

class Choices {
 public:
  Choices(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  uint32_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint32_t Pick(uint32_t n) { return n ? (Byte() | Byte() << 8) % n : 0; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

constexpr std::array kVariables = {"i", "r", "b", "s", "ia", "ra", "ba", "sa", "m2", "@Temp"};
constexpr std::array kNumbers = {"0",     "1",     "2",    "3",    "-1",         "7",      "255",
                                 "256",   "65536", "2147483647", "-2147483648", "2.5", "0.5",
                                 "-1.25", "1e300", "36526.75",   "$FF"};
// Texts as they are written inside a literal ("\\" is one backslash).
constexpr std::array kTexts = {"",          "a",       "abc",           "a,b,,c",        "ｶﾞA1 ",
                               "ソ\\\\",    "あいう",  "ＡＢａ",        "\\n",           "TRUE",
                               "x = i + 1", "Calc(s)", "id int\\tname", "t",             "p",
                               "name",      "id",      "x",             "  pad  ",       "1,2,3",
                               "a.b\\\\c.txt", "*",    "\\\"",          "ﾊﾟﾋﾟ"};

std::string Expression(Choices& in, int depth);

std::string Literal(Choices& in) {
  std::string text = "\"";
  uint32_t length = in.Pick(9);
  for (uint32_t k = 0; k < length; ++k) {
    auto c = static_cast<char>(in.Byte());
    if (c == '"' || c == '\\') c = 'q';
    text += c;
  }
  return text + "\"";
}

std::string Argument(Choices& in, int depth) {
  switch (in.Pick(10)) {
    case 0:
    case 1: return kNumbers[in.Pick(kNumbers.size())];
    case 2: return in.Pick(2) ? "TRUE" : "FALSE";
    case 3:
    case 4: return std::string("\"") + kTexts[in.Pick(kTexts.size())] + "\"";
    case 5: return Literal(in);
    case 6: return std::string(kVariables[in.Pick(kVariables.size())]) + "[" + std::to_string(in.Pick(5)) + "]";
    case 7:
      if (depth < 2) return Expression(in, depth + 1);
      [[fallthrough]];
    default: return kVariables[in.Pick(kVariables.size())];
  }
}

std::string Expression(Choices& in, int depth) {
  int32_t index = static_cast<int32_t>(in.Pick(kFunctionCount));
  const FunctionInfo* info = FunctionAt(index);
  int32_t extra = info->max_args < 0 ? 4 : info->max_args - info->min_args;
  int32_t count = info->min_args + static_cast<int32_t>(in.Pick(static_cast<uint32_t>(extra) + 1));
  std::string text = std::string(info->name) + "(";
  for (int32_t k = 0; k < count; ++k) text += (k ? ", " : "") + Argument(in, depth);
  return text + ")";
}

void Declare(TParamCollection& store, const char* name, uint8_t kind, std::initializer_list<int32_t> sizes,
             const char* value) {
  TCustomParam& param = store.DeclareVariable(name, kind, VS_GLOBAL)->Param();
  param.SetStr(value);
  if (sizes.size()) param.SetDims({sizes.begin(), sizes.size()});
}

void MakeTables(TDBManager& tables) {
  tables.Create("p", 1);
  tables.ActiveTable()->AddField("seen", DB_BOOL, 0);
  tables.ActiveTable()->Append();
  tables.Create("t", 0);
  TDBTable& t = *tables.ActiveTable();
  t.AddField("id", DB_INT, 0);
  t.AddField("name", DB_STR, 8);
  t.AddField("x", DB_FLOAT, 0);
  t.AddField("ok", DB_BOOL, 0);
  for (int32_t id = 0; id < 3; ++id) {
    t.Append();
    t.SetInt("id", id);
    t.SetStr("name", std::string(1, static_cast<char>('a' + id)));
  }
}

std::string Section(const TDBManager& tables, int32_t status) {
  ByteWriter out;
  tables.SaveToStream(out, status);
  return out.Take();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Choices in(data, size);
  TParamCollection store;
  Declare(store, "i", PT_INT, {}, "3");
  Declare(store, "r", PT_FLOAT, {}, "2.5");
  Declare(store, "b", PT_BOOL, {}, "TRUE");
  Declare(store, "s", PT_STR, {}, "Calc(s)");
  Declare(store, "ia", PT_INT, {4}, "1");
  Declare(store, "ra", PT_FLOAT, {3}, "0.5");
  Declare(store, "ba", PT_BOOL, {2}, "TRUE");
  Declare(store, "sa", PT_STR, {3}, "x");
  Declare(store, "m2", PT_INT, {2, 2}, "4");
  store.SetTempTarget("sa");
  TSysFuncMan functions(store, nullptr, in.Byte());
  MakeTables(functions.Tables());

  for (int statement = 0; statement < 6 && !in.Empty(); ++statement) {
    std::string text = Expression(in, 0);
    if (in.Pick(3) == 0) text = std::string(kVariables[in.Pick(kVariables.size() - 1)]) + " = " + text;
    TRivoParser parser;
    try {
      CompileExpression(text, parser);
    } catch (const RivoError&) {
      continue;
    }
    parser.Evaluate(store);
  }

  std::string game = Section(functions.Tables(), 0), status = Section(functions.Tables(), 1);
  TDBManager loaded;
  ByteReader game_in(game, "game"), status_in(status, "status");
  loaded.LoadFromStream(status_in, 1);
  loaded.LoadFromStream(game_in, 0);
  if (Section(loaded, 0) != game || Section(loaded, 1) != status) __builtin_trap();
  return 0;
}
