#include "window/window_image.h"

#include <gtest/gtest.h>

#include "screen/layout.h"
#include "window/captions_layout.h"

namespace zelvane {
namespace {

constexpr Rgb kRed = MakeRgb(255, 0, 0);
constexpr Rgb kBlue = MakeRgb(0, 0, 255);
constexpr Rect kClient{0, 0, layout::kClientWidth, layout::kClientHeight};
constexpr Rect kStartIn{400, 16, 65, 33};
constexpr Rect kEndIn{400, 56, 65, 33};
// Where a marker pixel sits in each caption cell.
constexpr Point kMarker{30, 8};

// Captions whose cells are told apart by colour, each with a white marker pixel.
Image TestCaptions() {
  Image sheet(captions::kSheetWidth, captions::kSheetHeight);
  for (int cell = 0; cell < captions::kCells; ++cell) {
    for (int y = 0; y < captions::kCellHeight; ++y) {
      for (int x = 0; x < captions::kCellWidth; ++x) {
        sheet.Set(x, cell * captions::kCellHeight + y, MakeRgb(40 * (cell + 1), 0, 0));
      }
    }
    sheet.Set(kMarker.x, cell * captions::kCellHeight + kMarker.y, 0xFFFFFF);
  }
  return sheet;
}

Rgb CellColour(int button, bool enabled) { return MakeRgb(40 * (captions::CellIndex(button, enabled) + 1), 0, 0); }

class WindowImageTest : public ::testing::Test {
 protected:
  WindowImageTest() : captions_(TestCaptions()), window(layout::kClientWidth, layout::kClientHeight, captions_) {
    scene.backColor = Black;
    Panel* panels[] = {&mpc, &scpc, &lvpc, &atpc, &wipc};
    const Rect areas[] = {layout::kMpc, layout::kSCpc, layout::kLVpc, layout::kATpc, layout::kWIpc};
    for (int i = 0; i < 5; ++i) {
      scene.panels[static_cast<std::size_t>(i)] = {panels[i], areas[i], i == 0 ? layout::kMpcFrame : 0};
    }
    scene.buttons = {{{{480, 16, 65, 33}, {}}, {{480, 56, 65, 33}, {}}}};
  }

  std::vector<Rect> Compose() { return window.Compose(scene); }
  Rgb At(int x, int y) const { return window.Picture().At(x, y); }
  // Where the caption's marker shows on the face of the button at `box`.
  std::optional<Point> MarkerIn(Rect box) const {
    for (int y = box.y + 2; y < box.Bottom() - 2; ++y) {
      for (int x = box.x + 2; x < box.Right() - 2; ++x) {
        if (At(x, y) == 0xFFFFFF) return Point{x, y};
      }
    }
    return std::nullopt;
  }

