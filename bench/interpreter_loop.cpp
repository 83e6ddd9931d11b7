// Commands per second of the interpreter: one tick runs a loop of Calc and
// If commands (every command continues in the same tick) to its end.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "bench/bench_host.h"
#include "scenario/call_man.h"
#include "scenario/page.h"
#include "scenario/page_source.h"
#include "scenario/scenario_system_services.h"
#include "script/param_collection.h"

namespace {

using rivo::bench::BenchHost;

constexpr int kRounds = 10000;
// Every round runs While, Calc, If and WhileLoop; the 5000 odd rounds add
// the Calc of the If's branch and the Elseif that skips the rest, the 2499
// even rounds above 5000 add the Calc of the Elseif's branch. With the
// four commands before the loop and its last While: 52504 commands.
constexpr int64_t kCommands = 4 * kRounds + 5000 * 2 + 2499 + 4 + 1;

const char* kLoop = R"(VarNew i
  . kind integer
VarNew total
  . kind integer
VarNew odd
  . kind integer
WhileInit i = 0
While i < 10000
  Calc total = total + i * 3
  If i % 2 == 1
    Calc odd = odd + 1
  Elseif i > 5000
    Calc total = total - 1
WhileLoop i = i + 1
Wait TRUE
)";

void BM_InterpreterLoop(benchmark::State& state) {
  BenchHost host;
  rivo::TPage page;
  rivo::AssemblePage(kLoop, page, "loop.rsb", nullptr);
  host.files["loop.rsb"] = page.SaveToBytes();
  for (auto _ : state) {
    state.PauseTiming();
    rivo::ScenarioSystemServices services;
    rivo::TParamCollection variables(&services);
    rivo::TRivoBaseList screen;
    rivo::TCallMan calls(host, &variables, screen);
    calls.JumpTo("loop.rsb");
    state.ResumeTiming();
    calls.Step();  // one tick: the whole loop
    state.PauseTiming();
    if (variables.Find("i")->AsInt() != kRounds) state.SkipWithError("the loop did not run to its end");
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kCommands);
}
BENCHMARK(BM_InterpreterLoop)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
