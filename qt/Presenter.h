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

/// The answer of the first button of a box with these buttons.
inline MessageAnswer defaultAnswer(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel: return MessageAnswer::Ok;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel: return MessageAnswer::Yes;
    case MessageButtons::RetryCancel: return MessageAnswer::Retry;
    case MessageButtons::AbortRetryIgnore: return MessageAnswer::Abort;
  }
  return MessageAnswer::Ok;
}

/// The answer of the box's default button: what a presenter that answers at
/// once gives.
inline MessageAnswer defaultAnswer(const MessageBox& box) {
  switch (box.buttons) {
    case MessageButtons::OkCancel:
      if (box.defaultButton == 1) return MessageAnswer::Cancel;
      break;
    case MessageButtons::YesNo:
      if (box.defaultButton == 1) return MessageAnswer::No;
      break;
    case MessageButtons::YesNoCancel:
      if (box.defaultButton == 1) return MessageAnswer::No;
      if (box.defaultButton == 2) return MessageAnswer::Cancel;
      break;
    case MessageButtons::RetryCancel:
      if (box.defaultButton == 1) return MessageAnswer::Cancel;
      break;
    case MessageButtons::AbortRetryIgnore:
      if (box.defaultButton == 1) return MessageAnswer::Retry;
      if (box.defaultButton == 2) return MessageAnswer::Ignore;
      break;
    case MessageButtons::Ok: break;
  }
  return defaultAnswer(box.buttons);
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
