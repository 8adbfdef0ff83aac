#include "app/Orbala.h"

#include "app/Icons.h"
#include "app/PanelLayout.h"
#include "app/StyledWidgets.h"
#include "io/core/AtomFrames.h"
#include "platform/Locale.h"
#include "platform/Paths.h"
#include "scene/SceneGroup.h"
#include "table/Table_zk2.h"

// clang-format off
FXDEFMAP(Orbala) OrbalaMap[] = {
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_OPEN, Orbala::onCmdOpen),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_SAVE, Orbala::onCmdSave),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_SAVE_AS, Orbala::onCmdSaveAs),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_SELECT_ALL, Orbala::onCmdSelectAll),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_COPY_SELECTION, Orbala::onCmdCopySelection),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_PASTE_SELECTION, Orbala::onCmdPasteSelection),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_CLEAR_DATA, Orbala::onCmdClearData),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_HIDE_TABLE, Orbala::onCmdHideTable),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_XYZ_COLOR_OPTION, Orbala::onCmdXyzColorOption),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_REDRAW, Orbala::onCmdRedraw),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_RESET_ZOOM, Orbala::onCmdResetZoom),
  FXMAPFUNCS(SEL_COMMAND, Orbala::ID_VIEW_TOP, Orbala::ID_VIEW_XYZ, Orbala::onCmdView),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_ROTATE, Orbala::onCmdRotate),
  FXMAPFUNCS(SEL_COMMAND, Orbala::ID_ROTATION_AXIS, Orbala::ID_ROTATION_AXIS_LAST, Orbala::onCmdRotationAxis),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_SAVE_IMAGE, Orbala::onCmdSaveImage),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_COPY_IMAGE, Orbala::onCmdCopyImage),
  FXMAPFUNC(SEL_TIMEOUT, Orbala::ID_SAVE_IMAGE_TIMER, Orbala::onTimeoutSaveImage),
  FXMAPFUNC(SEL_CLIPBOARD_REQUEST, 0, Orbala::onClipboardRequest),
  FXMAPFUNC(SEL_CLIPBOARD_LOST, 0, Orbala::onClipboardLost),
  // Files dropped from a file manager, on the window, the plot or the table.
  FXMAPFUNC(SEL_DND_MOTION, 0, Orbala::onDndMotion),
  FXMAPFUNC(SEL_DND_MOTION, Orbala::ID_VIEWER, Orbala::onDndMotion),
  FXMAPFUNC(SEL_DND_MOTION, Orbala::ID_TABLE, Orbala::onDndMotion),
  FXMAPFUNC(SEL_DND_DROP, 0, Orbala::onDndDrop),
  FXMAPFUNC(SEL_DND_DROP, Orbala::ID_VIEWER, Orbala::onDndDrop),
  FXMAPFUNC(SEL_DND_DROP, Orbala::ID_TABLE, Orbala::onDndDrop),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_EXIT, Orbala::onCmdExit),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_RECENT_FILE, Orbala::onCmdRecentFile),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_CLEAR_RECENT, Orbala::onCmdClearRecent),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_ABOUT, Orbala::onCmdAbout),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_INSTRUCTIONS, Orbala::onCmdInstructions),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_WEB_SITE, Orbala::onCmdWebSite),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_CHECK_UPDATE, Orbala::onCmdCheckUpdate),
  FXMAPFUNC(SEL_UPDATE, Orbala::ID_CHECK_UPDATE, Orbala::onUpdCheckUpdate),
  FXMAPFUNC(SEL_MOUSEWHEEL, Orbala::ID_SCALE_SIZE, Orbala::onWheelScaleSize),
  FXMAPFUNC(SEL_KEYPRESS, Orbala::ID_SCALE_SIZE, Orbala::onKeyScaleSize),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_SIZES_TO_ONE, Orbala::onCmdSizesToOne),
  FXMAPFUNC(SEL_MOUSEWHEEL, Orbala::ID_OPAQUENESS, Orbala::onWheelOpaqueness),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_SHOW_POINTS, Orbala::onCmdShowPoints),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_SHOW_COLOR_POINTS, Orbala::onCmdShowPoints),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_HIDE_POINTS, Orbala::onCmdHidePoints),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_HIDE_COLOR_POINTS, Orbala::onCmdHidePoints),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_OPAQUE_POINTS, Orbala::onCmdOpaquePoints),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_OPAQUE_COLOR_POINTS, Orbala::onCmdOpaquePoints),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_TRANSPARENT_POINTS, Orbala::onCmdTransparentPoints),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_TRANSPARENT_COLOR_POINTS, Orbala::onCmdTransparentPoints),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_ROTATION_POINT_FROM_ROW, Orbala::onCmdRotationPointFromRow),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_SHOW_RGB_COLUMNS, Orbala::onCmdShowRGBColumns),
  FXMAPFUNC(SEL_TIMEOUT, Orbala::ID_STARTUP, Orbala::onTimeoutStartup),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_IMAGE_OPTION, Orbala::onCmdImageOption),
  FXMAPFUNC(SEL_KEYRELEASE, Orbala::ID_TABLE, Orbala::onKeyReleaseTable),
  FXMAPFUNC(SEL_LEFTBUTTONRELEASE, Orbala::ID_TABLE, Orbala::onLeftReleaseTable),
  FXMAPFUNC(SEL_RIGHTBUTTONRELEASE, Orbala::ID_TABLE, Orbala::onRightReleaseTable),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_INSERT_ROW, Orbala::onCmdInsertRow),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_CLEAR_ROWS, Orbala::onCmdClearRows),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_DELETE_ROWS, Orbala::onCmdDeleteRows),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_NUMBER_OF_ROWS, Orbala::onCmdNumberOfRows),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_SIZE_DEFAULTS, Orbala::onCmdSizeDefaults),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_RESTORE_SIZES, Orbala::onCmdRestoreSizes),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_PUBCHEM_COLORS, Orbala::onCmdElementColors),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_JMOL_COLORS, Orbala::onCmdElementColors),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_SLATER_SIZES, Orbala::onCmdSlaterSizes),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_ALL_SAME_SIZE, Orbala::onCmdAllSameSize),
  FXMAPFUNC(SEL_RIGHTBUTTONPRESS, Orbala::ID_VIEWER, Orbala::onRightPressViewer),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_SPHERE_RADIUS, Orbala::onCmdSphereRadius),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_BACKGROUND, Orbala::onCmdBackground),
  FXMAPFUNC(SEL_TIMEOUT, Orbala::ID_ROTATE_TIMER, Orbala::onTimeoutRotate),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_ROTATION_DIRECTION, Orbala::onCmdRotationDirection),
  FXMAPFUNC(SEL_KEYRELEASE, Orbala::ID_ROTATION_POINT_FIELD, Orbala::onKeyRotationPoint),
  FXMAPFUNCS(SEL_COMMAND, Orbala::ID_ROTATION_POINT, Orbala::ID_ROTATION_POINT_LAST, Orbala::onCmdRotationPoint),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_AXIS_SCALING, Orbala::onCmdResetZoom),
  FXMAPFUNCS(SEL_COMMAND, Orbala::ID_SPHERE_COLOR, Orbala::ID_SPHERE_COLOR_LAST, Orbala::onCmdSphereColor),
  FXMAPFUNCS(SEL_COMMAND, Orbala::ID_SCALE_MODE, Orbala::ID_SCALE_MODE_LAST, Orbala::onCmdScaleMode),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_FRAME_SLIDER, Orbala::onCmdFrameSlider),
  FXMAPFUNC(SEL_CHANGED, Orbala::ID_FRAME_SLIDER, Orbala::onCmdFrameSlider),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_FRAME_BACK, Orbala::onCmdFrameStep),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_FRAME_FORWARD, Orbala::onCmdFrameStep),
  FXMAPFUNC(SEL_COMMAND, Orbala::ID_FRAME_PLAY, Orbala::onCmdFramePlay),
  FXMAPFUNC(SEL_TIMEOUT, Orbala::ID_FRAME_TIMER, Orbala::onTimeoutFrame),
  FXMAPFUNC(SEL_KEYPRESS, Orbala::ID_VIEWER, Orbala::onKeyViewer),
};
// clang-format on
FXIMPLEMENT(Orbala, FXMainWindow, OrbalaMap, ARRAYNUMBER(OrbalaMap))

