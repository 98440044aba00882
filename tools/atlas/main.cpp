// zelvane-atlas <output-dir>: draws the game's artwork, the sprite atlas, the
// window and desktop icons and the button captions, as PNG files.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "atlas_sheet.h"
#include "captions.h"
#include "fonts.h"
#include "icon.h"
#include "png_writer.h"

int main(int argc, char** argv) {
  namespace art = zelvane::art;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output-dir>\n", argv[0]);
    return 2;
  }
  try {
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out / "icons");
    const art::Fonts fonts;
    art::WritePng((out / "atlas.png").string(), art::BuildAtlas(fonts), art::Channels::Rgb);
    for (const int size : art::kIconSizes) {
      const std::string name = "zelvane-" + std::to_string(size) + ".png";
      art::WritePng((out / "icons" / name).string(), art::BuildIcon(fonts, size), art::Channels::Rgba);
    }
    art::WritePng((out / "captions.png").string(), art::BuildCaptions(fonts), art::Channels::Rgb);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zelvane-atlas: %s\n", error.what());
    return 1;
  }
  return 0;
}
