#pragma once

#include <string_view>

#include "canvas.h"
#include "fonts.h"
#include "paint.h"

// The lettering of the side panels: score digits, labels, banners and the score frame.
namespace zelvane::art {

// The tall digit shading: white at the top to grey at the foot; and the gold of the best score.
Shader SilverShade(Rect cell);
Shader GoldShade(Rect cell);

// A digit, about 15 x 25 pixels, centred in its 20 x 30 cell.
void DrawDigit(Canvas& canvas, Rect cell, const Fonts& fonts, int digit, const Shader& shade);
// Text in the digits' letters, standing on their baseline, centred across the cell.
void DrawDigitText(Canvas& canvas, Rect cell, const Fonts& fonts, std::string_view text, const Shader& shade);

// "%" in the digits' shading, as tall as they are.
void DrawPercent(Canvas& canvas, Rect cell, const Fonts& fonts);

void DrawWarningBanner(Canvas& canvas, Rect cell, const Fonts& fonts);
void DrawReadyBanner(Canvas& canvas, Rect cell, const Fonts& fonts);

// White double-line rectangle with rounded corners; the inside stays black.
void DrawScoreFrame(Canvas& canvas, Rect frame);

}  // namespace zelvane::art
