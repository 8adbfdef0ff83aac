#include "app/core/Placement.h"

#include <gtest/gtest.h>

using orbala::defaultWindowRect;
using orbala::ScreenInfo;
using orbala::startupPlacement;
using orbala::WindowRect;

namespace {
const ScreenInfo fullHd{1920, 1080, 1, 0};
} // namespace

TEST(Placement, DefaultsFitALargeScreenUnchanged) {
  const auto p = startupPlacement(fullHd, defaultWindowRect, false);
  EXPECT_EQ(p.first, (WindowRect{50, 50, 1000, 800}));
  EXPECT_FALSE(p.placeAgain);
  EXPECT_EQ(p.settled, p.first);
}

TEST(Placement, SmallScreenReducesTheDefaultSizeInASecondPlacement) {
  const auto p = startupPlacement(ScreenInfo{800, 600, 1, 0}, defaultWindowRect, false);
  EXPECT_EQ(p.first, (WindowRect{50, 50, 1000, 800}));
  EXPECT_TRUE(p.placeAgain);
  EXPECT_EQ(p.settled, (WindowRect{50, 50, 700, 500}));
}

TEST(Placement, LeftEdgeFollowsTheVirtualScreen) {
  EXPECT_EQ(startupPlacement(ScreenInfo{1920, 1080, 1, 200}, defaultWindowRect, false).first.x,
            250);
  // A monitor left of the primary one: 50 is already right of V + 50.
  EXPECT_EQ(startupPlacement(ScreenInfo{1920, 1080, 2, -1920}, defaultWindowRect, false).first.x,
            50);
  EXPECT_EQ(startupPlacement(fullHd, WindowRect{10, 300, 900, 700}, false).first.x, 50);
}

TEST(Placement, MinimizedWindowReopensAtTheTopLeft) {
  const auto p =
      startupPlacement(ScreenInfo{1920, 1080, 1, 30}, WindowRect{600, 400, 900, 700}, true);
  EXPECT_EQ(p.first, (WindowRect{80, 50, 900, 700}));
  EXPECT_FALSE(p.placeAgain);
}

TEST(Placement, NegativeTopBecomesFifty) {
  const auto p = startupPlacement(fullHd, WindowRect{100, -20, 900, 700}, false);
  EXPECT_EQ(p.first.y, 50);
  EXPECT_FALSE(p.placeAgain);
}

TEST(Placement, OversizeWindowIsShrunkAfterTheFirstPlacement) {
  const ScreenInfo twoMonitors{1280, 1024, 2, 0};
  auto p = startupPlacement(twoMonitors, WindowRect{60, 60, 2561, 700}, false);
  EXPECT_EQ(p.first.width, 2561);
  EXPECT_TRUE(p.placeAgain);
  EXPECT_EQ(p.settled.width, 1180);
  // Spanning both monitors is allowed.
  EXPECT_FALSE(startupPlacement(twoMonitors, WindowRect{60, 60, 2560, 700}, false).placeAgain);

  p = startupPlacement(fullHd, WindowRect{60, 60, 900, 1081}, false);
  EXPECT_EQ(p.first.height, 1081);
  EXPECT_TRUE(p.placeAgain);
  EXPECT_EQ(p.settled, (WindowRect{60, 60, 900, 980}));
}

TEST(Placement, WindowOffEveryScreenComesBack) {
  auto p = startupPlacement(fullHd, WindowRect{1921 + 50, 1081, 800, 600}, false);
  EXPECT_TRUE(p.placeAgain);
  EXPECT_EQ(p.settled, (WindowRect{50, 50, 800, 600}));
  // Exactly at the limits is still on screen.
  p = startupPlacement(fullHd, WindowRect{1920 + 50, 1080, 800, 600}, false);
  EXPECT_FALSE(p.placeAgain);
}

TEST(Placement, UnknownScreenSizeSkipsTheScreenCheck) {
  const auto p =
      startupPlacement(ScreenInfo{1, 0, 0, 0}, WindowRect{5000, 5000, 9000, 9000}, false);
  EXPECT_FALSE(p.placeAgain);
  EXPECT_EQ(p.settled, (WindowRect{5000, 5000, 9000, 9000}));
}

TEST(Placement, DamagedSizesStillGiveAUsableWindow) {
  auto p = startupPlacement(fullHd, WindowRect{50, 50, 0, -300}, false);
  EXPECT_EQ(p.first, (WindowRect{50, 50, 1000, 800}));
  // A screen narrower than 100 pixels keeps a window as wide as the screen.
  p = startupPlacement(ScreenInfo{80, 60, 1, 0}, defaultWindowRect, false);
  EXPECT_EQ(p.settled.width, 80);
  EXPECT_EQ(p.settled.height, 60);
}
