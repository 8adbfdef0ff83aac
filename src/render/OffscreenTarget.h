#pragma once
// A picture drawn away from any window: a framebuffer object of its own size in the current GL
// context, so an export may be larger than the screen and needs no mapped window.
#include <cstdint>
#include <vector>

class OffscreenTarget {
public:
  OffscreenTarget() = default;
  OffscreenTarget(const OffscreenTarget&) = delete;
  OffscreenTarget& operator=(const OffscreenTarget&) = delete;
  ~OffscreenTarget();

  // Makes and binds a width x height colour and depth target in the current context; false
  // (nothing bound) when the context has no framebuffer objects or the size is too large.
  bool create(int width, int height);
  // Reads the target's RGBA bytes, bottom row first, after the drawing has finished; the second
  // form reads only the bottom left w x h.
  bool read(std::vector<std::uint32_t>& rgba) const;
  bool read(int w, int h, std::vector<std::uint32_t>& rgba) const;

  // The largest side a target is made with in the current context: what the GL allows, at most
  // `limit` when that is positive, and never so large that one target takes much memory.
  static int largestSide(int limit = 0);

private:
  void release();
  unsigned framebuffer = 0, colour = 0, depth = 0;
  int previous = 0;
  int width = 0, height = 0;
};
