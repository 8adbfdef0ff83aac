// Defaults, start-up placement, exit and the short handlers of the window itself.
#include "app/Orbala.h"

#include "app/PanelLayout.h"
#include "app/core/Placement.h"
#include "platform/Paths.h"
#include "platform/Screen.h"
#include "table/Table_zk2.h"

void Orbala::applyDefaults() {
  colorPoints = false;
  colorIndex = 0;
  dataExtent = 100.0;
  dataBounds = orbala::DataBounds{0, 0, 0, 0, 0, 100};
  labelSize = 1.0;
  lastViewPreset = orbala::ViewPreset::Top;
  rotating = false;
  rotationDirection = 0;
  rotationAxis = 0;
  rotationPointChoice = 0;
  scaleSizeType = 0;
  windowX = 50;
  windowY = 50;
  windowWidth = 1000;
  windowHeight = 800;
  panelSplitter->setPanelWidth(orbala::kDefaultPanelWidth);
  tableRowCount = table->getNumRows();
  lastExtension = "txt";
  userFilesDirectory = orbala::platform::currentDirectory().c_str();

  applyJmolCheck->setCheck(TRUE);
  applyDefaultSizesCheck->setCheck(TRUE);
  undefinedGrayCheck->setCheck(TRUE);
  pointNumberField->setText("1");
  for (auto* field : rotationPointFields)
    field->setText("0");
  syncSphereColorRadios();
  syncRotationDirectionControls();
  syncRotationAxisControls();
  for (int i = 0; i < 4; ++i)
    rotationPointRadios[i]->setCheck(i == rotationPointChoice);
  syncScaleModeRadios();
  backgroundGroup->setText(FXStringFormat("B=%d", backgroundSlider->getValue()));
  backgroundGroup->recalc();
}

long Orbala::onTimeoutStartup(FXObject*, FXSelector, void*) {
  orbala::ScreenInfo screen;
  screen.width = getApp()->getRootWindow()->getWidth();
  screen.height = getApp()->getRootWindow()->getHeight();
  screen.monitors = orbala::platform::monitorCount();
  screen.virtualLeft = orbala::platform::virtualScreenLeft();
  const orbala::WindowRect saved{windowX, windowY, windowWidth, windowHeight};
  const orbala::StartupPlacement placed = orbala::startupPlacement(screen, saved, wasMinimized);
  position(placed.first.x, placed.first.y, placed.first.width, placed.first.height);
  if (placed.placeAgain) {
    position(placed.settled.x, placed.settled.y, placed.settled.width, placed.settled.height);
  }
  windowX = placed.settled.x;
  windowY = placed.settled.y;
  windowWidth = placed.settled.width;
  windowHeight = placed.settled.height;
  rebuildScene();
  if (!startupFile.empty()) {
    const FXString path = FXPath::absolute(startupFile);
    startupFile = FXString::null;
    userFilesDirectory = FXPath::directory(path);
    openPath(path);
  }
  // Mesa takes a window's new size at its next buffer swap: swap once, so that the first
  // picture after placing the window fills it rather than leaving it black.
  if (viewer->id() && viewer->makeCurrent()) {
    viewer->swapBuffers();
    viewer->makeNonCurrent();
  }
  viewer->update();
  return 1;
}

long Orbala::onCmdExit(FXObject*, FXSelector, void*) {
  // Written now, while the window can still own a box that says the write failed; once the
  // loop has ended there is no window left to show it.
  writeSettingsFile();
  settingsWritten = true;
  getApp()->exit(0);
  return 1;
}

long Orbala::onCmdHideTable(FXObject*, FXSelector, void*) {
  const bool hiding = hideButton->getText() == "Hide";
  const FXString label = hiding ? "Show" : "Hide";
  if (hiding) {
    leftPanel->hide();
  } else {
    leftPanel->show();
  }
  hideButton->setText(label);
  hideButton->setTipText(label + " the data table and controls");
  // At once, so the view is never drawn at its old size.
  panelSplitter->layout();
  viewer->update();
  return 1;
}

long Orbala::onCmdXyzColorOption(FXObject* sender, FXSelector, void*) {
  if (sender == applyPubChemCheck && applyPubChemCheck->getCheck()) applyJmolCheck->setCheck(FALSE);
  if (sender == applyJmolCheck && applyJmolCheck->getCheck()) applyPubChemCheck->setCheck(FALSE);
  return 1;
}
