#pragma once
// The main window: owns every widget, the point table's state, the scene and all settings.
#include <fx.h>
#include <fx3d.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/Dialogs.h"
#include "io/UpdateCheckWorker.h"
#include "io/core/RecentFiles.h"
#include "render/core/Spheres.h"
#include "scene/core/Geometry.h"
#include "table/core/PointModel.h"
#include "table/core/RowOps.h"

namespace orbala {
class FrameSource; // io/core/AtomFrames.h: X11's "Status" macro must not meet the atom reader
struct XyzAtom;
enum class ImportKind;
} // namespace orbala
class Table_zk2;
class MenuButtonWin10Style;
class PanelSplitter;

extern const FXString kAppName;          // "Orbala"
extern const FXString kVendorName;       // "Tellmark"
extern const FXString kVersion;          // "1.31"
extern const FXString kTitleSeparator;   // " v"
extern const FXString kSettingsFileName; // "Orbala.ini"
extern const char* const kColumnTitles[10];
extern const char* const kRotationAxisNames[7];
constexpr int kSphereColorCount = 23; // named colours of the colour menus
extern const char* const kSphereColorNames[kSphereColorCount];

// What a test (or a packager) may change about the window's surroundings.
struct OrbalaEnvironment {
  FXString settingsPath;      // empty: the per-user configuration folder
  Dialogs* dialogs = nullptr; // taken over by the window; null: real toolkit boxes
  std::string updateHost;     // empty: the maker's server
  int updatePort = 80;
  std::function<void(const std::string&)> openBrowser; // empty: xdg-open
  FXString startupFile; // opened once the window is on the screen, as Open would
  bool hidden = false;  // created but never shown (pictures drawn from the shell)
};

class Orbala : public FXMainWindow {
  FXDECLARE(Orbala)

public:
  enum {
    ID_OPEN = 63,
    ID_SAVE = 64,
    ID_SAVE_AS = 65,
    ID_SELECT_ALL = 66,
    ID_COPY_SELECTION = 67,
    ID_PASTE_SELECTION = 68,
    ID_CLEAR_DATA = 69,
    ID_HIDE_TABLE = 70,
    ID_XYZ_COLOR_OPTION = 71,
    ID_REDRAW = 72,
    ID_RESET_ZOOM = 73,
    ID_VIEW_TOP = 74,
    ID_VIEW_BOTTOM = 75,
    ID_VIEW_XZ = 76,
    ID_VIEW_YZ = 77,
    ID_VIEW_XYZ = 78,
    ID_ROTATE = 79,
    ID_ROTATION_AXIS = 80,
    ID_ROTATION_AXIS_LAST = 87,
    ID_SAVE_IMAGE = 88,
    ID_COPY_IMAGE = 89,
    ID_SAVE_IMAGE_TIMER = 90,
    ID_EXIT = 91,
    ID_RECENT_FILE = 93,
    ID_CLEAR_RECENT = 94,
    ID_ABOUT = 95,
    ID_INSTRUCTIONS = 96,
    ID_WEB_SITE = 97,
    ID_CHECK_UPDATE = 98,
    ID_SCALE_SIZE = 101,
    ID_SIZES_TO_ONE = 102,
    ID_OPAQUENESS = 104,
    ID_SHOW_POINTS = 105,
    ID_HIDE_POINTS = 106,
    ID_OPAQUE_POINTS = 107,
    ID_TRANSPARENT_POINTS = 108,
    ID_SHOW_COLOR_POINTS = 109,
    ID_HIDE_COLOR_POINTS = 110,
    ID_OPAQUE_COLOR_POINTS = 111,
    ID_TRANSPARENT_COLOR_POINTS = 112,
    ID_ROTATION_POINT_FROM_ROW = 113,
    ID_SHOW_RGB_COLUMNS = 114,
    ID_STARTUP = 115,
    ID_IMAGE_OPTION = 116,
    ID_TABLE = 117,
    ID_INSERT_ROW = 118,
    ID_CLEAR_ROWS = 119,
    ID_DELETE_ROWS = 120,
    ID_NUMBER_OF_ROWS = 121,
    ID_SIZE_DEFAULTS = 122,
    ID_RESTORE_SIZES = 123,
    ID_PUBCHEM_COLORS = 124,
    ID_JMOL_COLORS = 125,
    ID_SLATER_SIZES = 126,
    ID_ALL_SAME_SIZE = 127,
    ID_VIEWER = 128,
    ID_SPHERE_RADIUS = 129,
    ID_BACKGROUND = 130,
    ID_ROTATE_TIMER = 131,
    ID_ROTATION_DIRECTION = 132,
    ID_ROTATION_POINT_FIELD = 133,
    ID_ROTATION_POINT = 134,
    ID_ROTATION_POINT_LAST = 184,
    ID_AXIS_SCALING = 186,
    ID_SPHERE_COLOR = 187,
    ID_SPHERE_COLOR_LAST = 237,
    ID_SCALE_MODE = 238,
    ID_SCALE_MODE_LAST = 243,
    ID_FRAME_SLIDER = 244,
    ID_FRAME_BACK = 245,
    ID_FRAME_FORWARD = 246,
    ID_FRAME_PLAY = 247,
    ID_FRAME_TIMER = 248,
  };
  static_assert(int(ID_OPEN) > int(FXMainWindow::ID_LAST), "ids must stay above the toolkit's own");

