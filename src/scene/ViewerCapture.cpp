#include "scene/ViewerCapture.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>

#include "render/OffscreenTarget.h"

namespace {

// The viewer's own drawing, reached without a subclass: the viewer belongs to the layout.
struct ViewerAccess : FXGLViewer {
  using FXGLViewer::drawWorld;
};

void drawWorld(FXGLViewer* viewer, FXViewport port) {
  void (FXGLViewer::*draw)(FXViewport&) = &ViewerAccess::drawWorld;
  (viewer->*draw)(port);
}

// GL rows run bottom-up, in RGBA byte order.
void takeRows(const std::vector<std::uint32_t>& raw, FXint width, FXint height,
              ViewerPicture& picture) {
  picture.width = width;
  picture.height = height;
  picture.pixels.resize(raw.size());
  for (FXint y = 0; y < height; ++y) {
    const auto* from =
        reinterpret_cast<const FXuchar*>(&raw[static_cast<size_t>(height - 1 - y) * width]);
    FXColor* to = &picture.pixels[static_cast<size_t>(y) * width];
    for (FXint x = 0; x < width; ++x, from += 4)
      to[x] = FXRGB(from[0], from[1], from[2]);
  }
}

} // namespace

bool captureViewer(FXGLViewer* viewer, ViewerPicture& picture) {
  const FXint width = viewer->getWidth();
  const FXint height = viewer->getHeight();
  if (!viewer->id() || width < 1 || height < 1 || !viewer->makeCurrent()) return false;
  FXViewport port;
  viewer->getViewport(port);
  // The GL driver picks up a new window size at a buffer swap.
  viewer->swapBuffers();
  drawWorld(viewer, port);
  glFinish();
  std::vector<std::uint32_t> raw(static_cast<size_t>(width) * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
  const bool ok = glGetError() == GL_NO_ERROR;
  viewer->makeNonCurrent();
  if (!ok) return false;
  takeRows(raw, width, height, picture);
  return true;
}

namespace {

// The part of the view volume one tile of a width x height picture sees: the projection is cut,
// not the viewport moved, so every tile rasterises as the whole picture would at that place.
FXViewport tileOf(const FXViewport& whole, FXint x, FXint y, FXint w, FXint h) {
  FXViewport tile = whole;
  const double across = (whole.right - whole.left) / whole.w;
  const double up = (whole.top - whole.bottom) / whole.h;
  tile.w = w;
  tile.h = h;
  tile.left = whole.left + across * x;
  tile.right = whole.left + across * (x + w);
  tile.bottom = whole.bottom + up * y;
  tile.top = whole.bottom + up * (y + h);
  return tile;
}

// Tiles count from the bottom left, as GL rows do; `into` is top row first.
void placeTile(const std::vector<std::uint32_t>& raw, const FXViewport& tile, FXint x, FXint y,
               bool keepAlpha, ViewerPicture& into) {
  for (FXint row = 0; row < tile.h; ++row) {
    const auto* from = reinterpret_cast<const FXuchar*>(&raw[static_cast<size_t>(row) * tile.w]);
    FXColor* to = &into.pixels[static_cast<size_t>(into.height - 1 - (y + row)) * into.width + x];
    for (FXint i = 0; i < tile.w; ++i, from += 4) {
      if (!keepAlpha) {
        to[i] = FXRGB(from[0], from[1], from[2]);
        continue;
      }
      // Blending over a clear background leaves colours multiplied by their alpha.
      const unsigned a = from[3];
      const auto plain = [a](unsigned c) {
        return static_cast<FXuchar>(a ? std::min(255u, (c * 255 + a / 2) / a) : 0);
      };
      to[i] = FXRGBA(plain(from[0]), plain(from[1]), plain(from[2]), a);
    }
  }
}

bool drawTiles(FXGLViewer* viewer, const FXViewport& whole, const CaptureOptions& options,
               ViewerPicture& picture) {
  const FXint side = OffscreenTarget::largestSide(options.largestTile);
  if (side < 1) return false;
  OffscreenTarget target;
  if (!target.create(std::min(whole.w, side), std::min(whole.h, side))) return false;
  std::vector<std::uint32_t> raw;
  for (FXint y = 0; y < whole.h; y += side) {
    for (FXint x = 0; x < whole.w; x += side) {
      const FXViewport tile =
          tileOf(whole, x, y, std::min(side, whole.w - x), std::min(side, whole.h - y));
      drawWorld(viewer, tile);
      if (!target.read(tile.w, tile.h, raw)) return false;
      placeTile(raw, tile, x, y, options.clearBackground, picture);
    }
  }
  return true;
}

} // namespace

bool captureViewerAt(FXGLViewer* viewer, FXint width, FXint height, ViewerPicture& picture,
                     const CaptureOptions& options) {
  const bool ownContext = viewer->id() != 0;
  if (width < 1 || height < 1 || (ownContext && !viewer->makeCurrent())) return false;
  // The viewer works out its projection for its own size: lend it the picture's for a moment.
  const FXint oldWidth = viewer->getWidth(), oldHeight = viewer->getHeight();
  const FXVec4f oldTop = viewer->getBackgroundColor(FALSE);
  const FXVec4f oldBottom = viewer->getBackgroundColor(TRUE);
  viewer->position(viewer->getX(), viewer->getY(), width, height);
  viewer->layout(); // which a window not on the screen is not given by position()
  if (options.clearBackground) viewer->setBackgroundColor(FXVec4f(0.0f, 0.0f, 0.0f, 0.0f));
  FXViewport whole;
  viewer->getViewport(whole);
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<size_t>(width) * height, 0);
  const bool ok = drawTiles(viewer, whole, options, picture);
  viewer->setBackgroundColor(oldTop, FALSE);
  viewer->setBackgroundColor(oldBottom, TRUE);
  viewer->position(viewer->getX(), viewer->getY(), oldWidth, oldHeight);
  viewer->layout();
  if (ownContext) viewer->makeNonCurrent();
  if (!ok) picture = ViewerPicture();
  return ok;
}
