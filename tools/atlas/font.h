#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "mask.h"

namespace zelvane::art {

// How strongly FreeType snaps outlines to the pixel grid.
enum class Hinting {
  Light,   // snaps heights only: keeps the italic slant and the letter widths
  Normal,  // snaps both ways: crispest for small body text
};

struct TextStyle {
  double widthPx = 0;   // nominal em width; differing from the height stretches the glyphs
  double heightPx = 0;  // nominal em height
  Hinting hinting = Hinting::Light;
  double outlinePx = 0;  // radius of the stroke laid around the glyphs; 0 for none
};

// One face from a font file, opened through FreeType.
class Font {
 public:
  explicit Font(const std::string& path);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // The anti-aliased ink of `text` (ASCII) set on one line from the pen origin.
  // With an outline in the style, the ink is the glyphs grown by the stroke.
  Mask Render(std::string_view text, const TextStyle& style) const;

 private:
  struct Handles;
  std::unique_ptr<Handles> handles_;
};

// A style whose ink for `text`, without outline, comes out about `width` x `height` pixels.
TextStyle FitStyle(const Font& font, std::string_view text, int width, int height, Hinting hinting);

}  // namespace zelvane::art
