#pragma once
// What the program is asked to do from the shell, read from the arguments the toolkit left.
#include <string>
#include <vector>

namespace orbala {

struct CommandLine {
  enum class Mode { Window, Export, Help, Version, Error } mode = Mode::Window;
  std::string file;   // to open in the window (may be empty), or to export (required)
  std::string output; // the picture to write; .png or .bmp
  int width = 800, height = 600;
  std::string view;         // "", "top", "bottom", "xz", "yz" or "xyz"
  int background = -1;      // --background GREY, 0 to 100 as the B slider; -1: the settings'
  bool transparent = false; // --background transparent (PNG only)
  std::string error;        // one line, for standard error, when mode is Error
};

// The largest picture an export draws, per side.
constexpr int kMaxExportSide = 16384;

// GNU style: "--opt value" and "--opt=value", "--" ends the options, "-" alone is a file name.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The text of --help and --version.
std::string usageText();
std::string versionText();

} // namespace orbala
