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

// A picture from the shell needs no display: the toolkit is started without one.
bool asksForExport(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--") return false;
    if (arg == "--export" || arg.rfind("--export=", 0) == 0) return true;
  }
  return false;
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
  const bool exporting = asksForExport(argc, argv);
  if (!exporting && !displayAvailable(displayName)) {
    std::fprintf(stderr,
                 "orbala: cannot open the X display \"%s\" (pictures need none: see "
                 "'orbala --help' for --export)\n",
                 XDisplayName(displayName));
    return 1;
  }

  FXApp application(kAppName, kVendorName);
  application.init(argc, argv, !exporting);
  orbala::platform::useDotForNumbers();
  // What is left once the toolkit has taken its own options.
  const CommandLine command = orbala::parseCommandLine(argumentsOf(argc, argv));
  if (command.mode == CommandLine::Mode::Error) {
    std::fprintf(stderr, "%s\n", command.error.c_str());
    return 1;
  }
  if (command.mode == CommandLine::Mode::Export)
    return exportPicture(application, command, displayName);
  OrbalaEnvironment environment;
  environment.startupFile = command.file.c_str();
  new Orbala(&application, environment);
  application.create();
  return application.run();
}
