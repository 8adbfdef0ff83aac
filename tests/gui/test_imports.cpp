// Molecule and table files through the Open command: XYZ files and trajectories with their frame
// control, CSV tables (and Save as CSV), PDB, and what Open Babel converts. The parsing rules are
// the readers' unit tests.
#include "GuiHarness.h"

#include <cstdlib>
#include <sys/stat.h>

#include "table/Table_zk2.h"

namespace {

class ImportTest : public OrbalaTest {
protected:
  void TearDown() override { // the PATH a test changed comes back
    if (!savedPath.empty()) setenv("PATH", savedPath.c_str(), 1);
    OrbalaTest::TearDown();
  }
  std::string savedPath;
};

class XyzTest : public OrbalaTest {
protected:
  bool open(const std::string& path) { return win->readDataFile(path.c_str(), false); }
  Strings atom(int row) const { return cells(row, 0, 3); }
  Strings rgb(int row) const { return cells(row, 4, 6); }
};

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

TEST_F(ImportTest, CsvOpensIntoRowsAndSavesBackAsCsvPdbAsXyzAtomsDo) {
  win->colorPoints = false;
  const std::string path =
      writeInDir("points.csv", "Label;X;Y;Z;Red;Green;Blue;Size;Show;Opaque;Notes\r\n"
                               "\"a;b\";1,5;2;3;255;0;0;0,5;no;yes;first\r\n"
                               "c;4;5;6;;;;;1;0;\r\n"
                               "d;oops;5;6\r\n");
  ASSERT_TRUE(openFile(path)) << ::testing::PrintToString(dialogs->seen());
  EXPECT_EQ(cells(0, 0, 7), (Strings{"a;b", "1.5", "2", "3", "255", "0", "0", "0.5"}));
  // Colour mode is on, so a row without a colour is given the undefined grey.
  EXPECT_EQ(cells(1, 0, 7), (Strings{"c", "4", "5", "6", "200", "200", "200", "1.0"}));
  EXPECT_EQ(cell(2, 0), "");
  EXPECT_TRUE(!win->rowState.showFlags[0] && win->rowState.opaqueFlags[0]);
  EXPECT_TRUE(win->rowState.showFlags[1] && !win->rowState.opaqueFlags[1]);
  EXPECT_TRUE(win->pointData.pointCount == 2 && win->colorPoints && win->colorRadio->getCheck());
  EXPECT_EQ(dialogs->seen(), Strings{"warning Data warning: These columns are not table columns "
                                     "and were left out: Notes.\n\n1 row could not be read and "
                                     "was skipped."});

  // The table's own columns go out and come back whole; the original is never overwritten.
  const std::string original = readFile(path);
  dialogs->answerFile(dir + "/copy.txt", 1);
  command(Orbala::ID_SAVE);
  EXPECT_EQ(readFile(path), original);
  EXPECT_EQ(readFile(dir + "/copy.csv"), "Label,x,y,z,R,G,B,Size,Show,Opaque\r\n"
                                         "\"a;b\",1.5,2,3,255,0,0,0.5,0,1\r\n"
                                         "c,4,5,6,200,200,200,1.0,1,0\r\n");
  setRow(0, {"changed", "7", "8", "9"});
  win->table->startInput(1, 1); // a value still being typed is saved too
  if (FXTextField* editor = cellEditor()) editor->setText("44");
  command(Orbala::ID_SAVE); // a CSV that Orbala wrote is saved again as CSV
  EXPECT_EQ(dialogs->fileRequests.size(), 2u) << "Open and Save as, but not Save";
  ASSERT_TRUE(openFile(dir + "/copy.csv"));
  EXPECT_EQ(cells(0, 0, 3), (Strings{"changed", "7", "8", "9"}));
  EXPECT_EQ(cell(1, 1), "44");
  EXPECT_TRUE(!win->rowState.showFlags[0] && !win->rowState.opaqueFlags[1]);

  // Nothing readable: the table stays, and the box says why.
  dialogs->boxes.clear();
  EXPECT_FALSE(openFile(writeInDir("words.tsv", "just\twords\n")));
  EXPECT_EQ(dialogs->titles(), (Strings{"Data warning", "User file error"}));
  EXPECT_EQ(cell(0, 0), "changed");

  // PDB atoms fill the table as XYZ atoms do.
  setRow(0, {"old", "1", "2", "3"});
  ASSERT_TRUE(
      openFile(writeInDir("two.pdb", "MODEL        1\n"
                                     "ATOM      1  N   ALA A   1       1.000   0.000   0.000\n"
                                     "ATOM      2  CA  ALA A   1       2.500   0.000   0.000\n"
                                     "ENDMDL\nMODEL        2\n"
                                     "ATOM      1  N   ALA A   1       3.000   0.000   0.000\n"
                                     "ENDMDL\n")));
  EXPECT_EQ(cells(0, 0, 3), (Strings{"N", "1.00000", "0.00000", "0.00000"}));
  EXPECT_EQ(cells(1, 0, 7),
            (Strings{"C", "2.50000", "0.00000", "0.00000", "102", "102", "102", "0.70"}));
  EXPECT_EQ(cell(2, 0), "");
  EXPECT_TRUE(win->currentFileIsAtomFile);
  EXPECT_TRUE(dialogs->boxes.empty());

  // A file gemmi refuses: its reason in the box, the table kept.
  EXPECT_FALSE(openFile(writeInDir("broken.cif", "data_x\nloop_\n_a\n'unclosed\n")));
  ASSERT_EQ(dialogs->titles(), (Strings{"Error reading File", "User file error"}));
  EXPECT_EQ(cell(0, 0), "N");
}

TEST_F(ImportTest, OtherFilesGoThroughOpenBabel) {
  const std::string bin = dir + "/bin";
  mkdir(bin.c_str(), 0700);
  savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", bin.c_str(), 1); // only the test's own programs
  const std::string mol2 = writeInDir("x.mol2", "@<TRIPOS>MOLECULE\n");
  // Not installed: the Open dialog and the box say what to install.
  dialogs->cancelFile();
  command(Orbala::ID_OPEN);
  EXPECT_NE(dialogs->fileRequests.at(0).patterns.find("install Open Babel, package openbabel (*)"),
            -1);
  EXPECT_FALSE(openFile(mol2));
  EXPECT_NE(dialogs->boxes.at(0).text.find("the package openbabel"), std::string::npos);

  // A stand-in converter: its XYZ output becomes the atoms, its error line the box.
  writeFile(bin + "/obabel", "#!/bin/sh\ncase \"$1\" in *bad*) printf '=====\\n*** Open Babel "
                             "Error  in ReadMolecule\\n  Invalid bond block\\n0 molecules "
                             "converted\\n' >&2; exit 1;; esac\n"
                             "printf '2\\n%s\\nC 0 0 0\\nO 1.2 0 0\\n' \"$2\"\n");
  chmod((bin + "/obabel").c_str(), 0700);
  dialogs->boxes.clear();
  ASSERT_TRUE(openFile(mol2));
  EXPECT_EQ(cells(1, 0, 1), (Strings{"O", "1.20000"}));
  EXPECT_TRUE(win->currentFileIsAtomFile);
  EXPECT_FALSE(openFile(writeInDir("bad.mol2", "x\n")));
  EXPECT_EQ(dialogs->seen().at(0), "error Error reading File: Unable to read this file (3): " +
                                       dir + "/bad.mol2\n\nOpen Babel: Invalid bond block");
}

TEST_F(XyzTest, AtomsFillTheTableWithDefaultOptions) {
  setRow(2, {"old", "1", "2", "3"});
  ASSERT_TRUE(open(writeInDir("co.xyz", "2\ncarbon monoxide\nC 0 0 0\nO 1.2 0 0\n\n\n")));
  EXPECT_EQ(atom(1), (Strings{"O", "1.20000", "0.00000", "0.00000"}));
  EXPECT_EQ(atom(2), Strings(4, "")) << "the rest of the table is cleared";
  EXPECT_TRUE(win->rowOverflowCount == 2 && !win->rowOverflow);
  EXPECT_EQ(win->pointData.pointCount, 2);

  // Out of the box the Jmol colours and the default sizes are applied.
  EXPECT_EQ(win->colorScheme, 1);
  EXPECT_EQ(cells(0, 4, 7), (Strings{"102", "102", "102", "0.70"}));
  EXPECT_EQ(cells(1, 4, 7), (Strings{"244", "0", "0", "0.60"}));
  EXPECT_TRUE(win->colorPoints && win->swatches.size() == 2);
  EXPECT_TRUE(dialogs->boxes.empty()) << "lines after the last atom are skipped quietly";
}

TEST_F(XyzTest, ColourOptions) {
  const std::string path = writeInDir("c.xyz", "1\n\nC 0 0 0\n");
  // Both off, and no sizes: the cleared defaults stay.
  win->applyPubChemCheck->setCheck(FALSE);
  win->applyJmolCheck->setCheck(FALSE);
  win->applyDefaultSizesCheck->setCheck(FALSE);
  ASSERT_TRUE(open(path));
  EXPECT_EQ(win->colorScheme, 2);
  EXPECT_EQ(cells(0, 4, 7), (Strings{"", "", "", "1.0"}));
  EXPECT_FALSE(win->colorPoints);
  // A settings file can switch both on; PubChem wins.
  win->applyPubChemCheck->setCheck(TRUE);
  win->applyJmolCheck->setCheck(TRUE);
  ASSERT_TRUE(open(path));
  EXPECT_EQ(win->colorScheme, 0);
  EXPECT_EQ(rgb(0), (Strings{"44", "74", "74"}));
}

TEST_F(XyzTest, MoreAtomsThanRowsAndFilesThatAreNotAtomFiles) {
  win->setUpTable(10);
  std::string text = "11\nlong chain\n";
  for (int i = 0; i < 11; ++i)
    text += "C " + std::to_string(i) + " 0 0\n";
  ASSERT_TRUE(open(writeInDir("long.xyz", text)));
  EXPECT_EQ(atom(9), (Strings{"C", "9.00000", "0.00000", "0.00000"}));
  EXPECT_TRUE(win->rowOverflow && win->rowOverflowCount == 10);
  ASSERT_EQ(dialogs->titles(), Strings{"Data warning"});
  EXPECT_NE(dialogs->boxes[0].text.find("It needs 11 rows; the table has 10."), std::string::npos);
  // Yes: the table grows to the file and every atom is read.
  dialogs->answers.push_back(true);
  ASSERT_TRUE(open(dir + "/long.xyz"));
  EXPECT_EQ(win->table->getNumRows(), 11);
  EXPECT_EQ(atom(10), (Strings{"C", "10.00000", "0.00000", "0.00000"}));
  EXPECT_EQ(win->pointData.pointCount, 11);
  EXPECT_EQ(dialogs->boxes.size(), 2u);

  // One file per kind of failure (the rules are the reader's unit tests). Binary: a picture
  // renamed to .xyz, its signature and header chunk, then zeros.
  const Strings kept{"keep", "1", "2", "3"};
  setRow(0, kept);
  dialogs->boxes.clear();
  const std::string path = writeInDir(
      "picture.xyz", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + std::string(200, '\0'));
  EXPECT_FALSE(open(path));
  EXPECT_EQ(dialogs->seen(),
            Strings{"error Error reading File: Unable to read this file (3): " + path});
  EXPECT_EQ(atom(0), kept);

  // An atom file without a readable atom: only the Open command's box.
  EXPECT_FALSE(openFile(writeInDir("none.xyz", "2\n\nC inf nan 1e400\nXx 1 2 3\n")));
  EXPECT_EQ(dialogs->titles(), Strings{"User file error"});
  EXPECT_EQ(atom(0), kept);
}

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
    const ViewerPicture bar = onScreen(win->frameBar);
    send(SEL_TIMEOUT, Orbala::ID_FRAME_TIMER);
    EXPECT_EQ(win->currentFrame, (frame + 1) % 3);
    // On screen at once, not when the loop next has nothing due, which a slow frame never gives.
    EXPECT_TRUE(onScreen(win->frameBar).pixels != bar.pixels);
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

  // A frame larger than the table: the note comes before the title, which may be long, and the
  // whole line shows when the pointer rests on it.
  const int rows = win->table->getNumRows();
  std::string big =
      "1\na\nC 0 0 0\n" + std::to_string(rows + 1) + "\n" + std::string(100, 'b') + "\n";
  for (int i = 0; i <= rows; ++i)
    big += "H " + std::to_string(i) + " 0 0\n";
  ASSERT_TRUE(openFile(writeInDir("big.xyz", big)));
  command(Orbala::ID_FRAME_FORWARD);
  const std::string note = "Frame 2 / 2   (" + std::to_string(rows) + " of " +
                           std::to_string(rows + 1) + " atoms: the table is full)   ";
  EXPECT_EQ(label(), note + std::string(100, 'b'));
  EXPECT_EQ(win->frameLabel->getTipText().text(), label());
}
