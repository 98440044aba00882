#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "atlas/tile_geometry.h"
#include "screen/atlas.h"
#include "window/captions_layout.h"
#include "window/shades.h"

namespace zelvane {
namespace {

namespace tg = tile_geometry;

std::filesystem::path SourceDir() {
  const char* dir = std::getenv("ZELVANE_SOURCE_DIR");
  return dir != nullptr ? dir : ".";
}

std::filesystem::path Asset(const std::string& name) { return SourceDir() / "assets" / name; }

const Image& CommittedAtlas() {
  static const Image atlas = [] {
    auto loaded = LoadPng(Asset("atlas.png").string());
    if (!loaded) ADD_FAILURE() << "assets/atlas.png is missing or unreadable";
    return loaded.value_or(Image(600, 600));
  }();
  return atlas;
}

constexpr Rgb kRowTop = MakeRgb(255, 74, 66);
constexpr Rgb kRowHome = MakeRgb(0, 140, 33);
constexpr Rgb kRowBottom = MakeRgb(49, 49, 255);
constexpr Rgb kMutedTop = MakeRgb(206, 173, 165);
constexpr Rgb kMutedHome = MakeRgb(66, 99, 74);
constexpr Rgb kMutedBottom = MakeRgb(165, 165, 198);
constexpr Rgb kLanded = MakeRgb(82, 82, 82);
constexpr Rgb kWhite = MakeRgb(255, 255, 255);

int Red(Rgb c) { return static_cast<int>(c >> 16) & 0xFF; }
int Green(Rgb c) { return static_cast<int>(c >> 8) & 0xFF; }
int Blue(Rgb c) { return static_cast<int>(c) & 0xFF; }

// Keyboard row of a letter code: 0 top, 1 home, 2 bottom.
int RowOfCode(int code) {
  const std::string top = "QWERTYUIOP";
  const std::string home = "ASDFGHJKL";
  const char letter = static_cast<char>('A' + code);
  if (top.find(letter) != std::string::npos) return 0;
  if (home.find(letter) != std::string::npos) return 1;
  return 2;
}

struct Place {
  int x;
  int y;
};

// Letters A..T fill a band, U..Z start the band below.
Place LetterTile(int bandY, int code) {
  return code < 20 ? Place{30 * code, bandY} : Place{30 * (code - 20), bandY + 30};
}

std::vector<Rgb> Pixels(const Image& image, int x, int y, int w, int h) {
  std::vector<Rgb> pixels;
  for (int row = y; row < y + h; ++row) {
    for (int column = x; column < x + w; ++column) pixels.push_back(image.At(column, row));
  }
  return pixels;
}

int CountIf(const Image& image, int x, int y, int w, int h, bool (*match)(Rgb)) {
  const std::vector<Rgb> pixels = Pixels(image, x, y, w, h);
  return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), match));
}

bool IsInk(Rgb c) { return c != Black; }

void ExpectFace(const Image& atlas, Place tile, Rgb face, const std::string& what) {
  for (const Point point : tg::kFaceSamples) {
    EXPECT_EQ(atlas.At(tile.x + point.x, tile.y + point.y), face)
        << what << " at tile pixel (" << point.x << ", " << point.y << ")";
  }
}

TEST(AtlasTest, IsSixHundredSquareAndEmbeddedAsCommitted) {
  const Image& committed = CommittedAtlas();
  ASSERT_EQ(committed.Width(), 600);
  ASSERT_EQ(committed.Height(), 600);
  const Image& embedded = Atlas();
  ASSERT_EQ(embedded.Width(), 600);
  ASSERT_EQ(embedded.Height(), 600);
  EXPECT_EQ(Pixels(embedded, 0, 0, 600, 600), Pixels(committed, 0, 0, 600, 600));
}

TEST(AtlasTest, LetterFacesShowTheKeyboardRowInEveryBand) {
  const struct {
    const char* band;
    int y;
    Rgb faces[3];
  } bands[] = {{"letter", 0, {kRowTop, kRowHome, kRowBottom}},
               {"landed", 90, {kLanded, kLanded, kLanded}},
               {"armoured", 240, {kMutedTop, kMutedHome, kMutedBottom}}};
  for (const auto& band : bands) {
    for (int code = 0; code < 26; ++code) {
      const std::string what = std::string(band.band) + " tile " + static_cast<char>('A' + code);
      ExpectFace(Atlas(), LetterTile(band.y, code), band.faces[RowOfCode(code)], what);
    }
  }
}

