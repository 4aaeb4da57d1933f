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

}  // namespace

FocusWalk walkFocus(QWidget& top, QWidget* start, bool forward, int presses) {
  FocusWalk walk;
  start->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  QWidget* const begin = top.focusWidget();
  if (!begin) return walk;
  for (int i = 0; i < presses; ++i) {
    QWidget* at = top.focusWidget();
    if (forward) {
      QTest::keyClick(at, Qt::Key_Tab);
    } else {
      QTest::keyClick(at, Qt::Key_Backtab, Qt::ShiftModifier);
    }
    walk.visited << top.focusWidget();
    if (top.focusWidget() == begin) {
      walk.cameBack = true;
      break;
    }
  }
  return walk;
}

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

QStringList unreached(const QList<QWidget*>& targets, const FocusWalk& walk) {
  QStringList missing;
  for (QWidget* target : targets) {
    if (!walk.visited.contains(target)) missing << describe(*target);
  }
  return missing;
}

}  // namespace velta::test
