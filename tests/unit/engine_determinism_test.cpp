// A run is a function of its inputs: seed, start time, settings file and
// sound durations give the same trace, byte for byte.
#include <sstream>

#include "engine_fixture.h"
#include "platform/virtual/trace.h"

namespace chu {
namespace {

struct Inputs {
  std::uint64_t seed = 11;
  platform::TimeOfDay start{23, 58, 40};
  std::string speedFile = "1\r\n";
  std::optional<int> clipMs = 900;
};

std::string TraceOf(const Inputs& in, int races = 2) {
  test::TempFolder folder;
  folder.write("RaceSpeed.Dat", in.speedFile);
  virt::Options o;
  o.start = in.start;
  o.clipMs = in.clipMs;
  virt::VirtualMachine vm(o);
  std::ostringstream out;
  virt::TraceWriter trace(vm, &out);
  platform::Platform platform = vm.platformFor(folder.str());
  Saver saver(platform, BuiltInAssets(), in.seed, &trace);
  Main(saver, "/s");
  vm.run(saver, [&] { return trace.handovers() >= races; });
  EXPECT_EQ(trace.handovers(), races);
  return out.str();
}

TEST(Determinism, SameInputsGiveTheSameTrace) {
  const Inputs in;
  const std::string first = TraceOf(in);
  EXPECT_GT(first.size(), 100'000u);
  EXPECT_EQ(TraceOf(in), first);

  Inputs otherSeed = in;
  otherSeed.seed = 12;
  EXPECT_NE(TraceOf(otherSeed), first);
  Inputs otherClips = in;
  otherClips.clipMs = 1900;
  EXPECT_NE(TraceOf(otherClips), first);
  Inputs otherSpeed = in;
  otherSpeed.speedFile = "3";
  EXPECT_NE(TraceOf(otherSpeed), first);
}

}  // namespace
}  // namespace chu
