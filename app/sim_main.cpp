// chuderby-sim: runs the real saver ("/s") on the headless back-end, on
// virtual time, for as many races as asked; prints every result board and
// writes a trace and, when asked, PNG frames of the screens.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "platform/fonts/ttf_text.h"
#include "platform/raster/assets_io.h"
#include "platform/virtual/trace.h"
#include "platform/virtual/virtual_machine.h"
#include "race/phases.h"
#include "sim_frames.h"
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

bool MakeFolder(const std::string& dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (std::filesystem::is_directory(dir, ec)) return true;
  std::cerr << "chuderby-sim: cannot create the folder " << dir << '\n';
  return false;
}

int ExportImages(const std::string& dir) {
  if (!MakeFolder(dir)) return 1;
  const std::vector<std::string> errors = chu::ExportAssets(chu::BuiltInAssets(), dir);
  for (const std::string& e : errors) std::cerr << "chuderby-sim: " << e << '\n';
  if (!errors.empty()) return 1;
  std::cout << "wrote " << chu::AssetFiles().size() << " pictures to " << dir << '\n';
  return 0;
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

  if (o.exportImages) return ExportImages(*o.exportImages);

  // Frames need the real fonts; without frames the text is only recorded.
  std::unique_ptr<chu::fonts::TtfTextRenderer> fonts;
  if (o.frames) {
    std::string error;
    fonts = chu::fonts::TtfTextRenderer::Create(error);
    if (!fonts) {
      std::cerr << "chuderby-sim: " << error << '\n';
      return 1;
    }
    if (!MakeFolder(*o.frames)) return 1;
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
  vo.screen = o.screen;
  chu::virt::VirtualMachine vm(vo);
  chu::virt::TraceWriter trace(vm, traceFile.get());
  const std::string folder = o.folder.value_or(ExecutableFolder());
  chu::platform::Platform platform = vm.platformFor(folder, fonts.get());
  const chu::Assets assets =
      chu::LoadAssets(folder, [](const std::string& line) { std::cerr << "chuderby-sim: " << line << '\n'; });
  std::unique_ptr<chu::app::FrameRecorder> frames;
  if (o.frames) frames = std::make_unique<chu::app::FrameRecorder>(trace, *o.frames, o.frameEvery, o.screen, *fonts);
  chu::RunObserver* observer = frames ? static_cast<chu::RunObserver*>(frames.get()) : &trace;
  chu::Saver saver(platform, assets, seed, observer);

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
  if (frames && !frames->error().empty()) {
    std::cerr << "chuderby-sim: " << frames->error() << '\n';
    return 1;
  }
  if (frames) std::cout << "wrote " << frames->written() << " frames to " << *o.frames << '\n';
  return 0;
}
