#include "qt/GridCells.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace velta::qt {

namespace {

// Runs are placed by 32-bit offsets; the length kWide is taken.
constexpr qsizetype kMostBytes = 0xFFFFFFF0;
// Left-behind runs are dropped once they are this many bytes and half the buffer.
constexpr qsizetype kWasteWorthDropping = 64 * 1024;

// The place after the `count`-th TAB of text[0, size), or -1.
qsizetype afterTabs(const char* text, qsizetype size, int count) {
  const char* at = text;
  const char* const end = text + size;
  for (int k = 0; k < count; ++k) {
    const auto* tab = static_cast<const char*>(std::memchr(at, '\t', static_cast<std::size_t>(end - at)));
    if (!tab) return -1;
    at = tab + 1;
  }
  return at - text;
}

bool fitsARun(QStringView text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF && c != QLatin1Char('\t'); });
}

}  // namespace

void GridCells::setColumns(int columns) {
  columns = std::max(columns, 0);
  if (columns < columns_) {
    for (std::size_t r = 0; r < rows_.size(); ++r) {
      Row& row = rows_[r];
      if (row.length == kWide) {
        QStringList& cells = wide_[static_cast<int>(r)];
        if (cells.size() > columns) cells.resize(columns);
        continue;
      }
      const qsizetype kept = afterTabs(buffer_.constData() + row.start, row.length, columns);
      if (kept >= 0) {
        waste_ += row.length - kept;
        row.length = static_cast<std::uint32_t>(kept);
      }
    }
  }
  columns_ = columns;
  compactIfWasteful();
}

void GridCells::resize(int rows) {
  rows = std::max(rows, 0);
  if (rows == 0) {
    // The common case of a grid cut back to its titles: everything goes.
    rows_ = {};
    buffer_ = QByteArray();
    wide_.clear();
    waste_ = 0;
    return;
  }
  for (int r = rows; r < this->rows(); ++r) {
    leaveBehind(rows_[static_cast<std::size_t>(r)]);
    wide_.remove(r);
  }
  rows_.resize(static_cast<std::size_t>(rows), Row{static_cast<std::uint32_t>(buffer_.size()), 0});
  compactIfWasteful();
}

void GridCells::appendTabbed(QLatin1String text) {
  qsizetype used = columns_ == 0 ? 0 : afterTabs(text.data(), text.size(), columns_);
  if (used < 0) used = text.size();
  const bool open = used > 0 && text.at(used - 1) != QLatin1Char('\t');  // the last cell wants its TAB
  if (buffer_.size() + used + 1 > kMostBytes) throw std::length_error("the grid's cells exceed 4 GiB");
  Row row{static_cast<std::uint32_t>(buffer_.size()), static_cast<std::uint32_t>(used + (open ? 1 : 0))};
  buffer_.append(text.data(), used);
  if (open) buffer_.append('\t');
  rows_.push_back(row);
}

void GridCells::appendTabbed(QStringView text) {
  const bool latin1 = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
  if (latin1) {
    const QByteArray bytes = text.toLatin1();
    appendTabbed(QLatin1String(bytes.constData(), bytes.size()));
    return;
  }
  QStringList cells;
  for (QStringView piece : text.split(QLatin1Char('\t'))) {
    if (cells.size() == columns_) break;
    cells << piece.toString();
  }
  rows_.push_back(Row{0, kWide});
  wide_.insert(rows() - 1, cells);
}

QLatin1String GridCells::cellOf(const Row& row, int col) const {
  const char* const run = buffer_.constData() + row.start;
  const qsizetype begin = afterTabs(run, row.length, col);
  if (begin < 0 || begin == row.length) return {};
  const auto* tab = static_cast<const char*>(std::memchr(run + begin, '\t', row.length - begin));
  const qsizetype end = tab ? tab - run : row.length;
  return QLatin1String(run + begin, end - begin);
}

QStringList GridCells::cellsOf(const Row& row) const {
  QStringList cells;
  for (int c = 0; c < columns_; ++c) cells << QString(cellOf(row, c));
  return cells;
}

