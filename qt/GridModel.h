// The model behind a grid's table view: the cells' texts (compact, GridCells),
// the rows' outline, the cells' looks, which cells the user may edit, and the
// widths of the texts counted so far (GridWidths, from TextWidths).
//
// Rows and columns are counted as the grid counts them: row 0 holds the
// column titles (the view's header), rows 1.. are the model's rows 0...
// Rows that are added are held back from the views until showHeldRows(),
// which tells of all of them in one insertion; everything else (removed rows,
// changed cells, columns) the views hear of at once.
//
//   GridModel model(textWidths);
//   model.setGridCols(2);
//   model.appendRow(QLatin1String("1\tABC"));   // held
//   model.showHeldRows();                       // one rowsInserted for all held rows
//   model.widestTexts(0, 1);                    // measures what was not measured yet
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "qt/GridCells.h"
#include "qt/GridWidths.h"
#include "qt/TextWidths.h"

namespace velta::qt {

class GridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // `textWidths`, as the view draws the texts, must outlive the model.
  explicit GridModel(TextWidths& textWidths, QObject* parent = nullptr);

  int gridRows() const { return cells_.rows() + 1; }
  int gridCols() const { return cells_.columns(); }
  // At least the title row. New rows are empty, plain, at level 0, and held.
  void setGridRows(int rows);
  void setGridCols(int cols);
  // A held row from TAB-separated pieces (GridCells::appendTabbed).
  void appendRow(QLatin1String tabbed);
  void appendRow(QStringView tabbed);
  void showHeldRows();

  // Outside the grid: an empty text, and setting does nothing. Row 0: the titles.
  QString text(int row, int col) const;
  // A data cell's bytes, when its row is kept as bytes (GridCells::latin1Text).
  std::optional<QLatin1String> latin1Text(int row, int col) const {
    return row >= 1 ? cells_.latin1Text(row - 1, col) : std::nullopt;
  }
  void setText(int row, int col, const QString& text);

  void setGroup(int row, bool group);
  bool group(int row) const;
  void setLevel(int row, int level);
  int level(int row) const;

  void setBackColor(int row, int col, const QColor& color);  // invalid: none
  QColor backColor(int row, int col) const;
  void setBold(int row, int col, bool bold);
  bool bold(int row, int col) const;

  void setEditable(int row, int col, bool editable);  // rows from 1
  bool editable(int row, int col) const;

  // The widest non-empty text of each column col1..col2 over every row but the
  // titles, -1 for a column without text: the rows counted before are not
  // looked at again, and of the new ones only those whose bound reaches the
  // widest are laid out.
  QList<int> widestTexts(int col1, int col2);
  // Everything is to be measured anew (the view's font changed).
  void forgetWidths() { widths_.clear(); }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // What the user typed: the cell's text, and cellEdited when it changed.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 signals:
  // The user changed the text of a cell (grid row and column).
  void cellEdited(int row, int col);

 private:
  struct RowState {
    int level = 0;
    bool group = false;
    bool styled = false;  // a cell of the row has a look of its own
  };
  struct CellStyle {
    QColor back;
    bool bold = false;
  };
  static quint64 key(int row, int col) { return (quint64(quint32(row)) << 32) | quint32(col); }

  bool inside(int row, int col) const { return row >= 0 && row < gridRows() && col >= 0 && col < gridCols(); }
  CellStyle styleOf(int row, int col) const;
  void setStyle(int row, int col, const CellStyle& style);
  // Changes a data cell's text (model row); false when it already held it.
  bool changeText(int dataRow, int col, const QString& text);
  // Counts a non-empty cell of a counted row by its bound where that stays
  // within the widest laid-out width, else laid out (`bound` -1: no bound).
  void countCell(int dataRow, int col, int bound, bool bold);
  // The laid-out width of a cell's text (the widths remember what they laid
  // out); `bytes`, when given, are the cell's own, read while a fitting runs,
  // and each is looked up once a fitting.
  int laidOutWidth(int dataRow, int col, bool bold, QLatin1String bytes);
  // Takes a counted cell out again, as it was counted: its text, font and exactness then.
  void uncountCell(int col, const QString& text, bool bold, bool exact);
  // Lays out the cells whose bounds went beyond the widest laid-out width
  // (after that one narrowed or went): only then are the column's bounds gone over.
  void settle(int col);
  // The rows from `from` (model rows) leave the counts of the widths.
  void forgetMeasuredFrom(int from);
  void tellChanged(int dataRow, int col, int role);
  // The same for a cell's look, the titles' included (grid row).
  void tellLookChanged(int row, int col, int role);
  // Looks and editable cells of the rows from `rows` (grid rows) or the columns from `cols` go.
  void dropCellStates(int rows, int cols);

  TextWidths& textWidths_;
  GridCells cells_;
  GridWidths widths_;
  QStringList titles_;
  std::vector<RowState> rowStates_;  // by model row
  QHash<quint64, CellStyle> styles_;  // by key(grid row, col)
  QSet<quint64> editable_;           // by key(grid row, col)
  int shown_ = 0;                    // model rows the views know of
  // Widths of the cells kept as bytes while widestTexts runs, by views into
  // them, plain and bold: no text is made to look one up. Emptied before the
  // cells change.
  std::unordered_map<std::string_view, int> laidOutBytes_[2];
  QFont boldFont_;
};

}  // namespace velta::qt
