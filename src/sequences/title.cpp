// The title sequence: the high-score rows slide into the records panel, then
// the Start and End buttons slide in from the right and wait for the player.
#include <array>
#include <cmath>

#include "game/mform.h"
#include "game/score_digits.h"

namespace zelvane {
namespace {

enum class Kind { RowUp, RowDown, Button, Setup, Final };

// One state of the sequence. A slide moves `what` (a table rank or a button
// index) until the exit test on `target` holds, slowing by `decrement` per tick;
// a setup places the next slide at `pos` with `speed`.
struct TitleState {
  Kind kind;
  std::int16_t what = 0;
  std::int16_t target = 0;
  std::int16_t decrement = 0;
  std::int16_t pos = 0;
  std::int16_t speed = 0;
};

constexpr std::array<TitleState, 14> kTitle{{
    {Kind::RowUp, 1, 30, 6},
    {Kind::Setup, 0, 0, 0, 150, 88},
    {Kind::RowUp, 2, 60, 4},
    {Kind::Setup, 0, 0, 0, 150, 72},
    {Kind::RowUp, 3, 90, 4},
    {Kind::Setup, 0, 0, 0, 150, 30},
    {Kind::RowUp, 4, 120, 1},
    {Kind::Setup, 0, 0, 0, -30, 30},
    {Kind::RowDown, 0, 0, 1},
    {Kind::Setup, 0, 0, 0, layout::kButtonOutLeft, 80},
    {Kind::Button, 0, layout::kButtonInLeft, 4},
    {Kind::Setup, 0, 0, 0, layout::kButtonOutLeft, 80},
    {Kind::Button, 1, layout::kButtonInLeft, 4},
    {Kind::Final},
}};

}  // namespace

void Mform::OPtimer_Timer() {
  if (state.titleStep < 0 || state.titleStep >= static_cast<std::int16_t>(kTitle.size())) return;
  const TitleState& step = kTitle[static_cast<std::size_t>(state.titleStep)];
  const double speed = state.titleSpeed;
  switch (step.kind) {
    case Kind::Setup:
      state.titlePos = step.pos;
      state.titleSpeed = step.speed;
      ++state.titleStep;
      return;
    case Kind::Final:
      Cm1[0].enabled = true;
      Cm1[1].enabled = true;
      OPtimer.Disable();
      return;
    case Kind::RowUp:
      state.titlePos = static_cast<std::int16_t>(state.titlePos - std::floor(speed / 10));
      DrawRecordRow(step.what);
      if (state.titlePos <= step.target) ++state.titleStep;
      break;
    case Kind::RowDown:
      state.titlePos = static_cast<std::int16_t>(state.titlePos + std::floor(speed / 10));
      DrawRecordRow(step.what);
      if (state.titlePos >= step.target) ++state.titleStep;
      break;
    case Kind::Button:
      state.titlePos = static_cast<std::int16_t>(state.titlePos - std::floor(speed / 10 * 15));
      Cm1[static_cast<std::size_t>(step.what)].left = state.titlePos;
      if (state.titlePos <= step.target) ++state.titleStep;
      break;
  }
  state.titleSpeed = static_cast<std::int16_t>(state.titleSpeed - step.decrement);
}

void Mform::DrawRecordRow(std::int16_t rank) {
  if (rank != 0) WIpc.FillBox(0, state.titlePos, WIpc.Width() - 1, WIpc.Height() - 1, Black);
  const std::array<int, 6> digits = SixScoreDigits(state.hiScores[static_cast<std::size_t>(rank)]);
  for (int i = 0; i < 6; ++i) {
    const int digit = digits[static_cast<std::size_t>(i)];
    Blit(WIpc, 20 * i, state.titlePos, atlas::kDigitWidth, atlas::kDigitHeight,
         rank == 0 ? atlas::BrightDigitGlyph(digit) : atlas::DigitGlyph(digit));
  }
  WIpc.Present();
}

}  // namespace zelvane
