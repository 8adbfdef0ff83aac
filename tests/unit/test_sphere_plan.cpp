// The sphere renderer's plan of a frame (what is drawn, in which order, as what), the line of
// sight that picking follows, and the tessellation of meshed spheres.
#include "render/core/Spheres.h"
#include "render/core/Camera.h"
#include "render/core/SphereDetail.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <tuple>

using namespace orbala::render;

namespace {

// Looks down −z at a 200 × 100 picture of x in ±10 and y in ±5 (ten pixels a unit); z = 10 is
// the near plane and z = −10 the far one (glOrtho(−10, 10, −5, 5, −10, 10)).
Camera orthoCamera() {
  Camera c;
  c.projection = {0.1, 0, 0, 0, 0, 0.2, 0, 0, 0, 0, -0.1, 0, 0, 0, 0, 1};
  c.viewport[2] = 200;
  c.viewport[3] = 100;
  return c;
}

struct Ball {
  float x, y, z, r, alpha;
};

SphereArrays spheresOf(const std::vector<Ball>& balls) {
  SphereArrays s;
  const float grey[3] = {0.5f, 0.5f, 0.5f};
  for (const Ball& b : balls) {
    const float c[3] = {b.x, b.y, b.z};
    s.add(c, b.r, grey, b.alpha);
  }
  return s;
}

FramePlan plan(const std::vector<Ball>& balls, float maxPointSize = 64.0f) {
  FramePlan p;
  planFrame(spheresOf(balls), orthoCamera(), maxPointSize, p);
  return p;
}

using Order = std::vector<std::uint32_t>;

std::tuple<double, double, double> xyz(const Vec3& v) {
  return {v.x, v.y, v.z};
}

} // namespace

TEST(SpherePlan, OpaqueNearestFirstTranslucentFarthestFirstTiesInRowOrder) {
  const FramePlan p = plan({{-8, 0, 0, 0.3f, 1},
                            {-6, 0, 5, 0.3f, 1},
                            {-4, 0, -3, 0.3f, 1},
                            {-2, 0, 5, 0.3f, 1},
                            {2, 0, 2, 0.3f, 0.5f},
                            {4, 0, -4, 0.3f, 0},
                            {6, 0, 2, 0.3f, 0.5f}});
  EXPECT_EQ(p.points, (Order{1, 3, 0, 2}));
  EXPECT_EQ(p.translucent, (Order{5, 4, 6}));
  EXPECT_TRUE(p.quads.empty());
}

TEST(SpherePlan, LeavesOutWhatCannotBeSeen) {
  const FramePlan p = plan({
      {50, 0, 0, 1, 1},       // 0: beside the picture
      {0, 3, 0, 0, 1},        // 1: no radius
      {0, -3, -30, 1, 1},     // 2: beyond the far plane
      {0, 0, 2, 1, 1},        // 3: in front
      {0.2f, 0, 0, 0.5f, 1},  // 4: behind 3, wholly covered
      {0, 0.3f, -1, 0.5f, 0}, // 5: translucent, behind 3
      {9.9f, 0, 0, 0.5f, 1},  // 6: across the right border
      {-5, 0, 0, 4, 1},       // 7: too wide for a point
      {0.9f, 0, 1, 0.5f, 1},  // 8: behind 3 but showing at its edge
      {5, 0, 9.9f, 0.5f, 1},  // 9: its front cut away by the near plane
      {5, 0, 8, 0.3f, 1},     // 10: behind 9, seen through the cut
      {-5, 0, -1, 4.5f, 1},   // 11: behind 7, a ring around it
      {0, 3, 12, 1, 1},       // 12: wholly in front of the near plane
  });
  EXPECT_EQ(p.points, (Order{9, 10, 3, 8}));
  EXPECT_EQ(p.quads, (Order{6}));
  // Wider than a block, so in pieces, a run of squares per row where it may show: 7 whole, one
  // run a row from its bottom to its top; 11 above and below 7, and only beside it in 7's middle.
  float up = -1;
  float widest = 0;
  int beside = 0;
  for (const QuadPiece& piece : p.pieces) {
    EXPECT_TRUE(-1 <= piece.left && piece.left < piece.right && piece.right <= 1);
    EXPECT_TRUE(-1 <= piece.bottom && piece.bottom < piece.top && piece.top <= 1);
    if (piece.index == 7) {
      EXPECT_EQ(piece.bottom, up);
      up = piece.top;
      widest = std::max(widest, piece.right - piece.left);
    } else {
      EXPECT_EQ(piece.index, 11u);
      EXPECT_FALSE(piece.left < 0 && piece.right > 0 && piece.bottom < 0 && piece.top > 0);
      beside += piece.right < 0 || piece.left > 0;
    }
  }
  EXPECT_GT(up, 0.9f); // its top row of pixels holds no pixel centre of it
  EXPECT_GT(widest, 1.9f);
  EXPECT_GT(beside, 0);
  EXPECT_TRUE(p.translucent.empty());
}