const FXString kAppName("Orbala");
const FXString kVendorName("Tellmark");
const FXString kVersion("1.31");
const FXString kTitleSeparator(" v");
const FXString kSettingsFileName("Orbala.ini");
const char* const kColumnTitles[10] = {"Label",          "x",    "y",     "z", "R", "G", "B",
                                       "Relative\nsize", "Show", "Opaque"};
const char* const kRotationAxisNames[7] = {
    "About x",          "About y",          "About z",         "About xyz",
    "About (-1, 1, 1)", "About (1, -1, 1)", "About (1, 1, -1)"};
const char* const kSphereColorNames[23] = {
    "red",       "green",        "blue",      "yellow", "cyan",       "magenta",
    "orange",    "lavander",     "brown",     "white",  "light blue", "mint",
    "purple",    "dark green",   "sky blue",  "lime",   "peach",      "olive",
    "dark cyan", "light orange", "dark rose", "gray",   "black"};

Orbala::Orbala(FXApp* app, OrbalaEnvironment environment)
    : FXMainWindow(app, kAppName, nullptr, nullptr, DECOR_ALL, 0, 40, 800, 800, 0, 0, 0, 0, 0, 0),
      settingsPath(environment.settingsPath), dialogs(environment.dialogs),
      updateHost(environment.updateHost), updatePort(environment.updatePort),
      openBrowser(environment.openBrowser), startupFile(environment.startupFile),
      hidden(environment.hidden) {
  // Also here, so no window is ever built while the toolkit's locale writes decimal commas.
  orbala::platform::useDotForNumbers();
  if (!dialogs) dialogs.reset(new ToolkitDialogs);
  if (settingsPath.empty()) settingsPath = orbala::platform::settingsFilePath().c_str();
  for (int i = 0; i < 3; ++i) {
    axisScalingTargets[i].connect(axisScaling[i]);
    axisScalingTargets[i].setTarget(this);
    axisScalingTargets[i].setSelector(ID_AXIS_SCALING);
  }
  baseTitle = kAppName + kTitleSeparator + kVersion;
  setTitle(baseTitle);

  sceneGroup = new SceneGroup;
  makeIcons();
  setIcon(windowIcon);

  buildMenus();
  buildLeftPanel();
  buildToolBarLeft();
  glVisual = new FXGLVisual(getApp(), VISUAL_DOUBLEBUFFER);
  viewer = new FXGLViewer(panelSplitter, glVisual, this, ID_VIEWER, LAYOUT_FILL_X | LAYOUT_FILL_Y);
  buildToolBarRight();
  viewer->setProjection(FXGLViewer::PARALLEL);
  buildSliderColumn();

  applyDefaults();
  readSettingsFile();
  if (tableRowCount < 10) tableRowCount = 100;
  if (tableRowCount != table->getNumRows()) setUpTable(tableRowCount);
  getApp()->addTimeout(this, ID_STARTUP, 1);
}

