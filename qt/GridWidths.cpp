#include "qt/GridWidths.h"

#include <algorithm>

namespace velta::qt {

void GridWidths::Counts::add(int width) {
  width = std::max(width, 0);
  if (width >= kTabled) {
    ++wide_[width];
    return;
  }
  if (width >= static_cast<int>(tabled_.size())) tabled_.resize(static_cast<std::size_t>(width) + 1, 0);
  ++tabled_[static_cast<std::size_t>(width)];
  top_ = std::max(top_, width);
}

void GridWidths::Counts::remove(int width) {
  width = std::max(width, 0);
  if (width >= kTabled) {
    const auto found = wide_.find(width);
    if (found != wide_.end() && --found->second == 0) wide_.erase(found);
    return;
  }
  if (width >= static_cast<int>(tabled_.size()) || tabled_[static_cast<std::size_t>(width)] == 0) return;
  --tabled_[static_cast<std::size_t>(width)];
  while (top_ >= 0 && tabled_[static_cast<std::size_t>(top_)] == 0) --top_;
}

int GridWidths::Counts::top() const { return wide_.empty() ? top_ : wide_.rbegin()->first; }

void GridWidths::setColumns(int columns) { columns_.resize(static_cast<std::size_t>(std::max(columns, 0))); }

void GridWidths::setMeasuredRows(int col, int rows) {
  Column& column = columns_[static_cast<std::size_t>(col)];
  column.rows = rows;
  column.exactRows.resize(static_cast<std::size_t>(rows), false);
}

bool GridWidths::isExact(int row, int col) const {
  if (!isMeasured(row, col)) return false;
  return columns_[static_cast<std::size_t>(col)].exactRows[static_cast<std::size_t>(row)];
}

void GridWidths::setExact(int row, int col, bool exact) {
  Column& column = columns_[static_cast<std::size_t>(col)];
  if (row >= 0 && row < static_cast<int>(column.exactRows.size())) column.exactRows[static_cast<std::size_t>(row)] = exact;
}

void GridWidths::count(int col, int width, bool exact) {
  Column& column = columns_[static_cast<std::size_t>(col)];
  (exact ? column.exact : column.bound).add(width);
}

void GridWidths::uncount(int col, int width, bool exact) {
  Column& column = columns_[static_cast<std::size_t>(col)];
  (exact ? column.exact : column.bound).remove(width);
}

int GridWidths::widest(int col, bool exact) const {
  const Column& column = columns_[static_cast<std::size_t>(col)];
  return (exact ? column.exact : column.bound).top();
}

void GridWidths::clear() {
  for (Column& column : columns_) column = Column{};
}

}  // namespace velta::qt
