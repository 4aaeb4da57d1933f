// The keyboard's road through a window or a form: Tab (or Shift+Tab) pressed
// as a user presses it, on whatever has the focus, until the focus comes back
// to where it began, and what a user must be able to reach on that road.
// No event loop runs, so it serves inside a control's routine too (a form
// the presenter is showing).
//
//   const FocusWalk walk = walkFocus(window, poNumber, true, 200);
//   QVERIFY(walk.cameBack);
//   QCOMPARE(unreached(tabTargets(window), walk), QStringList());
#pragma once

#include <QList>
#include <QStringList>

class QWidget;

namespace velta::test {

struct FocusWalk {
  QList<QWidget*> visited;  // where the focus was after each press
  bool cameBack = false;    // it came back to where it began within the presses allowed
};

// Gives `start` the focus, then presses Tab (`forward`) or Shift+Tab on the
// focus of `top` until it is back on `start`, at most `presses` times.
FocusWalk walkFocus(QWidget& top, QWidget* start, bool forward, int presses);

// What a user must reach with Tab in `top`: every button, text field, combo
// box, date field, list, grid and tab bar shown and enabled there that takes
// the focus by Tab (a focus proxy stands for the widget it serves).
QList<QWidget*> tabTargets(const QWidget& top);

// The names (describe()) of the targets that the walk never reached.
QStringList unreached(const QList<QWidget*>& targets, const FocusWalk& walk);

}  // namespace velta::test
