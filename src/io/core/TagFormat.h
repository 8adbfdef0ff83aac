#pragma once
// The line-oriented tagged format shared by data files (.qvx) and Orbala.ini:
// one "<tag>value" per line, line feeds only.
#include <array>
#include <string>
#include <string_view>

namespace orbala {

// ---- Reading ----------------------------------------------------------------------------------

struct TagLine {
  std::string tag;   // up to and including the first '>', every "<_" turned into "<"
  std::string value; // text after the first '>', leading and trailing white space removed
};

// Splits one line. A line without '>' gets the whole line plus ">" as its tag and an empty
// value, so it never matches a known tag. Leading blanks stay part of the tag.
TagLine splitTagLine(std::string_view line);

// Every known tag, in the order a reader tries them.
enum class Tag {
  Version,                     // <version>
  WindowX,                     // <window_x>
  WindowY,                     // <window_y>
  MainWidth,                   // <main_width>
  MainHeight,                  // <main_height>
  IsMinimized,                 // <isMinimized>
  PanelWidth,                  // <panelWidth>
  ColorPoints,                 // <colorPoints>
  ColorIndex,                  // <colorIndex>
  ApplyPubChemColors,          // <applyPubChemColors>
  ApplyJmolColors,             // <applyJmolColors>
  ApplyDefaultAtomSizes,       // <applyDefaultAtomSizes>
  SetUndefinedColorsToGrayChk, // <setUndefinedColorsToGray_Chk>
  ShowXyAxis,                  // <show_xy_axis>
  ShowZAxis,                   // <show_z_axis>
  ShowAxisLabels,              // <showAxisLabels>
  ShowRgbTableCols,            // <show_RGB_table_cols>
  NumRowsIni,                  // <numRowsIni>
  RotationAxis,                // <rotationAxis>
  RotationDirection,           // <rotationDirection>
  RotationSpeedSlider,         // <rotationSpeed_Slider>
  SphereRadiusSlider,          // <sphereRadius_Slider>
  BackgroundColorSlider,       // <backgroundColor_Slider>
  RotationLocationIndex,       // <rotationLocationIndex>
  ScaleSizeType,               // <scaleSizeType>
  AlphaLevel,                  // <alphaLevel>
  RotationPointIndex,          // <rotationPointIndex>
  RotationPointX,              // <rotationPoint_x>
  RotationPointY,              // <rotationPoint_y>
  RotationPointZ,              // <rotationPoint_z>
  AxisScalingTypeX,            // <axisScaling_type_x>
  AxisScalingTypeY,            // <axisScaling_type_y>
  AxisScalingTypeZ,            // <axisScaling_type_z>
  PathUserFilesDirectory,      // <pathUserFilesDirectory>
  LastFileExtensionSelected,   // <lastFileExtensionSelected>
  RecentlyUsedFiles,           // <recentlyUsedFiles>
  ViewerZoom,                  // <Viewer_Zoom>
  ViewerCenterXyz,             // <Viewer_center_xyz>
  ViewerOrientation,           // <Viewer_orientation>
  Data,                        // <data>
  Unknown
};

// Exact, case-sensitive match of a tag as splitTagLine returns it; Unknown otherwise.
Tag lookupTag(std::string_view tag);

// The tag's text with its brackets ("<version>"); empty for Unknown.
std::string_view tagText(Tag tag);

// Window-block tags that a reader applies only from the settings file, never from a data file:
// window position and size, minimised flag, panel width, user-files directory, last extension.
// (<numRowsIni> and <recentlyUsedFiles> belong to the window block too but apply from both.)
bool isWindowBlockTag(Tag tag);

// A flag value is set only when it reads as the integer 1 ("1abc" counts, "2" does not).
bool parseFlag(std::string_view value);

// A <data> value: "row column text".
struct DataLine {
  bool valid = false; // false when the value does not start with two integers
  int row = 0;
  int column = 0;
  std::string text; // everything after the second blank of the trimmed value, may hold blanks
};
DataLine parseDataLine(std::string_view value);

// Reads up to maxCount white-space separated doubles from the start of text, stopping at the
// first that does not convert; returns how many converted. Always reads a dot as the decimal
// point. Out-of-range values become +-infinity or 0 as strtod would give.
int scanDoubles(std::string_view text, double* out, int maxCount);

// ---- Writing ----------------------------------------------------------------------------------

// Every value of the settings block, as the controls hold them.
struct SettingsValues {
  std::string version = "1.31";
  bool colorPoints = false; // "Color spheres" selected
  int colorIndex = 0;
  bool applyPubChemColors = false;
  bool applyJmolColors = false;
  bool applyDefaultAtomSizes = false;
  bool setUndefinedColorsToGray = false;
  bool showXyAxis = false;
  bool showZAxis = false;
  bool showAxisLabels = false;
  bool showRgbTableCols = false;
  int rotationAxis = 0;
  int rotationDirection = 0; // 0 clockwise, 1 counter-clockwise
  int rotationSpeed = 0;     // slider positions
  int sphereRadius = 0;
  int backgroundColor = 0;
  int rotationLocationIndex = 0;
  int scaleSizeType = 0;
  std::string alphaLevel; // field texts, written unchanged
  std::string rotationPointIndex;
  std::string rotationPointX;
  std::string rotationPointY;
  std::string rotationPointZ;
  std::array<int, 3> axisScaling{}; // x, y, z
};

// The window block, written only to the settings file.
struct WindowValues {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool minimized = false;
  int panelWidth = 0; // the control panel's width beside the view
  int numRows = 0;
  std::string userFilesDirectory;
  std::string lastExtension;
  std::array<std::string, 10> recentFiles; // slot 0 most recent; empty slots are skipped
};

// The settings block, followed by the window block when windowBlockOrNull is given.
// A text value cannot span lines: line breaks inside it are written as blanks, and a recent
// file whose path holds a line break is left out.
std::string formatSettingsBlock(const SettingsValues& settings,
                                const WindowValues* windowBlockOrNull);

// The three view lines of a data file: zoom, centre x y z, orientation quaternion x y z w.
std::string formatViewBlock(double zoom, const double center[3], const double orientation[4]);

// One cell line, "<data>row column text\n"; line breaks in the text are written as blanks.
std::string formatDataLine(int row, int column, std::string_view text);
// The same line appended to `out`.
void appendDataLine(std::string& out, int row, int column, std::string_view text);

} // namespace orbala
