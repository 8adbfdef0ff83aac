// The table's context menu, row commands, the "Number of rows" dialog, the wheel on "Scale size"
// and "Opaqueness", and the element colours, sizes and swatches of the "Label" column.
#include "GuiHarness.h"

#include <algorithm>
#include <fxkeys.h>

#include "table/Table_zk2.h"

namespace {

class RowCommandsTest : public OrbalaTest {
protected:
  void dataRows(int n) {
    for (int r = 0; r < n; ++r)
      setRow(r, {"p" + std::to_string(r), "1", "2", "3", "", "", "", "1.0"});
  }
  bool shown(int row) const {
    const bool on = win->rowState.showFlags[row] != 0;
    EXPECT_EQ(on, win->table->getItemIcon(row, 8) != nullptr) << "row " << row;
    return on;
  }
  void wheel(int code, FXuint state = 0) {
    sendEvent(SEL_MOUSEWHEEL, Orbala::ID_SCALE_SIZE, code, state);
  }
  // A menu pane's entries joined by "|": "-" for a separator, "!" before a disabled entry.
  static std::string entries(FXComposite* pane) {
    std::string out;
    for (FXWindow* w = pane->getFirst(); w; w = w->getNext()) {
      auto* caption = dynamic_cast<FXMenuCaption*>(w);
      out += (out.empty() ? "" : "|") +
             (caption ? (w->isEnabled() ? "" : "!") + std::string(caption->getText().text()) : "-");
    }
    return out;
  }
};

const std::string kColours = "red|green|blue|yellow|cyan|magenta|orange|lavander|brown|white|"
                             "light blue|mint|purple|dark green|sky blue|lime|peach|olive|dark "
                             "cyan|light orange|dark rose|gray|black";

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

TEST_F(RowCommandsTest, InsertClearAndDeleteMoveTextsButNotFlags) {
  win->setUpTable(10);
  dataRows(10);
  select(0, 1);
  ASSERT_TRUE(win->buildContextMenu());
  command(Orbala::ID_INSERT_ROW, win->insertAboveItem);
  EXPECT_EQ(dialogs->seen(), Strings{"error Row error: You can only select 1 row at a time"});
  EXPECT_EQ(cell(0, 0), "p0");

  setTick(0, 8, false);
  select(0, 0);
  command(Orbala::ID_INSERT_ROW, win->insertAboveItem);
  EXPECT_EQ(cell(0, 7), "");
  EXPECT_TRUE(shown(0));
  EXPECT_EQ(cell(1, 0) + cell(9, 0), "p0p8"); // p9 fell off the end
  select(9, 9);
  command(Orbala::ID_INSERT_ROW, win->insertBelowItem); // below the last row: nothing
  EXPECT_EQ(cell(9, 0), "p8");

  dataRows(10);
  setTick(5, 8, false);
  select(2, 4, 1, 3);
  command(Orbala::ID_DELETE_ROWS);
  EXPECT_EQ(cell(2, 0) + cell(6, 0), "p5p9");
  EXPECT_EQ(cell(7, 1) + cell(9, 0) + cell(9, 7), "");
  EXPECT_FALSE(shown(5)); // the flag stays with the row position
  EXPECT_EQ(win->pointData.pointCount, 7);

  setTick(1, 8, false);
  select(1, 1);
  command(Orbala::ID_CLEAR_ROWS);
  EXPECT_EQ(cell(1, 0) + cell(1, 7), "");
  EXPECT_TRUE(shown(1));
  win->readTable(false);
  EXPECT_EQ(win->pointData.pointCount, 1); // the emptied size ends the data

  // A value typed and left open in a cell goes into its own row before the rows move or cells are
  // rewritten by a command that does not come from the context menu (that is the random test's).
  for (int r = 0; r < 3; ++r)
    setRow(r, {std::string(1, "CNO"[r]), std::to_string(r + 1), "0", "0"});
  win->table->startInput(2, 2);
  cellEditor()->setText("8");
  select(0, 1);
  command(Orbala::ID_DELETE_ROWS);
  win->table->startInput(0, 3);
  cellEditor()->setText("9");
  win->table->pasteText("P");
  EXPECT_EQ(cells(0, 0, 3), (Strings{"P", "3", "8", "9"}));
}

TEST_F(RowCommandsTest, ShowHideOpacityAndNamedColoursForTheSelectionOrEverywhere) {
  setRow(0, {"a", "1", "1", "1", "255", "0", "0"});
  setRow(1, {"b", "1", "1", "1", "0", "0", "255"});
  setRow(2, {"c", "1", "1", "1", "255", "0", "0"});
  setRow(20, {"", "", "", "", "255", "0", "0"}); // not a data row, but of the colour
  setRow(21, {"", "", "", "", "255", "0", "1"});
  command(Orbala::ID_REDRAW);
  const FXint objects = win->sceneGroup->no();

  select(0, 1);
  command(Orbala::ID_HIDE_COLOR_POINTS); // needs exactly one row
  EXPECT_TRUE(shown(0));
  select(0, 0, 4, 4);
  command(Orbala::ID_HIDE_COLOR_POINTS);
  EXPECT_FALSE(shown(0) || shown(2) || shown(20));
  EXPECT_TRUE(shown(1) && shown(3) && shown(21));
  EXPECT_EQ(win->sceneGroup->no(), objects - 2);

  command(Orbala::ID_SHOW_POINTS);
  EXPECT_TRUE(shown(0) && shown(20) && shown(999));
  command(Orbala::ID_TRANSPARENT_POINTS);
  select(1, 1);
  command(Orbala::ID_OPAQUE_COLOR_POINTS);
  EXPECT_EQ(win->rowState.opaqueFlags[0], 0);
  EXPECT_EQ(win->rowState.opaqueFlags[1], 1);
  EXPECT_NE(win->table->getItemIcon(1, 9), nullptr);
  EXPECT_EQ(win->table->getItemIcon(999, 9), nullptr);

  // Named colours go to the selection or everywhere, and are assigned by label.
  dataRows(4);
  select(1, 2, 4, 6);
  command(Orbala::ID_SPHERE_COLOR + 7); // lavander
  EXPECT_EQ(cells(1, 4, 6), (Strings{"128", "128", "255"}));
  EXPECT_EQ(cells(3, 4, 6), (Strings{"", "", ""}));
  EXPECT_TRUE(win->colorPoints && win->colorRadio->getCheck() && !win->grayRadio->getCheck());
  EXPECT_EQ(win->swatches.size(), 4u);
  win->table->killSelection();
  command(Orbala::ID_SPHERE_COLOR + 22); // black, into every row
  EXPECT_EQ(cells(999, 4, 6), (Strings{"50", "50", "50"}));

  const char* labels[] = {"Fe", "O", "Fe", "", "fe", "fe"};
  for (int r = 0; r < 6; ++r)
    setRow(r, {labels[r], "1", "1", "1"});
  setRow(4, {"fe", "", "", ""}); // no coordinates: stays black, but "fe" takes the next colour
  command(Orbala::ID_SPHERE_COLOR + 23);
  std::string rgb;
  for (int r = 0; r < 6; ++r)
    rgb += cell(r, 4) + "," + cell(r, 5) + "," + cell(r, 6) + " ";
  EXPECT_EQ(rgb, "255,0,0 0,255,0 255,0,0 50,50,50 50,50,50 0,0,255 ");
}

TEST_F(RowCommandsTest, ContextMenuEntriesAndTheirEnabling) {
  dataRows(2);
  FXEvent drag{};
  drag.moved = TRUE;
  select(0, 0);
  send(SEL_RIGHTBUTTONRELEASE, Orbala::ID_TABLE, win->table, &drag);
  EXPECT_EQ(win->contextMenu, nullptr);
  win->table->killSelection();
  EXPECT_FALSE(win->buildContextMenu());

  // Several rows inside R..B: the seven single-row entries are disabled, the colours come twice.
  win->loadedSizes = "1.0|";
  select(0, 2, 4, 6);
  ASSERT_TRUE(win->buildContextMenu());
  const std::string menu = entries(win->contextMenu);
  EXPECT_EQ(std::count(menu.begin(), menu.end(), '!'), 7) << menu;
  EXPECT_NE(menu.find("|Restore \"Relative size\" cells to their orginal values|-|!Set"),
            std::string::npos);
  EXPECT_NE(menu.find("|-|" + kColours + "|-|Cancel"), std::string::npos) << menu;
  auto* cascade = dynamic_cast<FXMenuCascade*>(win->contextMenu->childAtIndex(16));
  ASSERT_NE(cascade, nullptr);
  EXPECT_EQ(entries(cascade->getMenu()), kColours + "|Auto assign by label");
}

TEST_F(RowCommandsTest, NumberOfRowsAsksAgainUntilTheCountFitsAndTakesEnterAndEscape) {
  // Cancelled, or answered with the same count: the table and its texts stay.
  setRow(0, {"P", "1", "2", "3"});
  command(Orbala::ID_NUMBER_OF_ROWS);
  dialogs->integerAnswers = {"1000"};
  command(Orbala::ID_NUMBER_OF_ROWS);
  EXPECT_EQ(cells(0, 0, 3), Strings({"P", "1", "2", "3"}));
  dialogs->integerAnswers = {"9", "2000000", "25"};
  command(Orbala::ID_NUMBER_OF_ROWS);
  // Each refusal is an error box, and the dialog comes back with the refused count in it.
  std::string asked;
  for (const auto& box : dialogs->boxes)
    asked += (box.kind == "integer" ? box.text : box.kind) + " ";
  EXPECT_EQ(asked, "1000 1000 1000 error 9 error 2000000 ");
  EXPECT_EQ(win->table->getNumRows(), 25);
  EXPECT_EQ(win->rowState.size(), 25);

  // Enter in the real dialog accepts what was typed, Escape cancels; keys through the X server.
  for (const Strings& keys : {Strings{"2", "5", "Return"}, Strings{"9", "Escape"}}) {
    const LoopAction type(
        [&] {
          FXWindow* dialog = testApp()->getModalWindow();
          xGiveFocus(dialog);
          xPointAt(dialog, dialog->getWidth() / 2, dialog->getHeight() / 2);
          xSendKeys(keys);
        },
        0);
    // Only if the keys did nothing, after a while that never passes when they work.
    const LoopAction stuck([] { testApp()->stopModal(testApp()->getModalWindow(), FALSE); }, 5000);
    FXString text = "1000";
    const bool accepted =
        ToolkitDialogs().askInteger(win, "Number of rows", "Number of rows", text);
    EXPECT_EQ(accepted, keys.back() == "Return");
    EXPECT_STREQ(text.text(), accepted ? "25" : "1000");
  }
}

TEST_F(RowCommandsTest, WheelScalesTheRowsOfEachMode) {
  dataRows(5);
  win->table->setItemText(1, 7, "1.00");
  typeCell(2, 7, "1,5"); // typed by the user, comma kept

  command(Orbala::ID_SCALE_MODE + 0); // Label, nothing selected
  wheel(120);
  command(Orbala::ID_SCALE_MODE + 2); // Color, two rows
  select(0, 1);
  wheel(120);
  EXPECT_EQ(dialogs->titles(), (Strings{"Selection warning", "Selection warning"}));
  EXPECT_EQ(cell(0, 7) + win->scaleSizeField->getText().text(), "1.01.00");

  command(Orbala::ID_SCALE_MODE + 3); // Size: "1.0" rows, not "1.00"
  select(0, 0);
  wheel(-120, CONTROLMASK);
  EXPECT_EQ(win->scaleSizeField->getText(), "0.90");
  // The first row after the data is scanned too.
  EXPECT_EQ(cell(0, 7) + " " + cell(1, 7) + " " + cell(5, 7) + " " + cell(6, 7),
            "0.900 1.00 0.900 1.0");

  command(Orbala::ID_SCALE_MODE + 1); // Selection
  select(3, 6);
  win->scaleSizeField->setText("1.00");
  wheel(120, CONTROLMASK);
  EXPECT_EQ(cell(3, 7) + cell(6, 7), "1.101.10");

  command(Orbala::ID_SCALE_MODE + 4); // All: a factor on each size, from 1 at every notch
  win->table->killSelection();
  wheel(120, SHIFTMASK | CONTROLMASK);
  wheel(120);
  EXPECT_EQ(win->scaleSizeField->getText(), "1.01");
  EXPECT_EQ(cell(0, 7), "1.36"); // 0.900 * 1.5, written 1.35, * 1.01
  EXPECT_EQ(cell(2, 7), "2.27"); // "1,5" read as 1.5, as the plot reads it
  EXPECT_EQ(cell(999, 7), "1.52");
}

TEST_F(RowCommandsTest, OpacityKeysRestoreAndSizesToOne) {
  dataRows(3);
  // The steps and their bounds are the unit tests'; the wheel reaches them.
  win->opaquenessField->setText("1.0");
  sendEvent(SEL_MOUSEWHEEL, Orbala::ID_OPAQUENESS, -120);
  EXPECT_STREQ(win->opaquenessField->getText().text(), "0.9");

  // Keys step the value only: up, down for Down, not at all for a lone modifier or Tab.
  win->scaleSizeField->setText("1.00");
  std::string taken;
  for (FXint code : {KEY_a, KEY_Down, KEY_Down, KEY_Shift_L, KEY_Tab})
    taken += std::to_string(sendEvent(SEL_KEYPRESS, Orbala::ID_SCALE_SIZE, code));
  EXPECT_EQ(taken + " " + win->scaleSizeField->getText().text(), "11100 0.99");
  EXPECT_EQ(cell(0, 7), "1.0");

  win->table->setItemText(0, 7, "2.0");
  command(Orbala::ID_RESTORE_SIZES); // nothing loaded yet
  EXPECT_EQ(cell(0, 7) + win->scaleSizeField->getText().text(), "2.01");
  win->loadedSizes = "2.5|3.0|";
  win->table->setCurrentItem(1, 0);
  command(Orbala::ID_RESTORE_SIZES);
  EXPECT_EQ(cell(0, 7) + "|" + cell(1, 7) + "|" + cell(2, 7), "2.5|3.0|1.0");
  EXPECT_EQ(win->scaleSizeField->getText(), "3.0");
  EXPECT_DOUBLE_EQ(win->rowState.relativeSizes[1], 3.0);
  command(Orbala::ID_SIZES_TO_ONE);
  EXPECT_EQ(cell(0, 7) + cell(999, 7), "1.001.00");
}

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
