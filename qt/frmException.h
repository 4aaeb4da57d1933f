// The exception form: what the distributor said when it refused a request.
//
// Both controls show it, with their own wording of the request.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace velta::qt {

enum class ExceptionWording { Order, Inquiry };

class frmException : public QDialog {
  Q_OBJECT

 public:
  explicit frmException(ExceptionWording wording, QWidget* parent = nullptr);

  // Values 0 to 4: account, order (inquiry) number, date, error code, error message.
  QLabel* lblER(int index) const;
  QPushButton* cmdOk() const { return cmdOk_; }

  // Escape acts as "Ok".
  void reject() override;

 private:
  QPushButton* cmdOk_;
};

}  // namespace velta::qt
