// The widget tree of the main window, built once by the constructor in this order.
#include "app/Orbala.h"

#include <utility>

#include "app/BoundedTextField.h"
#include "app/Icons.h"
#include "app/PanelLayout.h"
#include "app/StyledWidgets.h"
#include "table/Table_zk2.h"
#include "table/core/Numbers.h"
#include "table/core/TableLimits.h"

namespace {
// The size column's title on one line, as tooltips and menus name it.
FXString sizeColumnTitle() {
  FXString title(kColumnTitles[7]);
  title.substitute('\n', ' ');
  return title;
}
} // namespace

void Orbala::makeIcons() {
  windowIcon = makeGifIcon(getApp(), kWindowIconGif);
  iconOpen = makeGifIcon(getApp(), kOpenIconGif);
  iconSave = makeGifIcon(getApp(), kSaveIconGif);
  iconSaveAs = makeGifIcon(getApp(), kSaveAsIconGif);
  iconSelectAll = makeGifIcon(getApp(), kSelectAllIconGif);
  iconCopy = makeGifIcon(getApp(), kCopyIconGif);
  iconPaste = makeGifIcon(getApp(), kPasteIconGif);
  iconClear = makeGifIcon(getApp(), kClearIconGif);
  iconExit = makeGifIcon(getApp(), kExitIconGif);
  iconAbout = makeGifIcon(getApp(), kAboutIconGif);
  tableIcon = makeGifIcon(getApp(), kMarkIconGif);
}

