#pragma once

#include <SDL.h>

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "sound/cue_player.h"

namespace zelvane {

// Plays cues on the default sound device, one voice at a time: a new cue
// cuts the current one and starts from its beginning. Without a sound device
// the player stays silent and the game runs the same. A cue whose file is
// missing or unreadable plays nothing, and still cuts the current one.
class SdlCuePlayer final : public CuePlayer {
 public:
  SdlCuePlayer();
  ~SdlCuePlayer() override;
  SdlCuePlayer(const SdlCuePlayer&) = delete;
  SdlCuePlayer& operator=(const SdlCuePlayer&) = delete;

  void Play(const char* name) override;

 private:
  using Sound = std::vector<Uint8>;

  static void SDLCALL FillDevice(void* player, Uint8* stream, int length);
  // The cue in the device's format, loaded on first use; null if unplayable.
  const Sound* Load(const char* name);

  bool audio_started_ = false;
  SDL_AudioDeviceID device_ = 0;
  SDL_AudioSpec format_{};
  // Cues once loaded stay until the end: the audio thread may be reading one.
  std::unordered_map<std::string, Sound> cache_;
  // The voice, shared with the audio thread under the device lock.
  const Sound* playing_ = nullptr;
  std::size_t position_ = 0;
};

}  // namespace zelvane
