// The scene built from the table (axes, letters and spheres, their order and colours, the colour
// check) and what the viewer shows of it: colours, greys, spheres against GLU quadrics.
#include "GuiHarness.h"

#include <FXPNGImage.h>
#include <GL/gl.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "render/SphereRenderer.h"
#include "scene/SceneGroup.h"
#include "table/Table_zk2.h"

namespace {

// Leaves a picture for a person to look at, where the build keeps its test artefacts.
void savePicture(const ViewerPicture& picture, const std::string& name) {
  const char* env = std::getenv("ORBALA_TEST_TMP");
  const std::string folder = env && *env ? env : "Testing/Temporary";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  const std::string path = folder + "/" + name + ".png";
  FXFileStream out;
  if (out.open(path.c_str(), FXStreamSave))
    fxsavePNG(out, picture.pixels.data(), picture.width, picture.height);
  std::fprintf(stderr, "picture written to %s\n", path.c_str());
}

// Where either picture shows something other than the background (its first pixel): the mean
// difference of a channel, and the share of those pixels with a channel more than `loose` apart.
struct Difference {
  double mean = 255.0;
  double offShare = 1.0;
};

Difference compare(const ViewerPicture& a, const ViewerPicture& b, int loose) {
  Difference d;
  if (a.width != b.width || a.height != b.height || a.pixels.empty()) return d;
  const FXColor background = b.pixels[0];
  long sum = 0, off = 0, shown = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    const FXColor p = a.pixels[i], q = b.pixels[i];
    const int dr = std::abs(int(FXREDVAL(p)) - int(FXREDVAL(q)));
    const int dg = std::abs(int(FXGREENVAL(p)) - int(FXGREENVAL(q)));
    const int db = std::abs(int(FXBLUEVAL(p)) - int(FXBLUEVAL(q)));
    if (p == background && q == background) continue;
    ++shown;
    sum += dr + dg + db;
    off += std::max({dr, dg, db}) > loose;
  }
  d.mean = shown ? double(sum) / (3.0 * shown) : 0.0;
  d.offShare = shown ? double(off) / shown : 0.0;
  return d;
}

