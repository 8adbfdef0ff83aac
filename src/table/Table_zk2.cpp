#include "table/Table_zk2.h"

#include <fxkeys.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/BoundedTextField.h"
#include "app/BusyProgress.h"
#include "app/Text.h"
#include "table/RowHeaderItem.h"
#include "table/core/PasteBlock.h"
#include "table/core/TableLimits.h"

FXDEFMAP(Table_zk2)
Table_zk2Map[] = {
    FXMAPFUNC(SEL_COMMAND, FXTable::ID_PASTE_SEL, Table_zk2::onCmdPasteSel),
    FXMAPFUNC(SEL_COMMAND, FXTable::ID_COPY_SEL, Table_zk2::onCmdCopySel),
    FXMAPFUNC(SEL_COMMAND, FXTable::ID_CUT_SEL, Table_zk2::onCmdCutSel),
    FXMAPFUNC(SEL_KEYPRESS, 0, Table_zk2::onKeyPress),
    FXMAPFUNC(SEL_LEFTBUTTONPRESS, FXTable::ID_SELECT_COLUMN_INDEX, Table_zk2::onColumnHeaderPress),
};
FXIMPLEMENT(Table_zk2, FXTable, Table_zk2Map, ARRAYNUMBER(Table_zk2Map))
FXIMPLEMENT(PointTableItem, FXTableItem, nullptr, 0)

namespace {

FXString clipCell(const FXString& text) {
  if (static_cast<size_t>(text.length()) <= orbala::kMaxCellText) return text;
  return fx(orbala::clipText(view(text), orbala::kMaxCellText));
}

// How close to a column border a double click counts as on it, as for dragging the border.
constexpr FXint kBorderReach = 4;
// Between a cell's picture and its text.
constexpr FXint kIconSpacing = 4;

enum class ClipboardEncoding { Utf8, Utf16LE, Latin1 };

// Asks the clipboard for one format; the bytes come back as UTF-8.
bool fetchClipboard(const FXWindow* window, FXDragType type, ClipboardEncoding encoding,
                    std::string& out) {
  if (!type) return false;
  FXuchar* data = nullptr;
  FXuint size = 0;
  if (!window->getDNDData(FROM_CLIPBOARD, type, data, size)) return false;
  const std::string_view bytes(reinterpret_cast<const char*>(data), data ? size : 0);
  switch (encoding) {
  case ClipboardEncoding::Utf16LE:
    out = orbala::utf16LeToUtf8(bytes);
    break;
  case ClipboardEncoding::Latin1:
    out = orbala::latin1ToUtf8(bytes);
    break;
  case ClipboardEncoding::Utf8:
    out.assign(bytes);
    break;
  }
  FXFREE(&data);
  // Some owners send the terminating NUL along; it is not part of the text.
  while (!out.empty() && out.back() == '\0')
    out.pop_back();
  return true;
}

// The header's item list, reached without a subclass: the header belongs to the toolkit's table.
struct HeaderAccess : FXHeader {
  using FXHeader::items;
};

// `count` rows of `height` in one step: appending them one by one grows the header's list a row
// at a time, which copies it over and over for a big table.
void appendRowHeaderItems(FXHeader* header, FXint count, FXint height) {
  std::vector<FXObject*> items(static_cast<size_t>(count));
  for (FXint r = 0; r < count; ++r) {
    items[static_cast<size_t>(r)] = new RowHeaderItem(height, r * height);
    BusyProgress::step(r);
  }
  FXHeaderItemList FXHeader::*const list = &HeaderAccess::items;
  (header->*list).append(items.data(), count);
}

} // namespace

Table_zk2::Table_zk2(FXComposite* p, FXObject* tgt, FXSelector sel, FXuint opts, FXint x, FXint y,
                     FXint w, FXint h, FXint pl, FXint pr, FXint pt, FXint pb)
    : FXTable(p, tgt, sel, opts, x, y, w, h, pl, pr, pt, pb),
      stand(new PointTableItem(FXString::null)) {}

Table_zk2::~Table_zk2() {
  delete stand;
  dropCells();
}

// The toolkit walks every cell pointer when it creates, resizes or deletes the table, to find
// items; these cells never keep one, and for a million rows the walk reads 80 MB.
void Table_zk2::dropCells() {
  FXFREE(&cells);
  nrows = 0;
}

