#include "table/Table_zk2.h"

FXDEFMAP(Table_zk2)
Table_zk2Map[] = {
    FXMAPFUNC(SEL_COMMAND, FXTable::ID_PASTE_SEL, Table_zk2::onCmdPasteSel),
};
FXIMPLEMENT(Table_zk2, FXTable, Table_zk2Map, ARRAYNUMBER(Table_zk2Map))

Table_zk2::Table_zk2(FXComposite* p, FXObject* tgt, FXSelector sel, FXuint opts, FXint x, FXint y,
                     FXint w, FXint h, FXint pl, FXint pr, FXint pt, FXint pb)
    : FXTable(p, tgt, sel, opts, x, y, w, h, pl, pr, pt, pb) {}

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

void Table_zk2::pasteText(FXString text) {
  // Filled in with the paste rules of the point table.
  (void)text;
}

long Table_zk2::onCmdPasteSel(FXObject* sender, FXSelector sel, void* ptr) {
  return FXTable::onCmdPasteSel(sender, sel, ptr);
}
