#include "soak/rules.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <utility>

#include "support/form_fixture.h"

namespace zelvane::soak {
namespace {

// A game ends only by End or a close, after which no event is checked.
constexpr Phase kCycle[] = {Phase::Title,   Phase::Waiting, Phase::Ready,  Phase::Playing,
                            Phase::Curtain, Phase::Hold,    Phase::Results};
constexpr int kPileSize = 15;
constexpr int kLandingRow = 6;
constexpr int kCellCentre = kCell / 2;

Phase Successor(Phase phase) {
  const auto at = std::find(std::begin(kCycle), std::end(kCycle), phase) - std::begin(kCycle);
  return kCycle[(at + 1) % std::size(kCycle)];
}

class Findings {
 public:
  void Require(bool holds, const std::string& rule) {
    if (!holds) lines.push_back(rule);
  }
  void InRange(const char* field, int value, int low, int high) {
    if (value < low || value > high) {
      lines.push_back(std::string(field) + " is " + std::to_string(value) + ", outside " + std::to_string(low) + ".." +
                      std::to_string(high));
    }
  }
  template <typename Array>
  void AllInRange(const char* field, const Array& values, int low, int high) {
    for (const auto value : values) InRange(field, value, low, high);
  }

  std::vector<std::string> lines;
};

bool SamePicture(const Image& a, const Image& b) {
  const auto pixels = static_cast<std::size_t>(a.Width()) * static_cast<std::size_t>(a.Height());
  return std::memcmp(a.Row(0), b.Row(0), pixels * sizeof(std::uint32_t)) == 0;
}

// Built by appending: GCC 12 at -O3 misreads "(" + std::string as overlapping copies.
std::string Text(Point p) {
  std::string text = "(";
  text.append(std::to_string(p.x)).append(", ").append(std::to_string(p.y)).append(")");
  return text;
}

// The atlas pixel a slot's tile shows at the centre of its cell.
Point TileCentre(std::int16_t code, std::int16_t hits) {
  Point tile;
  if (code == SlotEmpty) {
    tile = {atlas::kBlankTile.x, atlas::kBlankTile.y};
  } else if (code >= ItemBonus) {
    tile = atlas::ItemTile(code);
  } else {
    tile = atlas::LetterTile(code, hits == 2 ? atlas::kArmouredBand : atlas::kLetterBand);
  }
  return {tile.x + kCellCentre, tile.y + kCellCentre};
}

bool IsLandedTileCentre(Point source) {
  return source.x < atlas::kSize && source.y >= atlas::kLandedBand + kCellCentre &&
         source.y < atlas::kLandedBand + 2 * kCell && source.x % kCell == kCellCentre &&
         source.y % kCell == kCellCentre;
}

Point PileCell(int index) { return {index % kColumns, kRows - 1 - index / kColumns}; }

void CheckFields(const GameState& s, Findings& f) {
  f.InRange("curtainRow", s.curtainRow, 0, 10);
  f.InRange("curtainCol", s.curtainCol, -1, 5);
  f.InRange("curtainDir", s.curtainDir, -1, 1);
  f.InRange("warnPhase", s.warnPhase, 0, 1);
  f.InRange("titleStep", s.titleStep, 0, 13);
  f.InRange("titlePos", s.titlePos, -30, 7200);
  f.InRange("titleSpeed", s.titleSpeed, 6, 120);
  f.InRange("resultStep", s.resultStep, 0, 6);
  f.InRange("level", s.level, 1, 4);
  f.InRange("waveRow", s.waveRow, 0, kLandingRow);
  f.InRange("pileCount", s.pileCount, 0, 19);
  f.AllInRange("rowRate", s.rowRate, 0, 100);
  f.Require(s.score >= 0, "score is negative");
  f.AllInRange("a high score", s.hiScores, 0, std::numeric_limits<std::int32_t>::max());
  f.Require(std::is_sorted(s.hiScores.rbegin(), s.hiScores.rend()), "the high scores are not best first");

  int landed = 0;
  for (int row = 0; row < kKeyboardRows; ++row) {
    const auto r = static_cast<std::size_t>(row);
    landed += s.rowLanded[r];
    f.Require(s.rowLanded[r] <= s.rowSpawned[r],
              "keyboard row " + std::to_string(row) + " landed more than it spawned");
  }
  f.Require(landed == s.pileCount, "the landed letters per keyboard row do not add up to pileCount");
}

void CheckSlots(const GameState& s, bool played, Findings& f) {
  for (std::size_t i = 0; i < kColumns; ++i) {
    const int code = s.slotCode[i];
    const int hits = s.slotHits[i];
    const std::string slot =
        "slot " + std::to_string(i) + " (code " + std::to_string(code) + ", hits " + std::to_string(hits) + ")";
    if (!played) {
      f.Require(code == 0 && hits == 0, slot + " before the first game");
    } else if (code >= kLetterA && code <= kLetterZ) {
      f.Require(hits == 1 || hits == 2, slot + ": a letter takes one or two hits");
    } else if (code >= ItemBonus && code <= ItemBox) {
      f.Require(hits == 1, slot + ": an item takes one hit");
    } else {
      f.Require(code == SlotEmpty && hits == 0, slot + ": no such slot");
    }
  }
}

void CheckSwitches(const Mform& form, Phase phase, Findings& f) {
  const bool waiting = phase == Phase::Waiting;
  for (const CommandButton& button : form.Cm1) {
    f.Require(button.enabled == waiting, button.caption + " is enabled outside the waiting phase, or not in it");
    if (phase == Phase::Title) {
      f.InRange("a button's Left", button.left, layout::kButtonInLeft, layout::kButtonOutLeft);
    } else {
      f.Require(button.left == (waiting ? layout::kButtonInLeft : layout::kButtonOutLeft),
                button.caption + " stands at Left " + std::to_string(button.left));
    }
  }
  f.Require(form.KeyPreview == (phase == Phase::Playing), "key preview is on outside play, or off in it");
}

void CheckPhase(const Mform& form, Phase phase, Findings& f) {
  const GameState& s = form.state;
  const bool gameOver = s.pileCount >= kPileSize;
  if (phase == Phase::Waiting) f.Require(s.titleStep == 13, "waiting before the title sequence is over");
  if (phase == Phase::Playing) {
    f.Require(!gameOver, "play goes on with fifteen letters on the pile");
    f.Require(form.GMtime.Interval() >= 100, "the descent is faster than 100 ms a row");
    f.Require(form.ATtimer.Enabled() == (s.pileCount >= 10),
              "the warning runs without ten landed letters, or not with them");
  }
  if (phase == Phase::Curtain || phase == Phase::Hold || phase == Phase::Results) {
    f.Require(gameOver, "the game is over with fewer than fifteen landed letters");
  }
  if (phase != Phase::Curtain) {
    f.Require(s.curtainRow == 0 && s.curtainCol == 0, "the curtain's walk is not back at the top left");
  }
  if (phase != Phase::Results) f.Require(s.resultStep == 0, "resultStep is not 0 outside the results");
}

// During play the wave stands in its row, the rows above the pile are black
// and the pile holds exactly pileCount landed tiles, filled in order.
void CheckPlayfield(const Mform& form, Findings& f) {
  const GameState& s = form.state;
  const Image& shown = form.Mpc.Shown();
  const auto centre = [&](Point cell) {
    return testing::AtlasSourceOf(shown.At(cell.x * kCell + kCellCentre, cell.y * kCell + kCellCentre));
  };
  for (int row = 0; row <= kLandingRow; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const auto c = static_cast<std::size_t>(column);
      const Point want = row == s.waveRow ? TileCentre(s.slotCode[c], s.slotHits[c]) : Point{};
      const Point got = centre({column, row});
      f.Require(got == want,
                "playfield cell " + Text({column, row}) + " shows atlas " + Text(got) + ", not " + Text(want));
    }
  }
  for (int index = 0; index < kPileSize; ++index) {
    const Point source = centre(PileCell(index));
    if (index < s.pileCount) {
      f.Require(IsLandedTileCentre(source), "pile cell " + Text(PileCell(index)) + " holds no landed tile");
    } else {
      f.Require(source == Point{}, "pile cell " + Text(PileCell(index)) + " is not empty");
    }
  }
}

}  // namespace

