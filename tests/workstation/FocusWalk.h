// The keyboard's road through a window or a form: Tab (then Shift+Tab)
// pressed as a user presses it, on whatever has the focus, until the focus
// comes back to where it began. No event loop runs, so it serves inside a
// control's routine too (a form the presenter is showing).
//
//   QStringList faults = roundTheKeyboard(window, poNumber);
//   QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
#pragma once

#include <QList>
#include <QStringList>

class QWidget;

namespace velta::test {

// What a user must reach with Tab in `top`: every button, text field, combo
// box, date field, list, grid and tab bar shown and enabled there that takes
// the focus by Tab (a focus proxy stands for the widget it serves).
QList<QWidget*> tabTargets(const QWidget& top);

// Tab, then Shift+Tab, from `start`: one line per fault ("Tab did not come
// back to X", "Shift+Tab never reached Y"); none when each came back having
// reached every target. A grid that kept the focus would hold it for
// thousands of presses: each walk stops after four presses per target.
QStringList roundTheKeyboard(QWidget& top, QWidget* start);

}  // namespace velta::test
