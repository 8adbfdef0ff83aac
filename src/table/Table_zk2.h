#pragma once
// The point table's widget: keeps "," out of the numbers the program writes and pastes, and never
// lets a paste grow the table past its rows and ten columns.
#include <fx.h>

class Table_zk2 : public FXTable {
  FXDECLARE(Table_zk2)
protected:
  Table_zk2() {}

public:
  // Set when a paste was larger than the table; read and cleared by the next table read.
  bool pasteWasCut = false;

  Table_zk2(FXComposite* p, FXObject* tgt = nullptr, FXSelector sel = 0, FXuint opts = 0,
            FXint x = 0, FXint y = 0, FXint w = 0, FXint h = 0, FXint pl = DEFAULT_MARGIN,
            FXint pr = DEFAULT_MARGIN, FXint pt = DEFAULT_MARGIN, FXint pb = DEFAULT_MARGIN);

  // The program's own text setter: "," becomes ".", no notification to the target.
  void setItemText(FXint r, FXint c, const FXString& text);
  using FXTable::getItemText;

  // Pastes text (already decoded) at the paste origin; what the clipboard handler and tests use.
  void pasteText(FXString text);

  long onCmdPasteSel(FXObject*, FXSelector, void*);
};
