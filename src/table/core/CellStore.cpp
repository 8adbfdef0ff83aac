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

namespace {

// Grows or shrinks every column in use the same way; unused columns stay empty.
template <class T, class Change>
void eachUsed(std::vector<std::vector<T>>& columns, Change change) {
  for (std::vector<T>& cells : columns)
    if (!cells.empty()) change(cells);
}

template <class T> void release(std::vector<T>& cells) {
  std::vector<T>().swap(cells);
}

} // namespace

void CellStore::reset(int rows, int cols) {
  rows_ = std::max(rows, 0);
  const size_t n = static_cast<size_t>(std::max(cols, 0));
  columns_.clear();
  columns_.resize(n);
  pictures_.clear();
  pictures_.resize(n);
}

std::vector<CellText>& CellStore::column(int col) {
  std::vector<CellText>& cells = columns_[static_cast<size_t>(col)];
  if (cells.empty()) cells.resize(static_cast<size_t>(rows_));
  return cells;
}

std::string_view CellStore::text(int row, int col) const {
  if (!contains(row, col)) return {};
  const std::vector<CellText>& cells = columns_[static_cast<size_t>(col)];
  return cells.empty() ? std::string_view() : cells[static_cast<size_t>(row)].view();
}

void CellStore::setText(int row, int col, std::string_view text) {
  if (!contains(row, col)) return;
  // An empty text in a column that holds none changes nothing, and costs nothing.
  if (text.empty() && columns_[static_cast<size_t>(col)].empty()) return;
  column(col)[static_cast<size_t>(row)].assign(clipText(text, kMaxCellText));
}

void CellStore::fillColumn(int col, std::string_view text) {
  if (col < 0 || col >= cols()) return;
  std::vector<CellText>& cells = columns_[static_cast<size_t>(col)];
  if (text.empty()) {
    release(cells);
    return;
  }
  CellText cell;
  cell.assign(clipText(text, kMaxCellText));
  cells.assign(static_cast<size_t>(rows_), cell);
}

void* CellStore::picture(int row, int col) const {
  if (!contains(row, col)) return nullptr;
  const std::vector<void*>& cells = pictures_[static_cast<size_t>(col)];
  return cells.empty() ? nullptr : cells[static_cast<size_t>(row)];
}

void CellStore::setPicture(int row, int col, void* picture) {
  if (!contains(row, col)) return;
  std::vector<void*>& cells = pictures_[static_cast<size_t>(col)];
  if (!picture && cells.empty()) return;
  if (cells.empty()) cells.resize(static_cast<size_t>(rows_), nullptr);
  cells[static_cast<size_t>(row)] = picture;
}

void CellStore::fillPictures(int col, void* picture) {
  if (col < 0 || col >= cols()) return;
  std::vector<void*>& cells = pictures_[static_cast<size_t>(col)];
  if (picture)
    cells.assign(static_cast<size_t>(rows_), picture);
  else
    release(cells);
}

void CellStore::clear() {
  for (std::vector<CellText>& cells : columns_)
    release(cells);
  for (std::vector<void*>& cells : pictures_)
    release(cells);
}

void CellStore::insertRows(int row, int count) {
  if (row < 0 || row > rows_ || count <= 0) return;
  const auto n = static_cast<size_t>(count);
  eachUsed(columns_, [&](auto& cells) { cells.insert(cells.begin() + row, n, CellText()); });
  eachUsed(pictures_, [&](auto& cells) { cells.insert(cells.begin() + row, n, nullptr); });
  rows_ += count;
}

void CellStore::removeRows(int row, int count) {
  if (row < 0 || row >= rows_ || count <= 0) return;
  count = std::min(count, rows_ - row);
  const auto erase = [&](auto& cells) {
    cells.erase(cells.begin() + row, cells.begin() + row + count);
  };
  eachUsed(columns_, erase);
  eachUsed(pictures_, erase);
  rows_ -= count;
}

void CellStore::insertColumns(int col, int count) {
  if (col < 0 || col > cols() || count <= 0) return;
  const auto n = static_cast<size_t>(count);
  columns_.insert(columns_.begin() + col, n, std::vector<CellText>());
  pictures_.insert(pictures_.begin() + col, n, std::vector<void*>());
}

void CellStore::removeColumns(int col, int count) {
  if (col < 0 || col >= cols() || count <= 0) return;
  count = std::min(count, cols() - col);
  columns_.erase(columns_.begin() + col, columns_.begin() + col + count);
  pictures_.erase(pictures_.begin() + col, pictures_.begin() + col + count);
}

void CellStore::shiftDown(int row) {
  if (row < 0 || row >= rows_) return;
  for (std::vector<CellText>& cells : columns_) {
    if (cells.empty()) continue;
    std::move_backward(cells.begin() + row, cells.end() - 1, cells.end());
    cells[static_cast<size_t>(row)].clear();
  }
}

void CellStore::shiftUp(int first, int count) {
  if (first < 0 || first >= rows_ || count <= 0) return;
  count = std::min(count, rows_ - first);
  for (std::vector<CellText>& cells : columns_) {
    if (cells.empty()) continue;
    std::move(cells.begin() + first + count, cells.end(), cells.begin() + first);
    for (auto it = cells.end() - count; it != cells.end(); ++it)
      it->clear();
  }
}

} // namespace orbala