TEST(AtlasTest, EveryLetterIsDrawnInWhiteAndNoTwoTilesMatch) {
  for (const int bandY : {0, 90, 240}) {
    std::set<std::vector<Rgb>> seen;
    for (int code = 0; code < 26; ++code) {
      const Place tile = LetterTile(bandY, code);
      const std::vector<Rgb> face = Pixels(Atlas(), tile.x + tg::kFaceFirst, tile.y + tg::kFaceFirst,
                                           tg::kFaceLast - tg::kFaceFirst + 1, tg::kFaceLast - tg::kFaceFirst + 1);
      EXPECT_GT(std::count(face.begin(), face.end(), kWhite), 25)
          << "letter " << static_cast<char>('A' + code) << " in band " << bandY;
      EXPECT_TRUE(seen.insert(face).second) << "letter " << static_cast<char>('A' + code) << " in band " << bandY;
    }
  }
}

TEST(AtlasTest, TilesShareOneFrame) {
  const Image& atlas = Atlas();
  const std::vector<Rgb> reference = Pixels(atlas, 0, 0, 30, tg::kFrame);
  for (const Place tile : {Place{270, 30}, Place{180, 120}, Place{570, 270}, Place{30, 240}}) {
    EXPECT_EQ(Pixels(atlas, tile.x, tile.y, 30, tg::kFrame), reference)
        << "top of the frame at " << tile.x << ", " << tile.y;
  }
  // The frame is grey apart from its red and blue corner marks.
  const Rgb topLeft = atlas.At(0, 0);
  const Rgb bottomRight = atlas.At(29, 29);
  EXPECT_GT(Red(topLeft), 200);
  EXPECT_LT(Green(topLeft), 80);
  EXPECT_GT(Blue(bottomRight), 200);
  EXPECT_LT(Red(bottomRight), 80);
  const Rgb edge = atlas.At(15, 0);
  EXPECT_TRUE(Red(edge) == Green(edge) && Green(edge) == Blue(edge)) << std::hex << edge;
}

TEST(AtlasTest, LetterlessTilesAreSolidFaces) {
  const struct {
    int x;
    int y;
    int count;
    std::vector<Rgb> faces;  // taken in turn
  } runs[] = {
      {180, 30, 3, {kRowTop, kRowHome, kRowBottom}},  // block tiles
      {390, 30, 7, {kRowHome}},
      {180, 120, 14, {kLanded}},
      {180, 270, 14, {kMutedTop, kMutedHome, kMutedBottom}},
  };
  for (const auto& run : runs) {
    for (int i = 0; i < run.count; ++i) {
      const int x = run.x + 30 * i;
      const Rgb face = run.faces[static_cast<std::size_t>(i) % run.faces.size()];
      const int side = tg::kFaceLast - tg::kFaceFirst + 1;
      const std::vector<Rgb> pixels = Pixels(Atlas(), x + tg::kFaceFirst, run.y + tg::kFaceFirst, side, side);
      EXPECT_EQ(std::count(pixels.begin(), pixels.end(), face), side * side) << "tile at " << x << ", " << run.y;
    }
  }
}

TEST(AtlasTest, ItemTilesRunFromTheirTopColourToTheirBottomColour) {
  const struct {
    int code;
    Rgb top;
    Rgb bottom;
  } items[] = {
      {95, MakeRgb(0, 255, 255), MakeRgb(0, 0, 255)},
      {96, MakeRgb(255, 255, 255), MakeRgb(255, 0, 0)},
      {97, MakeRgb(255, 255, 255), MakeRgb(0, 200, 0)},
      {98, MakeRgb(100, 100, 100), MakeRgb(0, 0, 0)},
  };
  auto near = [](Rgb a, Rgb b) {
    return std::abs(Red(a) - Red(b)) < 60 && std::abs(Green(a) - Green(b)) < 60 && std::abs(Blue(a) - Blue(b)) < 60;
  };
  for (const auto& item : items) {
    const int x = 30 * (item.code - 86);
    const Rgb top = Atlas().At(x + tg::kGradientColumn, 30 + tg::kFaceFirst);
    const Rgb middle = Atlas().At(x + tg::kGradientColumn, 30 + 15);
    const Rgb bottom = Atlas().At(x + tg::kGradientColumn, 30 + tg::kFaceLast);
    EXPECT_TRUE(near(top, item.top)) << "item " << item.code << " top " << std::hex << top;
    EXPECT_TRUE(near(bottom, item.bottom)) << "item " << item.code << " bottom " << std::hex << bottom;
    EXPECT_NE(middle, top) << "item " << item.code;
    EXPECT_NE(middle, bottom) << "item " << item.code;
  }
}

