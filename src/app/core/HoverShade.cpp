#include "app/core/HoverShade.h"

#include <algorithm>
#include <cmath>

namespace orbala {

Rgb hoverShade(Rgb c) {
  if (c.r > 216 || c.g > 216 || c.b > 216) {
    return Rgb{c.r * 85 / 100, c.g * 85 / 100, c.b * 85 / 100};
  }
  // The largest channel drives the lightening, so a bright channel never wraps past 255.
  const int m = std::max({c.r, c.g, c.b});
  if (c.r < 50 && c.g < 50 && c.b < 50) c.r = c.g = c.b = m + 50;
  int add = 0;
  if (m < 100) add = (10 - static_cast<int>(std::sqrt(static_cast<double>(m)))) * 2;
  auto lighten = [add](int v) { return (v * 115 / 100 + add) % 256; };
  return Rgb{lighten(c.r), lighten(c.g), lighten(c.b)};
}

} // namespace orbala
