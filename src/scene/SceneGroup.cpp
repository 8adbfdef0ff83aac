#include "scene/SceneGroup.h"

#include <GL/gl.h>

#include "render/core/Camera.h"
#include "scene/GLObjects.h"

FXIMPLEMENT(SceneGroup, FXGLGroup, nullptr, 0)

namespace {

using orbala::render::Mat4;
using orbala::render::Vec3;

Mat4 currentMatrix(GLenum which) {
  Mat4 m{};
  glGetDoublev(which, m.data());
  return m;
}

} // namespace

SceneGroup::SceneGroup() {}

void SceneGroup::hit(FXGLViewer* viewer) {
  // Tessellated spheres in GL_SELECT crash Mesa (display lists) or grow its memory with every
  // pick; the viewer's pick matrix puts the pointer at the centre of the view volume instead.
  const Mat4 projection = currentMatrix(GL_PROJECTION_MATRIX);
  const Mat4 modelview = currentMatrix(GL_MODELVIEW_MATRIX);
  const Mat4 combined = orbala::render::multiply(projection, modelview);
  orbala::render::Ray ray;
  const bool haveRay = orbala::render::viewRay(projection, modelview, 0.0, 0.0, ray);
  glPushName(0xffffffff);
  for (FXint i = 0; i < list.no(); ++i) {
    glLoadName(i);
    auto* sphere = dynamic_cast<GLSphere_zk2*>(list[i]);
    if (!sphere) {
      list[i]->hit(viewer);
      continue;
    }
    const FXVec3f& p = sphere->getPosition();
    const Vec3 centre{p.x, p.y, p.z};
    const double t = haveRay ? orbala::render::firstHit(ray, centre, sphere->radius) : -1.0;
    // A sphere too small to meet the ray still counts when its centre is within the pick box.
    if (t < 0.0 && !orbala::render::insideView(combined, centre)) continue;
    const Vec3 at =
        t < 0.0 ? centre
                : Vec3{ray.origin.x + t * ray.direction.x, ray.origin.y + t * ray.direction.y,
                       ray.origin.z + t * ray.direction.z};
    glBegin(GL_POINTS);
    glVertex3d(at.x, at.y, at.z);
    glEnd();
  }
  glPopName();
}

SceneGroup::~SceneGroup() {}