void Table_zk2::create() {
  const FXint rows = nrows;
  nrows = 0; // nothing for the toolkit to create in the cells
  FXTable::create();
  nrows = rows;
  // Numbers can be measured only now that the font exists.
  if (rowHeaderLeast > 0) fitRowHeader(rowHeaderLeast);
}

void Table_zk2::fitRowHeader(FXint least) {
  rowHeaderLeast = least;
  FXint width = least;
  if (font->id()) {
    const FXint frame = rowHeader->getPadLeft() + rowHeader->getPadRight() +
                        2 * rowHeader->getBorderWidth() + 4; // the item's own bevel
    width = FXMAX(width, font->getTextWidth(FXStringVal(FXMAX(nrows, 1))) + frame);
  }
  setRowHeaderWidth(width);
}

PointTableItem::PointTableItem(const FXString& text, FXIcon* icon, void* ptr)
    : FXTableItem(clipCell(text), icon, ptr) {
  setJustify(FXTableItem::CENTER_X | FXTableItem::CENTER_Y);
}

FXWindow* PointTableItem::getControlFor(FXTable* table) {
  auto* field =
      new BoundedTextField(table, orbala::kMaxCellText, 1, nullptr, 0, TEXTFIELD_ENTER_ONLY, 0, 0,
                           0, 0, table->getMarginLeft(), table->getMarginRight(),
                           table->getMarginTop(), table->getMarginBottom());
  field->create();
  FXuint justify = 0;
  if (state & LEFT) justify |= JUSTIFY_LEFT;
  if (state & RIGHT) justify |= JUSTIFY_RIGHT;
  if (state & TOP) justify |= JUSTIFY_TOP;
  if (state & BOTTOM) justify |= JUSTIFY_BOTTOM;
  field->setJustify(justify);
  field->setFont(table->getFont());
  field->setBackColor(table->getBackColor());
  field->setTextColor(table->getTextColor());
  field->setSelBackColor(table->getSelBackColor());
  field->setSelTextColor(table->getSelTextColor());
  field->setText(label);
  return field;
}

void PointTableItem::showCell(std::string_view text, FXIcon* picture, bool selected, bool fits) {
  // The store has bounded the text already.
  label.assign(text.data(), static_cast<FXint>(text.size()));
  icon = picture; // never owned: the window keeps its icons
  state = selected ? (state | SELECTED) : (state & ~SELECTED);
  state = fits ? (state & ~LEFT) : (state | LEFT);
}

// The width a cell's content needs: its text, its picture and the margins.
static FXint contentWidth(const FXTable* table, std::string_view text, const FXIcon* picture) {
  FXint width = table->getMarginLeft() + table->getMarginRight();
  if (!text.empty())
    width += table->getFont()->getTextWidth(text.data(), static_cast<FXuint>(text.size()));
  if (picture) width += picture->getWidth() + (text.empty() ? 0 : kIconSpacing);
  return width;
}

void Table_zk2::drawCell(FXDC& dc, FXint sr, FXint er, FXint sc, FXint ec) {
  const std::string_view text = store.text(sr, sc);
  auto* picture = static_cast<FXIcon*>(store.picture(sr, sc));
  if (text.empty() && !picture) {
    FXTable::drawCell(dc, sr, er, sc, ec); // background, grid and focus only
    return;
  }
  FXint room = 0;
  for (FXint c = sc; c <= ec; ++c)
    room += getColumnWidth(c);
  // The toolkit draws the cell's item: lend it one for this cell, and take it back at once.
  stand->showCell(text, picture, isItemSelected(sr, sc), contentWidth(this, text, picture) <= room);
  FXTableItem*& slot = cells[sr * ncols + sc];
  FXTableItem* const held = slot;
  slot = stand;
  const FXColor plain = textColor, selected = seltextColor;
  if (const auto* backdrop = dynamic_cast<const CellBackdrop*>(picture))
    textColor = seltextColor = backdrop->textColor;
  FXTable::drawCell(dc, sr, er, sc, ec);
  textColor = plain;
  seltextColor = selected;
  slot = held;
}

FXWindow* Table_zk2::getControlForItem(FXint r, FXint c) {
  stand->showCell(store.text(r, c), nullptr, false);
  return stand->getControlFor(this);
}

void Table_zk2::setItemFromControl(FXint r, FXint c, FXWindow* control) {
  // What the user typed is kept as typed, only bounded.
  if (auto* field = dynamic_cast<FXTextField*>(control))
    store.setText(r, c, view(field->getText()));
  updateItem(r, c);
}

