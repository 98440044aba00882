#include "screen/panel.h"

#include <gtest/gtest.h>

namespace zelvane {
namespace {

constexpr Rgb kRed = MakeRgb(255, 0, 0);

Image Solid(int size, Rgb colour) { return Image(size, size, colour); }

TEST(PanelTest, ACopyShowsOnlyOncePresented) {
  Panel panel(50, 40);
  const Image atlas = Solid(30, kRed);
  panel.Copy(5, 5, 10, 10, atlas, 0, 0);
  panel.HandlerReturned();
  EXPECT_EQ(panel.Picture().At(5, 5), kRed);
  EXPECT_EQ(panel.Shown().At(5, 5), Black) << "a copy alone asks for no repaint";
  panel.Present();
  EXPECT_EQ(panel.Shown().At(14, 14), kRed);
  EXPECT_EQ(panel.Shown().At(15, 15), Black);
}

TEST(PanelTest, BoxesLinesAndClearsShowOnceTheHandlerReturnsWithEverythingElse) {
  const Image atlas = Solid(30, kRed);
  for (int operation = 0; operation < 3; ++operation) {
    Panel panel(50, 40);
    panel.Copy(0, 0, 30, 30, atlas, 0, 0);
    panel.Present();
    panel.Copy(30, 0, 20, 20, atlas, 0, 0);  // not presented
    if (operation == 0) panel.FillBox(40, 30, 45, 35, 0x00FF00);
    if (operation == 1) panel.Line(40, 39, 49, 39, 0x00FF00);
    if (operation == 2) panel.Clear();
    EXPECT_EQ(panel.Shown().At(35, 5), Black);
    panel.HandlerReturned();
    EXPECT_EQ(panel.Shown().At(35, 5), operation == 2 ? Black : kRed) << "the unpresented copy comes along";
    EXPECT_EQ(panel.Shown().At(5, 5), operation == 2 ? Black : kRed);
  }
}

TEST(PanelTest, ARepaintShowsTheWholeImage) {
  Panel panel(20, 20);
  panel.Copy(0, 0, 20, 20, Solid(20, kRed), 0, 0);
  panel.Repaint();
  EXPECT_EQ(panel.Shown().At(19, 19), kRed);
  EXPECT_EQ(panel.TakeScreenDamage(), (Rect{0, 0, 20, 20}));
  EXPECT_TRUE(panel.TakeScreenDamage().Empty());
}

TEST(PanelTest, PixelsOutsideTheDrawingAreaAreDropped) {
  Panel panel(150, 300);
  const Image atlas = Solid(30, kRed);
  panel.Copy(-30, 0, 30, 30, atlas, 0, 0);
  panel.Copy(150, 0, 30, 30, atlas, 0, 0);
  panel.Copy(-27, -27, 30, 30, atlas, 0, 0);
  panel.FillBox(140, 290, 400, 400, kRed);
  panel.Line(0, 598, 598, 0, kRed);
  panel.Present();
  EXPECT_EQ(panel.Shown().At(0, 0), kRed) << "the part inside of a copy at (-27, -27)";
  EXPECT_EQ(panel.Shown().At(3, 3), Black);
  EXPECT_EQ(panel.Shown().At(149, 299), kRed);
  EXPECT_EQ(panel.Shown().At(0, 150), Black);
}

TEST(PanelTest, LinesSetBothEndsAndEveryPixelOfADiagonal) {
  Panel panel(10, 10);
  panel.Line(0, 6, 6, 0, kRed);
  panel.Line(2, 9, 9, 9, kRed);
  panel.Present();
  for (int x = 0; x <= 6; ++x) EXPECT_EQ(panel.Picture().At(x, 6 - x), kRed) << x;
  EXPECT_EQ(panel.Picture().At(1, 1), Black);
  EXPECT_EQ(panel.Picture().At(2, 9), kRed);
  EXPECT_EQ(panel.Picture().At(9, 9), kRed);
  EXPECT_EQ(panel.Picture().At(1, 9), Black);
}

TEST(PanelTest, ScreenDamageCoversWhatChanged) {
  Panel panel(100, 100);
  panel.Copy(10, 20, 30, 30, Solid(30, kRed), 0, 0);
  panel.Present();
  panel.FillBox(60, 5, 60, 5, kRed);
  panel.HandlerReturned();
  EXPECT_EQ(panel.TakeScreenDamage(), (Rect{10, 5, 51, 45}));
}

}  // namespace
}  // namespace zelvane
