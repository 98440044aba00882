#include "platform/sdl_cue_player.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "sound/cues.h"
#include "support/audio_thread.h"
#include "support/unwritten_fifo.h"

namespace zelvane {
namespace {

using testing::AudioThreadRuns;

namespace fs = std::filesystem;
using Pcm = std::vector<std::int16_t>;

constexpr std::int16_t kLongLevel = 1000;
constexpr std::int16_t kRampStart = 2000;
constexpr int kRampLength = 3000;
constexpr std::array<const char*, 2> kTestCues = {"long.wav", "ramp.wav"};

// Writes `samples` (interleaved for several channels) in the given format.
void WriteWav(const std::string& name, int format, int rate, int channels, const Pcm& samples) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | format;
  SNDFILE* file = sf_open(name.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  sf_write_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(file);
}

Pcm Ramp() {
  Pcm ramp(kRampLength);
  for (int i = 0; i < kRampLength; ++i) ramp[i] = static_cast<std::int16_t>(kRampStart + i);
  return ramp;
}

fs::path CommittedCue(const char* name) {
  const char* source = std::getenv("ZELVANE_SOURCE_DIR");
  return fs::path(source != nullptr ? source : ".") / "assets" / "sounds" / name;
}

bool Silent(Pcm::const_iterator first, Pcm::const_iterator last) {
  return std::all_of(first, last, [](std::int16_t s) { return s == 0; });
}

std::vector<char> Bytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Each test runs in a directory of its own, as the game runs in its data
// directory, and picks SDL's audio driver through the environment.
class CuePlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / ("zelvane-cue-player-" + std::to_string(getpid()) + "-" + test->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    old_dir_ = fs::current_path();
    fs::current_path(dir_);
    WriteWav("long.wav", SF_FORMAT_PCM_16, 44100, 1, Pcm(10 * 44100, kLongLevel));
    WriteWav("ramp.wav", SF_FORMAT_PCM_16, 44100, 1, Ramp());
  }

  void TearDown() override {
    for (const char* name : {"SDL_AUDIODRIVER", "SDL_DISKAUDIOFILE", "SDL_DISKAUDIODELAY"}) unsetenv(name);
    fs::current_path(old_dir_);
    fs::remove_all(dir_);
  }

  // The disk driver writes what the player hands the device to a file, in
  // the player's 16-bit mono format.
  void UseDiskDriver() {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (dir_ / "device.raw").c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);
  }

  Pcm DeviceOutput() const {
    const std::vector<char> bytes = Bytes(dir_ / "device.raw");
    Pcm samples(bytes.size() / sizeof(std::int16_t));
    std::copy_n(bytes.data(), samples.size() * sizeof(std::int16_t), reinterpret_cast<char*>(samples.data()));
    return samples;
  }

  // Guards against a hang only: the wait is generous and never measured.
  void WaitForOutput(const std::function<bool(const Pcm&)>& ready) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!ready(DeviceOutput())) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the device never played what was expected";
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  void WaitForSample(std::int16_t value) const {
    WaitForOutput([value](const Pcm& out) { return std::find(out.begin(), out.end(), value) != out.end(); });
  }

  // Waits until something has played and the device has gone quiet after it.
  void WaitForQuiet() const {
    WaitForOutput([](const Pcm& out) {
      const auto last = std::find_if(out.rbegin(), out.rend(), [](std::int16_t s) { return s != 0; });
      return last != out.rend() && last - out.rbegin() >= 2048;
    });
  }

  fs::path dir_;
  fs::path old_dir_;
};

