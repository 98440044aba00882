// The danger line, the score and level displays, and the blinking warning.
#include "game/mform.h"
#include "game/score_digits.h"

namespace zelvane {

constexpr Rgb kDangerRed = MakeRgb(255, 0, 0);

void Mform::DrawHud() {
  Mpc.Line(0, kDangerLineY, kPlayfieldWidth - 1, kDangerLineY, kDangerRed);

  const std::array<int, 6> digits = SixScoreDigits(state.score);
  for (int i = 0; i < 6; ++i) {
    Blit(SCpc, i * 20 + 4, 4, atlas::kDigitWidth, atlas::kDigitHeight,
         atlas::DigitGlyph(digits[static_cast<std::size_t>(i)]));
  }
  SCpc.Present();

  Blit(LVpc, 0, 0, atlas::kLevelLabel);
  Blit(LVpc, 40, 0, atlas::kDigitWidth, atlas::kDigitHeight, atlas::DigitGlyph(state.level));
  LVpc.Present();
}

void Mform::ATtimer_Timer() {
  if (state.warnPhase == 1) {
    Blit(ATpc, 0, 0, atlas::kWarningBanner);
    state.warnPhase = 0;
  } else {
    ATpc.Clear();
    state.warnPhase = 1;
  }
  ATpc.Present();
}

}  // namespace zelvane
