// The scene built from the table: axes, letters and spheres, their order and colours, and the
// colour check with its repair.
#include "GuiHarness.h"

#include <tuple>

#include "table/Table_zk2.h"

namespace {

FXMaterial frontOf(GLSphere_zk2* sphere) {
  FXMaterial m;
  sphere->getMaterial(0, m);
  return m;
}

} // namespace

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
