#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The building blocks our cues are made of: tones that glide and decay, and
// filtered noise, all added into one mono buffer of doubles.
namespace zelvane::cues {

inline constexpr int kSampleRate = 44100;

using Samples = std::vector<double>;

enum class Timbre {
  Sine,
  Square,  // odd harmonics, hollow and retro
  Saw,     // every harmonic, buzzy
};

// One voice: rises linearly over `attack`, then falls to 1/e every `decay`
// seconds, gliding exponentially from `fromHz` to `toHz` over its length.
struct Tone {
  double start = 0.0;
  double length = 0.1;
  double fromHz = 440.0;
  double toHz = 440.0;
  double amplitude = 1.0;
  double attack = 0.002;
  double decay = 0.1;
  Timbre timbre = Timbre::Sine;
  int harmonics = 1;  // the most harmonics a square or saw carries
};

// A burst of white noise shaped by the same envelope and a band of two
// cascaded one-pole filters. The seed makes every run give the same burst.
struct Hiss {
  double start = 0.0;
  double length = 0.05;
  double amplitude = 1.0;
  double attack = 0.001;
  double decay = 0.01;
  double highpassHz = 20.0;
  double lowpassHz = 16000.0;
  std::uint32_t seed = 1;
};

// A buffer of silence long enough for `seconds`.
Samples Silence(double seconds);

// Adds the voice into `out`; the part past the end of `out` is dropped.
void Add(Samples& out, const Tone& tone);
void Add(Samples& out, const Hiss& hiss);

}  // namespace zelvane::cues
