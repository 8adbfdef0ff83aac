// The line of sight through a pixel, which picking follows to the sphere under the pointer.
#include "render/core/Camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using namespace orbala::render;

namespace {

std::tuple<double, double, double> xyz(const Vec3& v) {
  return {v.x, v.y, v.z};
}

} // namespace

TEST(Camera, RayRunsFromTheNearToTheFarPlaneOfTheCombinedMatrices) {
  // The projection doubles, the modelview moves the world 5 back: the near plane z = −1 of the
  // picture is world z = 4.5 (and would be 2 in the wrong order of the product).
  Mat4 projection = identity(), modelview = identity();
  projection[0] = projection[5] = projection[10] = 2;
  modelview[14] = -5;
  Ray ray;
  ASSERT_TRUE(viewRay(projection, modelview, 0.5, -1, ray));
  EXPECT_EQ(xyz(ray.origin), std::make_tuple(0.25, -0.5, 4.5));
  EXPECT_EQ(xyz(ray.direction), std::make_tuple(0.0, 0.0, 1.0));
  EXPECT_FALSE(viewRay(Mat4{}, modelview, 0, 0, ray)) << "no inverse";

  const Mat4 combined = multiply(projection, modelview);
  EXPECT_TRUE(insideView(combined, Vec3{0.5, -0.5, 5.5}));
  EXPECT_FALSE(insideView(combined, Vec3{0.5, -0.5001, 5}));
  Mat4 inverse;
  ASSERT_TRUE(invert(combined, inverse));
  EXPECT_EQ(multiply(inverse, combined), identity());
}

TEST(Camera, FirstHitIsTheNearSideOfTheSphereBetweenThePlanes) {
  // From z = −1 (t = 0) to z = 1 (t = 1).
  const Ray ray{Vec3{0, 0, -1}, Vec3{0, 0, 2}};
  EXPECT_NEAR(firstHit(ray, Vec3{0.3, 0, 0}, 0.5), 0.3, 1e-12);
  // The far plane is the last point that counts; a sphere behind the near plane, or one the
  // ray misses by a hair, is not hit.
  EXPECT_DOUBLE_EQ(firstHit(ray, Vec3{0, 0, 2}, 1), 1.0);
  EXPECT_EQ(firstHit(ray, Vec3{0, 0, 2.001}, 1), -1.0);
  EXPECT_EQ(firstHit(ray, Vec3{0, 0, -2}, 0.5), -1.0);
  EXPECT_EQ(firstHit(ray, Vec3{0.5001, 0, 0}, 0.5), -1.0);
  EXPECT_EQ(firstHit(ray, Vec3{0, 0, 0}, 0), -1.0);
}
