// The table's context menu and the commands on whole rows: insert, clear and delete rows, show,
// hide and opacity for all points or those of one colour, the named colours, and the number of
// rows.
#include "app/Orbala.h"
#include "app/Text.h"

#include "table/Table_zk2.h"
#include "table/core/Numbers.h"
#include "table/core/RowOps.h"
#include "table/core/TableLimits.h"

namespace {

// The popup owns its "Sphere colors" submenu, so deleting the menu deletes all of it.
class ContextMenuPane : public FXMenuPane {
public:
  explicit ContextMenuPane(FXWindow* owner) : FXMenuPane(owner), colors(new FXMenuPane(owner)) {}
  ~ContextMenuPane() override {
    // The cascade entry goes before the submenu it opens.
    while (FXWindow* child = getFirst())
      delete child;
    delete colors;
  }
  FXMenuPane* const colors;
};

constexpr int kMinimumRows = 10;
constexpr int kAutoAssignIndex = kSphereColorCount; // "Auto assign by label"

orbala::Rgb rowColor(const Table_zk2* table, FXint row) {
  return orbala::cellColor(table->cellText(row, 4), table->cellText(row, 5),
                           table->cellText(row, 6));
}

void writeColor(Table_zk2* table, FXint row, const orbala::Rgb& color) {
  table->setItemText(row, 4, FXStringVal(color.r));
  table->setItemText(row, 5, FXStringVal(color.g));
  table->setItemText(row, 6, FXStringVal(color.b));
}

FXString sizeTitle() {
  FXString title(kColumnTitles[7]);
  title.substitute('\n', ' ');
  return title;
}

void addColorEntries(FXMenuPane* pane, FXObject* target) {
  for (int i = 0; i < kSphereColorCount; ++i)
    new FXMenuCommand(pane, kSphereColorNames[i], nullptr, target, Orbala::ID_SPHERE_COLOR + i);
}

// A fresh row: empty texts, shown and opaque.
void resetRow(Orbala* win, FXint row) {
  for (int c = 0; c < 10; ++c)
    win->table->setCellText(row, c, std::string_view());
  win->table->setItemIcon(row, 8, win->tableIcon);
  win->table->setItemIcon(row, 9, win->tableIcon);
  if (row < win->rowState.size()) {
    win->rowState.showFlags[row] = 1;
    win->rowState.opaqueFlags[row] = 1;
  }
}

// Sets the Show (column 8) or Opaque (column 9) flag of every row, or of the rows whose colour
// equals the single selected row's.
void setRowFlags(Orbala* win, int column, bool on, bool selectedColorOnly) {
  Table_zk2* table = win->table;
  orbala::Rgb reference;
  if (selectedColorOnly) {
    const orbala::RowSpan rows = win->selectedRows();
    if (rows.count != 1) return;
    reference = rowColor(table, rows.first);
  }
  auto& flags = column == 8 ? win->rowState.showFlags : win->rowState.opaqueFlags;
  const FXint count = FXMIN(table->getNumRows(), win->rowState.size());
  for (FXint r = 0; r < count; ++r) {
    if (selectedColorOnly && rowColor(table, r) != reference) continue;
    flags[r] = on ? 1 : 0;
    table->setItemIcon(r, column, on ? win->tableIcon : nullptr);
  }
  win->redrawFromTable();
}

void colorByLabel(Orbala* win) {
  Table_zk2* table = win->table;
  const FXint rows = table->getNumRows();
  std::vector<std::string> labels(static_cast<size_t>(rows));
  std::vector<bool> hasCoordinates(static_cast<size_t>(rows));
  for (FXint r = 0; r < rows; ++r) {
    labels[r] = table->cellText(r, 0);
    hasCoordinates[r] = win->rowHasCoordinates(r);
  }
  const std::vector<int> colors = orbala::autoColorByLabel(labels, hasCoordinates);
  for (FXint r = 0; r < rows; ++r) {
    if (colors[r] >= 0) writeColor(table, r, orbala::kNamedColors[colors[r]]);
  }
}

} // namespace

orbala::RowSpan Orbala::selectedRows() const {
  if (!table->isAnythingSelected()) return {};
  return orbala::rowsInTable(table->getSelStartRow(), table->getSelEndRow(), table->getNumRows());
}

