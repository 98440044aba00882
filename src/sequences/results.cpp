// The results: each keyboard row's share of letters kept from landing, then the
// wipe of the playfield and a new title sequence.
#include "game/mform.h"

namespace zelvane {
namespace {

constexpr std::int16_t kLastLine = 2;
constexpr std::int16_t kLastWait = 5;

}  // namespace

void Mform::PointCtimer_Timer() {
  const std::int16_t k = state.resultStep;
  if (k >= 0 && k <= kLastLine) {
    ShowRowRate(k);
  } else if (k > kLastLine && k <= kLastWait) {
    ++state.resultStep;
  } else if (k == kLastWait + 1) {
    RestartTitle();
  }
}

// One line of the results: the keyboard row's block, its rate and the percent sign.
void Mform::ShowRowRate(std::int16_t row) {
  PlayCue(cue::kRowRate);
  const int rate = state.rowRate[static_cast<std::size_t>(row)];
  const int digits[3] = {rate / 100 % 10, rate / 10 % 10, rate % 10};
  const int top = 20 + 35 * row;
  Blit(WIpc, 0, top, kCell, kCell, atlas::BlockTile(row));
  // Leading zeros stay empty, so the number stands right-aligned against the percent sign.
  for (int j = 0; j < 3; ++j) {
    if (digits[j] != 0 || j == 2 || digits[0] == 1) {
      Blit(WIpc, 30 + 20 * j, top, atlas::kDigitWidth, atlas::kDigitHeight, atlas::DigitGlyph(digits[j]));
    }
  }
  Blit(WIpc, 90, top, atlas::kPercentGlyph);
  state.resultStep = static_cast<std::int16_t>(row + 1);
  WIpc.Present();
}

void Mform::RestartTitle() {
  WIpc.Clear();
  PointCtimer.Disable();
  state.resultStep = 0;
  SetTitleStartValues();
  // Every second diagonal turns black, as many as the playfield has pixel rows:
  // the curtain is darkened, not erased.
  for (int d = 0; d < 2 * kPlayfieldHeight; d += 2) Mpc.Line(0, d, d, 0, Black);
  OPtimer.Enable();
  OVtimer.Disable();
}

}  // namespace zelvane