FXMaterial frontOf(GLSphere_zk2* sphere) {
  FXMaterial m;
  sphere->getMaterial(0, m);
  return m;
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
  ViewerPicture shot() {
    const ViewerPicture p = grab(win->viewer);
    EXPECT_FALSE(p.pixels.empty());
    return p;
  }
  orbala::render::SphereRenderer& renderer() {
    return static_cast<SceneGroup*>(win->sceneGroup)->spheres();
  }
  // Impostors and meshes against the quadric reference where something shows: outlines and
  // interpolated lighting differ a little, so on average a channel within one level (three for
  // meshes), at most 1% (5%) of the pixels 24 off. On failure both pictures are kept.
  void expectLikeReference(const std::string& name) {
    // The same objects in a plain group: each sphere then draws itself as a GLU quadric.
    FXGLGroup reference;
    for (FXint i = 0; i < win->sceneGroup->no(); ++i)
      reference.append(win->sceneGroup->child(i));
    win->viewer->setScene(&reference);
    const ViewerPicture expected = grab(win->viewer);
    win->viewer->setScene(win->sceneGroup);
    reference.clear(); // the objects belong to the scene group
    for (bool mesh : {false, true}) {
      renderer().setForceMesh(mesh);
      const ViewerPicture actual = grab(win->viewer);
      renderer().setForceMesh(false);
      const Difference d = compare(actual, expected, 24);
      const std::string label = name + (mesh ? "-mesh" : "-impostor");
      const double mean = mesh ? 3.0 : 1.0, share = mesh ? 0.05 : 0.01;
      EXPECT_TRUE(d.mean <= mean && d.offShare <= share)
          << label << ": mean difference " << d.mean << ", share off " << d.offShare;
      if (d.mean > mean || d.offShare > share) {
        savePicture(actual, label + "-actual");
        savePicture(expected, label + "-expected");
      }
    }
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
};

TEST_F(PixelTest, SpheresShowTheirColourAtTheirCentres) {
  setRow(0, {"", "10", "8", "0", "255", "0", "0"});
  setRow(1, {"", "-10", "-8", "0", "0", "0", "255", "0.5"});
  win->readTable(true);
  ViewerPicture p = shot();
  const FXColor red = pixelAt(p, 10, 8, 0), blue = pixelAt(p, -10, -8, 0);
  EXPECT_TRUE(FXREDVAL(red) > 180 && FXGREENVAL(red) < 30 && FXBLUEVAL(red) < 30) << red;
  EXPECT_TRUE(FXBLUEVAL(blue) > 180 && FXREDVAL(blue) < 30) << blue;
  EXPECT_TRUE(nearColour(p.at(2, 2), FXRGB(255, 255, 255))); // B = 100: a white background

  // A hidden point leaves the background; a translucent one on black gives half its light.
  win->backgroundSlider->setValue(0);
  setTick(1, 9, false);
  win->opaquenessField->setText("0.5");
  clickCell(0, 8);
  ASSERT_EQ(win->rowState.showFlags[0], 0);
  p = shot();
  EXPECT_TRUE(nearColour(pixelAt(p, 10, 8, 0), FXRGB(0, 0, 0)));
  EXPECT_NEAR(static_cast<double>(FXBLUEVAL(pixelAt(p, -10, -8, 0))), FXBLUEVAL(blue) * 0.5, 6.0);

  // Grey 0.8 axes on the dark half of the slider (where it turns is the unit tests'); away from
  // the lines it is background.
  win->sphereRadiusSlider->setValue(100);
  win->backgroundSlider->setValue(50);
  win->readTable(true);
  p = shot();
  const FXColor grey = FXRGB(128, 128, 128), light = FXRGB(204, 204, 204);
  EXPECT_TRUE(nearColour(p.at(2, 2), grey));
  EXPECT_TRUE(lineColourNear(p, 0, 12, 0, light) && lineColourNear(p, -13, 0, 0, light));
  EXPECT_TRUE(nearColour(pixelAt(p, 5, 12, 0), grey));
}

TEST_F(PixelTest, SpheresLookLikeTheQuadricReference) {
  // Spheres of several colours and sizes around the origin, one of them translucent.
  setRow(0, {"", "0", "0", "0", "230", "40", "40"});
  setRow(1, {"", "30", "10", "-10", "40", "200", "60", "0.6"});
  setRow(2, {"", "-25", "20", "15", "60", "80", "220", "1.4"});
  setRow(3, {"", "-10", "-30", "-20", "200", "200", "40", "0.8"});
  setRow(4, {"", "20", "-25", "25", "180", "60", "200"});
  win->rowState.opaqueFlags[4] = 0;
  win->opaquenessField->setText("0.5");
  win->backgroundSlider->setValue(30);
  win->readTable(true);
  // From a few pixels across to half the view, in each preset view.
  for (int r : {20, 150, 1000}) {
    win->sphereRadiusSlider->setValue(r);
    for (int view = Orbala::ID_VIEW_TOP; view <= Orbala::ID_VIEW_XYZ; ++view) {
      command(view);
      expectLikeReference("R" + std::to_string(r) + "-view" +
                          std::to_string(view - Orbala::ID_VIEW_TOP));
    }
  }
  // The viewer can also look with perspective.
  win->viewer->setProjection(FXGLViewer::PERSPECTIVE);
  expectLikeReference("perspective");
}

TEST_F(PixelTest, OverlappingTranslucentSpheresLookTheSameInEitherRowOrder) {
  const std::vector<std::string> red{"", "0", "0", "0", "255", "0", "0"};
  const std::vector<std::string> blue{"", "2", "1", "6", "0", "0", "255"};
  win->opaquenessField->setText("0.5");
  const auto picture = [&](bool swapped) {
    setRow(0, swapped ? blue : red);
    setRow(1, swapped ? red : blue);
    setTick(0, 9, false);
    setTick(1, 9, false);
    win->readTable(true);
    return shot();
  };
  const ViewerPicture first = picture(false);
  const ViewerPicture second = picture(true);
  EXPECT_EQ(compare(first, second, 1).offShare, 0.0);
  // Where they overlap both colours show.
  const FXColor both = pixelAt(first, 1.0f, 0.5f, 3.0f);
  EXPECT_TRUE(FXREDVAL(both) > 40 && FXBLUEVAL(both) > 40) << both;
}

TEST_F(PixelTest, SpheresSurviveANewGlContextAPointAloneIsSeenAndTheGlStateIsLeftAsFound) {
  setRow(0, {"", "10", "8", "0", "0", "255", "0"});
  win->readTable(true);
  EXPECT_GT(FXGREENVAL(pixelAt(shot(), 10, 8, 0)), 180u);
  // A new window brings a new GL context; its spheres must not use the old one's buffers. Its
  // one point at the origin measures an extent of 0: an empty view box.
  openWindow();
  prepareWindow();
  setRow(0, {"", "0", "0", "0", "0", "0", "255"});
  win->readTable(true);
  EXPECT_EQ(win->dataExtent, 0.0);
  EXPECT_GT(FXBLUEVAL(pixelAt(shot(), 0, 0, 0)), 180u);

  // Drawing leaves the GL state as it found it.
  setRow(0, {"", "1", "1", "1"});
  setRow(1, {"", "3", "1", "1"});
  setTick(1, 9, false);
  win->readTable(true);
  auto* sphere = spheres().back();
  shot(); // the size settles with the first frame
  ASSERT_TRUE(win->viewer->makeCurrent());
  glDisable(GL_BLEND);
  glDisable(GL_CULL_FACE);
  GLint depthBefore = -1, depthAfter = -1, program = -1, buffer = -1;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depthBefore);
  for (bool mesh : {false, true}) {
    renderer().setForceMesh(mesh);
    win->sceneGroup->draw(win->viewer);
  }
  renderer().setForceMesh(false);
  sphere->draw(win->viewer); // on its own: a quadric
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depthAfter);
  glGetIntegerv(GL_CURRENT_PROGRAM, &program);
  glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &buffer);
  EXPECT_EQ(depthAfter, depthBefore);
  EXPECT_EQ(program, 0);
  EXPECT_EQ(buffer, 0);
  EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  win->viewer->makeNonCurrent();
  EXPECT_EQ(renderer().path(), orbala::render::SpherePath::Impostor);
}