bool Orbala::buildContextMenu() {
  if (!table->isAnythingSelected()) return false;
  const orbala::RowSpan rows = selectedRows();
  const bool oneRow = rows.count == 1;

  delete contextMenu;
  auto* menu = new ContextMenuPane(this);
  contextMenu = menu;
  insertAboveItem =
      new FXMenuCommand(menu, "Insert an empty line above this one", nullptr, this, ID_INSERT_ROW);
  insertBelowItem =
      new FXMenuCommand(menu, "Insert an empty line below this one", nullptr, this, ID_INSERT_ROW);
  new FXMenuSeparator(menu);
  new FXMenuCommand(menu, "Clear row(s)", nullptr, this, ID_CLEAR_ROWS);
  new FXMenuCommand(menu, "Delete row(s)", nullptr, this, ID_DELETE_ROWS);
  new FXMenuSeparator(menu);
  new FXMenuCommand(menu, "Show all points", nullptr, this, ID_SHOW_POINTS);
  new FXMenuCommand(menu, "Hide all points", nullptr, this, ID_HIDE_POINTS);
  selectedColorItems[0] = new FXMenuCommand(menu, "Show all points of the selected color", nullptr,
                                            this, ID_SHOW_COLOR_POINTS);
  selectedColorItems[1] = new FXMenuCommand(menu, "Hide all points of the selected color", nullptr,
                                            this, ID_HIDE_COLOR_POINTS);
  new FXMenuSeparator(menu);
  new FXMenuCommand(menu, "Set all points to opaque", nullptr, this, ID_OPAQUE_POINTS);
  new FXMenuCommand(menu, "Set all points to transparent", nullptr, this, ID_TRANSPARENT_POINTS);
  selectedColorItems[2] = new FXMenuCommand(menu, "Set all points of the selected color to opaque",
                                            nullptr, this, ID_OPAQUE_COLOR_POINTS);
  selectedColorItems[3] =
      new FXMenuCommand(menu, "Set all points of the selected color to transparent", nullptr, this,
                        ID_TRANSPARENT_COLOR_POINTS);
  new FXMenuSeparator(menu);
  new FXMenuCascade(menu, "Sphere colors", nullptr, menu->colors);
  addColorEntries(menu->colors, this);
  new FXMenuCommand(menu->colors, "Auto assign by label", nullptr, this,
                    ID_SPHERE_COLOR + kAutoAssignIndex);
  new FXMenuSeparator(menu);
  new FXMenuCommand(menu, FXStringFormat("Set all \"%s\" cells to 1", sizeTitle().text()), nullptr,
                    this, ID_SIZES_TO_ONE);
  auto* restore = new FXMenuCommand(
      menu, FXStringFormat("Restore \"%s\" cells to their orginal values", sizeTitle().text()),
      nullptr, this, ID_RESTORE_SIZES);
  if (loadedSizes.empty()) restore->disable();
  new FXMenuSeparator(menu);
  auto* rotation = new FXMenuCommand(menu, "Set \"Rotation point\" to this one", nullptr, this,
                                     ID_ROTATION_POINT_FROM_ROW);
  const FXint current = table->getCurrentRow();
  const bool currentHasData =
      current >= 0 && current < table->getNumRows() && rowHasCoordinates(current);
  if (!(oneRow && currentHasData)) rotation->disable();
  if (table->getSelStartColumn() >= 4 && table->getSelEndColumn() <= 6) {
    new FXMenuSeparator(menu);
    addColorEntries(menu, this);
  }
  new FXMenuSeparator(menu);
  new FXMenuCommand(menu, "Cancel");

  if (rows.count > 1) {
    insertAboveItem->disable();
    insertBelowItem->disable();
    for (FXMenuCommand* item : selectedColorItems)
      item->disable();
  }
  return true;
}

long Orbala::onRightReleaseTable(FXObject*, FXSelector, void* ptr) {
  const auto* event = static_cast<const FXEvent*>(ptr);
  if (event && event->moved) return 1;
  // What is being typed counts before any entry is chosen, as a click elsewhere would settle it.
  table->acceptInput(TRUE);
  if (!buildContextMenu()) return 1;
  contextMenu->create();
  const FXint x = event ? event->root_x : 0;
  const FXint y = event ? event->root_y : 0;
  contextMenu->popup(nullptr, x, y);
  getApp()->runModalWhileShown(contextMenu);
  return 1;
}

