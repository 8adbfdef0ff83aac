#include "scene/GLObjects.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <vector>

#include "scene/core/SceneStrokes.h"

FXIMPLEMENT(GLLine_zk2, FXGLObject, nullptr, 0)
FXIMPLEMENT(GLArc_zk2, FXGLObject, nullptr, 0)

namespace {

void setLineColor(const FXfloat color[3]) {
  if (color[0] < 0.0f || color[1] < 0.0f || color[2] < 0.0f) {
    glColor3f(1.0f, 0.0f, 0.0f);
  } else {
    glColor3fv(color);
  }
}

} // namespace

GLLine_zk2::GLLine_zk2() : fm(-0.5f, 0.0f, 0.0f), to(0.5f, 0.0f, 0.0f) {}

void GLLine_zk2::draw(FXGLViewer*) {
  setLineColor(color);
  glLineWidth(width);
  glBegin(GL_LINES);
  glVertex3fv(fm.pos);
  glVertex3fv(to.pos);
  glEnd();
}

GLLine_zk2::~GLLine_zk2() {}

GLArc_zk2::GLArc_zk2() {}

void GLArc_zk2::draw(FXGLViewer*) {
  setLineColor(color);
  const std::vector<orbala::Vec3f> vertices =
      orbala::arcVertices(segments, plane, orbala::Vec3f{center[0], center[1], center[2]}, radius,
                          startAngle, sweepAngle);
  // An empty strip is not only useless: Mesa then loses the next line strip drawn.
  if (vertices.empty()) return;
  glBegin(GL_LINE_STRIP);
  for (const orbala::Vec3f& v : vertices)
    glVertex3f(v.x, v.y, v.z);
  glEnd();
}

GLArc_zk2::~GLArc_zk2() {}

namespace FX {

FXIMPLEMENT(GLSphere_zk2, FXGLShape, nullptr, 0)

unsigned long long GLSphere_zk2::changeCount = 0;

GLSphere_zk2::GLSphere_zk2() {
  range = FXRangef(-0.5f, 0.5f, -0.5f, 0.5f, -0.5f, 0.5f);
  ++changeCount;
}

GLSphere_zk2::GLSphere_zk2(FXfloat x, FXfloat y, FXfloat z, FXfloat r)
    : FXGLShape(x, y, z, SHADING_SMOOTH | STYLE_SURFACE), radius(r) {
  range = FXRangef(-r, r, -r, r, -r, r);
  ++changeCount;
}

GLSphere_zk2::GLSphere_zk2(const GLSphere_zk2& orig)
    : FXGLShape(orig), radius(orig.radius), slices(orig.slices), stacks(orig.stacks) {
  ++changeCount;
}

void GLSphere_zk2::reset(FXfloat x, FXfloat y, FXfloat z, FXfloat r) {
  const GLSphere_zk2 fresh(x, y, z, r);
  position = fresh.position;
  material[0] = fresh.material[0];
  material[1] = fresh.material[1];
  range = fresh.range;
  options = fresh.options;
  tip = fresh.tip;
  radius = fresh.radius;
  slices = fresh.slices;
  stacks = fresh.stacks;
  ++changeCount;
}

void GLSphere_zk2::save(FXStream& store) const {
  FXGLShape::save(store);
  store << radius << slices << stacks;
}

void GLSphere_zk2::load(FXStream& store) {
  FXGLShape::load(store);
  store >> radius >> slices >> stacks;
  ++changeCount;
}

FXGLObject* GLSphere_zk2::copy() {
  return new GLSphere_zk2(*this);
}

void GLSphere_zk2::setRadius(FXfloat r) {
  if (r == radius) return;
  range = FXRangef(-r, r, -r, r, -r, r);
  radius = r;
  ++changeCount;
}

FXbool GLSphere_zk2::drag(FXGLViewer* viewer, FXint fx, FXint fy, FXint tx, FXint ty) {
  ++changeCount;
  return FXGLShape::drag(viewer, fx, fy, tx, ty);
}

void GLSphere_zk2::setMaterial(FXint side, const FXMaterial& mtl) {
  FXGLShape::setMaterial(side, mtl);
  ++changeCount;
}

GLSphere_zk2::~GLSphere_zk2() {
  ++changeCount;
}

void GLSphere_zk2::drawshape(FXGLViewer*) {
  if (!(radius > 0.0f) || slices < 1 || stacks < 1) return;
  GLUquadricObj* quadric = gluNewQuadric();
  if (!quadric) return;
  // Blending and culling are this sphere's business only.
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_CULL_FACE);
  gluQuadricDrawStyle(quadric, GLU_FILL);
  gluSphere(quadric, radius, slices, stacks);
  gluDeleteQuadric(quadric);
  glPopAttrib();
}

} // namespace FX
