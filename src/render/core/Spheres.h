#pragma once
// The spheres a renderer draws, as plain arrays, and the per-frame plan of how to draw them:
// which are seen, which are small enough to be drawn as points, and in which order.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/core/Camera.h"

namespace orbala::render {

// One entry per sphere. Colours are red, green, blue in 0 to 1; an alpha below 1 makes the
// sphere translucent.
struct SphereArrays {
  std::vector<float> centres; // x, y, z of each sphere
  std::vector<float> radii;
  std::vector<float> colours; // r, g, b of each sphere
  std::vector<float> alphas;

  size_t size() const { return radii.size(); }
  void clear();
  void reserve(size_t n);
  void add(const float centre[3], float radius, const float colour[3], float alpha);
  Vec3 centre(size_t i) const {
    return Vec3{centres[3 * i], centres[3 * i + 1], centres[3 * i + 2]};
  }
};

// A sphere as a frame sees it: its place in the depth order and its index.
struct PlannedSphere {
  std::uint32_t key;
  std::uint32_t index;
};

// The part of a large opaque sphere's quad that may show it: corners as fractions of the quad's
// half-width and half-height from its centre (−1 to 1), left < right, bottom < top.
struct QuadPiece {
  std::uint32_t index;
  float left, bottom, right, top;
};

// What one frame draws. Opaque spheres come first, nearest first, so that hidden ones can be
// left out; translucent ones follow, farthest first, so each blends over what lies behind it
// whatever the order of the arrays.
struct FramePlan {
  std::vector<std::uint32_t> points;      // opaque, small enough for a point sprite
  std::vector<std::uint32_t> quads;       // opaque, drawn on a screen-aligned quad
  std::vector<QuadPiece> pieces;          // opaque and large, drawn only where they may show
  std::vector<std::uint32_t> translucent; // drawn on quads
  // Working space, kept from frame to frame.
  std::vector<PlannedSphere> opaqueOrder, translucentOrder, scratch;
  std::vector<std::uint32_t> large;
  std::vector<float> depth;
  std::vector<std::vector<float>> squareDepth;
};

// Plans a frame. Spheres wholly outside the view are left out. With an orthographic camera,
// opaque spheres hidden behind nearer ones are left out too, a sphere whose outline fits a
// point of at most `maxPointSize` pixels and lies wholly inside the picture becomes a point (a
// clipped point would vanish at the border), and an opaque sphere wider than a few dozen pixels
// that is partly hidden is drawn in pieces where it may show: a software GL shades every pixel
// of a quad whose shader writes depth, hidden or not. With a perspective camera every sphere is a
// quad, and a sphere around the eye is left out.
void planFrame(const SphereArrays& spheres, const Camera& camera, float maxPointSize,
               FramePlan& plan);

// True for a camera without perspective (parallel projection).
bool isOrthographic(const Camera& camera);

// How much the modelview matrix scales lengths (taken as uniform).
double modelviewScale(const Camera& camera);

// The sphere whose surface the ray meets first, or −1.
long nearestOnRay(const SphereArrays& spheres, const Ray& ray);

} // namespace orbala::render
