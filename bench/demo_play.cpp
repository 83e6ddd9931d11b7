// The packed demo game, played headless in this process as rivoplay plays
// it: the time from the start of the process's work to the first composed
// frame, and the time of every tick afterwards, from the start of its input
// step to the start of the next. The busiest stretch is the title screen (a
// scrolling tile, an animated sky, buttons, the score's glyph sheet and the
// MIDI theme) followed by the first transitions of the playthrough.
//
// Ticks that load a scene (a page runs for the first time, or the image
// cache gains pictures) are reported apart from the steady ticks between
// them: a load reads and decodes files, a steady tick only animates and
// composes. Each run plays in a child process, so that it starts with a
// new player's memory. A headless run that records nothing makes no
// synthesiser (nobody hears its music); the runs that record their sound
// with --audio-out (to a temporary file) wait for it at the title's first
// note so that every recording is the same, and are timed apart.
//
// Headless, the player plays its ticks back to back, as fast as it can: the
// loading ahead then works only on the other processor. The paced runs
// start a tick every 15 ms of the wall clock, as the window plays them, and
// time each tick from its start to the end of its work (the pause before the
// next left out): the frame times a player of the game sees.
//
//   bench_demo_play [--no-look-ahead] [GAME.dat]    (default: the demo the build packed)
//
// --no-look-ahead: every picture and page is read when the game asks for
// it, on the player thread, as before the look-ahead loader, to compare.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "graphics/orba_collection.h"
#include "host/game_parts.h"
#include "host/game_screen.h"
#include "host/player_context.h"
#include "host/player_process.h"
#include "objects/rivo_base_list.h"
#include "text/font_pixel_manager.h"

namespace {

using Clock = std::chrono::steady_clock;

// What every tick started with; kept by the parts, which outlive the
// player's screen.
struct Times {
  Clock::duration pace{};  // zero: back to back
  std::vector<Clock::time_point> tick_starts;
  std::vector<Clock::time_point> tick_ends;  // the end of the work of the tick before each start
  // The player thread's own time (waits and preemption left out) and its
  // page faults (first touches of fresh memory), at each tick's start and
  // at the end of the work of the tick before.
  std::vector<double> cpu_ms, cpu_end_ms;
  std::vector<long> faults, faults_end;
  std::vector<int32_t> elapsed_ms;  // the game's clock at each tick's start
  std::vector<int32_t> cached_pictures;
  std::vector<rivo::TFontPixelManager::Counts> glyphs;  // glyphs the cache took ready, and rendered itself
  Clock::time_point first_frame{};
};

// Passes every call on to the game's screen and notes the times.
class TimedScreen : public rivo::ScreenStage {
 public:
  TimedScreen(std::unique_ptr<rivo::ScreenStage> inner, const rivo::PlayerContext& ctx, Times& times)
      : inner_(std::move(inner)), ctx_(ctx), times_(times) {
    if (auto* game = dynamic_cast<rivo::GameScreen*>(inner_.get())) {
      images_ = &game->Images();
      glyphs_ = game->Screen().Glyphs();
    }
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
    const Clock::time_point now = Clock::now();
    times_.tick_ends.push_back(now);
    times_.cpu_end_ms.push_back(CpuMs());
    times_.faults_end.push_back(Faults());
    if (times_.pace != Clock::duration{} && !times_.tick_starts.empty())
      std::this_thread::sleep_until(std::max(now, times_.tick_starts.back() + times_.pace));
    times_.tick_starts.push_back(Clock::now());
    times_.cpu_ms.push_back(CpuMs());
    times_.faults.push_back(Faults());
    times_.elapsed_ms.push_back(ctx_.ElapsedMs);
    times_.cached_pictures.push_back(images_ ? images_->Count() : 0);
    times_.glyphs.push_back(glyphs_ ? glyphs_->Made() : rivo::TFontPixelManager::Counts{});
    inner_->ProcessInput();
  }
  void Update() override { inner_->Update(); }

