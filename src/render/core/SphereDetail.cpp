#include "render/core/SphereDetail.h"

#include <cmath>

namespace orbala {

int sphereDetail(double pixelRadius, int requested) {
  static const int levels[] = {8, 12, 16, 24, 32};
  if (!(pixelRadius >= 0.0)) return requested; // unknown scale: draw as asked
  const double pi = 3.14159265358979323846;
  for (int level : levels) {
    if (level >= requested) break;
    // The polygon's edge midpoints lie r·(1 − cos(π/n)) inside the circle.
    if (pixelRadius * (1.0 - std::cos(pi / level)) <= 0.25) return level;
  }
  return requested;
}

} // namespace orbala