// Silence, then part of the long cue, then the whole ramp from its first sample, then silence.
void ExpectLongCutByRamp(const Pcm& out) {
  const auto ramp = std::find(out.begin(), out.end(), kRampStart);
  ASSERT_NE(ramp, out.end());
  const auto longStart = std::find(out.begin(), ramp, kLongLevel);
  EXPECT_TRUE(Silent(out.begin(), longStart));
  const auto longEnd = std::find_if(longStart, ramp, [](std::int16_t s) { return s != kLongLevel; });
  EXPECT_GT(longEnd - longStart, 0);
  EXPECT_LT(longEnd - longStart, 10 * 44100) << "the long cue was not cut";
  EXPECT_TRUE(Silent(longEnd, ramp));
  const Pcm expected = Ramp();
  ASSERT_GE(out.end() - ramp, kRampLength);
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), ramp)) << "the ramp did not play whole from its start";
  EXPECT_TRUE(Silent(ramp + kRampLength, out.end()));
}

TEST_F(CuePlayerTest, ANewCueCutsThePlayingOneAndStartsFromItsBeginning) {
  UseDiskDriver();
  {
    SdlCuePlayer player;
    EXPECT_TRUE(player.Load(kTestCues).empty());
    player.Play("long.wav");
    WaitForSample(kLongLevel);
    player.Play("ramp.wav");
    WaitForSample(kRampStart + kRampLength - 1);
  }
  ExpectLongCutByRamp(DeviceOutput());
}

// Copies the good cue with one header byte set to `value`.
void WriteWithByte(const std::vector<char>& good, std::size_t offset, char value, const char* name) {
  std::vector<char> bad = good;
  bad[offset] = value;
  std::ofstream(name, std::ios::binary).write(bad.data(), static_cast<std::streamsize>(bad.size()));
}

TEST_F(CuePlayerTest, AnUnplayableCueCutsThePlayingOneAndPlaysNothing) {
  const std::vector<char> good = Bytes("ramp.wav");
  std::ofstream("empty.wav");
  std::ofstream("header-only.wav", std::ios::binary).write(good.data(), 30);
  WriteWithByte(good, 20, 0x77, "unknown-encoding.wav");
  WriteWithByte(good, 22, 0, "no-channels.wav");
  std::ofstream garbage("garbage.wav", std::ios::binary);
  for (unsigned i = 0; i < 4000; ++i) garbage.put(static_cast<char>(i * 2654435761u >> 24));
  garbage.close();
  fs::create_directory("directory.wav");
  UseDiskDriver();
  // A missing cue is one left out, and says nothing; every other one says why it is silent.
  const std::vector<std::pair<const char*, const char*>> cues = {
      {"missing.wav", nullptr},
      {"empty.wav", "empty"},
      {"header-only.wav", "not a playable wave file: "},
      {"unknown-encoding.wav", "not a playable wave file: "},
      {"no-channels.wav", "not a playable wave file: "},
      {"garbage.wav", "not a playable wave file: "},
      {"directory.wav", "not a regular file"},
  };
  for (const auto& [name, problem] : cues) {
    SCOPED_TRACE(name);
    // The device opens on the player's thread: the last row's output must not pass for this one's.
    fs::remove(dir_ / "device.raw");
    {
      SdlCuePlayer player;
      const std::vector<const char*> names = {"long.wav", "ramp.wav", name};
      const std::vector<std::string> problems = player.Load(names);
      if (problem == nullptr) {
        EXPECT_TRUE(problems.empty());
      } else {
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_TRUE(problems[0].starts_with(std::string(name) + ": " + problem)) << problems[0];
        EXPECT_TRUE(problems[0].ends_with("; the cue stays silent")) << problems[0];
      }
      player.Play("long.wav");
      WaitForSample(kLongLevel);
      player.Play(name);
      WaitForQuiet();
      player.Play(name);
      // The player is still good for the next cue.
      player.Play("ramp.wav");
      WaitForSample(kRampStart + kRampLength - 1);
    }
    ExpectLongCutByRamp(DeviceOutput());
  }
}

