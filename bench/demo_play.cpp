// The packed demo game, played headless in this process as rivoplay plays
// it: the time from the start of the process's work to the first composed
// frame, and the time of every tick afterwards, measured between the starts
// of successive input steps. The busiest stretch is the title screen (a
// scrolling tile, an animated sky, buttons, the score's glyph sheet and the
// MIDI theme) followed by the first transitions of the playthrough.
//
// Ticks that load a scene (a page runs for the first time, or the image
// cache gains pictures) are reported apart from the steady ticks between
// them: a load reads and decodes files, a steady tick only animates and
// composes.
//
//   bench_demo_play [GAME.dat]    (default: the demo the build packed)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "graphics/orba_collection.h"
#include "host/game_parts.h"
#include "host/game_screen.h"
#include "host/player_context.h"
#include "host/player_process.h"

namespace {

using Clock = std::chrono::steady_clock;

// What every tick started with; kept by the parts, which outlive the
// player's screen.
struct Times {
  std::vector<Clock::time_point> tick_starts;
  std::vector<int32_t> elapsed_ms;  // the game's clock at each tick's start
  std::vector<int32_t> cached_pictures;
  Clock::time_point first_frame{};
};

// Passes every call on to the game's screen and notes the times.
class TimedScreen : public rivo::ScreenStage {
 public:
  TimedScreen(std::unique_ptr<rivo::ScreenStage> inner, const rivo::PlayerContext& ctx, Times& times)
      : inner_(std::move(inner)), ctx_(ctx), times_(times) {
    if (auto* game = dynamic_cast<rivo::GameScreen*>(inner_.get())) images_ = &game->Images();
  }

  void SetButtonsHeld(bool l, bool r) override { inner_->SetButtonsHeld(l, r); }
  void SetButtonsPressed(bool l, bool r) override { inner_->SetButtonsPressed(l, r); }
  void UpdateMouse(int32_t x, int32_t y) override { inner_->UpdateMouse(x, y); }
  void SetWheel(bool down) override { inner_->SetWheel(down); }
  void SetKeyDown(int code, bool down) override { inner_->SetKeyDown(code, down); }
  void MarkKeyPressed(int code) override { inner_->MarkKeyPressed(code); }
  void ClearKeys() override { inner_->ClearKeys(); }
  void SetScreenSize(int32_t w, int32_t h) override { inner_->SetScreenSize(w, h); }
  void ProcessInput() override {
    times_.tick_starts.push_back(Clock::now());
    times_.elapsed_ms.push_back(ctx_.ElapsedMs);
    times_.cached_pictures.push_back(images_ ? images_->Count() : 0);
    inner_->ProcessInput();
  }
  void Update() override { inner_->Update(); }
  Composed Compose(rivo::TDIBX& back_buffer) override {
    Composed c = inner_->Compose(back_buffer);
    // The frame of the first tick (composition before it shows nothing yet).
    if (times_.first_frame == Clock::time_point{} && !times_.tick_starts.empty()) times_.first_frame = Clock::now();
    return c;
  }
  void InvalidateAll() override { inner_->InvalidateAll(); }
  void ReleaseSurfaces() override { inner_->ReleaseSurfaces(); }
  void RestoreSurfaces() override { inner_->RestoreSurfaces(); }
  void ClearChangedRects() override { inner_->ClearChangedRects(); }

