#pragma once
// Camera maths of the sphere renderer: 4 × 4 matrices in OpenGL's column-major order and the
// line of sight through a point of the picture. Double precision throughout.
#include <array>

namespace orbala::render {

// Element (row r, column c) at index c × 4 + r, as OpenGL stores its matrices.
using Mat4 = std::array<double, 16>;

struct Vec3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

Mat4 identity();
// a × b: b applies first.
Mat4 multiply(const Mat4& a, const Mat4& b);
// False (and `out` untouched) when m has no inverse.
bool invert(const Mat4& m, Mat4& out);
// m × (p, 1) without the division by w, which is returned separately.
Vec3 transform(const Mat4& m, Vec3 p, double& w);

// What the renderer needs of a view: how the world is turned into eye space (modelview), how
// eye space is projected (projection), and where the picture lies in the window in pixels
// (x, y, width, height, as glViewport takes them).
struct Camera {
  Mat4 projection = identity();
  Mat4 modelview = identity();
  int viewport[4] = {0, 0, 1, 1};
};

// The line of sight through a point given in normalised device coordinates (−1 to 1 across the
// picture): origin on the near plane (t = 0), origin + direction on the far plane (t = 1), in
// world coordinates. False when the matrices cannot be inverted.
struct Ray {
  Vec3 origin;
  Vec3 direction;
};
bool viewRay(const Mat4& projection, const Mat4& modelview, double ndcX, double ndcY, Ray& ray);

// Ray parameter of the first point of the sphere's surface met along the ray, when it lies
// between the near and the far plane (0 ≤ t ≤ 1); −1 otherwise.
double firstHit(const Ray& ray, Vec3 centre, double radius);

// True when the point lies inside the view volume of the combined projection × modelview.
bool insideView(const Mat4& combined, Vec3 point);

} // namespace orbala::render