  Orbala(FXApp* app, OrbalaEnvironment environment = OrbalaEnvironment());
  virtual ~Orbala();
  virtual void create();

  // --- shell ---
  long onCmdExit(FXObject*, FXSelector, void*);
  long onTimeoutStartup(FXObject*, FXSelector, void*);
  long onCmdHideTable(FXObject*, FXSelector, void*);
  long onCmdXyzColorOption(FXObject*, FXSelector, void*);
  long onCmdAbout(FXObject*, FXSelector, void*);
  long onCmdInstructions(FXObject*, FXSelector, void*);
  long onCmdWebSite(FXObject*, FXSelector, void*);
  long onCmdCheckUpdate(FXObject*, FXSelector, void*);
  long onUpdCheckUpdate(FXObject*, FXSelector, void*);

  // --- point table ---
  long onCmdSelectAll(FXObject*, FXSelector, void*);
  long onCmdCopySelection(FXObject*, FXSelector, void*);
  long onCmdPasteSelection(FXObject*, FXSelector, void*);
  long onCmdClearData(FXObject*, FXSelector, void*);
  long onCmdRedraw(FXObject*, FXSelector, void*);
  long onCmdShowRGBColumns(FXObject*, FXSelector, void*);
  long onKeyReleaseTable(FXObject*, FXSelector, void*);
  long onLeftReleaseTable(FXObject*, FXSelector, void*);
  long onRightReleaseTable(FXObject*, FXSelector, void*);
  long onCmdInsertRow(FXObject*, FXSelector, void*);
  long onCmdClearRows(FXObject*, FXSelector, void*);
  long onCmdDeleteRows(FXObject*, FXSelector, void*);
  long onCmdNumberOfRows(FXObject*, FXSelector, void*);
  long onCmdShowPoints(FXObject*, FXSelector, void*);
  long onCmdHidePoints(FXObject*, FXSelector, void*);
  long onCmdOpaquePoints(FXObject*, FXSelector, void*);
  long onCmdTransparentPoints(FXObject*, FXSelector, void*);
  long onCmdSphereColor(FXObject*, FXSelector, void*);
  long onCmdImageOption(FXObject*, FXSelector, void*);
  long onCmdElementColors(FXObject*, FXSelector, void*);
  long onCmdSizeDefaults(FXObject*, FXSelector, void*);
  long onCmdSlaterSizes(FXObject*, FXSelector, void*);
  long onCmdAllSameSize(FXObject*, FXSelector, void*);
  long onCmdRestoreSizes(FXObject*, FXSelector, void*);
  long onCmdSizesToOne(FXObject*, FXSelector, void*);
  long onWheelScaleSize(FXObject*, FXSelector, void*);
  long onKeyScaleSize(FXObject*, FXSelector, void*);
  long onWheelOpaqueness(FXObject*, FXSelector, void*);
  long onCmdScaleMode(FXObject*, FXSelector, void*);

