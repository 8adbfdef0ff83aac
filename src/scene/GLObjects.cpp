#include "scene/GLObjects.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "scene/core/SceneStrokes.h"
#include "scene/core/SphereDetail.h"

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

// One compiled unit sphere per GL context and subdivision: plotting many thousands of points
// must not tessellate a quadric per sphere and frame. Lists vanish with their context, so an id
// is checked before use and compiled again when it is gone.
GLuint unitSphereList(void* context, FXint slices, FXint stacks) {
  using Key = std::tuple<void*, FXint, FXint>;
  static std::map<Key, GLuint> lists;
  static Key lastKey{nullptr, 0, 0};
  static GLuint lastList = 0;
  const Key key{context, slices, stacks};
  if (lastList && key == lastKey && glIsList(lastList)) return lastList;
  GLuint list = 0;
  const auto found = lists.find(key);
  if (found != lists.end() && glIsList(found->second)) {
    list = found->second;
  } else {
    list = glGenLists(1);
    if (!list) return 0;
    GLUquadricObj* quadric = gluNewQuadric();
    if (!quadric) {
      glDeleteLists(list, 1);
      return 0;
    }
    gluQuadricDrawStyle(quadric, GLU_FILL);
    glNewList(list, GL_COMPILE);
    gluSphere(quadric, 1.0, slices, stacks);
    glEndList();
    gluDeleteQuadric(quadric);
    lists[key] = list;
  }
  lastKey = key;
  lastList = list;
  return list;
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

GLSphere_zk2::GLSphere_zk2() {
  range = FXRangef(-0.5f, 0.5f, -0.5f, 0.5f, -0.5f, 0.5f);
}

GLSphere_zk2::GLSphere_zk2(FXfloat x, FXfloat y, FXfloat z, FXfloat r)
    : FXGLShape(x, y, z, SHADING_SMOOTH | STYLE_SURFACE), radius(r) {
  range = FXRangef(-r, r, -r, r, -r, r);
}

GLSphere_zk2::GLSphere_zk2(const GLSphere_zk2& orig)
    : FXGLShape(orig), radius(orig.radius), slices(orig.slices), stacks(orig.stacks) {}

void GLSphere_zk2::save(FXStream& store) const {
  FXGLShape::save(store);
  store << radius << slices << stacks;
}

void GLSphere_zk2::load(FXStream& store) {
  FXGLShape::load(store);
  store >> radius >> slices >> stacks;
}

FXGLObject* GLSphere_zk2::copy() {
  return new GLSphere_zk2(*this);
}

void GLSphere_zk2::setRadius(FXfloat r) {
  if (r == radius) return;
  range = FXRangef(-r, r, -r, r, -r, r);
  radius = r;
}

GLSphere_zk2::~GLSphere_zk2() {}

void GLSphere_zk2::drawshape(FXGLViewer* viewer) {
  if (!(radius > 0.0f) || slices < 1 || stacks < 1) return;
  // Blending, culling and the normal rescaling are this sphere's business only.
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_CULL_FACE);
  // A sphere a few pixels across looks the same with a coarser mesh; many points draw far faster.
  int drawSlices = slices, drawStacks = stacks;
  if (viewer && viewer->worldPix() > 0.0) {
    drawSlices = orbala::sphereDetail(radius / viewer->worldPix(), slices);
    drawStacks = std::max(2, stacks * drawSlices / slices);
  }
  // Mesa crashes calling a display list while the viewer picks (GL_SELECT): draw directly then.
  GLint renderMode = GL_RENDER;
  glGetIntegerv(GL_RENDER_MODE, &renderMode);
  const GLuint list =
      renderMode == GL_RENDER
          ? unitSphereList(viewer ? viewer->getContext() : nullptr, drawSlices, drawStacks)
          : 0;
  if (list) {
    // The unit mesh is scaled, so its normals must be brought back to unit length for lighting.
    glEnable(GL_NORMALIZE);
    glPushMatrix();
    glScalef(radius, radius, radius);
    glCallList(list);
    glPopMatrix();
  } else {
    GLUquadricObj* quadric = gluNewQuadric();
    if (quadric) {
      gluQuadricDrawStyle(quadric, GLU_FILL);
      gluSphere(quadric, radius, drawSlices, drawStacks);
      gluDeleteQuadric(quadric);
    }
  }
  glPopAttrib();
}

} // namespace FX