 private:
  std::unique_ptr<rivo::ScreenStage> inner_;
  const rivo::PlayerContext& ctx_;
  Times& times_;
  const rivo::TOrbaCollection* images_ = nullptr;
};

class TimedParts : public rivo::GameParts {
 public:
  std::unique_ptr<rivo::ScreenStage> CreateScreen(rivo::PlayerContext& ctx) override {
    return std::make_unique<TimedScreen>(GameParts::CreateScreen(ctx), ctx, times);
  }
  Times times;
};

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The pages each tick ran for the first time, from the trace ("TIME :
// page(line)", the time in hex milliseconds of the game's clock): the
// interpreter keeps the pages it read, so a first command is a page load.
std::map<int, std::string> PagesLoaded(const std::filesystem::path& trace, const std::vector<int32_t>& elapsed_ms) {
  std::map<int, std::string> loaded;
  std::set<std::string> seen;
  std::ifstream in(trace);
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t colon = line.find(" : "), paren = line.find('(', colon);
    if (colon == std::string::npos || paren == std::string::npos) continue;
    const std::string page = line.substr(colon + 3, paren - colon - 3);
    // "<Event>" and the like name no file.
    if (page.empty() || page.front() == '<' || !seen.insert(page).second) continue;
    const long ms = std::stol(line.substr(0, colon), nullptr, 16);
    // The last tick that started at or before the command's time.
    const auto at = std::upper_bound(elapsed_ms.begin(), elapsed_ms.end(), ms);
    std::string& pages = loaded[static_cast<int>(at - elapsed_ms.begin())];  // counted from 1
    pages += (pages.empty() ? "" : " ") + page;
  }
  return loaded;
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const fs::path game = argc > 1 ? fs::path(argv[1])
                                 : fs::path(argv[0]).parent_path() / ".." / "games" / "demo" / "game.dat";
  const fs::path input = fs::path(RIVO_SOURCE_DIR) / "games" / "demo" / "playthrough.input";
  const fs::path saves = fs::temp_directory_path() / "rivo-bench-demo";
  const fs::path trace = saves / "trace.txt";
  constexpr int kRuns = 3, kBusyFrom = 2, kBusyTo = 400;

  double best_start = 1e9, worst_mean = 0, worst_tick = 0;
  int worst_at = 0;
  // Per load tick: what it loaded, and its fastest and slowest time over the runs.
  struct Load {
    std::string what;
    double best = 1e9, worst = 0;
  };
  std::map<int, Load> loads;
  for (int run = 0; run < kRuns; ++run) {
    fs::remove_all(saves);
    fs::create_directories(saves);
    TimedParts parts;
    std::ostringstream out, err;
    const std::vector<std::string> args{"--headless", "--seed", "1", "--ticks", std::to_string(kBusyTo + 1),
                                        "--input", input.string(), "--save-dir", saves.string(),
                                        "--trace", trace.string(), game.string()};
    const Clock::time_point start = Clock::now();
    const int code = rivo::RunPlayerProcess(args, parts, out, err);
    const Times& times = parts.times;
    if (code != 0 || times.tick_starts.size() < kBusyTo + 1) {
      std::fprintf(stderr, "bench_demo_play: the demo did not play (exit code %d): %s\n", code, err.str().c_str());
      return 1;
    }
    // Tick n (counted from 1) runs from its start to the start of the next.
    const std::map<int, std::string> pages = PagesLoaded(trace, times.elapsed_ms);
    double sum = 0, worst = 0;
    int steady = 0;
    for (int n = kBusyFrom; n <= kBusyTo; ++n) {
      const auto i = static_cast<std::size_t>(n - 1);
      const double ms = Ms(times.tick_starts[i + 1] - times.tick_starts[i]);
      const int gained = times.cached_pictures[i + 1] - times.cached_pictures[i];
      const auto page = pages.find(n);
      if (page != pages.end() || gained > 0) {
        Load& load = loads[n];
        load.what = (page != pages.end() ? page->second : "") +
                    (gained > 0 ? (page != pages.end() ? ", " : "") + std::to_string(gained) + " pictures" : "");
        load.best = std::min(load.best, ms);
        load.worst = std::max(load.worst, ms);
        continue;
      }
      sum += ms;
      ++steady;
      if (ms > worst) worst = ms, worst_at = ms > worst_tick ? n : worst_at;
    }
    best_start = std::min(best_start, Ms(times.first_frame - start));
    worst_mean = std::max(worst_mean, sum / std::max(steady, 1));
    worst_tick = std::max(worst_tick, worst);
  }
  fs::remove_all(saves);
  std::printf("demo: start to the first frame %.1f ms (best of %d runs; goal under 200 ms)\n", best_start, kRuns);
  std::printf("demo: steady ticks %d-%d (title, scene 1 and its transitions; %zu load ticks apart): mean %.3f ms, "
              "worst %.3f ms at tick %d (goal: under 1 ms; the slowest of %d runs)\n",
              kBusyFrom, kBusyTo, loads.size(), worst_mean, worst_tick, worst_at, kRuns);
  for (const auto& [tick, load] : loads)
    std::printf("demo: load tick %d (%s): %.3f-%.3f ms\n", tick, load.what.c_str(), load.best, load.worst);
  return 0;
}