void Orbala::buildMenus() {
  menuBar = new FXMenuBar(this, 0, 0, 0, 0, 0, 3, 3, 2, 2, 4, 4);
  new FXHorizontalSeparator(this, SEPARATOR_GROOVE | LAYOUT_FILL_X, 0, 0, 0, 0, 1, 1, 0, 0);
  dockSite = new FXDockSite(this, LAYOUT_FILL_X);
  toolBarShell = new FXToolBarShell(this, FRAME_NORMAL, 0, 0, 0, 0, 4, 4);
  toolBar = new FXToolBar(dockSite, toolBarShell, LAYOUT_DOCK_NEXT | LAYOUT_FILL_X, 0, 0, 0, 0, 3,
                          3, 2, 2, 4, 4);

  toolTip = new FXToolTip(getApp(), 0);
  getApp()->setTooltipTime(5000);

  fileMenu = new FXMenuPane(this, 0);
  new MenuTitleWin10Style(menuBar, "File", fileMenu);
  new FXMenuCommand(fileMenu, "Open data file...", iconOpen, this, ID_OPEN, 0);
  new FXMenuCommand(fileMenu, "Save data", iconSave, this, ID_SAVE, 0);
  new FXMenuCommand(fileMenu, "Save data as...", iconSaveAs, this, ID_SAVE_AS, 0);
  iconOpen->create();
  iconSave->create();
  iconSaveAs->create();
  new FXMenuSeparator(fileMenu, 0);
  new FXMenuSeparator(fileMenu, 0);
  for (auto& item : recentFileItems)
    item = new FXMenuCommand(fileMenu, "", nullptr, this, ID_RECENT_FILE, 0);
  new FXMenuSeparator(fileMenu, 0);
  clearRecentItem =
      new FXMenuCommand(fileMenu, "Clear recent files list", nullptr, this, ID_CLEAR_RECENT, 0);
  new FXMenuSeparator(fileMenu, 0);
  new FXMenuCommand(fileMenu, "Exit", iconExit, this, ID_EXIT, 0);
  iconExit->create();

  saveImageMenu = new FXMenuPane(this, 0);
  new MenuTitleWin10Style(menuBar, "Save Image", saveImageMenu);
  new FXMenuCommand(saveImageMenu, "&Copy image to clipboard\tCtl-C", nullptr, this, ID_COPY_IMAGE,
                    0);
  new FXMenuCommand(saveImageMenu, "&Save image to file...\tCtl-S", nullptr, this, ID_SAVE_IMAGE,
                    0);

  imageOptionsMenu = new FXMenuPane(this, 0);
  sphereColorsMenu = new FXMenuPane(this, 0);
  imageOptionsTitle = new MenuTitleWin10Style(menuBar, "Image Options", imageOptionsMenu);
  grayRadio = new FXMenuRadio(imageOptionsMenu, "Gray spheres", this, ID_IMAGE_OPTION, 0);
  colorRadio = new FXMenuRadio(imageOptionsMenu, "Color spheres", this, ID_IMAGE_OPTION, 0);
  grayRadio->setCheck(TRUE);
  new FXMenuCascade(imageOptionsMenu, "Sphere colors", nullptr, sphereColorsMenu, 0);
  for (int i = 0; i < kSphereColorCount; ++i) {
    new FXMenuCommand(sphereColorsMenu, kSphereColorNames[i], nullptr, this, ID_SPHERE_COLOR + i,
                      0);
  }
  new FXMenuCommand(sphereColorsMenu, "Auto assign by label", nullptr, this,
                    ID_SPHERE_COLOR + kSphereColorCount, 0);
  undefinedGrayCheck =
      new FXMenuCheck(imageOptionsMenu, "Set undefined colors to gray", this, ID_IMAGE_OPTION, 0);
  new FXMenuSeparator(imageOptionsMenu, 0);
  showXYAxisCheck =
      new FXMenuCheck(imageOptionsMenu, "Show x && y axies", this, ID_IMAGE_OPTION, 0);
  showZAxisCheck = new FXMenuCheck(imageOptionsMenu, "Show z axis", this, ID_IMAGE_OPTION, 0);
  showAxisLabelsCheck =
      new FXMenuCheck(imageOptionsMenu, "Show axis labels", this, ID_IMAGE_OPTION, 0);
  showXYAxisCheck->setCheck(TRUE);
  showZAxisCheck->setCheck(TRUE);
  showAxisLabelsCheck->setCheck(TRUE);

  rotationMenu = new FXMenuPane(this, 0);
  new MenuTitleWin10Style(menuBar, "Rotation Options", rotationMenu);
  for (int i = 0; i < 7; ++i) {
    rotationAxisItems[i] =
        new FXMenuRadio(rotationMenu, FXStringFormat("%s axis", kRotationAxisNames[i]), this,
                        ID_ROTATION_AXIS + i, 0);
  }
  rotationAxisItems[0]->setCheck(TRUE);
  new FXMenuSeparator(rotationMenu, 0);
  clockwiseRadio =
      new FXMenuRadio(rotationMenu, "Clockwise rotation", this, ID_ROTATION_DIRECTION, 0);
  counterClockwiseRadio =
      new FXMenuRadio(rotationMenu, "Counter-clockwise rotation", this, ID_ROTATION_DIRECTION, 0);
  clockwiseRadio->setCheck(TRUE);

  otherOptionsMenu = new FXMenuPane(this, 0);
  new MenuTitleWin10Style(menuBar, "Other Options", otherOptionsMenu);
  new FXMenuCommand(otherOptionsMenu, "Number of rows in table", nullptr, this, ID_NUMBER_OF_ROWS,
                    0);
  showRGBColumnsCheck = new FXMenuCheck(otherOptionsMenu, "Show R, G && B columns in the table",
                                        this, ID_SHOW_RGB_COLUMNS, 0);
  showRGBColumnsCheck->setCheck(TRUE);
  new FXMenuSeparator(otherOptionsMenu, 0);
  applyPubChemCheck =
      new FXMenuCheck(otherOptionsMenu, "Apply PubChem colors after opening an *.xyz datafile",
                      this, ID_XYZ_COLOR_OPTION, 0);
  applyJmolCheck =
      new FXMenuCheck(otherOptionsMenu, "Apply Jmol colors after opening an *.xyz datafile", this,
                      ID_XYZ_COLOR_OPTION, 0);
  applyJmolCheck->setCheck(TRUE);
  // Keeps only its own state; the xyz import reads it.
  applyDefaultSizesCheck = new FXMenuCheck(
      otherOptionsMenu, "Apply default atom sizes after opening an *.xyz datafile", nullptr, 0, 0);
  applyDefaultSizesCheck->setCheck(TRUE);

  helpMenu = new FXMenuPane(this, 0);
  new MenuTitleWin10Style(menuBar, "Help", helpMenu);
  new FXMenuCommand(helpMenu, "About", iconAbout, this, ID_ABOUT, 0);
  new FXMenuCommand(helpMenu, "Instructions", nullptr, this, ID_INSTRUCTIONS, 0);
  new FXMenuSeparator(helpMenu, 0);
  new FXMenuCommand(helpMenu, "Tellmark Software web site (opens a browser)", nullptr, this,
                    ID_WEB_SITE, 0);
  new FXMenuCommand(helpMenu, "Check the web site for updates", nullptr, this, ID_CHECK_UPDATE, 0);

  buildFrameBar();
  new FXHorizontalSeparator(this, SEPARATOR_GROOVE | LAYOUT_FILL_X, 0, 0, 0, 0, 1, 1, 0, 0);
  mainFrame =
      new FXHorizontalFrame(this, LAYOUT_FILL_X | LAYOUT_FILL_Y, 0, 0, 0, 0, 0, 0, 0, 0, 4, 4);
}

