#include "app/core/CommandLine.h"

#include <charconv>
#include <string_view>
#include <utility>

namespace orbala {

namespace {

CommandLine failure(std::string text) {
  CommandLine out;
  out.mode = CommandLine::Mode::Error;
  out.error = "orbala: " + std::move(text) + " (see 'orbala --help')";
  return out;
}

bool parseSide(std::string_view text, int& value) {
  const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
  return res.ec == std::errc() && res.ptr == text.data() + text.size() && value >= 1 &&
         value <= kMaxExportSide;
}

// "800x600" (or "800X600").
bool parseSize(std::string_view text, int& width, int& height) {
  const size_t x = text.find_first_of("xX");
  return x != std::string_view::npos && parseSide(text.substr(0, x), width) &&
         parseSide(text.substr(x + 1), height);
}

// "transparent", or a grey from 0 to 100.
bool parseBackground(const std::string& text, CommandLine& out) {
  if (text == "transparent") {
    out.transparent = true;
    out.background = -1;
    return true;
  }
  int grey = -1;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), grey);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size() || grey < 0 || grey > 100)
    return false;
  out.background = grey;
  out.transparent = false;
  return true;
}

bool isView(const std::string& name) {
  return name == "top" || name == "bottom" || name == "xz" || name == "yz" || name == "xyz";
}

bool parsePositive(std::string_view text, int& value) {
  const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
  return res.ec == std::errc() && res.ptr == text.data() + text.size() && value >= 1;
}

// "3-40", or "3" alone for one frame.
bool parseFrameRange(std::string_view text, int& first, int& last) {
  const size_t dash = text.find('-');
  if (dash == std::string_view::npos) return parsePositive(text, first) && (last = first, true);
  return parsePositive(text.substr(0, dash), first) && parsePositive(text.substr(dash + 1), last) &&
         first <= last;
}

// The position and length of the one number field, or npos when there is not exactly one.
std::pair<size_t, size_t> numberField(const std::string& pattern) {
  std::pair<size_t, size_t> field{std::string::npos, 0};
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') continue;
    if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
      ++i;
      continue;
    }
    size_t j = i + 1;
    while (j < pattern.size() && j - i <= 3 && pattern[j] >= '0' && pattern[j] <= '9')
      ++j;
    if (j >= pattern.size() || pattern[j] != 'd' || field.first != std::string::npos)
      return {std::string::npos, 0};
    field = {i, j + 1 - i};
    i = j;
  }
  return field;
}

} // namespace

bool isNumberedName(const std::string& pattern) {
  return numberField(pattern).first != std::string::npos;
}

