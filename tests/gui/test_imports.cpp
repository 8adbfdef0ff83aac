// Files of other programs through the Open command: CSV tables, PDB molecules and what Open Babel
// converts; CSV through Save as. The parsing rules are the readers' unit tests.
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
  command(Orbala::ID_SAVE); // a CSV that Orbala wrote is saved again as CSV
  EXPECT_EQ(dialogs->fileRequests.size(), 2u) << "Open and Save as, but not Save";
  ASSERT_TRUE(openFile(dir + "/copy.csv"));
  EXPECT_EQ(cells(0, 0, 3), (Strings{"changed", "7", "8", "9"}));
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
