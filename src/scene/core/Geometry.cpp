#include "scene/core/Geometry.h"

#include <algorithm>
#include <cmath>

namespace orbala {

namespace {
constexpr float singlePi = 3.1415927f;
} // namespace

Quatf quatFromAxisAngle(Vec3f axis, float phi) {
  const float length2 = axis.x * axis.x + axis.y * axis.y + axis.z * axis.z;
  if (!(length2 > 0.0f)) return Quatf{};
  const float half = 0.5f * phi;
  const float s = std::sin(half) / std::sqrt(length2);
  return Quatf{s * axis.x, s * axis.y, s * axis.z, std::cos(half)};
}

Quatf quatMultiply(const Quatf& a, const Quatf& b) {
  // Summed in the toolkit's order so results agree to the last bit where no FMA is used.
  return Quatf{a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
               a.w * b.y + a.y * b.w + a.z * b.x - a.x * b.z,
               a.w * b.z + a.z * b.w + a.x * b.y - a.y * b.x,
               a.w * b.w - (a.x * b.x + a.y * b.y) - a.z * b.z};
}

Quatf normalized(Quatf q) {
  const float t = q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w;
  if (!(t > 0.0f) || !std::isfinite(t)) return Quatf{};
  const float f = 1.0f / std::sqrt(t);
  return Quatf{q.x * f, q.y * f, q.z * f, q.w * f};
}

float rotationTickAngle(int sliderValue, int direction) {
  double phi = sliderValue * 0.015707963267948967 / 100;
  if (direction == 0) phi = -phi;
  return static_cast<float>(phi);
}

Vec3f rotationAxisVector(int axisIndex) {
  static constexpr Vec3f axes[rotationAxisCount] = {{1, 0, 0},  {0, 1, 0},  {0, 0, 1}, {1, 1, 1},
                                                    {-1, 1, 1}, {1, -1, 1}, {1, 1, -1}};
  if (axisIndex < 0 || axisIndex >= rotationAxisCount) axisIndex = 0;
  return axes[axisIndex];
}

Quatf rotationTick(const Quatf& current, int axisIndex, int sliderValue, int direction) {
  const Quatf step =
      quatFromAxisAngle(rotationAxisVector(axisIndex), rotationTickAngle(sliderValue, direction));
  return quatMultiply(current, step);
}

PresetView presetView(ViewPreset preset, double dataExtent, double zMax, bool showAxisLabels) {
  const double e = dataExtent;
  const double far = e + (showAxisLabels ? 3.0 : 0.0);
  auto f = [](double v) { return static_cast<float>(v); };
  PresetView v;
  // The plan views lie in z = 0; the side views stand on the x axis and reach up to zMax.
  const bool plan = preset == ViewPreset::Top || preset == ViewPreset::Bottom;
  v.boxMin = plan ? Vec3f{f(-e), f(-e), 0.0f} : Vec3f{f(-e), 0.0f, 0.0f};
  v.boxMax = plan ? Vec3f{f(far), f(far), 0.0f} : Vec3f{f(far), f(zMax), 0.0f};
  switch (preset) {
  case ViewPreset::Top:
    v.orientation = quatFromAxisAngle({0, 0, 1}, 0.0f);
    break;
  case ViewPreset::Bottom:
    v.orientation = quatFromAxisAngle({0, 1, 0}, singlePi);
    break;
  case ViewPreset::XZ:
    v.orientation = quatFromAxisAngle({1, 0, 0}, -singlePi / 2);
    break;
  case ViewPreset::YZ: {
    // y to the right and z up: the quarter turn about z comes first in the toolkit's product.
    const Quatf aboutY = quatFromAxisAngle({0, 1, 0}, -singlePi / 2);
    const Quatf aboutZ = quatFromAxisAngle({0, 0, 1}, -singlePi / 2);
    v.orientation = quatMultiply(aboutZ, aboutY);
    break;
  }
  case ViewPreset::XYZ:
    v.orientation = Quatf{-0.2460217f, 0.3886360f, 0.1917373f, -0.8669904f};
    break;
  }
  return v;
}

DataBounds measureBounds(const double* xs, const double* ys, const double* zs, int count) {
  DataBounds b;
  if (count < 1) return b;
  b = DataBounds{xs[0], xs[0], ys[0], ys[0], zs[0], zs[0]};
  for (int i = 1; i < count; ++i) {
    b.xMin = std::min(b.xMin, xs[i]);
    b.xMax = std::max(b.xMax, xs[i]);
    b.yMin = std::min(b.yMin, ys[i]);
    b.yMax = std::max(b.yMax, ys[i]);
    b.zMin = std::min(b.zMin, zs[i]);
    b.zMax = std::max(b.zMax, zs[i]);
  }
  return b;
}

double dataExtentOf(const DataBounds& b) {
  return std::max({std::fabs(b.xMin), std::fabs(b.xMax), std::fabs(b.yMin), std::fabs(b.yMax),
                   std::fabs(b.zMin), std::fabs(b.zMax)});
}

double viewHalfSize(double extent) {
  const double side = 2.0 * extent;
  return std::sqrt(3.0 * side * side);
}

void normalizeAxis(double* values, int count) {
  if (count < 1) return;
  const auto [lo, hi] = std::minmax_element(values, values + count);
  const double min = *lo;
  double range = *hi - min;
  if (range == 0.0) range = 1.0;
  for (int i = 0; i < count; ++i)
    values[i] = (values[i] - min) / range;
}

double sphereRadiusUnit(int rSliderValue, double dataExtent) {
  double f = 1.0;
  if (dataExtent < 1.0) {
    f = 0.01;
  } else if (dataExtent < 10.0) {
    f = 0.1;
  }
  return rSliderValue * 0.01 * (5.0 * f);
}

float axisGrey(int bSlider, int bMax) {
  return bSlider <= bMax / 2 ? 0.8f : 0.0f;
}

float backgroundGrey(int bSlider) {
  return static_cast<float>(bSlider) / 100.0f;
}

} // namespace orbala
