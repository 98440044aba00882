#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zelvane::cues {

// Writes 16-bit mono PCM at `sampleRate` as a WAV file; throws on failure.
void WriteWav(const std::string& path, const std::vector<std::int16_t>& pcm, int sampleRate);

}  // namespace zelvane::cues
