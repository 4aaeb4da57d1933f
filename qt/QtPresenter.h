// The presenter every control starts with: real QMessageBox and QDialog::exec().
//
// Qt knows no system modality; a box the control asks to be system-modal is
// application-modal here, which is the closest a Qt application can come.
#pragma once

#include <memory>

#include "qt/Presenter.h"

class QMessageBox;

namespace velta::qt {

class QtPresenter : public Presenter {
 public:
  MessageAnswer showMessage(QWidget* owner, const MessageBox& box) override;
  void showForm(QWidget* owner, QDialog& form) override;

  // The one presenter a control uses when its host sets none.
  static QtPresenter& instance();
};

// The box showMessage shows, built and not yet shown: icon, title, text,
// buttons, the default and the escape button, application-modal.
std::unique_ptr<QMessageBox> createMessageBox(QWidget* owner, const MessageBox& box);

// The text with every CR LF and every lone CR turned into LF, as Qt breaks lines.
QString withLineFeeds(const QString& text);

}  // namespace velta::qt
