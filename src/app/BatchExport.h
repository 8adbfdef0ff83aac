#pragma once
// Drawing a file's picture from the shell: no window on the screen, no box, one line on error.
#include <fx.h>

#include "app/core/CommandLine.h"

// Reads command.file as the window would open it and writes command.output; 0, or 1 after one
// line on standard error (and nothing written). `app` is initialised without a display, which is
// opened (`displayName`, or $DISPLAY when null) only when EGL gives no GL.
int exportPicture(FXApp& app, const orbala::CommandLine& command, const char* displayName);
