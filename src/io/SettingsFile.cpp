// The settings file at start-up and exit, and the recent-files list of the File menu.
#include "app/Orbala.h"
#include "app/Text.h"

#include <string>

#include "app/BusyProgress.h"
#include "io/core/FileNames.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "table/Table_zk2.h"
#include "table/core/TableLimits.h"

namespace {

// A box that the window wants to show while it is still being built: it cannot own one before
// it exists on the screen, so the box waits for the event loop's first turn.
class StartupNotice : public FXObject {
  FXDECLARE(StartupNotice)
  StartupNotice() {}

public:
  enum { ID_SHOW = 1 };
  StartupNotice(Orbala* owner, FXString title, FXString text)
      : win(owner), boxTitle(std::move(title)), boxText(std::move(text)) {
    win->getApp()->addTimeout(this, ID_SHOW, 0);
  }
  ~StartupNotice() override { win->getApp()->removeTimeout(this, ID_SHOW); }
  long onShow(FXObject*, FXSelector, void*) {
    win->dialogs->message(win, BoxKind::Warning, boxTitle, boxText);
    return 1;
  }

private:
  Orbala* win = nullptr;
  FXString boxTitle, boxText;
};

FXDEFMAP(StartupNotice)
StartupNoticeMap[] = {FXMAPFUNC(SEL_TIMEOUT, StartupNotice::ID_SHOW, StartupNotice::onShow)};
FXIMPLEMENT(StartupNotice, FXObject, StartupNoticeMap, ARRAYNUMBER(StartupNoticeMap))

} // namespace

void Orbala::readSettingsFile() {
  readDataFile(settingsPath, true);
  showRecentFiles();
  FXString notes;
  // A table this large cannot be built; the one built already stays.
  if (tableRowCount > orbala::kMaxTableRows) {
    const FXint asked = tableRowCount;
    tableRowCount = table->getNumRows();
    notes = FXStringFormat("The settings ask for a table of %d rows, but a table can have at most "
                           "%d rows.\n\nThe table has %d rows instead.",
                           asked, orbala::kMaxTableRows, tableRowCount);
  }
  if (readTextWasCut) {
    if (!notes.empty()) notes += "\n\n";
    notes += FXStringFormat("Some values in \"%s\" were too long and were shortened.",
                            settingsPath.text());
  }
  if (!notes.empty()) startupNotice.reset(new StartupNotice(this, "Settings warning", notes));
}

void Orbala::writeSettingsFile() {
  const std::string path = str(settingsPath);
  const FXString block = writeSettingsBlock(true);
  // Written beside the old file and renamed over it, so a failed write keeps the old settings.
  if (!orbala::platform::makeParentDirectory(path) ||
      !orbala::platform::replaceFileContents(path, str(block))) {
    dialogs->message(
        this, BoxKind::Error, "File error",
        FXStringFormat("File \"%s\" could not be written, your settings cannot be saved.",
                       settingsPath.text()));
  }
}

void Orbala::addRecentFile(const FXString& path) {
  recentFiles.add(str(path));
  showRecentFiles();
}

void Orbala::showRecentFiles() {
  for (int i = 0; i < orbala::RecentFiles::kSlots; ++i)
    recentFileItems[i]->setText(recentFiles.get(i).c_str());
  if (recentFiles.count() > 0) {
    clearRecentItem->enable();
  } else {
    clearRecentItem->disable();
  }
}

long Orbala::onCmdRecentFile(FXObject* sender, FXSelector, void*) {
  FXString path;
  bool matched = false;
  for (int i = 0; i < orbala::RecentFiles::kSlots && !matched; ++i) {
    if (sender == recentFileItems[i]) {
      path = recentFiles.get(i).c_str();
      matched = true;
    }
  }
  if (!matched || path.empty() || !FXStat::exists(path)) {
    dialogs->message(this, BoxKind::Error, "User file error", "The file was not found");
    if (dialogs->question(this, "User file error",
                          "Do you want to remove this file name from the list?")) {
      recentFiles.removeFirst(str(path));
      addRecentFile(FXString());
    }
    return 1;
  }
  BusyProgress busy(this);
  ReportScope scope(*this);
  if (!readDataFile(path, false)) {
    dialogs->message(this, BoxKind::Error, "User file error", "The file could not be read.");
    return 1;
  }
  lastExtension = orbala::pathExtension(path.text()).c_str();
  setCurrentFile(path);
  if (viewZoomRead && viewCenterRead && viewOrientationRead) {
    redrawFromTable();
  } else {
    onCmdResetZoom(nullptr, 0, nullptr);
  }
  addRecentFile(path);
  return 1;
}

long Orbala::onCmdClearRecent(FXObject*, FXSelector, void*) {
  if (!dialogs->question(this, "Clear project list",
                         "Are you sure you want to clear the project list"))
    return 0;
  clearRecentItem->disable();
  recentFiles.clear();
  showRecentFiles();
  return 1;
}
