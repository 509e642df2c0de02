// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include "app/AppSettings.h"

namespace rtv {
namespace {

TEST(WindowPlacementTest, MovesWindowsOntoTheWorkArea) {
  const ScreenRect area{0, 0, 1024, 740};
  const auto one = [&](int, int) { return area; };
  struct Case {
    ScreenRect window;
    ScreenRect placed;
  };
  const Case cases[] = {
      {{100, 50, 900, 650}, {100, 50, 900, 650}},      // already inside
      {{500, 300, 1300, 900}, {224, 140, 1024, 740}},  // off the bottom right
      {{-50, -20, 750, 580}, {0, 0, 800, 600}},        // off the top left
      {{0, 0, 800, 600}, {0, 0, 800, 600}},            // at the edges: no shift
      {{100, 100, 1300, 1000}, {0, 0, 1200, 900}},     // larger: top left wins
  };
  for (const Case& c : cases) EXPECT_EQ(MoveOntoScreen(c.window, one), c.placed);
  // Two monitors side by side: a window on the second stays there.
  const auto two = [](int x, int) {
    return x >= 1024 ? ScreenRect{1024, 0, 2048, 768} : ScreenRect{0, 0, 1024, 768};
  };
  EXPECT_EQ(MoveOntoScreen({1200, 100, 1800, 500}, two), (ScreenRect{1200, 100, 1800, 500}));
}

// The rectangle is the frame's top-left corner with the window's inner size.
TEST(WindowPlacementTest, ARestoredWindowFitsTheScreenItLandsOn) {
  const auto two = [](int x, int) {
    return x >= 1280 ? ScreenRect{1280, 0, 2304, 740} : ScreenRect{0, 0, 1280, 1000};
  };
  struct Case {
    ScreenRect window;
    int frameWidth, frameHeight;
    ScreenRect placed;
  };
  const Case cases[] = {
      {{100, 50, 900, 650}, 4, 30, {100, 50, 900, 650}},       // fits: unchanged
      {{1300, 10, 2500, 1210}, 4, 30, {1280, 0, 2300, 710}},   // too big for the small one
      {{0, 400, 1100, 1100}, 0, 0, {0, 300, 1100, 1000}},      // too low: moved up
      {{-3000, -3000, -2200, -2400}, 0, 0, {0, 0, 800, 600}},  // far off: onto the first
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitOntoScreen(c.window, c.frameWidth, c.frameHeight, two), c.placed);
  }
}

// Left=2147483647 in the settings file must not wrap round to the far left.
TEST(WindowPlacementTest, RememberedPlacesOfAnySizeLandOnTheWorkArea) {
  const auto one = [](int, int) { return ScreenRect{0, 0, 1024, 740}; };
  constexpr int kMax = 2147483647;
  constexpr int kMin = -kMax - 1;
  struct Case {
    int left, top, width, height;
    ScreenRect placed;
  };
  const Case cases[] = {
      {100, 50, 800, 600, {100, 50, 900, 650}},   {kMax, kMax, 800, 600, {224, 140, 1024, 740}},
      {kMin, kMin, 800, 600, {0, 0, 800, 600}},   {kMax - 10, 0, kMax, 600, {0, 0, 1024, 600}},
      {100, 100, kMin, -5, {100, 100, 100, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.left) + " " + std::to_string(c.width));
    EXPECT_EQ(PlaceRememberedWindow(c.left, c.top, c.width, c.height, one), c.placed);
  }
}

TEST(AppSettingsTest, DefaultWindowFollowsTheScreen) {
  AppSettings settings(true);
  settings.ApplyDefaults(1024, 768);
  EXPECT_EQ(settings.width, 921);
  EXPECT_EQ(settings.height, 691);
  EXPECT_EQ(settings.left, 51);
  EXPECT_EQ(settings.top, 23);
  settings.ApplyDefaults(640, 480);
  EXPECT_EQ(settings.width, 576);
  EXPECT_EQ(settings.height, 432);
  EXPECT_EQ(settings.left, 32);
  EXPECT_EQ(settings.top, 14);
}

}  // namespace
}  // namespace rtv