MenuButtonWin10Style* Orbala::addToolBarButton(const FXString& text, FXIcon* icon, FXSelector id) {
  auto* button = new MenuButtonWin10Style(toolBar, text, icon, this, id, BUTTON_TOOLBAR, 0, 0, 0, 0,
                                          6, 6, 6, 6);
  toolBarButtons.push_back(button);
  return button;
}

void Orbala::buildToolBarLeft() {
  addToolBarButton("\tOpen data file...", iconOpen, ID_OPEN);
  addToolBarButton("\tSave data", iconSave, ID_SAVE);
  addToolBarButton("\tSave data as...", iconSaveAs, ID_SAVE_AS);
  new FXSeparator(toolBar, SEPARATOR_GROOVE);
  addToolBarButton("\tSelect entire table", iconSelectAll, ID_SELECT_ALL);
  addToolBarButton("\tCopy selection to clipboard", iconCopy, ID_COPY_SELECTION);
  addToolBarButton("\tPaste selection from clipboard", iconPaste, ID_PASTE_SELECTION);
  new FXSeparator(toolBar, SEPARATOR_GROOVE);
  addToolBarButton("\tClear input data", iconClear, ID_CLEAR_DATA);
}

void Orbala::buildLeftPanel() {
  panelSplitter = new PanelSplitter(mainFrame, SPLITTER_HORIZONTAL | SPLITTER_TRACKING |
                                                   LAYOUT_FILL_X | LAYOUT_FILL_Y);
  leftPanel = new FXVerticalFrame(panelSplitter, LAYOUT_FILL_Y, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4);
  buildRotationRow(leftPanel);
  buildControlsRow(leftPanel);
  buildValuesGroup(leftPanel);
}

