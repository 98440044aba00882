#pragma once

#include "canvas.h"
#include "font.h"
#include "paint.h"

namespace zelvane::art {

// A square tile filling `tile`: a grey bevelled frame `frame` pixels wide, with a
// red mark in the top-left corner and a blue one in the bottom-right, and the
// face inside it filled by `face`.
void DrawFramedTile(Canvas& canvas, Rect tile, int frame, const Shader& face);

// A 30 x 30 atlas tile at (x, y).
void DrawTile(Canvas& canvas, int x, int y, const Shader& face);

// The capital `letter` in white with a dark outline on the atlas tile at (x, y).
void DrawTileLetter(Canvas& canvas, int x, int y, const Font& italic, char letter);

}  // namespace zelvane::art
