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

}  // namespace

SdlCuePlayer::SdlCuePlayer() {
  audio_started_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (!audio_started_) return;
  SDL_AudioSpec wanted{};
  wanted.freq = kFrequency;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 1;
  wanted.samples = kBufferFrames;
  wanted.callback = FillDevice;
  wanted.userdata = this;
  // No changes allowed: SDL adapts our format to the hardware itself.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &format_, 0);
  if (device_ != 0) SDL_PauseAudioDevice(device_, 0);
}

SdlCuePlayer::~SdlCuePlayer() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  if (audio_started_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlCuePlayer::Play(const char* name) {
  if (device_ == 0) return;
  const Sound* cue = Load(name);
  SDL_LockAudioDevice(device_);
  playing_ = cue;
  position_ = 0;
  SDL_UnlockAudioDevice(device_);
}

const SdlCuePlayer::Sound* SdlCuePlayer::Load(const char* name) {
  if (const auto cached = cache_.find(name); cached != cache_.end()) return &cached->second;
  SDL_AudioSpec spec{};
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV(name, &spec, &data, &length) == nullptr) return nullptr;
  std::optional<Sound> converted = Convert(spec, data, length, format_);
  SDL_FreeWAV(data);
  // A file that fails is tried again next time: it may be put right while the game runs.
  if (!converted || converted->empty()) return nullptr;
  return &cache_.emplace(name, std::move(*converted)).first->second;
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
