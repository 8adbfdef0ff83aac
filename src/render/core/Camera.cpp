#include "render/core/Camera.h"

#include <cmath>
#include <utility>

namespace orbala::render {

Mat4 identity() {
  return Mat4{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

Mat4 multiply(const Mat4& a, const Mat4& b) {
  Mat4 out{};
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k)
        sum += a[k * 4 + r] * b[c * 4 + k];
      out[c * 4 + r] = sum;
    }
  return out;
}

bool invert(const Mat4& m, Mat4& out) {
  // Gauss-Jordan elimination with partial pivoting on [m | I].
  double a[4][8];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      a[r][c] = m[c * 4 + r];
      a[r][c + 4] = r == c ? 1.0 : 0.0;
    }
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int r = col + 1; r < 4; ++r)
      if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
    if (!(std::fabs(a[pivot][col]) > 1e-300)) return false;
    if (pivot != col)
      for (int c = 0; c < 8; ++c)
        std::swap(a[pivot][c], a[col][c]);
    const double scale = 1.0 / a[col][col];
    for (int c = 0; c < 8; ++c)
      a[col][c] *= scale;
    for (int r = 0; r < 4; ++r) {
      if (r == col || a[r][col] == 0.0) continue;
      const double f = a[r][col];
      for (int c = 0; c < 8; ++c)
        a[r][c] -= f * a[col][c];
    }
  }
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      out[c * 4 + r] = a[r][c + 4];
  return true;
}

Vec3 transform(const Mat4& m, Vec3 p, double& w) {
  w = m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15];
  return Vec3{m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
              m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
              m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}

bool viewRay(const Mat4& projection, const Mat4& modelview, double ndcX, double ndcY, Ray& ray) {
  Mat4 inverse;
  if (!invert(multiply(projection, modelview), inverse)) return false;
  double w0 = 0.0, w1 = 0.0;
  const Vec3 near = transform(inverse, Vec3{ndcX, ndcY, -1.0}, w0);
  const Vec3 far = transform(inverse, Vec3{ndcX, ndcY, 1.0}, w1);
  if (w0 == 0.0 || w1 == 0.0) return false;
  ray.origin = Vec3{near.x / w0, near.y / w0, near.z / w0};
  ray.direction =
      Vec3{far.x / w1 - ray.origin.x, far.y / w1 - ray.origin.y, far.z / w1 - ray.origin.z};
  return true;
}

double firstHit(const Ray& ray, Vec3 centre, double radius) {
  const Vec3& d = ray.direction;
  const Vec3 o{ray.origin.x - centre.x, ray.origin.y - centre.y, ray.origin.z - centre.z};
  const double a = d.x * d.x + d.y * d.y + d.z * d.z;
  const double halfB = d.x * o.x + d.y * o.y + d.z * o.z;
  const double c = o.x * o.x + o.y * o.y + o.z * o.z - radius * radius;
  const double disc = halfB * halfB - a * c;
  if (!(a > 0.0) || !(radius > 0.0) || disc < 0.0) return -1.0;
  const double t = (-halfB - std::sqrt(disc)) / a;
  return t >= 0.0 && t <= 1.0 ? t : -1.0;
}

bool insideView(const Mat4& combined, Vec3 point) {
  double w = 0.0;
  const Vec3 clip = transform(combined, point, w);
  return w > 0.0 && std::fabs(clip.x) <= w && std::fabs(clip.y) <= w && std::fabs(clip.z) <= w;
}

} // namespace orbala::render
