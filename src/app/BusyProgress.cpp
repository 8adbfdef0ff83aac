#include "app/BusyProgress.h"

#include "app/Orbala.h"

#include <fx3d.h>

BusyProgress* BusyProgress::running = nullptr;

namespace {

// Paints what is due in every window but the GL views: a picture of a million points would take
// longer than the work it waits for, and is drawn once the work is done.
void repaintTree(const FXWindow* window) {
  if (window->isMemberOf(FXMETACLASS(FXGLCanvas))) return;
  window->repaint();
  for (const FXWindow* child = window->getFirst(); child; child = child->getNext())
    repaintTree(child);
}

} // namespace

BusyProgress::BusyProgress(FXWindow* owner) : owner(owner), pace(now()) {
  if (!running) running = this;
}

BusyProgress::~BusyProgress() {
  if (running != this) return;
  running = nullptr;
  if (!dialog) return;
  delete dialog;
  owner->getApp()->endWaitCursor();
  // What the dialog covered is shown again now, not after the picture is drawn.
  repaintTree(owner);
  owner->getApp()->flush();
}

double BusyProgress::now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void BusyProgress::stage(const FXString& what, FXint total) {
  if (!running) return;
  running->message = what;
  running->total = FXMAX(total, 1);
  running->done = 0;
  running->poll();
}

void BusyProgress::step(FXint done) {
  if (!running) return;
  running->done = done;
  // The clock is read now and then only: steps come by the million.
  if ((++running->calls & 0x3FF) == 0) running->poll();
}

void BusyProgress::poll() {
  // A window not yet on the screen (the table set up while the window is built) shows nothing.
  if (!owner->id() || !pace.due(now())) return;
  if (!dialog) show();
  if (dialog->getMessage() != message) dialog->setMessage(message);
  dialog->setTotal(static_cast<FXuint>(total));
  dialog->setProgress(static_cast<FXuint>(FXCLAMP(0, done, total)));
  dialog->layout();
  // Takes no input, so nothing can change the data under the task.
  repaintTree(owner);
  repaintTree(dialog);
  owner->getApp()->flush();
}

void BusyProgress::show() {
  owner->getApp()->beginWaitCursor();
  dialog = new FXProgressDialog(owner, kAppName, message, PROGRESSDIALOG_NORMAL);
  dialog->create();
  dialog->resize(FXMAX(dialog->getDefaultWidth(), 360), dialog->getDefaultHeight());
  dialog->show(PLACEMENT_OWNER);
}
