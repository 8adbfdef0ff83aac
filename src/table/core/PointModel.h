#pragma once
// Per-row state of the point table and the points parsed from its leading data rows.
#include <vector>

namespace orbala {

// One entry per table row; the Show and Opaque cells mirror the two flags.
struct RowState {
  std::vector<unsigned char> showFlags;
  std::vector<unsigned char> opaqueFlags;
  std::vector<double> relativeSizes;

  void reset(int rows) {
    showFlags.assign(rows, 1);
    opaqueFlags.assign(rows, 1);
    relativeSizes.assign(rows, 1.0);
  }
  int size() const { return static_cast<int>(showFlags.size()); }
};

// The coordinates of the data rows, after the optional per-axis normalisation.
struct PointData {
  int pointCount = 0;
  std::vector<double> xValues;
  std::vector<double> yValues;
  std::vector<double> zValues;
};

} // namespace orbala