Orbala::Orbala() {}

void Orbala::create() {
  FXMainWindow::create();
  updateRgbColumns(); // the row header has measured its numbers: the table's width follows
  fitSliderColumn();
  fitPanel();
  if (!urilistType) urilistType = getApp()->registerDragType(urilistTypeName);
  for (FXWindow* w : {static_cast<FXWindow*>(this), static_cast<FXWindow*>(viewer),
                      static_cast<FXWindow*>(table)})
    w->dropEnable();
  if (!hidden) show();
}

Orbala::~Orbala() {
  // First, so that no update result arrives in a window half gone (a box below runs events).
  updateCheck.reset();
  getApp()->removeTimeout(this, ID_STARTUP);
  getApp()->removeTimeout(this, ID_ROTATE_TIMER);
  getApp()->removeTimeout(this, ID_SAVE_IMAGE_TIMER);
  getApp()->removeTimeout(this, ID_FRAME_TIMER);
  if (hasClipboard()) releaseClipboard();
  if (!settingsWritten) writeSettingsFile();

  freeColorSwatches();
  freePointData();
  delete contextMenu;
  for (FXIcon* icon : {windowIcon, iconOpen, iconSave, iconSaveAs, iconSelectAll, iconCopy,
                       iconPaste, iconClear, iconExit, iconAbout, tableIcon}) {
    icon->destroy();
    delete icon;
  }
  // The viewer must go before its visual and its scene.
  delete viewer;
  delete glVisual;
  delete sceneGroup;
  delete fileMenu;
  delete saveImageMenu;
  delete imageOptionsMenu;
  delete sphereColorsMenu;
  delete rotationMenu;
  delete otherOptionsMenu;
  delete helpMenu;
  delete toolBarShell;
}

void Orbala::focusViewer() {
  if (viewer->id()) viewer->setFocus();
}
