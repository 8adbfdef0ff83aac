// The point table as the store of the user's points: set-up, parsing into point data, and the
// table's own clicks and keys.
#include "app/Orbala.h"
#include "app/Text.h"

#include <fxkeys.h>

#include <algorithm>
#include <string_view>

#include "app/BusyProgress.h"
#include "table/Table_zk2.h"
#include "table/core/Numbers.h"
#include "table/core/TableLimits.h"

namespace {

constexpr double kMinimumSize = 0.009999; // a smaller size ends the data rows

// A value that cannot stand in the plot (inf, nan, 1e400) is no number at all: it reads as
// `fallback`, so one cell cannot blank the whole picture. False when it had to be replaced.
bool keepPlottable(double& value, double fallback) {
  if (orbala::isPlottable(value)) return true;
  value = fallback;
  return false;
}

// Only white space, or nothing: no coordinate.
bool isBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos;
}

// The row's coordinates, each 0 unless its text holds a number the plot can take; false (and all
// 0) when one text is blank. `plottable` is cleared when a number had to be replaced by 0.
bool readCoordinates(const Table_zk2* table, FXint row, double& x, double& y, double& z,
                     bool& plottable) {
  x = y = z = 0.0;
  const std::string_view xs = table->cellText(row, 1);
  const std::string_view ys = table->cellText(row, 2);
  const std::string_view zs = table->cellText(row, 3);
  if (isBlank(xs) || isBlank(ys) || isBlank(zs)) return false;
  // parseNumber reads "," as the decimal point, as typed by half the world.
  x = orbala::parseNumber(xs);
  y = orbala::parseNumber(ys);
  z = orbala::parseNumber(zs);
  const bool xOk = keepPlottable(x, 0.0);
  const bool yOk = keepPlottable(y, 0.0);
  const bool zOk = keepPlottable(z, 0.0);
  plottable = xOk && yOk && zOk;
  return true;
}

// A fresh table: empty texts, size "1.0", every point shown and opaque.
void fillDefaultCells(Table_zk2* table, FXIcon* mark) {
  table->fillColumn(7, "1.0", nullptr);
  table->fillColumn(8, std::string_view(), mark);
  table->fillColumn(9, std::string_view(), mark);
}

} // namespace

void Orbala::setUpTable(FXint rows) {
  BusyProgress busy(this);
  const FXint n = FXMAX(rows, 10);
  BusyProgress::stage("Setting up the table", n);
  table->setRowHeaderWidth(0);
  table->setTableSize(n, 10);
  table->setVisibleColumns(10);
  table->setGridColor(FXRGB(0, 0, 0));
  for (int c = 0; c < 10; ++c)
    table->setColumnText(c, kColumnTitles[c]);
  rowState.reset(n);
  for (int c = 0; c < 10; ++c) {
    table->setColumnWidth(c, 60);
    table->setColumnJustify(c, FXHeaderItem::CENTER_X | FXHeaderItem::CENTER_Y);
  }
  // Two-line titles ("Relative\nsize") need a header as tall as its contents.
  table->setColumnHeaderMode(0);
  fillDefaultCells(table, tableIcon);
  table->fitRowHeader(40);
  updateRgbColumns();
}

void Orbala::updateRgbColumns() {
  const FXint w = showRGBColumnsCheck->getCheck() ? 60 : 0;
  for (int c = 4; c <= 6; ++c)
    table->setColumnWidth(c, w);
  FXint width = table->getRowHeaderWidth();
  for (int c = 0; c < 10; ++c)
    width += table->getColumnWidth(c);
  table->setWidth(width + 30);
}

long Orbala::onCmdShowRGBColumns(FXObject*, FXSelector, void*) {
  updateRgbColumns();
  return 1;
}

bool Orbala::parseRowCoordinates(FXint row, double& x, double& y, double& z) const {
  bool plottable = true;
  return readCoordinates(table, row, x, y, z, plottable);
}

void Orbala::reportUnplottableRows(FXint firstRow, FXint count) {
  if (!firstInScope(dataWarningShown)) return;
  FXString text = FXStringFormat("Row %d holds a number that is not finite or too large to plot.",
                                 firstRow + 1);
  if (count > 1) text += FXStringFormat(" %d rows in all hold such numbers.", count);
  text += "\n\nSuch a coordinate is drawn as 0 and such a size as 1.0 until you correct it.";
  dialogs->message(this, BoxKind::Warning, "Data warning", text);
}

bool Orbala::rowHasCoordinates(FXint row) const {
  return !table->cellText(row, 1).empty() && !table->cellText(row, 2).empty() &&
         !table->cellText(row, 3).empty();
}

