#include "window/window_image.h"

namespace zelvane {
namespace {

Rect Moved(Rect rect, int dx, int dy) { return {rect.x + dx, rect.y + dy, rect.w, rect.h}; }

bool Overlap(const Rect& a, const Rect& b) { return !a.Intersected(b).Empty(); }

// Overlapping parts are drawn and uploaded once, as their union.
void AddPart(std::vector<Rect>& parts, Rect part) {
  if (part.Empty()) return;
  for (auto it = parts.begin(); it != parts.end();) {
    if (Overlap(*it, part)) {
      part = part.United(*it);
      parts.erase(it);
      it = parts.begin();
    } else {
      ++it;
    }
  }
  parts.push_back(part);
}

}  // namespace

WindowImage::WindowImage(int width, int height, const Image& captions) : image_(width, height), captions_(captions) {}

std::vector<Rect> WindowImage::Compose(const WindowScene& scene) {
  const Rect client = image_.Bounds();
  std::vector<Rect> parts;
  for (const PanelPlace& place : scene.panels) {
    const Rect damage = place.panel->TakeScreenDamage();
    AddPart(parts, Moved(damage, place.area.x, place.area.y).Intersected(client));
  }
  for (std::size_t i = 0; i < scene.buttons.size(); ++i) {
    if (scene.buttons[i] == drawnButtons_[i]) continue;
    AddPart(parts, drawnButtons_[i].bounds.Intersected(client));
    AddPart(parts, scene.buttons[i].bounds.Intersected(client));
  }
  if (drawnBackColor_ != scene.backColor) parts = {client};

  for (const Rect& part : parts) Draw(scene, part);
  drawnBackColor_ = scene.backColor;
  drawnButtons_ = scene.buttons;
  return parts;
}

// Everything that shows in `part`, back to front.
void WindowImage::Draw(const WindowScene& scene, Rect part) {
  ClippedCanvas canvas(image_, part);
  canvas.Fill(part, scene.backColor);
  for (const PanelPlace& place : scene.panels) {
    DrawSunkenFrame(canvas, place.area, place.border);
    const Image& shown = place.panel->Shown();
    canvas.Paste(shown, shown.Bounds(), place.area.x, place.area.y);
  }
  for (std::size_t i = 0; i < scene.buttons.size(); ++i) {
    const ButtonPlace& button = scene.buttons[i];
    DrawButton(canvas, button.bounds, static_cast<int>(i), button.look, captions_);
  }
}

}  // namespace zelvane
