// Applying one tag line of a data or settings file to the window.
#include "app/Orbala.h"
#include "app/Text.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/PanelLayout.h"
#include "io/core/TagFormat.h"
#include "platform/Paths.h"
#include "table/Table_zk2.h"
#include "table/core/Numbers.h"
#include "table/core/TableLimits.h"

namespace {

// Scans exactly n numbers that the viewer can use (finite also in single precision).
bool scanViewValues(const FXString& value, double* out, int n) {
  double tmp[4];
  if (orbala::scanDoubles(str(value), tmp, n) != n) return false;
  for (int i = 0; i < n; ++i)
    if (!std::isfinite(tmp[i]) || !std::isfinite(static_cast<float>(tmp[i]))) return false;
  std::copy(tmp, tmp + n, out);
  return true;
}

// A field's text as read, or `fallback` when it holds a number that is not finite (a NaN
// kept in a field would be written back at every exit).
std::string finiteOr(const std::string& text, const char* fallback) {
  return std::isfinite(orbala::parseNumber(text)) ? text : fallback;
}

} // namespace

// A text from a file on its way to a widget, bounded; a cut is remembered for one warning.
FXString Orbala::boundedText(const std::string& text, size_t limit) {
  if (text.size() > limit) readTextWasCut = true;
  return fx(orbala::clipText(text, limit));
}