// A pixel centre within the GL's rounding of an outline may be drawn or not: whatever lies there
// is kept.
TEST(SpherePlan, KeepsWhatShowsOnlyAtAnOutlineWithinRounding) {
  // 0 reaches a pixel centre 3 pixels right of its own, just inside its outline; 1, behind it,
  // owns only that pixel. 2 alone: its outline stops just short of its nearest pixel centre.
  const FramePlan p = plan(
      {{0.05f, 0.05f, 0, 0.30003f, 1}, {0.35f, 0.05f, -0.5f, 0.03f, 1}, {5, 2, 0, 0.0707f, 1}});
  EXPECT_EQ(p.points, (Order{0, 2, 1}));
}

// Small spheres, and spheres wider than a block of the depth buffer.
TEST(SpherePlan, LeavesOutOnlySpheresThatOwnNoPixel) {
  for (const auto& [count, smallest, largest] : {std::tuple{600, 0.1f, 0.8f}, {120, 1.5f, 9.0f}}) {
    std::mt19937 random(7);
    // Crowded in depth, so spheres cut each other and a hidden edge is easily mistaken.
    std::uniform_real_distribution<float> x(-9, 9), y(-4, 4), z(-1, 1), r(smallest, largest);
    std::vector<Ball> balls;
    for (int i = 0; i < count; ++i)
      balls.push_back({x(random), y(random), z(random), r(random), 1});
    const FramePlan p = plan(balls);
    std::set<std::uint32_t> drawn(p.points.begin(), p.points.end());
    drawn.insert(p.quads.begin(), p.quads.end());
    for (const QuadPiece& piece : p.pieces)
      drawn.insert(piece.index);
    // A large sphere in pieces shows only where a piece lies.
    const auto shown = [&](std::uint32_t i, int px, int py) {
      if (!std::count(p.quads.begin(), p.quads.end(), i) &&
          !std::count(p.points.begin(), p.points.end(), i)) {
        const Ball& b = balls[i];
        const double half = b.r * 10 + 0.5, u = (px + 0.5 - (b.x + 10) * 10) / half,
                     v = (py + 0.5 - (b.y + 5) * 10) / half;
        return std::any_of(p.pieces.begin(), p.pieces.end(), [&](const QuadPiece& q) {
          return q.index == i && q.left <= u && u <= q.right && q.bottom <= v && v <= q.top;
        });
      }
      return true;
    };
    EXPECT_EQ(p.pieces.empty(), largest < 3.2f);
    // Every sphere nearest at some pixel centre of the picture must be drawn there.
    std::set<std::uint32_t> owners;
    for (int py = 0; py < 100; ++py)
      for (int px = 0; px < 200; ++px) {
        const double wx = (px + 0.5) / 10 - 10, wy = (py + 0.5) / 10 - 5;
        double best = -1e9;
        int owner = -1;
        for (size_t i = 0; i < balls.size(); ++i) {
          const Ball& b = balls[i];
          const double rest = b.r * b.r - (wx - b.x) * (wx - b.x) - (wy - b.y) * (wy - b.y);
          if (rest > 0 && b.z + std::sqrt(rest) > best) {
            best = b.z + std::sqrt(rest);
            owner = static_cast<int>(i);
          }
        }
        if (owner < 0) continue;
        owners.insert(owner);
        EXPECT_TRUE(shown(owner, px, py)) << "sphere " << owner << " at " << px << ", " << py;
      }
    EXPECT_LT(drawn.size(), owners.size() + balls.size() / 10)
        << owners.size(); // and the hidden ones mostly go
  }
}

