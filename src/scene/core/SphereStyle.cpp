#include "scene/core/SphereStyle.h"

#include <algorithm>

#include "table/core/Numbers.h"

namespace orbala {

namespace {

// Read once per cell: a big table has hundreds of thousands of them to check at every redraw.
bool channel(std::string_view text, int& value) {
  if (text.find_first_not_of(" \t\n\r\v\f") == std::string_view::npos) return false;
  value = parseInt(text);
  return value >= 0 && value <= 255;
}

} // namespace

std::optional<Rgb> sphereCellColor(std::string_view r, std::string_view g, std::string_view b) {
  Rgb colour{};
  if (!channel(r, colour.r) || !channel(g, colour.g) || !channel(b, colour.b)) return {};
  return colour;
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
