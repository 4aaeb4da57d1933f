// The texts of a grid's rows, kept compact: an answer of some megabytes is
// shown as some megabytes, not as one object per cell.
//
// Every row is a run of Latin-1 bytes in one buffer that all rows share, each
// cell followed by a TAB; cells after the last one a row holds are empty:
//
//   | bytes            | cells                                   |
//   |------------------|-----------------------------------------|
//   | "ACD\tPF52\t2\t" | 0 "ACD", 1 "PF52", 2 "2", the rest ""   |
//   | ""               | all ""                                  |
//
// A row with a character beyond Latin-1, or with a TAB inside a cell, is kept
// as a list of strings instead (typed text may hold either). A changed row is
// written anew at the end of the buffer, or in place when it is the last one
// there; the runs left behind are dropped when they make up half the buffer.
//
//   GridCells cells;
//   cells.setColumns(3);
//   cells.appendTabbed(QLatin1String("1\tABC\t"));   // row 0
//   cells.setText(0, 2, QStringLiteral("12"));
//   cells.text(0, 1);                                 // "ABC"
#pragma once

#include <QByteArray>
#include <QHash>
#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <vector>

namespace velta::qt {

class GridCells {
 public:
  int rows() const { return static_cast<int>(rows_.size()); }
  int columns() const { return columns_; }

  // Fewer columns drop the cells beyond them from every row.
  void setColumns(int columns);
  // New rows are empty; rows beyond `rows` go.
  void resize(int rows);

  // Appends a row: the k-th TAB-separated piece to column k; pieces beyond
  // the last column are dropped, missing ones leave their cells empty.
  void appendTabbed(QLatin1String text);
  void appendTabbed(QStringView text);

  // Outside the rows or columns: an empty text, and setting does nothing.
  QString text(int row, int col) const;
  bool isEmpty(int row, int col) const;
  // The cells of a row kept as bytes, all columns into `cells` (views into
  // the buffer, valid until the next change); false for a row kept as strings.
  bool latin1Row(int row, QLatin1String* cells) const;
  // One cell of a row kept as bytes (a view, valid until the next change);
  // none for a row kept as strings. Outside the rows or columns: empty.
  std::optional<QLatin1String> latin1Text(int row, int col) const;
  void setText(int row, int col, const QString& text);

  // The bytes the buffer holds, live and left behind (for tests of its upkeep).
  qsizetype bufferBytes() const { return buffer_.size(); }

 private:
  // A row's run in the buffer; kWide: the row is in wide_ instead.
  struct Row {
    std::uint32_t start = 0;
    std::uint32_t length = 0;
  };
  static constexpr std::uint32_t kWide = 0xFFFFFFFF;

  bool inside(int row, int col) const { return row >= 0 && row < rows() && col >= 0 && col < columns_; }
  // The bytes of cell `col` of a run: empty where the run ends before it.
  QLatin1String cellOf(const Row& row, int col) const;
  QStringList cellsOf(const Row& row) const;
  // Appends a run and gives its place: in place when `row` is the buffer's last.
  Row writeRun(const Row& row, const QByteArray& run);
  void leaveBehind(const Row& row);
  void compactIfWasteful();

  int columns_ = 0;
  std::vector<Row> rows_;
  QByteArray buffer_;
  qsizetype waste_ = 0;            // bytes of runs no row uses any more
  QHash<int, QStringList> wide_;  // row -> its cells, for the rows marked kWide
};

}  // namespace velta::qt
