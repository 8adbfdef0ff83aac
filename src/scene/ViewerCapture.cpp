#include "scene/ViewerCapture.h"

#include <GL/gl.h>

namespace {

// The viewer's own drawing, reached without a subclass: the viewer belongs to the layout.
struct ViewerAccess : FXGLViewer {
  using FXGLViewer::drawWorld;
};

} // namespace

bool captureViewer(FXGLViewer* viewer, ViewerPicture& picture) {
  const FXint width = viewer->getWidth();
  const FXint height = viewer->getHeight();
  if (!viewer->id() || width < 1 || height < 1 || !viewer->makeCurrent()) return false;
  FXViewport port;
  viewer->getViewport(port);
  // The GL driver picks up a new window size at a buffer swap.
  viewer->swapBuffers();
  void (FXGLViewer::*drawWorld)(FXViewport&) = &ViewerAccess::drawWorld;
  (viewer->*drawWorld)(port);
  glFinish();
  std::vector<FXColor> raw(static_cast<size_t>(width) * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
  const bool ok = glGetError() == GL_NO_ERROR;
  viewer->makeNonCurrent();
  if (!ok) return false;

  picture.width = width;
  picture.height = height;
  picture.pixels.resize(raw.size());
  for (FXint y = 0; y < height; ++y) { // GL rows run bottom-up
    const FXColor* from = &raw[static_cast<size_t>(height - 1 - y) * width];
    FXColor* to = &picture.pixels[static_cast<size_t>(y) * width];
    for (FXint x = 0; x < width; ++x)
      to[x] = FXRGB(FXREDVAL(from[x]), FXGREENVAL(from[x]), FXBLUEVAL(from[x]));
  }
  return true;
}