// Cues are read once, before play: a key press never waits for a file, not
// even one that never ends or one of a gigabyte.
TEST_F(CuePlayerTest, CuesAreReadOnceAtLoadAndNeverWhilePlaying) {
  testing::UnwrittenFifo fifo((dir_ / "pipe.wav").string());
  ASSERT_TRUE(fifo.Made());
  {
    std::ofstream huge("huge.wav", std::ios::binary);
    huge.seekp(static_cast<std::streamoff>(kLargestCue));
    huge.put('\0');
  }
  UseDiskDriver();
  {
    SdlCuePlayer player;
    const std::vector<const char*> names = {"long.wav", "ramp.wav", "pipe.wav", "huge.wav"};
    const std::vector<std::string> problems = player.Load(names);
    EXPECT_EQ(problems, (std::vector<std::string>{
                            "pipe.wav: not a regular file; the cue stays silent",
                            "huge.wav: too large for a cue (16777217 bytes, at most 16777216); the cue stays silent"}));
    // What is on disk now is not what plays: the cue in memory does.
    fs::remove("ramp.wav");
    fs::copy_file("long.wav", "ramp.wav");
    player.Play("long.wav");
    WaitForSample(kLongLevel);
    player.Play("pipe.wav");
    player.Play("huge.wav");
    player.Play("ramp.wav");
    WaitForSample(kRampStart + kRampLength - 1);
  }
  EXPECT_FALSE(fifo.Waited()) << "a cue was opened as if a writer would come";
  ExpectLongCutByRamp(DeviceOutput());
}

TEST_F(CuePlayerTest, ConvertsAnEightBitStereoCueToTheDeviceFormat) {
  constexpr int kFrames = 2205;  // 0.2 s at 11025 Hz
  // 16384 becomes the unsigned byte 192, and comes back near 16384.
  WriteWav("retro.wav", SF_FORMAT_PCM_U8, 11025, 2, Pcm(2 * kFrames, 16384));
  UseDiskDriver();
  {
    SdlCuePlayer player;
    EXPECT_TRUE(player.Load(std::vector<const char*>{"retro.wav"}).empty());
    player.Play("retro.wav");
    WaitForQuiet();
  }
  const Pcm out = DeviceOutput();
  const auto level = std::count_if(out.begin(), out.end(), [](std::int16_t s) { return std::abs(s - 16384) < 300; });
  // Four times the frames at 44100 Hz, less a little at each edge of the resampler.
  EXPECT_GT(level, 4 * kFrames - 200);
  EXPECT_LE(level, 4 * kFrames + 8);
}

TEST_F(CuePlayerTest, ACutShortCuePlaysWhatItHolds) {
  const std::vector<char> whole = Bytes("ramp.wav");
  constexpr int kKept = 1000;
  std::ofstream("cut.wav", std::ios::binary).write(whole.data(), 44 + 2 * kKept + 1);
  UseDiskDriver();
  {
    SdlCuePlayer player;
    EXPECT_TRUE(player.Load(std::vector<const char*>{"cut.wav"}).empty());
    player.Play("cut.wav");
    WaitForSample(kRampStart + kKept - 1);
  }
  const Pcm out = DeviceOutput();
  const auto first = std::find(out.begin(), out.end(), kRampStart);
  ASSERT_GE(out.end() - first, kKept);
  EXPECT_TRUE(std::equal(first, first + kKept, Ramp().begin()));
  EXPECT_TRUE(Silent(first + kKept, out.end()));
}