std::string numberedName(const std::string& pattern, int number) {
  const auto [at, length] = numberField(pattern);
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (i == at) {
      const std::string widthText = pattern.substr(at + 1, length - 2);
      const size_t width = widthText.empty() ? 0 : static_cast<size_t>(std::stoi(widthText));
      std::string digits = std::to_string(number);
      if (digits.size() < width)
        digits.insert(0, width - digits.size(), widthText[0] == '0' ? '0' : ' ');
      out += digits;
      i += length - 1;
    } else {
      out += pattern[i];
      if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == '%') ++i;
    }
  }
  return out;
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  CommandLine out;
  bool exporting = false, optionsEnded = false;
  std::vector<std::string> files;
  bool sizeGiven = false, viewGiven = false, backgroundGiven = false, frameGiven = false,
       framesGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      files.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      out.mode = CommandLine::Mode::Help;
      return out;
    }
    if (arg == "--version") {
      out.mode = CommandLine::Mode::Version;
      return out;
    }
    const size_t eq = arg.find('=');
    const std::string name = arg.substr(0, eq);
    if (name != "--export" && name != "--size" && name != "--view" && name != "--background" &&
        name != "--frame" && name != "--frames")
      return failure("unknown option '" + name + "'");
    std::string value;
    if (eq != std::string::npos) {
      value = arg.substr(eq + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      return failure("option '" + name + "' needs a value");
    }
    if (name == "--export") {
      if (value.empty()) return failure("--export needs the name of the picture to write");
      exporting = true;
      out.output = value;
    } else if (name == "--size") {
      if (!parseSize(value, out.width, out.height))
        return failure("bad size '" + value + "': give WIDTHxHEIGHT, each from 1 to " +
                       std::to_string(kMaxExportSide));
      sizeGiven = true;
    } else if (name == "--background") {
      if (!parseBackground(value, out))
        return failure("bad background '" + value + "': give transparent or a grey from 0 to 100");
      backgroundGiven = true;
    } else if (name == "--frame") {
      if (!parsePositive(value, out.frame))
        return failure("bad frame '" + value + "': give a frame number from 1");
      frameGiven = true;
    } else if (name == "--frames") {
      if (!parseFrameRange(value, out.firstFrame, out.lastFrame))
        return failure("bad frames '" + value + "': give FIRST-LAST, from 1, FIRST not after LAST");
      framesGiven = true;
    } else {
      if (!isView(value))
        return failure("unknown view '" + value + "': give top, bottom, xz, yz or xyz");
      out.view = value;
      viewGiven = true;
    }
  }
  if (files.size() > 1) return failure("one file at a time, not " + std::to_string(files.size()));
  if (!files.empty()) out.file = files[0];
  if (!exporting) {
    if (sizeGiven || viewGiven || backgroundGiven || frameGiven || framesGiven)
      return failure("--size, --view, --background, --frame and --frames go with --export");
    return out;
  }
  if (out.file.empty()) return failure("--export needs the file to draw");
  std::string ext = out.output.size() >= 4 ? out.output.substr(out.output.size() - 4) : "";
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (ext != ".png" && ext != ".bmp")
    return failure("the picture '" + out.output + "' must end in .png or .bmp");
  if (out.transparent && ext != ".png")
    return failure("a transparent background needs a .png picture, not '" + out.output + "'");
  out.sequence = isNumberedName(out.output);
  if (out.sequence && frameGiven)
    return failure("--frame draws one picture: give a name without a number field");
  if (!out.sequence && framesGiven)
    return failure("--frames needs a numbered picture name, such as frame_%04d.png");
  out.mode = CommandLine::Mode::Export;
  return out;
}

std::string usageText() {
  return "Usage: orbala [FILE]\n"
         "  or:  orbala --export OUT [--size WxH] [--view VIEW] [--background B] [--frame K] FILE\n"
         "  or:  orbala --export OUT_%04d.png [--frames FIRST-LAST] [...] FILE\n"
         "Plot the points of FILE as shaded spheres: a .qvx file, a .csv or .tsv table, or\n"
         "the atoms of a molecule file (.xyz, .pdb, .cif, .sdf, .mol, and more with obabel).\n"
         "\n"
         "With no option, open FILE in the window (or start empty).\n"
         "\n"
         "  --export OUT   write the picture of FILE to OUT (.png or .bmp) and exit;\n"
         "                 needs no display (EGL; an X display is used when EGL is missing)\n"
         "  --size WxH     the picture's size in pixels, up to 16384x16384 (default 800x600)\n"
         "  --view VIEW    top, bottom, xz, yz or xyz (default: the file's own view)\n"
         "  --background B transparent (PNG only), or a grey from 0 (black) to 100 (white)\n"
         "                 (default: the background of the settings)\n"
         "  --frame K      draw frame K of a multi-frame file (default 1)\n"
         "  --frames A-B   with a numbered OUT (printf style, as frame_%04d.png): one\n"
         "                 picture per frame, numbered by frame (default: every frame)\n"
         "  --help         show this help and exit\n"
         "  --version      show the version and exit\n"
         "\n"
         "Exit status is 0 on success and 1 on any failure.\n";
}

std::string versionText() {
  return "Orbala 1.31\n";
}

} // namespace orbala
