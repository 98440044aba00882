// How soon the game's sound player gets a cue to the device after a silence:
// the player is made as the game makes it, the silence lasts, and then the
// start cue "cde.wav" is played from the working directory. The device has
// the cue when SDL's audio thread for it starts, since its first act is to
// take the cue's first buffer; the thread is looked for every 50 µs.
//
// With SDL's disk driver the tool also reads SDL_DISKAUDIOFILE once it has
// been written (the driver writes through stdio, so the file only shows its
// first 4 kB, four buffers, about 35 ms later) and tells whether it begins
// with the cue's first samples: the device took no buffer of silence first.
//
// Usage: cue_latency [SILENCE_SECONDS]   (default 10)
// Prints `rested_in_silence:` (1 if no audio thread ran just before the cue),
// `play_call_ms:` (how long Play kept the caller), `first_cue_ms:` and, with
// the disk driver, `cue_at_first_sample:`.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl_cue_player.h"
#include "sound/cues.h"
#include "support/audio_thread.h"

namespace {

namespace fs = std::filesystem;
using zelvane::testing::AudioThreadRuns;
using Clock = std::chrono::steady_clock;
constexpr const char* kCue = zelvane::cue::kStart;
constexpr auto kPatience = std::chrono::seconds(5);
constexpr auto kPollStep = std::chrono::microseconds(50);
// Compared at the start of the disk driver's file.
constexpr std::size_t kLeadingBytes = 256;

double MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

bool WaitFor(bool (*done)(const char*), const char* argument) {
  const auto deadline = Clock::now() + kPatience;
  while (!done(argument)) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(kPollStep);
  }
  return true;
}

std::vector<char> Leading(const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<char> bytes(kLeadingBytes);
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  return bytes;
}

// The cue's first samples, in the 16-bit mono format the device runs in.
std::vector<char> CueLeading() {
  SDL_AudioSpec spec{};
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV(kCue, &spec, &data, &length) == nullptr) return {};
  std::vector<char> bytes(data, data + std::min<std::size_t>(length, kLeadingBytes));
  SDL_FreeWAV(data);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  const int silence = argc > 1 ? std::atoi(argv[1]) : 10;
  const char* driver = std::getenv("SDL_AUDIODRIVER");
  const char* diskFile = std::getenv("SDL_DISKAUDIOFILE");
  const bool disk = driver != nullptr && std::string(driver) == "disk" && diskFile != nullptr;
  zelvane::SdlCuePlayer player;
  const std::array<const char*, 1> cues = {kCue};
  player.Load(cues);
  std::this_thread::sleep_for(std::chrono::seconds(silence));
  std::printf("rested_in_silence: %d\n", AudioThreadRuns() ? 0 : 1);
  // The file of a device opened afresh starts empty.
  if (disk) fs::remove(diskFile);
  const auto event = Clock::now();
  player.Play(kCue);
  const auto returned = Clock::now();
  if (!WaitFor([](const char*) { return AudioThreadRuns(); }, nullptr)) {
    std::fprintf(stderr, "cue_latency: the device never opened for the cue\n");
    return 1;
  }
  const auto taken = Clock::now();
  std::printf("play_call_ms: %.3f\n", MillisecondsBetween(event, returned));
  std::printf("first_cue_ms: %.3f\n", MillisecondsBetween(event, taken));
  if (disk) {
    const auto written = [](const char* path) { return Leading(path).size() == kLeadingBytes; };
    const bool atFirst = WaitFor(written, diskFile) && Leading(diskFile) == CueLeading();
    std::printf("cue_at_first_sample: %d\n", atFirst ? 1 : 0);
  }
  return 0;
}
