// Opening XYZ molecule files: rows, element colours and sizes, bad files, and Save afterwards.
#include "GuiHarness.h"

#include "table/Table_zk2.h"

namespace {

class XyzTest : public OrbalaTest {
protected:
  std::string writeXyz(const std::string& name, const std::string& text) {
    const std::string path = dir + "/" + name;
    writeFile(path, text);
    return path;
  }
  bool open(const std::string& path) { return win->readDataFile(path.c_str(), false); }
  Strings atom(int row) const { return cells(row, 0, 3); }
  Strings rgb(int row) const { return cells(row, 4, 6); }

  // Checks the "not an atom file" box and that the table still holds what it held before.
  void expectRejected(const std::string& path) {
    setRow(0, {"keep", "1", "2", "3"});
    dialogs->boxes.clear();
    EXPECT_FALSE(open(path));
    EXPECT_EQ(dialogs->seen(),
              Strings{"error Error reading File: Unable to read this file (3): " + path});
    EXPECT_EQ(atom(0), (Strings{"keep", "1", "2", "3"})) << path;
  }
};

const Strings kEmptyRow{"", "", "", ""};

} // namespace

TEST_F(XyzTest, AtomsFillTheTableWithDefaultOptions) {
  ASSERT_TRUE(open(writeXyz("co.xyz", "2\ncarbon monoxide\nC 0 0 0\nO 1.2 0 0\n\n\n")));
  EXPECT_EQ(atom(0), (Strings{"C", "0.00000", "0.00000", "0.00000"}));
  EXPECT_EQ(atom(1), (Strings{"O", "1.20000", "0.00000", "0.00000"}));
  EXPECT_EQ(atom(2), kEmptyRow);
  EXPECT_TRUE(win->rowOverflowCount == 2 && !win->rowOverflow);
  EXPECT_EQ(win->pointData.pointCount, 2);

  // Out of the box the Jmol colours and the default sizes are applied.
  EXPECT_EQ(win->colorScheme, 1);
  EXPECT_EQ(rgb(0), (Strings{"102", "102", "102"}));
  EXPECT_EQ(rgb(1), (Strings{"244", "0", "0"}));
  EXPECT_EQ(cell(0, 7) + " " + cell(1, 7), "0.70 0.60");
  EXPECT_TRUE(win->colorPoints && win->swatches.size() == 2);
  EXPECT_TRUE(dialogs->boxes.empty()) << "lines after the last atom are skipped quietly";

  // The parsing is unit-tested; here UTF-16 with a mark and CR LF reach the table.
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("1\r\nx\r\nS 1 2 3\r\n"))
    utf16 += {c, '\0'};
  ASSERT_TRUE(open(writeXyz("u.xyz", utf16)));
  EXPECT_EQ(atom(0), (Strings{"S", "1.00000", "2.00000", "3.00000"}));
  EXPECT_EQ(atom(1), kEmptyRow);
  EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(XyzTest, ColourOptions) {
  const std::string path = writeXyz("c.xyz", "1\n\nC 0 0 0\n");
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

TEST_F(XyzTest, MoreAtomsThanRows) {
  win->setUpTable(100);
  std::string text = "150\nlong chain\n";
  for (int i = 0; i < 150; ++i)
    text += "C " + std::to_string(i) + " 0 0\n";
  ASSERT_TRUE(open(writeXyz("long.xyz", text)));
  EXPECT_EQ(atom(99), (Strings{"C", "99.00000", "0.00000", "0.00000"}));
  EXPECT_TRUE(win->rowOverflow && win->rowOverflowCount == 100);
  EXPECT_EQ(dialogs->seen(), Strings{"warning Data warning: Your file has more rows of data than "
                                     "the table can hold.\n\nResize the table to have at least "
                                     "100 rows and read it again."});
}

TEST_F(XyzTest, FilesThatAreNotAtomFiles) {
  expectRejected(writeXyz("two.xyz", "1\nonly a comment\n"));
  expectRejected(writeXyz("label.xyz", "1\n\nC1 0 0 0\n"));
  expectRejected(writeXyz("huge.xyz", std::string(4 << 20, 'C')));

  // Binary: a picture renamed to .xyz, its signature and header chunk, then zeros.
  const std::string png(
      "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0\x1f\xf3\xff"
      "a",
      33);
  expectRejected(writeXyz("picture.xyz", png + std::string(200, '\0')));
}

TEST_F(XyzTest, AtomFileWithoutReadableAtomsLeavesTheTable) {
  setRow(0, {"keep", "1", "2", "3"});
  EXPECT_FALSE(open(writeXyz("none.xyz", "2\n\nC a b c\nXx 1 2 3\n")));
  EXPECT_TRUE(dialogs->boxes.empty()) << "no box of its own";
  // Cut mid-line, binary, nothing finite, one megabyte of digits: only the Open command's box.
  const std::string bad[] = {"3\nc\nC 1.0 2", std::string("2\nc\nC \x01\xff\xfe 0\0 0\n", 16),
                             "1\nc\nC inf nan 1e400\n",
                             "1\nc\nC 1" + std::string(1 << 20, '5') + " 0 0\n"};
  for (const std::string& text : bad) {
    EXPECT_FALSE(openFile(writeXyz("bad.xyz", text)));
    EXPECT_EQ(dialogs->titles(), Strings{"User file error"});
    EXPECT_EQ(atom(0), (Strings{"keep", "1", "2", "3"}));
  }
}

TEST_F(XyzTest, WaterIsDrawnInTheChosenScheme) {
  win->resize(1500, 1000); // room for the viewer beside the table
  // The atoms lie on the y axis; its line would cross their centres.
  win->showXYAxisCheck->setCheck(FALSE);
  pump();
  const std::string path = writeXyz("water.xyz", "3\nWater\nO 0.00000 0.00000 0.11779\n"
                                                 "H 0.00000 0.75545 -0.47116\n"
                                                 "H 0.00000 -0.75545 -0.47116\n");
  for (const auto& [pubchem, hydrogen] :
       {std::pair{true, FXRGB(0x68, 0x8C, 0x8C)}, {false, FXRGB(0xF6, 0xF6, 0xF6)}}) {
    win->applyPubChemCheck->setCheck(pubchem);
    win->applyJmolCheck->setCheck(!pubchem);
    ASSERT_TRUE(open(path));
    pump();
    // A lit sphere seen head-on shows nearly its own colour at its centre.
    const ViewerPicture p = grab(win->viewer);
    EXPECT_TRUE(nearColour(pixelAt(p, 0, 0, 0.11779f), FXRGB(0xF4, 0, 0), 25)) << pubchem;
    EXPECT_TRUE(nearColour(pixelAt(p, 0, 0.75545f, -0.47116f), hydrogen, 25)) << pubchem;
  }
}
