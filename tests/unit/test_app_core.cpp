#include "app/core/Placement.h"
#include "app/core/PanelSplit.h"
#include "app/core/HoverShade.h"
#include "app/core/ProgressPace.h"

#include <gtest/gtest.h>

#include <climits>

using orbala::defaultWindowRect;
using orbala::ScreenInfo;
using orbala::startupPlacement;
using orbala::WindowRect;

namespace {

const ScreenInfo fullHd{1920, 1080, 1, 0};
const ScreenInfo twoMonitors{1280, 1024, 2, 0};
const WindowRect kStays{-1, -1, -1, -1}; // no second placement: settled where first placed

void expectPlacement(const char* what, ScreenInfo screen, WindowRect saved, bool minimized,
                     WindowRect first, WindowRect settled) {
  SCOPED_TRACE(what);
  const auto p = startupPlacement(screen, saved, minimized);
  EXPECT_EQ(p.first, first);
  EXPECT_EQ(p.placeAgain, settled != kStays);
  EXPECT_EQ(p.settled, settled != kStays ? settled : first);
}

} // namespace

TEST(Placement, FirstPlacementAndScreenChecksThatPlaceAgainOnlyWhenSomethingChanged) {
  expectPlacement("defaults", fullHd, defaultWindowRect, false, {50, 50, 1000, 800}, kStays);
  expectPlacement("V + 50", {1920, 1080, 1, 200}, defaultWindowRect, false, {250, 50, 1000, 800},
                  kStays);
  // A monitor left of the primary one: 50 is already right of V + 50.
  expectPlacement("V < 0", {1920, 1080, 2, -1920}, defaultWindowRect, false, {50, 50, 1000, 800},
                  kStays);
  expectPlacement("left of V + 50", fullHd, {10, 300, 900, 700}, false, {50, 300, 900, 700},
                  kStays);
  expectPlacement("minimized", {1920, 1080, 1, 30}, {600, 400, 900, 700}, true, {80, 50, 900, 700},
                  kStays);
  expectPlacement("negative top", fullHd, {100, -20, 900, 700}, false, {100, 50, 900, 700}, kStays);
  // A damaged size cannot be shown: the default size stands in.
  expectPlacement("damaged size", fullHd, {50, 50, 0, -300}, false, {50, 50, 1000, 800}, kStays);
  // The view needs its room beside the panel.
  expectPlacement("narrow", fullHd, {50, 50, 100, 700}, false, {50, 50, 400, 700}, kStays);

  expectPlacement("small screen", {800, 600, 1, 0}, defaultWindowRect, false, {50, 50, 1000, 800},
                  {50, 50, 700, 500});
  expectPlacement("wider than both monitors", twoMonitors, {60, 60, 2561, 700}, false,
                  {60, 60, 2561, 700}, {60, 60, 1180, 700});
  expectPlacement("spanning both monitors", twoMonitors, {60, 60, 2560, 700}, false,
                  {60, 60, 2560, 700}, kStays);
  expectPlacement("taller than the screen", fullHd, {60, 60, 900, 1081}, false, {60, 60, 900, 1081},
                  {60, 60, 900, 980});
  expectPlacement("off every screen", fullHd, {1971, 1081, 800, 600}, false, {1971, 1081, 800, 600},
                  {50, 50, 800, 600});
  // The last values that fit: right of V + 50 by the screens' width, as wide and as tall.
  expectPlacement("at the limits", fullHd, {1970, 1080, 1920, 1080}, false,
                  {1970, 1080, 1920, 1080}, kStays);
  expectPlacement("unknown screen size", {1, 0, 0, 0}, {5000, 5000, 9000, 9000}, false,
                  {5000, 5000, 9000, 9000}, kStays);
  // 100 pixels less only on a screen wider than 100: up to 100 the window is the screen's size.
  expectPlacement("tiny screen", {100, 101, 1, 0}, defaultWindowRect, false, {50, 50, 1000, 800},
                  {50, 50, 100, 1});
}

TEST(Placement, PanelKeepsItsWidthWhileTheViewHasRoom) {
  using orbala::fittedPanelWidth;
  // A splitter 932 wide with a 4-pixel bar: the view keeps 300, so the panel has at most 628.
  EXPECT_EQ(fittedPanelWidth(400, 370, 932, 4), 400);
  EXPECT_EQ(fittedPanelWidth(200, 370, 932, 4), 370);
  EXPECT_EQ(fittedPanelWidth(900, 370, 932, 4), 628);
  EXPECT_EQ(fittedPanelWidth(400, 370, 500, 4), 196); // the view wins over the least width
  EXPECT_EQ(fittedPanelWidth(400, 370, 200, 4), 0);
  for (const int stored : {0, -5, 99, 10001, INT_MIN})
    EXPECT_EQ(orbala::panelWidthFromSettings(stored), orbala::kDefaultPanelWidth) << stored;
  for (const int stored : {100, 468, 10000})
    EXPECT_EQ(orbala::panelWidthFromSettings(stored), stored);
}

TEST(HoverShade, LightensUpToTwoHundredSixteenAndDarkensAbove) {
  // 216 is the last channel value that lightens, 217 the first that darkens the whole colour.
  const std::pair<orbala::Rgb, orbala::Rgb> cases[] = {
      {{216, 216, 216}, {248, 248, 248}}, {{217, 0, 0}, {184, 0, 0}},
      {{0, 0, 217}, {0, 0, 184}},         {{255, 255, 255}, {216, 216, 216}},
      {{212, 208, 200}, {243, 239, 230}}, {{216, 10, 0}, {248, 11, 0}},
      {{40, 60, 80}, {50, 73, 96}},       {{0, 0, 0}, {77, 77, 77}}};
  for (const auto& [in, out] : cases)
    EXPECT_EQ(orbala::hoverShade(in), out) << in.r << "," << in.g << "," << in.b;
}

TEST(ProgressPace, QuietAtFirstThenAtMostTenTimesASecond) {
  orbala::ProgressPace pace(10.0);
  EXPECT_FALSE(pace.due(10.0));
  EXPECT_FALSE(pace.due(10.25));
  EXPECT_FALSE(pace.started());
  EXPECT_TRUE(pace.due(10.5));
  EXPECT_TRUE(pace.started());
  EXPECT_FALSE(pace.due(10.5625));
  EXPECT_TRUE(pace.due(10.625));
  EXPECT_FALSE(pace.due(10.6875));
}
