// The order control's form: its controls in the order of the original form,
// with their names and captions, their layout and tab order, the busy display,
// and what loading a purchase order shows on them.
//
//   OrderForm form(*control);        // every control a child of the control
//   form.busy(true);                 // "Transmission in Process... Please Wait." and the bar
//   loader.load(number);             // through the form as PurchaseOrderView
#pragma once

#include <QString>
#include <array>
#include <string>

#include "order/PurchaseOrderLoader.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class QWidget;

namespace velta::qt {
class Grid;
class Socket;
}  // namespace velta::qt

namespace veltaorder {

struct OrderForm : velta::PurchaseOrderView {
  static constexpr int kTickMilliseconds = 100;
  static constexpr int kBusyLast = 98;  // the busy bar runs 1 to 98, then starts again

  explicit OrderForm(QWidget& control);

  QWidget* q;
  QTimer* Timer1 = nullptr;
  // Shows the busy display once the event loop has heard the sockets (busy()).
  QTimer* busyShow = nullptr;
  QPushButton* cmdPOStat = nullptr;
  velta::qt::Socket* ws2 = nullptr;
  QCheckBox* Check1 = nullptr;
  QComboBox* cmbBoShip = nullptr;
  QComboBox* cmbBOC = nullptr;
  QComboBox* cmbSM = nullptr;
  QDateEdit* dtpSD = nullptr;
  velta::qt::Socket* ws1 = nullptr;
  QCheckBox* chkDrop = nullptr;
  QPushButton* cmdSubmit = nullptr;
  QPushButton* cmdExit = nullptr;
  velta::qt::Grid* VSFlexGrid1 = nullptr;
  QProgressBar* pb1 = nullptr;
  QLabel* lblXmit = nullptr;
  QLabel* Label4 = nullptr;
  std::array<QLabel*, 10> Label2{};
  std::array<QLabel*, 9> lblPOHdr{};
  QLabel* lblPO = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label1 = nullptr;

  // The option lists, each on its first entry ("   Default").
  void fillOptionLists();
  // The busy display: the bar running and, at the next turn of the event loop,
  // its label and bar shown; or all of it off at once.
  void busy(bool on);
  // One tick of the bar: 1 to 98, then 1 again.
  void tick();

  // PurchaseOrderView: what loading shows.
  void clearRows() override;
  void setRepaint(bool on) override;
  void setActions(bool submitEnabled, bool statusEnabled) override;
  void showHeader(int index, const std::string& text) override;
  void showPorts(const std::string& text) override;
  void showDropShip(bool dropShip) override;
  void addRow(const std::string& tabText) override;

 private:
  void layOut();
};

}  // namespace veltaorder
