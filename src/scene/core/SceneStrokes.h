#pragma once
// Line geometry of the scene as plain data: the axes, the stroked letters X, Y and Z, and the
// vertices of an arc. The toolkit glue turns each Segment into one line object.
#include <vector>

#include "scene/core/Geometry.h"

namespace orbala {

struct Segment {
  Vec3f from;
  Vec3f to;
};

// Axes through the origin, 1.1u past the data on each side (u = sphereRadiusUnit).
Segment xAxis(double extent, double u);
Segment yAxis(double extent, double u);
// From min(0, zMin) up to 1.1u above zMax.
Segment zAxis(double zMin, double zMax, double u);

// Letter size: a = 0.5 × float(3 × labelSize) and d = 0.75a, both single precision.
float letterHalfHeight(double labelSize);
float letterHalfWidth(double labelSize);

// Two strokes in the plane y = 0 beyond the x axis end; taller (±1.2a) in the side views so
// it reads well when seen from the front.
std::vector<Segment> xLetterStrokes(double extent, double u, double labelSize,
                                    ViewPreset lastPreset);
// Three strokes in the plane x = 0 beyond the y axis end, the same for every view.
std::vector<Segment> yLetterStrokes(double extent, double u, double labelSize);
// Three strokes above zMax: in the plane y = 0, or x = 0 after the y-z and x-y-z views.
std::vector<Segment> zLetterStrokes(double zMax, double u, double labelSize, ViewPreset lastPreset);

struct AxisOptions {
  bool showXY = true;
  bool showZ = true;
  bool showLabels = true;
};

// Every axis and letter stroke of a rebuild in scene order: x axis, y axis, X, Y, z axis, Z.
// Letters come only with their axes.
std::vector<Segment> axisStrokes(const AxisOptions& options, double extent, double u,
                                 double labelSize, double zMin, double zMax, ViewPreset lastPreset);

// The vertices of an arc line strip, built by turning a radius vector step by step in single
// precision. plane 0: parallel to x-y, 1: x-z, 2: y-z; other planes and segments < 1 give none.
std::vector<Vec3f> arcVertices(int segments, int plane, Vec3f center, float radius,
                               float startAngle, float sweepAngle);

} // namespace orbala