  Image captions_;
  Panel mpc{150, 300}, scpc{128, 38}, lvpc{60, 30}, atpc{135, 30}, wipc{120, 150};
  WindowScene scene{};
  WindowImage window;
};

TEST_F(WindowImageTest, TheFirstComposeDrawsEverythingThenOnlyChanges) {
  EXPECT_EQ(Compose(), std::vector<Rect>{kClient});
  EXPECT_TRUE(Compose().empty());
  window.Invalidate();
  EXPECT_EQ(Compose(), std::vector<Rect>{kClient}) << "an expose redraws all";
  scene.backColor = kBlue;
  EXPECT_EQ(Compose(), std::vector<Rect>{kClient}) << "so does a new background";
  EXPECT_EQ(At(474, 335), kBlue);
  EXPECT_EQ(At(200, 100), kBlue) << "between the panels";
}

TEST_F(WindowImageTest, APanelShowsAtItsPlaceAndOnlyItsDamageIsRedrawn) {
  Compose();
  mpc.FillBox(0, 0, 29, 29, kRed);
  mpc.HandlerReturned();
  wipc.FillBox(119, 149, 119, 149, kBlue);
  wipc.HandlerReturned();
  const std::vector<Rect> parts = Compose();
  EXPECT_EQ(parts, (std::vector<Rect>{{18, 18, 30, 30}, {192 + 119, 168 + 149, 1, 1}}));
  EXPECT_EQ(At(18, 18), kRed);
  EXPECT_EQ(At(47, 47), kRed);
  EXPECT_EQ(At(48, 18), Black);
  EXPECT_EQ(At(311, 317), kBlue);

  scpc.FillBox(0, 0, 0, 0, kRed);  // filled but the handler has not returned: not on screen yet
  EXPECT_TRUE(Compose().empty());
  EXPECT_EQ(At(layout::kSCpc.x, layout::kSCpc.y), Black);
}

TEST_F(WindowImageTest, ThePlayfieldSitsInASunkenFrame) {
  Compose();
  // Outer box 16,16 to 169,319: shadow and black at the top left, white and light grey at the bottom right.
  struct Pixel {
    int x, y;
    Rgb colour;
  };
  const Pixel frame[] = {
      {16, 16, shade::Shadow},
      {168, 16, shade::Shadow},
      {16, 318, shade::Shadow},
      {17, 17, shade::DarkShadow},
      {17, 317, shade::DarkShadow},
      {169, 16, shade::Highlight},
      {16, 319, shade::Highlight},
      {169, 319, shade::Highlight},
      {168, 17, shade::Light},
      {17, 318, shade::Light},
      {168, 318, shade::Light},
      {18, 18, Black},
      {15, 15, Black},
      {170, 320, Black},
  };
  for (const Pixel& p : frame) EXPECT_EQ(At(p.x, p.y), p.colour) << p.x << "," << p.y;
}

TEST_F(WindowImageTest, ButtonsShowOnlyThePartInsideTheClientArea) {
  Compose();
  for (int y = 0; y < layout::kClientHeight; ++y)
    ASSERT_EQ(At(474, y), Black) << "at 480 px the buttons are out of sight";

  scene.buttons[0].bounds.x = 472;  // 7080 twips: the first tick of the slide
  EXPECT_EQ(Compose(), (std::vector<Rect>{{472, 16, 3, 33}}));
  EXPECT_EQ(At(472, 16), shade::Highlight);
  EXPECT_EQ(At(474, 18), shade::Face);
  EXPECT_EQ(At(471, 18), Black);

  scene.buttons[0].bounds.x = 464;
  EXPECT_EQ(Compose(), (std::vector<Rect>{{464, 16, 11, 33}})) << "the old and the new place, overlapping, as one";
  scene.buttons[0].bounds.x = 400;
  EXPECT_EQ(Compose(), (std::vector<Rect>{{400, 16, 75, 33}}));
  EXPECT_EQ(At(470, 30), Black) << "where the button was";
  EXPECT_EQ(At(400, 16), shade::Highlight);
}

TEST_F(WindowImageTest, AButtonChangingItsLookIsRedrawnAlone) {
  scene.buttons[0].bounds = kStartIn;
  scene.buttons[1].bounds = kEndIn;
  Compose();
  scene.buttons[1].look.enabled = true;
  EXPECT_EQ(Compose(), std::vector<Rect>{kEndIn});
  scene.buttons[1].look.enabled = false;
  scene.buttons[0].look.enabled = true;
  EXPECT_EQ(Compose(), (std::vector<Rect>{kStartIn, kEndIn}));
}

TEST_F(WindowImageTest, ARaisedButtonAndItsCaption) {
  scene.buttons[0] = {kStartIn, {.enabled = true}};
  scene.buttons[1].bounds = kEndIn;
  Compose();
  EXPECT_EQ(At(400, 16), shade::Highlight);
  EXPECT_EQ(At(401, 17), shade::Light);
  EXPECT_EQ(At(464, 16), shade::DarkShadow) << "the top-right corner is in the shadow";
  EXPECT_EQ(At(463, 47), shade::Shadow);
  EXPECT_EQ(At(400, 48), shade::DarkShadow);
  EXPECT_EQ(At(410, 18), shade::Face);
  // The 61 x 16 caption cell fills the face between the bevels, centred.
  EXPECT_EQ(At(402, 24), CellColour(0, true));
  EXPECT_EQ(At(462, 39), CellColour(0, true));
  EXPECT_EQ(At(402, 23), shade::Face);
  EXPECT_EQ(MarkerIn(kStartIn), (Point{402 + kMarker.x, 24 + kMarker.y}));
  EXPECT_EQ(At(402, 64), CellColour(1, false)) << "End disabled: its etched caption";
}

TEST_F(WindowImageTest, APressedButtonHasTheBevelInvertedAndTheCaptionOneDown) {
  scene.buttons[0] = {kStartIn, {.enabled = true, .pressed = true}};
  Compose();
  EXPECT_EQ(At(400, 16), shade::DarkShadow);
  EXPECT_EQ(At(401, 17), shade::Shadow);
  EXPECT_EQ(At(464, 48), shade::Highlight);
  EXPECT_EQ(At(463, 47), shade::Light);
  EXPECT_EQ(MarkerIn(kStartIn), (Point{403 + kMarker.x, 25 + kMarker.y}));
  EXPECT_EQ(At(402, 24), shade::Face) << "the caption moved off the first face column";
  EXPECT_EQ(At(462, 40), CellColour(0, true)) << "and is cut at the bevel";
}

TEST_F(WindowImageTest, TheDefaultOutlineAndTheFocusDots) {
  scene.backColor = kBlue;  // so the black outline shows
  scene.buttons[0] = {kStartIn, {.enabled = true, .focused = true, .isDefault = true}};
  Compose();
  EXPECT_EQ(At(400, 16), shade::DarkShadow);
  EXPECT_EQ(At(464, 16), shade::DarkShadow);
  EXPECT_EQ(At(401, 17), shade::Highlight) << "the bevel inside the outline";
  EXPECT_EQ(At(463, 47), shade::DarkShadow);
  // Dots on every other pixel, 3 pixels inside the bevelled body (401,17 to 463,47).
  EXPECT_EQ(At(404, 20), shade::DarkShadow);
  EXPECT_EQ(At(405, 20), shade::Face);
  EXPECT_EQ(At(406, 20), shade::DarkShadow);
  EXPECT_EQ(At(404, 22), shade::DarkShadow);
  EXPECT_EQ(At(404, 21), shade::Face);
  EXPECT_EQ(At(460, 44), shade::DarkShadow);
}

}  // namespace
}  // namespace zelvane
