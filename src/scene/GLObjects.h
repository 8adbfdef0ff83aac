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

// A smooth-shaded sphere around the shape's position. Every sphere of a GL context shares one
// compiled unit-sphere mesh per subdivision, drawn scaled to the radius.
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
  const FXVec3f& getPosition() const { return position; }
  virtual ~GLSphere_zk2();

protected:
  virtual void drawshape(FXGLViewer* viewer);
};

} // namespace FX

using FX::GLSphere_zk2;