  // --- scene ---
  long onCmdResetZoom(FXObject*, FXSelector, void*);
  long onCmdView(FXObject*, FXSelector, void*);
  long onCmdRotate(FXObject*, FXSelector, void*);
  long onTimeoutRotate(FXObject*, FXSelector, void*);
  long onCmdRotationAxis(FXObject*, FXSelector, void*);
  long onCmdRotationDirection(FXObject*, FXSelector, void*);
  long onCmdRotationPoint(FXObject*, FXSelector, void*);
  long onKeyRotationPoint(FXObject*, FXSelector, void*);
  long onCmdRotationPointFromRow(FXObject*, FXSelector, void*);
  long onRightPressViewer(FXObject*, FXSelector, void*);
  long onCmdSphereRadius(FXObject*, FXSelector, void*);
  long onCmdBackground(FXObject*, FXSelector, void*);

  // --- files and exchange ---
  long onCmdOpen(FXObject*, FXSelector, void*);
  long onCmdSave(FXObject*, FXSelector, void*);
  long onCmdSaveAs(FXObject*, FXSelector, void*);
  long onCmdRecentFile(FXObject*, FXSelector, void*);
  long onCmdClearRecent(FXObject*, FXSelector, void*);
  long onCmdSaveImage(FXObject*, FXSelector, void*);
  long onCmdCopyImage(FXObject*, FXSelector, void*);
  long onTimeoutSaveImage(FXObject*, FXSelector, void*);
  long onClipboardRequest(FXObject*, FXSelector, void*);
  long onClipboardLost(FXObject*, FXSelector, void*);
  long onDndMotion(FXObject*, FXSelector, void*);
  long onDndDrop(FXObject*, FXSelector, void*);

  // --- frames ---
  long onCmdFrameSlider(FXObject*, FXSelector, void*);
  long onCmdFrameStep(FXObject*, FXSelector, void*);
  long onCmdFramePlay(FXObject*, FXSelector, void*);
  long onTimeoutFrame(FXObject*, FXSelector, void*);
  long onKeyViewer(FXObject*, FXSelector, void*);

