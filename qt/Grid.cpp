#include "qt/Grid.h"

#include <QFocusEvent>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/Twips.h"

namespace velta::qt {

namespace {
// The flags of a cell the user may only look at (and select, to copy).
constexpr Qt::ItemFlags kReadOnly = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}  // namespace

Grid::Grid(QWidget* parent) : QWidget(parent), table_(new QTableWidget(this)), rowStates_(1) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(table_);
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
  // The cells take the focus, never this frame around them: as their focus
  // proxy it would be a tab stop of its own where it was made, and Tab would
  // come back into the grid after a form had put the cells elsewhere in its
  // tab order.
  connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (!settingByCode_) emit cellEdited(item->row() + 1, item->column());
  });
}

Grid::~Grid() = default;

void Grid::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  table_->setFocus(event->reason());
}

int Grid::Rows() const { return table_->rowCount() + 1; }

void Grid::setRows(int rows) {
  rows = std::max(rows, 1);
  const int before = table_->rowCount();
  settingByCode_ = true;
  table_->setRowCount(rows - 1);
  rowStates_.resize(rows);
  for (int r = before; r < rows - 1; ++r) {
    rowStates_[r + 1] = RowState{};
    fillRow(r);
  }
  settingByCode_ = false;
}

int Grid::Cols() const { return table_->columnCount(); }

void Grid::setCols(int cols) {
  cols = std::max(cols, 0);
  const int before = table_->columnCount();
  settingByCode_ = true;
  table_->setColumnCount(cols);
  for (int c = before; c < cols; ++c) {
    table_->setHorizontalHeaderItem(c, new QTableWidgetItem());
    for (int r = 0; r < table_->rowCount(); ++r) {
      auto* item = new QTableWidgetItem();
      item->setFlags(kReadOnly);
      table_->setItem(r, c, item);
    }
  }
  settingByCode_ = false;
}

bool Grid::inside(int row, int col) const { return row >= 0 && row < Rows() && col >= 0 && col < Cols(); }

QTableWidgetItem* Grid::cell(int row, int col) const {
  if (!inside(row, col)) return nullptr;
  return row == 0 ? table_->horizontalHeaderItem(col) : table_->item(row - 1, col);
}

void Grid::fillRow(int tableRow) {
  for (int c = 0; c < table_->columnCount(); ++c) {
    auto* item = new QTableWidgetItem();
    item->setFlags(kReadOnly);
    table_->setItem(tableRow, c, item);
  }
}

QString Grid::TextMatrix(int row, int col) const {
  const auto* item = cell(row, col);
  return item ? item->text() : QString();
}

void Grid::setTextMatrix(int row, int col, const QString& text) {
  auto* item = cell(row, col);
  if (!item) return;
  settingByCode_ = true;
  item->setText(text);
  settingByCode_ = false;
}

void Grid::AddItem(const QString& tabSeparated) {
  const int tableRow = table_->rowCount();
  settingByCode_ = true;
  table_->insertRow(tableRow);
  rowStates_.append(RowState{});
  // Each cell made with its text: setting it afterwards would tell the view twice.
  const QStringList pieces = tabSeparated.split(QLatin1Char('\t'));
  const int count = std::min(static_cast<int>(pieces.size()), table_->columnCount());
  for (int c = 0; c < table_->columnCount(); ++c) {
    auto* item = c < count ? new QTableWidgetItem(pieces[c]) : new QTableWidgetItem();
    item->setFlags(kReadOnly);
    table_->setItem(tableRow, c, item);
  }
  settingByCode_ = false;
}

void Grid::setRedraw(bool on) {
  redraw_ = on;
  table_->setUpdatesEnabled(on);
  if (on) table_->viewport()->update();
}

bool Grid::redraw() const { return redraw_; }

void Grid::AutoSize(int col1, int col2) {
  if (col1 > col2) std::swap(col1, col2);
  col1 = std::max(col1, 0);
  col2 = std::min(col2, Cols() - 1);
  // The larger of the widest cell and the title, as the table view's own
  // resizeColumnToContents would make it; measured with font metrics, because
  // the view lays out every cell's text through its delegate, which for an
  // answer of some hundred lines costs more than the whole exchange.
  const int margin = 2 * (table_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table_) + 1);
  const int gridLine = table_->showGrid() ? 1 : 0;
  const QFontMetrics plainMetrics(table_->font());
  // Answers repeat their texts (line codes, quantities, warehouses): each
  // distinct text in the table's own font is measured once.
  QHash<QString, int> measured;
  for (int c = col1; c <= col2; ++c) {
    int widest = 0;
    for (int r = 0; r < table_->rowCount(); ++r) {
      const QTableWidgetItem* item = table_->item(r, c);
      if (!item) continue;
      const QString text = item->text();
      if (text.isEmpty()) continue;
      int width = 0;
      if (const QVariant font = item->data(Qt::FontRole); font.isValid()) {
        width = QFontMetrics(font.value<QFont>()).horizontalAdvance(text);
      } else if (const auto known = measured.constFind(text); known != measured.cend()) {
        width = *known;
      } else {
        width = plainMetrics.horizontalAdvance(text);
        measured.insert(text, width);
      }
      widest = std::max(widest, width + margin);
    }
    const int title = table_->horizontalHeader()->sectionSizeHint(c);
    table_->horizontalHeader()->resizeSection(c, std::max(widest + gridLine, title));
  }
}

void Grid::setIsSubtotal(int row, bool group) {
  if (row >= 0 && row < Rows()) rowStates_[row].group = group;
}

bool Grid::isSubtotal(int row) const { return row >= 0 && row < Rows() && rowStates_[row].group; }

void Grid::setRowOutlineLevel(int row, int level) {
  if (row < 0 || row >= Rows()) return;
  rowStates_[row].level = level;
}

int Grid::rowOutlineLevel(int row) const { return row >= 0 && row < Rows() ? rowStates_[row].level : 0; }

void Grid::setCellBackColor(int row, int col, const QColor& color) {
  auto* item = cell(row, col);
  if (!item) return;
  settingByCode_ = true;
  if (color.isValid()) {
    item->setBackground(color);
  } else {
    item->setData(Qt::BackgroundRole, QVariant());
  }
  settingByCode_ = false;
}

QColor Grid::cellBackColor(int row, int col) const {
  const auto* item = cell(row, col);
  if (!item) return {};
  const QVariant brush = item->data(Qt::BackgroundRole);
  return brush.isValid() ? brush.value<QBrush>().color() : QColor();
}

void Grid::setCellFontBold(int row, int col, bool bold) {
  auto* item = cell(row, col);
  if (!item) return;
  settingByCode_ = true;
  QFont font = item->font();
  font.setBold(bold);
  item->setFont(font);
  settingByCode_ = false;
}

bool Grid::cellFontBold(int row, int col) const {
  const auto* item = cell(row, col);
  return item && item->font().bold();
}

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

void Grid::setEditable(int row, int col, bool editable) {
  if (row < 1) return;  // titles are never typed into
  auto* item = cell(row, col);
  if (!item) return;
  settingByCode_ = true;
  item->setFlags(editable ? kReadOnly | Qt::ItemIsEditable : kReadOnly);
  settingByCode_ = false;
}

bool Grid::isEditable(int row, int col) const {
  const auto* item = row >= 1 ? cell(row, col) : nullptr;
  return item && (item->flags() & Qt::ItemIsEditable);
}

QColor fromBgr(quint32 bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace velta::qt
