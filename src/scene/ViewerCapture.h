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

// Draws one frame as the viewer would show it at width x height, away from the screen: any size
// the GL allows, with the window shown or not. False if that failed.
bool captureViewerAt(FXGLViewer* viewer, FXint width, FXint height, ViewerPicture& picture);
