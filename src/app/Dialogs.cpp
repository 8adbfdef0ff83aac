#include "app/Dialogs.h"

void ToolkitDialogs::message(FXWindow* owner, BoxKind kind, const FXString& title,
                             const FXString& text) {
  // Pass the text as an argument, never as a format: file names may hold '%'.
  switch (kind) {
  case BoxKind::Error:
    FXMessageBox::error(owner, MBOX_OK, title.text(), "%s", text.text());
    break;
  case BoxKind::Warning:
    FXMessageBox::warning(owner, MBOX_OK, title.text(), "%s", text.text());
    break;
  case BoxKind::Information:
    FXMessageBox::information(owner, MBOX_OK, title.text(), "%s", text.text());
    break;
  }
}

bool ToolkitDialogs::question(FXWindow* owner, const FXString& title, const FXString& text) {
  return FXMessageBox::question(owner, MBOX_YES_NO, title.text(), "%s", text.text()) ==
         MBOX_CLICKED_YES;
}

bool ToolkitDialogs::chooseFile(FXWindow* owner, FileDialogRequest& request) {
  FXFileDialog dialog(owner, request.title, 0, 0, 0, 500, 300);
  if (auto* top = dynamic_cast<FXTopWindow*>(owner)) {
    dialog.setIcon(top->getIcon());
    dialog.setMiniIcon(top->getMiniIcon());
  }
  dialog.setSelectMode(request.selectMode);
  dialog.setPatternList(request.patterns);
  dialog.setCurrentPattern(request.currentPattern);
  if (!request.directory.empty()) dialog.setDirectory(request.directory);
  if (!request.fileName.empty()) dialog.setFilename(request.fileName);
  if (!dialog.execute(PLACEMENT_OWNER)) return false;
  request.fileName = dialog.getFilename();
  request.currentPattern = dialog.getCurrentPattern();
  request.directory = dialog.getDirectory();
  return true;
}
