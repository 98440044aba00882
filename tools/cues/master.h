#pragma once

#include <cstdint>
#include <vector>

#include "synth.h"

namespace zelvane::cues {

// Loudest sample of every cue, in dB below full scale: all cues sound about
// as loud as each other and none can clip.
inline constexpr double kPeakDb = -3.0;

// Turns a mixed cue into 16-bit samples: short fades at both ends so it
// starts and stops without a click, then scaled so its peak sits at kPeakDb.
std::vector<std::int16_t> Master(Samples mix);

}  // namespace zelvane::cues
