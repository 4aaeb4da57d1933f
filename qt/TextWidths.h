// The widths of cell texts as a view draws them, for fitting its columns.
//
// Laying a text out (QFontMetrics::horizontalAdvance) costs about a
// microsecond; an answer of thousands of cells would spend most of its
// showing there. Most cells of a column cannot be its widest, and a cheap
// upper bound tells which: the sum of the characters' advances and of what
// each neighbouring pair adds or takes (kerning), both measured once per font
// and process, as the shaper lays out a Latin text pair by pair; one pixel is
// added for rounding and for what a shaper does beyond pairs. Only cells whose
// bound reaches the widest width found are laid out, and a text laid out once
// in a font is remembered for the process.
//
//   FontTextWidths widths(view);          // the view's font, and it in bold
//   widths.upperBound(QLatin1String("OIL FILTER"), false);   // >= the width, or -1
//   widths.width(QStringLiteral("OIL FILTER"), false);       // exact, counted
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QLatin1String>
#include <QString>
#include <QStringView>
#include <optional>

class QWidget;

namespace velta::qt {

// What a grid's model asks about its texts (a seam: tests give their own).
class TextWidths {
 public:
  virtual ~TextWidths() = default;
  // The width in pixels as the view draws the text, plain or bold.
  virtual int width(const QString& text, bool bold) = 0;
  // A width the text does not exceed, told without laying it out; -1 for a
  // text it cannot tell (a character beyond Latin-1, a control character).
  virtual int upperBound(QLatin1String text, bool bold) = 0;
  virtual int upperBound(QStringView text, bool bold) = 0;
};

class AdvanceTable;

// In a widget's font and that font in bold (the look of a bold cell).
class FontTextWidths : public TextWidths {
 public:
  explicit FontTextWidths(const QWidget* widget);

  int width(const QString& text, bool bold) override;
  int upperBound(QLatin1String text, bool bold) override;
  int upperBound(QStringView text, bool bold) override;

  // The widget's font changed: what was made for the old one goes.
  void fontChanged();
  // Texts laid out by width() so far: one laid out before in the same font,
  // by any grid of the process, is remembered instead (up to some thousands).
  qint64 measurements() const { return measurements_; }

 private:
  void ensureFonts();

  const QWidget* widget_;
  qint64 measurements_ = 0;
  std::optional<QFontMetrics> plain_, bold_;
  AdvanceTable* plainTable_ = nullptr;  // shared by the process, never freed
  AdvanceTable* boldTable_ = nullptr;
};

}  // namespace velta::qt
