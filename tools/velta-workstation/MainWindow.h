// velta-workstation's main window, as a dealer uses it at the parts counter:
//
//   "Purchase order"     the number field and "Load" over the order control
//   "Part availability"  vendor, line, part and quantity fields and "Set part"
//                        over the inquiry control
//   "Journal"            the exchanges the controls recorded
//
// and a status bar that says which business system and which distributor
// the controls talk to, and how the last order ended. The controls'
// properties, which hold what the fields showed, are kept in the settings
// file's sections "veltaorder" and "veltaiq" between runs. When a control
// raises controlShutdown its properties are saved and a fresh control takes
// its place for the next order or inquiry.
//
//   MainWindow window(setup);
//   window.show();          // the controls' show handlers open the business system
//   app.exec();             // closing the window saves the properties
//
// No button of the window or the order control is a default one: Enter in a
// field loads or sets the part, and never submits an order.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <memory>

#include "records/SiteOverrides.h"
#include "tools/velta-workstation/ExchangeSettings.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace veltaorder {
class UserControl1;
}
namespace veltaiq {
class UserControl1;
}
namespace velta::qt {
class Presenter;
class SettingsPropertyBag;
}  // namespace velta::qt

namespace velta::workstation {

class ControlPages;
class JournalView;
class StatusLine;

struct WindowSetup {
  QString settingsFile;       // where the properties are kept
  SiteOverrides site;         // what the libraries were pointed at, for the status bar
  ExchangeSettings exchange;  // deadlines and journal folder for both controls
};

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(const WindowSetup& setup, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Every box and form of both controls goes through `presenter` (not owned),
  // also those of the fresh controls to come; none: the real dialogs.
  void setPresenter(velta::qt::Presenter* presenter);

  veltaorder::UserControl1* orderControl() const { return order_; }
  veltaiq::UserControl1* inquiryControl() const { return inquiry_; }
  ControlPages* pages() const { return pages_; }
  JournalView* journal() const { return journal_; }

  // Writes both controls' properties to the settings file; false when it
  // cannot be written (the status bar says so).
  bool saveSettings();

  static constexpr int kOrderPage = 0;
  static constexpr int kInquiryPage = 1;
  static constexpr int kJournalPage = 2;

 public slots:
  // xPONum from the field, then setPO.
  void loadOrder();
  // xVendor, xLine, xPart and xQty from the fields, then setSearch.
  void setPart();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* buildOrderPage();
  QWidget* buildInquiryPage();
  void setTabOrders();
  veltaorder::UserControl1* newOrderControl(QWidget* page);
  veltaiq::UserControl1* newInquiryControl(QWidget* page);
  void orderShutdown(veltaorder::UserControl1* control);
  void inquiryShutdown(veltaiq::UserControl1* control);
  void replaceOrderControl();
  void replaceInquiryControl();
  void showDistributor();
  void say(const QString& text);

  WindowSetup setup_;
  velta::qt::Presenter* presenter_ = nullptr;
  std::unique_ptr<velta::qt::SettingsPropertyBag> orderBag_, inquiryBag_;

  ControlPages* pages_ = nullptr;
  QLineEdit* poNumber_ = nullptr;
  QPushButton* load_ = nullptr;
  QVBoxLayout* orderPageLayout_ = nullptr;
  veltaorder::UserControl1* order_ = nullptr;
  QPointer<veltaorder::UserControl1> orderEnded_;
  QLineEdit* vendor_ = nullptr;
  QLineEdit* line_ = nullptr;
  QLineEdit* part_ = nullptr;
  QLineEdit* qty_ = nullptr;
  QPushButton* setPart_ = nullptr;
  QVBoxLayout* inquiryPageLayout_ = nullptr;
  veltaiq::UserControl1* inquiry_ = nullptr;
  QPointer<veltaiq::UserControl1> inquiryEnded_;
  JournalView* journal_ = nullptr;

  StatusLine* system_ = nullptr;
  StatusLine* distributor_ = nullptr;
  StatusLine* outcome_ = nullptr;
  QString orderDistributor_, inquiryDistributor_;
};

}  // namespace velta::workstation
