#include "qt/TextWidths.h"

#include <QFontMetricsF>
#include <QHash>
#include <QWidget>
#include <array>
#include <cmath>
#include <limits>
#include <memory>

namespace velta::qt {

namespace {

// Characters the pairs model holds for: printable Latin-1. Control characters
// (one of them ends a text for the metrics), the soft hyphen and anything
// beyond Latin-1 are laid out instead.
bool estimable(unsigned c) { return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF && c != 0xAD); }

}  // namespace

// One font's advances and pair adjustments, each measured the first time a
// text needs it: at most 256 + 256 * 256 small layouts in a process's life.
// A text's estimate is the first character's advance, then for each further
// one the width of it with the one before less the advance of that one. They
// are kept in 64ths of a pixel, the unit the font engine lays out in, each
// rounded up, so that the sum is exact and quick.
class AdvanceTable {
 public:
  explicit AdvanceTable(const QFont& font) : metrics_(font) { advances_.fill(kUnknown); }

  // For the font of `font`, shared by every grid of the process. Never
  // freed: font metrics must not outlive the application's fonts at exit.
  static AdvanceTable& of(const QFont& font) {
    static auto* const tables = new QHash<QString, AdvanceTable*>;
    AdvanceTable*& table = (*tables)[font.key()];
    if (!table) table = new AdvanceTable(font);
    return *table;
  }

  // The bound of a text given by its character codes; -1 when it cannot be told.
  template <typename Text>
  int upperBound(const Text& text) {
    if (text.isEmpty()) return 0;
    unsigned before = code(text, 0);
    if (!estimable(before)) return -1;
    qint64 sum = advance(before);
    for (qsizetype i = 1; i < text.size(); ++i) {
      const unsigned c = code(text, i);
      if (!estimable(c)) return -1;
      sum += step(before, c);
      before = c;
    }
    // The width is the laid-out sum rounded: above the sum by more than a
    // 64th, rounded up; the added pixel covers what a shaper does beyond
    // pairs of neighbours.
    return static_cast<int>(ceilDivide(sum + 1, kUnit)) + 1;
  }

  // Widths laid out before in this font: answers repeat their dates, codes,
  // places and descriptions from one to the next. A bounded table, emptied
  // when full.
  std::optional<int> laidOut(const QString& text) const {
    const auto known = laidOut_.constFind(text);
    return known == laidOut_.cend() ? std::nullopt : std::optional<int>(*known);
  }
  void rememberLaidOut(const QString& text, int width) {
    if (laidOut_.size() >= kMostRemembered) laidOut_.clear();
    laidOut_.insert(text, width);
  }

 private:
  static constexpr qsizetype kMostRemembered = 4096;
  static constexpr qint32 kUnknown = std::numeric_limits<qint32>::min();
  static constexpr qint64 kUnit = 64;

  static qint64 ceilDivide(qint64 a, qint64 b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }
  static qint32 inUnits(qreal pixels) { return static_cast<qint32>(std::ceil(pixels * kUnit)); }

  static unsigned code(const QLatin1String& text, qsizetype i) { return static_cast<unsigned char>(text.data()[i]); }
  static unsigned code(const QStringView& text, qsizetype i) { return text[i].unicode(); }

  qint32 advance(unsigned c) {
    qint32& known = advances_[c];
    if (known == kUnknown) known = inUnits(metrics_.horizontalAdvance(QString(QChar(c))));
    return known;
  }
  // What b adds after a: its advance and what the pair adjusts. Known after
  // a text or two: the lookup is kept apart from measuring it.
  qint32 step(unsigned a, unsigned b) {
    if (const auto* row = steps_[a].get()) {
      if (const qint32 known = (*row)[b]; known != kUnknown) return known;
    }
    return measureStep(a, b);
  }
  Q_NEVER_INLINE qint32 measureStep(unsigned a, unsigned b) {
    std::unique_ptr<std::array<qint32, 256>>& row = steps_[a];
    if (!row) {
      row = std::make_unique<std::array<qint32, 256>>();
      row->fill(kUnknown);
    }
    const QChar chars[] = {QChar(a), QChar(b)};
    return (*row)[b] = inUnits(metrics_.horizontalAdvance(QString(chars, 2)) -
                               metrics_.horizontalAdvance(QString(QChar(a))));
  }

  QFontMetricsF metrics_;
  std::array<qint32, 256> advances_;
  std::array<std::unique_ptr<std::array<qint32, 256>>, 256> steps_;  // by the character before
  QHash<QString, int> laidOut_;
};

FontTextWidths::FontTextWidths(const QWidget* widget) : widget_(widget) {}

void FontTextWidths::ensureFonts() {
  if (plain_) return;
  QFont bold = widget_->font();
  bold.setBold(true);
  plain_.emplace(widget_->font());
  bold_.emplace(bold);
  plainTable_ = &AdvanceTable::of(widget_->font());
  boldTable_ = &AdvanceTable::of(bold);
}

void FontTextWidths::fontChanged() {
  plain_.reset();
  bold_.reset();
}

int FontTextWidths::width(const QString& text, bool bold) {
  ensureFonts();
  AdvanceTable& table = bold ? *boldTable_ : *plainTable_;
  if (const std::optional<int> known = table.laidOut(text)) return *known;
  ++measurements_;
  const int width = (bold ? *bold_ : *plain_).horizontalAdvance(text);
  table.rememberLaidOut(text, width);
  return width;
}

int FontTextWidths::upperBound(QLatin1String text, bool bold) {
  ensureFonts();
  return (bold ? boldTable_ : plainTable_)->upperBound(text);
}

int FontTextWidths::upperBound(QStringView text, bool bold) {
  ensureFonts();
  return (bold ? boldTable_ : plainTable_)->upperBound(text);
}

}  // namespace velta::qt
