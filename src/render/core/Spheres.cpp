#include "render/core/Spheres.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace orbala::render {

namespace {

// A float turned into an unsigned integer of the same order.
std::uint32_t orderedBits(float f) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &f, sizeof bits);
  return (bits & 0x80000000u) ? ~bits : bits | 0x80000000u;
}

// Sorts by key, keeping the array order among equal keys: a radix sort, as a frame may order a
// million spheres, and the spheres move with their keys so the passes after it read them in
// order.
void sortByKey(std::vector<PlannedSphere>& items, std::vector<PlannedSphere>& scratch) {
  constexpr int bits = 11;
  constexpr std::uint32_t buckets = 1u << bits;
  scratch.resize(items.size());
  std::vector<std::uint32_t> count(buckets + 1);
  for (int shift = 0; shift < 32; shift += bits) {
    std::fill(count.begin(), count.end(), 0u);
    for (const PlannedSphere& item : items)
      ++count[((item.key >> shift) & (buckets - 1)) + 1];
    for (std::uint32_t b = 0; b < buckets; ++b)
      count[b + 1] += count[b];
    for (const PlannedSphere& item : items)
      scratch[count[(item.key >> shift) & (buckets - 1)]++] = item;
    items.swap(scratch);
  }
}

struct Plane {
  double a, b, c, d;
};

// The six planes of the view volume in world coordinates, normals pointing inwards.
void viewPlanes(const Mat4& m, Plane planes[6]) {
  const auto row = [&m](int r, int c) { return m[c * 4 + r]; };
  for (int i = 0; i < 6; ++i) {
    const int axis = i / 2;
    const double sign = i % 2 ? -1.0 : 1.0;
    Plane p{row(3, 0) + sign * row(axis, 0), row(3, 1) + sign * row(axis, 1),
            row(3, 2) + sign * row(axis, 2), row(3, 3) + sign * row(axis, 3)};
    const double length = std::sqrt(p.a * p.a + p.b * p.b + p.c * p.c);
    if (length > 0.0) p = Plane{p.a / length, p.b / length, p.c / length, p.d / length};
    planes[i] = p;
  }
}

// Where spheres land in a picture without perspective: window pixels and normalised depth.
struct OrthoView {
  explicit OrthoView(const Camera& camera)
      : combined(multiply(camera.projection, camera.modelview)), vx(camera.viewport[0]),
        vy(camera.viewport[1]), vw(camera.viewport[2]), vh(camera.viewport[3]) {
    const double scale = modelviewScale(camera);
    kx = scale * std::fabs(camera.projection[0]) * 0.5 * vw;
    ky = scale * std::fabs(camera.projection[5]) * 0.5 * vh;
    kz = scale * std::fabs(camera.projection[10]);
  }
  // Window x, y and normalised depth of a centre.
  Vec3 place(Vec3 c) const {
    double w = 1.0;
    Vec3 clip = transform(combined, c, w);
    // Without perspective w is 1, and three divisions a sphere are worth saving.
    if (w != 1.0) clip = Vec3{clip.x / w, clip.y / w, clip.z / w};
    return Vec3{vx + (clip.x + 1.0) * 0.5 * vw, vy + (clip.y + 1.0) * 0.5 * vh, clip.z};
  }
  bool seen(Vec3 p, double r) const {
    return p.x + r * kx >= vx && p.x - r * kx <= vx + vw && p.y + r * ky >= vy &&
           p.y - r * ky <= vy + vh && p.z - r * kz <= 1.0 && p.z + r * kz >= -1.0;
  }
  // A point sprite covers the whole outline, and a clipped point would vanish at the border.
  bool fitsPoint(Vec3 p, double r, double maxPointSize) const {
    const double rx = r * kx, ry = r * ky;
    return 2.0 * std::max(rx, ry) + 1.0 <= maxPointSize && p.x - rx - 1.0 >= vx &&
           p.x + rx + 1.0 <= vx + vw && p.y - ry - 1.0 >= vy && p.y + ry + 1.0 <= vy + vh;
  }

  Mat4 combined;
  double vx, vy, vw, vh, kx = 0.0, ky = 0.0, kz = 0.0;
};

