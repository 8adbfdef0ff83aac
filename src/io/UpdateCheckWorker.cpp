#include "io/UpdateCheckWorker.h"

#include <mutex>
#include <system_error>
#include <thread>

FXDEFMAP(UpdateCheckWorker)
UpdateCheckWorkerMap[] = {
    FXMAPFUNC(SEL_IO_READ, UpdateCheckWorker::ID_FINISHED, UpdateCheckWorker::onFinished),
};
FXIMPLEMENT(UpdateCheckWorker, FXObject, UpdateCheckWorkerMap, ARRAYNUMBER(UpdateCheckWorkerMap))

// What the thread and the GUI side share. The signal is cleared, under the lock, when the GUI
// side goes away, so a thread that ends later never writes to a pipe that is closed or reused.
struct UpdateCheckWorker::Job {
  std::mutex mutex;
  FXGUISignal* finished = nullptr;
  orbala::UpdateCheckResult result;
};

UpdateCheckWorker::UpdateCheckWorker(FXApp* app, Done doneCallback)
    : finished(new FXGUISignal(app, this, ID_FINISHED)), done(std::move(doneCallback)) {}

UpdateCheckWorker::~UpdateCheckWorker() {
  if (job) {
    std::lock_guard<std::mutex> lock(job->mutex);
    job->finished = nullptr;
  }
}

bool UpdateCheckWorker::start(const std::string& host, int port, double ownVersion,
                              int timeLimitMs) {
  if (job) return false;
  auto shared = std::make_shared<Job>();
  shared->finished = finished.get();
  try {
    std::thread([shared, host, port, ownVersion, timeLimitMs] {
      const orbala::UpdateCheckResult result =
          orbala::checkForUpdate(host, port, ownVersion, timeLimitMs);
      std::lock_guard<std::mutex> lock(shared->mutex);
      shared->result = result;
      if (shared->finished) shared->finished->signal();
    }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: as good as no socket.
    orbala::UpdateCheckResult result;
    result.code = orbala::kUpdateNoSocket;
    if (done) done(result);
    return true;
  }
  job = std::move(shared);
  return true;
}

long UpdateCheckWorker::onFinished(FXObject*, FXSelector, void*) {
  if (!job) return 1;
  orbala::UpdateCheckResult result;
  {
    std::lock_guard<std::mutex> lock(job->mutex);
    result = job->result;
  }
  job.reset(); // a new check may start, even from within done
  if (done) done(result);
  return 1;
}
