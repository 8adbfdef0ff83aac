#pragma once
// The viewer's picture as a person would see it, read without depending on the window being
// uncovered or on the front buffer being readable.
#include <fx.h>
#include <fx3d.h>

#include <vector>

struct ViewerPicture {
  FXint width = 0;
  FXint height = 0;
  std::vector<FXColor> pixels; // top row first, opaque

  FXColor at(FXint x, FXint y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Draws one frame of the viewer into its back buffer and reads it; false if that failed.
bool captureViewer(FXGLViewer* viewer, ViewerPicture& picture);
