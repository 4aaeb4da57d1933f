// For the Designer tests: every modal window that opens while a watch lives
// is closed, so that a box cannot hang a test, and its text is kept.
//
//   ModalWatch watch;
//   form.show();
//   QCOMPARE(watch.seen, QStringList());
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

class ModalWatch : public QObject {
 public:
  ModalWatch() {
    timer_.setInterval(20);
    connect(&timer_, &QTimer::timeout, this, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      auto* box = qobject_cast<QMessageBox*>(modal);
      seen << (box ? box->text() : modal->metaObject()->className());
      modal->close();
    });
    timer_.start();
  }
  QStringList seen;  // a box's text, another window's class

 private:
  QTimer timer_;
};
