#include "app/core/ProgressPace.h"

namespace orbala {

bool ProgressPace::due(double now) {
  if (!started_) {
    if (now - start_ < kQuietSeconds) return false;
    started_ = true;
  } else if (now - last_ < kRefreshSeconds) {
    return false;
  }
  last_ = now;
  return true;
}

} // namespace orbala
