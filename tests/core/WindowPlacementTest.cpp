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

TEST(AppSettingsTest, DefaultWindowFollowsTheScreen) {
  AppSettings settings(true);
  settings.ApplyDefaults(1024, 768);
  EXPECT_EQ(settings.width, 800);
  EXPECT_EQ(settings.height, 600);
  EXPECT_EQ(settings.left, 112);
  EXPECT_EQ(settings.top, 50);
  settings.ApplyDefaults(640, 480);
  EXPECT_EQ(settings.width, 576);
  EXPECT_EQ(settings.height, 432);
  EXPECT_EQ(settings.left, 32);
  EXPECT_EQ(settings.top, 14);
}

}  // namespace
}  // namespace rtv
