// Element colours, sizes and the colour swatches of the "Label" column, driven by their buttons.
#include "GuiHarness.h"

#include "table/Table_zk2.h"

namespace {

class ElementsTest : public OrbalaTest {
protected:
  // A row with coordinates and the given label.
  void atomRow(int row, const std::string& label) { setRow(row, {label, "1", "2", "3"}); }

  Strings rgb(int row) const { return cells(row, 4, 6); }
  // The "Relative size" cells of the first rows.
  Strings sizes(int rows) const {
    Strings out;
    for (int r = 0; r < rows; ++r)
      out.push_back(cell(r, 7));
    return out;
  }
  // The swatch icon of a row, with its pixels read back from the display.
  FXIcon* swatch(int row) {
    FXIcon* icon = win->table->getItemIcon(row, 0);
    if (icon) icon->restore();
    return icon;
  }
  // The colour in the middle of a row's swatch.
  FXColor swatchCentre(int row) {
    return swatch(row)->getPixel(win->table->getColumnWidth(0) / 2,
                                 win->table->getRowHeight(0) / 2);
  }
};

const Strings kNoColour{"", "", ""};
const std::string kUnmatched =
    "warning Unknown element(s): The following elements could not be mtched:\n";

} // namespace

TEST_F(ElementsTest, KnownLabelsAreColouredAndUnknownOnesReported) {
  EXPECT_EQ(win->colorScheme, 2); // no scheme chosen yet: the button alone must be enough
  const char* labels[] = {"o", "O", "O ", "  O", "C", "Xx", "H"};
  for (int r = 0; r < 7; ++r)
    atomRow(r, labels[r]);
  setRow(7, {"N"}); // no coordinates: the scan ends here and N stays uncoloured
  command(Orbala::ID_JMOL_COLORS);

  EXPECT_EQ(win->colorScheme, 1);
  for (int r = 0; r < 4; ++r)
    EXPECT_EQ(rgb(r), (Strings{"244", "0", "0"})) << "row " << r;
  EXPECT_EQ(rgb(4), (Strings{"102", "102", "102"}));
  EXPECT_EQ(rgb(5), (Strings{"200", "200", "200"})) << "drawn gray, as undefined colours are";
  EXPECT_EQ(rgb(6), (Strings{"246", "246", "246"}));
  EXPECT_EQ(rgb(7), kNoColour);
  EXPECT_TRUE(win->colorPoints && win->colorRadio->getCheck() && !win->grayRadio->getCheck());
  EXPECT_EQ(dialogs->seen(), Strings{kUnmatched + "Xx"});

  // Switching scheme rewrites the colours of the same rows.
  command(Orbala::ID_PUBCHEM_COLORS);
  EXPECT_EQ(win->colorScheme, 0);
  EXPECT_EQ(rgb(4), (Strings{"44", "74", "74"}));
}

TEST_F(ElementsTest, UnknownLabelsAreReportedUnlessAnEarlyEndMatchedNothing) {
  win->setUpTable(10);
  atomRow(0, "A");
  atomRow(1, "B1");
  for (FXSelector id : {Orbala::ID_JMOL_COLORS, Orbala::ID_SIZE_DEFAULTS})
    command(id);
  EXPECT_TRUE(dialogs->boxes.empty());
  EXPECT_EQ(rgb(0), kNoColour);
  EXPECT_TRUE(!win->colorPoints && win->swatches.empty());
  EXPECT_EQ(cell(0, 7), "1.0");

  // When every row holds coordinates the scan reaches the end: all of them are reported.
  const char* labels[10] = {"Q", "Zz", "X1", "J", "Carbon", "C-2", "E", "Qq", "A", "Y2"};
  for (int r = 0; r < 10; ++r)
    atomRow(r, labels[r]);
  for (FXSelector id : {Orbala::ID_PUBCHEM_COLORS, Orbala::ID_SIZE_DEFAULTS}) {
    dialogs->boxes.clear();
    command(id);
    EXPECT_EQ(dialogs->seen(), Strings{kUnmatched + "Q, Zz, X1, J, Carbon, C-2, E, Qq, A, Y2"});
  }
  EXPECT_FALSE(win->colorPoints);
  EXPECT_EQ(sizes(10), std::vector<std::string>(10, "1.0"));
}

