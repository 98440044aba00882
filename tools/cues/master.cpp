#include "master.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace zelvane::cues {
namespace {

constexpr double kFadeIn = 0.002;
constexpr double kFadeOut = 0.02;

// A raised-cosine ramp from 0 to 1 over `length` samples, read at `i`.
double Ramp(std::size_t i, std::size_t length) {
  return 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / static_cast<double>(length));
}

}  // namespace

std::vector<std::int16_t> Master(Samples mix) {
  const auto fadeIn = static_cast<std::size_t>(kFadeIn * kSampleRate);
  const auto fadeOut = static_cast<std::size_t>(kFadeOut * kSampleRate);
  if (mix.size() < fadeIn + fadeOut) throw std::invalid_argument("cue shorter than its fades");
  for (std::size_t i = 0; i < fadeIn; ++i) mix[i] *= Ramp(i, fadeIn);
  for (std::size_t i = 0; i < fadeOut; ++i) mix[mix.size() - 1 - i] *= Ramp(i, fadeOut);

  double peak = 0.0;
  for (const double x : mix) peak = std::max(peak, std::abs(x));
  if (peak == 0.0) throw std::invalid_argument("silent cue");
  const double gain = std::pow(10.0, kPeakDb / 20.0) * 32767.0 / peak;

  std::vector<std::int16_t> pcm(mix.size());
  std::transform(mix.begin(), mix.end(), pcm.begin(),
                 [gain](double x) { return static_cast<std::int16_t>(std::lround(x * gain)); });
  return pcm;
}

}  // namespace zelvane::cues
