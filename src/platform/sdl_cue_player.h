#pragma once

#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "records/native_file_system.h"
#include "sound/cue_player.h"

namespace zelvane {

// Plays cues on the default sound device, one voice at a time: a new cue
// cuts the current one and starts from its beginning. Without a sound device
// the player stays silent and the game runs the same. A cue that was not
// loaded, or could not be, plays nothing, and still cuts the current one.
//
// Silence costs nothing: the device runs only while a cue plays and for
// `linger` after it, and opens again for the next cue. (SDL's audio thread
// would otherwise wake every 11.6 ms to hand the device silence.)
class SdlCuePlayer final : public CuePlayer {
 public:
  static constexpr std::chrono::milliseconds kLinger{3000};
  // Keeps the device open from start to end, with no thread to close it: for
  // a browser tab, which has no threads and makes a whole new sound context,
  // a fifth of a second's work, each time the device opens.
  static constexpr std::chrono::milliseconds kForever = std::chrono::milliseconds::max();

  explicit SdlCuePlayer(std::chrono::milliseconds linger = kLinger, FileSystem& files = NativeFiles());
  ~SdlCuePlayer() override;
  SdlCuePlayer(const SdlCuePlayer&) = delete;
  SdlCuePlayer& operator=(const SdlCuePlayer&) = delete;

  // Reads and converts the named cues once, so that Play never touches a file
  // and a key press never waits for the disk. Only regular files up to
  // kLargestCue are read. Gives one line for each cue that is there but cannot
  // be played; a missing file is a cue left out, silently. Nothing is read
  // without a sound device.
  std::vector<std::string> Load(std::span<const char* const> names);

  void Play(const char* name) override;

 private:
  using Sound = std::vector<Uint8>;
  using Clock = std::chrono::steady_clock;

  static void SDLCALL FillDevice(void* player, Uint8* stream, int length);
  // The cue in the device's format; nothing when it is missing or unplayable,
  // with the reason in `problem` for the latter.
  std::optional<Sound> Decode(const char* name, std::string& problem);
  // Opens the device with `voice` to play; false if it cannot.
  bool OpenDevice(const Sound* voice);
  // The closer's watch: closes the device once the silence has lasted.
  void CloseWhenSilent();

  const std::chrono::milliseconds linger_;
  FileSystem& files_;
  bool audio_started_ = false;
  // False when there was no device to open at start: the player stays silent.
  bool sounding_ = false;
  // The format cues are converted to; the device takes it as it is.
  SDL_AudioSpec format_{};
  // Loaded cues stay until the end: the audio thread may be reading one.
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

// Our cues are under 60 KB; a file this large is no cue and would only fill the memory.
inline constexpr std::size_t kLargestCue = 16 * 1024 * 1024;

}  // namespace zelvane
