#pragma once
// The point table's widget: keeps "," out of the numbers the program writes and pastes, and never
// lets a paste grow the table past its rows and ten columns. Its texts and pictures live in a
// compact store of its own instead of one toolkit item per cell: only a cell being drawn or
// edited gets an item, for that moment, so a table of a million rows opens and closes at once.
#include <fx.h>

#include <string_view>

#include "table/core/CellStore.h"

// How a cell looks and how its editor is made: centred, and with an editor that never holds a
// text too long to draw.
class PointTableItem : public FXTableItem {
  FXDECLARE(PointTableItem)
protected:
  PointTableItem() {}

public:
  explicit PointTableItem(const FXString& text, FXIcon* icon = nullptr, void* ptr = nullptr);
  virtual FXWindow* getControlFor(FXTable* table);
  // Takes on one cell's content, to draw it or to make its editor. A text wider than its cell
  // starts at the left, so a number keeps its sign and leading digits and loses its tail.
  void showCell(std::string_view text, FXIcon* picture, bool selected, bool fits = true);
};

// A picture that covers its cell, and the colour that the cell's text reads in over it.
class CellBackdrop : public FXIcon {
public:
  CellBackdrop(FXApp* app, FXColor clear, FXuint opts, FXint w, FXint h, FXColor text)
      : FXIcon(app, nullptr, clear, opts, w, h), textColor(text) {}
  const FXColor textColor;
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
  virtual ~Table_zk2();

  // The program's own text setter: "," becomes ".", no notification to the target.
  void setItemText(FXint r, FXint c, const FXString& text);
  // The same without a toolkit string, for the readers that fill many cells.
  void setCellText(FXint r, FXint c, std::string_view text);
  FXString getItemText(FXint r, FXint c) const;
  // The text without a copy; valid until the cell is next written.
  std::string_view cellText(FXint r, FXint c) const { return store.text(r, c); }
  // The icon stays the caller's.
  void setItemIcon(FXint r, FXint c, FXIcon* icon);
  FXIcon* getItemIcon(FXint r, FXint c) const;
  // Rows are numbered from 1; the header is told a number only when its row comes into view.
  FXString getRowText(FXint r) const;
  // The row header as wide as the largest row number needs, and at least `least` pixels.
  void fitRowHeader(FXint least);
  // Every cell is centred.
  FXuint getItemJustify(FXint, FXint) const {
    return FXTableItem::CENTER_X | FXTableItem::CENTER_Y;
  }

  // Every cell of a column takes the text (through the text setter's rules) and the icon.
  void fillColumn(FXint c, std::string_view text, FXIcon* icon);
  // Every text and icon goes; the table keeps its size.
  void clearCells();
  // Texts move down one row from `row` (the last row's are lost) and `row` is emptied; icons stay.
  void shiftTextsDown(FXint row);
  // Texts below the `count` rows from `first` move up over them; the bottom rows are emptied;
  // icons stay.
  void shiftTextsUp(FXint first, FXint count);

  // Whether a cell's editor is open.
  bool isEditing() const { return editor != nullptr; }
  // Widens a column so its title and every text in it show whole.
  void fitColumn(FXint c);

  // Where a paste lands: the first selected cell, else the current cell, else the first cell.
  void pasteOrigin(FXint& row, FXint& col) const;

  // Pastes decoded clipboard text at the paste origin; what the clipboard handler and tests use.
  void pasteText(const FXString& text);

  // The cells have no toolkit items: the toolkit's own item accessors would see empty cells.
  FXTableItem* getItem(FXint, FXint) const = delete;
  void setItem(FXint, FXint, FXTableItem*, FXbool = FALSE) = delete;
  void extractText(FXString&, FXint, FXint, FXint, FXint, const FXchar* = "\t",
                   const FXchar* = "\n") const = delete;
  void overlayText(FXint, FXint, FXint, FXint, const FXString&, const FXchar* = "\t,",
                   const FXchar* = "\n", FXbool = FALSE) = delete;

  virtual void create();
  virtual void layout();
  virtual void setTableSize(FXint nr, FXint nc, FXbool notify = FALSE);
  virtual void insertRows(FXint row, FXint nr = 1, FXbool notify = FALSE);
  virtual void insertColumns(FXint col, FXint nc = 1, FXbool notify = FALSE);
  virtual void removeRows(FXint row, FXint nr = 1, FXbool notify = FALSE);
  virtual void removeColumns(FXint col, FXint nc = 1, FXbool notify = FALSE);
  virtual void removeItem(FXint row, FXint col, FXbool notify = FALSE);
  virtual void removeRange(FXint startrow, FXint endrow, FXint startcol, FXint endcol,
                           FXbool notify = FALSE);
  virtual void clearItems(FXbool notify = FALSE);

  long onCmdPasteSel(FXObject*, FXSelector, void*);
  long onCmdCopySel(FXObject*, FXSelector, void*);
  long onCmdCutSel(FXObject*, FXSelector, void*);
  long onKeyPress(FXObject*, FXSelector, void*);
  long onColumnHeaderPress(FXObject*, FXSelector, void*);

protected:
  virtual void moveContents(FXint x, FXint y);
  virtual void drawCell(FXDC& dc, FXint sr, FXint er, FXint sc, FXint ec);
  virtual FXWindow* getControlForItem(FXint r, FXint c);
  virtual void setItemFromControl(FXint r, FXint c, FXWindow* control);

private:
  // An index outside the table is a programming error, reported as the toolkit reports its own.
  void checkCell(FXint r, FXint c, const char* operation) const;
  void dropCells();
  void noteRowsInView();
  void updateCell(FXint r, FXint c);
  // An open editor's text goes into its own cell before anything moves or rewrites the cells:
  // the editor only knows a position, which may hold another row by then.
  void settleInput();
  // Delete and BackSpace outside an editor: the selected cells (or the current one) empty.
  void emptySelection();
  // The column whose right border lies under `x` of the column header, or -1.
  FXint columnBorderAt(FXint x) const;
  bool clipboardText(FXString& text) const;
  // The selected cells as the toolkit writes them: tab between cells, newline after each row.
  FXString selectionText() const;

  orbala::CellStore store;
  // Stands in a cell while the toolkit draws it or makes its editor; never left there.
  PointTableItem* stand = nullptr;
  // The rows in view when the table was last laid out or scrolled.
  FXint viewFirst = 0;
  FXint viewLast = -1;
  FXint rowHeaderLeast = 0; // what fitRowHeader was last asked for; 0 while the header is hidden
};
