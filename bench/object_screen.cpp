// The screen's object core: one tick over 5,000 controls, property writes
// and reads by id beside direct calls of the same setter and getter (their
// ratio is the dispatch's cost), and the "does an entry of this sender and
// kind wait?" question with 1,000 queued events.

#include <benchmark/benchmark.h>

#include "objects/property_dispatch.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"
#include "script/typed_params.h"

namespace {

constexpr int kObjects = 5000;

// A screen of kObjects controls in three levels under the active base.
void Populate(rivo::TRivoBaseList& screen) {
  rivo::TRivoControl* parent = &screen.ActiveBase();
  for (int i = 0; i < kObjects; ++i) {
    auto& c = screen.Create<rivo::TRivoControl>();
    c.SetParent(i % 100 == 0 ? &screen.ActiveBase() : parent);
    if (i % 100 == 0) parent = &c;
  }
}

void BM_ScreenTick(benchmark::State& state) {
  rivo::TRivoBaseList screen;
  Populate(screen);
  for (auto _ : state) screen.Tick();
  state.SetItemsProcessed(state.iterations() * kObjects);
}
BENCHMARK(BM_ScreenTick);

void BM_SetPropById(benchmark::State& state) {
  rivo::TRivoBaseList screen;
  auto& c = screen.Create<rivo::TRivoControl>();
  rivo::TParamInt value;
  int32_t v = 0;
  for (auto _ : state) {
    value.SetInt(++v);
    rivo::SetPropById(c, rivo::PR_WIDTH, value);
  }
  benchmark::DoNotOptimize(c.GetWidth());
}
BENCHMARK(BM_SetPropById);

void BM_SetWidthDirect(benchmark::State& state) {
  rivo::TRivoBaseList screen;
  auto& c = screen.Create<rivo::TRivoControl>();
  rivo::TParamInt value;
  int32_t v = 0;
  for (auto _ : state) {
    value.SetInt(++v);
    c.SetWidth(value.AsInt());
  }
  benchmark::DoNotOptimize(c.GetWidth());
}
BENCHMARK(BM_SetWidthDirect);

void BM_GetPropById(benchmark::State& state) {
  rivo::TRivoBaseList screen;
  auto& c = screen.Create<rivo::TRivoControl>();
  c.SetWidth(7);
  rivo::TParamInt value;
  for (auto _ : state) {
    rivo::GetPropById(c, rivo::PR_WIDTH, value);
    benchmark::DoNotOptimize(value.AsInt());
  }
}
BENCHMARK(BM_GetPropById);

void BM_GetWidthDirect(benchmark::State& state) {
  rivo::TRivoBaseList screen;
  auto& c = screen.Create<rivo::TRivoControl>();
  c.SetWidth(7);
  rivo::TParamInt value;
  for (auto _ : state) {
    value.SetInt(c.GetWidth());
    benchmark::DoNotOptimize(value.AsInt());
  }
}
BENCHMARK(BM_GetWidthDirect);

// The question must not scan the queue: its time stays flat as the queue grows.
void BM_EntryWaits(benchmark::State& state) {
  rivo::TTimerList queue;
  for (uint32_t i = 0; i < static_cast<uint32_t>(state.range(0)); ++i)
    queue.Add({"p.rsb", {i, 0}, rivo::PR_ONIDLE, 0, {}});
  const rivo::ObjectHandle last{static_cast<uint32_t>(state.range(0)) - 1, 0};
  for (auto _ : state) benchmark::DoNotOptimize(queue.Waits(last, rivo::PR_ONIDLE));
}
BENCHMARK(BM_EntryWaits)->Arg(10)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
