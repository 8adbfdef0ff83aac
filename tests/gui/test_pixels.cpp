// What the viewer shows: sphere colours at their projected centres, the background grey, the
// axes and lines, read back from a rendered frame.
#include "GuiHarness.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

#include "scene/GLObjects.h"
#include "table/Table_zk2.h"

namespace {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<FXColor> pixels; // top row first

  FXColor at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// The viewer's own drawing, reached without a subclass: the viewer belongs to the window.
struct ViewerAccess : FXGLViewer {
  using FXGLViewer::drawWorld;
};

// Renders one frame into the back buffer and reads it back, so nothing depends on the window
// being on top or on the front buffer being readable.
Picture grab(FXGLViewer* viewer) {
  Picture picture;
  picture.width = viewer->getWidth();
  picture.height = viewer->getHeight();
  if (picture.width < 1 || picture.height < 1 || !viewer->makeCurrent()) return Picture();
  FXViewport port;
  viewer->getViewport(port);
  // The GL driver picks up a new window size at a buffer swap.
  viewer->swapBuffers();
  void (FXGLViewer::*drawWorld)(FXViewport&) = &ViewerAccess::drawWorld;
  (viewer->*drawWorld)(port);
  glFinish();
  std::vector<FXColor> raw(static_cast<size_t>(picture.width) * picture.height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, picture.width, picture.height, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
  viewer->makeNonCurrent();
  picture.pixels.resize(raw.size());
  for (int y = 0; y < picture.height; ++y) { // GL rows run bottom-up
    std::copy_n(raw.begin() + static_cast<size_t>(picture.height - 1 - y) * picture.width,
                picture.width, picture.pixels.begin() + static_cast<size_t>(y) * picture.width);
  }
  return picture;
}

// Where a failing test leaves its picture for a person to look at.
std::string artefactPath(const std::string& name) {
  const char* env = std::getenv("ORBALA_TEST_TMP");
  std::string folder = env && *env ? env : "Testing/Temporary";
  if (!env || !*env) {
    mkdir("Testing", 0777);
  }
  mkdir(folder.c_str(), 0777);
  return folder + "/" + name + ".ppm";
}

void savePicture(const Picture& picture, const std::string& name) {
  const std::string path = artefactPath(name);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  std::fprintf(file, "P6\n%d %d\n255\n", picture.width, picture.height);
  for (FXColor c : picture.pixels) {
    const unsigned char rgb[3] = {static_cast<unsigned char>(FXREDVAL(c)),
                                  static_cast<unsigned char>(FXGREENVAL(c)),
                                  static_cast<unsigned char>(FXBLUEVAL(c))};
    std::fwrite(rgb, 1, 3, file);
  }
  std::fclose(file);
  std::fprintf(stderr, "picture written to %s\n", path.c_str());
}

// A sphere drawn the plain way, a GLU quadric per draw: the look the shared mesh must keep.
class QuadricSphere : public GLSphere_zk2 {
public:
  QuadricSphere(const GLSphere_zk2& model) : GLSphere_zk2(model) {}

protected:
  void drawshape(FXGLViewer*) override {
    GLUquadricObj* quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_CULL_FACE);
    gluSphere(quadric, radius, slices, stacks);
    gluDeleteQuadric(quadric);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
  }
};

int channelDistance(FXColor a, FXColor b) {
  return std::max({std::abs(static_cast<int>(FXREDVAL(a)) - static_cast<int>(FXREDVAL(b))),
                   std::abs(static_cast<int>(FXGREENVAL(a)) - static_cast<int>(FXGREENVAL(b))),
                   std::abs(static_cast<int>(FXBLUEVAL(a)) - static_cast<int>(FXBLUEVAL(b)))});
}

bool near(FXColor c, int r, int g, int b, int tolerance = 2) {
  return channelDistance(c, FXRGB(r, g, b)) <= tolerance;
}

} // namespace

