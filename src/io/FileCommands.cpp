// Open, Save and Save as, and the save dialog they share with the image export.
#include "app/Orbala.h"
#include "app/Text.h"

#include <string>
#include <vector>

#include "app/BusyProgress.h"
#include "io/core/FileNames.h"
#include "table/core/Numbers.h"

namespace {

const char* const kSavePatterns = "Orbala (*.qvx)\nCSV table (*.csv)";

} // namespace

long Orbala::onCmdOpen(FXObject*, FXSelector, void*) {
  FileDialogRequest request;
  request.title = "Open file";
  request.patterns = openPatterns();
  request.currentPattern = orbala::preselectPattern(str(request.patterns), str(lastExtension));
  request.directory = userFilesDirectory;
  request.selectMode = SELECTFILE_EXISTING;
  if (!dialogs->chooseFile(this, request)) {
    focusViewer();
    return 1;
  }
  userFilesDirectory = request.directory;
  openPath(request.fileName);
  focusViewer();
  return 1;
}

bool Orbala::openPath(const FXString& path) {
  bool read = false;
  {
    ReportScope scope(*this);
    BusyProgress busy(this);
    read = readDataFile(path, false);
    if (read) onCmdResetZoom(nullptr, 0, nullptr);
  }
  if (!read) {
    dialogs->message(this, BoxKind::Error, "User file error", "The file could not be read.");
    return false;
  }
  setCurrentFile(path);
  addRecentFile(path);
  lastExtension = fx(orbala::pathExtension(str(path)));
  return true;
}

long Orbala::onCmdSave(FXObject*, FXSelector, void*) {
  // An atom file is only ever read: the tagged format must not replace it, so ask for a name.
  if (currentFile.empty() || currentFileIsAtomFile) return onCmdSaveAs(nullptr, 0, nullptr);
  saveDataFile(currentFile);
  focusViewer();
  return 1;
}

long Orbala::onCmdSaveAs(FXObject*, FXSelector, void*) {
  FXString chosen;
  if (runSaveDialog("Save file as", kSavePatterns, FXString(), chosen)) {
    userFilesDirectory = fx(orbala::pathDirectory(str(chosen)));
    lastExtension = fx(orbala::pathExtension(str(chosen)));
    saveDataFile(chosen);
    // Written by Orbala now, whatever it was read as.
    importedPath = FXString();
    setCurrentFile(chosen);
  }
  focusViewer();
  return 1;
}

void Orbala::setCurrentFile(const FXString& path) {
  currentFile = path;
  currentFileIsAtomFile = !importedPath.empty() && path == importedPath;
  setTitle(baseTitle + "     " + path);
}

bool Orbala::runSaveDialog(const FXString& title, const FXString& patterns,
                           const FXString& initialName, FXString& chosen) {
  for (;;) {
    FileDialogRequest request;
    request.title = title;
    request.patterns = patterns;
    request.currentPattern = 0;
    request.directory = userFilesDirectory;
    // The toolkit resolves a bare name against the working directory, not the dialog's folder.
    request.fileName =
        initialName.empty() ? initialName : FXPath::absolute(userFilesDirectory, initialName);
    request.selectMode = SELECTFILE_ANY;
    if (!dialogs->chooseFile(this, request)) return false;

    const std::string ext =
        orbala::saveExtension(view(patterns), request.currentPattern, view(request.fileName));
    if (ext.empty()) {
      dialogs->message(this, BoxKind::Error, "Filename error", "Illegal/unknown file extension.");
      continue;
    }
    const std::string name = orbala::forceExtension(str(request.fileName), ext);
    const std::string fileName = orbala::pathFileName(name);
    // A name that is nothing but the forced extension (".qvx") has no name at all.
    const std::string stem = fileName.substr(0, fileName.size() - ext.size() - 1);
    if (orbala::isIllegalFileName(fileName) || orbala::trim(stem).empty()) {
      dialogs->message(
          this, BoxKind::Error, "Filename error",
          FXString("Your filename contains illegal characters.\n\nIllegal characters include: ") +
              orbala::kIllegalFileNameChars);
      continue;
    }
    if (FXStat::exists(fx(name)) &&
        !dialogs->question(
            this, "Overwrite",
            FXStringFormat("\"%s\" already exists.\nDo you want to replace it?", fileName.c_str())))
      continue;
    chosen = fx(name);
    return true;
  }
}

long Orbala::onDndMotion(FXObject*, FXSelector, void*) {
  if (!offeredDNDType(FROM_DRAGNDROP, urilistType)) return 0;
  acceptDrop(DRAG_COPY);
  return 1;
}

long Orbala::onDndDrop(FXObject*, FXSelector, void*) {
  FXString uris;
  if (!getDNDData(FROM_DRAGNDROP, urilistType, uris)) return 0;
  const std::vector<std::string> paths = orbala::localPathsFromUriList(view(uris));
  // The file manager waits for the drop to end; the file is read after that.
  dropFinished(paths.empty() ? DRAG_REJECT : DRAG_COPY);
  if (paths.empty()) return 1;
  const FXString path = fx(paths.front());
  userFilesDirectory = FXPath::directory(path);
  openPath(path);
  focusViewer();
  return 1;
}
