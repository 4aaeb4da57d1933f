// The grid of the forms and controls, with the operations their code uses.
//
// Row 0 is the fixed title row and is counted: Rows() is 1 for a grid that
// holds only its titles, TextMatrix(0, c) is the title of column c. Rows are
// flat; each keeps a group flag and an outline level for the code that groups
// them (the status form), and cells keep a back colour and a bold font.
//
//   grid.setRows(1);                      // titles only
//   grid.AddItem("1\tABC\t12345");        // piece k to column k
//   grid.setIsSubtotal(grid.Rows() - 1, true);
//   grid.AutoSize(0, 4);                  // fits contents and titles
#pragma once

#include <QColor>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QFocusEvent;
class QTableWidget;
class QTableWidgetItem;

namespace velta::qt {

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
  void setTextMatrix(int row, int col, const QString& text);

  // Appends a row: the k-th TAB-separated piece goes to column k; pieces
  // beyond the last column are dropped, missing ones leave their cells empty.
  void AddItem(const QString& tabSeparated);

  // Repainting off while many rows are added, and on again.
  void setRedraw(bool on);
  bool redraw() const;

  // Fits the widths of columns col1..col2 to their texts, titles included.
  void AutoSize(int col1, int col2);

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

  // The item view inside, for layout and for tests that type into cells.
  QTableWidget* view() const { return table_; }

 signals:
  // The user changed the text of a cell (not emitted for changes by code).
  void cellEdited(int row, int col);

 protected:
  // The focus goes on to the cells.
  void focusInEvent(QFocusEvent* event) override;

 private:
  struct RowState {
    bool group = false;
    int level = 0;
  };
  QTableWidgetItem* cell(int row, int col) const;
  void fillRow(int tableRow);
  bool inside(int row, int col) const;

  QTableWidget* table_;
  QVector<RowState> rowStates_;  // index = grid row, 0 the title row
  bool redraw_ = true;
  bool settingByCode_ = false;
};

// A colour given as a Windows BGR value (0x00bbggrr): 0xC0E0FF is #ffe0c0.
QColor fromBgr(quint32 bgr);

}  // namespace velta::qt
