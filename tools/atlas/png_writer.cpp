#include "png_writer.h"

#include <png.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace zelvane::art {

void WritePng(const std::string& path, const Canvas& canvas, Channels channels) {
  const bool alpha = channels == Channels::Rgba;
  const int perPixel = alpha ? 4 : 3;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(static_cast<std::size_t>(canvas.Width() * canvas.Height() * perPixel));
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const Colour colour = canvas.At(x, y);
      bytes.insert(bytes.end(), {colour.r, colour.g, colour.b});
      if (alpha) bytes.push_back(colour.a);
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(canvas.Width());
  image.height = static_cast<png_uint_32>(canvas.Height());
  image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  const int ok = png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr);
  const std::string message = ok ? "" : image.message;
  png_image_free(&image);
  if (!ok) throw std::runtime_error("cannot write " + path + ": " + message);
}

}  // namespace zelvane::art
