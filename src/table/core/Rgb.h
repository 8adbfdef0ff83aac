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
} // namespace orbala
