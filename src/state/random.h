// The one random generator of a run: seeded once, handed to whoever draws.
#pragma once

#include <cstdint>

namespace chu {

// Uniform numbers in [0, 1) from a 64-bit seed (splitmix64 seeding of a
// xoshiro256** core), the same sequence on every machine.
class Random {
 public:
  explicit Random(std::uint64_t seed = 0) { reseed(seed); }

  void reseed(std::uint64_t seed);
  // r in [0, 1), 53 bits.
  double next();
  // Int(r × n): 0 … n − 1.
  int below(int n) { return static_cast<int>(next() * n); }
  std::uint64_t draws() const { return draws_; }

 private:
  std::uint64_t s_[4]{};
  std::uint64_t draws_ = 0;
};

}  // namespace chu
