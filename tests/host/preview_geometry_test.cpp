// The taskbar's pictures of a form: which form, what part, what size, and
// how a capture's clear pixels become opaque.
#include "ui/preview_geometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace velm::ui {
namespace {

TEST(PreviewGeometry, TheKeptPictureStandsForTheFormsOnlyWhileMinimized) {
  using enum PreviewSource;
  EXPECT_EQ(PreviewSourceFor(false, false, false), kMainForm);
  EXPECT_EQ(PreviewSourceFor(false, true, true), kRestoreForm);
  EXPECT_EQ(PreviewSourceFor(true, true, false), kKeptPicture);
  EXPECT_EQ(PreviewSourceFor(true, false, false), kMainForm) << "none kept";
}

// Windows 10 counts 7 invisible pixels left, right and below in the window
// rectangle; Wine gives no frame; a frame beyond the window is cut.
TEST(PreviewGeometry, OnlyTheVisibleFrameIsPictured) {
  const PixelRect window{93, 50, 627, 461};
  EXPECT_EQ(VisibleFrame(window, PixelRect{100, 50, 620, 454}), (PixelRect{100, 50, 620, 454}));
  EXPECT_EQ(VisibleFrame(window, std::nullopt), window);
  EXPECT_EQ(VisibleFrame(window, PixelRect{90, 40, 700, 454}), (PixelRect{93, 50, 627, 454}));
}

TEST(PreviewGeometry, AThumbnailFitsTheSizeAskedWithItsProportions) {
  EXPECT_EQ(FittedSize({520, 411}, 200, 120), (PixelSize{151, 120})) << "the height binds";
  EXPECT_EQ(FittedSize({520, 411}, 200, 200), (PixelSize{200, 158})) << "the width binds";
  EXPECT_EQ(FittedSize({520, 411}, 1000, 1000), (PixelSize{520, 411})) << "never scaled up";
  EXPECT_EQ(FittedSize({300, 3}, 30, 30), (PixelSize{30, 1}));
}

// The window manager's own picture with a rounded corner at the top left
// (clear, then half clear, premultiplied) and the bottom right, and a clear
// black pixel inside the frame. A GDI print has no alpha but what a themed
// child printed over it may have set.
TEST(PreviewGeometry, ClearCornersLieOnTheFaceColour) {
  constexpr std::uint32_t kFace = 0xF0F0F0, A = 0xFF111111, B = 0xFF222222;
  std::vector<std::uint32_t> composed = {0, 0x80404040, A, A, A, B, 0, A, 0, A, A, 0};
  EXPECT_TRUE(HasAlpha(composed));
  MakeOpaque(composed, 4, CaptureAlpha::kPremultiplied, kFace);
  EXPECT_EQ(composed, (std::vector<std::uint32_t>{0xFFF0F0F0, 0xFFB8B8B8, A, A, A, B, 0xFF000000, A,
                                                  0xFFF0F0F0, A, A, 0xFFF0F0F0}));

  std::vector<std::uint32_t> printed = {0, 0x00E3E3E3, 0xFF6A6A6A};
  EXPECT_FALSE(HasAlpha(std::span(printed).first(2)));
  MakeOpaque(printed, 3, CaptureAlpha::kNone, kFace);
  EXPECT_EQ(printed, (std::vector<std::uint32_t>{0xFF000000, 0xFFE3E3E3, 0xFF6A6A6A}));
}

}  // namespace
}  // namespace velm::ui
