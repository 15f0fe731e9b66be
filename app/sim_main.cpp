// chuderby-sim: runs the real saver ("/s") on the headless back-end, on
// virtual time, for as many races as asked; prints every result board and
// writes a trace.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "platform/virtual/trace.h"
#include "platform/virtual/virtual_machine.h"
#include "race/phases.h"
#include "sim_options.h"
#include "startup/saver.h"

namespace {

std::string ExecutableFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : exe.parent_path().string();
}

void PrintRace(const chu::virt::TraceWriter::RaceResult& r, const chu::RaceState& st, std::int64_t ms) {
  for (const std::string& line : r.lines) std::cout << line << '\n';
  const int winner = r.order.empty() ? 0 : r.order[0];
  std::cout << "race " << r.race << ": winner " << (winner + 1) << ':' << st.runName[winner] << ", time"
            << chu::RaceTimeText(r.raceClock) << " (" << r.raceClock << " ticks), board after " << r.ticks
            << " ticks, virtual " << ms << " ms\n";
}

}  // namespace

int main(int argc, char** argv) {
  const chu::app::ParseResult parsed = chu::app::ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::cerr << "chuderby-sim: " << parsed.error << " (" << chu::app::SimUsage() << ")\n";
    return 2;
  }
  const chu::app::SimOptions& o = parsed.options;
  if (o.help) {
    std::cout << chu::app::SimUsage() << '\n';
    return 0;
  }

  const std::uint64_t seed =
      o.seed.value_or(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  std::cout << "seed " << seed << '\n';

  std::unique_ptr<std::ofstream> traceFile;
  if (o.trace) {
    traceFile = std::make_unique<std::ofstream>(*o.trace, std::ios::binary | std::ios::trunc);
    if (!*traceFile) {
      std::cerr << "chuderby-sim: cannot write the trace file " << *o.trace << '\n';
      return 1;
    }
  }

  chu::virt::Options vo;
  vo.start = o.start;
  vo.clipMs = o.clipMs;
  chu::virt::VirtualMachine vm(vo);
  chu::virt::TraceWriter trace(vm, traceFile.get());
  chu::platform::Platform platform = vm.platformFor(o.folder.value_or(ExecutableFolder()));
  chu::Saver saver(platform, chu::BuiltInAssets(), seed, &trace);

  std::size_t printed = 0;
  auto printNew = [&] {
    for (; printed < trace.results().size(); ++printed) PrintRace(trace.results()[printed], saver.state, vm.now());
  };
  chu::Main(saver, "/s");
  vm.run(saver, [&] {
    printNew();
    return trace.handovers() >= o.races;
  });
  printNew();
  if (!saver.ended) trace.endOfRaces();
  return 0;
}
