#pragma once
// Vectors, quaternions, view orientations and data measurement of the scene.
// Geometry is computed in double precision; what goes to the viewer or into scene objects is
// single precision, rounded where noted.

namespace orbala {

struct Vec3f {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};

struct Vec3d {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

// Same layout and meaning as the toolkit's FXQuatf: vector part x, y, z, scalar part w.
struct Quatf {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float w = 1.0f;
};

inline Vec3f toVec3f(const Vec3d& v) {
  return Vec3f{static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}

// Rotation by phi radians about axis, like FXQuatf::setAxisAngle (single precision, the axis
// normalised). A zero axis names no rotation and gives the identity.
Quatf quatFromAxisAngle(Vec3f axis, float phi);

// Hamilton product a × b, like FXQuatf::operator* with a on the left.
Quatf quatMultiply(const Quatf& a, const Quatf& b);

// Unit-length copy, as the viewer stores an orientation; a zero quaternion gives the identity.
Quatf normalized(Quatf q);

// ---- Rotation animation -------------------------------------------------------------------

constexpr int rotationAxisCount = 7;

// Angle of one animation tick: value × π/20000, negated for clockwise (direction 0), rounded
// to single precision.
float rotationTickAngle(int sliderValue, int direction);

// The (unnormalised) vector of rotation axis 0..6; any other index gives axis 0.
Vec3f rotationAxisVector(int axisIndex);

// Orientation after one tick: current × q, so the plot turns about the axis in its own frame.
Quatf rotationTick(const Quatf& current, int axisIndex, int sliderValue, int direction);

// ---- View presets -------------------------------------------------------------------------

enum class ViewPreset { Top, Bottom, XZ, YZ, XYZ };

struct PresetView {
  Quatf orientation; // handed to the viewer, which normalises it
  Vec3f boxMin;      // the viewer's bounds while the table holds no points
  Vec3f boxMax;
};

// Orientation and bounding box of a preset; showAxisLabels widens the box by 3 for the letters.
PresetView presetView(ViewPreset preset, double dataExtent, double zMax, bool showAxisLabels);

// ---- Data measurement ---------------------------------------------------------------------

struct DataBounds {
  double xMin = 0.0, xMax = 0.0;
  double yMin = 0.0, yMax = 0.0;
  double zMin = 0.0, zMax = 0.0;
};

// Bounds before any data has been measured.
constexpr DataBounds initialDataBounds{0.0, 0.0, 0.0, 0.0, 0.0, 100.0};
constexpr double initialDataExtent = 100.0;
constexpr double initialLabelSize = 1.0;

// Smallest and largest coordinates of count points. Callers measure only when count >= 1
// (the previous bounds stay otherwise); count < 1 gives all zeros.
DataBounds measureBounds(const double* xs, const double* ys, const double* zs, int count);

// The largest absolute value among the six bounds.
double dataExtentOf(const DataBounds& b);

// Half the side of the viewer's bounding cube: √(3·(2E)²) = 2√3·E.
double viewHalfSize(double extent);

// labelSize of the axis letters: 0.02 × extent.
inline double labelSizeFor(double extent) {
  return 0.02 * extent;
}

// "normalize 0 to 1": (v − min)/(max − min), divisor 1 when all values are equal.
void normalizeAxis(double* values, int count);

// ---- Sizes and greys ----------------------------------------------------------------------

// Radius of a sphere of relative size 1 for the R slider value and the data extent.
double sphereRadiusUnit(int rSliderValue, double dataExtent);

// Grey of axes and letters: 0.8 on a dark background (B at most half its maximum), else 0.
float axisGrey(int bSlider, int bMax = 100);

// Background grey B/100.
float backgroundGrey(int bSlider);

} // namespace orbala
