#pragma once
// The viewer's scene: a group that draws all its spheres in one batch through the sphere
// renderer, and picks them by a ray test instead of drawing them in the GL's selection mode.
#include <fx.h>
#include <fx3d.h>

#include <memory>
#include <vector>

#include "render/core/Spheres.h"

namespace orbala::render {
class SphereRenderer;
}

class SceneGroup : public FXGLGroup {
  FXDECLARE(SceneGroup)
public:
  SceneGroup();
  // Other objects first, in their order, then the spheres.
  virtual void draw(FXGLViewer* viewer);
  // Other objects go through the GL's selection as usual; each sphere on the pick ray leaves
  // one point there, at the depth where the ray meets it, so the viewer takes the nearest.
  virtual void hit(FXGLViewer* viewer);
  virtual ~SceneGroup();

  // The renderer of the spheres, gathered from the group when they last changed.
  orbala::render::SphereRenderer& spheres();

  // Spheres without an object each, drawn after the children: for pictures made from the shell,
  // which nobody points at, so they cannot be picked. Empty arrays go back to the children.
  void setPlainSpheres(orbala::render::SphereArrays arrays);

private:
  void gather();

  std::unique_ptr<orbala::render::SphereRenderer> renderer;
  std::vector<FXint> sphereChildren; // the child behind each sphere of the renderer
  std::vector<FXint> otherChildren;
  unsigned long long gatheredChanges = 0;
  FXint gatheredCount = -1;
  void* context = nullptr;
  bool plain = false;
};