  // --- operations (public so that tests can drive and inspect them) ---
  void applyDefaults();
  void setUpTable(FXint rows);
  void updateRgbColumns();
  void readTable(bool refit);
  // readTable, then a rebuild only when readTable found no points (it rebuilds otherwise).
  void readTableAndRebuild(bool refit);
  bool parseRowCoordinates(FXint row, double& x, double& y, double& z) const;
  bool rowHasCoordinates(FXint row) const;
  void reportUnplottableRows(FXint firstRow, FXint count);
  void redrawFromTable();
  void clearInputData();
  void freePointData();
  void fitViewToData();
  double sphereRadiusUnit() const;
  void rebuildScene();
  // Takes everything out of the scene; its spheres are kept for the rebuild that follows.
  void clearScene();
  // Each shown row's colour, read once; false after the "Color error" box.
  bool checkSphereColors(int count, std::vector<orbala::Rgb>& channels);
  // The sphere of one row, not yet in the scene.
  FXGLObject* makeSphere(int row, double unit, float alpha, const orbala::Rgb& channels);
  orbala::render::SphereArrays plainSpheres(int count, double unit, float alpha,
                                            const std::vector<orbala::Rgb>& channels) const;
  void addXLetter(float grey);
  void addYLetter(float grey);
  void addZLetter(float grey);
  bool computeRotationPoint(bool showErrors);
  void selectRotationPoint(bool showErrors);
  void syncRotationAxisControls();
  void syncRotationDirectionControls();
  void syncScaleModeRadios();
  // Steps the "Scale size" value by one notch of `event` and returns it.
  double stepScaleValue(const FXEvent* event);
  // Builds the table's context menu for the current selection without showing it; false (and
  // the previous menu kept) when no cell is selected.
  bool buildContextMenu();
  // The selected rows that lie inside the table; count 0 when nothing is selected.
  orbala::RowSpan selectedRows() const;
  void syncSphereColorRadios();
  void applyElementColors();
  // `redraw` false: the caller reads the table and draws it once it has changed everything.
  void applyElementSizesReported(bool redraw = true);
  void applyElementSizes();
  void setAllSizesSame();
  void buildColorSwatches();
  void freeColorSwatches();
  FXString writeSettingsBlock(bool withWindowBlock) const;
  bool saveDataFile(const FXString& path);
  bool readDataFile(const FXString& path, bool isSettingsFile);
  // Opens a data or atom file as the Open command does, with its boxes; true when read.
  bool openPath(const FXString& path);
  bool applyTag(const FXString& tag, const FXString& value, bool isSettingsFile);
  void applyDataLine(const std::string& value);
  FXString boundedText(const std::string& text, size_t limit);
  bool passesTaggedCheck(const std::vector<std::string>& lines) const;
  void finishRead(bool isSettingsFile);
  void syncReadControls();
  bool readDataFileOnce(const FXString& path, bool isSettingsFile);
  void askToGrowTable();
  bool readXyzFile(const FXString& path);
  // Every atom reader ends here: frame 1 fills the table as an opened .xyz file does (rows,
  // labels, element colours and sizes, the "Data warning"), and the frames stay for the frame
  // control. False, with the table untouched, when frame 1 has no atom.
  bool readAtomFrames(const FXString& path, std::unique_ptr<orbala::FrameSource> frames);
  void fillTableWithAtoms(const std::vector<orbala::XyzAtom>& atoms);
  // Writes frame `index` into the table and redraws without moving the camera. False when it
  // cannot be read: with a box, or with the reason in `why` when one is given.
  bool showFrame(size_t index, std::string* why = nullptr);
  // Shown while the file has more than one frame; `note` goes after "Frame k / n", before the
  // frame's title, which may be long.
  void showFrameControl(const FXString& note = FXString());
  void stopFrames(); // playback ends
  void dropFrames(); // the frames of the last atom file go, and their control with them
  // Files of other programs: CSV tables, PDB, mmCIF, CIF, SDF/MOL, and what Open Babel reads.
  bool readImportedFile(const FXString& path, orbala::ImportKind kind,
                        std::vector<std::string> lines);
  bool readCsvFile(const std::vector<std::string>& lines);
  // The file's molecules as Open Babel converts them; none, after a box, when it cannot.
  std::unique_ptr<orbala::FrameSource> convertWithOpenBabel(const FXString& path);
  void showReadError(const FXString& path, const std::string& why);
  bool saveCsvFile(const FXString& path);
  // A row's ten cells as a file keeps them: trimmed, Show and Opaque as "show" or "hide".
  using RowCells = std::array<std::string_view, 10>;
  using RowWriter = std::function<void(FXint row, const RowCells& cells, std::string& text)>;
  bool writeTableRows(const FXString& path, std::string text, const RowWriter& appendRow);
  FXString openPatterns() const;
  void readSettingsFile();
  void writeSettingsFile();
  void addRecentFile(const FXString& path);
  void showRecentFiles();
  void setCurrentFile(const FXString& path);
  bool runSaveDialog(const FXString& title, const FXString& patterns, const FXString& initialName,
                     FXString& chosen);
  void focusViewer();
  bool saveImageFile(const FXString& name);
  bool copyImageToClipboard();
  void openInBrowser(const std::string& address);
  void showUpdateResult(const orbala::UpdateCheckResult& result);
  FXString instructionsText() const; // the fourteen items, naming the controls as labelled now

