// What the game plays, taken from SDL's disk audio driver, which writes the
// device's samples to a file at the pace a sound card would take them.
#include <fcntl.h>
#include <signal.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "game_window_fixture.h"
#include "screen_reading.h"

namespace zelvane::e2e {
namespace {

namespace fs = std::filesystem;
using Pcm = std::vector<std::int16_t>;

const fs::path kCues = ZELVANE_SOUNDS_DIR;
constexpr char kStartCue[] = "cde.wav";
constexpr char kLandingCue[] = "def.wav";
constexpr char kMissCue[] = "hij.wav";
// The format the game opens the device in: a cue in it is played as it is.
constexpr int kDeviceRate = 44100;

bool Silent(Pcm::const_iterator first, Pcm::const_iterator last) {
  return std::all_of(first, last, [](std::int16_t s) { return s == 0; });
}

bool Finds(const Pcm& played, const Pcm& cue) {
  return std::search(played.begin(), played.end(), cue.begin(), cue.end()) != played.end();
}

// How often the start of `cue` comes in `played`: a cue cut by the next one still started.
int Starts(const Pcm& played, const Pcm& cue) {
  const auto start = cue.begin() + std::min<std::ptrdiff_t>(64, std::ssize(cue));
  int starts = 0;
  for (auto at = played.begin(); (at = std::search(at, played.end(), cue.begin(), start)) != played.end(); ++at) {
    ++starts;
  }
  return starts;
}

// The cue's samples from its first sound to its last.
Pcm AudibleSamples(const fs::path& cue) {
  SF_INFO info{};
  SNDFILE* file = sf_open(cue.c_str(), SFM_READ, &info);
  if (file == nullptr) return {};
  Pcm samples;
  if (info.samplerate == kDeviceRate && info.channels == 1 && (info.format & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_16) {
    samples.resize(static_cast<std::size_t>(info.frames));
    samples.resize(static_cast<std::size_t>(sf_read_short(file, samples.data(), info.frames)));
  }
  sf_close(file);
  const auto sound = [](std::int16_t s) { return s != 0; };
  const auto first = std::find_if(samples.begin(), samples.end(), sound);
  const auto last = std::find_if(samples.rbegin(), samples.rend(), sound).base();
  return first < last ? Pcm(first, last) : Pcm{};
}

// Reads a named pipe from the moment it is made on, keeping what comes: a
// sound device that answers late.
class PipeReader {
 public:
  explicit PipeReader(const fs::path& pipe)
      : reader_([this, pipe] {
          const int fd = open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
          if (fd < 0) return;
          char buffer[4096];
          while (!done_) {
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got > 0) {
              const std::lock_guard guard(lock_);
              bytes_.insert(bytes_.end(), buffer, buffer + got);
            } else {
              std::this_thread::sleep_for(5ms);
            }
          }
          close(fd);
        }) {}
  ~PipeReader() {
    done_ = true;
    reader_.join();
  }
  PipeReader(const PipeReader&) = delete;
  PipeReader& operator=(const PipeReader&) = delete;

  Pcm Samples() {
    const std::lock_guard guard(lock_);
    Pcm samples(bytes_.size() / sizeof(std::int16_t));
    std::copy_n(bytes_.begin(), samples.size() * sizeof(std::int16_t), reinterpret_cast<char*>(samples.data()));
    return samples;
  }

 private:
  std::mutex lock_;
  std::vector<char> bytes_;
  std::atomic<bool> done_{false};
  std::thread reader_;
};

class CueSoundTest : public GameWindowTest {
 protected:
  // Each test starts the game itself, with the cues it needs.
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(BringUpDisplay()); }
  // The game writes into the scratch directory until it ends.
  void TearDown() override { game_.reset(); }