using SceneTest = OrbalaTest;

TEST_F(SceneTest, AxesLettersAndSpheresInOrderOpaqueFirst) {
  setRow(0, {"", "10", "-20", "5"});
  setRow(1, {"", "-30", "4", "-2", "", "", "", "2"});
  win->readTable(true);
  EXPECT_DOUBLE_EQ(win->dataExtent, 30.0);
  EXPECT_DOUBLE_EQ(win->labelSize, 0.6);

  // x, y, X (2), Y (3), z, Z (3), then the two spheres.
  FXGLGroup* group = win->sceneGroup;
  ASSERT_EQ(group->no(), 13);
  const double u = win->sphereRadiusUnit();
  expectStrokes(group, orbala::axisStrokes({}, 30.0, u, 0.6, -2, 5, orbala::ViewPreset::Top));
  for (GLLine_zk2* line : objectsOf<GLLine_zk2>(group))
    EXPECT_TRUE(line->width == 1.0f && line->color[0] == 0.0f) << "B = 100: black on white";

  const auto shown = spheres();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(group->child(11), shown[0]);
  EXPECT_FLOAT_EQ(centreOf(shown[0]).x, 10.0f);
  EXPECT_FLOAT_EQ(shown[0]->radius, static_cast<float>(u));
  EXPECT_FLOAT_EQ(shown[1]->radius, static_cast<float>(2 * u));
  EXPECT_EQ(win->viewer->getScene(), group);

  // Opaque spheres come first.
  for (int r = 0; r < 3; ++r)
    setRow(r, {"", std::to_string(r + 1), "0", "0"});
  win->rowState.opaqueFlags[0] = 0;
  win->rowState.showFlags[2] = 0;
  win->opaquenessField->setText("0,3");
  win->readTable(true);
  const auto ordered = spheres();
  ASSERT_EQ(ordered.size(), 2u);
  EXPECT_FLOAT_EQ(centreOf(ordered[0]).x, 2.0f);
  EXPECT_FLOAT_EQ(centreOf(ordered[1]).x, 1.0f);
  EXPECT_EQ(frontOf(ordered[0]).diffuse[3], 1.0f);
  EXPECT_FLOAT_EQ(frontOf(ordered[1]).diffuse[3], 0.3f);

  // Text that is no number makes translucent points vanish rather than fail.
  win->opaquenessField->setText("none");
  win->rebuildScene();
  EXPECT_EQ(frontOf(spheres()[1]).diffuse[3], 0.0f);
}

