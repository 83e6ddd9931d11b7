// The cost of system function calls and of the table database, each beside
// a peer figure:
// - a call of a cheap function (Length(s) > 3) beside an expression of the
//   same shape without a call (a + 3 > c): the price of the dispatch;
// - JLength and JPos over 64 KiB of mixed text beside their byte-counted
//   twins (the price of walking characters), HanToZen beside a plain copy
//   of the text;
// - StringReplace of every occurrence in 64 KiB beside the same
//   replacement written with std::string::find;
// - sorting and searching a table of 100,000 records (integer and text
//   keys) beside std::sort and a linear scan over a std::vector of structs
//   with the same keys.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "script/build_rivo_parser.h"
#include "script/db_table.h"
#include "script/param_collection.h"
#include "script/rivo_parser.h"
#include "script/sys_func_man.h"
#include "script/typed_params.h"

namespace {

using namespace rivo;

// 64 KiB of text mixing ASCII, double-byte kana (あ 82 A0) and half-width kana.
std::string MixedText() {
  std::string text;
  while (text.size() < 65536) text += "abc \x82\xa0\x82\xa2 \xb6\xde\xb1 xyz, ";
  return text;
}

void RunExpression(benchmark::State& state, const char* text, const std::string& s) {
  TParamCollection store;
  TSysFuncMan functions(store, nullptr, 1);
  store.DeclareVariable("s", PT_STR, VS_GLOBAL)->Param().SetStr(s);
  store.DeclareVariable("a", PT_INT, VS_GLOBAL)->SetInt(5);
  store.DeclareVariable("c", PT_INT, VS_GLOBAL)->SetInt(7);
  TRivoParser parser;
  CompileExpression(text, parser);
  for (auto _ : state) {
    parser.Evaluate(store);
    benchmark::DoNotOptimize(parser.Result());
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_CallLength(benchmark::State& state) { RunExpression(state, "Length(s) > 3", "abcdef"); }
void BM_PeerNoCall(benchmark::State& state) { RunExpression(state, "a + 3 > c", "abcdef"); }

void BM_JLength64K(benchmark::State& state) { RunExpression(state, "JLength(s)", MixedText()); }
void BM_Length64K(benchmark::State& state) { RunExpression(state, "Length(s)", MixedText()); }
void BM_JPosAtEnd64K(benchmark::State& state) { RunExpression(state, "JPos(\"#\", s)", MixedText() + "#"); }
void BM_PosAtEnd64K(benchmark::State& state) { RunExpression(state, "Pos(\"#\", s)", MixedText() + "#"); }
void BM_HanToZen64K(benchmark::State& state) { RunExpression(state, "HanToZen(s)", MixedText()); }
void BM_PeerCopy64K(benchmark::State& state) { RunExpression(state, "s ++ \"\"", MixedText()); }
void BM_StringReplaceAll64K(benchmark::State& state) {
  RunExpression(state, "StringReplace(s, \"xyz\", \"XYZW\", TRUE)", MixedText());
}

void BM_PeerReplaceWithFind64K(benchmark::State& state) {
  std::string s = MixedText();
  for (auto _ : state) {
    std::string out;
    std::size_t from = 0, at;
    while ((at = s.find("xyz", from)) != std::string::npos) {
      out.append(s, from, at - from);
      out += "XYZW";
      from = at + 3;
    }
    out.append(s, from, std::string::npos);
    benchmark::DoNotOptimize(out);
  }
  state.SetItemsProcessed(state.iterations());
}

constexpr int32_t kRecords = 100000;

struct Row {
  int32_t id;
  std::string name;
};

std::vector<Row> Rows() {
  std::mt19937 random(1);
  std::vector<Row> rows;
  for (int32_t i = 0; i < kRecords; ++i) rows.push_back({static_cast<int32_t>(random()), "n" + std::to_string(random() % 100000)});
  return rows;
}

TDBTable Table(const std::vector<Row>& rows) {
  TDBTable table("t", 0);
  table.AddField("id", DB_INT, 0);
  table.AddField("name", DB_STR, 16);
  for (const Row& row : rows) {
    table.Append();
    table.SetInt(table.Current(), 0, row.id);
    table.SetStr(table.Current(), 1, row.name);
  }
  return table;
}

void BM_TableSort(benchmark::State& state) {
  std::vector<Row> rows = Rows();
  TParamStr names;
  names.SetStr(state.range(0) ? "name" : "id");
  TParamFlag descending;
  for (auto _ : state) {
    state.PauseTiming();
    TDBTable table = Table(rows);
    state.ResumeTiming();
    table.Sort(names, descending);
    benchmark::DoNotOptimize(table.RecordCount());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_PeerStdSort(benchmark::State& state) {
  std::vector<Row> rows = Rows();
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<Row> copy = rows;
    state.ResumeTiming();
    if (state.range(0))
      std::sort(copy.begin(), copy.end(), [](const Row& a, const Row& b) { return a.name < b.name; });
    else
      std::sort(copy.begin(), copy.end(), [](const Row& a, const Row& b) { return a.id < b.id; });
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_TableSearchText(benchmark::State& state) {
  std::vector<Row> rows = Rows();
  TDBTable table = Table(rows);
  TParamStr names, key;
  names.SetStr("name");
  key.SetStr(rows[kRecords / 2].name);
  for (auto _ : state) benchmark::DoNotOptimize(table.Search(&names, &key, false, false));
  state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_PeerScanText(benchmark::State& state) {
  std::vector<Row> rows = Rows();
  std::string key = rows[kRecords / 2].name;
  for (auto _ : state) {
    std::vector<int32_t> found;
    for (int32_t r = 0; r < kRecords; ++r)
      if (rows[static_cast<std::size_t>(r)].name == key) found.push_back(r);
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

BENCHMARK(BM_CallLength);
BENCHMARK(BM_PeerNoCall);
BENCHMARK(BM_JLength64K);
BENCHMARK(BM_Length64K);
BENCHMARK(BM_JPosAtEnd64K);
BENCHMARK(BM_PosAtEnd64K);
BENCHMARK(BM_HanToZen64K);
BENCHMARK(BM_PeerCopy64K);
BENCHMARK(BM_StringReplaceAll64K);
BENCHMARK(BM_PeerReplaceWithFind64K);
BENCHMARK(BM_TableSort)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeerStdSort)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableSearchText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeerScanText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
