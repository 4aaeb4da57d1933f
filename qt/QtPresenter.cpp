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

QMessageBox::StandardButton qtButton(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Ok: return QMessageBox::Ok;
    case MessageAnswer::Cancel: return QMessageBox::Cancel;
    case MessageAnswer::Yes: return QMessageBox::Yes;
    case MessageAnswer::No: return QMessageBox::No;
    case MessageAnswer::Retry: return QMessageBox::Retry;
    case MessageAnswer::Abort: return QMessageBox::Abort;
    case MessageAnswer::Ignore: return QMessageBox::Ignore;
  }
  return QMessageBox::Ok;
}

// Escape: Cancel where there is one, No of Yes and No, else the first button.
MessageAnswer escapeAnswer(const QList<MessageAnswer>& answers) {
  if (answers.contains(MessageAnswer::Cancel)) return MessageAnswer::Cancel;
  if (answers.contains(MessageAnswer::No)) return MessageAnswer::No;
  return answers.first();
}

MessageAnswer answerOf(QMessageBox::StandardButton button, const MessageBox& box) {
  for (MessageAnswer answer : answersOf(box.buttons)) {
    if (qtButton(answer) == button) return answer;
  }
  return defaultAnswer(box.buttons);
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
  const QList<MessageAnswer> answers = answersOf(box.buttons);
  for (MessageAnswer answer : answers) dialog->addButton(qtButton(answer));
  dialog->setDefaultButton(qtButton(defaultAnswer(box)));
  dialog->setEscapeButton(qtButton(escapeAnswer(answers)));
  // A system-modal request is the strongest modality Qt has.
  dialog->setWindowModality(Qt::ApplicationModal);
  return dialog;
}

MessageAnswer QtPresenter::showMessage(QWidget* owner, const MessageBox& box) {
  const std::unique_ptr<QMessageBox> dialog = createMessageBox(owner, box);
  const ArrowCursor arrow;
  dialog->exec();
  auto* clicked = dialog->clickedButton();
  // Closed without a button: the escape button's answer.
  if (!clicked) return escapeAnswer(answersOf(box.buttons));
  return answerOf(dialog->standardButton(clicked), box);
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
