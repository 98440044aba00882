#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zelvane::cues {
namespace {

// Every voice closes with this short ramp, so one cut off early never clicks.
constexpr double kRelease = 0.005;
// Harmonics above this share of the sample rate would fold back as noise.
constexpr double kHighestPartial = 0.45;

std::size_t SampleAt(double seconds) { return static_cast<std::size_t>(std::lround(seconds * kSampleRate)); }

double Envelope(double t, double length, double attack, double decay) {
  const double rise = attack > 0.0 ? std::min(1.0, t / attack) : 1.0;
  const double fall = std::exp(-t / decay);
  const double release = std::clamp((length - t) / kRelease, 0.0, 1.0);
  return rise * fall * release;
}

double Partial(Timbre timbre, int n) {
  switch (timbre) {
    case Timbre::Sine:
      return n == 1 ? 1.0 : 0.0;
    case Timbre::Square:
      return n % 2 == 1 ? 1.0 / n : 0.0;
    case Timbre::Saw:
      return 1.0 / n;
  }
  return 0.0;
}

// A fixed xorshift generator: the noise must not depend on the library's.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed != 0 ? seed : 1) {}
  double Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_ / 2147483647.5 - 1.0;
  }

 private:
  std::uint32_t state_;
};

class Lowpass {
 public:
  explicit Lowpass(double cutoffHz) : gain_(1.0 - std::exp(-2.0 * std::numbers::pi * cutoffHz / kSampleRate)) {}
  double Step(double x) { return level_ += gain_ * (x - level_); }

 private:
  double gain_;
  double level_ = 0.0;
};

// Two one-pole stages on each side give a gentle 12 dB per octave band.
class Band {
 public:
  Band(double highpassHz, double lowpassHz)
      : low_{Lowpass(lowpassHz), Lowpass(lowpassHz)}, rumble_{Lowpass(highpassHz), Lowpass(highpassHz)} {}
  double Step(double x) {
    for (Lowpass& stage : low_) x = stage.Step(x);
    for (Lowpass& stage : rumble_) x -= stage.Step(x);
    return x;
  }

 private:
  Lowpass low_[2];
  Lowpass rumble_[2];
};

}  // namespace

Samples Silence(double seconds) { return Samples(SampleAt(seconds), 0.0); }

void Add(Samples& out, const Tone& tone) {
  const std::size_t first = SampleAt(tone.start);
  const std::size_t count = SampleAt(tone.length);
  const double glide = std::log(tone.toHz / tone.fromHz);
  double phase = 0.0;
  for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double hz = tone.fromHz * std::exp(glide * t / tone.length);
    double wave = 0.0;
    for (int n = 1; n <= tone.harmonics && n * hz < kHighestPartial * kSampleRate; ++n) {
      wave += Partial(tone.timbre, n) * std::sin(n * phase);
    }
    out[first + i] += tone.amplitude * Envelope(t, tone.length, tone.attack, tone.decay) * wave;
    phase = std::fmod(phase + 2.0 * std::numbers::pi * hz / kSampleRate, 2.0 * std::numbers::pi);
  }
}

void Add(Samples& out, const Hiss& hiss) {
  const std::size_t first = SampleAt(hiss.start);
  const std::size_t count = SampleAt(hiss.length);
  Noise noise(hiss.seed);
  Band band(hiss.highpassHz, hiss.lowpassHz);
  for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    out[first + i] += hiss.amplitude * Envelope(t, hiss.length, hiss.attack, hiss.decay) * band.Step(noise.Next());
  }
}

}  // namespace zelvane::cues
