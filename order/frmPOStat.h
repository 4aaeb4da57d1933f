// The order status form: what the distributor holds, shipped and back-ordered for an order.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace velta::qt {
class Grid;
}

namespace veltaorder {

class frmPOStat : public QDialog {
  Q_OBJECT

 public:
  explicit frmPOStat(QWidget* parent = nullptr);

  // 0 PO number, 1 original ticket, 2 order date, 3 bill-to account,
  // 4 ship-to account, 5 status code, 6 status message.
  QLabel* lblStatus(int index) const;
  // One group row per order line, its shipment rows at level 1 under it.
  velta::qt::Grid* grdItem() const { return grdItem_; }
  QPushButton* cmdOk() const { return cmdOk_; }

  // Escape acts as "Ok".
  void reject() override;

 private:
  velta::qt::Grid* grdItem_;
  QPushButton* cmdOk_;
};

}  // namespace veltaorder
