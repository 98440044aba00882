#pragma once

namespace zelvane {

// Plays a named wave file from the working directory without waiting for it.
// A cue that starts stops the one still playing. A cue that cannot be played
// is no error: the game goes on the same.
class CuePlayer {
 public:
  virtual ~CuePlayer() = default;
  virtual void Play(const char* name) = 0;
};

// For a game with no sound at all.
class SilentCuePlayer final : public CuePlayer {
 public:
  void Play(const char*) override {}
};

}  // namespace zelvane
