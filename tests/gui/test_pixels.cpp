// What the viewer shows: sphere colours at their projected centres, the background grey and the
// axes, read back from a rendered frame.
#include "GuiHarness.h"

#include <GL/gl.h>

#include <cstdlib>
#include <filesystem>

#include "scene/GLObjects.h"
#include "table/Table_zk2.h"

namespace {

// Leaves a picture for a person to look at, where the build keeps its test artefacts.
void savePicture(const ViewerPicture& picture, const std::string& name) {
  const char* env = std::getenv("ORBALA_TEST_TMP");
  const std::string folder = env && *env ? env : "Testing/Temporary";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  const std::string path = folder + "/" + name + ".ppm";
  std::string bytes =
      "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
  for (FXColor c : picture.pixels)
    bytes += {char(FXREDVAL(c)), char(FXGREENVAL(c)), char(FXBLUEVAL(c))};
  writeFile(path, bytes);
  std::fprintf(stderr, "picture written to %s\n", path.c_str());
}

} // namespace

class PixelTest : public OrbalaTest {
protected:
  void SetUp() override {
    OrbalaTest::SetUp();
    prepareWindow();
  }
  void prepareWindow() {
    win->position(0, 0, 1500, 1000); // room for the viewer beside the table and its controls
    pump();
    win->colorPoints = true;
    win->syncSphereColorRadios();
  }
  void TearDown() override {
    if (HasFailure() && !last.pixels.empty())
      savePicture(last, ::testing::UnitTest::GetInstance()->current_test_info()->name());
    OrbalaTest::TearDown();
  }

  ViewerPicture shot() {
    last = grab(win->viewer);
    EXPECT_FALSE(last.pixels.empty());
    return last;
  }
  // True when a pixel of the colour lies within one pixel of the point (lines are 1 px wide).
  bool lineColourNear(const ViewerPicture& p, float x, float y, float z, FXColor colour) {
    int sx = 0, sy = 0;
    project(x, y, z, sx, sy);
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (contains(p, sx + dx, sy + dy) && nearColour(p.at(sx + dx, sy + dy), colour, 3))
          return true;
    return false;
  }
  // Two points, at (10, 8, 0) and (-10, -8, 0).
  void twoPoints(const char* r, const char* g, const char* b, const char* size = "1.0") {
    setRow(0, {"", "10", "8", "0", "255", "0", "0"});
    setRow(1, {"", "-10", "-8", "0", r, g, b, size});
  }

  ViewerPicture last;
};

TEST_F(PixelTest, OpaqueSphereShowsItsColourAtItsCentre) {
  twoPoints("0", "0", "255", "0.5");
  win->readTable(true);
  const ViewerPicture p = shot();
  const FXColor red = pixelAt(p, 10, 8, 0), blue = pixelAt(p, -10, -8, 0);
  EXPECT_TRUE(FXREDVAL(red) > 180 && FXGREENVAL(red) < 30 && FXBLUEVAL(red) < 30) << red;
  EXPECT_TRUE(FXBLUEVAL(blue) > 180 && FXREDVAL(blue) < 30) << blue;
  EXPECT_TRUE(nearColour(p.at(2, 2), FXRGB(255, 255, 255))); // B = 100: a white background
}

TEST_F(PixelTest, BackgroundGreyAndAxisGrey) {
  win->sphereRadiusSlider->setValue(100);
  twoPoints("0", "255", "0");
  win->backgroundSlider->setValue(50);
  win->readTable(true);
  ViewerPicture p = shot();
  const FXColor grey = FXRGB(128, 128, 128), light = FXRGB(204, 204, 204);
  EXPECT_TRUE(nearColour(p.at(2, 2), grey));
  // Grey 0.8 axes on the dark half of the slider; away from the lines it is background.
  EXPECT_TRUE(lineColourNear(p, 0, 12, 0, light));
  EXPECT_TRUE(lineColourNear(p, -13, 0, 0, light));
  EXPECT_TRUE(nearColour(pixelAt(p, 5, 12, 0), grey));

  win->backgroundSlider->setValue(51);
  win->rebuildScene();
  p = shot();
  EXPECT_TRUE(nearColour(p.at(2, 2), FXRGB(130, 130, 130)));
  EXPECT_TRUE(lineColourNear(p, 0, 12, 0, FXRGB(0, 0, 0)));
  EXPECT_FALSE(lineColourNear(p, 0, 12, 0, light));
}