bool Orbala::applyTag(const FXString& tagText, const FXString& valueText, bool isSettingsFile) {
  using orbala::Tag;
  const std::string value = orbala::trim(str(valueText));
  const Tag tag = orbala::lookupTag(orbala::replaceAll(str(tagText), "<_", "<"));
  if (tag == Tag::Unknown) return false;
  // Window geometry and file-dialog memory belong to this machine, not to a data file.
  if (orbala::isWindowBlockTag(tag) && !isSettingsFile) return true;

  const int number = orbala::parseInt(value);
  const bool flag = orbala::parseFlag(value);
  switch (tag) {
  case Tag::Version:
    fileVersion = orbala::parseNumber(value);
    if (!std::isfinite(fileVersion)) fileVersion = 0.0;
    break;
  case Tag::WindowX:
    windowX = number;
    break;
  case Tag::WindowY:
    windowY = number;
    break;
  case Tag::MainWidth:
    windowWidth = number < 100 ? 400 : number;
    break;
  case Tag::MainHeight:
    windowHeight = number < 100 ? 400 : number;
    break;
  case Tag::IsMinimized:
    wasMinimized = flag;
    break;
  case Tag::PanelWidth:
    panelSplitter->setPanelWidth(orbala::panelWidthFromSettings(number));
    break;
  case Tag::ColorPoints:
    colorPoints = flag;
    break;
  case Tag::ColorIndex:
    colorIndex = number;
    break;
  case Tag::ApplyPubChemColors:
    applyPubChemCheck->setCheck(flag);
    break;
  case Tag::ApplyJmolColors:
    applyJmolCheck->setCheck(flag);
    break;
  case Tag::ApplyDefaultAtomSizes:
    applyDefaultSizesCheck->setCheck(flag);
    break;
  case Tag::SetUndefinedColorsToGrayChk:
    undefinedGrayCheck->setCheck(flag);
    break;
  case Tag::ShowXyAxis:
    showXYAxisCheck->setCheck(flag);
    break;
  case Tag::ShowZAxis:
    showZAxisCheck->setCheck(flag);
    break;
  case Tag::ShowAxisLabels:
    showAxisLabelsCheck->setCheck(flag);
    break;
  case Tag::ShowRgbTableCols:
    showRGBColumnsCheck->setCheck(flag);
    break;
  case Tag::NumRowsIni:
    tableRowCount = number;
    break;
  // A choice outside its radio group falls back to the first one, as the controls show it;
  // it is also what keeps a rejected settings file from leaving an index past a table.
  case Tag::RotationAxis:
    rotationAxis = number >= 0 && number <= 6 ? number : 0;
    break;
  case Tag::RotationDirection:
    rotationDirection = number;
    break;
  case Tag::RotationSpeedSlider:
    rotationSpeedSlider->setValue(number);
    break;
  case Tag::SphereRadiusSlider:
    sphereRadiusSlider->setValue(number);
    break;
  case Tag::BackgroundColorSlider:
    backgroundSlider->setValue(number);
    break;
  case Tag::RotationLocationIndex:
    rotationPointChoice = number >= 0 && number <= 3 ? number : 0;
    break;
  case Tag::ScaleSizeType:
    scaleSizeType = number >= 0 && number <= 4 ? number : 0;
    break;
  case Tag::AlphaLevel:
    opaquenessField->setText(boundedText(finiteOr(value, "0.5"), orbala::kMaxFieldText));
    break;
  case Tag::RotationPointIndex:
    pointNumberField->setText(boundedText(value, orbala::kMaxFieldText));
    break;
  case Tag::RotationPointX:
  case Tag::RotationPointY:
  case Tag::RotationPointZ:
    rotationPointFields[static_cast<int>(tag) - static_cast<int>(Tag::RotationPointX)]->setText(
        boundedText(finiteOr(value, "0"), orbala::kMaxFieldText));
    break;
  case Tag::AxisScalingTypeX:
    axisScaling[0] = number;
    break;
  case Tag::AxisScalingTypeY:
    axisScaling[1] = number;
    break;
  case Tag::AxisScalingTypeZ:
    axisScaling[2] = number;
    break;
  case Tag::PathUserFilesDirectory:
    userFilesDirectory =
        FXStat::isDirectory(fx(value)) ? fx(value) : fx(orbala::platform::currentDirectory());
    break;
  case Tag::LastFileExtensionSelected:
    lastExtension = fx(orbala::clipText(value, 16));
    break;
  case Tag::RecentlyUsedFiles:
    // A longer "path" names no file that can be opened; it is dropped, not kept for ever.
    if (value.size() > orbala::kMaxPathText) {
      readTextWasCut = true;
    } else if (!value.empty() && recentLineCount < orbala::RecentFiles::kSlots) {
      recentFiles.set(recentLineCount, value);
      recentFileItems[recentLineCount]->setText(fx(value));
      clearRecentItem->enable();
    }
    ++recentLineCount;
    break;
  case Tag::ViewerZoom:
    // A zoom of zero or below, or a turn of length zero, would leave nothing to see.
    viewZoomRead = scanViewValues(fx(value), &viewZoom, 1) && viewZoom > 0;
    break;
  case Tag::ViewerCenterXyz:
    viewCenterRead = scanViewValues(fx(value), viewCenter, 3);
    break;
  case Tag::ViewerOrientation:
    viewOrientationRead = scanViewValues(fx(value), viewOrientation, 4) &&
                          std::hypot(std::hypot(viewOrientation[0], viewOrientation[1]),
                                     std::hypot(viewOrientation[2], viewOrientation[3])) > 1e-6;
    break;
  case Tag::Data:
    applyDataLine(value);
    break;
  case Tag::Unknown:
    break;
  }
  return true;
}

// One "<data>row column text" line into its cell or tick.
void Orbala::applyDataLine(const std::string& value) {
  orbala::DataLine line = orbala::parseDataLine(value);
  if (!line.valid) return;
  // Files before 1.2 had no label column.
  if (fileVersion < 1.2 && line.column < 10) ++line.column;
  if (line.row < 0 || line.column < 0 || line.column >= table->getNumColumns()) return;
  if (line.row >= table->getNumRows()) {
    rowOverflow = true;
    rowOverflowCount = std::max(rowOverflowCount, line.row);
    rowsNeeded = std::max(rowsNeeded, static_cast<long long>(line.row) + 1);
    return;
  }
  if (line.column == 8 || line.column == 9) {
    const bool on = orbala::toLowerAscii(line.text) != "hide";
    table->setItemIcon(line.row, line.column, on ? tableIcon : nullptr);
    auto& flags = line.column == 8 ? rowState.showFlags : rowState.opaqueFlags;
    if (line.row < static_cast<int>(flags.size())) flags[line.row] = on ? 1 : 0;
    return;
  }
  table->setItemText(line.row, line.column, boundedText(line.text, orbala::kMaxCellText));
}
