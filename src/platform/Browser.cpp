#include "platform/Browser.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace orbala::platform {
void openInBrowser(const std::string& address) {
  if (address.empty()) return;
  std::string program = "xdg-open";
  std::string arg = address;
  char* argv[] = {program.data(), arg.data(), nullptr};
  pid_t pid = 0;
  // A failing launch is ignored, as a failing browser would be.
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) == 0) {
    int status = 0;
    waitpid(pid, &status, WNOHANG);
  }
}
} // namespace orbala::platform