void Table_zk2::checkCell(FXint r, FXint c, const char* operation) const {
  if (r < 0 || c < 0 || r >= nrows || c >= ncols) {
    fxerror("%s::%s: index out of range.\n", getClassName(), operation);
  }
}

void Table_zk2::setItemText(FXint r, FXint c, const FXString& text) {
  setCellText(r, c, view(text));
}

void Table_zk2::setCellText(FXint r, FXint c, std::string_view text) {
  checkCell(r, c, "setItemText");
  settleInput();
  if (text.find(',') == std::string_view::npos) {
    store.setText(r, c, text);
  } else {
    std::string clean(text);
    std::replace(clean.begin(), clean.end(), ',', '.');
    store.setText(r, c, clean);
  }
  updateCell(r, c);
}

FXString Table_zk2::getItemText(FXint r, FXint c) const {
  checkCell(r, c, "getItemText");
  return fx(store.text(r, c));
}

void Table_zk2::setItemIcon(FXint r, FXint c, FXIcon* icon) {
  checkCell(r, c, "setItemIcon");
  if (store.picture(r, c) == icon) return;
  store.setPicture(r, c, icon);
  updateCell(r, c);
}

FXIcon* Table_zk2::getItemIcon(FXint r, FXint c) const {
  checkCell(r, c, "getItemIcon");
  return static_cast<FXIcon*>(store.picture(r, c));
}

void Table_zk2::fillColumn(FXint c, std::string_view text, FXIcon* icon) {
  std::string clean(text);
  std::replace(clean.begin(), clean.end(), ',', '.');
  settleInput();
  store.fillColumn(c, clean);
  store.fillPictures(c, icon);
  update();
}

void Table_zk2::clearCells() {
  settleInput();
  store.clear();
  update();
}

void Table_zk2::shiftTextsDown(FXint row) {
  settleInput();
  store.shiftDown(row);
  update();
}

void Table_zk2::shiftTextsUp(FXint first, FXint count) {
  settleInput();
  store.shiftUp(first, count);
  update();
}

void Table_zk2::setTableSize(FXint nr, FXint nc, FXbool notify) {
  if (notify || nr <= 0 || nc <= 0) {
    FXTable::setTableSize(nr, nc, notify);
  } else {
    // The toolkit would zero a pointer for every cell, touching every page of what is 80 MB for
    // a million rows. No cell holds an item here, so a block the system hands out zeroed does,
    // and costs nothing until a page is used.
    dropCells();
    FXTable::setTableSize(0, nc, FALSE);
    const size_t count = static_cast<size_t>(nr) * static_cast<size_t>(nc) + 1;
    auto* block = static_cast<FXTableItem**>(std::calloc(count, sizeof(FXTableItem*)));
    if (!block) fxerror("%s::setTableSize: out of memory.\n", getClassName());
    FXFREE(&cells);
    cells = block;
    appendRowHeaderItems(rowHeader, nr, defRowHeight);
    nrows = nr;
    rowHeader->recalc();
    recalc();
  }
  store.reset(nrows, ncols);
}

void Table_zk2::layout() {
  FXTable::layout();
  noteRowsInView();
}

void Table_zk2::moveContents(FXint x, FXint y) {
  FXTable::moveContents(x, y);
  noteRowsInView();
}

// Rows get their numbers as they come into view: a million numbers made up front would cost
// more than the rest of the table.
void Table_zk2::noteRowsInView() {
  viewFirst = 0;
  viewLast = -1;
  if (nrows < 1) return;
  viewFirst = FXCLAMP(0, rowHeader->getItemAt(0), nrows - 1);
  viewLast = FXCLAMP(0, rowHeader->getItemAt(rowHeader->getHeight()), nrows - 1);
  for (FXint r = viewFirst; r <= viewLast; ++r)
    if (rowHeader->getItemText(r).empty()) rowHeader->setItemText(r, FXStringVal(r + 1));
}

// Readers write millions of cells that are not in view: only the ones in view are drawn anew.
void Table_zk2::updateCell(FXint r, FXint c) {
  if (r >= viewFirst && r <= viewLast) updateItem(r, c);
}

FXString Table_zk2::getRowText(FXint r) const {
  checkCell(r, 0, "getRowText");
  return FXStringVal(r + 1);
}

