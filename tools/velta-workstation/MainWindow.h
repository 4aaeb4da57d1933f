// velta-workstation's main window, as a dealer uses it at the parts counter:
//
//   "Purchase order"     the number field and "Load" over the order control
//   "Part availability"  vendor, line, part and quantity fields and "Set part"
//                        over the inquiry control
//   "Journal"            the exchanges the controls recorded
//
// with a menu bar (File > Quit, Go > next and previous page, Help > About)
// and a status bar that says which business system and which distributor
// the controls talk to, where the journal is, the loaded order's lines, and
// how the last load or exchange ended. The controls' properties, which hold
// what the fields showed, are kept in the settings file's sections
// "veltaorder" and "veltaiq" between runs, the window's place and page in
// its section "window". When a control raises controlShutdown its properties
// are saved and a fresh control takes its place for the next order or
// inquiry.
//
//   MainWindow window(setup);
//   window.show();          // the controls' show handlers open the business system
//   app.exec();             // closing the window saves the properties and its place
//
// Keys: Tab and Shift+Tab go round every field and button of the page, the
// grids included (Tab leaves a grid; the arrows move in it); Ctrl+Tab and
// Ctrl+PgDn go to the next page, Ctrl+Shift+Tab and Ctrl+PgUp to the one
// before; Alt with the underlined letter reaches a page, a field or a
// button; Ctrl+Q quits. No button of the window or the order control is a
// default one: Enter in a field loads or sets the part (in the quantity
// field it searches too), and never submits an order.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <memory>

#include "records/SiteOverrides.h"
#include "tools/velta-workstation/ExchangeSettings.h"
#include "tools/velta-workstation/SiteDescription.h"

class QAction;
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

class AboutBox;
class ControlPages;
class JournalView;
class StatusLine;

struct WindowSetup {
  QString settingsFile;       // where the properties and the window's place are kept
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
  // xPONum from the field, then setPO; a field that holds no order number
  // (OrderNumber.h) is refused before the control is asked.
  void loadOrder();
  // xVendor, xLine, xPart and xQty from the fields, then setSearch. After an
  // inquiry the control is shown again first, so that its show handler makes
  // it ready for the next search, as when the window first showed it.
  void setPart();
  // setPart, then "Begin Search": Enter in the quantity field.
  void setPartAndSearch();
  // Help > About, shown window-modal without waiting; the one box is reused.
  AboutBox* showAbout();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildOrderPage();
  QWidget* buildInquiryPage();
  void buildMenus();
  void buildStatusBar();
  void setTabOrders();
  void placeWindow();
  void pageChosen(int index);
  veltaorder::UserControl1* newOrderControl(QWidget* page);
  veltaiq::UserControl1* newInquiryControl(QWidget* page);
  bool setPartFromFields();
  void orderShutdown(veltaorder::UserControl1* control);
  void orderExchangeEnded(veltaorder::UserControl1* control);
  void inquiryShutdown(veltaiq::UserControl1* control);
  void inquiryExchange(veltaiq::UserControl1* control, bool open);
  void replaceOrderControl();
  void replaceInquiryControl();
  void showDistributor();
  void showOrderLines();
  void say(const QString& text);
  QString inquiryPartText() const;

  WindowSetup setup_;
  SiteDescription site_;
  velta::qt::Presenter* presenter_ = nullptr;
  std::unique_ptr<velta::qt::SettingsPropertyBag> orderBag_, inquiryBag_;

  ControlPages* pages_ = nullptr;
  QLineEdit* poNumber_ = nullptr;
  QPushButton* load_ = nullptr;
  QVBoxLayout* orderPageLayout_ = nullptr;
  veltaorder::UserControl1* order_ = nullptr;
  QPointer<veltaorder::UserControl1> orderEnded_;
  bool loadingOrder_ = false;
  QString loadedOrder_;  // the number of the order the control shows; empty: none
  QLineEdit* vendor_ = nullptr;
  QLineEdit* line_ = nullptr;
  QLineEdit* part_ = nullptr;
  QLineEdit* qty_ = nullptr;
  QPushButton* setPart_ = nullptr;
  QVBoxLayout* inquiryPageLayout_ = nullptr;
  veltaiq::UserControl1* inquiry_ = nullptr;
  QPointer<veltaiq::UserControl1> inquiryEnded_;
  bool settingPart_ = false;
  bool inquirySearched_ = false;  // an inquiry went out since the control was last shown
  QString inquiryReport_;         // the last box of the open or last inquiry, "" none
  JournalView* journal_ = nullptr;
  QPointer<AboutBox> about_;

  StatusLine* system_ = nullptr;
  StatusLine* journalLine_ = nullptr;
  StatusLine* distributor_ = nullptr;
  StatusLine* orderLines_ = nullptr;
  StatusLine* outcome_ = nullptr;
  QString orderVendor_, inquiryVendor_;
  QString orderReach_, inquiryReach_;  // host and ports, for the distributor's tooltip
};

}  // namespace velta::workstation
