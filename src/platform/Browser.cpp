#include "platform/Browser.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace orbala::platform {
void openInBrowser(const std::string& address) {
  if (address.empty()) return;
  std::string program = "xdg-open";
  std::string arg = address;
  char* argv[] = {program.data(), arg.data(), nullptr};
  pid_t pid = 0;
  // A failing launch is ignored, as a failing browser would be.
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return;
  // Someone must collect xdg-open when it ends, or it stays behind as a zombie; waiting here
  // would hold the window for as long as xdg-open takes.
  std::thread([pid] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}
} // namespace orbala::platform