// What llvmpipe cannot do for shaders that write depth, done on the CPU: a sphere all of whose
// pixels lie behind what nearer opaque spheres already cover is not drawn at all. A depth
// buffer of the picture, filled front to back with the spheres' exact depths at pixel centres,
// and above it the deepest value of each square of 4, 8, 16 and 32 pixels, so a hidden sphere
// is mostly found by comparing its nearest depth over a square with the deepest value there,
// going down to smaller squares only where that cannot tell. Marking costs a visible sphere's
// area, which the GL shades anyway.
class Occlusion {
public:
  // Only for the usual depth direction, where nearer is smaller.
  Occlusion(const OrthoView& view, bool usable, FramePlan& plan)
      : x0(static_cast<int>(view.vx)), y0(static_cast<int>(view.vy)),
        w(usable ? std::max(0, static_cast<int>(view.vw)) : 0),
        h(std::max(0, static_cast<int>(view.vh))), kx(static_cast<float>(view.kx)),
        ky(static_cast<float>(view.ky)), kz(static_cast<float>(view.kz)), depth(plan.depth),
        squares(plan.squareDepth) {
    depth.assign(static_cast<size_t>(w) * h, far);
    squares.resize(levels);
    for (int k = 0; k < levels; ++k) {
      across[k] = (w + size(k) - 1) / size(k);
      squares[k].assign(static_cast<size_t>(across[k]) * ((h + size(k) - 1) / size(k)), far);
    }
  }

  // Window pixels, both ends included.
  struct Box {
    int left, right, bottom, top;
  };
  // The side of the largest square, in pixels.
  static constexpr int block = 32;
  // Pieces of a large sphere are runs of squares this wide.
  static constexpr int piece = 8;

  // True when some pixel of the sphere is nearer than what was drawn there; `mark` then keeps
  // the sphere's depths where it is nearest.
  bool visible(Vec3 at, float radius, bool mark) {
    Box box;
    Shape shape;
    if (!measurable(at, radius)) return true;
    if (!place(at, radius, box, shape) || !nearer(shape, box)) return false;
    if (mark) markIn<levels - 1>(shape, box);
    return true;
  }

  // Once every opaque sphere is marked: the runs of squares along each row of squares where the
  // sphere may be nearest. False when the sphere cannot be measured, so is drawn whole.
  bool showing(Vec3 at, float radius, std::vector<Box>& runs) {
    runs.clear();
    Box box;
    Shape shape;
    if (!measurable(at, radius)) return false;
    if (!place(at, radius, box, shape)) return true;
    const int first = (box.left - x0) / piece, last = (box.right - x0) / piece;
    for (int py = (box.bottom - y0) / piece; py <= (box.top - y0) / piece; ++py) {
      int run = -1;
      for (int px = first; px <= last + 1; ++px) {
        const bool shows = px <= last && nearerIn<pieceLevel>(shape, within(box, px, py, piece));
        if (shows && run < 0) run = px;
        if (shows || run < 0) continue;
        const Box from = within(box, run, py, piece), to = within(box, px - 1, py, piece);
        runs.push_back(Box{from.left, to.right, from.bottom, from.top});
        run = -1;
      }
    }
    return true;
  }

private:
  struct Shape {
    float x, y, ix, iy, z, dz;
    // The least squared distance from the centre, in radii, over pixel centres in the box
    // (the box's own edges stand in for its outermost centres, which only lowers it).
    float reach(const Box& b) const {
      const float qx = std::max({0.0f, b.left - x, x - (b.right + 1.0f)}) * ix;
      const float qy = std::max({0.0f, b.bottom - y, y - (b.top + 1.0f)}) * iy;
      return qx * qx + qy * qy;
    }
    // Whether the sphere's depth where 1 − reach is `rest` lies nearer than `depth`:
    // z − dz·√rest < depth, compared without the root.
    bool nearerAt(float rest, float depth) const {
      const float gap = z - depth;
      return gap < 0.0f || dz * dz * std::max(0.0f, rest) > gap * gap;
    }
  };
  // Squares of 4 × 4 pixels, then each level twice as wide, up to `block`.
  static constexpr int tileShift = 2, tile = 1 << tileShift, levels = 4;
  // Squares of a piece's size are a level of their own: a piece is tested from there down.
  static constexpr int pieceLevel = 1;
  static_assert(tile << (levels - 1) == block && tile << pieceLevel == piece);
  static constexpr float far = 2.0f;
  // Pixel centres at the edge count as covered when testing but not when marking, and depths
  // get a little slack, so a rounding difference from the GL can only keep a sphere.
  static constexpr float edge = 1e-3f, bias = 1e-6f;

