#include "app/BatchExport.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

#include "app/Orbala.h"
#include "app/Text.h"
#include "io/ImageExport.h"
#include "io/core/AtomFrames.h"
#include "platform/AtomicFile.h"
#include "scene/ViewerCapture.h"

namespace {

// Boxes become lines: the first error is the reason the export fails, warnings are passed on.
class ExportDialogs : public Dialogs {
public:
  std::string firstError;
  void message(FXWindow*, BoxKind kind, const FXString& title, const FXString& text) override {
    std::string line = str(title) + ": " + str(text);
    for (char& c : line)
      if (c == '\n') c = ' ';
    if (kind != BoxKind::Error) {
      std::fprintf(stderr, "orbala: warning: %s\n", line.c_str());
    } else if (firstError.empty()) {
      firstError = line;
    }
  }
  // A picture from the shell cannot be mended by resizing a table nobody sees: the table grows
  // to hold every atom of the file.
  bool question(FXWindow*, const FXString& title, const FXString&) override {
    return title == "Data warning";
  }
  bool chooseFile(FXWindow*, FileDialogRequest&) override { return false; }
};

int fail(const std::string& line) {
  std::fprintf(stderr, "orbala: %s\n", line.c_str());
  return 1;
}

int viewIndex(const std::string& name) {
  static const char* const names[] = {"top", "bottom", "xz", "yz", "xyz"};
  for (int i = 0; i < 5; ++i)
    if (name == names[i]) return i;
  return -1;
}

} // namespace

int exportPicture(FXApp& app, const orbala::CommandLine& command) {
  auto* dialogs = new ExportDialogs;
  OrbalaEnvironment environment;
  environment.dialogs = dialogs; // the window owns it
  environment.hidden = true;
  auto* win = new Orbala(&app, environment);
  win->settingsWritten = true; // the user's settings are read, never written, by an export
  app.create();
  app.removeTimeout(win, Orbala::ID_STARTUP);

  const FXString path = FXPath::absolute(fx(command.file));
  const bool read = win->openPath(path);
  if (!read || !dialogs->firstError.empty()) {
    const std::string why =
        dialogs->firstError.empty() ? "the file could not be read" : dialogs->firstError;
    delete win;
    return fail("cannot draw " + command.file + ": " + why);
  }
  const int view = viewIndex(command.view);
  if (view >= 0) win->handle(win, FXSEL(SEL_COMMAND, Orbala::ID_VIEW_TOP + view), nullptr);

  // Every frame is drawn with the camera the first one was fitted to, as the window shows them.
  const int frames =
      win->frameSource ? static_cast<int>(std::min<size_t>(win->frameSource->frameCount(), INT_MAX))
                       : 1;
  const int first = command.sequence ? command.firstFrame : std::max(command.frame, 1);
  const int last = command.sequence && command.lastFrame == 0 ? frames
                   : command.sequence                         ? command.lastFrame
                                                              : first;
  if (last > frames) {
    delete win;
    return fail("cannot draw " + command.file + ": it has " + std::to_string(frames) +
                (frames == 1 ? " frame" : " frames") + ", not " + std::to_string(last));
  }
  for (int k = first; k <= last; ++k) {
    const std::string name =
        command.sequence ? orbala::numberedName(command.output, k) : command.output;
    std::string why;
    if (k > 1 && !win->showFrame(static_cast<size_t>(k - 1), &why)) {
      delete win;
      return fail("cannot draw frame " + std::to_string(k) + " of " + command.file + ": " + why);
    }
    ViewerPicture picture;
    std::string bytes;
    const bool drawn = captureViewerAt(win->viewer, command.width, command.height, picture);
    const bool encoded = drawn && encode(picture, formatForName(command.output), bytes);
    if (!drawn) {
      delete win;
      return fail("cannot draw a picture of " + std::to_string(command.width) + "x" +
                  std::to_string(command.height) + " pixels here");
    }
    // Each picture is whole or not there: a sequence that fails keeps only whole pictures.
    if (!encoded || !orbala::platform::replaceFileContents(name, bytes)) {
      delete win;
      return fail("cannot write " + name);
    }
  }
  delete win;
  return 0;
}
