#include "app/BatchExport.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <new>
#include <set>
#include <string>

#include "app/Orbala.h"
#include "app/Text.h"
#include "io/ImageExport.h"
#include "io/core/AtomFrames.h"
#include "platform/AtomicFile.h"
#include "platform/Locale.h"
#include "platform/PictureContext.h"
#include "scene/ViewerCapture.h"

namespace {

// Boxes become lines: the first error is the reason the export fails, warnings are passed on.
class ExportDialogs : public Dialogs {
public:
  std::string firstError;
  std::set<std::string> warned;
  void message(FXWindow*, BoxKind kind, const FXString& title, const FXString& text) override {
    std::string line = str(title) + ": " + str(text);
    for (char& c : line)
      if (c == '\n') c = ' ';
    if (kind != BoxKind::Error) {
      // The preset reads the table again: the same warning once is enough.
      if (!warned.insert(line).second) return;
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

int exportPicture(FXApp& app, const orbala::CommandLine& command, const char* displayName) {
  PictureContext gl; // outlives the window, whose GL objects it holds
  std::string why;
  const PictureContext::Kind kind = gl.open(app, displayName, why);
  if (kind == PictureContext::Kind::Failed) return fail("cannot draw: " + why);
  orbala::platform::useDotForNumbers(); // an opened display brings the user's locale
  auto* dialogs = new ExportDialogs;
  OrbalaEnvironment environment;
  environment.dialogs = dialogs; // the window owns it
  environment.hidden = true;
  auto* win = new Orbala(&app, environment);
  win->settingsWritten = true; // the user's settings are read, never written, by an export
  // With EGL the window is never made: its reading and drawing need no window on a server.
  if (kind == PictureContext::Kind::X) app.create();
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
  if (command.background >= 0) {
    win->backgroundSlider->setValue(command.background);
    win->handle(win->backgroundSlider, FXSEL(SEL_COMMAND, Orbala::ID_BACKGROUND), nullptr);
  }

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
  CaptureOptions options;
  options.clearBackground = command.transparent;
  const std::string size = std::to_string(command.width) + "x" + std::to_string(command.height);
  for (int k = first; k <= last; ++k) {
    const std::string name =
        command.sequence ? orbala::numberedName(command.output, k) : command.output;
    std::string unread;
    if (k > 1 && !win->showFrame(static_cast<size_t>(k - 1), &unread)) {
      delete win;
      return fail("cannot draw frame " + std::to_string(k) + " of " + command.file + ": " + unread);
    }
    ViewerPicture picture;
    std::string bytes;
    bool drawn = false, encoded = false, memory = true;
    try {
      drawn = captureViewerAt(win->viewer, command.width, command.height, picture, options);
      encoded = drawn && encode(picture, formatForName(command.output), bytes);
    } catch (const std::bad_alloc&) {
      memory = false; // a 16384 x 16384 picture alone takes 1 GiB
    }
    std::string failure;
    if (!memory)
      failure = "not enough memory for a picture of " + size + " pixels";
    else if (!drawn)
      failure = "cannot draw a picture of " + size + " pixels here";
    // Each picture is whole or not there: a sequence that fails keeps only whole pictures.
    else if (!encoded || !orbala::platform::replaceFileContents(name, bytes))
      failure = "cannot write " + name;
    if (!failure.empty()) {
      delete win;
      return fail(failure);
    }
  }
  delete win;
  return 0;
}