// A software GL shades every pixel of what it is given: a crowd of large spheres, each small
// enough for a point, must come to little more than the picture's own pixels.
TEST(SpherePlan, ACrowdOfLargeSpheresIsShadedLittleMoreThanOnce) {
  std::mt19937 random(3);
  std::uniform_real_distribution<float> x(-9, 9), y(-4, 4), z(-1, 1), r(3.3f, 6);
  std::vector<Ball> balls;
  for (int i = 0; i < 400; ++i)
    balls.push_back({x(random), y(random), z(random), r(random), 1});
  const FramePlan p = plan(balls, 255.0f);
  double shaded = 0; // ten pixels a unit, and quads reach half a pixel beyond the outline
  for (const auto* whole : {&p.points, &p.quads})
    for (std::uint32_t i : *whole)
      shaded += std::pow(20.0 * balls[i].r + 1, 2);
  for (const QuadPiece& q : p.pieces)
    shaded += (q.right - q.left) * (q.top - q.bottom) * std::pow(10.0 * balls[q.index].r + 0.5, 2);
  EXPECT_LT(shaded, 2 * 200 * 100);
}

TEST(SpherePlan, SpheresFarWiderThanThePictureAreDrawnAndWithPerspectiveAllAreQuads) {
  // Their fronts just inside the view, filling the picture: 100,000 and 10^10 pixels wide.
  for (float r : {1e4f, 1e9f}) {
    const FramePlan p = plan({{0, 0, -5 - r, r, 1}});
    EXPECT_TRUE(p.quads == Order{0} || (!p.pieces.empty() && p.pieces.front().index == 0)) << r;
  }

  // With perspective every sphere is a quad.
  Camera c;
  // glFrustum(−1, 1, −1, 1, 1, 100): the eye at the origin looking down −z.
  c.projection = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -101.0 / 99, -1, 0, 0, -200.0 / 99, 0};
  c.viewport[2] = c.viewport[3] = 100;
  FramePlan p;
  planFrame(spheresOf({{0, 0, -10, 1, 1}, {0, 0, 0, 2, 1}, {0, 0, -20, 1, 0.5f}, {0, 0, 50, 1, 1}}),
            c, 64.0f, p);
  EXPECT_EQ(p.quads, (Order{0})); // the one around the eye and the one behind it go
  EXPECT_EQ(p.translucent, (Order{2}));
  EXPECT_TRUE(p.points.empty());
}

// The ray's rules are the camera's tests; picking takes the first sphere along it.
TEST(CameraMaths, PickingTakesTheNearestSphereOnTheRay) {
  const Camera c = orthoCamera();
  Ray ray;
  ASSERT_TRUE(viewRay(c.projection, c.modelview, 0.0, 0.0, ray));
  EXPECT_EQ(nearestOnRay(spheresOf({{0, 0, -5, 1, 1}, {0, 0, 4, 0.5f, 1}, {3, 0, 8, 1, 1}}), ray),
            1);
}

// The line of sight through a pixel, which picking follows to the sphere under the pointer.
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

// The tessellation of a meshed sphere follows its size on screen.
TEST(SphereDetail, FewestSubdivisionsThatKeepTheOutlineWithinAQuarterPixel) {
  // 8 sides hold up to r = 0.25 / (1 − cos(π/8)) = 3.284; never finer than asked; an unknown
  // scale draws as asked.
  for (const auto& [radius, requested, want] :
       std::vector<std::tuple<double, int, int>>{{0.0, 40, 8},
                                                 {3.284, 40, 8},
                                                 {3.285, 40, 12},
                                                 {1e6, 40, 40},
                                                 {60.0, 10, 10},
                                                 {2.0, 6, 6},
                                                 {std::nan(""), 40, 40},
                                                 {-1.0, 40, 40}})
    EXPECT_EQ(orbala::sphereDetail(radius, requested), want) << radius << " " << requested;
  const double pi = 3.14159265358979323846;
  for (double r = 0.25; r < 200.0; r *= 1.1) {
    const int n = orbala::sphereDetail(r, 40);
    EXPECT_TRUE(n == 40 || r * (1.0 - std::cos(pi / n)) <= 0.25) << r;
    EXPECT_GE(orbala::sphereDetail(r * 1.1, 40), n) << r << ": a larger sphere is never coarser";
  }
}