  // --- widgets ---
  FXMenuBar* menuBar = nullptr;
  FXMenuPane* fileMenu = nullptr;
  FXMenuPane* saveImageMenu = nullptr;
  FXMenuPane* imageOptionsMenu = nullptr;
  FXMenuPane* sphereColorsMenu = nullptr;
  FXMenuPane* rotationMenu = nullptr;
  FXMenuPane* otherOptionsMenu = nullptr;
  FXMenuPane* helpMenu = nullptr;
  std::array<FXMenuCommand*, 10> recentFileItems{};
  FXMenuCommand* clearRecentItem = nullptr;
  FXMenuTitle* imageOptionsTitle = nullptr;
  FXMenuRadio* grayRadio = nullptr;
  FXMenuRadio* colorRadio = nullptr;
  FXMenuCheck* undefinedGrayCheck = nullptr;
  FXMenuCheck* showXYAxisCheck = nullptr;
  FXMenuCheck* showZAxisCheck = nullptr;
  FXMenuCheck* showAxisLabelsCheck = nullptr;
  std::array<FXMenuRadio*, 7> rotationAxisItems{};
  FXMenuRadio* clockwiseRadio = nullptr;
  FXMenuRadio* counterClockwiseRadio = nullptr;
  FXMenuCheck* showRGBColumnsCheck = nullptr;
  FXMenuCheck* applyPubChemCheck = nullptr;
  FXMenuCheck* applyJmolCheck = nullptr;
  FXMenuCheck* applyDefaultSizesCheck = nullptr;
  FXDockSite* dockSite = nullptr;
  FXToolBarShell* toolBarShell = nullptr;
  FXToolBar* toolBar = nullptr;
  FXHorizontalFrame* mainFrame = nullptr;
  PanelSplitter* panelSplitter = nullptr; // between leftPanel and the viewer
  FXVerticalFrame* leftPanel = nullptr;
  std::array<FXRadioButton*, 4> rotationPointRadios{};
  FXTextField* pointNumberField = nullptr;
  std::array<FXTextField*, 3> rotationPointFields{};
  std::array<FXRadioButton*, 7> rotationAxisRadios{};
  FXint axisScaling[3] = {0, 0, 0};
  FXDataTarget axisScalingTargets[3];
  std::array<FXRadioButton*, 6> axisScalingRadios{};
  FXGroupBox* scaleSizeGroup = nullptr;
  FXTextField* scaleSizeField = nullptr;
  std::array<FXRadioButton*, 5> scaleModeRadios{};
  FXButton* restoreButton = nullptr;
  FXTextField* opaquenessField = nullptr;
  FXGroupBox* valuesGroup = nullptr;
  Table_zk2* table = nullptr;
  std::vector<MenuButtonWin10Style*> toolBarButtons;
  FXButton* hideButton = nullptr;
  FXButton* redrawButton = nullptr;
  FXButton* rotateButton = nullptr;
  FXGLVisual* glVisual = nullptr;
  FXGLViewer* viewer = nullptr;
  FXSlider* rotationSpeedSlider = nullptr;
  FXGroupBox* sphereRadiusGroup = nullptr;
  FXSlider* sphereRadiusSlider = nullptr;
  FXGroupBox* backgroundGroup = nullptr;
  FXSlider* backgroundSlider = nullptr;
  FXToolTip* toolTip = nullptr;
  FXHorizontalFrame* frameBar = nullptr;
  FXButton* frameBackButton = nullptr;
  FXButton* framePlayButton = nullptr;
  FXButton* frameForwardButton = nullptr;
  FXSlider* frameSlider = nullptr;
  FXLabel* frameLabel = nullptr;
  FXSpinner* frameSpeedSpinner = nullptr; // frames a second while playing

  FXIcon* windowIcon = nullptr;
  FXIcon* iconOpen = nullptr;
  FXIcon* iconSave = nullptr;
  FXIcon* iconSaveAs = nullptr;
  FXIcon* iconSelectAll = nullptr;
  FXIcon* iconCopy = nullptr;
  FXIcon* iconPaste = nullptr;
  FXIcon* iconClear = nullptr;
  FXIcon* iconExit = nullptr;
  FXIcon* iconAbout = nullptr;
  FXIcon* tableIcon = nullptr; // the check mark of the Show and Opaque cells

  // --- shell state ---
  FXString baseTitle;
  FXint windowX = 50, windowY = 50, windowWidth = 1000, windowHeight = 800;
  bool wasMinimized = false;
  bool settingsWritten = false; // by File > Exit already (an export never writes them)
  FXint tableRowCount = 1000;

  // --- point table state ---
  orbala::RowState rowState;
  orbala::PointData pointData;
  int colorScheme = 2; // 0 PubChem, 1 Jmol, 2 none yet
  bool colorPoints = false;
  FXint colorIndex = 0;
  std::vector<FXIcon*>
      swatches; // icon i sits in the Label cell of row i; rows of one colour share it
  FXint scaleSizeType = 0;
  FXString loadedSizes;
  FXMenuPane* contextMenu = nullptr; // the table's last context menu, with its colour submenu
  // Entries of the context menu that want a single selected row (owned by the menu).
  FXMenuCommand* insertAboveItem = nullptr;
  FXMenuCommand* insertBelowItem = nullptr;
  std::array<FXMenuCommand*, 4> selectedColorItems{}; // show, hide, opaque, transparent

