#include "app/Orbala.h"

#include "table/Table_zk2.h"

void Orbala::setUpTable(FXint rows) {
  const FXint n = FXMAX(rows, 10);
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
    for (int r = 0; r < n; ++r) {
      table->setItemJustify(r, c, FXTableItem::CENTER_X | FXTableItem::CENTER_Y);
      if (c == 8 || c == 9) table->setItemIcon(r, c, tableIcon);
      if (c == 7) table->setItemText(r, c, "1.0");
    }
  }
  table->setRowHeaderWidth(40);
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

void Orbala::readTable(bool) {}
bool Orbala::parseRowCoordinates(FXint, double& x, double& y, double& z) const {
  x = y = z = 0;
  return false;
}
bool Orbala::rowHasCoordinates(FXint) const {
  return false;
}
void Orbala::redrawFromTable() {}
void Orbala::clearInputData() {}
void Orbala::freePointData() {}
long Orbala::onCmdSelectAll(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdCopySelection(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdPasteSelection(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdClearData(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdRedraw(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onKeyReleaseTable(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onLeftReleaseTable(FXObject*, FXSelector, void*) {
  return 0;
}
