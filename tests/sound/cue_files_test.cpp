#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "sound/cues.h"

namespace zelvane {
namespace {

namespace fs = std::filesystem;

constexpr const auto& kCues = cue::kAll;

fs::path SoundsDir() {
  const char* dir = std::getenv("ZELVANE_SOURCE_DIR");
  return fs::path(dir != nullptr ? dir : ".") / "assets" / "sounds";
}

double Db(int level) { return 20.0 * std::log10(level / 32768.0); }

TEST(CueFilesTest, EachCueIsAShortCleanSixteenBitMonoSound) {
  for (const char* cue : kCues) {
    SCOPED_TRACE(cue);
    const fs::path path = SoundsDir() / cue;
    ASSERT_TRUE(fs::exists(path));
    EXPECT_LT(fs::file_size(path), 100u * 1024u);

    SDL_AudioSpec spec{};
    Uint8* data = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV(path.c_str(), &spec, &data, &length), nullptr) << SDL_GetError();
    const std::vector<std::int16_t> pcm(reinterpret_cast<std::int16_t*>(data),
                                        reinterpret_cast<std::int16_t*>(data + length));
    SDL_FreeWAV(data);
    EXPECT_EQ(spec.format, AUDIO_S16LSB);
    EXPECT_EQ(spec.channels, 1);
    EXPECT_TRUE(spec.freq == 44100 || spec.freq == 22050) << spec.freq;
    ASSERT_GT(spec.freq, 0);
    EXPECT_LE(static_cast<double>(pcm.size()) / spec.freq, 0.65);

    ASSERT_FALSE(pcm.empty());
    int peak = 0;
    for (const std::int16_t s : pcm) peak = std::max(peak, std::abs(static_cast<int>(s)));
    // Loud enough to hear, with headroom, and clear of clipping.
    EXPECT_NEAR(Db(peak), -3.0, 0.5);
    // Faded in and out, so a cue that starts or is cut never clicks.
    EXPECT_LT(std::abs(pcm.front()), 64);
    EXPECT_LT(std::abs(pcm.back()), 64);
  }
}

std::vector<char> Bytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(CueToolTest, ResynthesisesTheCommittedCuesByteForByte) {
  const std::string tool = ZELVANE_CUES_TOOL;
  if (tool.empty()) GTEST_SKIP() << "built without the asset tools";
  const fs::path out = fs::temp_directory_path() / ("zelvane-cues-" + std::to_string(getpid()));
  fs::remove_all(out);
  ASSERT_EQ(std::system(("\"" + tool + "\" \"" + out.string() + "\"").c_str()), 0);
  for (const char* cue : kCues) {
    const std::vector<char> made = Bytes(out / cue);
    EXPECT_FALSE(made.empty()) << cue;
    EXPECT_TRUE(made == Bytes(SoundsDir() / cue)) << cue << " differs from the committed one: resynthesise the cues";
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), std::ssize(kCues));
  fs::remove_all(out);
}

}  // namespace
}  // namespace zelvane