std::vector<std::string> RuleChecker::Check(const Mform& form) {
  Findings f;
  const std::optional<Phase> phase = PhaseOf(form);
  if (!phase) {
    f.Require(false, "the running timers match no phase");
    return f.lines;
  }
  const Phase before = phase_.value_or(Phase::Title);
  f.Require(*phase == before || *phase == Successor(before),
            std::string("the game went from ") + NameOf(before) + " to " + NameOf(*phase));
  phase_ = phase;
  played_ = played_ || *phase == Phase::Playing;

  CheckFields(form.state, f);
  CheckSlots(form.state, played_, f);
  CheckSwitches(form, *phase, f);
  CheckPhase(form, *phase, f);
  if (played_)
    f.Require(form.state.curtainDir == 1 || form.state.curtainDir == -1, "curtainDir is 0 after a start of play");
  const std::pair<const char*, const Panel*> panels[] = {
      {"Mpc", &form.Mpc}, {"SCpc", &form.SCpc}, {"LVpc", &form.LVpc}, {"ATpc", &form.ATpc}, {"WIpc", &form.WIpc}};
  for (const auto& [name, panel] : panels) {
    f.Require(SamePicture(panel->Picture(), panel->Shown()), std::string(name) + " shows less than was drawn into it");
  }
  if (*phase == Phase::Playing) CheckPlayfield(form, f);
  return f.lines;
}

}  // namespace zelvane::soak
