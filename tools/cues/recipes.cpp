#include "recipes.h"

#include <array>

#include "sound/cues.h"

namespace zelvane::cues {
namespace {

// Equal-tempered notes, in Hz.
constexpr double kG3 = 196.00, kC4 = 261.63, kEb4 = 311.13, kG4 = 392.00;
constexpr double kC6 = 1046.50, kE6 = 1318.51, kG6 = 1567.98, kA6 = 1760.00;
constexpr double kC7 = 2093.00, kE7 = 2637.02, kG7 = 3135.96;

// A letter shatters: a bright noise crack over a quick falling blip.
Samples LetterHit() {
  Samples out = Silence(0.14);
  Add(out, Hiss{.length = 0.06, .amplitude = 0.9, .decay = 0.012, .highpassHz = 2500, .lowpassHz = 12000, .seed = 11});
  Add(out, Tone{.length = 0.14, .fromHz = 1400, .toHz = 700, .amplitude = 0.8, .attack = 0.001, .decay = 0.035});
  Add(out, Tone{.length = 0.1, .fromHz = 2800, .toHz = 1400, .amplitude = 0.3, .attack = 0.001, .decay = 0.02});
  return out;
}

// Armour takes a hit: the inharmonic ring of a small struck plate.
Samples ArmourClink() {
  Samples out = Silence(0.3);
  constexpr struct {
    double ratio, amplitude, decay;
  } kModes[] = {{1.0, 1.0, 0.12}, {2.32, 0.7, 0.09}, {3.87, 0.5, 0.06}, {5.41, 0.35, 0.045}, {6.89, 0.25, 0.03}};
  for (const auto& mode : kModes) {
    const double hz = 1850 * mode.ratio;
    Add(out, Tone{.length = 0.3,
                  .fromHz = hz,
                  .toHz = hz,
                  .amplitude = mode.amplitude,
                  .attack = 0.0005,
                  .decay = mode.decay});
  }
  Add(out, Hiss{.length = 0.01, .amplitude = 0.8, .decay = 0.003, .highpassHz = 4000, .seed = 23});
  return out;
}

// A bell with a soft octave and twelfth above it.
void AddBell(Samples& out, double start, double length, double hz, double amplitude, double decay) {
  Add(out, Tone{.start = start, .length = length, .fromHz = hz, .toHz = hz, .amplitude = amplitude, .decay = decay});
  Add(out, Tone{.start = start,
                .length = length,
                .fromHz = 2 * hz,
                .toHz = 2 * hz,
                .amplitude = 0.3 * amplitude,
                .decay = 0.5 * decay});
  Add(out, Tone{.start = start,
                .length = length,
                .fromHz = 3 * hz,
                .toHz = 3 * hz,
                .amplitude = 0.1 * amplitude,
                .decay = 0.3 * decay});
}

// Play begins: a rising major arpeggio that rings out on its top note.
Samples StartChime() {
  Samples out = Silence(0.6);
  AddBell(out, 0.00, 0.6, kC6, 0.8, 0.12);
  AddBell(out, 0.09, 0.51, kE6, 0.8, 0.12);
  AddBell(out, 0.18, 0.42, kG6, 0.9, 0.16);
  AddBell(out, 0.18, 0.42, kC7, 0.35, 0.14);
  return out;
}

// Letters hit the pile: a low falling thump with a muffled knock on top.
Samples LandingThud() {
  Samples out = Silence(0.22);
  Add(out, Tone{.length = 0.22, .fromHz = 140, .toHz = 45, .amplitude = 1.0, .attack = 0.003, .decay = 0.06});
  Add(out, Tone{.length = 0.08, .fromHz = 260, .toHz = 120, .amplitude = 0.4, .attack = 0.002, .decay = 0.025});
  Add(out, Hiss{.length = 0.06, .amplitude = 1.5, .attack = 0.002, .decay = 0.02, .lowpassHz = 400, .seed = 37});
  return out;
}

// An item lands: quick rising blips over a veil of glitter.
Samples ItemSparkle() {
  Samples out = Silence(0.5);
  constexpr std::array kRun = {kE6, kG6, kA6, kC7, kE7, kG7};
  for (std::size_t i = 0; i < kRun.size(); ++i) {
    const double start = 0.045 * static_cast<double>(i);
    Add(out, Tone{.start = start,
                  .length = 0.5 - start,
                  .fromHz = kRun[i],
                  .toHz = kRun[i],
                  .amplitude = 0.6,
                  .attack = 0.001,
                  .decay = 0.06});
    Add(out, Tone{.start = start,
                  .length = 0.2,
                  .fromHz = 2 * kRun[i],
                  .toHz = 2 * kRun[i],
                  .amplitude = 0.15,
                  .attack = 0.001,
                  .decay = 0.03});
  }
  Add(out, Hiss{.length = 0.45, .amplitude = 0.25, .attack = 0.02, .decay = 0.15, .highpassHz = 6000, .seed = 41});
  return out;
}

// The game is over: three falling square-wave notes, the last one sagging.
Samples GameOverPhrase() {
  Samples out = Silence(0.6);
  constexpr struct {
    double start, length, fromHz, toHz, decay;
  } kNotes[] = {{0.0, 0.13, kG4, kG4, 0.12}, {0.13, 0.13, kEb4, kEb4, 0.12}, {0.26, 0.34, kC4, kG3, 0.18}};
  for (const auto& note : kNotes) {
    Add(out, Tone{.start = note.start,
                  .length = note.length,
                  .fromHz = note.fromHz,
                  .toHz = note.toHz,
                  .amplitude = 0.6,
                  .attack = 0.004,
                  .decay = note.decay,
                  .timbre = Timbre::Square,
                  .harmonics = 9});
  }
  return out;
}

// A box springs open: a short upward chirp behind a soft click.
Samples BoxPop() {
  Samples out = Silence(0.14);
  Add(out, Tone{.length = 0.14, .fromHz = 350, .toHz = 1100, .amplitude = 1.0, .attack = 0.002, .decay = 0.03});
  Add(out, Hiss{.length = 0.02, .amplitude = 0.8, .decay = 0.006, .highpassHz = 800, .lowpassHz = 3000, .seed = 53});
  return out;
}

// A key that hits nothing: two slightly detuned saws that beat into a buzz.
Samples MissBuzz() {
  Samples out = Silence(0.28);
  for (const double hz : {150.0, 156.0}) {
    Add(out, Tone{.length = 0.28,
                  .fromHz = hz,
                  .toHz = hz * 0.73,
                  .amplitude = 0.5,
                  .attack = 0.005,
                  .decay = 0.12,
                  .timbre = Timbre::Saw,
                  .harmonics = 40});
  }
  return out;
}

// A row's rate appears: one clear bell stroke.
Samples ResultsDing() {
  Samples out = Silence(0.5);
  AddBell(out, 0.0, 0.5, kA6, 1.0, 0.2);
  Add(out,
      Tone{
          .length = 0.15, .fromHz = 2.76 * kA6, .toHz = 2.76 * kA6, .amplitude = 0.15, .attack = 0.001, .decay = 0.05});
  return out;
}

constexpr std::array kRecipes = {
    Recipe{cue::kLetterDestroyed, LetterHit}, Recipe{cue::kArmourHit, ArmourClink},
    Recipe{cue::kStart, StartChime},          Recipe{cue::kLetterLands, LandingThud},
    Recipe{cue::kItemLands, ItemSparkle},     Recipe{cue::kGameOver, GameOverPhrase},
    Recipe{cue::kBoxOpened, BoxPop},          Recipe{cue::kMiss, MissBuzz},
    Recipe{cue::kRowRate, ResultsDing},
};

}  // namespace

std::span<const Recipe> Recipes() { return kRecipes; }

}  // namespace zelvane::cues
