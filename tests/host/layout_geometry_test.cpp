// Where controls and windows go at a dpi, and whether a window is in reach.
#include "ui/layout_geometry.h"

#include <gtest/gtest.h>

#include <vector>

#include "forms/main_window.h"

namespace velm::ui {
namespace {

// Each dpi from the design: 120 taken from 144's pixels would give Button9
// (304, 20, 73 x 25) a height of 32, and 96 taken from that 26.
TEST(LayoutGeometry, EveryDpiIsLaidOutFromTheDesign) {
  const ControlLayout& clear = velm::Form1Layout().controls.back();
  EXPECT_EQ(ControlRectAt(clear, 144), (PixelRect{456, 30, 566, 68}));  // 109.5 and 37.5 round up
  EXPECT_EQ(ControlRectAt(clear, 120), (PixelRect{380, 25, 471, 56}));  // 91.25, 31.25
  EXPECT_EQ(ControlRectAt(clear, 96), (PixelRect{304, 20, 377, 45}));
}

// Without the system's frame at a dpi, the frame it draws is added unscaled.
TEST(LayoutGeometry, TheFallbackFrameIsAddedAsTheSystemDrawsIt) {
  EXPECT_EQ(OuterLengthAt(99, 96, 25), 124);
  EXPECT_EQ(OuterLengthAt(99, 144, 25), 174);  // 148.5 rounds up
  EXPECT_EQ(OuterLengthAt(89, 120, 37), 148);
}

// A 1280 x 1024 screen with a 40-pixel taskbar at the bottom, and one left of
// it with its taskbar on the left; the main window 520 x 411 in Wine's frame
// (3-pixel borders, caption 19).
TEST(LayoutGeometry, AWindowInReachHasATitleBarToTakeHoldOf) {
  const std::vector<PixelRect> work_areas = {{0, 0, 1280, 984}, {-984, 0, 0, 768}};
  auto in_reach = [&](int left, int top) {
    return GripInReach(TitleBarGrip({left, top, left + 520, top + 411}, 3, top + 22), work_areas);
  };
  EXPECT_TRUE(in_reach(0, 0));
  EXPECT_TRUE(in_reach(-20, -15)) << "half the caption hidden";
  EXPECT_TRUE(in_reach(-400, 100)) << "across two screens";
  EXPECT_FALSE(in_reach(0, -18)) << "4 pixels of caption";
  EXPECT_FALSE(in_reach(1279, 1023)) << "one pixel on screen";
  EXPECT_FALSE(in_reach(1200, 100)) << "58 pixels of caption beside the buttons";
  EXPECT_FALSE(in_reach(100, 981)) << "on the taskbar";
}

// The report's owner goes to the middle of the active form's work area: on
// the primary, on a monitor left of and above it, and the primary's when no
// form is active.
TEST(LayoutGeometry, TheReportOwnerGoesToTheMiddleOfTheActiveFormsWorkArea) {
  const PixelRect primary{0, 0, 1280, 984};
  EXPECT_EQ(ReportOwnerPlace(primary, primary, 0, 0), (PixelPoint{640, 492}));
  EXPECT_EQ(ReportOwnerPlace(PixelRect{-1920, -1080, 0, -40}, primary, 0, 0),
            (PixelPoint{-960, -560}));
  EXPECT_EQ(ReportOwnerPlace(PixelRect{-1920, -1080, 0, -40}, primary, 10, 20),
            (PixelPoint{-965, -570}));
  EXPECT_EQ(ReportOwnerPlace(std::nullopt, primary, 0, 0), (PixelPoint{640, 492}));
}

}  // namespace
}  // namespace velm::ui
