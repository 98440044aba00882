#include "window/button_look.h"

#include <algorithm>

#include "screen/atlas.h"
#include "window/captions_layout.h"

extern const std::uint8_t zelvane_captions_png[];
extern const std::size_t zelvane_captions_png_size;

namespace zelvane {
namespace {

Rect Inset(Rect box, int by) { return {box.x + by, box.y + by, box.w - 2 * by, box.h - 2 * by}; }

constexpr Bevel kRaised{shade::Highlight, shade::Light, shade::DarkShadow, shade::Shadow};
constexpr Bevel kPushed{shade::DarkShadow, shade::Shadow, shade::Highlight, shade::Light};
constexpr Bevel kSunken{shade::Shadow, shade::DarkShadow, shade::Highlight, shade::Light};

void DrawRing(ClippedCanvas& canvas, Rect box, Rgb topLeft, Rgb bottomRight) {
  canvas.Fill({box.x, box.y, box.w - 1, 1}, topLeft);
  canvas.Fill({box.x, box.y, 1, box.h - 1}, topLeft);
  canvas.Fill({box.x, box.Bottom() - 1, box.w, 1}, bottomRight);
  canvas.Fill({box.Right() - 1, box.y, 1, box.h}, bottomRight);
}

// Every other pixel along the edge of `box`, as the focus cue of a button.
void DrawDottedRing(ClippedCanvas& canvas, Rect box, Rgb colour) {
  const auto dot = [&](int x, int y) {
    if ((x - box.x + y - box.y) % 2 == 0) canvas.Fill({x, y, 1, 1}, colour);
  };
  for (int x = box.x; x < box.Right(); ++x) {
    dot(x, box.y);
    dot(x, box.Bottom() - 1);
  }
  for (int y = box.y; y < box.Bottom(); ++y) {
    dot(box.x, y);
    dot(box.Right() - 1, y);
  }
}

}  // namespace

void ClippedCanvas::Fill(Rect box, Rgb colour) {
  box = box.Intersected(clip_);
  for (int y = box.y; y < box.Bottom(); ++y) std::fill_n(image_.Row(y) + box.x, box.w, Opaque(colour));
}

void ClippedCanvas::Paste(const Image& source, Rect from, int x, int y) {
  const Rect target = Rect{x, y, from.w, from.h}.Intersected(clip_);
  if (target.Empty()) return;
  image_.Paste(source, {from.x + target.x - x, from.y + target.y - y, target.w, target.h}, target.x, target.y);
}

void DrawBevel(ClippedCanvas& canvas, Rect box, const Bevel& bevel) {
  DrawRing(canvas, box, bevel.outerTopLeft, bevel.outerBottomRight);
  DrawRing(canvas, Inset(box, 1), bevel.innerTopLeft, bevel.innerBottomRight);
}

void DrawSunkenFrame(ClippedCanvas& canvas, Rect drawingArea, int border) {
  if (border <= 0) return;
  DrawBevel(canvas, Inset(drawingArea, -border), kSunken);
}

void DrawButton(ClippedCanvas& canvas, Rect bounds, int button, const ButtonLook& look, const Image& captions) {
  Rect body = bounds;
  if (look.isDefault) {
    DrawRing(canvas, body, shade::DarkShadow, shade::DarkShadow);
    body = Inset(body, 1);
  }
  canvas.Fill(body, shade::Face);
  DrawBevel(canvas, body, look.pressed ? kPushed : kRaised);

  const Rect cell{0, captions::CellIndex(button, look.enabled) * captions::kCellHeight, captions::kCellWidth,
                  captions::kCellHeight};
  const int shift = look.pressed ? 1 : 0;
  ClippedCanvas face = canvas.Within(Inset(body, 2));
  face.Paste(captions, cell, body.x + (body.w - cell.w) / 2 + shift, body.y + (body.h - cell.h) / 2 + shift);
  if (look.focused) DrawDottedRing(face, Inset(body, 3), shade::DarkShadow);
}

const Image& ButtonCaptions() {
  static const Image captions = DecodeBuiltInPng(zelvane_captions_png, zelvane_captions_png_size, "button captions");
  return captions;
}

}  // namespace zelvane
