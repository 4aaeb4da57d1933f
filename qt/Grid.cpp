#include "qt/Grid.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFont>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/GridModel.h"
#include "qt/TextWidths.h"
#include "qt/Twips.h"

namespace velta::qt {

Grid::Grid(QWidget* parent)
    : QWidget(parent),
      table_(new QTableView(this)),
      textWidths_(std::make_unique<FontTextWidths>(table_)),
      model_(new GridModel(*textWidths_, this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(table_);
  table_->setModel(model_);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setHighlightSections(false);
  // The last column takes the room the others leave, as the form grows.
  table_->horizontalHeader()->setStretchLastSection(true);
  // Tab leaves the grid for the next control; the arrow keys move between cells.
  table_->setTabKeyNavigation(false);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
  table_->setWordWrap(false);
  table_->installEventFilter(this);
  table_->horizontalHeader()->installEventFilter(this);
  // The titles' widths are kept for AutoSize, which the status form calls for every row.
  const auto titlesChanged = [this] { titleWidths_.clear(); };
  connect(model_, &QAbstractItemModel::headerDataChanged, this, titlesChanged);
  connect(model_, &QAbstractItemModel::columnsInserted, this, titlesChanged);
  connect(model_, &QAbstractItemModel::columnsRemoved, this, titlesChanged);
  // The cells take the focus, never this frame around them: as their focus
  // proxy it would be a tab stop of its own where it was made, and Tab would
  // come back into the grid after a form had put the cells elsewhere in its
  // tab order (focusInEvent hands it on instead).
  connect(model_, &GridModel::cellEdited, this, &Grid::cellEdited);
}

Grid::~Grid() {
  // The model, a child, would go after the widths it counts with.
  delete model_;
}

qint64 Grid::widthMeasurements() const { return textWidths_->measurements(); }

void Grid::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  table_->setFocus(event->reason());
}

int Grid::Rows() const { return model_->gridRows(); }

void Grid::setRows(int rows) {
  const int before = Rows();
  model_->setGridRows(rows);
  if (Rows() > before) rowsAdded();
}

int Grid::Cols() const { return model_->gridCols(); }

void Grid::setCols(int cols) { model_->setGridCols(cols); }

QString Grid::TextMatrix(int row, int col) const { return model_->text(row, col); }

std::optional<QLatin1String> Grid::latin1Text(int row, int col) const { return model_->latin1Text(row, col); }

void Grid::setTextMatrix(int row, int col, const QString& text) { model_->setText(row, col, text); }

void Grid::AddItem(const QString& tabSeparated) {
  model_->appendRow(QStringView(tabSeparated));
  rowsAdded();
}

void Grid::AddItem(QLatin1String tabSeparated) {
  model_->appendRow(tabSeparated);
  rowsAdded();
}

void Grid::rowsAdded() {
  if (!redraw_) return;
  if (isVisible()) {
    model_->showHeldRows();
    return;
  }
  // Rows added one by one to a grid not on the screen reach the view together,
  // when it is shown or at the next turn of the event loop: a form filled
  // before it is shown tells its view once.
  if (showQueued_) return;
  showQueued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        showQueued_ = false;
        if (redraw_) model_->showHeldRows();
      },
      Qt::QueuedConnection);
}

void Grid::showEvent(QShowEvent* event) {
  if (redraw_) model_->showHeldRows();
  QWidget::showEvent(event);
}

QTableView* Grid::view() const {
  if (redraw_) model_->showHeldRows();
  return table_;
}

void Grid::setRedraw(bool on) {
  redraw_ = on;
  table_->setUpdatesEnabled(on);
  if (on) {
    model_->showHeldRows();
    table_->viewport()->update();
  }
}

bool Grid::redraw() const { return redraw_; }

bool Grid::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_->horizontalHeader() &&
      (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)) {
    titleWidths_.clear();
  }
  if (watched == table_ && event->type() == QEvent::FontChange) {
    // Every width was measured in the old font.
    textWidths_->fontChanged();
    model_->forgetWidths();
  }
  return QWidget::eventFilter(watched, event);
}

void Grid::AutoSize(int col1, int col2) {
  if (col1 > col2) std::swap(col1, col2);
  col1 = std::max(col1, 0);
  col2 = std::min(col2, Cols() - 1);
  if (col1 > col2) return;
  // The larger of the widest cell and the title, as the table view's own
  // resizeColumnToContents would make it; measured with font metrics, because
  // the view lays out every cell's text through its delegate, which for an
  // answer of some hundred lines costs more than the whole exchange.
  const int margin = 2 * (table_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table_) + 1);
  const int gridLine = table_->showGrid() ? 1 : 0;
  const QList<int> widest = model_->widestTexts(col1, col2);
  QHeaderView* header = table_->horizontalHeader();
  for (int c = col1; c <= col2; ++c) {
    const int text = widest[c - col1];
    const int cells = text >= 0 ? text + margin : 0;
    header->resizeSection(c, std::max(cells + gridLine, titleWidth(c)));
  }
}

void Grid::measureTitles() {
  for (int c = 0; c < Cols(); ++c) titleWidth(c);
}

int Grid::titleWidth(int col) {
  if (titleWidths_.empty()) titleWidths_.assign(static_cast<std::size_t>(Cols()), -1);
  int& width = titleWidths_[static_cast<std::size_t>(col)];
  if (width < 0) width = table_->horizontalHeader()->sectionSizeHint(col);
  return width;
}

void Grid::setIsSubtotal(int row, bool group) { model_->setGroup(row, group); }

bool Grid::isSubtotal(int row) const { return model_->group(row); }

void Grid::setRowOutlineLevel(int row, int level) { model_->setLevel(row, level); }

int Grid::rowOutlineLevel(int row) const { return model_->level(row); }

void Grid::setCellBackColor(int row, int col, const QColor& color) { model_->setBackColor(row, col, color); }

QColor Grid::cellBackColor(int row, int col) const { return model_->backColor(row, col); }

void Grid::setCellFontBold(int row, int col, bool bold) { model_->setBold(row, col, bold); }

bool Grid::cellFontBold(int row, int col) const { return model_->bold(row, col); }

void Grid::setColumnTitles(const QStringList& titles) {
  setCols(static_cast<int>(titles.size()));
  for (int c = 0; c < titles.size(); ++c) setTextMatrix(0, c, titles[c]);
}

QStringList Grid::columnTitles() const {
  QStringList titles;
  for (int c = 0; c < Cols(); ++c) titles << TextMatrix(0, c);
  return titles;
}

void Grid::setColWidthTwips(int col, int twips) {
  if (col < 0 || col >= Cols()) return;
  // The widths were chosen for another font: a title that would be cut off
  // widens its column, one that fits keeps the width it was given.
  const QHeaderView* header = table_->horizontalHeader();
  const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
  const int title = header->fontMetrics().horizontalAdvance(TextMatrix(0, col)) + 2 * margin;
  table_->setColumnWidth(col, std::max(twipsToPixels(this, twips), title));
}

int Grid::colWidthPixels(int col) const { return col >= 0 && col < Cols() ? table_->columnWidth(col) : 0; }

void Grid::setEditable(int row, int col, bool editable) { model_->setEditable(row, col, editable); }

bool Grid::isEditable(int row, int col) const { return model_->editable(row, col); }

QColor fromBgr(quint32 bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace velta::qt