TEST_F(SceneTest, ColourErrorStopsTheRebuild) {
  setRow(0, {"", "1", "1", "1", "10", "20", "30"});
  setRow(1, {"", "2", "2", "2", "300", "20", "30"});
  win->undefinedGrayCheck->setCheck(FALSE);
  command(Orbala::ID_IMAGE_OPTION, win->colorRadio);
  ASSERT_EQ(dialogs->titles(), Strings{"Color error"});
  EXPECT_NE(dialogs->boxes[0].text.find("in row 2,"), std::string::npos);
  // Axes and letters are there, the spheres are not, the cells are untouched.
  EXPECT_EQ(win->sceneGroup->no(), 11);
  EXPECT_TRUE(spheres().empty());
  EXPECT_EQ(cell(1, 4), "300");

  // The first row is row 1; a blank cell is an error although it reads as 0.
  dialogs->boxes.clear();
  setRow(0, {"", "1", "1", "1", " ", "20", "30"});
  win->rebuildScene();
  EXPECT_NE(dialogs->seen().at(0).find("in row 1,"), std::string::npos);

  // Hidden rows are not checked; letters read as channel 0 without complaint.
  dialogs->boxes.clear();
  setRow(0, {"", "1", "1", "1", "red", "20", "30"});
  setTick(1, 8, false);
  win->rebuildScene();
  EXPECT_TRUE(dialogs->boxes.empty());
  const auto shown = spheres();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(frontOf(shown[0]).diffuse[0], 0.0f);
  EXPECT_FLOAT_EQ(frontOf(shown[0]).diffuse[1], 20 / 255.0f);

  // Showing the bad row again brings the error back.
  clickCell(1, 8);
  EXPECT_NE(dialogs->seen().at(0).find("in row 2,"), std::string::npos);

  // Gray spheres never look at the colour cells.
  dialogs->boxes.clear();
  command(Orbala::ID_IMAGE_OPTION, win->grayRadio);
  EXPECT_TRUE(dialogs->boxes.empty());
  EXPECT_EQ(spheres().size(), 2u);
}

TEST_F(SceneTest, UndefinedColoursBecomeGray) {
  setRow(0, {"", "1", "1", "1", "", "20", "30"});
  setRow(1, {"", "2", "2", "2", "-1", "20", "30"});
  setRow(2, {"", "3", "3", "3", "0", "255", "7"});
  ASSERT_TRUE(win->undefinedGrayCheck->getCheck());
  command(Orbala::ID_IMAGE_OPTION, win->colorRadio);
  EXPECT_TRUE(dialogs->boxes.empty());
  for (int r = 0; r < 3; ++r)
    EXPECT_EQ(cells(r, 4, 6), r < 2 ? Strings(3, "200") : (Strings{"0", "255", "7"})) << r;
  const auto shown = spheres();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_FLOAT_EQ(frontOf(shown[0]).diffuse[0], 200 / 255.0f);
  EXPECT_FLOAT_EQ(frontOf(shown[2]).diffuse[2], 7 / 255.0f);
}

TEST_F(SceneTest, AxisChecksAndTheLastPresetChooseTheStrokesAndRebuildsUseOnlyTheTable) {
  setRow(0, {"", "-1", "-2", "-5"});
  setRow(1, {"", "1", "2", "-1"});
  win->readTable(true);
  // "Show axis labels" alone draws no letters; all z negative; the X taller after x-y-z.
  for (const auto& [xy, z, labels, preset] :
       {std::tuple{false, false, true, orbala::ViewPreset::Top},
        {false, true, false, orbala::ViewPreset::Top},
        {true, false, true, orbala::ViewPreset::XYZ}}) {
    win->showXYAxisCheck->setCheck(xy);
    win->showZAxisCheck->setCheck(z);
    win->showAxisLabelsCheck->setCheck(labels);
    win->lastViewPreset = preset;
    win->rebuildScene();
    EXPECT_EQ(spheres().size(), 2u);
    expectStrokes(win->sceneGroup,
                  orbala::axisStrokes({xy, z, labels}, win->dataExtent, win->sphereRadiusUnit(),
                                      win->labelSize, -5, -1, preset));
  }

  // A rebuild never uses what the table no longer has.
  for (int r = 0; r < 30; ++r)
    setRow(r, {"", std::to_string(r), "0", "0"});
  win->readTable(true);
  ASSERT_EQ(win->pointData.pointCount, 30);
  // A selected sphere is released with the scene; stale point data stops at the table's end.
  win->viewer->setSelection(spheres()[0]);
  win->setUpTable(12);
  win->rebuildScene(); // before any new read, as a slider would
  EXPECT_EQ(win->viewer->getSelection(), nullptr);
  EXPECT_EQ(spheres().size(), 12u);
}
