#include "screen/atlas.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

extern const std::uint8_t zelvane_atlas_png[];
extern const std::size_t zelvane_atlas_png_size;

namespace zelvane {

std::optional<Image> DecodePng(const std::uint8_t* data, std::size_t size) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data, size)) return std::nullopt;
  png.format = PNG_FORMAT_BGRA;  // little-endian 0xAARRGGBB words
  Image image(static_cast<int>(png.width), static_cast<int>(png.height));
  if (!png_image_finish_read(&png, nullptr, image.Row(0), 0, nullptr)) {
    png_image_free(&png);
    return std::nullopt;
  }
  // Everything we draw is opaque.
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) image.Row(y)[x] |= 0xFF000000u;
  }
  return image;
}

std::optional<Image> LoadPng(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  return DecodePng(bytes.data(), bytes.size());
}

Image DecodeBuiltInPng(const std::uint8_t* data, std::size_t size, const char* what) {
  auto decoded = DecodePng(data, size);
  if (!decoded) {
    std::fprintf(stderr, "zelvane: the built-in %s is damaged\n", what);
    std::abort();
  }
  return *std::move(decoded);
}

const Image& Atlas() {
  static const Image atlas = DecodeBuiltInPng(zelvane_atlas_png, zelvane_atlas_png_size, "sprite atlas");
  return atlas;
}

}  // namespace zelvane