  static constexpr int size(int level) { return tile << level; }
  float* row(int y) { return &depth[static_cast<size_t>(y - y0) * w - x0]; }
  float& deepest(int level, int sx, int sy) {
    return squares[level][static_cast<size_t>(sy) * across[level] + sx];
  }

  // A sphere a million pixels wide, or far deeper than the view, is drawn whole: in floats its
  // pixels and depths would lose the precision the tests rest on.
  bool measurable(Vec3 at, float radius) const {
    const float rx = radius * kx, ry = radius * ky;
    return w > 0 && rx > 0.0f && ry > 0.0f && rx <= 1e6f && ry <= 1e6f && radius * kz <= 1e3f &&
           std::isfinite(at.x) && std::isfinite(at.y) && std::isfinite(at.z);
  }

  // The sphere's pixels in the picture; false when it has none.
  bool place(Vec3 at, float radius, Box& box, Shape& shape) const {
    const float x = static_cast<float>(at.x), y = static_cast<float>(at.y);
    const float rx = radius * kx, ry = radius * ky;
    box.left = std::max(x0, static_cast<int>(std::floor(x - rx - 0.5f)));
    box.right = std::min(x0 + w - 1, static_cast<int>(std::ceil(x + rx)));
    box.bottom = std::max(y0, static_cast<int>(std::floor(y - ry - 0.5f)));
    box.top = std::min(y0 + h - 1, static_cast<int>(std::ceil(y + ry)));
    shape = Shape{x, y, 1.0f / rx, 1.0f / ry, static_cast<float>(at.z), radius * kz};
    return box.left <= box.right && box.bottom <= box.top;
  }

  // Part of the box that lies in the given square of pixels.
  Box within(const Box& b, int sx, int sy, int side) const {
    return Box{std::max(b.left, x0 + sx * side), std::min(b.right, x0 + sx * side + side - 1),
               std::max(b.bottom, y0 + sy * side), std::min(b.top, y0 + sy * side + side - 1)};
  }

  // Whether some pixel centre of the sphere in the part may lie nearer than `deepest`.
  bool mayShow(const Shape& s, const Box& part, float deepestThere) const {
    const float reached = s.reach(part);
    return reached <= 1.0f + edge && s.nearerAt(1.0f - reached, deepestThere + bias);
  }

  // Whether some pixel centre of the sphere in the box may lie nearer than what is drawn there:
  // the largest squares, then the smaller ones of those that cannot tell, down to pixels.
  // Most of a crowd is behind at its nearest point wherever it lies, which the deepest value
  // of the largest squares alone shows, without measuring the sphere over each.
  bool nearer(const Shape& s, const Box& b) {
    constexpr int top = levels - 1;
    const Box squares = squaresOf<top>(b);
    float most = -far;
    for (int sy = squares.bottom; sy <= squares.top; ++sy)
      for (int sx = squares.left; sx <= squares.right; ++sx)
        most = std::max(most, deepest(top, sx, sy));
    return mayShow(s, b, most) && nearerIn<top>(s, b);
  }

  // The columns and rows of the level's squares that the box touches.
  template <int level> Box squaresOf(const Box& b) const {
    constexpr int shift = tileShift + level;
    return Box{(b.left - x0) >> shift, (b.right - x0) >> shift, (b.bottom - y0) >> shift,
               (b.top - y0) >> shift};
  }

  // A level a template argument, so that its sizes are constants and the levels inline.
  template <int level> bool nearerIn(const Shape& s, const Box& b) {
    const Box squares = squaresOf<level>(b);
    for (int sy = squares.bottom; sy <= squares.top; ++sy)
      for (int sx = squares.left; sx <= squares.right; ++sx) {
        const Box part = within(b, sx, sy, size(level));
        if (!mayShow(s, part, deepest(level, sx, sy))) continue;
        if constexpr (level == 0) {
          if (nearerThanPixels(s, part)) return true;
        } else if (nearerIn<level - 1>(s, part)) {
          return true;
        }
      }
    return false;
  }

  bool nearerThanPixels(const Shape& s, const Box& b) {
    for (int y = b.bottom; y <= b.top; ++y) {
      const float qy = (y + 0.5f - s.y) * s.iy;
      const float* stored = row(y);
      for (int x = b.left; x <= b.right; ++x) {
        const float qx = (x + 0.5f - s.x) * s.ix;
        const float rest = 1.0f - qx * qx - qy * qy;
        if (rest < -edge) continue;
        if (s.nearerAt(rest, stored[x] + bias)) return true;
      }
    }
    return false;
  }

