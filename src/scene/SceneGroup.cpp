#include "scene/SceneGroup.h"

#include <GL/gl.h>

#include "render/SphereRenderer.h"
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

orbala::render::Camera currentCamera() {
  orbala::render::Camera camera;
  camera.projection = currentMatrix(GL_PROJECTION_MATRIX);
  camera.modelview = currentMatrix(GL_MODELVIEW_MATRIX);
  glGetIntegerv(GL_VIEWPORT, camera.viewport);
  return camera;
}

// The viewer's own light, as it set it up for this frame.
orbala::render::Light currentLight() {
  orbala::render::Light light;
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, light.sceneAmbient);
  glGetLightfv(GL_LIGHT0, GL_AMBIENT, light.ambient);
  glGetLightfv(GL_LIGHT0, GL_DIFFUSE, light.diffuse);
  glGetLightfv(GL_LIGHT0, GL_SPECULAR, light.specular);
  glGetLightfv(GL_LIGHT0, GL_POSITION, light.position);
  return light;
}

} // namespace

SceneGroup::SceneGroup() : renderer(new orbala::render::SphereRenderer) {}

orbala::render::SphereRenderer& SceneGroup::spheres() {
  gather();
  return *renderer;
}

void SceneGroup::setPlainSpheres(orbala::render::SphereArrays arrays) {
  plain = arrays.size() > 0;
  renderer->setSpheres(std::move(arrays));
  gatheredCount = -1;
}

void SceneGroup::gather() {
  if (gatheredChanges == GLSphere_zk2::changes() && gatheredCount == list.no()) return;
  if (plain) {
    sphereChildren.clear();
    otherChildren.clear();
    for (FXint i = 0; i < list.no(); ++i)
      otherChildren.push_back(i);
    gatheredChanges = GLSphere_zk2::changes();
    gatheredCount = list.no();
    return;
  }
  orbala::render::SphereArrays arrays;
  arrays.reserve(list.no());
  sphereChildren.clear();
  otherChildren.clear();
  for (FXint i = 0; i < list.no(); ++i) {
    auto* sphere = dynamic_cast<GLSphere_zk2*>(list[i]);
    if (!sphere) {
      otherChildren.push_back(i);
      continue;
    }
    FXMaterial material;
    sphere->getMaterial(0, material);
    const FXVec3f& p = sphere->getPosition();
    const float centre[3] = {p.x, p.y, p.z};
    const float colour[3] = {material.diffuse[0], material.diffuse[1], material.diffuse[2]};
    arrays.add(centre, sphere->radius, colour, material.diffuse[3]);
    sphereChildren.push_back(i);
  }
  renderer->setSpheres(std::move(arrays));
  gatheredChanges = GLSphere_zk2::changes();
  gatheredCount = list.no();
}

void SceneGroup::draw(FXGLViewer* viewer) {
  gather();
  for (FXint i : otherChildren)
    list[i]->draw(viewer);
  if (renderer->spheres().size() == 0) return;
  // GL objects belong to one context; a new one starts without them.
  if (viewer && viewer->getContext() != context) {
    if (context) renderer->forgetGl();
    context = viewer->getContext();
  }
  renderer->draw(currentCamera(), currentLight());
}

void SceneGroup::hit(FXGLViewer* viewer) {
  gather();
  // Tessellated spheres in GL_SELECT crash Mesa (display lists) or grow its memory with every
  // pick; the viewer's pick matrix puts the pointer at the centre of the view volume instead.
  const Mat4 projection = currentMatrix(GL_PROJECTION_MATRIX);
  const Mat4 modelview = currentMatrix(GL_MODELVIEW_MATRIX);
  const Mat4 combined = orbala::render::multiply(projection, modelview);
  orbala::render::Ray ray;
  const bool haveRay = orbala::render::viewRay(projection, modelview, 0.0, 0.0, ray);
  const orbala::render::SphereArrays& arrays = renderer->spheres();
  glPushName(0xffffffff);
  for (FXint i : otherChildren) {
    glLoadName(i);
    list[i]->hit(viewer);
  }
  for (size_t s = 0; s < sphereChildren.size(); ++s) {
    const Vec3 centre = arrays.centre(s);
    const double t = haveRay ? orbala::render::firstHit(ray, centre, arrays.radii[s]) : -1.0;
    // A sphere too small to meet the ray still counts when its centre is within the pick box.
    if (t < 0.0 && !orbala::render::insideView(combined, centre)) continue;
    const Vec3 at =
        t < 0.0 ? centre
                : Vec3{ray.origin.x + t * ray.direction.x, ray.origin.y + t * ray.direction.y,
                       ray.origin.z + t * ray.direction.z};
    glLoadName(sphereChildren[s]);
    glBegin(GL_POINTS);
    glVertex3d(at.x, at.y, at.z);
    glEnd();
  }
  glPopName();
}

void SceneGroup::clearChildren() {
  for (FXint i = list.no() - 1; i >= 0; --i) {
    if (auto* sphere = dynamic_cast<GLSphere_zk2*>(list[i]))
      spare.push_back(sphere);
    else
      delete list[i];
  }
  list.clear();
}

GLSphere_zk2* SceneGroup::takeSphere(FXfloat x, FXfloat y, FXfloat z, FXfloat r) {
  if (spare.empty()) return new GLSphere_zk2(x, y, z, r);
  GLSphere_zk2* sphere = spare.back();
  spare.pop_back();
  sphere->reset(x, y, z, r);
  return sphere;
}

void SceneGroup::dropSpareSpheres() {
  for (GLSphere_zk2* sphere : spare)
    delete sphere;
  spare.clear();
}

SceneGroup::~SceneGroup() {
  dropSpareSpheres();
}
