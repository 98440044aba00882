#include <png.h>

#include <cstddef>
#include <cstdint>

#include "platform/window_frame.h"

extern const std::uint8_t zelvane_icon_png[];
extern const std::size_t zelvane_icon_png_size;

namespace zelvane {

// The icon keeps its transparent corners, so it is read with its alpha, unlike
// the opaque pictures of the game.
void SetGameIcon(SDL_Window* window) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, zelvane_icon_png, zelvane_icon_png_size)) return;
  png.format = PNG_FORMAT_RGBA;
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(png.width), static_cast<int>(png.height),
                                                     32, SDL_PIXELFORMAT_RGBA32);
  if (!icon) {
    png_image_free(&png);
    return;
  }
  if (png_image_finish_read(&png, nullptr, icon->pixels, icon->pitch, nullptr)) SDL_SetWindowIcon(window, icon);
  SDL_FreeSurface(icon);
}

}  // namespace zelvane
