#pragma once
// A scenario engine without a player: game files held in memory, a virtual
// clock moved by hand, message boxes and trace lines collected, and pages
// written from their sources by the page assembler.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "scenario/call_man.h"
#include "scenario/page.h"
#include "scenario/page_source.h"
#include "scenario/scenario_host.h"
#include "scenario/scenario_system_services.h"
#include "script/param_collection.h"

namespace rivo::test {

// The bytes of a page assembled from source (UTF-8).
inline std::string PageBytes(const std::string& source, const std::string& name = "page.rsb",
                             PageLabels* others = nullptr) {
  TPage page;
  AssemblePage(source, page, name, others);
  return page.SaveToBytes();
}

// The labels of pages given before: a page can target labels of the pages
// added ahead of it.
class FakeHost : public ScenarioHost, public PageLabels {
 public:
  std::optional<int32_t> IndexOf(std::string_view page, std::string_view label) override {
    TPage p;
    p.LoadFromBytes(ReadFile(page), std::string(page));
    int32_t index = p.IndexOfLabel(label);
    return index >= 0 ? std::optional<int32_t>(index) : std::nullopt;
  }
  std::optional<std::string> LabelAt(std::string_view, int32_t) override { return std::nullopt; }

  std::string ReadFile(std::string_view name) override {
    ++reads[std::string(name)];
    for (const auto& [file, bytes] : files)
      if (sjis::SameText(file, name)) return bytes;
    throw RivoError("%s:ファイルがありません", name);
  }
  bool FileExists(std::string_view name) override {
    for (const auto& [file, bytes] : files)
      if (sjis::SameText(file, name)) return true;
    return false;
  }
  bool RequestDisk(int32_t disk) override {
    disk_requests.push_back(disk);
    return false;
  }
  bool Terminating() const override { return terminating; }
  void SetTerminating(bool on) override { terminating = on; }
  void RequestClose() override { close_requested = true; }
  int32_t ElapsedMs() const override { return elapsed; }
  int32_t FrameDeltaMs() const override { return delta; }
  void Warn(std::string_view caption, std::string_view text) override {
    boxes.push_back(std::string(caption) + "|" + std::string(text));
  }
  void Trace(std::string_view line) override { trace.emplace_back(line); }
  bool Tracing() const override { return true; }
  void Log(std::string_view line) override { log.emplace_back(line); }

  void AddPage(const std::string& name, const std::string& source) { files[name] = PageBytes(source, name, this); }

  std::map<std::string, std::string> files;
  std::map<std::string, int> reads;
  std::vector<int32_t> disk_requests;
  bool terminating = false;
  bool close_requested = false;
  int32_t elapsed = 0;
  int32_t delta = 16;
  std::vector<std::string> boxes, trace, log;
};

// An interpreter over a FakeHost, ticked with a 16 ms clock.
struct Interpreter {
  FakeHost host;
  ScenarioSystemServices services;
  TParamCollection variables{&services};
  TRivoBaseList screen;
  std::unique_ptr<TCallMan> calls;

  void Start(const std::string& page) {
    calls = std::make_unique<TCallMan>(host, &variables, screen);
    services.SetCallManager(calls.get());
    calls->JumpTo(page);
  }
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) {
      host.elapsed += host.delta;
      calls->Step();
    }
  }
  int32_t Int(const std::string& name) {
    TParamCollectionItem* v = variables.Find(name);
    return v ? v->AsInt() : -999999;
  }
  std::string Str(const std::string& name) {
    TParamCollectionItem* v = variables.Find(name);
    return v ? v->Param().AsStr() : "<none>";
  }
  void Event(const std::string& target, std::vector<std::string> args = {}) {
    TTimerData e;
    e.Page = target;
    e.Args = std::move(args);
    screen.Events().Add(std::move(e));
  }
};

}  // namespace rivo::test