TEST_F(ElementsTest, SizeButtons) {
  atomRow(0, "C");
  atomRow(1, "o");
  atomRow(2, "Xx");
  setRow(3, {"Fe"}); // label only, below the data
  setRow(5, {"Fe"});

  // "Defaults" stays within the data rows and reports what it could not size.
  command(Orbala::ID_SIZE_DEFAULTS);
  EXPECT_EQ(sizes(6), (Strings{"0.70", "0.60", "1.0", "1.0", "1.0", "1.0"}));
  EXPECT_EQ(dialogs->seen(), Strings{kUnmatched + "Xx"});

  // "Slater" reaches every row with a known label, silently.
  dialogs->boxes.clear();
  command(Orbala::ID_SLATER_SIZES);
  EXPECT_EQ(sizes(6), (Strings{"0.70", "0.60", "1.0", "1.40", "1.0", "1.40"}));
  EXPECT_TRUE(dialogs->boxes.empty());

  command(Orbala::ID_ALL_SAME_SIZE);
  EXPECT_EQ(cell(0, 7) + cell(3, 7) + cell(999, 7), "1.001.001.00");
  EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(ElementsTest, SwatchesShowEachRowsColourInItsLabelCell) {
  atomRow(0, "O");
  atomRow(1, "C");
  atomRow(2, "Xx");
  atomRow(3, "o");
  command(Orbala::ID_JMOL_COLORS);

  ASSERT_EQ(win->swatches.size(), 4u);
  EXPECT_EQ(swatch(3), swatch(0)) << "rows of one colour share their swatch";
  const FXint w = win->table->getColumnWidth(0);
  const FXint h = win->table->getRowHeight(0);
  for (int r = 0; r < 3; ++r) {
    FXIcon* icon = swatch(r);
    ASSERT_EQ(icon, win->swatches[r]) << "row " << r;
    EXPECT_TRUE(icon->getWidth() == w && icon->getHeight() == h);
    // Black is the see-through colour, so the border is drawn in a black that is not.
    EXPECT_EQ(icon->getTransparentColor(), FXRGB(0, 0, 0));
    EXPECT_TRUE(icon->getPixel(0, 0) == FXRGB(0, 0, 1) &&
                icon->getPixel(w - 1, h - 1) == FXRGB(0, 0, 1));
  }
  EXPECT_EQ(swatchCentre(0), FXRGB(244, 0, 0));
  EXPECT_EQ(swatchCentre(1), FXRGB(102, 102, 102));
  EXPECT_EQ(swatchCentre(2), FXRGB(200, 200, 200)) << "an unknown atom is drawn gray";
  EXPECT_EQ(win->table->getItemIcon(4, 0), nullptr);
}

TEST_F(ElementsTest, SwatchColourComesFromTheCellsLowByte) {
  setRow(0, {"p", "0", "0", "0", "300", "abc", "-1"});
  setRow(1, {"q", "0", "0", "0", "10", "20", "30"});
  setRow(2, {"black", "0", "0", "0", "0", "0", "0"});
  win->colorPoints = true;
  win->buildColorSwatches();
  EXPECT_EQ(swatchCentre(0), FXRGB(44, 0, 255));
  EXPECT_EQ(swatchCentre(1), FXRGB(10, 20, 30));
  // Black is the transparent colour: a black point's swatch must not vanish.
  EXPECT_TRUE(swatch(2)->getOptions() & IMAGE_OPAQUE);

  win->colorPoints = false;
  win->buildColorSwatches();
  ASSERT_EQ(win->swatches.size(), 3u);
  EXPECT_EQ(swatchCentre(1), FXRGB(200, 200, 200));
}

TEST_F(ElementsTest, SwatchesSurviveATableThatShrank) {
  for (int r = 0; r < 30; ++r)
    atomRow(r, "H");
  command(Orbala::ID_JMOL_COLORS);
  ASSERT_EQ(win->swatches.size(), 30u);

  // The new table has fewer rows than there are swatches: nothing may touch the missing rows.
  win->setUpTable(10);
  for (int r = 0; r < 10; ++r)
    atomRow(r, "N");
  command(Orbala::ID_PUBCHEM_COLORS);
  ASSERT_EQ(win->swatches.size(), 10u);
  EXPECT_EQ(win->table->getItemIcon(9, 0), win->swatches[9]);

  win->freeColorSwatches();
  EXPECT_TRUE(win->swatches.empty());
  EXPECT_EQ(win->table->getItemIcon(0, 0), nullptr);
}
