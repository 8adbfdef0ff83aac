// The "Scale size" group: the scale mode, the wheel on the scale value that rescales the chosen
// rows, the wheel on "Opaqueness", and restoring or resetting the sizes.
#include "app/Orbala.h"
#include "app/Text.h"

#include <fxkeys.h>

#include "table/Table_zk2.h"
#include "table/core/Numbers.h"
#include "table/core/SizeScale.h"

namespace {

using orbala::ScaleMode;

// The toolkit follows a wheel notch with a second message of code 0 when the button release
// comes apart from its press: that one is no step.
bool isWheelStep(const FXEvent* event) {
  return event && event->code != 0;
}

orbala::ScaleRowTexts rowTexts(const Table_zk2* table, FXint row) {
  return {std::string(table->cellText(row, 0)), std::string(table->cellText(row, 4)),
          std::string(table->cellText(row, 5)), std::string(table->cellText(row, 6)),
          std::string(table->cellText(row, 7))};
}

bool anyCoordinateEmpty(const Table_zk2* table, FXint row) {
  return table->cellText(row, 1).empty() || table->cellText(row, 2).empty() ||
         table->cellText(row, 3).empty();
}

void writeSize(Table_zk2* table, FXint row, double size) {
  table->setCellText(row, 7, orbala::formatSize(size));
}

// Rows whose label, colour or size equals the reference row's, over the data rows and the first
// row after them.
void scaleMatchingRows(Table_zk2* table, ScaleMode mode, FXint referenceRow, double value) {
  const orbala::ScaleRowTexts reference = rowTexts(table, referenceRow);
  for (FXint r = 0; r < table->getNumRows(); ++r) {
    if (orbala::scaleRowMatches(mode, reference, rowTexts(table, r))) writeSize(table, r, value);
    if (anyCoordinateEmpty(table, r)) break;
  }
}

// Each size is read the way the plot reads it ("1,5" is 1.5), so the factor scales what is seen.
void scaleAllRows(Table_zk2* table, double factor) {
  for (FXint r = 0; r < table->getNumRows(); ++r)
    writeSize(table, r, orbala::parseNumber(table->cellText(r, 7)) * factor);
}

bool isModifierKey(FXint code) {
  switch (code) {
  case KEY_Shift_L:
  case KEY_Shift_R:
  case KEY_Control_L:
  case KEY_Control_R:
  case KEY_Alt_L:
  case KEY_Alt_R:
  case KEY_Meta_L:
  case KEY_Meta_R:
  case KEY_Super_L:
  case KEY_Super_R:
  case KEY_Hyper_L:
  case KEY_Hyper_R:
  case KEY_Caps_Lock:
  case KEY_Shift_Lock:
  case KEY_Num_Lock:
  case KEY_Mode_switch:
  case KEY_ISO_Level3_Shift:
    return true;
  default:
    return false;
  }
}

bool stepsDown(FXint code) {
  return code == KEY_Down || code == KEY_KP_Down || code == KEY_Page_Down ||
         code == KEY_KP_Page_Down || code == KEY_minus || code == KEY_KP_Subtract;
}

} // namespace

long Orbala::onCmdScaleMode(FXObject*, FXSelector sel, void*) {
  scaleSizeType = FXSELID(sel) - ID_SCALE_MODE;
  syncScaleModeRadios();
  return 1;
}

void Orbala::syncScaleModeRadios() {
  if (scaleSizeType < 0 || scaleSizeType > 4) scaleSizeType = 0;
  for (int i = 0; i < 5; ++i)
    scaleModeRadios[i]->setCheck(i == scaleSizeType);
}

double Orbala::stepScaleValue(const FXEvent* event) {
  const bool shift = (event->state & SHIFTMASK) != 0;
  const bool control = (event->state & CONTROLMASK) != 0;
  // In mode All the value is a factor on each row's own size, so every notch starts from 1.
  const double base = orbala::scaleModeFrom(scaleSizeType) == ScaleMode::All
                          ? 1.0
                          : orbala::parseNumber(view(scaleSizeField->getText()));
  const double value = orbala::steppedScaleValue(base, event->code > 0, shift, control);
  scaleSizeField->setText(fx(orbala::formatFixed(value, 2)));
  return value;
}

long Orbala::onWheelScaleSize(FXObject*, FXSelector, void* ptr) {
  const auto* event = static_cast<const FXEvent*>(ptr);
  if (!isWheelStep(event)) return 1;
  const ScaleMode mode = orbala::scaleModeFrom(scaleSizeType);
  const orbala::RowSpan rows = selectedRows();
  const std::string warning = orbala::scaleSelectionWarning(mode, rows.count);
  if (!warning.empty()) {
    dialogs->message(this, BoxKind::Warning, orbala::kSelectionWarningTitle, fx(warning));
    return 1;
  }
  const double value = stepScaleValue(event);
  switch (mode) {
  case ScaleMode::Selection:
    for (FXint r = rows.first; r < rows.first + rows.count; ++r)
      writeSize(table, r, value);
    break;
  case ScaleMode::All:
    scaleAllRows(table, value);
    break;
  case ScaleMode::Label:
  case ScaleMode::Color:
  case ScaleMode::Size:
    scaleMatchingRows(table, mode, rows.first, value);
    break;
  }
  redrawFromTable();
  return 1;
}

long Orbala::onKeyScaleSize(FXObject*, FXSelector, void* ptr) {
  const auto* event = static_cast<const FXEvent*>(ptr);
  if (!event) return 1;
  // A modifier held for the wheel is no step, and Tab must still move the focus on.
  if (isModifierKey(event->code) || event->code == KEY_Tab || event->code == KEY_ISO_Left_Tab ||
      event->code == KEY_KP_Tab)
    return 0;
  FXEvent step = *event;
  step.code = stepsDown(event->code) ? -1 : 1;
  stepScaleValue(&step);
  return 1;
}

long Orbala::onWheelOpaqueness(FXObject*, FXSelector, void* ptr) {
  const auto* event = static_cast<const FXEvent*>(ptr);
  if (!isWheelStep(event)) return 1;
  const double opacity = orbala::parseNumber(view(opaquenessField->getText()));
  const double next = orbala::steppedOpacity(opacity, event->code > 0);
  opaquenessField->setText(fx(orbala::formatFixed(next, 1)));
  redrawFromTable();
  return 1;
}

long Orbala::onCmdRestoreSizes(FXObject*, FXSelector, void*) {
  const std::vector<std::string> sizes = orbala::loadedSizePieces(view(loadedSizes));
  const FXint rows = FXMIN(static_cast<FXint>(sizes.size()), table->getNumRows());
  for (FXint r = 0; r < rows; ++r)
    table->setItemText(r, 7, fx(sizes[r]));
  redrawFromTable();
  const FXint current = table->getCurrentRow();
  const bool hasCurrent = current >= 0 && current < table->getNumRows();
  scaleSizeField->setText(hasCurrent ? table->getItemText(current, 7) : FXString("1"));
  return 1;
}

long Orbala::onCmdSizesToOne(FXObject*, FXSelector, void*) {
  setAllSizesSame();
  return 1;
}
