#include "glyphs.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "palette.h"

namespace zelvane::art {

namespace {

constexpr int kDigitWidth = 15;
constexpr int kDigitHeight = 25;

TextStyle DigitStyle(const Fonts& fonts) {
  return FitStyle(fonts.condensed, "0", kDigitWidth, kDigitHeight, Hinting::Light);
}

// The digits' baseline within a cell, such that a "0" sits centred.
int DigitBaseline(const Fonts& fonts, Rect cell) {
  const Mask zero = fonts.condensed.Render("0", DigitStyle(fonts));
  return CentreInk(zero, cell).y;
}

}  // namespace

Shader SilverShade(Rect cell) {
  const int top = cell.y + (cell.h - kDigitHeight) / 2;
  return VerticalGradient(top, top + kDigitHeight - 1,
                          {{0.0, {255, 255, 255}}, {0.45, {228, 228, 236}}, {1.0, {120, 120, 132}}});
}

Shader GoldShade(Rect cell) {
  const int top = cell.y + (cell.h - kDigitHeight) / 2;
  return VerticalGradient(top, top + kDigitHeight - 1,
                          {{0.0, {255, 255, 200}}, {0.45, {255, 236, 60}}, {1.0, {200, 130, 0}}});
}

void DrawDigit(Canvas& canvas, Rect cell, const Fonts& fonts, int digit, const Shader& shade) {
  DrawDigitText(canvas, cell, fonts, std::string(1, static_cast<char>('0' + digit)), shade);
}

void DrawDigitText(Canvas& canvas, Rect cell, const Fonts& fonts, std::string_view text, const Shader& shade) {
  const Mask ink = fonts.condensed.Render(text, DigitStyle(fonts));
  Paint(canvas, ink, CentreInk(ink, cell).x, DigitBaseline(fonts, cell), shade);
}

void DrawPercent(Canvas& canvas, Rect cell, const Fonts& fonts) {
  // The condensed sign is spindly beside the digits; the wide bold one matches their weight.
  const Mask ink = fonts.bold.Render("%", FitStyle(fonts.bold, "%", 22, kDigitHeight, Hinting::Light));
  Paint(canvas, ink, CentreInk(ink, cell).x, DigitBaseline(fonts, cell), SilverShade(cell));
}

void DrawWarningBanner(Canvas& canvas, Rect cell, const Fonts& fonts) {
  const char* text = "ATTENTION!";
  const Mask ink = fonts.condensed.Render(text, FitStyle(fonts.condensed, text, cell.w - 7, 20, Hinting::Light));
  const Pen pen = CentreInk(ink, cell);
  Paint(canvas, ink, pen.x, pen.y, Solid(palette::kWarningRed));
}

void DrawReadyBanner(Canvas& canvas, Rect cell, const Fonts& fonts) {
  const char* text = "READY";
  const Mask ink = fonts.bold.Render(text, FitStyle(fonts.bold, text, cell.w - 6, 22, Hinting::Light));
  const Pen pen = CentreInk(ink, cell);
  const int top = pen.y + ink.Ink().y;
  // Polished metal: bright above, a darker band across the middle where the light breaks, a glint below.
  const Shader metal = VerticalGradient(top, top + ink.Ink().h - 1,
                                        {{0.0, {255, 255, 255}},
                                         {0.42, {200, 204, 214}},
                                         {0.5, {128, 132, 146}},
                                         {0.62, {214, 218, 228}},
                                         {1.0, {150, 152, 164}}});
  Paint(canvas, ink, pen.x, pen.y, metal);
}

void DrawScoreFrame(Canvas& canvas, Rect frame) {
  // Coverage of the two one-pixel lines, sampled 4 x 4 per pixel so the rounded corners are smooth.
  constexpr int kSamples = 4;
  constexpr double kRadius = 4.0;
  constexpr double kGap = 2.0;  // from the outer line to the inner one, which follows it round
  // Distance from a point to a rounded rectangle's edge, negative inside.
  auto outside = [](double px, double py, double left, double top, double right, double bottom, double radius) {
    const double dx = std::max({left + radius - px, px - (right - radius), 0.0});
    const double dy = std::max({top + radius - py, py - (bottom - radius), 0.0});
    if (dx > 0 && dy > 0) return std::hypot(dx, dy) - radius;
    return std::max({left - px, px - right, top - py, py - bottom});
  };
  auto onLine = [&](double px, double py, double inset, double radius) {
    const double right = frame.w - inset;
    const double bottom = frame.h - inset;
    return outside(px, py, inset, inset, right, bottom, radius) <= 0 &&
           outside(px, py, inset + 1, inset + 1, right - 1, bottom - 1, std::max(radius - 1, 0.0)) > 0;
  };
  for (int y = 0; y < frame.h; ++y) {
    for (int x = 0; x < frame.w; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double px = x + (sx + 0.5) / kSamples;
          const double py = y + (sy + 0.5) / kSamples;
          if (onLine(px, py, 0, kRadius) || onLine(px, py, kGap, kRadius - kGap)) ++hits;
        }
      }
      canvas.Blend(frame.x + x, frame.y + y, kWhite, hits * 255 / (kSamples * kSamples));
    }
  }
}

}  // namespace zelvane::art
