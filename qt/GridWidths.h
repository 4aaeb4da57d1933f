// What a grid knows of the widths of its columns' texts, so that fitting a
// column again looks only at the rows added since it was last fitted.
//
// Per column: how many rows (from the first) are counted, and of their
// non-empty cells how many have each width. A cell is counted either by its
// laid-out width (exact) or by an upper bound of it (TextWidths); the grid
// keeps every bound at most the widest exact width, so that this widest is
// the column's. A counted cell that changes its text or font is taken out
// with what it was counted by and put in again, so the counts stay true
// without going over the column again.
//
//   GridWidths widths;
//   widths.setColumns(3);
//   widths.count(1, 57, true);       // row r of column 1, laid out: 57 px
//   widths.setExact(r, 1, true);
//   widths.setMeasuredRows(1, r + 1);
//   widths.widest(1, true);          // 57; -1 while nothing is counted
#pragma once

#include <map>
#include <vector>

namespace velta::qt {

class GridWidths {
 public:
  void setColumns(int columns);
  int columns() const { return static_cast<int>(columns_.size()); }

  // Rows 0 .. measuredRows(col) - 1 of the column are counted.
  int measuredRows(int col) const { return columns_[static_cast<std::size_t>(col)].rows; }
  void setMeasuredRows(int col, int rows);
  bool isMeasured(int row, int col) const { return col >= 0 && col < columns() && row < measuredRows(col); }

  // Whether the cell is counted by its laid-out width (else by a bound).
  bool isExact(int row, int col) const;
  void setExact(int row, int col, bool exact);

  // A non-empty cell of that width or bound, counted or taken out again.
  void count(int col, int width, bool exact);
  void uncount(int col, int width, bool exact);

  // The widest exact width or bound counted; -1 when none.
  int widest(int col, bool exact) const;

  // Nothing is counted any more (the rows went, or the font they were measured in).
  void clear();

 private:
  // How many cells have each width: a table for the usual widths, a map beyond.
  class Counts {
   public:
    void add(int width);
    void remove(int width);
    int top() const;

   private:
    static constexpr int kTabled = 4096;
    std::vector<int> tabled_;
    std::map<int, int> wide_;
    int top_ = -1;  // the widest tabled width counted, -1 when none
  };
  struct Column {
    int rows = 0;
    Counts exact, bound;
    std::vector<bool> exactRows;  // by row, for the rows counted
  };
  std::vector<Column> columns_;
};

}  // namespace velta::qt
