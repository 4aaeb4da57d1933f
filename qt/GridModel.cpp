#include "qt/GridModel.h"

#include <QBrush>
#include <algorithm>
#include <utility>

namespace velta::qt {

namespace {

// The flags of a cell the user may only look at (and select, to copy).
constexpr Qt::ItemFlags kReadOnly = Qt::ItemIsEnabled | Qt::ItemIsSelectable;

// Texts remembered while one fitting lays them out.
constexpr qsizetype kMostRemembered = 4096;

}  // namespace

GridModel::GridModel(TextWidths& textWidths, QObject* parent) : QAbstractTableModel(parent), textWidths_(textWidths) {
  // Only the weight: the rest comes from the view's own font.
  boldFont_.setBold(true);
}

void GridModel::setGridRows(int rows) {
  const int dataRows = std::max(rows, 1) - 1;
  if (dataRows >= cells_.rows()) {
    cells_.resize(dataRows);
    rowStates_.resize(static_cast<std::size_t>(dataRows));
    return;
  }
  const bool seen = dataRows < shown_;
  if (seen) beginRemoveRows(QModelIndex(), dataRows, shown_ - 1);
  forgetMeasuredFrom(dataRows);
  cells_.resize(dataRows);
  rowStates_.resize(static_cast<std::size_t>(dataRows));
  if (dataRows == 0) rowStates_.shrink_to_fit();
  dropCellStates(dataRows + 1, gridCols());
  if (seen) {
    shown_ = dataRows;
    endRemoveRows();
  }
}

void GridModel::setGridCols(int cols) {
  cols = std::max(cols, 0);
  const int before = gridCols();
  if (cols == before) return;
  if (cols > before) {
    beginInsertColumns(QModelIndex(), before, cols - 1);
  } else {
    beginRemoveColumns(QModelIndex(), cols, before - 1);
  }
  cells_.setColumns(cols);
  titles_.resize(cols);
  widths_.setColumns(cols);
  // The cells of new columns are empty in every row: nothing to measure there.
  for (int c = before; c < cols; ++c) widths_.setMeasuredRows(c, cells_.rows());
  if (cols < before) dropCellStates(gridRows(), cols);
  if (cols > before) {
    endInsertColumns();
  } else {
    endRemoveColumns();
  }
}

void GridModel::appendRow(QLatin1String tabbed) {
  cells_.appendTabbed(tabbed);
  rowStates_.emplace_back();
}

void GridModel::appendRow(QStringView tabbed) {
  cells_.appendTabbed(tabbed);
  rowStates_.emplace_back();
}

void GridModel::showHeldRows() {
  if (shown_ >= cells_.rows()) return;
  beginInsertRows(QModelIndex(), shown_, cells_.rows() - 1);
  shown_ = cells_.rows();
  endInsertRows();
}

QString GridModel::text(int row, int col) const {
  if (!inside(row, col)) return {};
  return row == 0 ? titles_[col] : cells_.text(row - 1, col);
}

void GridModel::setText(int row, int col, const QString& text) {
  if (!inside(row, col)) return;
  if (row > 0) {
    changeText(row - 1, col, text);
  } else if (titles_[col] != text) {
    titles_[col] = text;
    emit headerDataChanged(Qt::Horizontal, col, col);
  }
}

bool GridModel::changeText(int dataRow, int col, const QString& text) {
  const QString old = cells_.text(dataRow, col);
  if (old == text) return false;
  if (widths_.isMeasured(dataRow, col)) {
    // The new width in first: while the old one still counts, a wider text
    // does not make the column's bounds be gone over.
    const bool inBold = bold(dataRow + 1, col);
    const bool wasExact = widths_.isExact(dataRow, col);
    cells_.setText(dataRow, col, text);
    if (!text.isEmpty()) countCell(dataRow, col, textWidths_.upperBound(QStringView(text), inBold), inBold);
    if (!old.isEmpty()) uncountCell(col, old, inBold, wasExact);
    settle(col);
  } else {
    cells_.setText(dataRow, col, text);
  }
  tellChanged(dataRow, col, Qt::DisplayRole);
  return true;
}

void GridModel::tellChanged(int dataRow, int col, int role) {
  if (dataRow >= shown_) return;  // held rows: the views see them as they are when shown
  const QModelIndex at = index(dataRow, col);
  if (role == Qt::DisplayRole) {
    emit dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
  } else {
    emit dataChanged(at, at, {role});
  }
}

void GridModel::setGroup(int row, bool group) {
  if (row >= 1 && row < gridRows()) rowStates_[static_cast<std::size_t>(row - 1)].group = group;
}

bool GridModel::group(int row) const {
  return row >= 1 && row < gridRows() && rowStates_[static_cast<std::size_t>(row - 1)].group;
}

void GridModel::setLevel(int row, int level) {
  if (row >= 1 && row < gridRows()) rowStates_[static_cast<std::size_t>(row - 1)].level = level;
}

int GridModel::level(int row) const {
  return row >= 1 && row < gridRows() ? rowStates_[static_cast<std::size_t>(row - 1)].level : 0;
}

GridModel::CellStyle GridModel::styleOf(int row, int col) const {
  if (!inside(row, col)) return {};
  if (row > 0 && !rowStates_[static_cast<std::size_t>(row - 1)].styled) return {};
  return styles_.value(key(row, col));
}

void GridModel::setStyle(int row, int col, const CellStyle& style) {
  if (!style.back.isValid() && !style.bold) {
    styles_.remove(key(row, col));
    return;
  }
  styles_.insert(key(row, col), style);
  if (row > 0) rowStates_[static_cast<std::size_t>(row - 1)].styled = true;
}

void GridModel::setBackColor(int row, int col, const QColor& color) {
  if (!inside(row, col)) return;
  CellStyle style = styleOf(row, col);
  style.back = color;
  setStyle(row, col, style);
  tellLookChanged(row, col, Qt::BackgroundRole);
}

void GridModel::tellLookChanged(int row, int col, int role) {
  if (row == 0) {
    emit headerDataChanged(Qt::Horizontal, col, col);
  } else {
    tellChanged(row - 1, col, role);
  }
}

QColor GridModel::backColor(int row, int col) const { return styleOf(row, col).back; }

void GridModel::setBold(int row, int col, bool bold) {
  if (!inside(row, col)) return;
  CellStyle style = styleOf(row, col);
  if (style.bold == bold) return;
  style.bold = bold;
  setStyle(row, col, style);
  if (row > 0 && widths_.isMeasured(row - 1, col)) {
    const QString text = cells_.text(row - 1, col);
    if (!text.isEmpty()) {
      const bool wasExact = widths_.isExact(row - 1, col);
      countCell(row - 1, col, textWidths_.upperBound(QStringView(text), bold), bold);
      uncountCell(col, text, !bold, wasExact);
      settle(col);
    }
  }
  tellLookChanged(row, col, Qt::FontRole);
}

bool GridModel::bold(int row, int col) const { return styleOf(row, col).bold; }

void GridModel::setEditable(int row, int col, bool editable) {
  if (row < 1 || !inside(row, col)) return;  // titles are never typed into
  if (editable) {
    editable_.insert(key(row, col));
  } else {
    editable_.remove(key(row, col));
  }
}

bool GridModel::editable(int row, int col) const { return row >= 1 && editable_.contains(key(row, col)); }

QList<int> GridModel::widestTexts(int col1, int col2) {
  const int rows = cells_.rows();
  const int count = col2 - col1 + 1;
  std::vector<int> from(static_cast<std::size_t>(count));
  int first = rows;
  for (int c = col1; c <= col2; ++c) {
    from[static_cast<std::size_t>(c - col1)] = widths_.measuredRows(c);
    first = std::min(first, widths_.measuredRows(c));
    widths_.setMeasuredRows(c, rows);
  }
  std::vector<QLatin1String> views(static_cast<std::size_t>(gridCols()));
  // The bounds of the new cells, by row from `first` and column: -1 for a
  // cell that has none (a row kept as strings, an unusual character), kSkip
  // for an empty cell, one counted before, or one counted already here.
  constexpr int kSkip = -2;
  const auto at = [&](int r, int c) { return static_cast<std::size_t>(r - first) * count + (c - col1); };
  std::vector<int> bounds(static_cast<std::size_t>(rows - first) * count, kSkip);
  std::vector<int> widestRow(static_cast<std::size_t>(count), -1);  // of the widest bound, by column
  // Bold cells are few: a row without a look of its own has none.
  const auto inBold = [&](int r, int c) { return rowStates_[static_cast<std::size_t>(r)].styled && bold(r + 1, c); };
  for (int r = first; r < rows; ++r) {
    const bool latin1 = cells_.latin1Row(r, views.data());
    for (int c = col1; c <= col2; ++c) {
      if (r < from[static_cast<std::size_t>(c - col1)]) continue;
      int& bound = bounds[at(r, c)];
      if (latin1) {
        const QLatin1String text = views[static_cast<std::size_t>(c)];
        if (!text.isEmpty()) bound = textWidths_.upperBound(text, inBold(r, c));
      } else if (!cells_.isEmpty(r, c)) {
        bound = -1;
      }
      int& widest = widestRow[static_cast<std::size_t>(c - col1)];
      if (bound >= 0 && (widest < 0 || bound > bounds[at(widest, c)])) widest = r;
    }
  }
  // A cell whose bound the widest laid-out width covers is counted by its
  // bound; any other is laid out, and widens what covers the next ones. The
  // cell of the widest bound goes first: laid out, it covers nearly all.
  int viewed = -1;  // the row `views` hold
  const auto bytesOf = [&](int r, int c) {
    if (viewed != r && !cells_.latin1Row(r, views.data())) std::fill(views.begin(), views.end(), QLatin1String());
    viewed = r;
    return views[static_cast<std::size_t>(c)];
  };
  const auto countAt = [&](int r, int c) {
    int& bound = bounds[at(r, c)];
    if (bound == kSkip) return;
    if (bound >= 0 && bound <= widths_.widest(c, true)) {
      // The new rows' cells are marked as counted by bound already.
      widths_.count(c, bound, false);
    } else {
      widths_.count(c, laidOutWidth(r, c, inBold(r, c), bytesOf(r, c)), true);
      widths_.setExact(r, c, true);
    }
    bound = kSkip;
  };
  for (int c = col1; c <= col2; ++c) {
    if (const int r = widestRow[static_cast<std::size_t>(c - col1)]; r >= 0) countAt(r, c);
  }
  for (int r = first; r < rows; ++r) {
    for (int c = col1; c <= col2; ++c) countAt(r, c);
  }
  for (auto& known : laidOutBytes_) known.clear();
  QList<int> widest;
  for (int c = col1; c <= col2; ++c) widest << widths_.widest(c, true);
  return widest;
}

void GridModel::countCell(int dataRow, int col, int bound, bool inBold) {
  const bool byBound = bound >= 0 && bound <= widths_.widest(col, true);
  const int width = byBound ? bound : laidOutWidth(dataRow, col, inBold, QLatin1String());
  widths_.count(col, width, !byBound);
  widths_.setExact(dataRow, col, !byBound);
}

int GridModel::laidOutWidth(int dataRow, int col, bool inBold, QLatin1String bytes) {
  // Answers repeat their texts (dates, quantities, codes): one layout each
  // while a fitting runs, within a bounded table.
  if (!bytes.isEmpty()) {
    auto& known = laidOutBytes_[inBold ? 1 : 0];
    const std::string_view key(bytes.data(), static_cast<std::size_t>(bytes.size()));
    if (const auto found = known.find(key); found != known.end()) return found->second;
    const int width = textWidths_.width(QString(bytes), inBold);
    if (known.size() < static_cast<std::size_t>(kMostRemembered)) known.emplace(key, width);
    return width;
  }
  return textWidths_.width(cells_.text(dataRow, col), inBold);
}

void GridModel::uncountCell(int col, const QString& text, bool inBold, bool exact) {
  widths_.uncount(col, exact ? textWidths_.width(text, inBold) : textWidths_.upperBound(QStringView(text), inBold),
                  exact);
}

void GridModel::settle(int col) {
  const int floor = widths_.widest(col, true);
  if (widths_.widest(col, false) <= floor) return;
  for (int r = 0; r < widths_.measuredRows(col); ++r) {
    if (widths_.isExact(r, col) || cells_.isEmpty(r, col)) continue;
    const QString text = cells_.text(r, col);
    const bool inBold = bold(r + 1, col);
    const int bound = textWidths_.upperBound(QStringView(text), inBold);
    if (bound <= floor) continue;
    widths_.uncount(col, bound, false);
    countCell(r, col, -1, inBold);
  }
}

void GridModel::forgetMeasuredFrom(int from) {
  if (from == 0) {
    widths_.clear();
    return;
  }
  for (int c = 0; c < widths_.columns(); ++c) {
    for (int r = from; r < widths_.measuredRows(c); ++r) {
      const QString text = cells_.text(r, c);
      if (!text.isEmpty()) uncountCell(c, text, bold(r + 1, c), widths_.isExact(r, c));
    }
    if (widths_.measuredRows(c) > from) widths_.setMeasuredRows(c, from);
    settle(c);
  }
}

void GridModel::dropCellStates(int rows, int cols) {
  const auto gone = [rows, cols](quint64 k) {
    return static_cast<int>(k >> 32) >= rows || static_cast<int>(k & 0xFFFFFFFFu) >= cols;
  };
  for (auto it = styles_.begin(); it != styles_.end();) it = gone(it.key()) ? styles_.erase(it) : std::next(it);
  for (auto it = editable_.begin(); it != editable_.end();) it = gone(*it) ? editable_.erase(it) : std::next(it);
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shown_; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : gridCols(); }

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row() + 1;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return text(row, index.column());
    case Qt::FontRole:
      return bold(row, index.column()) ? QVariant(boldFont_) : QVariant();
    case Qt::BackgroundRole: {
      const QColor back = backColor(row, index.column());
      return back.isValid() ? QVariant(QBrush(back)) : QVariant();
    }
    default:
      return {};
  }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= gridCols()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return titles_[section];
    case Qt::FontRole:
      return bold(0, section) ? QVariant(boldFont_) : QVariant();
    case Qt::BackgroundRole: {
      const QColor back = backColor(0, section);
      return back.isValid() ? QVariant(QBrush(back)) : QVariant();
    }
    default:
      return {};
  }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return editable(index.row() + 1, index.column()) ? kReadOnly | Qt::ItemIsEditable : kReadOnly;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || !editable(index.row() + 1, index.column())) return false;
  if (changeText(index.row(), index.column(), value.toString())) emit cellEdited(index.row() + 1, index.column());
  return true;
}

}  // namespace velta::qt
