#include "platform/sdl_cue_player.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace zelvane {
namespace {

// 512 frames at 44100 Hz is 11.6 ms a buffer: a cue starts soon after its event.
constexpr int kFrequency = 44100;
constexpr Uint16 kBufferFrames = 512;
// A cue that cannot start this soon after its event would mark nothing: it is left out.
constexpr std::chrono::milliseconds kLatestStart{1000};
// The game's end waits this long for the device to close; one that takes longer hangs, and is left behind.
constexpr std::chrono::milliseconds kLongestClose{500};

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

// The sound system is started with SDL_AudioInit rather than
// SDL_InitSubSystem: it is the player's alone, so that the game's SDL_Quit
// never waits on a device that hangs.
class SdlCuePlayer::Device {
 public:
  using Sound = std::vector<Uint8>;

  explicit Device(std::chrono::milliseconds linger);

  // The game's side. Opens the device at once and keeps it open: the browser's way, with no keeper.
  void OpenForGood();
  void CloseForGood();
  void Play(const Sound* cue);
  // Asks the keeper to close the device and end; true once it has, within `patience`.
  bool Stop(std::chrono::milliseconds patience);

  // The keeper's side: starts the sound system, then opens and closes the device until Stop.
  void Keep();

  // The format cues are converted to; the device takes it as it is.
  const SDL_AudioSpec& Format() const { return format_; }

  // Loaded cues stay as long as the device may play one.
  std::unordered_map<std::string, Sound> cues;

 private:
  using Clock = std::chrono::steady_clock;

  static void SDLCALL Fill(void* device, Uint8* stream, int length);
  // Opens the device for the cue wanted, if any; on failure rests until kRetryAfter.
  void Open(std::unique_lock<std::mutex>& lock);
  void Close(std::unique_lock<std::mutex>& lock);

  const std::chrono::milliseconds linger_;
  SDL_AudioSpec format_{};

  std::mutex lock_;
  std::condition_variable changed_;
  // The browser's sound system runs.
  bool started_ = false;
  bool stopping_ = false;
  // The keeper has ended, or could not start the sound system.
  bool ended_ = false;
  SDL_AudioDeviceID device_ = 0;
  bool closing_ = false;
  Clock::time_point closeAt_{};
  Clock::time_point retryAt_{};
  // The cue asked for while the device was not open, and when.
  const Sound* wanted_ = nullptr;
  Clock::time_point wantedAt_{};

  // The voice, shared with the audio thread under the device lock.
  const Sound* playing_ = nullptr;
  std::size_t position_ = 0;
};

SdlCuePlayer::Device::Device(std::chrono::milliseconds linger) : linger_(linger) {
  format_.freq = kFrequency;
  format_.format = AUDIO_S16SYS;
  format_.channels = 1;
  format_.samples = kBufferFrames;
  format_.callback = Fill;
  format_.userdata = this;
}

void SdlCuePlayer::Device::OpenForGood() {
  std::unique_lock lock(lock_);
  started_ = SDL_AudioInit(nullptr) == 0;
  if (started_) Open(lock);
}

void SdlCuePlayer::Device::CloseForGood() {
  std::unique_lock lock(lock_);
  if (device_ != 0) Close(lock);
  if (started_) SDL_AudioQuit();
}

void SdlCuePlayer::Device::Keep() {
  // At the audio thread's own priority, the device's thread that this one
  // starts cannot overtake it before the cue is set, so the cue fills the
  // device's first buffer. The thread sleeps between cues.
  SDL_SetThreadPriority(SDL_THREAD_PRIORITY_TIME_CRITICAL);
  // A sound server may keep its caller waiting from the start.
  const bool started = SDL_AudioInit(nullptr) == 0;
  {
    std::unique_lock lock(lock_);
    if (started) {
      // Opening once now finds out whether there is a device and readies the
      // sound system for the first cue; with no cue to play it closes at once.
      Open(lock);
      while (!stopping_) {
        if (device_ == 0 && wanted_ != nullptr) {
          Open(lock);
        } else if (device_ != 0 && Clock::now() >= closeAt_) {
          Close(lock);
        } else if (device_ != 0) {
          changed_.wait_until(lock, closeAt_);
        } else {
          changed_.wait(lock);
        }
      }
      if (device_ != 0) Close(lock);
    }
  }
  if (started) SDL_AudioQuit();
  // SDL keeps its messages for each thread; this thread's end with it.
  SDL_TLSCleanup();
  const std::lock_guard guard(lock_);
  ended_ = true;
  changed_.notify_all();
}

bool SdlCuePlayer::Device::Stop(std::chrono::milliseconds patience) {
  std::unique_lock lock(lock_);
  stopping_ = true;
  changed_.notify_all();
  return changed_.wait_for(lock, patience, [this] { return ended_; });
}

void SdlCuePlayer::Device::Open(std::unique_lock<std::mutex>& lock) {
  const Sound* first = wanted_;
  Clock::time_point asked = wantedAt_;
  // No audio thread runs yet: the voice is set before the first buffer is asked for.
  playing_ = first;
  position_ = 0;
  wanted_ = nullptr;
  lock.unlock();
  // No changes allowed: SDL adapts our format to the hardware itself. The
  // device opens paused; the cue starts at once, in its first buffer, unless
  // the open kept it waiting too long.
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &format_, nullptr, 0);
  if (device != 0 && first != nullptr && Clock::now() - asked <= kLatestStart) SDL_PauseAudioDevice(device, 0);
  lock.lock();
  const Clock::time_point now = Clock::now();
  if (device == 0) {
    // No device, or taken by another program: a cue a while later tries again.
    playing_ = nullptr;
    wanted_ = nullptr;
    retryAt_ = now + kRetryAfter;
    return;
  }
  // A cue that came during the open cuts the first; one the open kept waiting is left out.
  SDL_LockAudioDevice(device);
  if (wanted_ != nullptr) {
    playing_ = wanted_;
    position_ = 0;
    asked = wantedAt_;
    wanted_ = nullptr;
  }
  if (now - asked > kLatestStart) playing_ = nullptr;
  // With nothing to hear, the device closes at once.
  closeAt_ = playing_ != nullptr && linger_ != kForever ? now + Length(*playing_) + linger_ : now;
  SDL_UnlockAudioDevice(device);
  device_ = device;
  SDL_PauseAudioDevice(device, 0);
}

