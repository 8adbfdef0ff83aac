// Opening XYZ molecule files: rows, element colours and sizes, bad files, and Save afterwards.
#include "GuiHarness.h"

#include "table/Table_zk2.h"

namespace {

class XyzTest : public OrbalaTest {
protected:
  bool open(const std::string& path) { return win->readDataFile(path.c_str(), false); }
  Strings atom(int row) const { return cells(row, 0, 3); }
  Strings rgb(int row) const { return cells(row, 4, 6); }
};

} // namespace

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