  void LaunchWithDiskAudio(const std::vector<fs::path>& files) {
    Launch({.files = files, .environment = {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", Played().string()}}});
  }

  fs::path Played() const { return scratch_.Path() / "played.raw"; }

  // Native-endian 16-bit mono, as the game asks for.
  Pcm PlayedSamples() const {
    std::ifstream file(Played(), std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    Pcm samples(bytes.size() / sizeof(std::int16_t));
    std::copy_n(bytes.begin(), samples.size() * sizeof(std::int16_t), reinterpret_cast<char*>(samples.data()));
    return samples;
  }

  // A running device writes a buffer every 11.6 ms; one at rest writes nothing.
  bool DeviceResting() const {
    std::error_code absent;
    const auto before = fs::file_size(Played(), absent);
    std::this_thread::sleep_for(200ms);
    return before == fs::file_size(Played(), absent);
  }

  // SDL's disk driver announces itself on standard error; that is not the game speaking.
  std::string WithoutTheDriversNotice(std::string errors) const {
    for (const std::string& line : {std::string("CRITICAL: You are using the SDL disk i/o audio driver!\n"),
                                    "CRITICAL:  Writing to file [" + Played().string() + "].\n"}) {
      if (const auto at = errors.find(line); at != std::string::npos) errors.erase(at, line.size());
    }
    return errors;
  }

  ScratchDirectory scratch_;
};

// Each cue is heard whole, also the first after a silence, while the device
// runs only around the cues: the disk driver's file grows only then, and is
// written anew each time the device opens again.
TEST_F(CueSoundTest, EveryCueIsHeardWholeAndTheDeviceRestsInTheSilenceBetween) {
  std::vector<fs::path> cues;
  for (const auto& entry : fs::directory_iterator(kCues)) {
    if (entry.path().extension() == ".wav") cues.push_back(entry.path());
  }
  ASSERT_EQ(cues.size(), 9u);
  const Pcm start = AudibleSamples(kCues / kStartCue);
  const Pcm landing = AudibleSamples(kCues / kLandingCue);
  ASSERT_FALSE(start.empty()) << kStartCue << " is not a sounding 16-bit mono wave at " << kDeviceRate << " Hz";
  ASSERT_FALSE(landing.empty()) << kLandingCue;
  ASSERT_NO_FATAL_FAILURE(LaunchWithDiskAudio(cues));

  ASSERT_NO_FATAL_FAILURE(WaitForTheButtons());
  const Pcm beforeStart = PlayedSamples();
  EXPECT_TRUE(Silent(beforeStart.begin(), beforeStart.end())) << "sound before Start";
  EXPECT_TRUE(DeviceResting()) << "the device runs through the silence of the title";

  Click(kStartClick);
  const auto heard = [&](const Pcm& cue) { return WaitUntil([&] { return Finds(PlayedSamples(), cue); }, 10s, 50ms); };
  ASSERT_TRUE(heard(start)) << kStartCue << " never came out whole after Start";
  const Pcm played = PlayedSamples();
  const auto found = std::search(played.cbegin(), played.cend(), start.begin(), start.end());
  // Nothing else sounds until the first wave lands, seconds later.
  EXPECT_TRUE(Silent(played.cbegin(), found));
  EXPECT_TRUE(Silent(found + static_cast<std::ptrdiff_t>(start.size()), played.cend()));

  // The first wave comes 3 s after Start and lands 7 s later: the device rests before.
  EXPECT_TRUE(WaitUntil([&] { return DeviceResting(); }, 8s, 100ms)) << "the device runs on after the start cue";
  EXPECT_TRUE(heard(landing)) << kLandingCue << " never came out whole when the first wave landed";
}

// Each miss plays the miss cue from its start, so its starts count the misses.
// SDL makes no key event of some keys X11 has (the first five here); the game
// reads those presses from X itself, and counts the keys SDL does know once.
TEST_F(CueSoundTest, EveryKeyThatHitsNothingIsOneMissAlsoTheKeysSdlKnowsNoCodeFor) {
  // Keycode 209 is XF86AudioPause in Xvfb's keymap; named, xdotool may send
  // Shift with the XF86AudioPlay key instead, whose second symbol it also is.
  const std::vector<std::string> keys = {"209", "XF86AudioRecord", "XF86Launch3", "XF86WLAN", "Linefeed",
                                         "F2",  "Shift_L"};
  const Pcm miss = AudibleSamples(kCues / kMissCue);
  ASSERT_FALSE(miss.empty()) << kMissCue;
  ASSERT_NO_FATAL_FAILURE(LaunchWithDiskAudio({kCues / kMissCue}));
  ASSERT_NO_FATAL_FAILURE(WaitForTheButtons());
  Click(kStartClick);
  ASSERT_NO_FATAL_FAILURE(StartedShowsTheReadyBannerThenTheFirstWave());
  // Apart enough that each miss starts its cue in a buffer of its own.
  for (const std::string& key : keys) {
    X("xdotool key " + key);
    std::this_thread::sleep_for(100ms);
  }
  const auto misses = [&] { return Starts(PlayedSamples(), miss); };
  EXPECT_TRUE(WaitUntil([&] { return misses() >= std::ssize(keys); }, 10s, 100ms)) << misses() << " misses";
  // A press counted twice would have been heard by now.
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(misses(), std::ssize(keys));
}

// A named pipe nobody reads stands in for a sound server that does not
// answer: the device's thread waits on it, the game does not. It plays in
// silence and ends when asked; once the device answers, the next cue is heard.
TEST_F(CueSoundTest, ASoundDeviceThatDoesNotAnswerHoldsNothingUp) {
  const Pcm miss = AudibleSamples(kCues / kMissCue);
  ASSERT_FALSE(miss.empty()) << kMissCue;
  for (const bool answersLater : {false, true}) {
    SCOPED_TRACE(answersLater ? "the device answers later" : "the device never answers");
    fs::remove(Played());
    ASSERT_EQ(mkfifo(Played().c_str(), 0600), 0);
    const auto started = Clock::now();
    ASSERT_NO_FATAL_FAILURE(LaunchWithDiskAudio({kCues / kMissCue, kCues / kStartCue}));
    // A figure for the record, not a limit: the time includes looking for the window.
    std::printf(
        "[ figure   ] window %lld ms after the start, with a sound device that does not answer\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count()));
    ASSERT_NO_FATAL_FAILURE(TypeTheFirstWave());
    if (answersLater) {
      PipeReader device(Played());
      Key("F2");
      EXPECT_TRUE(WaitUntil([&] { return Finds(device.Samples(), miss); }, 10s, 50ms))
          << "the miss cue never came once the device answered";
    }
    ASSERT_TRUE(display_->SendDeleteWindow(window_));
    EXPECT_EQ(game_->WaitForExit(10s), 0);
    EXPECT_TRUE(fs::exists(game_->WorkingDirectory() / "jkl.yen"));
  }
}

TEST_F(CueSoundTest, WithoutCueFilesStartIsSilentAndTheGameSaysNothing) {
  ASSERT_NO_FATAL_FAILURE(LaunchWithDiskAudio({}));
  ASSERT_NO_FATAL_FAILURE(WaitForTheButtons());
  Click(kStartClick);
  // Play goes on: the first wave comes three seconds later.
  ASSERT_NO_FATAL_FAILURE(StartedShowsTheReadyBannerThenTheFirstWave());
  const Pcm played = PlayedSamples();
  EXPECT_TRUE(Silent(played.begin(), played.end()));

  kill(game_->Pid(), SIGTERM);
  EXPECT_EQ(game_->WaitForExit(10s), 0);
  EXPECT_EQ(WithoutTheDriversNotice(game_->ErrorOutput()), "");
}

}  // namespace
}  // namespace zelvane::e2e
