#include "table/core/CellStore.h"

#include <algorithm>
#include <cstring>

#include "table/core/TableLimits.h"

namespace orbala {

namespace {

// The heap form keeps the pointer in bytes 0-7 and the length in bytes 8-11.
char* heapPointer(const unsigned char* bytes) {
  char* data = nullptr;
  std::memcpy(&data, bytes, sizeof data);
  return data;
}

std::uint32_t heapLength(const unsigned char* bytes) {
  std::uint32_t length = 0;
  std::memcpy(&length, bytes + sizeof(char*), sizeof length);
  return length;
}

} // namespace

CellText& CellText::operator=(const CellText& other) {
  if (this != &other) assign(other.view());
  return *this;
}

CellText& CellText::operator=(CellText&& other) noexcept {
  if (this != &other) {
    release();
    take(other);
  }
  return *this;
}

std::string_view CellText::view() const {
  if (onHeap()) return std::string_view(heapPointer(bytes_), heapLength(bytes_));
  return std::string_view(reinterpret_cast<const char*>(bytes_), bytes_[kTag]);
}

void CellText::assign(std::string_view text) {
  // The text may lie in this very cell's block; copy it before the block goes.
  if (text.size() <= kTag) {
    unsigned char fresh[sizeof bytes_] = {};
    if (!text.empty()) std::memcpy(fresh, text.data(), text.size());
    fresh[kTag] = static_cast<unsigned char>(text.size());
    release();
    std::memcpy(bytes_, fresh, sizeof bytes_);
    return;
  }
  char* data = new char[text.size()];
  std::memcpy(data, text.data(), text.size());
  const auto length = static_cast<std::uint32_t>(text.size());
  release();
  std::memcpy(bytes_, &data, sizeof data);
  std::memcpy(bytes_ + sizeof data, &length, sizeof length);
  bytes_[kTag] = kOnHeap;
}

void CellText::release() noexcept {
  if (onHeap()) delete[] heapPointer(bytes_);
  std::memset(bytes_, 0, sizeof bytes_);
}

void CellText::take(CellText& other) noexcept {
  std::memcpy(bytes_, other.bytes_, sizeof bytes_);
  std::memset(other.bytes_, 0, sizeof other.bytes_);
}

template <class T> std::vector<T>& CellStore::rowsOf(Column<T>& column, int rows) {
  if (column.cells.empty()) column.cells.assign(static_cast<size_t>(rows), column.same);
  return column.cells;
}

namespace {

bool isEmpty(const CellText& text) {
  return text.empty();
}
bool isEmpty(void* picture) {
  return picture == nullptr;
}

// Every column gets the same change to its rows; a column whose rows are all empty stays as it is,
// since rows added to it are empty too.
template <class Columns, class Change> void changeRows(Columns& columns, int rows, Change change) {
  for (auto& column : columns) {
    if (column.cells.empty() && isEmpty(column.same)) continue;
    if (column.cells.empty()) column.cells.assign(static_cast<size_t>(rows), column.same);
    change(column.cells);
  }
}

template <class T> void releaseRows(std::vector<T>& cells) {
  std::vector<T>().swap(cells);
}

} // namespace

void CellStore::reset(int rows, int cols) {
  rows_ = std::max(rows, 0);
  const size_t n = static_cast<size_t>(std::max(cols, 0));
  texts_.clear();
  texts_.resize(n);
  pictures_.clear();
  pictures_.resize(n);
}

std::string_view CellStore::text(int row, int col) const {
  if (!contains(row, col)) return {};
  const Column<CellText>& column = texts_[static_cast<size_t>(col)];
  return column.cells.empty() ? column.same.view() : column.cells[static_cast<size_t>(row)].view();
}

void CellStore::setText(int row, int col, std::string_view text) {
  if (!contains(row, col)) return;
  text = clipText(text, kMaxCellText);
  Column<CellText>& column = texts_[static_cast<size_t>(col)];
  if (column.cells.empty() && column.same.view() == text) return;
  rowsOf(column, rows_)[static_cast<size_t>(row)].assign(text);
}

void CellStore::fillColumn(int col, std::string_view text) {
  if (col < 0 || col >= cols()) return;
  Column<CellText>& column = texts_[static_cast<size_t>(col)];
  column.same.assign(clipText(text, kMaxCellText));
  releaseRows(column.cells);
}

void* CellStore::picture(int row, int col) const {
  if (!contains(row, col)) return nullptr;
  const Column<void*>& column = pictures_[static_cast<size_t>(col)];
  return column.cells.empty() ? column.same : column.cells[static_cast<size_t>(row)];
}

void CellStore::setPicture(int row, int col, void* picture) {
  if (!contains(row, col)) return;
  Column<void*>& column = pictures_[static_cast<size_t>(col)];
  if (column.cells.empty() && column.same == picture) return;
  rowsOf(column, rows_)[static_cast<size_t>(row)] = picture;
}

void CellStore::fillPictures(int col, void* picture) {
  if (col < 0 || col >= cols()) return;
  Column<void*>& column = pictures_[static_cast<size_t>(col)];
  column.same = picture;
  releaseRows(column.cells);
}

void CellStore::clear() {
  for (Column<CellText>& column : texts_) {
    column.same.clear();
    releaseRows(column.cells);
  }
  for (Column<void*>& column : pictures_) {
    column.same = nullptr;
    releaseRows(column.cells);
  }
}

void CellStore::insertRows(int row, int count) {
  if (row < 0 || row > rows_ || count <= 0) return;
  const auto n = static_cast<size_t>(count);
  changeRows(texts_, rows_, [&](auto& cells) { cells.insert(cells.begin() + row, n, CellText()); });
  changeRows(pictures_, rows_, [&](auto& cells) { cells.insert(cells.begin() + row, n, nullptr); });
  rows_ += count;
}

void CellStore::removeRows(int row, int count) {
  if (row < 0 || row >= rows_ || count <= 0) return;
  count = std::min(count, rows_ - row);
  for (auto& column : texts_)
    if (!column.cells.empty())
      column.cells.erase(column.cells.begin() + row, column.cells.begin() + row + count);
  for (auto& column : pictures_)
    if (!column.cells.empty())
      column.cells.erase(column.cells.begin() + row, column.cells.begin() + row + count);
  rows_ -= count;
}

void CellStore::insertColumns(int col, int count) {
  if (col < 0 || col > cols() || count <= 0) return;
  const auto n = static_cast<size_t>(count);
  texts_.insert(texts_.begin() + col, n, Column<CellText>());
  pictures_.insert(pictures_.begin() + col, n, Column<void*>());
}

void CellStore::removeColumns(int col, int count) {
  if (col < 0 || col >= cols() || count <= 0) return;
  count = std::min(count, cols() - col);
  texts_.erase(texts_.begin() + col, texts_.begin() + col + count);
  pictures_.erase(pictures_.begin() + col, pictures_.begin() + col + count);
}

void CellStore::shiftDown(int row) {
  if (row < 0 || row >= rows_) return;
  changeRows(texts_, rows_, [&](std::vector<CellText>& cells) {
    std::move_backward(cells.begin() + row, cells.end() - 1, cells.end());
    cells[static_cast<size_t>(row)].clear();
  });
}

void CellStore::shiftUp(int first, int count) {
  if (first < 0 || first >= rows_ || count <= 0) return;
  count = std::min(count, rows_ - first);
  changeRows(texts_, rows_, [&](std::vector<CellText>& cells) {
    std::move(cells.begin() + first + count, cells.end(), cells.begin() + first);
    for (auto it = cells.end() - count; it != cells.end(); ++it)
      it->clear();
  });
}

} // namespace orbala
