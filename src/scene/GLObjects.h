#pragma once
// Drawable objects of the scene: coloured lines (axes and letter strokes), arcs, and the lit,
// possibly translucent spheres that stand for the points.
#include <fx.h>
#include <fx3d.h>

// A straight line; a negative colour channel means "unset" and draws red.
class GLLine_zk2 : public FXGLObject {
  FXDECLARE(GLLine_zk2)
public:
  FXfloat color[3] = {-1.0f, -1.0f, -1.0f};
  FXfloat width = 1.0f;
  FXGLPoint fm;
  FXGLPoint to;

  GLLine_zk2();
  virtual void draw(FXGLViewer* viewer);
  virtual ~GLLine_zk2();
};

// A circular arc of line segments parallel to one coordinate plane (0: x-y, 1: x-z, 2: y-z).
class GLArc_zk2 : public FXGLObject {
  FXDECLARE(GLArc_zk2)
public:
  FXint segments = 0; // vertices emitted; 0 draws nothing until the arc is set up
  FXint plane = 0;
  FXfloat center[3] = {0.0f, 0.0f, 0.0f};
  FXfloat radius = 1.0f;
  FXfloat startAngle = 0.0f;
  FXfloat sweepAngle = 0.0f;
  FXfloat color[3] = {-1.0f, -1.0f, -1.0f};

  GLArc_zk2();
  virtual void draw(FXGLViewer* viewer);
  virtual ~GLArc_zk2();
};

namespace FX {

// A smooth-shaded sphere around the shape's position. Drawn on its own it is a GLU quadric; the
// scene group draws all its spheres in one batch instead.
class GLSphere_zk2 : public FXGLShape {
  FXDECLARE(GLSphere_zk2)
public:
  FXfloat radius = 0.5f;
  FXint slices = 40;
  FXint stacks = 40;

  GLSphere_zk2();
  GLSphere_zk2(FXfloat x, FXfloat y, FXfloat z, FXfloat r);
  GLSphere_zk2(const GLSphere_zk2& orig);

  virtual void save(FXStream& store) const;
  virtual void load(FXStream& store);
  virtual FXGLObject* copy();
  virtual void setRadius(FXfloat r);
  // Counts the move, as the viewer drags a selected sphere.
  virtual FXbool drag(FXGLViewer* viewer, FXint fx, FXint fy, FXint tx, FXint ty);
  virtual ~GLSphere_zk2();

  const FXVec3f& getPosition() const { return position; }
  // As if made anew at the given place and size, for a sphere used again.
  void reset(FXfloat x, FXfloat y, FXfloat z, FXfloat r);
  // Counts the new colour (hides the shape's own, which is not virtual).
  void setMaterial(FXint side, const FXMaterial& mtl);
  // Grows with every change to any sphere (made, loaded, resized, recoloured, moved, deleted),
  // so whoever draws spheres in a batch knows when to gather them again.
  static unsigned long long changes() { return changeCount; }

protected:
  virtual void drawshape(FXGLViewer* viewer);

private:
  static unsigned long long changeCount;
};

} // namespace FX

using FX::GLSphere_zk2;
