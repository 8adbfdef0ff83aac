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

bool ToolkitDialogs::askInteger(FXWindow* owner, const FXString& title, const FXString& label,
                                FXString& text) {
  FXDialogBox dialog(owner, title, DECOR_TITLE | DECOR_BORDER | DECOR_CLOSE);
  auto* frame = new FXVerticalFrame(&dialog, LAYOUT_FILL_X | LAYOUT_FILL_Y);
  new FXLabel(frame, label, nullptr, LABEL_NORMAL);
  // Enter in the field accepts, as the OK button does; Escape cancels (the dialog's own key).
  auto* field = new FXTextField(frame, 15, &dialog, FXDialogBox::ID_ACCEPT,
                                TEXTFIELD_INTEGER | TEXTFIELD_ENTER_ONLY | FRAME_SUNKEN |
                                    FRAME_THICK | LAYOUT_FILL_X);
  field->setText(text);
  auto* buttons = new FXHorizontalFrame(frame, LAYOUT_RIGHT | PACK_UNIFORM_WIDTH);
  new FXButton(buttons, "Cancel", nullptr, &dialog, FXDialogBox::ID_CANCEL, BUTTON_NORMAL);
  new FXButton(buttons, "OK", nullptr, &dialog, FXDialogBox::ID_ACCEPT,
               BUTTON_NORMAL | BUTTON_DEFAULT | BUTTON_INITIAL);
  // Focus only once the field has its window: focusing earlier opens an input context without one.
  dialog.create();
  field->setFocus();
  field->selectAll();
  if (!dialog.execute(PLACEMENT_OWNER)) return false;
  text = field->getText();
  return true;
}
