#pragma once
// Screen metrics for the start-up placement. The X root window spans every monitor.
namespace orbala::platform {
inline int monitorCount() {
  return 1;
}
inline int virtualScreenLeft() {
  return 0;
}
} // namespace orbala::platform
