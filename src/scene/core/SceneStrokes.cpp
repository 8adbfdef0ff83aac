#include "scene/core/SceneStrokes.h"

#include <cmath>

namespace orbala {

namespace {

float f(double v) {
  return static_cast<float>(v);
}

Segment seg(double x0, double y0, double z0, double x1, double y1, double z1) {
  return Segment{Vec3f{f(x0), f(y0), f(z0)}, Vec3f{f(x1), f(y1), f(z1)}};
}

bool isPlanView(ViewPreset p) {
  return p == ViewPreset::Top || p == ViewPreset::Bottom;
}

} // namespace

Segment xAxis(double extent, double u) {
  const double end = extent + 1.1 * u;
  return seg(-end, 0, 0, end, 0, 0);
}

Segment yAxis(double extent, double u) {
  const double end = extent + 1.1 * u;
  return seg(0, -end, 0, 0, end, 0);
}

Segment zAxis(double zMin, double zMax, double u) {
  return seg(0, 0, zMin < 0.0 ? zMin : 0.0, 0, 0, zMax + 1.1 * u);
}

float letterHalfHeight(double labelSize) {
  return 0.5f * f(3.0 * labelSize);
}

float letterHalfWidth(double labelSize) {
  return 0.75f * letterHalfHeight(labelSize);
}

std::vector<Segment> xLetterStrokes(double extent, double u, double labelSize,
                                    ViewPreset lastPreset) {
  const float a = letterHalfHeight(labelSize);
  const float d = letterHalfWidth(labelSize);
  const double cx = extent + f(u + 2.0 * a);
  const double h = isPlanView(lastPreset) ? a : 1.2 * a;
  return {seg(cx + d, 0, h, cx - d, 0, -h), seg(cx - d, 0, h, cx + d, 0, -h)};
}

std::vector<Segment> yLetterStrokes(double extent, double u, double labelSize) {
  const float a = letterHalfHeight(labelSize);
  const float d = letterHalfWidth(labelSize);
  const double cy = extent + f(u + a);
  const double h = 1.2 * a;
  return {seg(0, cy + d, h, 0, cy, 0), seg(0, cy - d, h, 0, cy, 0), seg(0, cy, -h, 0, cy, 0)};
}

std::vector<Segment> zLetterStrokes(double zMax, double u, double labelSize,
                                    ViewPreset lastPreset) {
  const float a = letterHalfHeight(labelSize);
  const float d = letterHalfWidth(labelSize);
  const double zb = zMax + f(2.0 * u + a);
  const double zt = zb + 2.4 * a;
  // Seen from the side of x after the y-z and x-y-z views, so the letter faces the viewer there.
  if (lastPreset == ViewPreset::YZ || lastPreset == ViewPreset::XYZ) {
    return {seg(0, d, zt, 0, -d, zt), seg(0, d, zb, 0, -d, zb), seg(0, -d, zb, 0, d, zt)};
  }
  return {seg(d, 0, zt, -d, 0, zt), seg(d, 0, zb, -d, 0, zb), seg(-d, 0, zb, d, 0, zt)};
}

std::vector<Segment> axisStrokes(const AxisOptions& options, double extent, double u,
                                 double labelSize, double zMin, double zMax,
                                 ViewPreset lastPreset) {
  std::vector<Segment> out;
  auto append = [&out](const std::vector<Segment>& more) {
    out.insert(out.end(), more.begin(), more.end());
  };
  if (options.showXY) {
    out.push_back(xAxis(extent, u));
    out.push_back(yAxis(extent, u));
    if (options.showLabels) {
      append(xLetterStrokes(extent, u, labelSize, lastPreset));
      append(yLetterStrokes(extent, u, labelSize));
    }
  }
  if (options.showZ) {
    out.push_back(zAxis(zMin, zMax, u));
    if (options.showLabels) append(zLetterStrokes(zMax, u, labelSize, lastPreset));
  }
  return out;
}

std::vector<Vec3f> arcVertices(int segments, int plane, Vec3f center, float radius,
                               float startAngle, float sweepAngle) {
  std::vector<Vec3f> out;
  if (segments < 1 || plane < 0 || plane > 2) return out;
  // One vertex needs no step; skipping it also avoids dividing by zero.
  const float theta = segments > 1 ? sweepAngle / static_cast<float>(segments - 1) : 0.0f;
  const float t = f(std::tan(static_cast<double>(theta)));
  const float c = f(std::cos(static_cast<double>(theta)));
  float p = f(radius * std::cos(static_cast<double>(startAngle)));
  float q = f(radius * std::sin(static_cast<double>(startAngle)));
  out.reserve(static_cast<size_t>(segments));
  for (int i = 0; i < segments; ++i) {
    switch (plane) {
    case 0:
      out.push_back(Vec3f{center.x + p, center.y + q, center.z});
      break;
    case 1:
      out.push_back(Vec3f{center.x + p, center.y, center.z + q});
      break;
    default:
      out.push_back(Vec3f{center.x, center.y + p, center.z + q});
      break;
    }
    // Rotating the radius vector by theta; the factor c keeps its length.
    const float np = (p - q * t) * c;
    const float nq = (q + p * t) * c;
    p = np;
    q = nq;
  }
  return out;
}

} // namespace orbala
