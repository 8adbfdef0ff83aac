#include "scene/core/SphereStyle.h"

#include <algorithm>

#include "table/core/Numbers.h"

namespace orbala {

namespace {

bool cellInError(std::string_view text) {
  if (trim(text).empty()) return true;
  const int v = parseInt(text);
  return v < 0 || v > 255;
}

int clampedChannel(std::string_view text) {
  return std::clamp(parseInt(text), 0, 255);
}

} // namespace

bool colorCellsInError(std::string_view r, std::string_view g, std::string_view b) {
  return cellInError(r) || cellInError(g) || cellInError(b);
}

Rgb clampedCellColor(std::string_view r, std::string_view g, std::string_view b) {
  return Rgb{clampedChannel(r), clampedChannel(g), clampedChannel(b)};
}

Material sphereMaterial(Rgb channels, float alpha) {
  auto ambient = [](int v) { return static_cast<float>(v * 0.25 / 255); };
  auto diffuse = [](int v) { return static_cast<float>(v / 255.0); };
  Material m{};
  m.ambient[0] = ambient(channels.r);
  m.ambient[1] = ambient(channels.g);
  m.ambient[2] = ambient(channels.b);
  m.ambient[3] = alpha;
  m.diffuse[0] = diffuse(channels.r);
  m.diffuse[1] = diffuse(channels.g);
  m.diffuse[2] = diffuse(channels.b);
  m.diffuse[3] = alpha;
  for (float& s : m.specular)
    s = 1.0f;
  for (float& e : m.emission)
    e = 0.0f;
  m.shininess = 32.0f;
  return m;
}

} // namespace orbala
