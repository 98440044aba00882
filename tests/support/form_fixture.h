#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "game/mform.h"
#include "screen/atlas_regions.h"
#include "screen/image.h"
#include "screen/virtual_keys.h"
#include "support/new_directory.h"
#include "support/virtual_clock.h"

namespace zelvane::testing {

// An atlas whose every pixel names its own position, so a test can tell from
// any drawn pixel which atlas pixel was copied there.
inline Image CoordinateAtlas() {
  Image atlas(atlas::kSize, atlas::kSize);
  for (int y = 0; y < atlas::kSize; ++y) {
    for (int x = 0; x < atlas::kSize; ++x) atlas.Set(x, y, static_cast<Rgb>((x << 10) | y));
  }
  return atlas;
}

inline Point AtlasSourceOf(Rgb pixel) { return {static_cast<int>(pixel >> 10), static_cast<int>(pixel & 0x3FF)}; }

class RecordingCues final : public CuePlayer {
 public:
  void Play(const char* name) override { played.emplace_back(name); }
  std::vector<std::string> played;
};

// Runs each test in a fresh, empty working directory, where the game finds no
// records file unless the test writes one.
class ScratchDirectory {
 public:
  ScratchDirectory() : path_(NewDirectory("zelvane-test-")) {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
  }
  ~ScratchDirectory() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(path_);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

using Slots = std::array<std::int16_t, kColumns>;

// Loads the form with a seeded random source and lets the title sequence run
// to its end: the waiting phase.
inline void LoadAndWait(Mform& form, std::uint64_t seed) {
  form.DeliverLoad(form.clock.now);
  form.random.Seed(seed);
  RunFor(form, 1000);
}

// From the waiting phase, presses Start and sits out the ready delay.
inline void StartPlay(Mform& form) {
  form.DeliverClick(form.clock.now, 0);
  RunFor(form, 3000);
}

// Puts a chosen wave in place, as if it had just been dealt at `row`.
inline void SetWave(Mform& form, const Slots& codes, const Slots& hits, std::int16_t row) {
  form.state.slotCode = codes;
  form.state.slotHits = hits;
  form.state.waveRow = row;
}

class FormTest : public ::testing::Test {
 protected:
  FormTest() : atlas_(CoordinateAtlas()), form(atlas_, cues) {}

  void LoadAndWait() { testing::LoadAndWait(form, 12345); }
  void StartPlay() {
    testing::StartPlay(form);
    cues.played.clear();
  }
  void SetWave(const Slots& codes, const Slots& hits, std::int16_t row = 0) {
    testing::SetWave(form, codes, hits, row);
  }

  // Which atlas pixel a panel shows at (x, y).
  static Point ShownSource(const Panel& panel, int x, int y) { return AtlasSourceOf(panel.Shown().At(x, y)); }
  static Point PictureSource(const Panel& panel, int x, int y) { return AtlasSourceOf(panel.Picture().At(x, y)); }

  ScratchDirectory scratch_;
  Image atlas_;
  RecordingCues cues;
  Mform form;
};

}  // namespace zelvane::testing
