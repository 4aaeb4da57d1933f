// Checks made on laid-out widgets from the widgets themselves, never on
// pixels: every caption fits its widget, every grid column its title, and
// nothing lies outside the top-level widget. Each returns one line per
// fault, naming the widget; none when all is well.
//
//   QStringList faults = clippedCaptions(form) + narrowColumns(form) + widgetsOutside(form);
//   QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace velta::test {

// Labels, push buttons and check boxes shown in `top` whose text does not fit:
// wider than the room for text (each line of a multi-line label), or, word
// wrapped, taller than the label.
QStringList clippedCaptions(const QWidget& top);

// Sections of horizontal headers shown in `top` narrower than their titles
// with the header's margins.
QStringList narrowColumns(const QWidget& top);

// Widgets shown in `top` that reach beyond its rectangle (the scrolled
// contents of item views and scroll areas excepted).
QStringList widgetsOutside(const QWidget& top);

// A widget's name for a fault line: its object name, else its class, with its
// parent's name before it.
QString describe(const QWidget& widget);

}  // namespace velta::test
