#pragma once
// The point the plot spins about: the viewer's centre of view.
#include <functional>
#include <optional>
#include <string_view>

#include "scene/core/Geometry.h"

namespace orbala {

// The value is the offset of the radio button from the first one.
enum class RotationPointChoice { Origin = 0, GeometricCenter = 1, PointNumber = 2, TypedPoint = 3 };

// A stored index outside 0..3 falls back to Origin.
RotationPointChoice rotationPointChoiceFromIndex(int index);

// Reads a table row's x, y and z as typed (not normalised); false when a coordinate cell is empty.
using RowCoordinates = std::function<bool(int row, Vec3d& out)>;

// Evaluates the choice, or nothing when it cannot be evaluated:
//  - GeometricCenter: the middle of the bounds;
//  - PointNumber: the 1-based row number in pointNumberText (blanks around it allowed); empty
//    text, a number outside 1..tableRows or a row without all three coordinates fails;
//  - TypedPoint: the three field texts; an empty field fails, text that is not a number is 0.
std::optional<Vec3d> rotationPoint(RotationPointChoice choice, const DataBounds& bounds,
                                   std::string_view pointNumberText, int tableRows,
                                   const RowCoordinates& rowCoordinates, std::string_view xText,
                                   std::string_view yText, std::string_view zText);

} // namespace orbala
