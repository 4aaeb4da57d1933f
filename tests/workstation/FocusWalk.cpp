#include "workstation/FocusWalk.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSet>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>

#include "workstation/LayoutChecks.h"

namespace velta::test {

namespace {

QWidget* focusTarget(QWidget* widget) {
  while (widget && widget->focusProxy()) widget = widget->focusProxy();
  return widget;
}

bool isControlToReach(const QWidget* w) {
  return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
         qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
         qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QTabBar*>(w) ||
         qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w);
}

// The focus after each press of Tab (or Shift+Tab) from `start`, up to where it came back.
QList<QWidget*> walkFocus(QWidget& top, QWidget* start, bool forward, int presses, bool* cameBack) {
  QList<QWidget*> visited;
  *cameBack = false;
  start->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  QWidget* const begin = top.focusWidget();
  for (int i = 0; begin && i < presses && !*cameBack; ++i) {
    if (forward) {
      QTest::keyClick(top.focusWidget(), Qt::Key_Tab);
    } else {
      QTest::keyClick(top.focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    }
    visited << top.focusWidget();
    *cameBack = top.focusWidget() == begin;
  }
  return visited;
}

}  // namespace

QList<QWidget*> tabTargets(const QWidget& top) {
  QList<QWidget*> targets;
  QSet<QWidget*> seen;
  for (QWidget* w : top.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&top) || !w->isEnabled() || (w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus) continue;
    if (!isControlToReach(w)) continue;
    QWidget* target = focusTarget(w);
    if (seen.contains(target)) continue;
    seen.insert(target);
    targets << target;
  }
  return targets;
}

QStringList roundTheKeyboard(QWidget& top, QWidget* start) {
  const QList<QWidget*> targets = tabTargets(top);
  const int presses = 4 * static_cast<int>(targets.size()) + 10;
  QStringList faults;
  for (const bool forward : {true, false}) {
    const QString key = forward ? QStringLiteral("Tab") : QStringLiteral("Shift+Tab");
    bool cameBack = false;
    const QList<QWidget*> visited = walkFocus(top, start, forward, presses, &cameBack);
    if (!cameBack) faults << key + QStringLiteral(" did not come back to ") + describe(*start);
    for (QWidget* target : targets) {
      if (!visited.contains(target)) faults << key + QStringLiteral(" never reached ") + describe(*target);
    }
  }
  return faults;
}

}  // namespace velta::test
