/// \file
/// The one seam through which a control shows message boxes and modal forms.
///
/// Each control holds its own presenter (QtPresenter unless the host sets
/// another), so that a host can answer boxes itself, tests can record them and
/// the headless workstation can print them. Qt and the standard library only:
/// a host subclasses it without linking anything of the controls.
///
/// \code
///   class MyPresenter : public velta::qt::Presenter {
///     MessageAnswer showMessage(QWidget* owner, const MessageBox& box) override;
///     void showForm(QWidget* owner, QDialog& form) override;
///   };
///   control.setPresenter(&myPresenter);
/// \endcode
#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QWidget>

namespace velta::qt {

/// The icon a box shows.
enum class MessageIcon { None, Critical, Exclamation, Information, Question };
/// The buttons a box offers, in the order given.
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
/// The button the user chose.
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

/// A message box a control asks for.
struct MessageBox {
  /// Lines are separated by CR LF as the controls build them; a presenter shows
  /// each line break as one.
  QString text;
  /// The box's caption.
  QString title;
  /// Its icon and its buttons.
  ///@{
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;
  ///@}
  /// The control asked for a box that blocks more than its own window.
  bool systemModal = false;
  /// The button Enter presses, from the first (0): a question whose safe
  /// answer is No makes the second of Yes and No the default.
  int defaultButton = 0;
};

/// The answers of a box's buttons, first to last.
inline QList<MessageAnswer> answersOf(MessageButtons buttons) {
  using A = MessageAnswer;
  switch (buttons) {
    case MessageButtons::Ok: return {A::Ok};
    case MessageButtons::OkCancel: return {A::Ok, A::Cancel};
    case MessageButtons::YesNo: return {A::Yes, A::No};
    case MessageButtons::YesNoCancel: return {A::Yes, A::No, A::Cancel};
    case MessageButtons::RetryCancel: return {A::Retry, A::Cancel};
    case MessageButtons::AbortRetryIgnore: return {A::Abort, A::Retry, A::Ignore};
  }
  return {A::Ok};
}

/// The answer of the first button of a box with these buttons.
inline MessageAnswer defaultAnswer(MessageButtons buttons) { return answersOf(buttons).first(); }

/// The answer of the box's default button (the first when it names none of
/// them): what a presenter that answers at once gives.
inline MessageAnswer defaultAnswer(const MessageBox& box) {
  const QList<MessageAnswer> answers = answersOf(box.buttons);
  return answers.value(box.defaultButton, answers.first());
}

/// What shows a control's message boxes and modal forms; a host's own answers them itself.
class Presenter {
 public:
  virtual ~Presenter() = default;

  /// Shows the box owned by `owner` and returns the button the user chose.
  virtual MessageAnswer showMessage(QWidget* owner, const MessageBox& box) = 0;
  /// Shows the form modally, owned by `owner`, and returns once it was closed
  /// (its "Ok" button hides it). The caller still owns the form.
  virtual void showForm(QWidget* owner, QDialog& form) = 0;
};

}  // namespace velta::qt
