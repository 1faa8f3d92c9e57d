// Where controls and windows go at a dpi, and whether a window is in reach.
#include "ui/layout_geometry.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "forms/main_window.h"

namespace velm::ui {
namespace {

const ControlLayout& Control(int id) {
  for (const ControlLayout& control : velm::Form1Layout().controls)
    if (control.id == id) return control;
  throw std::out_of_range("no control");
}

// Going 96 -> 144 -> 120 -> 96 gives each dpi's own layout: taking 120 from
// the 144 pixels would give Button9 a height of 32, and 96 from that 26.
TEST(LayoutGeometry, EveryDpiIsLaidOutFromTheDesign) {
  const ControlLayout& clear = Control(kClearButton);                   // 304, 20, 73 x 25
  const ControlLayout& list = Control(kListView);                       // 16, 64, 481 x 305
  EXPECT_EQ(ControlRectAt(clear, 144), (PixelRect{456, 30, 566, 68}));  // 37.5 rounds up
  EXPECT_EQ(ControlRectAt(clear, 120), (PixelRect{380, 25, 471, 56}));  // 91.25, 31.25
  EXPECT_EQ(ControlRectAt(clear, 96), (PixelRect{304, 20, 377, 45}));
  EXPECT_EQ(ControlRectAt(list, 120), (PixelRect{20, 80, 621, 461}));
  EXPECT_EQ(ControlRectAt(list, 144), (PixelRect{24, 96, 746, 554}));  // 457.5 rounds up
}

// Without the system's frame at a dpi, the frame measured at the system's
// metrics is added unscaled; only the designed client area scales.
TEST(LayoutGeometry, TheFallbackFrameIsAddedAsTheSystemDrawsIt) {
  EXPECT_EQ(OuterLengthAt(99, 96, 25), 124);
  EXPECT_EQ(OuterLengthAt(99, 144, 25), 174);  // 148.5 rounds up
  EXPECT_EQ(OuterLengthAt(89, 120, 37), 148);  // 111.25 and a 30-pixel caption
  EXPECT_EQ(OuterLengthAt(514, 192, 6), 1034);
}

// One 1280 x 1024 screen with a 40-pixel taskbar at the bottom, and a second
// screen left of it whose taskbar is on its left edge.
TEST(LayoutGeometry, AWindowInReachMeetsAWorkAreaNotJustAScreen) {
  const std::vector<PixelRect> work_areas = {{0, 0, 1280, 984}, {-1024, 0, 0, 768}};
  EXPECT_TRUE(MeetsAnyWorkArea({0, 0, 520, 413}, work_areas));
  EXPECT_TRUE(MeetsAnyWorkArea({-500, 100, 20, 513}, work_areas));  // across both
  EXPECT_TRUE(MeetsAnyWorkArea({1279, 983, 1800, 1400}, work_areas));
  EXPECT_FALSE(MeetsAnyWorkArea({100, 984, 620, 1397}, work_areas)) << "on the taskbar only";
  EXPECT_FALSE(MeetsAnyWorkArea({1280, 0, 1800, 413}, work_areas)) << "touching is not meeting";
  EXPECT_FALSE(MeetsAnyWorkArea({-1024, 768, -500, 1000}, work_areas));
  EXPECT_FALSE(MeetsAnyWorkArea({3000, 100, 3520, 513}, work_areas));
  EXPECT_FALSE(MeetsAnyWorkArea({0, 0, 520, 413}, {}));
}

}  // namespace
}  // namespace velm::ui
