#pragma once
// The point table's widget: keeps "," out of the numbers the program writes and pastes, and never
// lets a paste grow the table past its rows and ten columns.
#include <fx.h>

// A cell of the point table: centred, and never holding a text too long to draw.
class PointTableItem : public FXTableItem {
  FXDECLARE(PointTableItem)
protected:
  PointTableItem() {}

public:
  explicit PointTableItem(const FXString& text, FXIcon* icon = nullptr, void* ptr = nullptr);
  virtual void setText(const FXString& text);
  // The cell editor is bounded the same way.
  virtual FXWindow* getControlFor(FXTable* table);
};

class Table_zk2 : public FXTable {
  FXDECLARE(Table_zk2)
protected:
  Table_zk2() {}

public:
  // Set when a paste was larger than the room below and right of its origin; read and cleared by
  // the next table read.
  bool pasteWasCut = false;

  Table_zk2(FXComposite* p, FXObject* tgt = nullptr, FXSelector sel = 0, FXuint opts = 0,
            FXint x = 0, FXint y = 0, FXint w = 0, FXint h = 0, FXint pl = DEFAULT_MARGIN,
            FXint pr = DEFAULT_MARGIN, FXint pt = DEFAULT_MARGIN, FXint pb = DEFAULT_MARGIN);

  // The program's own text setter: "," becomes ".", no notification to the target.
  void setItemText(FXint r, FXint c, const FXString& text);
  using FXTable::getItemText;

  // Where a paste lands: the first selected cell, else the current cell, else the first cell.
  void pasteOrigin(FXint& row, FXint& col) const;

  // Pastes decoded clipboard text at the paste origin; what the clipboard handler and tests use.
  void pasteText(const FXString& text);

  long onCmdPasteSel(FXObject*, FXSelector, void*);

protected:
  // Every cell of the point table is centred, also the ones the user types into first.
  virtual FXTableItem* createItem(const FXString& text, FXIcon* icon, void* ptr);

private:
  bool clipboardText(FXString& text) const;
};
