#include "table/Table_zk2.h"

#include <string>
#include <string_view>

#include "app/BoundedTextField.h"
#include "app/Text.h"
#include "table/core/PasteBlock.h"
#include "table/core/TableLimits.h"

FXDEFMAP(Table_zk2)
Table_zk2Map[] = {
    FXMAPFUNC(SEL_COMMAND, FXTable::ID_PASTE_SEL, Table_zk2::onCmdPasteSel),
};
FXIMPLEMENT(Table_zk2, FXTable, Table_zk2Map, ARRAYNUMBER(Table_zk2Map))
FXIMPLEMENT(PointTableItem, FXTableItem, nullptr, 0)

namespace {

FXString clipCell(const FXString& text) {
  if (static_cast<size_t>(text.length()) <= orbala::kMaxCellText) return text;
  return fx(orbala::clipText(view(text), orbala::kMaxCellText));
}

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

} // namespace

Table_zk2::Table_zk2(FXComposite* p, FXObject* tgt, FXSelector sel, FXuint opts, FXint x, FXint y,
                     FXint w, FXint h, FXint pl, FXint pr, FXint pt, FXint pb)
    : FXTable(p, tgt, sel, opts, x, y, w, h, pl, pr, pt, pb) {}

PointTableItem::PointTableItem(const FXString& text, FXIcon* icon, void* ptr)
    : FXTableItem(clipCell(text), icon, ptr) {
  setJustify(FXTableItem::CENTER_X | FXTableItem::CENTER_Y);
}

void PointTableItem::setText(const FXString& text) {
  FXTableItem::setText(clipCell(text));
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

FXTableItem* Table_zk2::createItem(const FXString& text, FXIcon* icon, void* ptr) {
  return new PointTableItem(text, icon, ptr);
}

void Table_zk2::setItemText(FXint r, FXint c, const FXString& text) {
  if (r < 0 || c < 0 || r >= nrows || c >= ncols) {
    fxerror("%s::setItemText: index out of range.\n", getClassName());
  }
  FXTableItem*& item = cells[r * ncols + c];
  if (!item) {
    item = createItem(FXString::null, nullptr, nullptr);
    if (isItemSelected(r, c)) item->setSelected(TRUE);
  }
  FXString clean(text);
  clean.substitute(',', '.');
  item->setText(clean);
  updateItem(r, c);
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
  const std::string clean =
      orbala::normalizePasteText(std::string_view(text.text(), text.length()));
  if (clean.empty() || nrows < 1 || ncols < 1) return;
  FXint row = 0;
  FXint col = 0;
  pasteOrigin(row, col);
  const orbala::PastePlan plan = orbala::planPaste(clean, nrows, ncols, row, col);
  if (plan.wasCut) pasteWasCut = true;
  if (plan.size.rows < 1 || plan.size.cols < 1) return;
  const FXint lastRow = row + plan.size.rows - 1;
  const FXint lastCol = col + plan.size.cols - 1;
  overlayText(row, lastRow, col, lastCol, FXString(plan.text.c_str(), plan.text.size()), "\t,",
              "\n", TRUE);
  selectRange(row, lastRow, col, lastCol, TRUE);
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
