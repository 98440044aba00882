#include "window/window_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "screen/layout.h"

namespace zelvane {
namespace {

constexpr Size kGame{layout::kClientWidth, layout::kClientHeight};

struct ScaleCase {
  const char* what;
  double dpi;
  Size usable;
  int scale;
};

const ScaleCase kScaleCases[] = {
    {"the density the game was drawn for", 96, {1920, 1080}, 1},
    {"an unknown density", 0, {1920, 1080}, 1},
    {"a density that is no number", std::nan(""), {1920, 1080}, 1},
    {"a negative density", -192, {1920, 1080}, 1},
    {"125 %", 120, {1920, 1080}, 1},
    {"just under 150 %", 143, {1920, 1080}, 1},
    {"150 % rounds up", 144, {1920, 1080}, 2},
    {"200 %", 192, {1920, 1080}, 2},
    {"300 % on a 4K screen", 288, {3840, 2160}, 3},
    {"300 %, too narrow for three", 288, {1280, 1024}, 2},
    {"300 %, too low for three", 288, {1440, 900}, 2},
    {"400 %, room for three only", 384, {1920, 1080}, 3},
    {"exactly room for two", 192, {950, 672}, 2},
    {"one pixel short of two", 192, {949, 672}, 1},
    {"a screen smaller than the game still gets it whole", 192, {400, 300}, 1},
    {"an endless density", INFINITY, {3840, 2160}, 6},
};

TEST(WindowScaleTest, TheDensityRoundedWithinWhatFits) {
  for (const ScaleCase& c : kScaleCases) EXPECT_EQ(ChooseScale(c.dpi, c.usable, kGame), c.scale) << c.what;
}

TEST(WindowScaleTest, EachPixelOfThePartBecomesABlockAtItsPlaceAndNothingElseIsTouched) {
  Image picture(4, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) picture.Set(x, y, MakeRgb(x * 60, y * 60, 200));
  }
  constexpr Rect kPart{1, 1, 2, 2};
  constexpr std::uint32_t kUntouched = 0x12345678;
  for (const int scale : {1, 2, 3, 4}) {
    // A target with a margin of one block all round, and a longer pitch than the part needs.
    const int width = (kPart.w + 2) * scale + 5;
    const int height = (kPart.h + 2) * scale;
    std::vector<std::uint32_t> target(static_cast<std::size_t>(width * height), kUntouched);
    const auto at = [&](int x, int y) { return target[static_cast<std::size_t>(y * width + x)]; };
    ScaleNearest(picture, kPart, scale, &target[static_cast<std::size_t>(scale * width + scale)],
                 width * static_cast<int>(sizeof(std::uint32_t)));
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const int gx = x / scale - 1;
        const int gy = y / scale - 1;
        const bool inPart = gx >= 0 && gx < kPart.w && gy >= 0 && gy < kPart.h;
        const std::uint32_t expected = inPart ? Opaque(picture.At(kPart.x + gx, kPart.y + gy)) : kUntouched;
        ASSERT_EQ(at(x, y), expected) << "scale " << scale << " at " << x << ", " << y;
      }
    }
  }
}

}  // namespace
}  // namespace zelvane
