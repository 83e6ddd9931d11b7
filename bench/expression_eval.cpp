// Evaluations per second of a typical condition (a + b * 2 > c) and a
// typical assignment (x = a * 3 + b) with the variable store holding 1,000
// variables besides the system ones; the same with the store changing
// between runs (every name is looked up again), with stores of 10 to 100,000
// variables (the cost must not grow with the store), and compiling plus
// running as the "Calc" function does. The peer figure: the same condition
// hand-coded over a std::unordered_map of the same 1,000 names, the floor
// for any evaluator that finds its variables by name.

#include <benchmark/benchmark.h>

#include <string>
#include <unordered_map>

#include "script/build_rivo_parser.h"
#include "script/param_collection.h"
#include "script/rivo_parser.h"

namespace {

using namespace rivo;

// Names like those of games: "flag12", "count_3" ... with a, b, c and x among them.
void Fill(TParamCollection& store, int count) {
  for (int i = 0; i < count; ++i) {
    std::string name = (i % 2 ? "flag" : "count_") + std::to_string(i);
    store.DeclareVariable(name, PT_INT, VS_GLOBAL)->SetInt(i);
  }
  store.DeclareVariable("a", PT_INT, VS_GLOBAL)->SetInt(5);
  store.DeclareVariable("b", PT_INT, VS_GLOBAL)->SetInt(7);
  store.DeclareVariable("c", PT_INT, VS_GLOBAL)->SetInt(18);
  store.DeclareVariable("x", PT_INT, VS_GLOBAL);
}

void Run(benchmark::State& state, const char* text, int variables, bool change_store) {
  TParamCollection store;
  Fill(store, variables);
  TRivoParser parser;
  CompileExpression(text, parser);
  int32_t depth = 0;
  for (auto _ : state) {
    if (change_store) store.SetCurrentDepth(depth ^= 1);
    parser.Evaluate(store);
    benchmark::DoNotOptimize(parser.Result());
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["evals/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_Condition(benchmark::State& state) { Run(state, "a + b * 2 > c", 1000, false); }
void BM_Assignment(benchmark::State& state) { Run(state, "x = a * 3 + b", 1000, false); }
void BM_ConditionStoreChanging(benchmark::State& state) { Run(state, "a + b * 2 > c", 1000, true); }
void BM_AssignmentStoreChanging(benchmark::State& state) { Run(state, "x = a * 3 + b", 1000, true); }
void BM_ConditionByStoreSize(benchmark::State& state) {
  Run(state, "a + b * 2 > c", static_cast<int>(state.range(0)), true);
}

void BM_CompileAndRun(benchmark::State& state) {
  TParamCollection store;
  Fill(store, 1000);
  for (auto _ : state) {
    TRivoParser parser;
    CompileExpression("a + b * 2 > c", parser);
    parser.Evaluate(store);
    benchmark::DoNotOptimize(parser.Result());
  }
  state.counters["evals/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_PeerHandCoded(benchmark::State& state) {
  std::unordered_map<std::string, int> vars;
  for (int i = 0; i < 1000; ++i) vars[(i % 2 ? "flag" : "count_") + std::to_string(i)] = i;
  vars["a"] = 5;
  vars["b"] = 7;
  vars["c"] = 18;
  std::string a = "a", b = "b", c = "c";
  for (auto _ : state) {
    bool result = vars.find(a)->second + vars.find(b)->second * 2 > vars.find(c)->second;
    benchmark::DoNotOptimize(result);
  }
  state.counters["evals/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_Condition);
BENCHMARK(BM_Assignment);
BENCHMARK(BM_ConditionStoreChanging);
BENCHMARK(BM_AssignmentStoreChanging);
BENCHMARK(BM_ConditionByStoreSize)->Arg(10)->Arg(1000)->Arg(100000);
BENCHMARK(BM_CompileAndRun);
BENCHMARK(BM_PeerHandCoded);

BENCHMARK_MAIN();
