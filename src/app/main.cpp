#include <X11/Xlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/BatchExport.h"
#include "app/Orbala.h"
#include "app/core/CommandLine.h"
#include "platform/Locale.h"

namespace {

std::vector<std::string> argumentsOf(int argc, char* argv[]) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

// The toolkit ends the process on its own when it finds no display; say why first.
bool displayAvailable(const char* name) {
  Display* display = XOpenDisplay(name);
  if (!display) return false;
  XCloseDisplay(display);
  return true;
}

} // namespace

int main(int argc, char* argv[]) {
  using orbala::CommandLine;
  // Help and version need no display, as with any command.
  const CommandLine early = orbala::parseCommandLine(argumentsOf(argc, argv));
  if (early.mode == CommandLine::Mode::Help) {
    std::fputs(orbala::usageText().c_str(), stdout);
    return 0;
  }
  if (early.mode == CommandLine::Mode::Version) {
    std::fputs(orbala::versionText().c_str(), stdout);
    return 0;
  }
  const char* displayName = nullptr;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string(argv[i]) == "-display") displayName = argv[i + 1];
  if (!displayAvailable(displayName)) {
    std::fprintf(stderr,
                 "orbala: cannot open the X display \"%s\" (on a server, run it under "
                 "xvfb-run)\n",
                 XDisplayName(displayName));
    return 1;
  }

  FXApp application(kAppName, kVendorName);
  application.init(argc, argv);
  orbala::platform::useDotForNumbers();
  // What is left once the toolkit has taken its own options.
  const CommandLine command = orbala::parseCommandLine(argumentsOf(argc, argv));
  if (command.mode == CommandLine::Mode::Error) {
    std::fprintf(stderr, "%s\n", command.error.c_str());
    return 1;
  }
  if (command.mode == CommandLine::Mode::Export) return exportPicture(application, command);
  OrbalaEnvironment environment;
  environment.startupFile = command.file.c_str();
  new Orbala(&application, environment);
  application.create();
  return application.run();
}
