#include "platform/window_frame.h"

namespace zelvane {

// The canvas sits in the page: the browser draws the frame and the icon.
void AskForPlainFrame(SDL_Window*) {}

void OfferIconSizes(SDL_Window*, std::initializer_list<Icon>) {}

// The canvas keeps the game's own size: the page scales it to the browser
// window and its pixel ratio, in whole device pixels. SDL's density, 96 times
// that ratio, would make the window scaler widen the canvas too.
std::optional<double> DisplayDensity(SDL_Window*) { return std::nullopt; }

}  // namespace zelvane
