#include "platform/sdl_cue_player.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace zelvane {
namespace {

// 512 frames at 44100 Hz is 11.6 ms a buffer: a cue starts soon after its event.
constexpr int kFrequency = 44100;
constexpr Uint16 kBufferFrames = 512;

// Converts a loaded wave to the device's format with SDL's own converter.
// (This SDL's audio streams drop the last part of a sound when flushed.)
std::optional<std::vector<Uint8>> Convert(const SDL_AudioSpec& from, const Uint8* data, Uint32 length,
                                          const SDL_AudioSpec& to) {
  SDL_AudioCVT cvt{};
  if (SDL_BuildAudioCVT(&cvt, from.format, from.channels, from.freq, to.format, to.channels, to.freq) < 0) {
    return std::nullopt;
  }
  cvt.len = static_cast<int>(length);
  std::vector<Uint8> converted(static_cast<std::size_t>(cvt.len) * static_cast<std::size_t>(cvt.len_mult));
  std::copy_n(data, length, converted.begin());
  cvt.buf = converted.data();
  if (SDL_ConvertAudio(&cvt) != 0) return std::nullopt;
  converted.resize(static_cast<std::size_t>(cvt.len_cvt));
  return converted;
}

// How long a cue in the device's format (16-bit mono) sounds.
std::chrono::milliseconds Length(const std::vector<Uint8>& cue) {
  return std::chrono::milliseconds(cue.size() / sizeof(Sint16) * 1000 / kFrequency);
}

}  // namespace

SdlCuePlayer::SdlCuePlayer(std::chrono::milliseconds linger, FileSystem& files) : linger_(linger), files_(files) {
  audio_started_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (!audio_started_) return;
  format_.freq = kFrequency;
  format_.format = AUDIO_S16SYS;
  format_.channels = 1;
  format_.samples = kBufferFrames;
  format_.callback = FillDevice;
  format_.userdata = this;
  // Opening once now finds out whether there is a device, and readies the
  // sound system for the first cue; the closer closes it again at once.
  sounding_ = OpenDevice(nullptr);
  if (!sounding_ || linger_ == kForever) return;
  closeAt_ = Clock::now();
  closer_ = std::thread(&SdlCuePlayer::CloseWhenSilent, this);
}

SdlCuePlayer::~SdlCuePlayer() {
  if (closer_.joinable()) {
    {
      const std::lock_guard guard(lock_);
      stopping_ = true;
    }
    changed_.notify_all();
    closer_.join();
  }
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  if (audio_started_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::vector<std::string> SdlCuePlayer::Load(std::span<const char* const> names) {
  std::vector<std::string> problems;
  if (!sounding_) return problems;
  for (const char* name : names) {
    std::string problem;
    if (std::optional<Sound> sound = Decode(name, problem)) {
      cache_.insert_or_assign(name, std::move(*sound));
    } else if (!problem.empty()) {
      problems.push_back(std::string(name) + ": " + problem + "; the cue stays silent");
    }
  }
  return problems;
}

bool SdlCuePlayer::OpenDevice(const Sound* voice) {
  // No audio thread runs yet: the voice is set before the first buffer is asked for.
  playing_ = voice;
  position_ = 0;
  // No changes allowed: SDL adapts our format to the hardware itself.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &format_, nullptr, 0);
  if (device_ == 0) return false;
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void SdlCuePlayer::Play(const char* name) {
  if (!sounding_) return;
  const auto loaded = cache_.find(name);
  const Sound* cue = loaded != cache_.end() ? &loaded->second : nullptr;
  std::unique_lock lock(lock_);
  // A device on its way out takes a few milliseconds more; then it opens anew.
  changed_.wait(lock, [this] { return !closing_; });
  if (device_ != 0) {
    SDL_LockAudioDevice(device_);
    playing_ = cue;
    position_ = 0;
    SDL_UnlockAudioDevice(device_);
  } else if (cue == nullptr) {
    // Nothing plays while the device is closed, so there is nothing to cut.
    return;
  } else if (OpenDevice(cue)) {
    changed_.notify_all();
  } else {
    // Taken by another program meanwhile, perhaps: the next cue tries again.
    return;
  }
  if (linger_ == kForever) return;
  closeAt_ = Clock::now() + (cue != nullptr ? Length(*cue) : std::chrono::milliseconds(0)) + linger_;
}

void SdlCuePlayer::CloseWhenSilent() {
  std::unique_lock lock(lock_);
  while (!stopping_) {
    if (device_ == 0) {
      changed_.wait(lock);
    } else if (Clock::now() < closeAt_) {
      changed_.wait_until(lock, closeAt_);
    } else {
      // Closing waits for SDL's audio thread to finish: the lock stays free meanwhile.
      const SDL_AudioDeviceID device = device_;
      closing_ = true;
      lock.unlock();
      SDL_CloseAudioDevice(device);
      lock.lock();
      device_ = 0;
      closing_ = false;
      changed_.notify_all();
    }
  }
}

std::optional<SdlCuePlayer::Sound> SdlCuePlayer::Decode(const char* name, std::string& problem) {
  const FileStart file = files_.ReadStart(name, kLargestCue);
  switch (file.kind) {
    case FileStart::Kind::Missing:
      return std::nullopt;
    case FileStart::Kind::NotRegular:
      problem = "not a regular file";
      return std::nullopt;
    case FileStart::Kind::Failed:
      problem = "cannot read: " + file.error.message();
      return std::nullopt;
    case FileStart::Kind::Read:
      break;
  }
  if (file.size > kLargestCue) {
    problem =
        "too large for a cue (" + std::to_string(file.size) + " bytes, at most " + std::to_string(kLargestCue) + ")";
    return std::nullopt;
  }
  if (file.bytes.empty()) {
    problem = "empty";
    return std::nullopt;
  }
  SDL_AudioSpec spec{};
  Uint8* data = nullptr;
  Uint32 length = 0;
  SDL_RWops* bytes = SDL_RWFromConstMem(file.bytes.data(), static_cast<int>(file.bytes.size()));
  if (SDL_LoadWAV_RW(bytes, 1, &spec, &data, &length) == nullptr) {
    problem = std::string("not a playable wave file: ") + SDL_GetError();
    return std::nullopt;
  }
  std::optional<Sound> converted = Convert(spec, data, length, format_);
  SDL_FreeWAV(data);
  if (!converted) {
    problem = std::string("cannot be converted for the sound device: ") + SDL_GetError();
  } else if (converted->empty()) {
    problem = "holds no sound";
    converted.reset();
  }
  return converted;
}

void SDLCALL SdlCuePlayer::FillDevice(void* player, Uint8* stream, int length) {
  auto& self = *static_cast<SdlCuePlayer*>(player);
  const auto wanted = static_cast<std::size_t>(length);
  std::size_t copied = 0;
  if (self.playing_ != nullptr) {
    copied = std::min(wanted, self.playing_->size() - self.position_);
    std::memcpy(stream, self.playing_->data() + self.position_, copied);
    self.position_ += copied;
    if (self.position_ == self.playing_->size()) self.playing_ = nullptr;
  }
  std::memset(stream + copied, self.format_.silence, wanted - copied);
}

}  // namespace zelvane
