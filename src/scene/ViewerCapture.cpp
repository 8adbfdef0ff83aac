#include "scene/ViewerCapture.h"

#include <GL/gl.h>

#include <cstdint>

#include "render/OffscreenTarget.h"

namespace {

// The viewer's own drawing, reached without a subclass: the viewer belongs to the layout.
struct ViewerAccess : FXGLViewer {
  using FXGLViewer::drawWorld;
};

void drawWorld(FXGLViewer* viewer, FXViewport& port) {
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

bool captureViewerAt(FXGLViewer* viewer, FXint width, FXint height, ViewerPicture& picture) {
  if (!viewer->id() || width < 1 || height < 1 || !viewer->makeCurrent()) return false;
  // The viewer works out its projection for its own size: lend it the picture's for a moment.
  const FXint oldWidth = viewer->getWidth(), oldHeight = viewer->getHeight();
  viewer->position(viewer->getX(), viewer->getY(), width, height);
  FXViewport port;
  viewer->getViewport(port);
  std::vector<std::uint32_t> raw;
  bool ok = false;
  {
    OffscreenTarget target;
    if (target.create(width, height)) {
      drawWorld(viewer, port);
      ok = target.read(raw);
    }
  }
  viewer->position(viewer->getX(), viewer->getY(), oldWidth, oldHeight);
  viewer->makeNonCurrent();
  if (ok) takeRows(raw, width, height, picture);
  return ok;
}