class PixelTest : public OrbalaTest {
protected:
  void SetUp() override {
    OrbalaTest::SetUp();
    prepareWindow();
  }
  void prepareWindow() {
    openWindow();
    // Room for the viewer beside the table and its controls.
    win->position(0, 0, 1500, 1000);
    pump();
    win->colorPoints = true;
    win->syncSphereColorRadios();
  }
  void TearDown() override {
    if (HasFailure() && !last.pixels.empty()) {
      savePicture(last, ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    OrbalaTest::TearDown();
  }

  Picture shot() {
    last = grab(win->viewer);
    return last;
  }
  // The pixel that a world point lands on.
  void project(float x, float y, float z, int& sx, int& sy) {
    win->viewer->eyeToScreen(sx, sy, win->viewer->worldToEye(FXVec3f(x, y, z)));
  }
  FXColor pixelAt(const Picture& p, float x, float y, float z) {
    int sx = 0, sy = 0;
    project(x, y, z, sx, sy);
    EXPECT_TRUE(p.contains(sx, sy)) << sx << "," << sy;
    return p.contains(sx, sy) ? p.at(sx, sy) : 0;
  }
  // True when a pixel of the colour lies within one pixel of the point (lines are 1 px wide).
  bool lineColourNear(const Picture& p, float x, float y, float z, int r, int g, int b) {
    int sx = 0, sy = 0;
    project(x, y, z, sx, sy);
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (p.contains(sx + dx, sy + dy) && near(p.at(sx + dx, sy + dy), r, g, b, 3)) return true;
    return false;
  }

  Picture last;
};

TEST_F(PixelTest, OpaqueSphereShowsItsColourAtItsCentre) {
  setRow(0, {"", "10", "8", "0", "255", "0", "0"});
  setRow(1, {"", "-10", "-8", "0", "0", "0", "255", "0.5"});
  win->readTable(true);
  const Picture p = shot();
  ASSERT_FALSE(p.pixels.empty());
  const FXColor red = pixelAt(p, 10, 8, 0);
  EXPECT_GT(FXREDVAL(red), 180u);
  EXPECT_LT(FXGREENVAL(red), 30u);
  EXPECT_LT(FXBLUEVAL(red), 30u);
  const FXColor blue = pixelAt(p, -10, -8, 0);
  EXPECT_GT(FXBLUEVAL(blue), 180u);
  EXPECT_LT(FXREDVAL(blue), 30u);
  // B = 100: a white background.
  EXPECT_TRUE(near(p.at(2, 2), 255, 255, 255));
}

TEST_F(PixelTest, BackgroundGreyAndAxisGrey) {
  win->sphereRadiusSlider->setValue(100);
  setRow(0, {"", "10", "8", "0", "255", "0", "0"});
  setRow(1, {"", "-10", "-8", "0", "0", "255", "0"});
  win->backgroundSlider->setValue(50);
  win->readTable(true);
  Picture p = shot();
  ASSERT_FALSE(p.pixels.empty());
  EXPECT_TRUE(near(p.at(2, 2), 128, 128, 128));
  // Grey 0.8 axes on the dark half of the slider.
  EXPECT_TRUE(lineColourNear(p, 0, 12, 0, 204, 204, 204));
  EXPECT_TRUE(lineColourNear(p, -13, 0, 0, 204, 204, 204));
  // Away from the lines it is background.
  EXPECT_TRUE(near(pixelAt(p, 5, 12, 0), 128, 128, 128));

  win->backgroundSlider->setValue(51);
  win->rebuildScene();
  p = shot();
  EXPECT_TRUE(near(p.at(2, 2), 130, 130, 130));
  EXPECT_TRUE(lineColourNear(p, 0, 12, 0, 0, 0, 0));
  EXPECT_FALSE(lineColourNear(p, 0, 12, 0, 204, 204, 204));
}

TEST_F(PixelTest, HiddenPointLeavesTheBackground) {
  setRow(0, {"", "10", "8", "0", "255", "0", "0"});
  setRow(1, {"", "-10", "-8", "0", "0", "0", "255"});
  win->backgroundSlider->setValue(30);
  win->readTable(true);
  win->table->setCurrentItem(0, 8);
  FXEvent ev;
  ev.moved = false;
  send(SEL_LEFTBUTTONRELEASE, Orbala::ID_TABLE, win->table, &ev);
  ASSERT_EQ(win->rowState.showFlags[0], 0);
  const Picture p = shot();
  ASSERT_FALSE(p.pixels.empty());
  EXPECT_TRUE(near(pixelAt(p, 10, 8, 0), 77, 77, 77));
  EXPECT_GT(FXBLUEVAL(pixelAt(p, -10, -8, 0)), 180u);
}

TEST_F(PixelTest, TranslucentSphereLetsTheBackgroundThrough) {
  setRow(0, {"", "10", "8", "0", "255", "0", "0"});
  setRow(1, {"", "-10", "-8", "0", "255", "0", "0"});
  win->backgroundSlider->setValue(0);
  win->rowState.opaqueFlags[1] = 0;
  win->opaquenessField->setText("0.5");
  win->readTable(true);
  const Picture p = shot();
  ASSERT_FALSE(p.pixels.empty());
  const FXColor solid = pixelAt(p, 10, 8, 0);
  const FXColor glass = pixelAt(p, -10, -8, 0);
  // On black, half the light of the same red.
  EXPECT_NEAR(static_cast<double>(FXREDVAL(glass)), FXREDVAL(solid) * 0.5, 6.0);
  EXPECT_LT(FXGREENVAL(glass), 10u);
}

TEST_F(PixelTest, SharedMeshLooksLikeAQuadricPerSphere) {
  setRow(0, {"", "10", "8", "0", "255", "40", "0"});
  setRow(1, {"", "-10", "-8", "3", "0", "120", "255", "0.7"});
  setRow(2, {"", "0", "0", "-6", "90", "200", "90", "0.4"});
  win->rowState.opaqueFlags[2] = 0;
  win->backgroundSlider->setValue(40);
  win->readTable(true);
  const Picture mine = shot();
  ASSERT_FALSE(mine.pixels.empty());

  // The same scene with every sphere swapped for the plain quadric version.
  FXGLGroup* group = win->sceneGroup;
  for (FXint i = 0; i < group->no(); ++i) {
    if (auto* sphere = dynamic_cast<GLSphere_zk2*>(group->child(i))) {
      group->replace(i, new QuadricSphere(*sphere));
      delete sphere;
    }
  }
  const Picture reference = grab(win->viewer);
  ASSERT_EQ(reference.pixels.size(), mine.pixels.size());
  int differing = 0;
  int sphereArea = 0;
  const FXColor background = reference.at(2, 2);
  for (size_t i = 0; i < mine.pixels.size(); ++i) {
    if (reference.pixels[i] != background) ++sphereArea;
    if (channelDistance(mine.pixels[i], reference.pixels[i]) > 8) ++differing;
  }
  ASSERT_GT(sphereArea, 10000);
  // Only a sliver along the outlines may fall on the other side of a pixel centre.
  EXPECT_LT(differing, sphereArea / 200) << differing << " of " << sphereArea;
  if (differing >= sphereArea / 200) savePicture(reference, "quadric_reference");
}

TEST_F(PixelTest, MeshSurvivesANewGlContext) {
  setRow(0, {"", "10", "8", "0", "0", "255", "0"});
  win->readTable(true);
  EXPECT_GT(FXGREENVAL(pixelAt(shot(), 10, 8, 0)), 180u);
  // A new window brings a new GL context; its spheres must not use the old one's mesh.
  prepareWindow();
  setRow(0, {"", "10", "8", "0", "0", "255", "0"});
  win->readTable(true);
  const Picture p = shot();
  ASSERT_FALSE(p.pixels.empty());
  EXPECT_GT(FXGREENVAL(pixelAt(p, 10, 8, 0)), 180u);
}

TEST_F(PixelTest, LinesAndArcs) {
  win->sphereRadiusSlider->setValue(50);
  setRow(0, {"", "10", "8", "0", "255", "255", "255"});
  win->backgroundSlider->setValue(100);
  win->showXYAxisCheck->setCheck(FALSE);
  win->showZAxisCheck->setCheck(FALSE);
  win->readTable(true);
  const Picture plain = shot();
  ASSERT_FALSE(plain.pixels.empty());

  auto* unset = new GLLine_zk2;
  unset->fm.pos = FXVec3f(-8, -6, 0);
  unset->to.pos = FXVec3f(8, -6, 0);
  unset->color[0] = 0.2f;
  unset->color[1] = -0.1f;
  unset->color[2] = 0.5f;
  auto* black = new GLLine_zk2;
  black->fm.pos = FXVec3f(-8, -9, 0);
  black->to.pos = FXVec3f(8, -9, 0);
  black->color[0] = black->color[1] = black->color[2] = 0.0f;
  auto* arc = new GLArc_zk2;
  arc->segments = 60;
  arc->plane = 0;
  arc->radius = 6;
  arc->sweepAngle = static_cast<float>(M_PI / 2);
  arc->color[0] = 0;
  arc->color[1] = 0;
  arc->color[2] = 1;
  auto* nowhere = new GLArc_zk2;
  nowhere->segments = 60;
  nowhere->plane = 3;
  nowhere->radius = 7;
  nowhere->sweepAngle = 6;
  nowhere->color[1] = 1;
  win->sceneGroup->append(unset);
  win->sceneGroup->append(black);
  win->sceneGroup->append(nowhere);
  const Picture withPlaneThree = shot();
  EXPECT_TRUE(lineColourNear(withPlaneThree, 0, -6, 0, 255, 0, 0));
  EXPECT_TRUE(lineColourNear(withPlaneThree, 3, -9, 0, 0, 0, 0));
  // An arc in no plane draws nothing: only the two lines changed the picture, and the arc
  // drawn after it still shows.
  int changedOffLines = 0;
  for (int y = 0; y < plain.height; ++y) {
    for (int x = 0; x < plain.width; ++x) {
      const FXColor c = withPlaneThree.at(x, y);
      if (c != plain.at(x, y) && !near(c, 255, 0, 0, 60) && !near(c, 0, 0, 0, 60))
        ++changedOffLines;
    }
  }
  EXPECT_EQ(changedOffLines, 0);

  win->sceneGroup->append(arc);
  const Picture withArc = shot();
  const float d = static_cast<float>(6 * std::cos(M_PI / 4));
  EXPECT_TRUE(lineColourNear(withArc, d, d, 0, 0, 0, 255));
  EXPECT_TRUE(lineColourNear(withArc, 6, 0.05f, 0, 0, 0, 255));
  EXPECT_FALSE(lineColourNear(withArc, -d, -d, 0, 0, 0, 255));
}

TEST_F(PixelTest, DrawingLeavesTheGlStateAsFound) {
  setRow(0, {"", "1", "1", "1"});
  win->readTable(true);
  auto* sphere = dynamic_cast<GLSphere_zk2*>(win->sceneGroup->child(win->sceneGroup->no() - 1));
  ASSERT_NE(sphere, nullptr);
  shot(); // the size settles with the first frame
  ASSERT_TRUE(win->viewer->makeCurrent());
  glDisable(GL_BLEND);
  glDisable(GL_CULL_FACE);
  glDisable(GL_NORMALIZE);
  GLint depthBefore = -1;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depthBefore);
  sphere->draw(win->viewer);
  sphere->draw(win->viewer);
  GLint depthAfter = -1;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depthAfter);
  EXPECT_EQ(depthAfter, depthBefore);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  EXPECT_FALSE(glIsEnabled(GL_NORMALIZE));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  win->viewer->makeNonCurrent();
}

TEST_F(PixelTest, SinglePointAtTheOriginIsStillSeen) {
  // All data at the origin measures an extent of 0: an empty view box.
  setRow(0, {"", "0", "0", "0", "0", "0", "255"});
  win->readTable(true);
  EXPECT_EQ(win->dataExtent, 0.0);
  const Picture p = shot();
  ASSERT_FALSE(p.pixels.empty());
  EXPECT_GT(FXBLUEVAL(pixelAt(p, 0, 0, 0)), 180u);
}
