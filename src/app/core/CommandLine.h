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
  // The frame to draw, 1-based (0: the first). With an OUT holding a number field ("%04d"),
  // frames firstFrame to lastFrame (0: to the last) each go to a picture of their own.
  int frame = 0;
  int firstFrame = 1, lastFrame = 0;
  bool sequence = false;
  std::string error; // one line, for standard error, when mode is Error
};

// The largest picture an export draws, per side.
constexpr int kMaxExportSide = 16384;

// Whether a picture name holds one printf number field (%d, %4d, %04d; "%%" is a percent sign)
// and nothing else printf would take; `name` then receives it filled in with `number`.
bool isNumberedName(const std::string& pattern);
std::string numberedName(const std::string& pattern, int number);

// GNU style: "--opt value" and "--opt=value", "--" ends the options, "-" alone is a file name.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The text of --help and --version.
std::string usageText();
std::string versionText();

} // namespace orbala
