// The order acknowledgement form: the distributor's answer to an order, line by line.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace velta::qt {
class Grid;
}

namespace veltaorder {

class frmPoResponse : public QDialog {
  Q_OBJECT

 public:
  explicit frmPoResponse(QWidget* parent = nullptr);

  // 0 account, 1 distributor's order number, 2 PO date, 3 PO number,
  // 4 back-order code, 5 PO status code, 6 PO status message.
  QLabel* lblSearch(int index) const;
  velta::qt::Grid* grdItem() const { return grdItem_; }
  QPushButton* cmdOk() const { return cmdOk_; }

  // Escape acts as "Ok".
  void reject() override;

 private:
  velta::qt::Grid* grdItem_;
  QPushButton* cmdOk_;
};

}  // namespace veltaorder
