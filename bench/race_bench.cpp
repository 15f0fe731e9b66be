// What a race costs: one running tick without and with drawing into the
// course view, and one whole race (gate, running, result board) headless.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "assets/assets.h"
#include "platform/virtual/virtual_machine.h"
#include "sim/run_step.h"
#include "startup/observer.h"
#include "startup/saver.h"
#include "support/temp_folder.h"

namespace {

using namespace chu;

// Switches the course view's drawing off at every race start, counts hand-overs.
struct Headless final : RunObserver {
  void onStart(const Saver&) override {
    if (!drawing) saver->race->course.setDrawingEnabled(false);
  }
  void onHandover(const Saver&) override { ++handovers; }
  Saver* saver = nullptr;
  bool drawing = false;
  int handovers = 0;
};

// A saver on virtual time with silent (0 ms) clips.
struct Bench {
  explicit Bench(bool drawing, std::uint64_t seed = 7) : vm(Options()), platform(vm.platformFor(folder.str())) {
    folder.write("RaceSpeed.Dat", "1\r\n");
    headless.drawing = drawing;
    saver = std::make_unique<Saver>(platform, BuiltInAssets(), seed, &headless);
    headless.saver = saver.get();
    Main(*saver, "/s");
  }
  static virt::Options Options() {
    virt::Options o;
    o.start = {12, 0, 59};
    o.clipMs = 0;
    return o;
  }
  void runUntil(const std::function<bool()>& done) { vm.run(*saver, done); }

  testsupport::TempFolder folder{"chu-bench"};
  virt::VirtualMachine vm;
  platform::Platform platform;
  Headless headless;
  std::unique_ptr<Saver> saver;
};

// Running ticks from the start of the running phase, replayed from a
// snapshot every kReplay ticks (about the leader's whole race).
constexpr int kReplay = 300;

void RunningTick(benchmark::State& state, bool drawing) {
  Bench b(drawing);
  b.runUntil([&] { return b.saver->state.racePhase == 1; });
  const RaceState start = b.saver->state;
  const Random rnd = b.saver->rnd;
  int n = 0;
  for (auto _ : state) {
    RunStep(*b.saver);
    if (++n == kReplay) {
      state.PauseTiming();
      b.saver->state = start;
      b.saver->rnd = rnd;
      n = 0;
      state.ResumeTiming();
    }
  }
}

void BM_RunningTickLogic(benchmark::State& state) { RunningTick(state, false); }
void BM_RunningTickDrawing(benchmark::State& state) { RunningTick(state, true); }

void BM_WholeRaceHeadless(benchmark::State& state) {
  Bench b(false);
  long ticks = 0;
  for (auto _ : state) {
    state.PauseTiming();  // the paddock minute is not part of the race
    b.runUntil([&] { return b.saver->race != nullptr; });
    state.ResumeTiming();
    const int done = b.headless.handovers;
    b.runUntil([&] {
      ticks += b.saver->race != nullptr;
      return b.headless.handovers > done;
    });
  }
  state.counters["ticks/race"] = benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_RunningTickLogic)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RunningTickDrawing)->Repetitions(5)->ReportAggregatesOnly(true);
void BM_WholeCycleHeadless(benchmark::State& state) {
  Bench b(false);
  for (auto _ : state) {
    const int done = b.headless.handovers;
    b.runUntil([&] { return b.headless.handovers > done; });
  }
}
BENCHMARK(BM_WholeCycleHeadless)->Unit(benchmark::kMicrosecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_WholeRaceHeadless)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