TEST(AtlasTest, UnusedAreasAreBlack) {
  const struct {
    const char* what;
    int x, y, w, h;
  } areas[] = {
      {"the band of the blank tile", 0, 60, 600, 30},         {"everything below the tiles", 0, 300, 600, 300},
      {"above the panel lettering", 0, 150, 600, 26},         {"left of the score frame", 0, 176, 16, 64},
      {"between frame and digits", 144, 176, 16, 64},         {"below the score frame", 0, 214, 160, 26},
      {"where the score digits go", 20, 180, 120, 30},        {"right of the warning banner", 555, 180, 45, 30},
      {"between ready banner and percent", 520, 210, 50, 30},
  };
  for (const auto& area : areas) {
    EXPECT_EQ(CountIf(Atlas(), area.x, area.y, area.w, area.h, IsInk), 0) << area.what;
  }
}

TEST(AtlasTest, ScoreFrameIsTwoWhiteLinesRoundedOutside) {
  const Image& atlas = Atlas();
  for (const Place outer : {Place{80, 176}, Place{80, 213}, Place{16, 195}, Place{143, 195}}) {
    EXPECT_EQ(atlas.At(outer.x, outer.y), kWhite) << outer.x << ", " << outer.y;
  }
  EXPECT_EQ(atlas.At(80, 177), Black);
  EXPECT_EQ(atlas.At(80, 178), kWhite);
  EXPECT_EQ(atlas.At(80, 179), Black);
  EXPECT_EQ(atlas.At(18, 195), kWhite);
  EXPECT_EQ(atlas.At(16, 176), Black) << "the outer corner is rounded off";
}

// The box around a region's ink, relative to the region.
struct InkBox {
  int left = 1000, top = 1000, right = -1, bottom = -1;
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
};

InkBox InkOf(const Image& atlas, int x, int y, int w, int h) {
  InkBox box;
  for (int row = 0; row < h; ++row) {
    for (int column = 0; column < w; ++column) {
      if (atlas.At(x + column, y + row) == Black) continue;
      box = {std::min(box.left, column), std::min(box.top, row), std::max(box.right, column),
             std::max(box.bottom, row)};
    }
  }
  return box;
}

TEST(AtlasTest, DigitGlyphsAreTallCentredAndDistinct) {
  for (const int y : {180, 210}) {
    std::set<std::vector<Rgb>> seen;
    for (int digit = 0; digit < 10; ++digit) {
      const int x = 160 + 20 * digit;
      const InkBox ink = InkOf(Atlas(), x, y, 20, 30);
      EXPECT_GE(ink.Height(), 24) << "digit " << digit << " at y " << y;
      EXPECT_LE(ink.Height(), 27) << "digit " << digit << " at y " << y;
      EXPECT_LE(ink.Width(), 17) << "digit " << digit << " at y " << y;
      EXPECT_GE(ink.Width(), digit == 1 ? 7 : 12) << "digit " << digit << " at y " << y;
      EXPECT_LE(std::abs(ink.left - (19 - ink.right)), 3) << "digit " << digit << " is off centre";
      EXPECT_TRUE(seen.insert(Pixels(Atlas(), x, y, 20, 30)).second) << "digit " << digit << " at y " << y;
    }
  }
}

// White-to-grey ink has near-equal channels; gold has clearly less blue than red (but in faint edges).
bool IsSilver(Rgb c) { return c != Black && std::abs(Red(c) - Blue(c)) < 30 && std::abs(Red(c) - Green(c)) < 30; }
bool IsGold(Rgb c) { return c != Black && Red(c) >= Blue(c) && (Red(c) < 16 || Blue(c) * 100 < Red(c) * 90); }
bool IsPureRed(Rgb c) { return c == MakeRgb(255, 0, 0); }
bool IsShadeOfRed(Rgb c) { return c != Black && Green(c) == 0 && Blue(c) == 0; }

TEST(AtlasTest, PanelLetteringHasItsColours) {
  const struct {
    const char* what;
    int x, y, w, h;
    bool (*shade)(Rgb);
    int minInk;
  } regions[] = {
      {"digits", 160, 180, 200, 30, IsSilver, 400},
      {"bright digits", 160, 210, 200, 30, IsGold, 400},
      {"level label", 360, 180, 40, 30, IsSilver, 80},
      {"yellow level label", 360, 210, 40, 30, IsGold, 80},
      {"ready banner", 420, 210, 100, 30, IsSilver, 400},
      {"percent glyph", 570, 210, 30, 30, IsSilver, 60},
      {"warning banner", 420, 180, 135, 30, IsShadeOfRed, 600},
  };
  for (const auto& region : regions) {
    const int ink = CountIf(Atlas(), region.x, region.y, region.w, region.h, IsInk);
    EXPECT_GE(ink, region.minInk) << region.what;
    EXPECT_EQ(CountIf(Atlas(), region.x, region.y, region.w, region.h, region.shade), ink) << region.what;
  }
  EXPECT_GT(CountIf(Atlas(), 420, 180, 135, 30, IsPureRed), 300) << "the warning is in full red";
}

