#include "screen/window_image.h"

#include "screen/captions_layout.h"
#include "screen/layout.h"

namespace zelvane {
namespace {

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kLight = 0xDFDFDF;
constexpr Rgb kShadow = 0x808080;
constexpr Rgb kDark = 0x000000;

void Fill(Image& image, Rect box, Rgb colour) {
  box = box.Intersected(image.Bounds());
  for (int y = box.y; y < box.Bottom(); ++y) {
    for (int x = box.x; x < box.Right(); ++x) image.Set(x, y, colour);
  }
}

// A classic bevel: light above and left, dark below and right; `sunken` swaps them.
void Bevel(Image& image, Rect box, Rgb outerLight, Rgb innerLight, Rgb innerDark, Rgb outerDark) {
  Fill(image, {box.x, box.y, box.w, 1}, outerLight);
  Fill(image, {box.x, box.y, 1, box.h}, outerLight);
  Fill(image, {box.x, box.Bottom() - 1, box.w, 1}, outerDark);
  Fill(image, {box.Right() - 1, box.y, 1, box.h}, outerDark);
  Fill(image, {box.x + 1, box.y + 1, box.w - 2, 1}, innerLight);
  Fill(image, {box.x + 1, box.y + 1, 1, box.h - 2}, innerLight);
  Fill(image, {box.x + 1, box.Bottom() - 2, box.w - 2, 1}, innerDark);
  Fill(image, {box.Right() - 2, box.y + 1, 1, box.h - 2}, innerDark);
}

}  // namespace

WindowImage::WindowImage(const Image& captions)
    : captions_(captions), pixels_(layout::kClientWidth, layout::kClientHeight) {}

void WindowImage::DrawFrame() {
  const Rect frame{layout::kMpc.x - layout::kMpcFrame, layout::kMpc.y - layout::kMpcFrame,
                   layout::kMpc.w + 2 * layout::kMpcFrame, layout::kMpc.h + 2 * layout::kMpcFrame};
  Bevel(pixels_, frame, kShadow, kDark, kLight, kWhite);
}

void WindowImage::DrawButton(const CommandButton& button, int index, bool focused, bool pressed) {
  const Rect box = button.Bounds();
  if (box.Intersected(pixels_.Bounds()).Empty()) return;
  Fill(pixels_, box, captions::kFaceColour);
  Rect inner = box;
  if (index == 0 && button.enabled) {
    // The default button wears an extra dark outline.
    Fill(pixels_, {box.x, box.y, box.w, 1}, kDark);
    Fill(pixels_, {box.x, box.Bottom() - 1, box.w, 1}, kDark);
    Fill(pixels_, {box.x, box.y, 1, box.h}, kDark);
    Fill(pixels_, {box.Right() - 1, box.y, 1, box.h}, kDark);
    inner = {box.x + 1, box.y + 1, box.w - 2, box.h - 2};
  }
  if (pressed) {
    Bevel(pixels_, inner, kShadow, kShadow, captions::kFaceColour, kShadow);
  } else {
    Bevel(pixels_, inner, kWhite, kLight, kShadow, kDark);
  }
  const int cell = captions::CellIndex(index, button.enabled);
  const int shift = pressed ? 1 : 0;
  const int x = box.x + (box.w - captions::kCellWidth) / 2 + shift;
  const int y = box.y + (box.h - captions::kCellHeight) / 2 + shift;
  pixels_.Paste(captions_, {0, cell * captions::kCellHeight, captions::kCellWidth, captions::kCellHeight}, x, y);
  if (focused && button.enabled) {
    // A dotted focus rectangle inside the face.
    const Rect focus{inner.x + 3, inner.y + 3, inner.w - 6, inner.h - 6};
    for (int fx = focus.x; fx < focus.Right(); fx += 2) {
      pixels_.Set(fx, focus.y, kDark);
      pixels_.Set(fx, focus.Bottom() - 1, kDark);
    }
    for (int fy = focus.y; fy < focus.Bottom(); fy += 2) {
      pixels_.Set(focus.x, fy, kDark);
      pixels_.Set(focus.Right() - 1, fy, kDark);
    }
  }
}

bool WindowImage::Compose(Mform& form, int focusedButton, int pressedButton) {
  bool changed = first_;
  const std::array<std::pair<Panel*, Rect>, 5> panels{{{&form.Mpc, layout::kMpc},
                                                        {&form.SCpc, layout::kSCpc},
                                                        {&form.LVpc, layout::kLVpc},
                                                        {&form.ATpc, layout::kATpc},
                                                        {&form.WIpc, layout::kWIpc}}};
  for (auto& [panel, place] : panels) changed = !panel->TakeScreenDamage().Empty() || changed;
  for (std::size_t i = 0; i < 2; ++i) {
    const CommandButton& now = form.Cm1[i];
    const CommandButton& before = lastButtons_[i];
    changed = changed || now.left != before.left || now.enabled != before.enabled;
  }
  changed = changed || focusedButton != lastFocus_ || pressedButton != lastPressed_;
  if (!changed) return false;
  first_ = false;
  lastButtons_ = form.Cm1;
  lastFocus_ = focusedButton;
  lastPressed_ = pressedButton;

  Fill(pixels_, pixels_.Bounds(), form.BackColor);
  DrawFrame();
  for (auto& [panel, place] : panels) pixels_.Paste(panel->Shown(), panel->Shown().Bounds(), place.x, place.y);
  for (int i = 0; i < 2; ++i) {
    DrawButton(form.Cm1[static_cast<std::size_t>(i)], i, i == focusedButton, i == pressedButton);
  }
  return true;
}

}  // namespace zelvane
