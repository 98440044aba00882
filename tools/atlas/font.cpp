#include "font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_STROKER_H

#include <cmath>
#include <memory>
#include <stdexcept>

namespace zelvane::art {

struct Font::Handles {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Handles() {
    if (library != nullptr) FT_Done_FreeType(library);  // also closes the face
  }
};

namespace {

void Check(FT_Error error, const char* what) {
  if (error != 0)
    throw std::runtime_error(std::string("FreeType: ") + what + " failed (error " + std::to_string(error) + ")");
}

FT_Int32 LoadFlags(Hinting hinting) {
  switch (hinting) {
    case Hinting::Light:
      return FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP;
    case Hinting::Normal:
      return FT_LOAD_TARGET_NORMAL | FT_LOAD_NO_BITMAP;
  }
  return FT_LOAD_DEFAULT;
}

FT_F26Dot6 ToFixed(double pixels) { return static_cast<FT_F26Dot6>(std::lround(pixels * 64.0)); }

void SetSize(FT_Face face, const TextStyle& style) {
  Check(FT_Set_Char_Size(face, ToFixed(style.widthPx), ToFixed(style.heightPx), 72, 72), "setting the size");
}

using GlyphPtr = std::unique_ptr<FT_GlyphRec, decltype(&FT_Done_Glyph)>;
using StrokerPtr = std::unique_ptr<FT_StrokerRec_, decltype(&FT_Stroker_Done)>;

GlyphPtr Own(FT_Glyph glyph) { return GlyphPtr(glyph, &FT_Done_Glyph); }

// Lays one rendered glyph bitmap into the mask, its origin at `penX` on the baseline.
void Stamp(Mask& mask, const GlyphPtr& shape, int penX) {
  const auto* glyph = reinterpret_cast<const FT_BitmapGlyphRec*>(shape.get());
  const FT_Bitmap& bitmap = glyph->bitmap;
  const int left = penX + glyph->left;
  const int top = -glyph->top;
  mask.Include({left, top, static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows)});
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
    for (unsigned column = 0; column < bitmap.width; ++column) {
      mask.Merge(left + static_cast<int>(column), top + static_cast<int>(row), line[column]);
    }
  }
}

// The glyph's shape turned into an anti-aliased bitmap, stroked first when a stroker is given.
// `fraction` is the pen's position within its pixel, in 1/64 pixel.
GlyphPtr RenderShape(FT_Glyph source, FT_Stroker stroker, FT_Pos fraction) {
  FT_Glyph raw = nullptr;
  Check(FT_Glyph_Copy(source, &raw), "copying a glyph");
  GlyphPtr shape = Own(raw);
  // FreeType swaps the glyph in place: on failure it leaves the old one, which we still own.
  raw = shape.release();
  FT_Error error = stroker != nullptr ? FT_Glyph_Stroke(&raw, stroker, 1) : 0;
  FT_Vector offset{fraction, 0};
  if (error == 0) error = FT_Glyph_To_Bitmap(&raw, FT_RENDER_MODE_NORMAL, &offset, 1);
  shape = Own(raw);
  Check(error, "rendering a glyph");
  return shape;
}

}  // namespace

Font::Font(const std::string& path) : handles_(std::make_unique<Handles>()) {
  Check(FT_Init_FreeType(&handles_->library), "starting");
  Check(FT_New_Face(handles_->library, path.c_str(), 0, &handles_->face), ("opening " + path).c_str());
}

Font::~Font() = default;

Mask Font::Render(std::string_view text, const TextStyle& style) const {
  FT_Face face = handles_->face;
  SetSize(face, style);
  StrokerPtr stroker(nullptr, &FT_Stroker_Done);
  if (style.outlinePx > 0) {
    FT_Stroker raw = nullptr;
    Check(FT_Stroker_New(handles_->library, &raw), "making a stroker");
    stroker.reset(raw);
    FT_Stroker_Set(raw, ToFixed(style.outlinePx), FT_STROKER_LINECAP_ROUND, FT_STROKER_LINEJOIN_ROUND, 0);
  }
  Mask mask;
  FT_Pos pen = 0;  // 1/64 pixel
  FT_UInt previous = 0;
  for (const char character : text) {
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<unsigned char>(character));
    if (previous != 0 && FT_HAS_KERNING(face)) {
      FT_Vector kerning{};
      Check(FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kerning), "kerning");
      pen += kerning.x;
    }
    Check(FT_Load_Glyph(face, index, LoadFlags(style.hinting)), "loading a glyph");
    FT_Glyph raw = nullptr;
    Check(FT_Get_Glyph(face->glyph, &raw), "taking a glyph");
    const GlyphPtr glyph = Own(raw);
    const int whole = static_cast<int>(pen >> 6);
    Stamp(mask, RenderShape(glyph.get(), nullptr, pen & 63), whole);
    // The stroke is merged over the fill, so the outline always encloses the letter.
    if (stroker) Stamp(mask, RenderShape(glyph.get(), stroker.get(), pen & 63), whole);
    pen += face->glyph->advance.x;
    previous = index;
  }
  return mask;
}

TextStyle FitStyle(const Font& font, std::string_view text, int width, int height, Hinting hinting) {
  TextStyle style{.widthPx = 32, .heightPx = 32, .hinting = hinting, .outlinePx = 0};
  auto ink = [&] { return font.Render(text, style).Ink(); };
  Rect measured = ink();
  style.widthPx *= double(width) / measured.w;
  style.heightPx *= double(height) / measured.h;
  // Grid-fitting makes heights jump by whole pixels: step to the nearest size that hits the target.
  constexpr double kStep = 0.25;
  constexpr int kMaxSteps = 40;
  for (int step = 0; step < kMaxSteps && (measured = ink()).h < height; ++step) style.heightPx += kStep;
  for (int step = 0; step < kMaxSteps && (measured = ink()).h > height; ++step) style.heightPx -= kStep;
  style.widthPx *= double(width) / ink().w;
  return style;
}

}  // namespace zelvane::art
