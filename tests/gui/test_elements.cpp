// Element colours, sizes and the colour swatches of the "Label" column, driven by their buttons.
#include "GuiHarness.h"

#include "table/Table_zk2.h"

namespace {

class ElementsTest : public OrbalaTest {
protected:
  void atomRow(int row, const std::string& label) { setRow(row, {label, "1", "2", "3"}); }
  Strings rgb(int row) const { return cells(row, 4, 6); }
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
  FXColor swatchCentre(int row) {
    return swatch(row)->getPixel(win->table->getColumnWidth(0) / 2,
                                 win->table->getRowHeight(0) / 2);
  }
};

const std::string kUnmatched =
    "warning Unknown element(s): The following elements could not be mtched:\n";

} // namespace

TEST_F(ElementsTest, KnownLabelsAreColouredWithSwatchesAndUnknownOnesReported) {
  EXPECT_EQ(win->colorScheme, 2); // no scheme chosen yet: the button alone must be enough
  const char* labels[] = {"o", "C", "Xx", "  O", "H"};
  for (int r = 0; r < 5; ++r)
    atomRow(r, labels[r]);
  setRow(5, {"N"}); // no coordinates: the scan ends here and N stays uncoloured
  command(Orbala::ID_JMOL_COLORS);

  EXPECT_EQ(win->colorScheme, 1);
  EXPECT_EQ(rgb(0), (Strings{"244", "0", "0"}));
  EXPECT_EQ(rgb(1), (Strings{"102", "102", "102"}));
  EXPECT_EQ(rgb(2), (Strings{"200", "200", "200"})) << "drawn gray, as undefined colours are";
  EXPECT_EQ(rgb(3), rgb(0));
  EXPECT_EQ(rgb(5), (Strings{"", "", ""}));
  EXPECT_TRUE(win->colorPoints && win->colorRadio->getCheck() && !win->grayRadio->getCheck());
  EXPECT_EQ(dialogs->seen(), Strings{kUnmatched + "Xx"});

  // Each row's colour in its label cell; rows of one colour share their swatch.
  ASSERT_EQ(win->swatches.size(), 5u);
  EXPECT_EQ(swatch(3), swatch(0));
  const FXint w = win->table->getColumnWidth(0), h = win->table->getRowHeight(0);
  FXIcon* icon = swatch(2);
  ASSERT_EQ(icon, win->swatches[2]);
  EXPECT_TRUE(icon->getWidth() == w && icon->getHeight() == h);
  // Black is the see-through colour, so the border is drawn in a black that is not.
  EXPECT_EQ(icon->getTransparentColor(), FXRGB(0, 0, 0));
  EXPECT_TRUE(icon->getPixel(0, 0) == FXRGB(0, 0, 1) &&
              icon->getPixel(w - 1, h - 1) == FXRGB(0, 0, 1));
  EXPECT_EQ(swatchCentre(0), FXRGB(244, 0, 0));
  EXPECT_EQ(swatchCentre(2), FXRGB(200, 200, 200)) << "an unknown atom is drawn gray";
  EXPECT_EQ(win->table->getItemIcon(5, 0), nullptr);

  // Switching scheme rewrites the colours of the same rows.
  command(Orbala::ID_PUBCHEM_COLORS);
  EXPECT_EQ(win->colorScheme, 0);
  EXPECT_EQ(rgb(1), (Strings{"44", "74", "74"}));
  EXPECT_EQ(swatchCentre(4), FXRGB(0x68, 0x8C, 0x8C));
}

TEST_F(ElementsTest, UnknownLabelsAreReportedUnlessAnEarlyEndMatchedNothing) {
  // Plain data with labels but no element: neither button says a word or changes a cell.
  atomRow(0, "A");
  atomRow(1, "B1");
  command(Orbala::ID_JMOL_COLORS);
  command(Orbala::ID_SIZE_DEFAULTS);
  EXPECT_TRUE(dialogs->boxes.empty() && !win->colorPoints && win->swatches.empty());
  EXPECT_EQ(cells(0, 4, 7), (Strings{"", "", "", "1.0"}));

  // A full table of unknown labels, one of them a thousand letters long: all are reported, and
  // the box still fits the screen, OK button and all.
  win->setUpTable(1001);
  atomRow(0, "C");
  atomRow(1, std::string(1000, 'Q'));
  for (int r = 2; r < 1001; ++r)
    atomRow(r, "X" + std::to_string(r));
  command(Orbala::ID_JMOL_COLORS);
  ASSERT_EQ(dialogs->boxes.size(), 1u);
  const std::string& text = dialogs->boxes[0].text;
  EXPECT_NE(text.find(std::string(40, 'Q') + "..., X2, X3,"), std::string::npos) << text;
  EXPECT_NE(text.find(", X20\nand 980 more"), std::string::npos) << text;
  FXMessageBox box(win, "Unknown element(s)", text.c_str(), nullptr, MBOX_OK);
  EXPECT_LE(box.getDefaultWidth(), win->getRoot()->getWidth() / 2);
  EXPECT_LE(box.getDefaultHeight(), win->getRoot()->getHeight() / 2);
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

TEST_F(ElementsTest, SwatchColourComesFromTheCellsLowByteAndSurvivesATableThatShrank) {
  setRow(0, {"p", "0", "0", "0", "300", "abc", "-1"});
  setRow(1, {"q", "0", "0", "0", "10", "20", "30"});
  setRow(2, {"black", "0", "0", "0", "0", "0", "0"});
  win->colorPoints = true;
  win->buildColorSwatches();
  EXPECT_EQ(swatchCentre(0), FXRGB(44, 0, 255));
  EXPECT_EQ(swatchCentre(1), FXRGB(10, 20, 30));
  // Black is the transparent colour: a black point's swatch must not vanish.
  EXPECT_TRUE(swatch(2)->getOptions() & IMAGE_OPAQUE);
  // On a dark swatch the label is drawn light, or it could not be read.
  pump();
  const ViewerPicture shot = onScreen(win->table);
  for (int r = 0; r < 3; ++r) {
    const int x0 = win->table->getColumnX(0), y0 = win->table->getRowY(r);
    int light = 0;
    for (int y = y0 + 2; y < y0 + win->table->getRowHeight(r) - 2; ++y)
      for (int x = x0 + 2; x < x0 + win->table->getColumnWidth(0) - 2; ++x)
        light += nearColour(shot.at(x, y), FXRGB(255, 255, 255), 60);
    EXPECT_GT(light, 5) << "row " << r;
  }
  // A row without colours is drawn gray, its cells written 200: the swatch follows the cells.
  setRow(3, {"e", "0", "0", "0"});
  win->buildColorSwatches();
  command(Orbala::ID_REDRAW);
  EXPECT_EQ(cells(3, 4, 6), (Strings{"200", "200", "200"}));
  EXPECT_EQ(swatchCentre(3), FXRGB(200, 200, 200));

  win->colorPoints = false;
  win->buildColorSwatches();
  ASSERT_EQ(win->swatches.size(), 4u);
  EXPECT_EQ(swatchCentre(1), FXRGB(200, 200, 200));

  // Swatches survive a table that shrank.
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