void Orbala::buildRotationRow(FXComposite* parent) {
  // The rows wrap their groups, so the panel can stay narrow beside the view.
  auto* row = new FlowFrame(parent, LAYOUT_FILL_X, 4, 4, 4, 4, 4, 4);

  auto* pointBox =
      new FXGroupBox(row, "Rotation point", FRAME_GROOVE, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  auto* line1 = new FXHorizontalFrame(pointBox, 0, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4);
  rotationPointRadios[0] = new FXRadioButton(line1, "(0, 0, 0)", this, ID_ROTATION_POINT + 0);
  rotationPointRadios[1] =
      new FXRadioButton(line1, "Geometric center", this, ID_ROTATION_POINT + 1);
  rotationPointRadios[2] = new FXRadioButton(line1, "Point #", this, ID_ROTATION_POINT + 2);
  pointNumberField =
      new BoundedTextField(line1, orbala::kMaxFieldText, 6, this, ID_ROTATION_POINT_FIELD,
                           TEXTFIELD_LIMITED | TEXTFIELD_INTEGER | TEXTFIELD_NORMAL);
  auto* line2 = new FXHorizontalFrame(pointBox, 0, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4);
  rotationPointRadios[3] = new FXRadioButton(line2, "(x, y, z)", this, ID_ROTATION_POINT + 3);
  for (auto& field : rotationPointFields) {
    field = new BoundedTextField(line2, orbala::kMaxFieldText, 7, this, ID_ROTATION_POINT_FIELD,
                                 TEXTFIELD_LIMITED | TEXTFIELD_REAL | TEXTFIELD_NORMAL);
  }
  pointNumberField->setJustify(JUSTIFY_NORMAL);
  for (auto* field : rotationPointFields)
    field->setJustify(JUSTIFY_NORMAL);
  pointNumberField->setText("1");
  for (auto* field : rotationPointFields)
    field->setText("0");
  rotationPointRadios[0]->setCheck(TRUE);

  auto* axisBox = new FXGroupBox(row, "Rotation axis", FRAME_GROOVE | LAYOUT_FILL_Y, 0, 0, 0, 0, 0,
                                 0, 0, 0, 0, 0);
  auto* axisLine1 = new FXHorizontalFrame(axisBox, LAYOUT_FILL_X, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4);
  auto* axisLine2 = new FXHorizontalFrame(axisBox, 0, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4);
  for (int i = 0; i < 7; ++i) {
    FXString label(kRotationAxisNames[i]);
    label.substitute("About", "");
    FXuint opts = (i >= 1 && i <= 3) ? (RADIOBUTTON_NORMAL | LAYOUT_FILL_X) : RADIOBUTTON_NORMAL;
    rotationAxisRadios[i] =
        new FXRadioButton(i < 4 ? axisLine1 : axisLine2, label, this, ID_ROTATION_AXIS + i, opts);
  }
  rotationAxisRadios[0]->setCheck(TRUE);

  auto* scalingBox = new FXGroupBox(row, "Axis scaling", FRAME_GROOVE | LAYOUT_FILL_Y, 0, 0, 0, 0,
                                    4, 4, 4, 4, 4, 4);
  auto* matrix = new FXMatrix(scalingBox, 3, MATRIX_BY_COLUMNS, 0, 0, 0, 0, 0, 0, 0, 0, 4, 4);
  const char* axisNames[3] = {"x", "y", "z"};
  for (int axis = 0; axis < 3; ++axis) {
    new FXLabel(matrix, FXString(axisNames[axis]) + ": ", nullptr, LABEL_NORMAL);
    axisScalingRadios[2 * axis] =
        new FXRadioButton(matrix, "none", &axisScalingTargets[axis], FXDataTarget::ID_OPTION + 0);
    axisScalingRadios[2 * axis + 1] = new FXRadioButton(
        matrix, "normalize 0 to 1", &axisScalingTargets[axis], FXDataTarget::ID_OPTION + 1);
  }
}

void Orbala::buildControlsRow(FXComposite* parent) {
  auto* row = new FlowFrame(parent, LAYOUT_FILL_X, 0, 0, 0, 0, 4, 4);

  scaleSizeGroup = new FXGroupBox(row, "Scale size", FRAME_GROOVE, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4);
  auto* scaleFrame = new FXHorizontalFrame(scaleSizeGroup, LAYOUT_FILL_X | LAYOUT_FILL_Y, 0, 0, 0,
                                           0, 4, 4, 4, 4, 4, 4);
  scaleSizeField = new BoundedTextField(scaleFrame, orbala::kMaxFieldText, 7, this, ID_SCALE_SIZE,
                                        TEXTFIELD_READONLY | TEXTFIELD_NORMAL);
  scaleSizeField->setJustify(JUSTIFY_NORMAL);
  scaleSizeField->setText(orbala::formatFixed(1.0, 2).c_str());
  scaleSizeField->setTipText("scroll with the mousewheel to change this value");
  auto* modes = new FXMatrix(scaleFrame, 2, MATRIX_BY_ROWS, 0, 0, 0, 0, 0, 0, 0, 0, 4, 4);
  const char* modeNames[5] = {"Label", "Selection", "Color", "Size", "All"};
  const char* modeTips[5] = {"only scale points whose label matches that of the selected row",
                             "only scale points whose row is selected",
                             "only scale points whose color matches that of the selected row",
                             "only scale points whose Size matches that of the selected row",
                             "scale all points"};
  for (int i = 0; i < 5; ++i) {
    scaleModeRadios[i] = new FXRadioButton(modes, modeNames[i], this, ID_SCALE_MODE + i,
                                           RADIOBUTTON_NORMAL, 0, 0, 0, 0, 2, 2, 2, 2);
    scaleModeRadios[i]->setTipText(modeTips[i]);
  }
  scaleModeRadios[0]->setCheck(TRUE);
  new FXVerticalSeparator(scaleFrame, SEPARATOR_GROOVE | LAYOUT_FILL_Y, 0, 0, 0, 0, 0, 0, 1, 1);
  new FXVerticalSeparator(scaleFrame, SEPARATOR_GROOVE | LAYOUT_FILL_Y, 0, 0, 0, 0, 0, 0, 1, 1);
  const FXuint buttonMatrix =
      PACK_UNIFORM_WIDTH | LAYOUT_CENTER_X | LAYOUT_CENTER_Y | LAYOUT_FILL_COLUMN;
  auto* sizeButtons =
      new FXMatrix(scaleFrame, 2, MATRIX_BY_ROWS | buttonMatrix, 0, 0, 0, 0, 0, 0, 0, 0, 4, 4);
  auto* defaults = new FXButton(sizeButtons, "Defaults", nullptr, this, ID_SIZE_DEFAULTS,
                                FRAME_RAISED | FRAME_THICK, 0, 0, 0, 0, 2, 2, 2, 2);
  defaults->setTipText(FXStringFormat(
      "Use the element relative sizes as specified by:\nJ.C. Slater, \"Atomic Radii in Crystals\", "
      "Journal of Chemical Physics, v41, No. 10, p3199 (1964)\nbased on the element name in the "
      "\"%s\" column. Click this button after entering your data in the table.",
      sizeColumnTitle().text()));
  restoreButton = new FXButton(sizeButtons, "Restore", nullptr, this, ID_RESTORE_SIZES,
                               FRAME_RAISED | FRAME_THICK, 0, 0, 0, 0, 2, 2, 2, 2);
  restoreButton->disable();

  auto* cpkBox =
      new FXGroupBox(row, "CPK Colors", FRAME_GROOVE | LAYOUT_FILL_Y, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4);
  auto* cpk = new FXMatrix(cpkBox, 2, MATRIX_BY_ROWS | buttonMatrix, 0, 0, 0, 0, 0, 0, 0, 0, 4, 4);
  const FXuint centred = FRAME_RAISED | FRAME_THICK | LAYOUT_CENTER_X | LAYOUT_CENTER_Y;
  auto* pubchem = new FXButton(cpk, "PubChem (NIH)", nullptr, this, ID_PUBCHEM_COLORS, centred, 0,
                               0, 0, 0, 2, 2, 2, 2);
  pubchem->setTipText(FXStringFormat(
      "Use the element colors as specified by PubChem (NIH) based on the element name in the "
      "\"%s\" column.\nClick this button after entering your data in the table.",
      kColumnTitles[0]));
  auto* jmol =
      new FXButton(cpk, "Jmol", nullptr, this, ID_JMOL_COLORS, centred, 0, 0, 0, 0, 2, 2, 2, 2);
  jmol->setTipText(FXStringFormat(
      "Use the element colors as specified by Jmol based on the element name in the \"%s\" "
      "column.\nClick this button after entering your data in the table.",
      kColumnTitles[0]));

  auto* sizeBox =
      new FXGroupBox(row, "Size", FRAME_GROOVE | LAYOUT_FILL_Y, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4);
  auto* sizes =
      new FXMatrix(sizeBox, 2, MATRIX_BY_ROWS | buttonMatrix, 0, 0, 0, 0, 0, 0, 0, 0, 4, 4);
  auto* slater = new FXButton(sizes, "Slater", nullptr, this, ID_SLATER_SIZES,
                              FRAME_RAISED | FRAME_THICK, 0, 0, 0, 0, 2, 2, 2, 2);
  slater->setTipText(
      FXStringFormat("Use the element sizes by J.C. Slater based on the element name in the \"%s\" "
                     "column.\nClick this button after entering your data in the table.",
                     kColumnTitles[0]));
  auto* allSame = new FXButton(sizes, "All same", nullptr, this, ID_ALL_SAME_SIZE,
                               FRAME_RAISED | FRAME_THICK, 0, 0, 0, 0, 2, 2, 2, 2);
  allSame->setTipText(
      "Set all sizes to the same value.\nClick this button after entering your data in the table.");

  auto* opaqueBox =
      new FXGroupBox(row, "Opaqueness", FRAME_GROOVE | LAYOUT_FILL_Y, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4);
  opaquenessField =
      new BoundedTextField(opaqueBox, orbala::kMaxFieldText, 7, this, ID_OPAQUENESS,
                           TEXTFIELD_READONLY | TEXTFIELD_NORMAL | LAYOUT_FILL_X | LAYOUT_CENTER_Y,
                           0, 0, 0, 0, 2, 2, 2, 2);
  opaquenessField->setJustify(JUSTIFY_NORMAL);
  opaquenessField->setText(orbala::formatFixed(0.5, 1).c_str());
  opaquenessField->setTipText(
      "scroll with the mousewheel to change this value\n1 is opaque, less than 1 is "
      "semi-transparent");
}

void Orbala::buildValuesGroup(FXComposite* parent) {
  // The table takes the panel's width and scrolls its columns when the panel is narrower.
  const FXuint fill = LAYOUT_FILL_X | LAYOUT_FILL_Y;
  valuesGroup = new FXGroupBox(parent, "Values", FRAME_GROOVE | fill, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4);
  auto* frame = new FXVerticalFrame(valuesGroup, fill, 0, 0, 0, 0, 0, 0, 0, 0, 4, 4);
  frame->setBackColor(mainFrame->getBackColor());
  table = new Table_zk2(frame, this, ID_TABLE, fill, 0, 0, 0, 0, 2, 2, 2, 2);
  table->setBackColor(frame->getBackColor());
  tableIcon->setTransparentColor(table->getBackColor());
  tableIcon->create();
  setUpTable(1000);
}

void Orbala::buildToolBarRight() {
  new FXSeparator(toolBar, SEPARATOR_GROOVE);
  hideButton = addToolBarButton("Hide", nullptr, ID_HIDE_TABLE);
  hideButton->setTipText("Hide the data table and controls");
  new FXSeparator(toolBar, SEPARATOR_GROOVE);
  redrawButton = addToolBarButton("Redraw", nullptr, ID_REDRAW);
  const char* labels[] = {"Reset zoom", "Top (x-y)", "Bottom (x-y)", "x-z", "y-z", "x-y-z"};
  const FXSelector ids[] = {ID_RESET_ZOOM, ID_VIEW_TOP, ID_VIEW_BOTTOM,
                            ID_VIEW_XZ,    ID_VIEW_YZ,  ID_VIEW_XYZ};
  for (int i = 0; i < 6; ++i) {
    new FXSeparator(toolBar, SEPARATOR_GROOVE);
    addToolBarButton(labels[i], nullptr, ids[i]);
  }
  new FXSeparator(toolBar, SEPARATOR_GROOVE);
  rotateButton = addToolBarButton("Rotate", nullptr, ID_ROTATE);
  new FXSeparator(toolBar, SEPARATOR_GROOVE);
  rotationSpeedSlider =
      new FXSlider(toolBar, nullptr, 0, LAYOUT_FIX_HEIGHT | LAYOUT_FILL_X, 0, 0, 0, 20);
  rotationSpeedSlider->setRange(1, 400);
  rotationSpeedSlider->setTickDelta(5);
  rotationSpeedSlider->setIncrement(1);
  rotationSpeedSlider->setValue(50);
}

void Orbala::buildSliderColumn() {
  auto* column = new FXVerticalFrame(mainFrame, LAYOUT_FILL_Y, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4);
  const FXuint groupOpts = FRAME_GROOVE | LAYOUT_FILL_Y | LAYOUT_FIX_WIDTH | LAYOUT_RIGHT;
  const FXuint sliderOpts = SLIDER_VERTICAL | SLIDER_INSIDE_BAR | SLIDER_TICKS_LEFT |
                            SLIDER_TICKS_RIGHT | LAYOUT_FILL_X | LAYOUT_FILL_Y;
  sphereRadiusGroup = new FXGroupBox(column, "R", groupOpts, 0, 0, 52, 0, 4, 4, 4, 4, 4, 4);
  sphereRadiusSlider = new FXSlider(sphereRadiusGroup, this, ID_SPHERE_RADIUS, sliderOpts);
  sphereRadiusSlider->setRange(1, 1000);
  sphereRadiusSlider->setValue(499);
  sphereRadiusSlider->setTickDelta(50);
  sphereRadiusSlider->setIncrement(1);
  backgroundGroup = new FXGroupBox(column, "B", groupOpts, 0, 0, 52, 0, 4, 4, 4, 4, 4, 4);
  backgroundSlider = new FXSlider(backgroundGroup, this, ID_BACKGROUND, sliderOpts);
  backgroundSlider->setRange(0, 100);
  backgroundSlider->setValue(100);
  backgroundSlider->setTickDelta(5);
  backgroundSlider->setIncrement(1);
}

// The captions change with the values; both groups are as wide as the longest caption either
// can show, so none is ever cut and the view does not move while a slider is dragged.
void Orbala::fitSliderColumn() {
  FXint lo = 0, hi = 0;
  sphereRadiusSlider->getRange(lo, hi);
  const FXString longestRadius = ("R=" + orbala::formatFixed(hi * 0.01, 2)).c_str();
  backgroundSlider->getRange(lo, hi);
  const FXString longestBackground = FXStringFormat("B=%d", hi);
  FXint widest = 52;
  for (const auto& [group, caption] :
       {std::pair{sphereRadiusGroup, longestRadius}, {backgroundGroup, longestBackground}}) {
    const FXString shown = group->getText();
    group->setText(caption);
    widest = FXMAX(widest, group->getDefaultWidth());
    group->setText(shown);
  }
  sphereRadiusGroup->setWidth(widest);
  backgroundGroup->setWidth(widest);
}

// The panel is never dragged narrower than its widest group.
void Orbala::fitPanel() {
  FXint widest = 0;
  for (FXWindow* child = leftPanel->getFirst(); child; child = child->getNext())
    if (child->isMemberOf(FXMETACLASS(FlowFrame))) widest = FXMAX(widest, child->getDefaultWidth());
  panelSplitter->setLeastPanelWidth(widest + leftPanel->getPadLeft() + leftPanel->getPadRight());
}
