#pragma once
// The texts and pictures of the point table, kept column by column: a short text lives inside its
// cell, a longer one in a block of its own, and a column whose rows all hold the same text or
// picture keeps it once. A table of a million rows then costs a few bytes per used cell instead of
// an object and a string per cell.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace orbala {

// One cell's text in 16 bytes: up to 15 bytes inside, a longer text on the heap.
class CellText {
public:
  CellText() noexcept = default;
  CellText(const CellText& other) { assign(other.view()); }
  CellText(CellText&& other) noexcept { take(other); }
  CellText& operator=(const CellText& other);
  CellText& operator=(CellText&& other) noexcept;
  ~CellText() { release(); }

  std::string_view view() const;
  bool empty() const { return bytes_[kTag] == 0; }
  void assign(std::string_view text);
  void clear() { release(); }

private:
  static constexpr size_t kTag = 15; // the inline length, or kOnHeap
  static constexpr unsigned char kOnHeap = 0xFF;

  bool onHeap() const { return bytes_[kTag] == kOnHeap; }
  void release() noexcept;
  void take(CellText& other) noexcept;

  // All zero is the empty text, so a fresh column is a plain block of zeros.
  unsigned char bytes_[16] = {};
};
static_assert(sizeof(CellText) == 16, "a cell stays small");

class CellStore {
public:
  // `rows` × `cols` empty cells; what was there before is gone.
  void reset(int rows, int cols);
  int rows() const { return rows_; }
  int cols() const { return static_cast<int>(texts_.size()); }
  bool contains(int row, int col) const {
    return row >= 0 && row < rows_ && col >= 0 && col < cols();
  }

  // Empty outside the table. The view lasts until the column is next written.
  std::string_view text(int row, int col) const;
  // Cut to the cell limit, never inside a UTF-8 sequence; ignored outside the table.
  void setText(int row, int col, std::string_view text);
  // Every cell of the column takes `text`.
  void fillColumn(int col, std::string_view text);

  // A picture beside the text, as a handle the caller knows; null for none.
  void* picture(int row, int col) const;
  void setPicture(int row, int col, void* picture);
  void fillPictures(int col, void* picture);

  // Every text and picture empty; the size stays.
  void clear();

  // Rows and columns added (empty) or taken out; the others keep their texts.
  void insertRows(int row, int count);
  void removeRows(int row, int count);
  void insertColumns(int col, int count);
  void removeColumns(int col, int count);

  // The texts from `row` down move one row down, the last row's texts are lost, and `row` is
  // left empty; the table keeps its size and the pictures stay where they are.
  void shiftDown(int row);
  // The texts below the `count` rows from `first` move up over them, and as many rows at the
  // bottom are left empty; the table keeps its size and the pictures stay where they are.
  void shiftUp(int first, int count);

private:
  // A column whose rows all hold the same value keeps it once; it gets a cell per row only when
  // one row is to differ. A fresh table, or a column filled with one text, costs nothing.
  template <class T> struct Column {
    T same{};
    std::vector<T> cells; // empty while every row holds `same`
  };
  template <class T> static std::vector<T>& rowsOf(Column<T>& column, int rows);

  int rows_ = 0;
  std::vector<Column<CellText>> texts_;
  std::vector<Column<void*>> pictures_;
};

} // namespace orbala
