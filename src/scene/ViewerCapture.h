#pragma once
// The viewer's picture as a person would see it, read without depending on the window being
// uncovered or on the front buffer being readable.
#include <fx.h>
#include <fx3d.h>

#include <vector>

struct ViewerPicture {
  FXint width = 0;
  FXint height = 0;
  std::vector<FXColor> pixels; // top row first; opaque unless drawn with a clear background

  FXColor at(FXint x, FXint y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

struct CaptureOptions {
  // The background left clear (alpha 0) and each sphere's own alpha kept.
  bool clearBackground = false;
  // The largest side drawn at once; larger pictures are drawn in tiles. 0: what the GL allows.
  FXint largestTile = 0;
};

// Draws one frame of the viewer into its back buffer and reads it; false if that failed.
bool captureViewer(FXGLViewer* viewer, ViewerPicture& picture);

// Draws one frame as the viewer would show it at width x height, away from the screen: any size
// the memory allows, with the window shown or not. A viewer with no window draws in the GL
// context the caller made current. False if that failed.
bool captureViewerAt(FXGLViewer* viewer, FXint width, FXint height, ViewerPicture& picture,
                     const CaptureOptions& options = CaptureOptions());