TEST(CaptionsTest, FourCellsOfCentredTextOnTheButtonFace) {
  const auto captions = LoadPng(Asset("captions.png").string());
  ASSERT_TRUE(captions);
  ASSERT_EQ(captions->Width(), captions::kSheetWidth);
  ASSERT_EQ(captions->Height(), captions::kSheetHeight);
  ASSERT_EQ(captions::kSheetWidth, 61);
  ASSERT_EQ(captions::kSheetHeight, 64);
  auto dark = [](Rgb c) { return Red(c) < 64; };
  auto white = [](Rgb c) { return c == MakeRgb(255, 255, 255); };
  std::vector<Rgb> cells[captions::kCells];
  for (int button = 0; button < captions::kButtons; ++button) {
    for (const bool enabled : {true, false}) {
      const int index = captions::CellIndex(button, enabled);
      const int top = captions::kCellHeight * index;
      cells[index] = Pixels(*captions, 0, top, captions::kCellWidth, captions::kCellHeight);
      const std::vector<Rgb>& cell = cells[index];
      const InkBox ink = [&] {
        InkBox box;
        for (int y = 0; y < captions::kCellHeight; ++y) {
          for (int x = 0; x < captions::kCellWidth; ++x) {
            if (captions->At(x, top + y) == shade::Face) continue;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
          }
        }
        return box;
      }();
      const std::string what = "cell " + std::to_string(index);
      EXPECT_LE(std::abs(ink.left - (captions::kCellWidth - 1 - ink.right)), 2) << what << " is off centre";
      EXPECT_GE(ink.Height(), 8) << what;
      EXPECT_GE(ink.top, 1) << what;
      EXPECT_LE(ink.bottom, captions::kCellHeight - 2) << what;
      const auto darkPixels = std::count_if(cell.begin(), cell.end(), dark);
      const auto whitePixels = std::count_if(cell.begin(), cell.end(), white);
      if (enabled) {
        EXPECT_GT(darkPixels, 20) << what << ": black text";
        EXPECT_EQ(whitePixels, 0) << what;
      } else {
        EXPECT_EQ(darkPixels, 0) << what << ": grey text";
        EXPECT_GE(whitePixels, 6) << what << ": its emboss";
      }
    }
  }
  EXPECT_NE(cells[captions::CellIndex(0, true)], cells[captions::CellIndex(1, true)]);
}

TEST(IconsTest, EverySizeIsASquareWithTransparency) {
  for (const int size : {16, 32, 48, 64, 128, 192, 512}) {
    const std::string path = Asset("icons/zelvane-" + std::to_string(size) + ".png").string();
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&png, path.c_str())) << path;
    EXPECT_EQ(png.width, static_cast<png_uint_32>(size)) << path;
    EXPECT_EQ(png.height, static_cast<png_uint_32>(size)) << path;
    EXPECT_TRUE(png.format & PNG_FORMAT_FLAG_ALPHA) << path;
    png_image_free(&png);
  }
}

std::vector<char> Bytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(ArtworkToolTest, RedrawsTheCommittedFilesByteForByte) {
  const std::string tool = ZELVANE_ATLAS_TOOL;
  if (tool.empty()) GTEST_SKIP() << "built without the asset tools";
  const std::filesystem::path out =
      std::filesystem::temp_directory_path() / ("zelvane-artwork-" + std::to_string(getpid()));
  std::filesystem::remove_all(out);
  ASSERT_EQ(std::system(("\"" + tool + "\" \"" + out.string() + "\"").c_str()), 0);
  std::vector<std::string> files = {"atlas.png", "captions.png"};
  for (const int size : {16, 32, 48, 64, 128, 192, 512})
    files.push_back("icons/zelvane-" + std::to_string(size) + ".png");
  for (const std::string& file : files) {
    const std::vector<char> drawn = Bytes(out / file);
    EXPECT_FALSE(drawn.empty()) << file;
    EXPECT_TRUE(drawn == Bytes(Asset(file))) << file << " differs from the committed one: redraw the artwork";
  }
  std::filesystem::remove_all(out);
}

}  // namespace
}  // namespace zelvane