void Table_zk2::insertRows(FXint row, FXint nr, FXbool notify) {
  const FXint before = nrows;
  FXTable::insertRows(row, nr, notify);
  store.insertRows(row, nrows - before);
}

void Table_zk2::insertColumns(FXint col, FXint nc, FXbool notify) {
  const FXint before = ncols;
  FXTable::insertColumns(col, nc, notify);
  store.insertColumns(col, ncols - before);
}

void Table_zk2::removeRows(FXint row, FXint nr, FXbool notify) {
  const FXint before = nrows;
  FXTable::removeRows(row, nr, notify);
  store.removeRows(row, before - nrows);
}

void Table_zk2::removeColumns(FXint col, FXint nc, FXbool notify) {
  const FXint before = ncols;
  FXTable::removeColumns(col, nc, notify);
  store.removeColumns(col, before - ncols);
}

// Removing cells (cut, the Delete key) takes their texts; the pictures are the program's: the
// Show and Opaque marks must keep mirroring their rows' flags.
void Table_zk2::removeItem(FXint row, FXint col, FXbool notify) {
  FXTable::removeItem(row, col, notify);
  store.setText(row, col, std::string_view());
}

void Table_zk2::removeRange(FXint startrow, FXint endrow, FXint startcol, FXint endcol,
                            FXbool notify) {
  settleInput();
  FXTable::removeRange(startrow, endrow, startcol, endcol, notify);
  for (FXint r = FXMAX(startrow, 0); r <= endrow && r < nrows; ++r)
    for (FXint c = FXMAX(startcol, 0); c <= endcol && c < ncols; ++c)
      store.setText(r, c, std::string_view());
}

void Table_zk2::clearItems(FXbool notify) {
  FXTable::clearItems(notify);
  store.clear();
}

void Table_zk2::pasteOrigin(FXint& row, FXint& col) const {
  if (isAnythingSelected()) {
    row = getSelStartRow();
    col = getSelStartColumn();
  } else {
    row = getCurrentRow();
    col = getCurrentColumn();
  }
  // Right after the table is set up there is neither a current cell nor a selection.
  if (row < 0 || row >= nrows || col < 0 || col >= ncols) {
    row = 0;
    col = 0;
  }
}

void Table_zk2::pasteText(const FXString& text) {
  const std::string clean = orbala::normalizePasteText(view(text));
  if (clean.empty() || nrows < 1 || ncols < 1) return;
  settleInput();
  FXint row = 0;
  FXint col = 0;
  pasteOrigin(row, col);
  const orbala::PastePlan plan = orbala::planPaste(clean, nrows, ncols, row, col);
  if (plan.wasCut) pasteWasCut = true;
  if (plan.size.rows < 1 || plan.size.cols < 1) return;
  const FXint lastRow = row + plan.size.rows - 1;
  const FXint lastCol = col + plan.size.cols - 1;
  FXTableRange range;
  range.fm.row = row;
  range.fm.col = col;
  range.to.row = lastRow;
  range.to.col = lastCol;
  if (target) target->tryHandle(this, FXSEL(SEL_REPLACED, message), &range);
  orbala::overlayBlock(
      plan.text, plan.size.rows, plan.size.cols,
      [&](int i, int j, std::string_view field) { store.setText(row + i, col + j, field); });
  updateRange(row, lastRow, col, lastCol);
  selectRange(row, lastRow, col, lastCol, TRUE);
}

FXString Table_zk2::selectionText() const {
  if (!isAnythingSelected()) return FXString::null;
  std::string text;
  for (FXint r = selection.fm.row; r <= selection.to.row; ++r) {
    for (FXint c = selection.fm.col; c <= selection.to.col; ++c) {
      if (c > selection.fm.col) text += '\t';
      text += store.text(r, c);
    }
    text += '\n';
  }
  return fx(text);
}

long Table_zk2::onCmdCopySel(FXObject* sender, FXSelector sel, void* ptr) {
  // The toolkit takes the clipboard and serves `clipped` when asked; the texts are ours.
  const long handled = FXTable::onCmdCopySel(sender, sel, ptr);
  if (isAnythingSelected()) clipped = selectionText();
  return handled;
}

long Table_zk2::onCmdCutSel(FXObject* sender, FXSelector sel, void* ptr) {
  const FXString text = selectionText(); // before the cut empties the cells
  const long handled = FXTable::onCmdCutSel(sender, sel, ptr);
  if (isEditable() && !text.empty()) clipped = text;
  return handled;
}

