#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zelvane::cues {

// Writes 16-bit mono PCM at `sample_rate` as a WAV file; throws on failure.
void WriteWav(const std::string& path, const std::vector<std::int16_t>& pcm, int sample_rate);

}  // namespace zelvane::cues