  static double CpuMs() {
    timespec cpu{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    return static_cast<double>(cpu.tv_sec) * 1e3 + static_cast<double>(cpu.tv_nsec) / 1e6;
  }
  static long Faults() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt + usage.ru_majflt;
  }
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
  const rivo::TFontPixelManager* glyphs_ = nullptr;
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

constexpr int kBusyFrom = 2, kBusyTo = 400;

// One run, as a process of its own would play it: the start, then each
// tick of the busy stretch as "tick ms cpu-ms faults pictures-gained
// glyphs-taken-ready glyphs-rendered pages-first-run" (the pages only when
// args write the trace). Empty when the demo did not play.
std::string PlayOnce(const std::vector<std::string>& args, const std::filesystem::path& trace, bool look_ahead,
                     Clock::duration pace) {
  TimedParts parts;
  parts.SetLookAhead(look_ahead);
  parts.times.pace = pace;
  std::ostringstream out, err, report;
  const Clock::time_point start = Clock::now();
  const int code = rivo::RunPlayerProcess(args, parts, out, err);
  const Times& times = parts.times;
  if (code != 0 || times.tick_starts.size() < kBusyTo + 1) {
    std::fprintf(stderr, "bench_demo_play: the demo did not play (exit code %d): %s\n", code, err.str().c_str());
    return {};
  }
  const bool traced = std::find(args.begin(), args.end(), "--trace") != args.end();
  const std::map<int, std::string> pages = traced ? PagesLoaded(trace, times.elapsed_ms) : std::map<int, std::string>{};
  report << Ms(times.first_frame - start) << "\n";
  // Tick n (counted from 1) runs from its start to the end of its work.
  for (int n = kBusyFrom; n <= kBusyTo; ++n) {
    const auto i = static_cast<std::size_t>(n - 1);
    const auto page = pages.find(n);
    report << n << ' ' << Ms(times.tick_ends[i + 1] - times.tick_starts[i]) << ' '
           << times.cpu_end_ms[i + 1] - times.cpu_ms[i] << ' ' << times.faults_end[i + 1] - times.faults[i] << ' '
           << times.cached_pictures[i + 1] - times.cached_pictures[i] << ' '
           << times.glyphs[i + 1].prepared - times.glyphs[i].prepared << ' '
           << times.glyphs[i + 1].rendered - times.glyphs[i].rendered << ' '
           << (page == pages.end() ? "" : page->second) << "\n";
  }
  return report.str();
}

// PlayOnce in a child process: each run starts with the memory a new
// player has, not with what an earlier run freed.
std::string PlayInChild(const std::vector<std::string>& args, const std::filesystem::path& trace, bool look_ahead,
                        Clock::duration pace) {
  std::fflush(nullptr);
  int fds[2];
  if (pipe(fds) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    const std::string report = PlayOnce(args, trace, look_ahead, pace);
    for (std::size_t done = 0; done < report.size();) {
      const ssize_t n = write(fds[1], report.data() + done, report.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    _exit(report.empty() ? 1 : 0);
  }
  close(fds[1]);
  std::string report;
  char buffer[4096];
  for (ssize_t n; child > 0 && (n = read(fds[0], buffer, sizeof buffer)) > 0;) report.append(buffer, static_cast<std::size_t>(n));
  close(fds[0]);
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
  return report;
}

// Best and worst of the runs; "cpu" is the player thread's own time.
struct Range {
  double best = 1e9, worst = 0;
  void Add(double v) { best = std::min(best, v), worst = std::max(worst, v); }
};

struct Load {
  std::string what;
  Range ms, cpu, faults, ready, made;
  std::vector<double> all_ms, all_cpu;  // for the medians
  int runs = 0, all_ready = 0;  // runs, and runs whose glyphs were all ready
};

// Every run's time of one steady tick: the median over the runs is the
// tick's own cost, where a single run's worst is as often the machine's
// (another process, the hypervisor) as the player's.
struct Steady {
  std::vector<double> ms, cpu;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0.0 : v[v.size() / 2];
}

// What a set of runs measured.
struct Runs {
  Range start;
  std::map<int, Load> loads;
  std::map<int, Steady> steady;
  double worst_tick = 0, worst_cpu = 0;
  int worst_at = 0, worst_cpu_at = 0;
};

struct Setting {
  std::filesystem::path game, input, saves;
  bool look_ahead = true;
  std::map<int, std::string> pages;  // the pages each tick runs for the first time
};

std::vector<std::string> PlayerArgs(const Setting& setting) {
  return {"--headless", "--seed", "1", "--ticks", std::to_string(kBusyTo + 1), "--input", setting.input.string(),
          "--save-dir", setting.saves.string(), setting.game.string()};
}

// The pages each tick opens, from a run that writes the trace: the game
// plays the same ticks in every run, and the timed runs play without the
// trace (writing a line for every command), as a player of the game does.
std::optional<std::map<int, std::string>> PagesByTick(const Setting& setting) {
  namespace fs = std::filesystem;
  const fs::path trace = setting.saves / "trace.txt";
  fs::remove_all(setting.saves);
  fs::create_directories(setting.saves);
  std::vector<std::string> args = PlayerArgs(setting);
  args.insert(args.begin(), {"--trace", trace.string()});
  std::istringstream report(PlayInChild(args, trace, setting.look_ahead, {}));
  fs::remove_all(setting.saves);
  double start_ms = 0;
  if (!(report >> start_ms)) return std::nullopt;
  std::map<int, std::string> pages;
  int n = 0;
  double ms = 0, cpu = 0;
  long faults = 0, gained = 0, ready = 0, rendered = 0;
  std::string line;
  while (report >> n >> ms >> cpu >> faults >> gained >> ready >> rendered && std::getline(report, line))
    if (line.size() > 1) pages[n] = line.substr(1);
  return pages;
}

// Plays count runs, each a process of its own, and gathers their ticks;
// nothing when a run failed.
std::optional<Runs> Play(const Setting& setting, int count, Clock::duration pace, bool recording) {
  namespace fs = std::filesystem;
  Runs runs;
  for (int run = 0; run < count; ++run) {
    fs::remove_all(setting.saves);
    fs::create_directories(setting.saves);
    std::vector<std::string> args = PlayerArgs(setting);
    if (recording) args.insert(args.begin(), {"--audio-out", (setting.saves / "sound.wav").string()});
    std::istringstream report(PlayInChild(args, {}, setting.look_ahead, pace));
    double start_ms = 0;
    if (!(report >> start_ms)) return std::nullopt;
    runs.start.Add(start_ms);
    int n = 0, gained = 0;
    double ms = 0, cpu = 0;
    long faults = 0, ready = 0, rendered = 0;
    std::string rest;
    while (report >> n >> ms >> cpu >> faults >> gained >> ready >> rendered && std::getline(report, rest)) {
      const auto opened = setting.pages.find(n);
      const std::string pages = opened == setting.pages.end() ? "" : opened->second;
      if (!pages.empty() || gained > 0) {
        Load& load = runs.loads[n];
        load.what = pages + (gained > 0 ? (pages.empty() ? "" : ", ") + std::to_string(gained) + " pictures" : "");
        load.ms.Add(ms);
        load.cpu.Add(cpu);
        load.all_ms.push_back(ms);
        load.all_cpu.push_back(cpu);
        load.faults.Add(static_cast<double>(faults));
        load.ready.Add(static_cast<double>(ready));
        load.made.Add(static_cast<double>(ready + rendered));
        ++load.runs;
        if (rendered == 0) ++load.all_ready;
        continue;
      }
      runs.steady[n].ms.push_back(ms);
      runs.steady[n].cpu.push_back(cpu);
      if (ms > runs.worst_tick) runs.worst_tick = ms, runs.worst_at = n;
      if (cpu > runs.worst_cpu) runs.worst_cpu = cpu, runs.worst_cpu_at = n;
    }
  }
  fs::remove_all(setting.saves);
  // A tick that loaded in one run and not in another (a look-ahead's timing
  // cannot change what the game loads, but be safe) counts as a load.
  for (const auto& [tick, load] : runs.loads) runs.steady.erase(tick);
  return runs;
}

void PrintTicks(const char* how, const Runs& runs, int count) {
  double sum = 0, cpu_sum = 0, worst_median = 0, worst_cpu_median = 0;
  int worst_median_at = 0, worst_cpu_median_at = 0;
  for (const auto& [tick, times] : runs.steady) {
    const double ms = Median(times.ms), cpu = Median(times.cpu);
    sum += ms, cpu_sum += cpu;
    if (ms > worst_median) worst_median = ms, worst_median_at = tick;
    if (cpu > worst_cpu_median) worst_cpu_median = cpu, worst_cpu_median_at = tick;
  }
  const double steady = static_cast<double>(std::max<std::size_t>(runs.steady.size(), 1));
  std::printf("demo, %s: steady ticks %d-%d (title, scene 1 and its transitions; %zu load ticks apart), each "
              "tick's median of %d runs: mean %.3f ms (player thread %.3f ms), worst %.3f ms at tick %d (player "
              "thread: %.3f ms at tick %d) (goal: under 1 ms)\n",
              how, kBusyFrom, kBusyTo, runs.loads.size(), count, sum / steady, cpu_sum / steady, worst_median,
              worst_median_at, worst_cpu_median, worst_cpu_median_at);
  std::printf("demo, %s: steady ticks, the worst single run: %.3f ms at tick %d (player thread: %.3f ms at tick %d)\n",
              how, runs.worst_tick, runs.worst_at, runs.worst_cpu, runs.worst_cpu_at);
  std::vector<std::pair<double, int>> slowest;
  for (const auto& [tick, times] : runs.steady) slowest.emplace_back(Median(times.ms), tick);
  std::sort(slowest.rbegin(), slowest.rend());
  std::printf("demo, %s: the slowest steady ticks (median ms, then each run's ms):", how);
  for (std::size_t i = 0; i < std::min<std::size_t>(slowest.size(), 5); ++i) {
    std::printf(" %d: %.3f (", slowest[i].second, slowest[i].first);
    for (const double ms : runs.steady.at(slowest[i].second).ms) std::printf(" %.2f", ms);
    std::printf(" )");
  }
  std::printf("\n");
  for (const auto& [tick, load] : runs.loads)
    std::printf("demo, %s: load tick %d (%s): median %.3f ms, %.3f-%.3f (player thread median %.3f ms, %.3f-%.3f; "
                "%.0f-%.0f page faults; glyphs taken ready %.0f-%.0f of %.0f-%.0f, all in %d of %d runs)\n",
                how, tick, load.what.c_str(), Median(load.all_ms), load.ms.best, load.ms.worst, Median(load.all_cpu),
                load.cpu.best, load.cpu.worst,
                load.faults.best, load.faults.worst, load.ready.best, load.ready.worst, load.made.best,
                load.made.worst, load.all_ready, load.runs);
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  Setting setting;
  setting.look_ahead = !(argc > 1 && std::string(argv[1]) == "--no-look-ahead");
  const int game_arg = setting.look_ahead ? 1 : 2;
  setting.game = argc > game_arg ? fs::path(argv[game_arg])
                                 : fs::path(argv[0]).parent_path() / ".." / "games" / "demo" / "game.dat";
  setting.input = fs::path(RIVO_SOURCE_DIR) / "games" / "demo" / "playthrough.input";
  setting.saves = fs::temp_directory_path() / "rivo-bench-demo";
  constexpr int kRuns = 5, kRecordingRuns = 3, kPacedRuns = 3;
  constexpr Clock::duration kWindowPace = std::chrono::milliseconds(15);

  const std::optional<std::map<int, std::string>> pages = PagesByTick(setting);
  if (!pages) return 1;
  setting.pages = *pages;
  const std::optional<Runs> back_to_back = Play(setting, kRuns, {}, false);
  // The recording runs wait for the synthesiser at the title's tick.
  const std::optional<Runs> recording = Play(setting, kRecordingRuns, {}, true);
  const std::optional<Runs> paced = Play(setting, kPacedRuns, kWindowPace, false);
  if (!back_to_back || !recording || !paced) return 1;

  std::printf("demo: start to the first frame %.1f-%.1f ms (%d runs, each a new process), recording its sound "
              "%.1f-%.1f ms (%d runs) (goal under 200 ms)\n",
              back_to_back->start.best, back_to_back->start.worst, kRuns, recording->start.best,
              recording->start.worst, kRecordingRuns);
  PrintTicks("back to back", *back_to_back, kRuns);
  if (const auto title = recording->loads.find(kBusyFrom); title != recording->loads.end())
    std::printf("demo, back to back: load tick %d recording its sound (--audio-out: waits for the synthesiser and "
                "renders it): %.3f-%.3f ms (player thread %.3f-%.3f ms, %.0f-%.0f page faults)\n",
                kBusyFrom, title->second.ms.best, title->second.ms.worst, title->second.cpu.best,
                title->second.cpu.worst, title->second.faults.best, title->second.faults.worst);
  PrintTicks("paced as the window plays (a tick every 15 ms)", *paced, kPacedRuns);
  return 0;
}
