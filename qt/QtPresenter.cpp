#include "qt/QtPresenter.h"

#include <QMessageBox>

#include "qt/BusyCursor.h"

namespace velta::qt {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None: return QMessageBox::NoIcon;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

struct ButtonSet {
  QList<QMessageBox::StandardButton> buttons;  // the first is the default
  QMessageBox::StandardButton escape;
};

ButtonSet qtButtons(MessageButtons buttons) {
  using B = QMessageBox;
  switch (buttons) {
    case MessageButtons::Ok: return {{B::Ok}, B::Ok};
    case MessageButtons::OkCancel: return {{B::Ok, B::Cancel}, B::Cancel};
    case MessageButtons::YesNo: return {{B::Yes, B::No}, B::No};
    case MessageButtons::YesNoCancel: return {{B::Yes, B::No, B::Cancel}, B::Cancel};
    case MessageButtons::RetryCancel: return {{B::Retry, B::Cancel}, B::Cancel};
    case MessageButtons::AbortRetryIgnore: return {{B::Abort, B::Retry, B::Ignore}, B::Abort};
  }
  return {{B::Ok}, B::Ok};
}

MessageAnswer answerOf(QMessageBox::StandardButton button, MessageButtons buttons) {
  switch (button) {
    case QMessageBox::Ok: return MessageAnswer::Ok;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Retry: return MessageAnswer::Retry;
    case QMessageBox::Abort: return MessageAnswer::Abort;
    case QMessageBox::Ignore: return MessageAnswer::Ignore;
    default: return defaultAnswer(buttons);
  }
}

}  // namespace

QString withLineFeeds(const QString& text) {
  QString result = text;
  result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

std::unique_ptr<QMessageBox> createMessageBox(QWidget* owner, const MessageBox& box) {
  auto dialog = std::make_unique<QMessageBox>(owner);
  dialog->setIcon(qtIcon(box.icon));
  dialog->setWindowTitle(box.title);
  dialog->setText(withLineFeeds(box.text));
  dialog->setTextFormat(Qt::PlainText);
  const ButtonSet set = qtButtons(box.buttons);
  for (auto button : set.buttons) dialog->addButton(button);
  const int defaultIndex = box.defaultButton >= 0 && box.defaultButton < static_cast<int>(set.buttons.size()) ? box.defaultButton : 0;
  dialog->setDefaultButton(set.buttons[defaultIndex]);
  dialog->setEscapeButton(set.escape);
  // A system-modal request is the strongest modality Qt has.
  dialog->setWindowModality(Qt::ApplicationModal);
  return dialog;
}

MessageAnswer QtPresenter::showMessage(QWidget* owner, const MessageBox& box) {
  const std::unique_ptr<QMessageBox> dialog = createMessageBox(owner, box);
  const ArrowCursor arrow;
  dialog->exec();
  auto* clicked = dialog->clickedButton();
  const auto standard = clicked ? dialog->standardButton(clicked) : qtButtons(box.buttons).escape;
  return answerOf(standard, box.buttons);
}

void QtPresenter::showForm(QWidget* owner, QDialog& form) {
  // Owned by the control while shown (centred on it, closed with it); the
  // caller's own parent comes back afterwards, so the caller alone decides
  // when the form goes.
  QWidget* const previousParent = form.parentWidget();
  const Qt::WindowFlags previousFlags = form.windowFlags();
  const bool reparent = owner && previousParent != owner;
  if (reparent) form.setParent(owner, previousFlags | Qt::Dialog);
  form.setWindowModality(Qt::ApplicationModal);
  {
    const ArrowCursor arrow;
    form.exec();
  }
  if (reparent) form.setParent(previousParent, previousFlags);
}

QtPresenter& QtPresenter::instance() {
  static QtPresenter presenter;
  return presenter;
}

}  // namespace velta::qt