QString GridCells::text(int row, int col) const {
  if (!inside(row, col)) return {};
  const Row& r = rows_[static_cast<std::size_t>(row)];
  if (r.length == kWide) return wide_.value(row).value(col);
  return QString(cellOf(r, col));
}

bool GridCells::isEmpty(int row, int col) const {
  if (!inside(row, col)) return true;
  const Row& r = rows_[static_cast<std::size_t>(row)];
  if (r.length == kWide) return wide_.value(row).value(col).isEmpty();
  return cellOf(r, col).isEmpty();
}

std::optional<QLatin1String> GridCells::latin1Text(int row, int col) const {
  if (!inside(row, col)) return QLatin1String();
  const Row& r = rows_[static_cast<std::size_t>(row)];
  if (r.length == kWide) return std::nullopt;
  return cellOf(r, col);
}

bool GridCells::latin1Row(int row, QLatin1String* cells) const {
  const Row& r = rows_[static_cast<std::size_t>(row)];
  if (r.length == kWide) return false;
  const char* at = buffer_.constData() + r.start;
  const char* const end = at + r.length;
  for (int c = 0; c < columns_; ++c) {
    const auto* tab = at < end ? static_cast<const char*>(std::memchr(at, '\t', static_cast<std::size_t>(end - at))) : nullptr;
    if (!tab) {
      cells[c] = QLatin1String();
      continue;
    }
    cells[c] = QLatin1String(at, tab - at);
    at = tab + 1;
  }
  return true;
}

void GridCells::setText(int row, int col, const QString& text) {
  if (!inside(row, col)) return;
  Row& r = rows_[static_cast<std::size_t>(row)];
  if (r.length != kWide && fitsARun(text)) {
    const char* const old = buffer_.constData() + r.start;
    qsizetype begin = afterTabs(old, r.length, col);
    QByteArray run;
    run.reserve(r.length + text.size() + col + 1);
    if (begin < 0) {
      // The run ends before the cell: empty cells up to it.
      run.append(old, r.length);
      run.append(QByteArray(col - static_cast<int>(std::count(old, old + r.length, '\t')), '\t'));
      begin = r.length;
    } else {
      run.append(old, begin);
    }
    run.append(text.toLatin1());
    run.append('\t');
    if (begin < r.length) {
      const auto* tab = static_cast<const char*>(std::memchr(old + begin, '\t', r.length - begin));
      if (tab) run.append(tab + 1, old + r.length - (tab + 1));
    }
    r = writeRun(r, run);
    compactIfWasteful();
    return;
  }
  QStringList cells = r.length == kWide ? wide_.value(row) : cellsOf(r);
  if (r.length != kWide) {
    leaveBehind(r);
    r = Row{0, kWide};
  }
  while (cells.size() <= col) cells << QString();
  cells[col] = text;
  wide_.insert(row, cells);
  compactIfWasteful();
}

GridCells::Row GridCells::writeRun(const Row& row, const QByteArray& run) {
  qsizetype start = buffer_.size();
  if (row.length != kWide && row.start + qsizetype(row.length) == buffer_.size()) {
    // The buffer's last run is written over: a row filled cell by cell costs no waste.
    start = row.start;
    buffer_.truncate(start);
  } else {
    leaveBehind(row);
  }
  if (start + run.size() > kMostBytes) throw std::length_error("the grid's cells exceed 4 GiB");
  buffer_.append(run);
  return Row{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(run.size())};
}

void GridCells::leaveBehind(const Row& row) {
  if (row.length != kWide) waste_ += row.length;
}

void GridCells::compactIfWasteful() {
  if (waste_ < kWasteWorthDropping || waste_ * 2 < buffer_.size()) return;
  QByteArray kept;
  kept.reserve(buffer_.size() - waste_);
  for (Row& row : rows_) {
    if (row.length == kWide) continue;
    const qsizetype start = kept.size();
    kept.append(buffer_.constData() + row.start, row.length);
    row.start = static_cast<std::uint32_t>(start);
  }
  buffer_ = std::move(kept);
  waste_ = 0;
}

}  // namespace velta::qt