// Five letters landing together start the landing cue five times in a row:
// the game's own cues load, and the last start is heard to its end.
TEST_F(CuePlayerTest, AStackOfCuesEndsWithTheLastOnePlayedWhole) {
  ASSERT_TRUE(fs::exists(CommittedCue("def.wav")));
  fs::copy_file(CommittedCue("def.wav"), "def.wav");
  SDL_AudioSpec spec{};
  Uint8* data = nullptr;
  Uint32 length = 0;
  ASSERT_NE(SDL_LoadWAV("def.wav", &spec, &data, &length), nullptr);
  Pcm expected(reinterpret_cast<std::int16_t*>(data), reinterpret_cast<std::int16_t*>(data + length));
  SDL_FreeWAV(data);
  // Its fade ends in silence, which the output cannot tell from the quiet after it.
  while (!expected.empty() && expected.back() == 0) expected.pop_back();
  UseDiskDriver();
  {
    SdlCuePlayer player;
    EXPECT_TRUE(player.Load(std::vector<const char*>{cue::kLetterLands}).empty());
    for (int letter = 0; letter < 5; ++letter) player.Play("def.wav");
    WaitForQuiet();
  }
  const Pcm out = DeviceOutput();
  const auto last = std::find_if(out.rbegin(), out.rend(), [](std::int16_t s) { return s != 0; }).base();
  ASSERT_GE(last - out.begin(), static_cast<std::ptrdiff_t>(expected.size()));
  EXPECT_TRUE(std::equal(expected.rbegin(), expected.rend(), std::make_reverse_iterator(last)));
}

// Whether `holds` comes true within a generous time; only a hang is guarded against.
bool Eventually(const std::function<bool()>& holds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!holds()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

TEST_F(CuePlayerTest, TheDeviceRestsAfterTheLingerAndOpensAgainForTheNextCueWhole) {
  UseDiskDriver();
  SdlCuePlayer player(std::chrono::milliseconds(100));
  EXPECT_TRUE(player.Load(kTestCues).empty());
  const auto rests = [] { return !AudioThreadRuns(); };
  EXPECT_TRUE(Eventually(rests)) << "the device opened at start still runs";
  for (int cue = 0; cue < 2; ++cue) {
    SCOPED_TRACE(cue);
    player.Play("ramp.wav");
    // The ramp and the linger keep it running for 168 ms.
    EXPECT_TRUE(Eventually(AudioThreadRuns));
    WaitForSample(kRampStart + kRampLength - 1);
    const Pcm out = DeviceOutput();
    const Pcm expected = Ramp();
    EXPECT_NE(std::search(out.begin(), out.end(), expected.begin(), expected.end()), out.end());
    EXPECT_TRUE(Eventually(rests)) << "the device runs on in the silence after the cue";
  }
}

TEST_F(CuePlayerTest, TheDummyDriverTakesEveryCueWithoutWaiting) {
  for (const char* name : cue::kAll) fs::copy_file(CommittedCue(name), name);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  {
    SdlCuePlayer player;
    EXPECT_TRUE(player.Load(cue::kAll).empty());
    for (const char* name : cue::kAll) player.Play(name);
    for (const char* name : {"long.wav", "missing.wav", "abc.wav"}) player.Play(name);
    EXPECT_TRUE(Eventually([] { return SDL_GetCurrentAudioDriver() != nullptr; }));
  }
  EXPECT_EQ(SDL_GetCurrentAudioDriver(), nullptr) << "the player must quit the audio it started";
}

TEST_F(CuePlayerTest, WithoutASoundDeviceThePlayerIsSilent) {
  struct NoDevice {
    const char* why;
    const char* driver;
    const char* diskFile;
  };
  for (const NoDevice& setup : {NoDevice{"no such driver", "no-such-driver", nullptr},
                                NoDevice{"device cannot open", "disk", "/no/such/dir/device.raw"}}) {
    SCOPED_TRACE(setup.why);
    setenv("SDL_AUDIODRIVER", setup.driver, 1);
    if (setup.diskFile != nullptr) setenv("SDL_DISKAUDIOFILE", setup.diskFile, 1);
    {
      SdlCuePlayer player;
      EXPECT_TRUE(player.Load(kTestCues).empty());
      player.Play("ramp.wav");
      player.Play("missing.wav");
    }
    EXPECT_EQ(SDL_GetCurrentAudioDriver(), nullptr);
  }
}

}  // namespace
}  // namespace zelvane
