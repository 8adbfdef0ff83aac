// Pointing at the plot: picks and tooltips through the viewer's own event handling, and what a
// long zooming session leaves behind.
#include "GuiHarness.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <malloc.h>

#include "table/Table_zk2.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Bytes the program holds on the heap, Mesa's included.
size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
#endif
}

} // namespace

class PickingTest : public OrbalaTest {
protected:
  void SetUp() override {
    OrbalaTest::SetUp();
    win->position(0, 0, 1500, 1000);
    pump();
  }

  long viewerEvent(FXSelector type, int x, int y, int code = 0) {
    FXEvent ev{};
    ev.type = type;
    ev.win_x = ev.click_x = x;
    ev.win_y = ev.click_y = y;
    ev.code = code;
    return win->viewer->handle(win->viewer, FXSEL(type, 0), &ev);
  }
  std::pair<int, int> screenOf(FXGLObject* object) {
    const FXVec3f c = centreOf(object);
    int x = 0, y = 0;
    project(c.x, c.y, c.z, x, y);
    return {x, y};
  }
  FXGLObject* clickAt(std::pair<int, int> at) {
    viewerEvent(SEL_MOTION, at.first, at.second);
    viewerEvent(SEL_LEFTBUTTONPRESS, at.first, at.second);
    viewerEvent(SEL_LEFTBUTTONRELEASE, at.first, at.second);
    return win->viewer->getSelection();
  }
  // The text a tooltip would show with the pointer resting at the point.
  std::string tipAt(std::pair<int, int> at) {
    win->viewer->setCursorPosition(at.first, at.second);
    viewerEvent(SEL_MOTION, at.first, at.second);
    win->viewer->handle(win->viewer, FXSEL(SEL_TIMEOUT, FXGLViewer::ID_TIPTIMER), nullptr);
    FXToolTip tip(testApp());
    tip.setText("");
    win->viewer->handle(&tip, FXSEL(SEL_QUERY_TIP, 0), nullptr);
    return tip.getText().text();
  }
  std::vector<GLSphere_zk2*> plot(int count) {
    for (int r = 0; r < count; ++r)
      setRow(r, {"", std::to_string(r % 5 * 4), std::to_string(r / 5 * 4), std::to_string(r % 3)});
    win->readTable(true);
    grab(win->viewer);
    return objectsOf<GLSphere_zk2>(win->sceneGroup);
  }
};

TEST_F(PickingTest, PointingAndClickingPickTheSphereUnderThePointer) {
  win->sphereRadiusSlider->setValue(20); // spheres of radius 1, 4 apart
  std::vector<GLSphere_zk2*> spheres = plot(60);
  setRow(60, {"", "8", "12", "6"}); // on the line of sight of row 18 in the top view
  win->readTable(true);
  const Strings table = cells(17, 0, 9);
  spheres = objectsOf<GLSphere_zk2>(win->sceneGroup);
  ASSERT_EQ(spheres.size(), 61u);
  spheres[5]->setTipText("row 6");
  grab(win->viewer);

  EXPECT_EQ(tipAt(screenOf(spheres[5])), "row 6");
  EXPECT_EQ(tipAt({5, 5}), "");
  EXPECT_EQ(clickAt(screenOf(spheres[42])), spheres[42]);
  const bool lastNearer = win->viewer->worldToEyeZ(centreOf(spheres[60])) >
                          win->viewer->worldToEyeZ(centreOf(spheres[17]));
  EXPECT_EQ(clickAt(screenOf(spheres[17])), spheres[lastNearer ? 60 : 17]);
  EXPECT_EQ(clickAt({5, 5}), nullptr);

  // The window lives on with its table and its plot.
  EXPECT_TRUE(win->shown());
  EXPECT_EQ(cells(17, 0, 9), table);
  EXPECT_EQ(objectsOf<GLSphere_zk2>(win->sceneGroup).size(), 61u);
  EXPECT_FALSE(grab(win->viewer).pixels.empty());
}

TEST_F(PickingTest, ZoomingLeavesNoMemoryBehind) {
  const auto spheres = plot(24);
  const auto target = screenOf(spheres[12]);
  // Each notch redraws at a new scale and the resting pointer asks for a tip, which picks.
  const auto notch = [&](int code) {
    viewerEvent(SEL_MOUSEWHEEL, target.first, target.second, code);
    grab(win->viewer);
    tipAt(target);
  };
  for (int i = 0; i < 4; ++i)
    notch(i < 2 ? -120 : 120);
  const size_t before = heapInUse();
  for (int i = 0; i < 60; ++i)
    notch(i < 30 ? -120 : 120);
  EXPECT_LT(heapInUse(), before + 4 * 1024 * 1024);

  // Nor does the GL keep a mesh per scale met.
  ASSERT_TRUE(win->viewer->makeCurrent());
  int kept = 0;
  for (GLuint id = 1; id < 4096; ++id)
    kept += glIsList(id) + glIsBuffer(id);
  win->viewer->makeNonCurrent();
  EXPECT_LE(kept, 8);
}
