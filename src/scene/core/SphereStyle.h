#pragma once
// Colour and material of a plotted sphere, from the texts of the row's R, G and B cells.
#include <optional>
#include <string_view>

#include "table/core/Rgb.h"

namespace orbala {

// Grey channel value of spheres drawn with "Gray spheres" and of repaired colour cells.
constexpr int sphereGreyChannel = 200;

// A row's colour from its cells, or nothing when the cells are in error: a cell is empty or
// blank, or its integer lies outside 0..255. Text that is not a number reads as 0 and is no error.
std::optional<Rgb> sphereCellColor(std::string_view r, std::string_view g, std::string_view b);

// Front material of a sphere, in the toolkit's FXMaterial order.
struct Material {
  float ambient[4];
  float diffuse[4];
  float specular[4];
  float emission[4];
  float shininess;
};

// Ambient a quarter of the colour, diffuse the colour, white highlights, shininess 32.
Material sphereMaterial(Rgb channels, float alpha);

} // namespace orbala
