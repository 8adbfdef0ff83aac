#include "io/core/TagFormat.h"

#include "table/core/Numbers.h"

#include <charconv>
#include <climits>
#include <limits>

namespace orbala {

namespace {

struct TagName {
  Tag tag;
  std::string_view text;
};

// Kept in enum order, so a tag's text is found by index.
constexpr TagName kTagNames[] = {
    {Tag::Version, "<version>"},
    {Tag::WindowX, "<window_x>"},
    {Tag::WindowY, "<window_y>"},
    {Tag::MainWidth, "<main_width>"},
    {Tag::MainHeight, "<main_height>"},
    {Tag::IsMinimized, "<isMinimized>"},
    {Tag::PanelWidth, "<panelWidth>"},
    {Tag::ColorPoints, "<colorPoints>"},
    {Tag::ColorIndex, "<colorIndex>"},
    {Tag::ApplyPubChemColors, "<applyPubChemColors>"},
    {Tag::ApplyJmolColors, "<applyJmolColors>"},
    {Tag::ApplyDefaultAtomSizes, "<applyDefaultAtomSizes>"},
    {Tag::SetUndefinedColorsToGrayChk, "<setUndefinedColorsToGray_Chk>"},
    {Tag::ShowXyAxis, "<show_xy_axis>"},
    {Tag::ShowZAxis, "<show_z_axis>"},
    {Tag::ShowAxisLabels, "<showAxisLabels>"},
    {Tag::ShowRgbTableCols, "<show_RGB_table_cols>"},
    {Tag::NumRowsIni, "<numRowsIni>"},
    {Tag::RotationAxis, "<rotationAxis>"},
    {Tag::RotationDirection, "<rotationDirection>"},
    {Tag::RotationSpeedSlider, "<rotationSpeed_Slider>"},
    {Tag::SphereRadiusSlider, "<sphereRadius_Slider>"},
    {Tag::BackgroundColorSlider, "<backgroundColor_Slider>"},
    {Tag::RotationLocationIndex, "<rotationLocationIndex>"},
    {Tag::ScaleSizeType, "<scaleSizeType>"},
    {Tag::AlphaLevel, "<alphaLevel>"},
    {Tag::RotationPointIndex, "<rotationPointIndex>"},
    {Tag::RotationPointX, "<rotationPoint_x>"},
    {Tag::RotationPointY, "<rotationPoint_y>"},
    {Tag::RotationPointZ, "<rotationPoint_z>"},
    {Tag::AxisScalingTypeX, "<axisScaling_type_x>"},
    {Tag::AxisScalingTypeY, "<axisScaling_type_y>"},
    {Tag::AxisScalingTypeZ, "<axisScaling_type_z>"},
    {Tag::PathUserFilesDirectory, "<pathUserFilesDirectory>"},
    {Tag::LastFileExtensionSelected, "<lastFileExtensionSelected>"},
    {Tag::RecentlyUsedFiles, "<recentlyUsedFiles>"},
    {Tag::ViewerZoom, "<Viewer_Zoom>"},
    {Tag::ViewerCenterXyz, "<Viewer_center_xyz>"},
    {Tag::ViewerOrientation, "<Viewer_orientation>"},
    {Tag::Data, "<data>"},
};
static_assert(sizeof kTagNames / sizeof kTagNames[0] == static_cast<size_t>(Tag::Unknown),
              "one name per known tag");

// White space as the C scanners skip it.
bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isHexDigit(char c) {
  return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// One "%d": blanks, optional sign, at least one digit. Values beyond int saturate.
bool scanInt(std::string_view text, size_t& pos, int& out) {
  size_t i = pos;
  while (i < text.size() && isSpace(text[i]))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i >= text.size() || !isDigit(text[i])) return false;
  long long value = 0;
  while (i < text.size() && isDigit(text[i])) {
    if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (text[i] - '0');
    ++i;
  }
  if (negative) value = -value;
  out = static_cast<int>(value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : value);
  pos = i;
  return true;
}

// Whether an out-of-range number overflowed (rather than underflowed): the power of its first
// significant digit, counted in mantissa digits plus the written exponent, is above zero.
bool overflowed(const char* b, const char* e, bool hex) {
  const char expChar = hex ? 'p' : 'e';
  long long magnitude = 0;
  bool seenPoint = false, seenNonZero = false;
  const char* p = b;
  for (; p < e && *p != expChar && *p != (expChar - 'a' + 'A'); ++p) {
    if (*p == '.') {
      seenPoint = true;
    } else if (!seenNonZero && *p == '0') {
      if (seenPoint) --magnitude;
    } else {
      seenNonZero = true;
      if (!seenPoint) ++magnitude;
    }
  }
  if (hex) magnitude *= 4;
  long long exponent = 0;
  if (p < e) {
    ++p;
    bool negative = false;
    if (p < e && (*p == '+' || *p == '-')) negative = *p++ == '-';
    for (; p < e && isDigit(*p); ++p)
      if (exponent < 1000000000) exponent = exponent * 10 + (*p - '0');
    if (negative) exponent = -exponent;
  }
  return magnitude + exponent > 0;
}

// One "%lf" without consulting the locale.
bool scanDouble(const char*& p, const char* end, double& out) {
  while (p < end && isSpace(*p))
    ++p;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  if (p >= end || *p == '+' || *p == '-') return false;
  // from_chars takes hex digits without their "0x"; "0x" alone reads as 0 like strtod.
  const bool hex = end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') &&
                   (isHexDigit(p[2]) || (p[2] == '.' && end - p > 3 && isHexDigit(p[3])));
  double value = 0.0;
  const std::from_chars_result res =
      hex ? std::from_chars(p + 2, end, value, std::chars_format::hex)
          : std::from_chars(p, end, value, std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    value =
        overflowed(hex ? p + 2 : p, res.ptr, hex) ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (res.ec != std::errc()) {
    return false;
  }
  p = res.ptr;
  out = negative ? -value : value;
  return true;
}

void appendLine(std::string& out, Tag tag, std::string_view value) {
  out += tagText(tag);
  out += value;
  out += '\n';
}

void appendInt(std::string& out, Tag tag, int value) {
  appendLine(out, tag, std::to_string(value));
}

void appendFlag(std::string& out, Tag tag, bool value) {
  appendLine(out, tag, value ? "1" : "0");
}

bool hasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != text.npos;
}

// A value must stay on its own line, or it would be read back as further tag lines.
std::string oneLine(std::string_view text) {
  std::string s(text);
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  return s;
}

void appendText(std::string& out, Tag tag, std::string_view value) {
  appendLine(out, tag, oneLine(value));
}

} // namespace

TagLine splitTagLine(std::string_view line) {
  TagLine result;
  const size_t close = line.find('>');
  if (close == std::string_view::npos) {
    result.tag = replaceAll(std::string(line) + ">", "<_", "<");
    return result;
  }
  result.tag = replaceAll(line.substr(0, close + 1), "<_", "<");
  result.value = trim(line.substr(close + 1));
  return result;
}

Tag lookupTag(std::string_view tag) {
  for (const TagName& name : kTagNames)
    if (name.text == tag) return name.tag;
  return Tag::Unknown;
}

std::string_view tagText(Tag tag) {
  const size_t index = static_cast<size_t>(tag);
  return index < static_cast<size_t>(Tag::Unknown) ? kTagNames[index].text : std::string_view();
}

bool isWindowBlockTag(Tag tag) {
  switch (tag) {
  case Tag::WindowX:
  case Tag::WindowY:
  case Tag::MainWidth:
  case Tag::MainHeight:
  case Tag::IsMinimized:
  case Tag::PanelWidth:
  case Tag::PathUserFilesDirectory:
  case Tag::LastFileExtensionSelected:
    return true;
  default:
    return false;
  }
}

bool parseFlag(std::string_view value) {
  return parseInt(value) == 1;
}

DataLine parseDataLine(std::string_view value) {
  DataLine result;
  const std::string trimmed = trim(value);
  size_t pos = 0;
  if (!scanInt(trimmed, pos, result.row) || !scanInt(trimmed, pos, result.column)) {
    result.row = result.column = 0;
    return result;
  }
  result.valid = true;
  const size_t first = trimmed.find(' ');
  const size_t second = first == std::string::npos ? first : trimmed.find(' ', first + 1);
  if (second != std::string::npos) result.text = trimmed.substr(second + 1);
  return result;
}

int scanDoubles(std::string_view text, double* out, int maxCount) {
  const char* p = text.data();
  const char* end = p + text.size();
  int count = 0;
  while (count < maxCount && scanDouble(p, end, out[count]))
    ++count;
  return count;
}

std::string formatSettingsBlock(const SettingsValues& s, const WindowValues* w) {
  std::string out;
  appendText(out, Tag::Version, s.version);
  appendFlag(out, Tag::ColorPoints, s.colorPoints);
  appendInt(out, Tag::ColorIndex, s.colorIndex);
  appendFlag(out, Tag::ApplyPubChemColors, s.applyPubChemColors);
  appendFlag(out, Tag::ApplyJmolColors, s.applyJmolColors);
  appendFlag(out, Tag::ApplyDefaultAtomSizes, s.applyDefaultAtomSizes);
  appendFlag(out, Tag::SetUndefinedColorsToGrayChk, s.setUndefinedColorsToGray);
  appendFlag(out, Tag::ShowXyAxis, s.showXyAxis);
  appendFlag(out, Tag::ShowZAxis, s.showZAxis);
  appendFlag(out, Tag::ShowAxisLabels, s.showAxisLabels);
  appendFlag(out, Tag::ShowRgbTableCols, s.showRgbTableCols);
  appendInt(out, Tag::RotationAxis, s.rotationAxis);
  appendInt(out, Tag::RotationDirection, s.rotationDirection);
  appendInt(out, Tag::RotationSpeedSlider, s.rotationSpeed);
  appendInt(out, Tag::SphereRadiusSlider, s.sphereRadius);
  appendInt(out, Tag::BackgroundColorSlider, s.backgroundColor);
  appendInt(out, Tag::RotationLocationIndex, s.rotationLocationIndex);
  appendInt(out, Tag::ScaleSizeType, s.scaleSizeType);
  appendText(out, Tag::AlphaLevel, s.alphaLevel);
  appendText(out, Tag::RotationPointIndex, s.rotationPointIndex);
  appendText(out, Tag::RotationPointX, s.rotationPointX);
  appendText(out, Tag::RotationPointY, s.rotationPointY);
  appendText(out, Tag::RotationPointZ, s.rotationPointZ);
  appendInt(out, Tag::AxisScalingTypeX, s.axisScaling[0]);
  appendInt(out, Tag::AxisScalingTypeY, s.axisScaling[1]);
  appendInt(out, Tag::AxisScalingTypeZ, s.axisScaling[2]);
  if (!w) return out;
  appendInt(out, Tag::WindowX, w->x);
  appendInt(out, Tag::WindowY, w->y);
  appendInt(out, Tag::MainWidth, w->width);
  appendInt(out, Tag::MainHeight, w->height);
  appendFlag(out, Tag::IsMinimized, w->minimized);
  appendInt(out, Tag::PanelWidth, w->panelWidth);
  appendInt(out, Tag::NumRowsIni, w->numRows);
  appendText(out, Tag::PathUserFilesDirectory, w->userFilesDirectory);
  appendText(out, Tag::LastFileExtensionSelected, w->lastExtension);
  // A path with a line break cannot be stored on one line; a mangled one would be useless.
  for (const std::string& path : w->recentFiles)
    if (!path.empty() && !hasLineBreak(path)) appendLine(out, Tag::RecentlyUsedFiles, path);
  return out;
}

std::string formatViewBlock(double zoom, const double center[3], const double orientation[4]) {
  std::string out;
  appendLine(out, Tag::ViewerZoom, formatScientific(zoom));
  appendLine(out, Tag::ViewerCenterXyz,
             formatScientific(center[0]) + ' ' + formatScientific(center[1]) + ' ' +
                 formatScientific(center[2]));
  appendLine(out, Tag::ViewerOrientation,
             formatScientific(orientation[0]) + ' ' + formatScientific(orientation[1]) + ' ' +
                 formatScientific(orientation[2]) + ' ' + formatScientific(orientation[3]));
  return out;
}

std::string formatDataLine(int row, int column, std::string_view text) {
  std::string out;
  appendDataLine(out, row, column, text);
  return out;
}

void appendDataLine(std::string& out, int row, int column, std::string_view text) {
  // Written straight into the block: a big table has ten of these lines per row.
  char number[16];
  out += tagText(Tag::Data);
  out.append(number, std::to_chars(number, number + sizeof number, row).ptr);
  out += ' ';
  out.append(number, std::to_chars(number, number + sizeof number, column).ptr);
  out += ' ';
  const size_t start = out.size();
  out += text;
  for (size_t i = start; i < out.size(); ++i)
    if (out[i] == '\r' || out[i] == '\n') out[i] = ' ';
  out += '\n';
}

} // namespace orbala
