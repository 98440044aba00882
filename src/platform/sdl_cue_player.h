#pragma once

#include <SDL.h>

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <thread>
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
//
// The game never waits for the sound: the sound system is started and the
// device opened and closed on a thread of the player's own, so a sound server
// that does not answer leaves the game playing in silence. A cue that cannot
// start soon after its event is left out; a device that failed to open is
// tried again for a cue kRetryAfter later.
class SdlCuePlayer final : public CuePlayer {
 public:
  static constexpr std::chrono::milliseconds kLinger{3000};
  // Keeps the device open from start to end, opened at once, with no thread:
  // for a browser tab, which has no threads and makes a whole new sound
  // context, a fifth of a second's work, each time the device opens.
  static constexpr std::chrono::milliseconds kForever = std::chrono::milliseconds::max();
  static constexpr std::chrono::milliseconds kRetryAfter{5000};

  explicit SdlCuePlayer(std::chrono::milliseconds linger = kLinger, FileSystem& files = NativeFiles());
  ~SdlCuePlayer() override;
  SdlCuePlayer(const SdlCuePlayer&) = delete;
  SdlCuePlayer& operator=(const SdlCuePlayer&) = delete;

  // Reads and converts the named cues once, so that Play never touches a file
  // and a key press never waits for the disk. Only regular files up to
  // kLargestCue are read. Gives one line for each cue that is there but cannot
  // be played; a missing file is a cue left out, silently.
  std::vector<std::string> Load(std::span<const char* const> names);

  void Play(const char* name) override;

 private:
  // The sound system, the device and the loaded cues, shared with the
  // player's thread, which may outlive the player when the device hangs.
  class Device;

  // The cue in the device's format; nothing when it is missing or unplayable,
  // with the reason in `problem` for the latter.
  std::optional<std::vector<Uint8>> Decode(const char* name, std::string& problem);

  FileSystem& files_;
  std::shared_ptr<Device> device_;
  std::thread keeper_;
};

// Our cues are under 60 KB; a file this large is no cue and would only fill the memory.
inline constexpr std::size_t kLargestCue = 16 * 1024 * 1024;

}  // namespace zelvane