  // Where the sphere's nearest depth over a square is no nearer than the deepest value there,
  // nothing would change: only the rest is walked, and the squares above it made anew.
  template <int level> void markIn(const Shape& s, const Box& b) {
    constexpr int side = size(level);
    const Box squares = squaresOf<level>(b);
    for (int sy = squares.bottom; sy <= squares.top; ++sy)
      for (int sx = squares.left; sx <= squares.right; ++sx) {
        const Box part = within(b, sx, sy, side);
        if (!mayShow(s, part, deepest(level, sx, sy))) continue;
        float most = -far;
        if constexpr (level == 0) {
          markTile(s, part);
          for (int y = y0 + sy * side; y < std::min(y0 + h, y0 + sy * side + side); ++y)
            for (int x = x0 + sx * side; x < std::min(x0 + w, x0 + sx * side + side); ++x)
              most = std::max(most, row(y)[x]);
        } else {
          markIn<level - 1>(s, part);
          const std::vector<float>& below = this->squares[level - 1];
          const int belowAcross = across[level - 1],
                    belowUp = static_cast<int>(below.size()) / belowAcross;
          for (int y = 2 * sy; y < std::min(belowUp, 2 * sy + 2); ++y)
            for (int x = 2 * sx; x < std::min(belowAcross, 2 * sx + 2); ++x)
              most = std::max(most, below[static_cast<size_t>(y) * belowAcross + x]);
        }
        deepest(level, sx, sy) = most;
      }
  }

  void markTile(const Shape& s, const Box& b) {
    for (int y = b.bottom; y <= b.top; ++y) {
      const float qy = (y + 0.5f - s.y) * s.iy;
      float* stored = row(y);
      // Without branches, so that the compiler can do several pixels at once.
      for (int x = b.left; x <= b.right; ++x) {
        const float qx = (x + 0.5f - s.x) * s.ix;
        const float rest = 1.0f - qx * qx - qy * qy;
        const float z = s.z - s.dz * std::sqrt(std::max(rest, 0.0f));
        // In front of the near plane the GL draws nothing that could hide a sphere.
        const bool covers = (rest >= edge) & (z >= -1.0f) & (z < stored[x]);
        stored[x] = covers ? z : stored[x];
      }
    }
  }

  int x0, y0, w, h;
  int across[levels] = {};
  float kx, ky, kz;
  std::vector<float>& depth;
  std::vector<std::vector<float>>& squares;
};

} // namespace

void SphereArrays::clear() {
  centres.clear();
  radii.clear();
  colours.clear();
  alphas.clear();
}

void SphereArrays::reserve(size_t n) {
  centres.reserve(3 * n);
  radii.reserve(n);
  colours.reserve(3 * n);
  alphas.reserve(n);
}

void SphereArrays::add(const float centre[3], float radius, const float colour[3], float alpha) {
  centres.insert(centres.end(), centre, centre + 3);
  radii.push_back(radius);
  colours.insert(colours.end(), colour, colour + 3);
  alphas.push_back(alpha);
}

bool isOrthographic(const Camera& camera) {
  const Mat4& p = camera.projection;
  return p[3] == 0.0 && p[7] == 0.0 && p[11] == 0.0 && p[15] != 0.0;
}

double modelviewScale(const Camera& camera) {
  const Mat4& m = camera.modelview;
  return std::sqrt(m[0] * m[0] + m[1] * m[1] + m[2] * m[2]);
}

