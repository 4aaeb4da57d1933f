#include "qt/ControlShell.h"

#include <QShowEvent>
#include <utility>

#include "qt/Latin1.h"
#include "qt/QtPresenter.h"

namespace velta::qt {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}  // namespace

ControlShell::ControlShell(QWidget& control, QString library, QString errorTitle)
    : control_(control), library_(std::move(library)), errorTitle_(std::move(errorTitle)) {}

Presenter& ControlShell::presenter() const { return presenter_ ? *presenter_ : QtPresenter::instance(); }

bool ControlShell::runsShowHandler(const QShowEvent& event) const { return !event.spontaneous() && !designMode_; }

void ControlShell::report(const Failure& failure, const char* suffix, const QString& title) {
  report(failure.number, fromLatin1(failure.description), fromLatin1(failure.detail), suffix, title);
}

void ControlShell::report(int number, const QString& description, const QString& detail, const char* suffix,
                          const QString& title) {
  reportText(QStringLiteral(" Error ") + QString::number(number) + QStringLiteral("  ") + description + kCrLf +
                 QString::fromLatin1(suffix) + kCrLf,
             detail, title);
}

void ControlShell::reportText(const QString& text, const QString& detail, const QString& title) {
  errText_ = text;
  if (!detail.isEmpty()) {
    if (!errText_.endsWith(kCrLf)) errText_ += kCrLf;
    errText_ += QStringLiteral("  ") + detail + kCrLf;
  }
  // Every box is a new error, even with the text of the last one.
  if (errTextListener_) {
    try {
      errTextListener_(errText_);
    } catch (...) {
      // A host's handler must not keep the box from being shown.
    }
  }
  MessageBox box;
  box.text = errText_;
  box.title = title.isEmpty() ? errorTitle_ : title;
  box.icon = MessageIcon::None;
  box.buttons = MessageButtons::Ok;
  box.systemModal = true;
  try {
    presenter().showMessage(&control_, box);
  } catch (...) {
    // The error stays in errText; it must not reach Qt.
  }
}

MessageAnswer ControlShell::show(const MessageBox& box) { return presenter().showMessage(&control_, box); }

}  // namespace velta::qt