  // --- scene state ---
  FXGLGroup* sceneGroup = nullptr;
  orbala::DataBounds dataBounds{0, 0, 0, 0, 0, 100};
  double dataExtent = 100.0;
  double labelSize = 1.0;
  orbala::ViewPreset lastViewPreset = orbala::ViewPreset::Top;
  bool rotating = false;
  FXint rotationAxis = 0;
  FXint rotationDirection = 0;
  FXint rotationPointChoice = 0;
  // One command may read the table and evaluate the rotation point several times (refits,
  // reset, preset): while a ReportScope is open, each of their warnings is shown once.
  class ReportScope {
  public:
    explicit ReportScope(Orbala& window);
    ~ReportScope();
    ReportScope(const ReportScope&) = delete;
    ReportScope& operator=(const ReportScope&) = delete;

  private:
    Orbala& win;
  };
  int reportScope = 0;
  bool rotationErrorShown = false;
  bool dataWarningShown = false;
  // False when the warning was shown already in the open scope; marks it shown otherwise.
  bool firstInScope(bool& shown);
  // Expires with the window; a tick that lets events run checks it before touching the window.
  std::shared_ptr<bool> lifeToken = std::make_shared<bool>(true);

  // --- files state ---
  double fileVersion = 0.0;
  bool viewZoomRead = false, viewCenterRead = false, viewOrientationRead = false;
  double viewZoom = 1.0;
  double viewCenter[3] = {0, 0, 0};
  double viewOrientation[4] = {0, 0, 0, 1};
  bool rowOverflow = false;
  bool readTextWasCut = false; // a text of the last read was too long and was shortened
  FXint rowOverflowCount = 0;
  FXint recentLineCount = 0;
  orbala::RecentFiles recentFiles;
  FXString userFilesDirectory;
  FXString lastExtension;
  FXString currentFile;
  bool currentFileIsAtomFile = false;
  // The frames of the last atom file; frame `currentFrame` is in the table's first `frameRows`.
  std::unique_ptr<orbala::FrameSource> frameSource;
  FXString framePath;
  size_t currentFrame = 0;
  FXint frameRows = 0;
  bool playingFrames = false;
  long long rowsNeeded = 0; // rows the last read file needs
  FXint growTableTo = 0;    // set when the user chose to grow the table and read again
  // The last file read when it was another program's file (read only: Save asks for a name).
  FXString importedPath;
  // A box found while the window is being built waits here until the event loop runs.
  std::unique_ptr<FXObject> startupNotice;
  FXString pendingImageName;
  // The picture we offer on the clipboard, encoded once; X11 asks us for it on every paste.
  std::string clipboardBmp;
  std::string clipboardPng;
  FXDragType bmpDragType = 0;
  FXDragType pngDragType = 0;

  // --- surroundings ---
  FXString settingsPath;
  std::unique_ptr<Dialogs> dialogs;
  std::string updateHost;
  int updatePort = 80;
  int updateTimeLimitMs = orbala::kUpdateTimeLimitMs;
  std::unique_ptr<UpdateCheckWorker> updateCheck; // made by the first check
  std::function<void(const std::string&)> openBrowser;
  FXString startupFile;
  bool hidden = false;

protected:
  Orbala();

private:
  Orbala(const Orbala&) = delete;
  Orbala& operator=(const Orbala&) = delete;

  void buildMenus();
  void buildToolBarLeft();
  void buildLeftPanel();
  void buildRotationRow(FXComposite* parent);
  void buildControlsRow(FXComposite* parent);
  void buildValuesGroup(FXComposite* parent);
  void buildToolBarRight();
  void buildSliderColumn();
  void buildFrameBar();
  void fitSliderColumn(); // needs the fonts on the screen
  void fitPanel();
  void makeIcons();
  MenuButtonWin10Style* addToolBarButton(const FXString& text, FXIcon* icon, FXSelector id);
};
