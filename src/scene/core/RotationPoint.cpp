#include "scene/core/RotationPoint.h"

#include <string>

#include "table/core/Numbers.h"
#include "table/core/TableLimits.h"

namespace orbala {

RotationPointChoice rotationPointChoiceFromIndex(int index) {
  if (index < 0 || index > 3) return RotationPointChoice::Origin;
  return static_cast<RotationPointChoice>(index);
}

namespace {

std::optional<Vec3d> tableRowPoint(std::string_view text, int tableRows,
                                   const RowCoordinates& rowCoordinates) {
  const std::string number = trim(text);
  if (number.empty()) return std::nullopt;
  // 64 bits: the number may be the most negative int.
  const long long row = static_cast<long long>(parseInt(number)) - 1;
  if (row < 0 || row >= tableRows || !rowCoordinates) return std::nullopt;
  Vec3d p;
  if (!rowCoordinates(static_cast<int>(row), p)) return std::nullopt;
  return p;
}

std::optional<Vec3d> typedPoint(std::string_view x, std::string_view y, std::string_view z) {
  const std::string tx = trim(x), ty = trim(y), tz = trim(z);
  if (tx.empty() || ty.empty() || tz.empty()) return std::nullopt;
  const Vec3d p{parseNumber(tx), parseNumber(ty), parseNumber(tz)};
  // A point at infinity would turn the whole plot out of sight.
  if (!isPlottable(p.x) || !isPlottable(p.y) || !isPlottable(p.z)) return std::nullopt;
  return p;
}

} // namespace

std::optional<Vec3d> rotationPoint(RotationPointChoice choice, const DataBounds& bounds,
                                   std::string_view pointNumberText, int tableRows,
                                   const RowCoordinates& rowCoordinates, std::string_view xText,
                                   std::string_view yText, std::string_view zText) {
  switch (choice) {
  case RotationPointChoice::GeometricCenter:
    return Vec3d{(bounds.xMin + bounds.xMax) / 2, (bounds.yMin + bounds.yMax) / 2,
                 (bounds.zMin + bounds.zMax) / 2};
  case RotationPointChoice::PointNumber:
    return tableRowPoint(pointNumberText, tableRows, rowCoordinates);
  case RotationPointChoice::TypedPoint:
    return typedPoint(xText, yText, zText);
  case RotationPointChoice::Origin:
    break;
  }
  return Vec3d{0.0, 0.0, 0.0};
}

} // namespace orbala
