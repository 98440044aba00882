#include "platform/window_frame.h"

namespace zelvane {

// The canvas sits in the page: the browser draws the frame and the icon.
void AskForPlainFrame(SDL_Window*) {}

void OfferIconSizes(SDL_Window*, std::initializer_list<Icon>) {}

std::optional<double> DisplayDensity(SDL_Window* window) { return DensityKnownToSdl(window); }

}  // namespace zelvane