bool Table_zk2::clipboardText(FXString& text) const {
  struct Format {
    FXDragType type;
    ClipboardEncoding encoding;
  };
  const Format formats[] = {{utf8Type, ClipboardEncoding::Utf8},
                            {utf16Type, ClipboardEncoding::Utf16LE},
                            {stringType, ClipboardEncoding::Latin1},
                            {csvType, ClipboardEncoding::Utf8}};
  std::string bytes;
  for (const Format& format : formats) {
    if (fetchClipboard(this, format.type, format.encoding, bytes)) {
      text.assign(bytes.data(), static_cast<FXint>(bytes.size()));
      return true;
    }
  }
  return false;
}

long Table_zk2::onCmdPasteSel(FXObject*, FXSelector, void*) {
  if (!isEditable()) {
    getApp()->beep();
    return 1;
  }
  FXString text;
  if (clipboardText(text)) pasteText(text);
  return 1;
}

void Table_zk2::settleInput() {
  if (editor) acceptInput(TRUE);
}

long Table_zk2::onKeyPress(FXObject* sender, FXSelector sel, void* ptr) {
  const auto* event = static_cast<const FXEvent*>(ptr);
  if (editor || !event || !isEnabled() || !isEditable() ||
      (event->state & (CONTROLMASK | ALTMASK | METAMASK)))
    return FXTable::onKeyPress(sender, sel, ptr);
  if (event->code == KEY_Delete || event->code == KEY_KP_Delete || event->code == KEY_BackSpace) {
    emptySelection();
    return 1;
  }
  // A character typed on a cell replaces its text, as in any spreadsheet; F2 and Enter edit the
  // text in place with the cursor at its end, as the toolkit's double click does.
  const bool inPlace =
      event->code == KEY_F2 || event->code == KEY_Return || event->code == KEY_KP_Enter;
  const FXString& typed = event->text;
  const auto first = static_cast<FXuchar>(typed.empty() ? 0 : typed[0]);
  const FXint r = current.row;
  const FXint c = current.col;
  if ((!inPlace && (first < 0x20 || first == 0x7F)) || r < 0 || c < 0 || r >= nrows || c >= ncols)
    return FXTable::onKeyPress(sender, sel, ptr);
  startInput(r, c);
  if (auto* field = dynamic_cast<FXTextField*>(editor)) {
    if (!inPlace) field->setText(typed);
    field->setCursorPos(field->getText().length());
    field->setAnchorPos(field->getCursorPos());
  }
  return 1;
}

void Table_zk2::emptySelection() {
  if (isAnythingSelected()) {
    removeRange(selection.fm.row, selection.to.row, selection.fm.col, selection.to.col, TRUE);
  } else if (current.row >= 0 && current.row < nrows && current.col >= 0 && current.col < ncols) {
    removeRange(current.row, current.row, current.col, current.col, TRUE);
  }
}

FXint Table_zk2::columnBorderAt(FXint x) const {
  FXint found = -1;
  FXint distance = kBorderReach + 1;
  for (FXint c = 0; c < ncols; ++c) {
    const FXint width = colHeader->getItemSize(c);
    if (width <= 0) continue; // a hidden column stays hidden
    const FXint off = FXABS(colHeader->getItemOffset(c) + width - x);
    if (off <= distance) {
      found = c;
      distance = off;
    }
  }
  return found;
}

long Table_zk2::onColumnHeaderPress(FXObject*, FXSelector, void* ptr) {
  const auto* event = static_cast<const FXEvent*>(ptr);
  if (!event || event->click_count != 2) return 0;
  const FXint c = columnBorderAt(event->win_x);
  if (c < 0) return 0;
  fitColumn(c);
  return 1;
}

void Table_zk2::fitColumn(FXint c) {
  if (c < 0 || c >= ncols) fxerror("%s::fitColumn: index out of range.\n", getClassName());
  FXint widest = colHeader->getItem(c)->getWidth(colHeader);
  for (FXint r = 0; r < nrows; ++r) {
    const std::string_view text = store.text(r, c);
    const auto* picture = static_cast<const FXIcon*>(store.picture(r, c));
    if (!text.empty() || picture) widest = FXMAX(widest, contentWidth(this, text, picture));
  }
  setColumnWidth(c, widest);
}
