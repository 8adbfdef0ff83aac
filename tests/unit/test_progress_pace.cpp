#include "app/core/ProgressPace.h"

#include <gtest/gtest.h>

using orbala::ProgressPace;

TEST(ProgressPace, QuietAtFirstThenAtMostTenTimesASecond) {
  ProgressPace pace(10.0);
  EXPECT_FALSE(pace.due(10.0));
  EXPECT_FALSE(pace.due(10.25));
  EXPECT_FALSE(pace.started());
  EXPECT_TRUE(pace.due(10.5));
  EXPECT_TRUE(pace.started());
  EXPECT_FALSE(pace.due(10.5625));
  EXPECT_TRUE(pace.due(10.625));
  EXPECT_FALSE(pace.due(10.6875));
}