void SdlCuePlayer::Device::Close(std::unique_lock<std::mutex>& lock) {
  // Closing waits for SDL's audio thread to finish: the lock stays free meanwhile.
  const SDL_AudioDeviceID device = device_;
  closing_ = true;
  lock.unlock();
  SDL_CloseAudioDevice(device);
  lock.lock();
  device_ = 0;
  closing_ = false;
  playing_ = nullptr;
}

void SdlCuePlayer::Device::Play(const Sound* cue) {
  const std::lock_guard guard(lock_);
  const Clock::time_point now = Clock::now();
  if (device_ != 0 && !closing_) {
    SDL_LockAudioDevice(device_);
    playing_ = cue;
    position_ = 0;
    SDL_UnlockAudioDevice(device_);
    if (linger_ != kForever) closeAt_ = now + (cue != nullptr ? Length(*cue) : std::chrono::milliseconds(0)) + linger_;
    return;
  }
  // Nothing plays while the device is closed, so there is nothing to cut; a
  // device that just failed rests; without a keeper nobody would open it.
  if (cue == nullptr || ended_ || now < retryAt_ || linger_ == kForever) return;
  wanted_ = cue;
  wantedAt_ = now;
  changed_.notify_all();
}

void SDLCALL SdlCuePlayer::Device::Fill(void* device, Uint8* stream, int length) {
  auto& self = *static_cast<Device*>(device);
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

SdlCuePlayer::SdlCuePlayer(std::chrono::milliseconds linger, FileSystem& files)
    : files_(files), device_(std::make_shared<Device>(linger)) {
  if (linger == kForever) {
    device_->OpenForGood();
  } else {
    keeper_ = std::thread([device = device_] { device->Keep(); });
  }
}

SdlCuePlayer::~SdlCuePlayer() {
  if (!keeper_.joinable()) {
    device_->CloseForGood();
  } else if (device_->Stop(kLongestClose)) {
    keeper_.join();
  } else {
    // The device hangs: the game ends without it, and the keeper keeps what it needs until then.
    keeper_.detach();
  }
}

std::vector<std::string> SdlCuePlayer::Load(std::span<const char* const> names) {
  std::vector<std::string> problems;
  for (const char* name : names) {
    std::string problem;
    if (std::optional<std::vector<Uint8>> sound = Decode(name, problem)) {
      device_->cues.insert_or_assign(name, std::move(*sound));
    } else if (!problem.empty()) {
      problems.push_back(std::string(name) + ": " + problem + "; the cue stays silent");
    }
  }
  return problems;
}

void SdlCuePlayer::Play(const char* name) {
  const auto loaded = device_->cues.find(name);
  device_->Play(loaded != device_->cues.end() ? &loaded->second : nullptr);
}

std::optional<std::vector<Uint8>> SdlCuePlayer::Decode(const char* name, std::string& problem) {
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
  std::optional<std::vector<Uint8>> converted = Convert(spec, data, length, device_->Format());
  SDL_FreeWAV(data);
  if (!converted) {
    problem = std::string("cannot be converted for the sound device: ") + SDL_GetError();
  } else if (converted->empty()) {
    problem = "holds no sound";
    converted.reset();
  }
  return converted;
}

}  // namespace zelvane
