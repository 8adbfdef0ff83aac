#pragma once
// Every modal box and file dialog of the main window goes through this interface, so tests can
// answer them without a modal loop.
#include <fx.h>

enum class BoxKind { Error, Warning, Information };

// In: what the dialog shows. Out (when accepted): the chosen path, pattern and directory.
struct FileDialogRequest {
  FXString title;
  FXString patterns;        // "\n"-separated pattern list
  FXint currentPattern = 0; // preselected / chosen pattern
  FXString directory;
  FXString fileName; // initial name in, chosen full path out
  FXuint selectMode = SELECTFILE_EXISTING;
};

class Dialogs {
public:
  virtual ~Dialogs() {}
  // A box with one OK button.
  virtual void message(FXWindow* owner, BoxKind kind, const FXString& title,
                       const FXString& text) = 0;
  // A question with Yes and No; true for Yes.
  virtual bool question(FXWindow* owner, const FXString& title, const FXString& text) = 0;
  // A file dialog; false when the user cancels.
  virtual bool chooseFile(FXWindow* owner, FileDialogRequest& request) = 0;
  // A dialog asking for one whole number: `text` is shown and, on OK, holds what was entered.
  // False when the user cancels; a seam that cannot ask cancels.
  virtual bool askInteger(FXWindow* /*owner*/, const FXString& /*title*/, const FXString& /*label*/,
                          FXString& /*text*/) {
    return false;
  }
};

// The real boxes and dialogs of the toolkit.
class ToolkitDialogs : public Dialogs {
public:
  void message(FXWindow* owner, BoxKind kind, const FXString& title, const FXString& text) override;
  bool question(FXWindow* owner, const FXString& title, const FXString& text) override;
  bool chooseFile(FXWindow* owner, FileDialogRequest& request) override;
  bool askInteger(FXWindow* owner, const FXString& title, const FXString& label,
                  FXString& text) override;
};
