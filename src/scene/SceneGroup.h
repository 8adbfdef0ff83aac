#pragma once
// The viewer's scene: a group that draws all its spheres in one batch through the sphere
// renderer, and picks them by a ray test instead of drawing them in the GL's selection mode.
#include <fx.h>
#include <fx3d.h>

#include <memory>
#include <vector>

#include "render/core/Spheres.h"
#include "scene/GLObjects.h"

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

  // Takes every child out of the group: the spheres are kept for takeSphere, the rest deleted.
  // A trajectory builds the scene anew for every frame, and making and freeing an object per
  // sphere costs more than the rest of the building.
  void clearChildren();
  // A sphere as if made anew, one of those kept when there is one; not yet in the group.
  GLSphere_zk2* takeSphere(FXfloat x, FXfloat y, FXfloat z, FXfloat r);
  // Deletes the spheres kept and not taken again.
  void dropSpareSpheres();

private:
  void gather();

  std::vector<GLSphere_zk2*> spare;

  std::unique_ptr<orbala::render::SphereRenderer> renderer;
  std::vector<FXint> sphereChildren; // the child behind each sphere of the renderer
  std::vector<FXint> otherChildren;
  unsigned long long gatheredChanges = 0;
  FXint gatheredCount = -1;
  void* context = nullptr;
  bool plain = false;
};
