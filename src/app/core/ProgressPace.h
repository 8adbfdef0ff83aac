#pragma once
// When a long task shows that it is busy: not in its first half second, since most reads and
// writes end sooner and a flash of a dialog is worse than nothing; after that at most ten times a
// second, so that showing progress never costs noticeably more than the work.
namespace orbala {

class ProgressPace {
public:
  static constexpr double kQuietSeconds = 0.5;
  static constexpr double kRefreshSeconds = 0.1;

  explicit ProgressPace(double start) : start_(start) {}
  // Whether the progress is to be shown, or shown again, at `now` (seconds on the same clock).
  bool due(double now);
  bool started() const { return started_; }

private:
  double start_;
  double last_ = 0.0;
  bool started_ = false;
};

} // namespace orbala
