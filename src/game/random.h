#pragma once

#include <cstdint>
#include <deque>
#include <random>

namespace zelvane {

// The game's one random source: numbers in [0, 1). Tests seed it, or script the
// exact numbers the next draws return.
class Random {
 public:
  void Seed(std::uint64_t seed) { engine_.seed(seed); }
  void SeedFromClock();
  void Script(std::initializer_list<double> values) { scripted_.insert(scripted_.end(), values); }
  double Next();
  // A uniform integer 0..n-1: the whole part of Next() * n.
  std::int16_t UniformInt(std::int16_t n) { return static_cast<std::int16_t>(Next() * n); }

 private:
  std::mt19937_64 engine_{0};
  std::deque<double> scripted_;
};

}  // namespace zelvane
