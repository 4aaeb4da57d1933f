#include "qt/BusyCursor.h"

#include <QApplication>
#include <QCursor>

namespace velta::qt {

BusyCursor::BusyCursor() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // The event loop does not run until the work is done: the window system hears of it now.
  QGuiApplication::sync();
  set_ = true;
}

BusyCursor::~BusyCursor() {
  if (set_) QApplication::restoreOverrideCursor();
}

ArrowCursor::ArrowCursor() {
  if (!QApplication::overrideCursor()) return;
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  set_ = true;
}

ArrowCursor::~ArrowCursor() {
  if (set_) QApplication::restoreOverrideCursor();
}

}  // namespace velta::qt
