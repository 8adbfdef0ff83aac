#pragma once
// Runs the update check on a thread of its own, so that the window keeps painting and answering
// while a server takes its time, and hands the result back to the GUI thread.
#include <fx.h>

#include <functional>
#include <memory>
#include <string>

#include "io/core/UpdateCheck.h"

class UpdateCheckWorker : public FXObject {
  FXDECLARE(UpdateCheckWorker)

public:
  using Done = std::function<void(const orbala::UpdateCheckResult&)>;
  enum { ID_FINISHED = 1 };

  // done runs on the GUI thread, once per check that ends while this object lives.
  UpdateCheckWorker(FXApp* app, Done done);
  // A check still running is abandoned: its thread ends on its own and reports to no one.
  virtual ~UpdateCheckWorker();

  // Starts one check; false (and nothing started) while the previous one is still running.
  bool start(const std::string& host, int port, double ownVersion, int timeLimitMs);
  bool running() const { return job != nullptr; }

  long onFinished(FXObject*, FXSelector, void*);

protected:
  UpdateCheckWorker() {}

private:
  UpdateCheckWorker(const UpdateCheckWorker&) = delete;
  UpdateCheckWorker& operator=(const UpdateCheckWorker&) = delete;

  struct Job;
  std::unique_ptr<FXGUISignal> finished; // wakes the GUI thread through the toolkit's own pipe
  std::shared_ptr<Job> job;              // shared with the thread; null when none runs
  Done done;
};
