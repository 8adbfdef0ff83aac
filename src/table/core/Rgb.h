#pragma once
// A colour as three channels 0..255; the toolkit's packed colour is built from it only in GUI code.
namespace orbala {
struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
  friend bool operator==(const Rgb& a, const Rgb& o) {
    return a.r == o.r && a.g == o.g && a.b == o.b;
  }
  friend bool operator!=(const Rgb& a, const Rgb& o) { return !(a == o); }
};

// Whether dark text would be hard to read on the colour (its luma is below the middle).
inline bool isDark(const Rgb& c) {
  return 299 * c.r + 587 * c.g + 114 * c.b < 128 * 1000;
}
} // namespace orbala