long Orbala::onCmdInsertRow(FXObject* sender, FXSelector, void*) {
  if (!table->isAnythingSelected()) return 1;
  const FXint selected = table->getSelEndRow() - table->getSelStartRow() + 1;
  if (selected != 1) {
    dialogs->message(this, BoxKind::Error, "Row error", "You can only select 1 row at a time");
    return 1;
  }
  const orbala::RowSpan rows = selectedRows();
  if (rows.count != 1) return 1;
  const FXint at = sender == insertBelowItem ? rows.first + 1 : rows.first;
  if (at >= table->getNumRows()) return 1;

  const FXint swatchRows = FXMIN(static_cast<FXint>(swatches.size()), table->getNumRows());
  for (FXint r = 0; r < swatchRows; ++r)
    table->setItemIcon(r, 0, nullptr);
  // The texts move; the new row's flags and marks are set afresh.
  table->shiftTextsDown(at);
  resetRow(this, at);
  return 1;
}

long Orbala::onCmdClearRows(FXObject*, FXSelector, void*) {
  const orbala::RowSpan rows = selectedRows();
  for (FXint r = rows.first; r < rows.first + rows.count; ++r)
    resetRow(this, r);
  return 1;
}

long Orbala::onCmdDeleteRows(FXObject*, FXSelector, void*) {
  const orbala::RowSpan rows = selectedRows();
  if (rows.count == 0) return 1;
  ReportScope scope(*this);
  table->shiftTextsUp(rows.first, rows.count);
  readTable(true);
  applyElementColors();
  rebuildScene();
  return 1;
}

long Orbala::onCmdShowPoints(FXObject*, FXSelector sel, void*) {
  setRowFlags(this, 8, true, FXSELID(sel) == ID_SHOW_COLOR_POINTS);
  return 1;
}

long Orbala::onCmdHidePoints(FXObject*, FXSelector sel, void*) {
  setRowFlags(this, 8, false, FXSELID(sel) == ID_HIDE_COLOR_POINTS);
  return 1;
}

long Orbala::onCmdOpaquePoints(FXObject*, FXSelector sel, void*) {
  setRowFlags(this, 9, true, FXSELID(sel) == ID_OPAQUE_COLOR_POINTS);
  return 1;
}

long Orbala::onCmdTransparentPoints(FXObject*, FXSelector sel, void*) {
  setRowFlags(this, 9, false, FXSELID(sel) == ID_TRANSPARENT_COLOR_POINTS);
  return 1;
}

long Orbala::onCmdSphereColor(FXObject*, FXSelector sel, void*) {
  const int index = FXSELID(sel) - ID_SPHERE_COLOR;
  if (index < 0 || index > kAutoAssignIndex) return 1;
  colorPoints = true;
  syncSphereColorRadios();
  colorIndex = index;
  if (index == kAutoAssignIndex) {
    colorByLabel(this);
  } else {
    orbala::RowSpan rows = selectedRows();
    if (rows.count == 0) rows = orbala::RowSpan{0, table->getNumRows()};
    for (FXint r = rows.first; r < rows.first + rows.count; ++r)
      writeColor(table, r, orbala::kNamedColors[index]);
  }
  buildColorSwatches();
  rebuildScene();
  return 1;
}

long Orbala::onCmdNumberOfRows(FXObject*, FXSelector, void*) {
  FXString text = FXStringVal(table->getNumRows());
  while (dialogs->askInteger(this, "Number of rows", "Number of rows", text)) {
    const int rows = orbala::parseInt(view(text));
    if (rows < kMinimumRows) {
      dialogs->message(
          this, BoxKind::Error, "Table error",
          FXStringFormat("You must have at least %d number of rows in the table.", kMinimumRows));
      continue;
    }
    // Every row costs memory up front; a count beyond the limit is refused, not attempted.
    if (rows > orbala::kMaxTableRows) {
      dialogs->message(this, BoxKind::Error, "Table error",
                       FXStringFormat("You can have at most %d number of rows in the table.",
                                      orbala::kMaxTableRows));
      continue;
    }
    // The same count again changes nothing: setting the table up anew would empty it.
    if (rows != table->getNumRows()) setUpTable(rows);
    tableRowCount = rows;
    break;
  }
  return 1;
}
