#pragma once
// A long read or write shows that it is busy: after half a second a busy cursor and a small
// progress dialog, and the windows keep repainting while it works. The work itself calls stage()
// and step(), which cost next to nothing while no task is running or the task is still short.
#include <fx.h>

#include <chrono>

#include "app/core/ProgressPace.h"

class BusyProgress {
public:
  // The outermost task of a nest shows itself; inner ones leave it to the outer.
  explicit BusyProgress(FXWindow* owner);
  ~BusyProgress();
  BusyProgress(const BusyProgress&) = delete;
  BusyProgress& operator=(const BusyProgress&) = delete;

  // A part of the running task: what it does and how many steps it takes.
  static void stage(const FXString& what, FXint total);
  // How far the current part has come.
  static void step(FXint done);

private:
  static double now();
  void poll();
  void show();

  static BusyProgress* running;
  FXWindow* owner;
  orbala::ProgressPace pace;
  FXProgressDialog* dialog = nullptr;
  FXString message;
  FXint total = 0;
  FXint done = 0;
  unsigned calls = 0;
};
