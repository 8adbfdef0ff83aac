// Trajectories in the window: the frame control, steps by key, slider and button, playback
// beside the spin, and files whose frames break off.
#include "GuiHarness.h"

#include "table/Table_zk2.h"

namespace {

const char* const kThree = "2\nfirst\nC 0 0 0\nO 1 0 0\n"
                           "2\r\nsecond\r\nC 0 0 5\r\nO 1 0 5\r\n"
                           "3\nthird\nC 2 0 0\nN 3 0 0\nH 4 0 0\n";

class FramesTest : public OrbalaTest {
protected:
  // A key pressed on the plot through the X server, as a person presses it.
  void key(const char* name) {
    xPointAt(win->viewer, 30, 30);
    win->viewer->setFocus();
    xKeys({name});
  }
  std::string label() const { return win->frameLabel->getText().text(); }
  std::vector<Strings> rows(int count) const {
    std::vector<Strings> out;
    for (int r = 0; r < count; ++r)
      out.push_back(cells(r, 0, 7));
    return out;
  }
};

} // namespace

TEST_F(FramesTest, StepsKeepTheUsersMarksAndTheCameraAndBrokenFramesAreTold) {
  // What a single-frame file of the third frame fills in, to compare with.
  ASSERT_TRUE(openFile(writeInDir("third.xyz", "3\n\nC 2 0 0\nN 3 0 0\nH 4 0 0\n")));
  const std::vector<Strings> third = rows(3);
  EXPECT_FALSE(win->frameBar->shown());

  ASSERT_TRUE(openFile(writeInDir("three.xyz", kThree)));
  fireStartup();
  pump();
  ASSERT_TRUE(win->frameBar->shown());
  EXPECT_EQ(label(), "Frame 1 / 3   first");
  EXPECT_EQ(cells(1, 0, 3), (Strings{"O", "1.00000", "0.00000", "0.00000"}));
  EXPECT_EQ(cells(2, 0, 3), Strings(4, "")) << "one frame, not all piled up";
  // The user's own colour, size and Show mark on the oxygen, and a camera of their own.
  for (int c = 4; c <= 7; ++c)
    win->table->setItemText(1, c, std::to_string(c - 3).c_str());
  setTick(1, 8, false);
  win->viewer->setZoom(2.0f);
  const FXQuatf turned(0.5f, -0.5f, 0.5f, 0.5f);
  win->viewer->setOrientation(turned);

  key("Right");
  EXPECT_EQ(label(), "Frame 2 / 3   second");
  EXPECT_EQ(cells(1, 0, 7), (Strings{"O", "1.00000", "0.00000", "5.00000", "1", "2", "3", "4"}));
  EXPECT_EQ(win->rowState.showFlags[1], 0);
  EXPECT_EQ(win->pointData.zValues[0], 5.0);
  EXPECT_EQ(win->viewer->getZoom(), 2.0f);
  EXPECT_EQ(win->viewer->getOrientation(), turned);

  // The slider to frame 3: rows whose atom changed look as a freshly opened file's.
  send(SEL_CHANGED, Orbala::ID_FRAME_SLIDER, win->frameSlider, reinterpret_cast<void*>(3));
  EXPECT_EQ(rows(3), third);
  EXPECT_EQ(win->rowState.showFlags[1], 1);
  EXPECT_EQ(win->pointData.pointCount, 3);
  // Back a frame: the third row is empty again.
  command(Orbala::ID_FRAME_BACK);
  EXPECT_EQ(cells(2, 0, 3), Strings(4, ""));
  EXPECT_EQ(win->pointData.pointCount, 2);
  key("End");
  EXPECT_EQ(label(), "Frame 3 / 3   third");

  // Space plays, looping, while the plot spins; each tick shows the next frame. (One frame a
  // second, so that no real tick comes between the ones sent here.)
  win->frameSpeedSpinner->setValue(1);
  command(Orbala::ID_ROTATE);
  key("space");
  EXPECT_EQ(win->framePlayButton->getText(), "Pause");
  for (int tick = 0; tick < 3; ++tick) {
    const size_t frame = win->currentFrame;
    const FXQuatf before = win->viewer->getOrientation();
    send(SEL_TIMEOUT, Orbala::ID_ROTATE_TIMER);
    send(SEL_TIMEOUT, Orbala::ID_FRAME_TIMER);
    EXPECT_EQ(win->currentFrame, (frame + 1) % 3);
    EXPECT_NE(win->viewer->getOrientation(), before);
  }
  key("space");
  const size_t paused = win->currentFrame;
  send(SEL_TIMEOUT, Orbala::ID_FRAME_TIMER);
  EXPECT_EQ(win->currentFrame, paused) << "a tick after Pause changes nothing";
  command(Orbala::ID_ROTATE);
  EXPECT_EQ(dialogs->seen(), Strings{});

  // A data file has no frames: the control goes.
  ASSERT_TRUE(openFile(writeInDir("d.qvx", tagged("<data>0 1 1\n<data>0 2 2\n<data>0 3 3\n"))));
  EXPECT_FALSE(win->frameBar->shown());

  // A last frame cut short is left out, with one warning.
  ASSERT_TRUE(openFile(writeInDir("cut.xyz", std::string(kThree) + "2\nfourth\nC 0 0 0\n")));
  EXPECT_EQ(label(), "Frame 1 / 3   first");
  ASSERT_EQ(dialogs->titles(), Strings{"Data warning"});
  EXPECT_NE(dialogs->boxes[0].text.find("3 whole frames were read"), std::string::npos);

  // A frame without a readable atom: a warning, and the table keeps the frame before.
  ASSERT_TRUE(openFile(writeInDir("bad.xyz", "1\na\nC 7 0 0\n1\nb\n?? 1 2 3\n")));
  command(Orbala::ID_FRAME_FORWARD);
  EXPECT_EQ(dialogs->seen(),
            Strings{"warning Data warning: Frame 2 cannot be shown: frame 2 holds no readable "
                    "atom."});
  EXPECT_EQ(cells(0, 0, 1), (Strings{"C", "7.00000"}));
  EXPECT_EQ(label(), "Frame 1 / 2   a");

  // No atom in the first frame: nothing is read and the table stays.
  EXPECT_FALSE(openFile(writeInDir("none.xyz", "1\na\n?? 0 0 0\n1\nb\nC 0 0 0\n")));
  EXPECT_EQ(cells(0, 0, 1), (Strings{"C", "7.00000"}));
}
