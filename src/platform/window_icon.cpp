#include <png.h>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/window_frame.h"
#include "platform/window_icon.h"

extern const std::uint8_t zelvane_icon_png[];
extern const std::size_t zelvane_icon_png_size;
extern const std::uint8_t zelvane_small_icon_png[];
extern const std::size_t zelvane_small_icon_png_size;

namespace zelvane {
namespace {

// The icon keeps its transparent corners, so it is read with its alpha, unlike
// the opaque pictures of the game.
std::optional<Icon> DecodeIcon(const std::uint8_t* data, std::size_t size) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data, size)) return std::nullopt;
  png.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, rgba.data(), 0, nullptr)) return std::nullopt;
  Icon icon{static_cast<int>(png.width), static_cast<int>(png.height), {}};
  icon.argb.reserve(rgba.size() / 4);
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    icon.argb.push_back(std::uint32_t{rgba[i + 3]} << 24 | std::uint32_t{rgba[i]} << 16 |
                        std::uint32_t{rgba[i + 1]} << 8 | rgba[i + 2]);
  }
  return icon;
}

}  // namespace

void SetGameIcon(SDL_Window* window) {
  std::optional<Icon> large = DecodeIcon(zelvane_icon_png, zelvane_icon_png_size);
  if (!large) return;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(large->argb.data(), large->width, large->height, 32,
                                                            large->width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return;
  SDL_SetWindowIcon(window, surface);
  SDL_FreeSurface(surface);
  // Title bars and task lists want the small size; drawn for it, it stays crisp.
  if (const std::optional<Icon> small = DecodeIcon(zelvane_small_icon_png, zelvane_small_icon_png_size)) {
    OfferIconSizes(window, {*small, *large});
  }
}

}  // namespace zelvane