TEST_F(PixelTest, HiddenPointLeavesTheBackground) {
  twoPoints("0", "0", "255");
  win->backgroundSlider->setValue(30);
  win->readTable(true);
  clickCell(0, 8);
  ASSERT_EQ(win->rowState.showFlags[0], 0);
  const ViewerPicture p = shot();
  EXPECT_TRUE(nearColour(pixelAt(p, 10, 8, 0), FXRGB(77, 77, 77)));
  EXPECT_GT(FXBLUEVAL(pixelAt(p, -10, -8, 0)), 180u);
}

TEST_F(PixelTest, TranslucentSphereLetsTheBackgroundThrough) {
  twoPoints("255", "0", "0");
  win->backgroundSlider->setValue(0);
  win->rowState.opaqueFlags[1] = 0;
  win->opaquenessField->setText("0.5");
  win->readTable(true);
  const ViewerPicture p = shot();
  const FXColor solid = pixelAt(p, 10, 8, 0);
  const FXColor glass = pixelAt(p, -10, -8, 0);
  // On black, half the light of the same red.
  EXPECT_NEAR(static_cast<double>(FXREDVAL(glass)), FXREDVAL(solid) * 0.5, 6.0);
  EXPECT_LT(FXGREENVAL(glass), 10u);
}

TEST_F(PixelTest, MeshSurvivesANewGlContext) {
  for (int window = 0; window < 2; ++window) {
    // A new window brings a new GL context; its spheres must not use the old one's mesh.
    if (window) {
      openWindow();
      prepareWindow();
    }
    setRow(0, {"", "10", "8", "0", "0", "255", "0"});
    win->readTable(true);
    EXPECT_GT(FXGREENVAL(pixelAt(shot(), 10, 8, 0)), 180u) << window;
  }
}

TEST_F(PixelTest, DrawingLeavesTheGlStateAsFound) {
  setRow(0, {"", "1", "1", "1"});
  win->readTable(true);
  auto* sphere = objectsOf<GLSphere_zk2>(win->sceneGroup).back();
  shot(); // the size settles with the first frame
  ASSERT_TRUE(win->viewer->makeCurrent());
  glDisable(GL_BLEND);
  glDisable(GL_CULL_FACE);
  glDisable(GL_NORMALIZE);
  GLint depthBefore = -1, depthAfter = -1;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depthBefore);
  sphere->draw(win->viewer);
  sphere->draw(win->viewer);
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depthAfter);
  EXPECT_EQ(depthAfter, depthBefore);
  EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_CULL_FACE) || glIsEnabled(GL_NORMALIZE));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  win->viewer->makeNonCurrent();
}

TEST_F(PixelTest, SinglePointAtTheOriginIsStillSeen) {
  // All data at the origin measures an extent of 0: an empty view box.
  setRow(0, {"", "0", "0", "0", "0", "0", "255"});
  win->readTable(true);
  EXPECT_EQ(win->dataExtent, 0.0);
  EXPECT_GT(FXBLUEVAL(pixelAt(shot(), 0, 0, 0)), 180u);
}

TEST_F(PixelTest, LineWithoutAColourOfItsOwnIsRed) {
  ASSERT_TRUE(win->viewer->makeCurrent());
  const auto drawnColour = [&](float r, float g, float b) {
    GLLine_zk2 line;
    line.color[0] = r;
    line.color[1] = g;
    line.color[2] = b;
    line.draw(win->viewer);
    GLfloat c[4];
    glGetFloatv(GL_CURRENT_COLOR, c);
    return std::vector<float>{c[0], c[1], c[2]};
  };
  EXPECT_EQ(drawnColour(0.2f, -0.1f, 0.5f), (std::vector<float>{1, 0, 0}));
  EXPECT_EQ(drawnColour(0, 0, 0), (std::vector<float>{0, 0, 0}));
  win->viewer->makeNonCurrent();
}