void planFrame(const SphereArrays& spheres, const Camera& camera, float maxPointSize,
               FramePlan& plan) {
  plan.points.clear();
  plan.quads.clear();
  plan.pieces.clear();
  plan.translucent.clear();
  const Mat4& m = camera.modelview;
  const double scale = modelviewScale(camera);
  const bool ortho = isOrthographic(camera);
  const OrthoView view(camera);
  Plane planes[6];
  if (!ortho) viewPlanes(view.combined, planes);

  // Depth keys: opaque nearest first, translucent farthest first; ties keep the array order.
  plan.opaqueOrder.clear();
  plan.translucentOrder.clear();
  for (size_t i = 0; i < spheres.size(); ++i) {
    const Vec3 c = spheres.centre(i);
    const double r = spheres.radii[i];
    if (!(r > 0.0)) continue;
    Vec3 at;
    if (ortho) {
      at = view.place(c);
      if (!view.seen(at, r)) continue;
    } else {
      double w = 1.0;
      const Vec3 eye = transform(m, c, w);
      if (std::sqrt(eye.x * eye.x + eye.y * eye.y + eye.z * eye.z) <= r * scale) continue;
      bool outside = false;
      for (const Plane& q : planes)
        outside = outside || q.a * c.x + q.b * c.y + q.c * c.z + q.d < -r;
      if (outside) continue;
    }
    const auto eyeZ = static_cast<float>(m[2] * c.x + m[6] * c.y + m[10] * c.z + m[14]);
    const bool opaque = spheres.alphas[i] >= 1.0f;
    (opaque ? plan.opaqueOrder : plan.translucentOrder)
        .push_back(
            PlannedSphere{orderedBits(opaque ? -eyeZ : eyeZ), static_cast<std::uint32_t>(i)});
  }
  sortByKey(plan.opaqueOrder, plan.scratch);
  sortByKey(plan.translucentOrder, plan.scratch);

  if (!ortho) {
    for (const PlannedSphere& s : plan.opaqueOrder)
      plan.quads.push_back(s.index);
    for (const PlannedSphere& s : plan.translucentOrder)
      plan.translucent.push_back(s.index);
    return;
  }
  Occlusion occlusion(view, camera.projection[10] < 0.0, plan);
  plan.large.clear();
  // Placed again rather than kept from above: a frame may plan a million spheres. In depth
  // order their arrays are read at random, so what comes a little later is fetched ahead.
  constexpr size_t ahead = 16;
  for (size_t k = 0; k < plan.opaqueOrder.size(); ++k) {
    if (k + ahead < plan.opaqueOrder.size()) {
      const std::uint32_t later = plan.opaqueOrder[k + ahead].index;
      __builtin_prefetch(&spheres.centres[3 * later]);
      __builtin_prefetch(&spheres.radii[later]);
    }
    const PlannedSphere& s = plan.opaqueOrder[k];
    const Vec3 at = view.place(spheres.centre(s.index));
    const float r = spheres.radii[s.index];
    if (!occlusion.visible(at, r, true)) continue;
    // A large sphere goes in pieces even where a point could hold it: most of a crowd of large
    // spheres lies behind the others.
    if (std::max(r * view.kx, r * view.ky) > Occlusion::block) {
      plan.large.push_back(s.index);
    } else {
      (view.fitsPoint(at, r, maxPointSize) ? plan.points : plan.quads).push_back(s.index);
    }
  }
  // Only now is it known which nearer spheres cover a large one.
  std::vector<Occlusion::Box> runs;
  for (std::uint32_t i : plan.large) {
    const Vec3 at = view.place(spheres.centre(i));
    const float r = spheres.radii[i];
    if (!occlusion.showing(at, r, runs)) {
      plan.quads.push_back(i);
      continue;
    }
    // Pixel edges as fractions of the quad, which reaches half a pixel beyond the outline.
    const double hx = std::fabs(r * view.kx) + 0.5, hy = std::fabs(r * view.ky) + 0.5;
    const auto across = [&](double edge) {
      return static_cast<float>(std::clamp((edge - at.x) / hx, -1.0, 1.0));
    };
    const auto up = [&](double edge) {
      return static_cast<float>(std::clamp((edge - at.y) / hy, -1.0, 1.0));
    };
    for (const Occlusion::Box& b : runs)
      plan.pieces.push_back(
          QuadPiece{i, across(b.left), up(b.bottom), across(b.right + 1.0), up(b.top + 1.0)});
  }
  for (const PlannedSphere& s : plan.translucentOrder)
    if (occlusion.visible(view.place(spheres.centre(s.index)), spheres.radii[s.index], false))
      plan.translucent.push_back(s.index);
}

long nearestOnRay(const SphereArrays& spheres, const Ray& ray) {
  long best = -1;
  double bestT = 2.0;
  for (size_t i = 0; i < spheres.size(); ++i) {
    const double t = firstHit(ray, spheres.centre(i), spheres.radii[i]);
    if (t >= 0.0 && t < bestT) {
      bestT = t;
      best = static_cast<long>(i);
    }
  }
  return best;
}

} // namespace orbala::render
