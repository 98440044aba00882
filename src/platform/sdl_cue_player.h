#pragma once

#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "sound/cue_player.h"

namespace zelvane {

// Plays cues on the default sound device, one voice at a time: a new cue
// cuts the current one and starts from its beginning. Without a sound device
// the player stays silent and the game runs the same. A cue whose file is
// missing or unreadable plays nothing, and still cuts the current one.
//
// Silence costs nothing: the device runs only while a cue plays and for
// `linger` after it, and opens again for the next cue. (SDL's audio thread
// would otherwise wake every 11.6 ms to hand the device silence.)
class SdlCuePlayer final : public CuePlayer {
 public:
  static constexpr std::chrono::milliseconds kLinger{3000};

  explicit SdlCuePlayer(std::chrono::milliseconds linger = kLinger);
  ~SdlCuePlayer() override;
  SdlCuePlayer(const SdlCuePlayer&) = delete;
  SdlCuePlayer& operator=(const SdlCuePlayer&) = delete;

  void Play(const char* name) override;

 private:
  using Sound = std::vector<Uint8>;
  using Clock = std::chrono::steady_clock;

  static void SDLCALL FillDevice(void* player, Uint8* stream, int length);
  // The cue in the device's format, loaded on first use; null if unplayable.
  const Sound* Load(const char* name);
  // Opens the device with `voice` to play; false if it cannot.
  bool OpenDevice(const Sound* voice);
  // The closer's watch: closes the device once the silence has lasted.
  void CloseWhenSilent();

  const std::chrono::milliseconds linger_;
  bool audio_started_ = false;
  // False when there was no device to open at start: the player stays silent.
  bool sounding_ = false;
  // The format cues are converted to; the device takes it as it is.
  SDL_AudioSpec format_{};
  // Cues once loaded stay until the end: the audio thread may be reading one.
  std::unordered_map<std::string, Sound> cache_;

  // The device and when it may close, shared with the closer under `lock_`.
  std::mutex lock_;
  std::condition_variable changed_;
  SDL_AudioDeviceID device_ = 0;
  bool closing_ = false;
  bool stopping_ = false;
  Clock::time_point closeAt_{};
  std::thread closer_;

  // The voice, shared with the audio thread under the device lock.
  const Sound* playing_ = nullptr;
  std::size_t position_ = 0;
};

}  // namespace zelvane
