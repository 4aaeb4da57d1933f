// The grid of the forms and controls, with the operations their code uses:
// a table view over a model of its own (GridModel).
//
// Row 0 is the fixed title row and is counted: Rows() is 1 for a grid that
// holds only its titles, TextMatrix(0, c) is the title of column c. Rows are
// flat; each keeps a group flag and an outline level for the code that groups
// them (the status form), and cells keep a back colour and a bold font.
//
// What an answer of many thousand rows costs: the cells are kept as Latin-1
// bytes (GridCells), not as an object each; rows added while repainting is
// off reach the view in one insertion when it comes back on, and rows added
// to a grid not on the screen reach it when it is shown, its view is asked
// for, or the event loop turns; AutoSize looks only at the rows it has not
// counted before, lays out only the texts that may be a column's widest
// (TextWidths), and keeps its counts true when a counted cell changes its
// text or font (GridWidths). Tab leaves the grid, the arrow keys move inside it.
//
//   grid.setRows(1);                      // titles only
//   grid.AddItem("1\tABC\t12345");        // piece k to column k
//   grid.setIsSubtotal(grid.Rows() - 1, true);
//   grid.AutoSize(0, 4);                  // fits contents and titles
#pragma once

#include <QColor>
#include <QLatin1String>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

class QFocusEvent;
class QTableView;

namespace velta::qt {

class FontTextWidths;
class GridModel;

class Grid : public QWidget {
  Q_OBJECT

 public:
  explicit Grid(QWidget* parent = nullptr);
  ~Grid() override;

  // Rows including the title row; setRows(1) leaves the titles only. New rows
  // are empty, plain and at level 0. Fewer than 1 counts as 1.
  int Rows() const;
  void setRows(int rows);
  int Cols() const;
  void setCols(int cols);

  // Row 0 is the title row. Outside the grid: an empty text, and setting does nothing.
  QString TextMatrix(int row, int col) const;
  // The same as bytes, without a copy, for a row that holds only Latin-1
  // text (a view, valid until the grid changes); none otherwise or for the titles.
  std::optional<QLatin1String> latin1Text(int row, int col) const;
  void setTextMatrix(int row, int col, const QString& text);

  // Appends a row: the k-th TAB-separated piece goes to column k; pieces
  // beyond the last column are dropped, missing ones leave their cells empty.
  void AddItem(const QString& tabSeparated);
  // The same from the bytes of a record string, without a copy in UTF-16.
  void AddItem(QLatin1String tabSeparated);

  // Repainting off while many rows are added, and on again.
  void setRedraw(bool on);
  bool redraw() const;

  // Fits the widths of columns col1..col2 to their texts, titles included,
  // as the view's own resizeColumnToContents would.
  void AutoSize(int col1, int col2);
  // Measures the titles for AutoSize now, for a grid made ahead of its rows.
  void measureTitles();
  // How many texts have been laid out to fit columns so far (for tests of its cost).
  qint64 widthMeasurements() const;

  void setIsSubtotal(int row, bool group);
  bool isSubtotal(int row) const;
  void setRowOutlineLevel(int row, int level);
  int rowOutlineLevel(int row) const;

  // An invalid colour is none (the grid's own background).
  void setCellBackColor(int row, int col, const QColor& color);
  QColor cellBackColor(int row, int col) const;
  void setCellFontBold(int row, int col, bool bold);
  bool cellFontBold(int row, int col) const;

  // Sets the column count to the titles' count and the titles.
  void setColumnTitles(const QStringList& titles);
  QStringList columnTitles() const;
  // The width in twips, or the title's width where the title would not fit
  // (set the titles first).
  void setColWidthTwips(int col, int twips);
  int colWidthPixels(int col) const;

  // Cells are read-only unless made editable (the entry grid's rows 2 to 6).
  void setEditable(int row, int col, bool editable);
  bool isEditable(int row, int col) const;

  // The item view inside, for layout and for tests that type into cells
  // (through its model, as the view's editor does). While repainting is on,
  // it shows every row added so far.
  QTableView* view() const;

 signals:
  // The user changed the text of a cell (not emitted for changes by code).
  void cellEdited(int row, int col);

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The focus goes on to the cells.
  void focusInEvent(QFocusEvent* event) override;

 private:
  // Rows added: shown soon when repainting is on, else when it comes back on.
  void rowsAdded();
  // What the header wants for the column's title, as its sectionSizeHint.
  int titleWidth(int col);

  QTableView* table_;
  std::unique_ptr<FontTextWidths> textWidths_;  // in the view's font
  GridModel* model_;
  bool redraw_ = true;
  bool showQueued_ = false;
  std::vector<int> titleWidths_;  // by column, -1 not known; empty: none known
};

// A colour given as a Windows BGR value (0x00bbggrr): 0xC0E0FF is #ffe0c0.
QColor fromBgr(quint32 bgr);

}  // namespace velta::qt
