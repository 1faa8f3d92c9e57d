// The taskbar's pictures of a form: which form, what part, what size, and
// how the clear pixels of a capture become opaque.
#include "ui/preview_geometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace velm::ui {
namespace {

TEST(PreviewGeometry, TheKeptPictureStandsForTheFormsOnlyWhileMinimized) {
  using enum PreviewSource;
  struct Case {
    bool minimized, kept, restore_shown;
    PreviewSource source;
  } cases[] = {
      {false, false, false, kMainForm},  {false, false, true, kRestoreForm},
      {false, true, true, kRestoreForm}, {true, true, false, kKeptPicture},
      {true, true, true, kKeptPicture},  {true, false, false, kMainForm},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PreviewSourceFor(c.minimized, c.kept, c.restore_shown), c.source)
        << c.minimized << c.kept << c.restore_shown;
}

// Windows 10 counts 7 invisible pixels left, right and below in the window
// rectangle; Wine gives no frame; a frame off the window is not believed.
TEST(PreviewGeometry, OnlyTheVisibleFrameIsPictured) {
  const PixelRect window{93, 50, 627, 461};
  EXPECT_EQ(VisibleFrame(window, PixelRect{100, 50, 620, 454}), (PixelRect{100, 50, 620, 454}));
  EXPECT_EQ(VisibleFrame(window, std::nullopt), window);
  EXPECT_EQ(VisibleFrame(window, PixelRect{90, 40, 700, 454}), (PixelRect{93, 50, 627, 454}))
      << "never beyond the window";
  EXPECT_EQ(VisibleFrame(window, PixelRect{700, 50, 900, 454}), window);
  EXPECT_EQ(VisibleFrame(window, PixelRect{100, 50, 100, 454}), window) << "empty";
}

TEST(PreviewGeometry, AThumbnailFitsTheSizeAskedWithItsProportions) {
  struct Case {
    PixelSize size;
    int max_width, max_height;
    PixelSize fit;
  } cases[] = {
      {{520, 411}, 200, 120, {151, 120}},                                 // the height binds
      {{520, 411}, 200, 200, {200, 158}},                                 // the width binds
      {{520, 411}, 1000, 1000, {520, 411}},                               // never scaled up
      {{520, 411}, 520, 300, {379, 300}},   {{300, 3}, 30, 30, {30, 1}},  // never below one pixel
      {{612, 612}, 306, 306, {306, 306}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FittedSize(c.size, c.max_width, c.max_height), c.fit)
        << c.size.width << "x" << c.size.height << " in " << c.max_width << "x" << c.max_height;
}

// The window manager's own picture with a rounded corner at the top left
// (clear, then half clear, premultiplied) and the bottom right, and a clear
// black pixel inside the frame. A GDI print has no alpha, only what a themed
// child printed over it may have set.
TEST(PreviewGeometry, ClearCornersLieOnTheFaceColour) {
  constexpr std::uint32_t kFace = 0xF0F0F0, A = 0xFF111111, B = 0xFF222222;
  std::vector<std::uint32_t> composed = {
      0x00000000, 0x80404040, A, A,  //
      A,          B,          0, A,  //
      A,          B,          B, A,  //
      A,          A,          A, 0,  //
  };
  EXPECT_TRUE(HasAlpha(composed));
  MakeOpaque(composed, 4, CaptureAlpha::kPremultiplied, kFace);
  EXPECT_EQ(composed, (std::vector<std::uint32_t>{
                          0xFFF0F0F0, 0xFFB8B8B8, A, A,  //
                          A, B, 0xFF000000, A,           //
                          A, B, B, A,                    //
                          A, A, A, 0xFFF0F0F0,           //
                      }));

  std::vector<std::uint32_t> printed = {0x00000000, 0x00E3E3E3, 0xFF6A6A6A};
  EXPECT_FALSE(HasAlpha(std::span(printed).first(2)));
  MakeOpaque(printed, 3, CaptureAlpha::kNone, kFace);
  EXPECT_EQ(printed, (std::vector<std::uint32_t>{0xFF000000, 0xFFE3E3E3, 0xFF6A6A6A}))
      << "black text stays black, a button's face its own";
}

}  // namespace
}  // namespace velm::ui
