#pragma once
// The viewer's scene: a group whose spheres are picked by a ray test instead of being drawn in
// the GL's selection mode.
#include <fx.h>
#include <fx3d.h>

class SceneGroup : public FXGLGroup {
  FXDECLARE(SceneGroup)
public:
  SceneGroup();
  // Lines go through the GL's selection as usual; each sphere on the pick ray leaves one point
  // there, at the depth where the ray meets it, so the viewer takes the nearest as before.
  virtual void hit(FXGLViewer* viewer);
  virtual ~SceneGroup();
};