void Orbala::readTable(bool refit) {
  // What is being typed into a cell counts: the plot shows the table as the user sees it.
  table->acceptInput(TRUE);
  const FXint rows = table->getNumRows();
  if (table->pasteWasCut) {
    table->pasteWasCut = false;
    dialogs->message(this, BoxKind::Warning, "Data paste warning",
                     FXStringFormat("Only %d rows of data can be pasted into the table.\nRows "
                                    "higher than %d were not pasted.",
                                    rows, rows));
  }
  freePointData();
  std::vector<double>& xs = pointData.xValues;
  std::vector<double>& ys = pointData.yValues;
  std::vector<double>& zs = pointData.zValues;
  const FXint limit = FXMIN(rows, rowState.size());
  FXint firstBadRow = -1, badRows = 0;
  BusyProgress::stage("Reading the table", limit);
  for (FXint r = 0; r < limit; ++r) {
    BusyProgress::step(r);
    double size = orbala::parseNumber(table->cellText(r, 7));
    const bool sizeOk = keepPlottable(size, 1.0);
    double x = 0, y = 0, z = 0;
    bool plottable = true;
    if (!readCoordinates(table, r, x, y, z, plottable) || !(size > kMinimumSize)) break;
    if (!sizeOk || !plottable) {
      if (badRows++ == 0) firstBadRow = r;
    }
    xs.push_back(x);
    ys.push_back(y);
    zs.push_back(z);
    rowState.relativeSizes[r] = size;
  }
  const int count = static_cast<int>(xs.size());
  pointData.pointCount = count;
  // The arrays keep one entry even without points.
  for (std::vector<double>* axis : {&xs, &ys, &zs})
    axis->resize(std::max(count, 1), 0.0);
  if (badRows > 0) reportUnplottableRows(firstBadRow, badRows);
  if (count == 0) return;
  std::vector<double>* axes[3] = {&xs, &ys, &zs};
  for (int a = 0; a < 3; ++a) {
    if (axisScaling[a] == 1) orbala::normalizeAxis(axes[a]->data(), count);
  }
  if (refit) fitViewToData();
  rebuildScene();
}

void Orbala::readTableAndRebuild(bool refit) {
  readTable(refit);
  if (pointData.pointCount == 0) rebuildScene();
}

void Orbala::redrawFromTable() {
  readTableAndRebuild(false);
  focusViewer();
}

void Orbala::freePointData() {
  pointData.pointCount = 0;
  std::vector<double>().swap(pointData.xValues);
  std::vector<double>().swap(pointData.yValues);
  std::vector<double>().swap(pointData.zValues);
}

void Orbala::clearInputData() {
  rowState.reset(table->getNumRows());
  // The colour swatches go with the rest.
  table->clearCells();
  fillDefaultCells(table, tableIcon);
  readTableAndRebuild(true);
  focusViewer();
}

long Orbala::onCmdClearData(FXObject*, FXSelector, void*) {
  clearInputData();
  return 1;
}

long Orbala::onCmdRedraw(FXObject*, FXSelector, void*) {
  redrawFromTable();
  return 1;
}

long Orbala::onCmdSelectAll(FXObject*, FXSelector, void*) {
  table->handle(this, FXSEL(SEL_COMMAND, FXTable::ID_SELECT_ALL), nullptr);
  focusViewer();
  return 1;
}

long Orbala::onCmdCopySelection(FXObject*, FXSelector, void*) {
  table->handle(this, FXSEL(SEL_COMMAND, FXTable::ID_COPY_SEL), nullptr);
  focusViewer();
  return 1;
}

long Orbala::onCmdPasteSelection(FXObject*, FXSelector, void*) {
  table->handle(this, FXSEL(SEL_COMMAND, FXTable::ID_PASTE_SEL), nullptr);
  focusViewer();
  return 1;
}

// A paste, a cut or the Delete key has changed the cells: the plot follows. Keys that went to an
// open cell editor changed nothing yet.
long Orbala::onKeyReleaseTable(FXObject*, FXSelector, void* ptr) {
  const auto* event = static_cast<const FXEvent*>(ptr);
  if (!event || table->isEditing()) return 0;
  const bool control = (event->state & CONTROLMASK) != 0;
  const bool changed = control ? event->code == KEY_v || event->code == KEY_x
                               : event->code == KEY_Delete || event->code == KEY_KP_Delete ||
                                     event->code == KEY_BackSpace;
  if (!changed) return 0;
  readTableAndRebuild(true);
  return 1;
}

long Orbala::onLeftReleaseTable(FXObject*, FXSelector, void* ptr) {
  const auto* event = static_cast<const FXEvent*>(ptr);
  if (event && event->moved) return 1;
  const FXint row = table->getCurrentRow();
  const FXint col = table->getCurrentColumn();
  if (row < 0 || row >= table->getNumRows() || col < 0 || col >= table->getNumColumns()) return 0;
  scaleSizeField->setText(table->getItemText(row, 7));
  if (col == 8 || col == 9) {
    const bool on = table->getItemIcon(row, col) == nullptr;
    table->setItemIcon(row, col, on ? tableIcon : nullptr);
    if (row < rowState.size()) {
      auto& flags = col == 8 ? rowState.showFlags : rowState.opaqueFlags;
      flags[row] = on ? 1 : 0;
    }
    rebuildScene();
    return 1;
  }
  if (col == 0) scaleSizeType = 0;
  if (col >= 4 && col <= 6) scaleSizeType = 2;
  if (col == 7) scaleSizeType = 3;
  if (col == 0 || col >= 4) syncScaleModeRadios();
  return 0;
}
