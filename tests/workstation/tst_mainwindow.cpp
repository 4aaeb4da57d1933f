// velta-workstation's main window on the sample business system, its
// distributor the real simulator: both controls under their fields, the tab
// order and the keyboard's road through every page and form, the page keys
// and mnemonics, the menus, no default button on the order control, the
// status bar, a whole order through the window (Escape on its form, a fresh
// control, the journal), an inquiry asked again, the order numbers the
// window loads, the window's size and place, and the fields kept between
// runs. The platform's one screen is 1366 by 768 (screen-1366x768.json).
#include <velta/version.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <csignal>
#include <memory>

#include "inquiry/UserControl1.h"
#include "link/ExchangeJournal.h"
#include "order/UserControl1.h"
#include "qt/Grid.h"
#include "qt/Transcript.h"
#include "support/RecordingPresenter.h"
#include "tools/velta-workstation/AboutBox.h"
#include "tools/velta-workstation/ControlPages.h"
#include "tools/velta-workstation/JournalView.h"
#include "tools/velta-workstation/MainWindow.h"
#include "tools/velta-workstation/StatusLine.h"
#include "tools/velta-workstation/WindowPlacement.h"
#include "workstation/FocusWalk.h"
#include "workstation/LayoutChecks.h"
#include "workstation/SampleSite.h"

using velta::workstation::MainWindow;

namespace {

const QString kOrderExitTip = QStringLiteral("Closes this purchase order, not the program: the window stays for the next one");
const QString kInquiryExitTip = QStringLiteral("Closes this inquiry, not the program: the part's fields stay for the next one");

// The whole text of a status line, however much of it its room shows.
QString statusText(const MainWindow& window, const char* name) {
  const auto* line = window.findChild<velta::workstation::StatusLine*>(QString::fromLatin1(name));
  return line ? line->fullText() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

// The inquiry page's fields: vendor 1207, FLT 1A0013, quantity 2.
void fillPartFields(QWidget& window) {
  const char* const values[][2] = {{"vendor", "1207"}, {"line", "FLT"}, {"part", "1A0013"}, {"qty", "2"}};
  for (const auto& [name, value] : values) {
    window.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromLatin1(value));
  }
}

// A grid of a control library: made by the library's own copy of the Qt layer.
const velta::qt::Grid* grid(const QWidget& parent, const char* name) {
  const auto* found = velta::qt::asGrid(parent.findChild<QWidget*>(QString::fromLatin1(name)));
  if (!found) qFatal("no grid %s", name);
  return found;
}

template <typename T>
T* child(const QWidget& parent, const char* name) {
  T* found = parent.findChild<T*>(QString::fromLatin1(name));
  if (!found) qFatal("no child %s", name);
  return found;
}

// The widgets Tab visits from `from`, in order, until it comes back: what
// QWidget::focusNextChild chooses among.
QStringList tabStops(QWidget* from) {
  QStringList stops{velta::test::describe(*from)};
  for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isVisibleTo(from->window()) && w->isEnabled() &&
        !w->focusProxy()) {
      stops << velta::test::describe(*w);
    }
  }
  return stops;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void bothControlsUnderTheirFields();
  void theStatusBarNamesTheBusinessSystem();
  void loadSetsTheNumberAndCallsSetPO();
  void setPartSetsTheFourPropertiesAndCallsSetSearch();
  void tabGoesFromTheFieldsToTheButtonToTheControl_data();
  void tabGoesFromTheFieldsToTheButtonToTheControl();
  void theTabKeyFollowsTheChain();
  void theOrderControlHasNoDefaultButton();
  void enterOnSubmitOrderSendsNothing();
  void goingToAnotherPageKeepsTheUsersChoices();
  void aWholeOrderThroughTheWindow();
  void theFieldsAreKeptBetweenRuns();
  void theJournalViewListsAJournalBuiltByTheLink();
  void withoutAJournalFolderThePageSaysHowToNameOne();
  void aLongStatusLineIsShortenedInTheMiddle();

  void tabAndShiftTabReachEveryFieldAndButtonOfAPage_data();
  void tabAndShiftTabReachEveryFieldAndButtonOfAPage();
  void everyFormIsReachedByTabAndGrowsWithItsGrid_data();
  void everyFormIsReachedByTabAndGrowsWithItsGrid();
  void aKeyReachesItsPageFieldOrButton_data();
  void aKeyReachesItsPageFieldOrButton();
  void theMenusQuitAndTellAbout();
  void loadIsRefusedForWhatIsNoOrderNumber_data();
  void loadIsRefusedForWhatIsNoOrderNumber();
  void anInquiryCanBeAskedAgain();
  void theStatusBarTellsTheLoadedOrder_data();
  void theStatusBarTellsTheLoadedOrder();
  void theStatusBarKeepsNothingStale();
  void anOrderThatWasNotSentSaysSo();
  void theWindowOpensShowingTenOrderLines();
  void theWindowsPlaceAndPageAreKeptBetweenRuns();
  void aSavedPlaceIsKeptOnAScreen_data();
  void aSavedPlaceIsKeptOnAScreen();

 private:
  std::unique_ptr<MainWindow> shownWindow(const QString& journal = {});
  void activate(MainWindow& window);
  QString settingsFile() const { return dir_.filePath(QStringLiteral("workstation.ini")); }

  QTemporaryDir dir_;
  std::unique_ptr<velta::test::SampleSite> site_, refusing_;
  velta::qt::RecordingPresenter presenter_;
  QString journalFolder_;
};

void MainWindowTest::initTestCase() {
  QVERIFY(dir_.isValid());
  site_ = std::make_unique<velta::test::SampleSite>(dir_.filePath(QStringLiteral("site")).toStdString());
  refusing_ = std::make_unique<velta::test::SampleSite>(
      dir_.filePath(QStringLiteral("refusing")).toStdString(),
      std::vector<std::string>{"--fault", "exception@order", "--fault", "exception@inquiry"});
}

void MainWindowTest::init() {
  site_->use();
  presenter_.clear();
  presenter_.onForm = nullptr;
  QFile::remove(settingsFile());
  journalFolder_ = dir_.filePath(QStringLiteral("journal-%1").arg(QString::fromLatin1(QTest::currentTestFunction())));
}

void MainWindowTest::cleanup() { presenter_.onForm = nullptr; }

std::unique_ptr<MainWindow> MainWindowTest::shownWindow(const QString& journal) {
  velta::workstation::WindowSetup setup{settingsFile(), site_->overrides(), {}};
  setup.exchange.journal = journal.isEmpty() ? journalFolder_ : journal;
  auto window = std::make_unique<MainWindow>(setup);
  window->setPresenter(&presenter_);
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) qFatal("the window was not shown");
  return window;
}

// Shortcuts and mnemonics go to the active window only.
void MainWindowTest::activate(MainWindow& window) {
  window.activateWindow();
  if (!QTest::qWaitForWindowActive(&window)) qFatal("the window did not become active");
}

void MainWindowTest::bothControlsUnderTheirFields() {
  auto window = shownWindow();
  auto* tabs = window->pages()->tabBar();
  QCOMPARE(tabs->count(), 3);
  QCOMPARE(tabs->tabText(MainWindow::kOrderPage), QStringLiteral("Purchase &order"));
  QCOMPARE(tabs->tabText(MainWindow::kInquiryPage), QStringLiteral("Part availa&bility"));
  QCOMPARE(tabs->tabText(MainWindow::kJournalPage), QStringLiteral("&Journal"));
  QVERIFY(window->pages()->page(MainWindow::kOrderPage)->isAncestorOf(window->orderControl()));
  QVERIFY(window->pages()->page(MainWindow::kInquiryPage)->isAncestorOf(window->inquiryControl()));
  QVERIFY(window->pages()->page(MainWindow::kJournalPage)->isAncestorOf(window->journal()));
  // Both shown, so both ran their show handlers on the sample: the version text, an enabled search.
  QVERIFY(window->orderControl()->isVisible());
  QVERIFY(window->inquiryControl()->isVisible());
  QVERIFY(child<QLabel>(*window->orderControl(), "Label3")->text().contains(QLatin1Char('.')));
  QVERIFY(child<QPushButton>(*window->inquiryControl(), "CmdSearch")->isEnabledTo(window->inquiryControl()));
  QCOMPARE(window->orderControl()->journalFolder(), journalFolder_);
  QCOMPARE(window->inquiryControl()->journalFolder(), journalFolder_);
  QVERIFY(presenter_.boxes.isEmpty());
  // Only the chosen page can be reached.
  QVERIFY(window->pages()->page(MainWindow::kOrderPage)->isEnabled());
  QVERIFY(!window->pages()->page(MainWindow::kInquiryPage)->isEnabled());
  QVERIFY(!window->pages()->page(MainWindow::kJournalPage)->isEnabled());
  QCOMPARE(statusText(*window, "statusDistributor"),
           QStringLiteral("Distributor: not known until an order is loaded or a part is set"));
  QCOMPARE(statusText(*window, "statusOrder"), QStringLiteral("No purchase order loaded"));
  QCOMPARE(statusText(*window, "statusOutcome"), QStringLiteral("Ready"));
  QCOMPARE(statusText(*window, "statusJournal"), QStringLiteral("Journal: ") + journalFolder_);
  // The controls' "Exit" keeps its caption; the window says what it ends.
  for (const auto& [control, tip] :
       {std::pair<QWidget*, QString>{window->orderControl(), kOrderExitTip}, {window->inquiryControl(), kInquiryExitTip}}) {
    auto* exit = child<QPushButton>(*control, "cmdExit");
    QCOMPARE(exit->text(), QStringLiteral("Exit"));
    QCOMPARE(exit->toolTip(), tip);
    QCOMPARE(exit->statusTip(), tip);
  }
  for (int size : {16, 24, 32, 48, 64, 128, 256}) QVERIFY(window->windowIcon().availableSizes().contains(QSize(size, size)));
}

void MainWindowTest::theStatusBarNamesTheBusinessSystem() {
  auto window = shownWindow();
  const auto& biz = site_->business();
  // The sample's share map in its configuration folder, and the root the window was given.
  const QString map = QString::fromStdString((biz.configHome() / "velta" / "shares.conf").string());
  const QString line = QStringLiteral("Business system: server SRV, directory D1");
  QCOMPARE(statusText(*window, "statusSystem"), line);
  // The paths, for support, in its tooltip.
  QCOMPARE(child<velta::workstation::StatusLine>(*window, "statusSystem")->toolTip(),
           line + QStringLiteral("\nSettings file: ") + QString::fromStdString((biz.tmpDir() / "hBTCatalog.ini").string()) +
               QStringLiteral("\nShares: share map ") + map + QStringLiteral(", UNC root ") +
               QString::fromStdString(biz.root.string()));
  // Without a journal the status bar says none is kept.
  auto without = std::make_unique<MainWindow>(velta::workstation::WindowSetup{settingsFile(), site_->overrides(), {}});
  QCOMPARE(statusText(*without, "statusJournal"), QStringLiteral("Journal: none kept"));
}

void MainWindowTest::loadSetsTheNumberAndCallsSetPO() {
  auto window = shownWindow();
  QTest::keyClicks(child<QLineEdit>(*window, "poNumber"), QStringLiteral("100231"));
  QTest::mouseClick(child<QPushButton>(*window, "loadOrder"), Qt::LeftButton);
  auto* control = window->orderControl();
  QCOMPARE(control->xPONum(), QVariant(QStringLiteral("100231")));
  QCOMPARE(child<QLabel>(*control, "lblPO")->text(), QStringLiteral("100231"));
  QVERIFY(grid(*control, "VSFlexGrid1")->Rows() > 1);
  QVERIFY(child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QCOMPARE(statusText(*window, "statusDistributor"), QStringLiteral("Distributor: NORTHERN PARTS DISTRIBUTION for the order"));
  // Where it is reached, for support.
  QCOMPARE(child<velta::workstation::StatusLine>(*window, "statusDistributor")->toolTip(),
           QStringLiteral("Distributor: NORTHERN PARTS DISTRIBUTION for the order\norders at 127.0.0.1, ports %1 - %2")
               .arg(site_->port(velta::distributor::Service::Order))
               .arg(site_->port(velta::distributor::Service::Status)));
  QVERIFY(presenter_.boxes.isEmpty());
}

void MainWindowTest::setPartSetsTheFourPropertiesAndCallsSetSearch() {
  auto window = shownWindow();
  window->pages()->setCurrentIndex(MainWindow::kInquiryPage);
  fillPartFields(*window);
  QTest::mouseClick(child<QPushButton>(*window, "setPart"), Qt::LeftButton);
  auto* control = window->inquiryControl();
  QCOMPARE(control->xVendor(), QVariant(1207));
  QCOMPARE(control->xLine(), QVariant(QStringLiteral("FLT")));
  QCOMPARE(control->xPart(), QVariant(QStringLiteral("1A0013")));
  QCOMPARE(control->xQty(), QVariant(QStringLiteral("2")));
  const auto* entry = grid(*control, "grdIQ");
  QCOMPARE(entry->TextMatrix(1, 0), QStringLiteral("FLT"));
  QCOMPARE(entry->TextMatrix(1, 1), QStringLiteral("1A0013"));
  QCOMPARE(entry->TextMatrix(1, 2), QStringLiteral("2"));
  QCOMPARE(entry->TextMatrix(1, 3), QString());  // no description, not a new control's "0"
  QVERIFY(presenter_.boxes.isEmpty());
  QCOMPARE(statusText(*window, "statusDistributor"),
           QStringLiteral("Distributor: 1207 - NORTHERN PARTS DISTRIBUTION for the inquiry"));
  QCOMPARE(child<velta::workstation::StatusLine>(*window, "statusDistributor")->toolTip(),
           QStringLiteral("Distributor: 1207 - NORTHERN PARTS DISTRIBUTION for the inquiry\ninquiries at 127.0.0.1, port %1")
               .arg(site_->port(velta::distributor::Service::Inquiry)));
  QCOMPARE(statusText(*window, "statusOutcome"),
           QStringLiteral("Part FLT 1A0013, quantity 2, set for vendor 1207 - NORTHERN PARTS DISTRIBUTION: "
                          "Begin Search asks the distributor"));
  // Enter in a field sets the part too: a vendor the business system does not know ends the control.
  child<QLineEdit>(*window, "vendor")->setText(QStringLiteral("4444"));
  QPointer<veltaiq::UserControl1> before = control;
  QTest::keyClick(child<QLineEdit>(*window, "line"), Qt::Key_Return);
  QCOMPARE(presenter_.boxes.size(), 1);
  QCOMPARE(presenter_.boxes[0].box.text, QStringLiteral("Can not find Vendor... aborting!"));
  QCOMPARE(statusText(*window, "statusOutcome"),
           QStringLiteral("Vendor 4444 is not in the business system; the part's fields are kept"));
  QTRY_VERIFY(window->inquiryControl() != before.data());
  // The fresh control shows no vendor: nor does the status bar.
  QCOMPARE(statusText(*window, "statusDistributor"),
           QStringLiteral("Distributor: not known until an order is loaded or a part is set"));
  QTRY_VERIFY(before.isNull());
  QCOMPARE(window->inquiryControl()->xVendor(), QVariant(4444));
  QVERIFY(window->inquiryControl()->isVisible());
}

void MainWindowTest::tabGoesFromTheFieldsToTheButtonToTheControl_data() {
  QTest::addColumn<int>("page");
  QTest::addColumn<QString>("first");
  QTest::addColumn<QStringList>("stops");
  QTest::newRow("order") << MainWindow::kOrderPage << QStringLiteral("poNumber")
                         << QStringList{"orderPage/poNumber", "orderPage/loadOrder", "orderControl/dtpSD",
                                        "orderControl/cmbSM", "orderControl/Check1", "orderControl/cmbBOC",
                                        "orderControl/cmbBoShip", "orderControl/chkDrop", "VSFlexGrid1/QTableView",
                                        "orderControl/cmdSubmit", "orderControl/cmdExit", "pages/pageTabs"};
  QTest::newRow("inquiry") << MainWindow::kInquiryPage << QStringLiteral("vendor")
                           << QStringList{"inquiryPage/vendor", "inquiryPage/line", "inquiryPage/part",
                                          "inquiryPage/qty", "inquiryPage/setPart", "grdIQ/QTableView",
                                          "grdItem/QTableView", "inquiryControl/CmdSearch",
                                          "inquiryControl/cmdExit", "pages/pageTabs"};
}

void MainWindowTest::tabGoesFromTheFieldsToTheButtonToTheControl() {
  QFETCH(int, page);
  QFETCH(QString, first);
  QFETCH(QStringList, stops);
  auto window = shownWindow();
  child<QLineEdit>(*window, "poNumber")->setText(QStringLiteral("100231"));
  window->loadOrder();
  window->pages()->setCurrentIndex(page);
  const QStringList actual = tabStops(child<QWidget>(*window, qPrintable(first)));
  QVERIFY2(actual == stops, qPrintable(actual.join(QStringLiteral(", "))));
}

void MainWindowTest::theTabKeyFollowsTheChain() {
  auto window = shownWindow();
  window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  auto* field = child<QLineEdit>(*window, "poNumber");
  field->setText(QStringLiteral("100231"));  // "Load" is enabled for an order number only
  field->setFocus();
  QTRY_COMPARE(QApplication::focusWidget(), field);
  QTest::keyClick(field, Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), child<QPushButton>(*window, "loadOrder"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), child<QWidget>(*window->orderControl(), "dtpSD"));
}

void MainWindowTest::theOrderControlHasNoDefaultButton() {
  auto window = shownWindow();
  const auto buttons = window->orderControl()->findChildren<QPushButton*>();
  QCOMPARE(buttons.size(), 3);
  for (const QPushButton* button : buttons) {
    QVERIFY2(!button->isDefault(), qPrintable(button->objectName()));
    QVERIFY2(!button->autoDefault(), qPrintable(button->objectName()));
  }
  // Not even on a dialog, where Qt would make every push button an auto-default one.
  QDialog dialog;
  veltaorder::UserControl1 onDialog(&dialog);
  for (const QPushButton* button : onDialog.findChildren<QPushButton*>()) {
    QVERIFY2(!button->autoDefault(), qPrintable(button->objectName()));
  }
}

void MainWindowTest::enterOnSubmitOrderSendsNothing() {
  auto window = shownWindow();
  window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  child<QLineEdit>(*window, "poNumber")->setText(QStringLiteral("100231"));
  window->loadOrder();
  auto* submit = child<QPushButton>(*window->orderControl(), "cmdSubmit");
  QVERIFY(submit->isEnabled());
  submit->setFocus();
  QTRY_COMPARE(QApplication::focusWidget(), submit);
  QSignalSpy clicked(submit, &QPushButton::clicked);
  QTest::keyClick(submit, Qt::Key_Return);
  QTest::keyClick(submit, Qt::Key_Enter);
  QTest::keyClick(window->orderControl(), Qt::Key_Return);
  QCOMPARE(clicked.count(), 0);
  QVERIFY(!window->orderControl()->isTransmitting());
  QVERIFY(submit->isEnabled());
  QCOMPARE(window->orderControl()->lastOutcome(), QStringLiteral("none"));
}

void MainWindowTest::goingToAnotherPageKeepsTheUsersChoices() {
  auto window = shownWindow();
  child<QLineEdit>(*window, "poNumber")->setText(QStringLiteral("100231"));
  window->loadOrder();
  auto* shipMethod = child<QComboBox>(*window->orderControl(), "cmbSM");
  shipMethod->setCurrentIndex(3);
  const QString chosen = shipMethod->currentText();
  window->pages()->setCurrentIndex(MainWindow::kJournalPage);
  window->pages()->setCurrentIndex(MainWindow::kOrderPage);
  // A control hidden and shown again would have run its show handler, back to the default entry.
  QCOMPARE(shipMethod->currentText(), chosen);
  QVERIFY(window->orderControl()->isVisible());
}

void MainWindowTest::aWholeOrderThroughTheWindow() {
  auto window = shownWindow();
  QList<bool> escapedOnce;
  presenter_.onForm = [&](QDialog& form) {
    QSignalSpy accepted(&form, &QDialog::accepted);
    form.show();
    QTest::keyClick(&form, Qt::Key_Escape);
    escapedOnce << (form.isHidden() && accepted.count() == 1);
  };
  child<QLineEdit>(*window, "poNumber")->setText(QStringLiteral("100231"));
  QTest::mouseClick(child<QPushButton>(*window, "loadOrder"), Qt::LeftButton);
  QPointer<veltaorder::UserControl1> first = window->orderControl();
  QSignalSpy shutdown(first.data(), &veltaorder::UserControl1::controlShutdown);
  QTest::mouseClick(child<QPushButton>(*first, "cmdSubmit"), Qt::LeftButton);
  QVERIFY(shutdown.wait(30000));
  QCOMPARE(shutdown.count(), 1);
  QCOMPARE(presenter_.sequence, QStringList{QStringLiteral("form frmPoResponse")});
  QCOMPARE(escapedOnce, QList<bool>{true});
  QCOMPARE(statusText(*window, "statusOutcome"),
           QStringLiteral("Purchase order 100231 acknowledged by the distributor, its order number 700002"));

  // The properties saved at controlShutdown, and a fresh control for the next order.
  QSettings saved(settingsFile(), QSettings::IniFormat);
  QCOMPARE(saved.value(QStringLiteral("veltaorder/xPONum")).toString(), QStringLiteral("t:100231"));
  QCOMPARE(saved.value(QStringLiteral("veltaorder/xPOSuccess")).toString(), QStringLiteral("n:1"));
  QTRY_VERIFY(first.isNull());
  auto* fresh = window->orderControl();
  QVERIFY(fresh->isVisible());
  QCOMPARE(fresh->xPONum(), QVariant(QStringLiteral("100231")));
  QCOMPARE(fresh->journalFolder(), journalFolder_);
  QCOMPARE(fresh->lastOutcome(), QStringLiteral("none"));
  QCOMPARE(child<QPushButton>(*fresh, "cmdExit")->toolTip(), kOrderExitTip);
  QCOMPARE(child<QLineEdit>(*window, "poNumber")->text(), QStringLiteral("100231"));
  QCOMPARE(tabStops(child<QPushButton>(*window, "loadOrder")).value(1), QStringLiteral("orderControl/dtpSD"));

  // The journal page lists the exchange, and shows its bytes as the journal holds them.
  window->pages()->setCurrentIndex(MainWindow::kJournalPage);
  QTreeWidget* list = window->journal()->list();
  QCOMPARE(list->topLevelItemCount(), 1);
  QCOMPARE(window->journal()->stateText(), QStringLiteral("Journal in ") + journalFolder_ + QStringLiteral(": 1 exchange"));
  QTreeWidgetItem* row = list->topLevelItem(0);
  const auto journal = velta::ExchangeJournal::openExisting(journalFolder_.toStdString());
  const auto entry = journal.read(1);
  QVERIFY(entry && entry->answer);
  QCOMPARE(row->text(2), QStringLiteral("850"));
  QCOMPARE(row->text(3), QStringLiteral("127.0.0.1:%1").arg(site_->port(velta::distributor::Service::Order)));
  QCOMPARE(row->text(4), QStringLiteral("acknowledged"));
  QCOMPARE(row->text(5), QStringLiteral("%1 bytes").arg(entry->request.size()));
  QCOMPARE(row->text(6), QStringLiteral("%1 bytes").arg(entry->answer->size()));
  QCOMPARE(row->text(7), QStringLiteral("100231"));
  row->setSelected(true);
  QCOMPARE(window->journal()->bytes()->toPlainText(),
           QStringLiteral("Request, %1 bytes:\n").arg(entry->request.size()) +
               velta::workstation::JournalView::shownBytes(entry->request) +
               QStringLiteral("\n\nAnswer, %1 bytes:\n").arg(entry->answer->size()) +
               velta::workstation::JournalView::shownBytes(*entry->answer));
}

void MainWindowTest::theFieldsAreKeptBetweenRuns() {
  {
    auto window = shownWindow();
    child<QLineEdit>(*window, "poNumber")->setText(QStringLiteral("00123"));
    window->loadOrder();  // no such order: a box, and the control ends
    fillPartFields(*window);
    window->setPart();
    QVERIFY(window->close());
  }
  QSettings saved(settingsFile(), QSettings::IniFormat);
  QCOMPARE(saved.value(QStringLiteral("veltaiq/xVendor")).toString(), QStringLiteral("n:1207"));
  QCOMPARE(saved.value(QStringLiteral("veltaiq/xPart")).toString(), QStringLiteral("t:1A0013"));
  auto again = shownWindow();
  QCOMPARE(child<QLineEdit>(*again, "poNumber")->text(), QStringLiteral("00123"));
  QCOMPARE(child<QLineEdit>(*again, "vendor")->text(), QStringLiteral("1207"));
  QCOMPARE(child<QLineEdit>(*again, "line")->text(), QStringLiteral("FLT"));
  QCOMPARE(child<QLineEdit>(*again, "part")->text(), QStringLiteral("1A0013"));
  QCOMPARE(child<QLineEdit>(*again, "qty")->text(), QStringLiteral("2"));
  QCOMPARE(again->orderControl()->xPONum(), QVariant(QStringLiteral("00123")));
  QCOMPARE(again->inquiryControl()->xVendor(), QVariant(1207));
}

void MainWindowTest::theJournalViewListsAJournalBuiltByTheLink() {
  const std::string folder = journalFolder_.toStdString();
  {
    auto journal = velta::ExchangeJournal::open(folder);
    const qint64 utc = QDateTime(QDate(2026, 12, 8), QTime(21, 5, 7), Qt::UTC).toSecsSinceEpoch();
    const velta::JournalTime at{utc, 3600};
    const std::int64_t id =
        journal.begin({"10.0.0.5", 12000, velta::MessageSet::Order850, "100231", std::string("12\nAB|\tC\\\r\n")}, at);
    journal.finish(id, velta::JournalOutcome::Acknowledged, std::string("3\n\x01\xe9Z", 5), at);
    journal.begin({"10.0.0.5", 12001, velta::MessageSet::Inquiry846, "Q77", "2\nQ\n"}, at);
  }
  velta::workstation::JournalView view;
  view.setFolder(journalFolder_);
  QCOMPARE(view.stateText(), QStringLiteral("Journal in ") + journalFolder_ + QStringLiteral(": 2 exchanges"));
  QTreeWidget* list = view.list();
  QCOMPARE(list->topLevelItemCount(), 2);
  const QStringList rows[] = {
      {"1", "2026-12-08 22:05:07 +01:00", "850", "10.0.0.5:12000", "acknowledged", "11 bytes", "5 bytes", "100231"},
      {"2", "2026-12-08 22:05:07 +01:00", "846", "10.0.0.5:12001", "pending", "4 bytes", "none", "Q77"}};
  for (int r = 0; r < 2; ++r) {
    QStringList cells;
    for (int c = 0; c < list->columnCount(); ++c) cells << list->topLevelItem(r)->text(c);
    QCOMPARE(cells, rows[r]);
  }
  list->topLevelItem(0)->setSelected(true);
  QCOMPARE(view.bytes()->toPlainText(),
           QStringLiteral("Request, 11 bytes:\n12\\n\nAB|\\tC\\\\\\r\\n\n\n\nAnswer, 5 bytes:\n3\\n\n\\x01\\xE9Z"));
  list->topLevelItem(0)->setSelected(false);
  list->topLevelItem(1)->setSelected(true);
  QCOMPARE(view.bytes()->toPlainText(),
           QStringLiteral("Request, 4 bytes:\n2\\n\nQ\\n\n\n\nAnswer: none yet (the exchange is pending)"));
  // Every title fits its column, also with no rows.
  QCOMPARE(velta::test::narrowColumns(view), QStringList());
  velta::workstation::JournalView empty;
  empty.setFolder(dir_.filePath(QStringLiteral("no-journal-here")));
  QCOMPARE(empty.list()->topLevelItemCount(), 0);
  QCOMPARE(velta::test::narrowColumns(empty), QStringList());
}

void MainWindowTest::withoutAJournalFolderThePageSaysHowToNameOne() {
  velta::workstation::JournalView view;
  QCOMPARE(view.stateText(),
           QStringLiteral("No journal is kept: the window was started with --no-journal, or journal= is empty in the "
                          "settings' [workstation] section"));
  view.setFolder(dir_.filePath(QStringLiteral("not-yet")));
  QCOMPARE(view.stateText(), QStringLiteral("No exchange in the journal in ") + dir_.filePath(QStringLiteral("not-yet")) +
                                 QStringLiteral(" yet"));
}

void MainWindowTest::aLongStatusLineIsShortenedInTheMiddle() {
  QWidget holder;
  velta::workstation::StatusLine line(&holder);
  const QString text = QStringLiteral("Business system: server SRV, directory D1; share map /a/very/long/path/to/shares.conf");
  holder.show();
  QVERIFY(QTest::qWaitForWindowExposed(&holder));
  line.setFullText(text);
  const int whole = line.fontMetrics().horizontalAdvance(text);
  holder.resize(whole * 2, 40);
  line.resize(whole / 2, line.sizeHint().height());
  QCOMPARE(line.fullText(), text);
  QCOMPARE(line.toolTip(), text);
  QVERIFY2(line.text() != text, qPrintable(line.text()));
  QVERIFY2(line.text().startsWith(QStringLiteral("Busi")), qPrintable(line.text()));
  QVERIFY2(line.text().endsWith(QStringLiteral("conf")), qPrintable(line.text()));
  QVERIFY(line.text().contains(QChar(0x2026)));
  QCOMPARE(velta::test::clippedCaptions(holder), QStringList());
  line.resize(whole + 20, line.sizeHint().height());
  QCOMPARE(line.text(), text);
  QVERIFY(line.minimumSizeHint().width() < whole / 2);
}

// ---- The keyboard's road: Tab and Shift+Tab go round every field and button.

void MainWindowTest::tabAndShiftTabReachEveryFieldAndButtonOfAPage_data() {
  QTest::addColumn<int>("page");
  QTest::addColumn<QString>("po");
  QTest::addColumn<QString>("first");
  QTest::newRow("order of 5 lines") << MainWindow::kOrderPage << "100231" << "poNumber";
  QTest::newRow("order of 500 lines") << MainWindow::kOrderPage << "100239" << "poNumber";
  QTest::newRow("inquiry beside an order of 500 lines") << MainWindow::kInquiryPage << "100239" << "vendor";
  QTest::newRow("journal") << MainWindow::kJournalPage << "100231" << "journalList";
}

void MainWindowTest::tabAndShiftTabReachEveryFieldAndButtonOfAPage() {
  QFETCH(int, page);
  QFETCH(QString, po);
  QFETCH(QString, first);
  auto window = shownWindow();
  activate(*window);
  child<QLineEdit>(*window, "poNumber")->setText(po);
  window->loadOrder();
  fillPartFields(*window);
  window->setPart();
  window->pages()->setCurrentIndex(page);
  QCOMPARE(velta::qt::asGrid(window->orderControl()->findChild<QWidget*>(QStringLiteral("VSFlexGrid1")))->Rows() - 1,
           po == QLatin1String("100239") ? 500 : 5);
  QVERIFY(velta::test::tabTargets(*window).size() >= 4);
  const QStringList faults = velta::test::roundTheKeyboard(*window, child<QWidget>(*window, qPrintable(first)));
  QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n"))));
  QVERIFY(presenter_.boxes.isEmpty());
}

namespace {

// The resize events a hidden widget and its children keep until shown, sent
// now, each widget's before its children's (whose sizes its layout sets).
void deliverPendingResizes(QWidget& widget) {
  if (widget.testAttribute(Qt::WA_PendingResizeEvent)) {
    widget.setAttribute(Qt::WA_PendingResizeEvent, false);
    QResizeEvent resized(widget.size(), QSize());
    QCoreApplication::sendEvent(&widget, &resized);
  }
  for (QObject* child : widget.children()) {
    auto* inner = qobject_cast<QWidget*>(child);
    if (inner && !inner->isWindow()) deliverPendingResizes(*inner);
  }
}

// What the keyboard and a resize did to one form the controls showed.
struct FormVisit {
  QString name;
  QStringList problems;  // empty: all is well
};

// Inside the control's routine, as the form is shown: Tab and Shift+Tab go
// round it and reach "Ok" and every other stop; at its least size nothing is
// clipped; made larger, its grid takes the room.
FormVisit visitForm(QDialog& form) {
  FormVisit visit{form.objectName(), {}};
  form.show();
  auto* ok = form.findChild<QPushButton*>(QStringLiteral("cmdOk"));
  if (!ok || !velta::test::tabTargets(form).contains(ok)) return {visit.name, {QStringLiteral("no Ok to Tab to")}};
  visit.problems = velta::test::roundTheKeyboard(form, ok);
  form.hide();
  if (form.minimumSize() == form.maximumSize() || form.layout()->sizeConstraint() == QLayout::SetFixedSize) {
    visit.problems << QStringLiteral("not resizable");
  }
  // Hidden, the form takes a new size at once (shown, the platform would
  // answer a resize only in an event loop, which a control's routine has not).
  const auto layOut = [&form](QSize size) {
    form.resize(size);
    deliverPendingResizes(form);
  };
  layOut(form.minimumSizeHint());
  for (const QString& fault : velta::test::clippedCaptions(form)) visit.problems << QStringLiteral("at its least size: ") + fault;
  // What the layout places lies inside the form; a grid's own parts follow it
  // only when shown, and scroll.
  for (QWidget* placed : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (placed->isVisibleTo(&form) && !form.rect().contains(placed->geometry())) {
      visit.problems << QStringLiteral("at its least size: ") + velta::test::describe(*placed) + QStringLiteral(" lies outside");
    }
  }
  if (auto* grid = form.findChild<QWidget*>(QStringLiteral("grdItem"))) {
    const QSize before = grid->size();
    layOut(form.size() + QSize(400, 300));
    if (grid->size() != before + QSize(400, 300)) visit.problems << QStringLiteral("the grid did not take the room");
  }
  return visit;
}

}  // namespace

void MainWindowTest::everyFormIsReachedByTabAndGrowsWithItsGrid_data() {
  QTest::addColumn<bool>("refusing");   // the distributor answers with exceptions
  QTest::addColumn<QString>("po");      // empty: an inquiry
  QTest::addColumn<QStringList>("press");
  QTest::addColumn<QStringList>("forms");
  const QStringList submit{QStringLiteral("submit")}, status{QStringLiteral("status")};
  QTest::newRow("acknowledgement of 5 lines") << false << "100231" << submit << QStringList{"frmPoResponse"};
  QTest::newRow("acknowledgement of 500 lines") << false << "100239" << submit << QStringList{"frmPoResponse"};
  QTest::newRow("status of an order sent before") << false << "100232" << status << QStringList{"frmPOStat"};
  QTest::newRow("status of 500 lines") << false << "100239" << QStringList{"submit", "status"}
                                       << QStringList{"frmPoResponse", "frmPOStat"};
  QTest::newRow("exception to an order") << true << "100231" << submit << QStringList{"frmException"};
  QTest::newRow("exception to an inquiry") << true << "" << QStringList{"search"} << QStringList{"frmException"};
}

void MainWindowTest::everyFormIsReachedByTabAndGrowsWithItsGrid() {
  QFETCH(bool, refusing);
  QFETCH(QString, po);
  QFETCH(QStringList, press);
  QFETCH(QStringList, forms);
  // A distributor of the row's own: it has seen none of these orders yet.
  velta::test::SampleSite site(
      dir_.filePath(QStringLiteral("forms-%1").arg(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-')))
          .toStdString(),
      refusing ? std::vector<std::string>{"--fault", "exception@order", "--fault", "exception@inquiry"}
               : std::vector<std::string>{});
  site.use();
  MainWindow window({settingsFile(), site.overrides(), {}});
  window.setPresenter(&presenter_);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QList<FormVisit> visits;
  presenter_.onForm = [&visits](QDialog& form) { visits << visitForm(form); };
  for (const QString& step : press) {
    if (step == QLatin1String("search")) {
      window.pages()->setCurrentIndex(MainWindow::kInquiryPage);
      fillPartFields(window);
      window.setPart();
      QSignalSpy shutdown(window.inquiryControl(), &veltaiq::UserControl1::controlShutdown);
      child<QPushButton>(*window.inquiryControl(), "CmdSearch")->click();
      QVERIFY(shutdown.wait(30000));
      continue;
    }
    // A fresh control after each exchange: the order is loaded again.
    QTRY_VERIFY(window.orderControl()->lastOutcome() == QLatin1String("none"));
    child<QLineEdit>(window, "poNumber")->setText(po);
    window.loadOrder();
    auto* control = window.orderControl();
    QSignalSpy shutdown(control, &veltaorder::UserControl1::controlShutdown);
    if (step == QLatin1String("submit")) {
      child<QPushButton>(*control, "cmdSubmit")->click();
    } else {
      control->poStatus();  // as a host may, also for an order the business system does not mark as sent
    }
    QVERIFY(shutdown.wait(30000));
  }
  QStringList shown;
  for (const FormVisit& visit : visits) {
    shown << visit.name;
    QVERIFY2(visit.problems.isEmpty(), qPrintable(visit.name + QStringLiteral(": ") + visit.problems.join("; ")));
  }
  QCOMPARE(shown, forms);
  QVERIFY(presenter_.boxes.isEmpty());
}

// ---- Between pages, and to a field or button, from the keyboard.

void MainWindowTest::aKeyReachesItsPageFieldOrButton_data() {
  QTest::addColumn<int>("page");
  QTest::addColumn<QString>("focus");  // where the focus is; empty: the page's first field
  QTest::addColumn<QKeyCombination>("key");
  QTest::addColumn<int>("toPage");
  QTest::addColumn<QString>("focused");  // empty: a button was pressed
  QTest::addColumn<QString>("outcome");  // how the status bar's last line begins then
  const auto ctrl = [](Qt::Key key) { return QKeyCombination(Qt::ControlModifier, key); };
  const auto ctrlShift = [](Qt::Key key) { return QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, key); };
  const auto alt = [](Qt::Key key) { return QKeyCombination(Qt::AltModifier, key); };
  QTest::newRow("Ctrl+Tab") << 0 << "" << ctrl(Qt::Key_Tab) << 1 << "vendor" << "";
  QTest::newRow("Ctrl+Tab from the last page") << 2 << "" << ctrl(Qt::Key_Tab) << 0 << "poNumber" << "";
  QTest::newRow("Ctrl+Tab in the order grid") << 0 << "VSFlexGrid1" << ctrl(Qt::Key_Tab) << 1 << "vendor" << "";
  QTest::newRow("Ctrl+Tab in the journal's bytes") << 2 << "journalBytes" << ctrl(Qt::Key_Tab) << 0 << "poNumber" << "";
  QTest::newRow("Ctrl+PgDn") << 1 << "" << ctrl(Qt::Key_PageDown) << 2 << "journalList" << "";
  QTest::newRow("Ctrl+Shift+Tab (Backtab)") << 0 << "" << ctrlShift(Qt::Key_Backtab) << 2 << "journalList" << "";
  QTest::newRow("Ctrl+Shift+Tab (Tab with Shift)") << 1 << "" << ctrlShift(Qt::Key_Tab) << 0 << "poNumber" << "";
  QTest::newRow("Ctrl+PgUp in the entry grid") << 1 << "grdIQ" << ctrl(Qt::Key_PageUp) << 0 << "poNumber" << "";
  QTest::newRow("Alt+B: Part availability") << 0 << "" << alt(Qt::Key_B) << 1 << "vendor" << "";
  QTest::newRow("Alt+J: Journal") << 0 << "" << alt(Qt::Key_J) << 2 << "journalList" << "";
  QTest::newRow("Alt+O: Purchase order") << 2 << "" << alt(Qt::Key_O) << 0 << "poNumber" << "";
  QTest::newRow("Alt+P: the order's number") << 0 << "loadOrder" << alt(Qt::Key_P) << 0 << "poNumber" << "";
  QTest::newRow("Alt+L: Load") << 0 << "" << alt(Qt::Key_L) << 0 << "" << "Purchase order 100231 loaded";
  QTest::newRow("Alt+V: vendor") << 1 << "qty" << alt(Qt::Key_V) << 1 << "vendor" << "";
  QTest::newRow("Alt+L: line, on its page") << 1 << "" << alt(Qt::Key_L) << 1 << "line" << "";
  QTest::newRow("Alt+A: part") << 1 << "" << alt(Qt::Key_A) << 1 << "part" << "";
  QTest::newRow("Alt+Q: quantity") << 1 << "" << alt(Qt::Key_Q) << 1 << "qty" << "";
  QTest::newRow("Alt+S: Set part") << 1 << "" << alt(Qt::Key_S) << 1 << "" << "Part FLT 1A0013, quantity 2, set";
}

void MainWindowTest::aKeyReachesItsPageFieldOrButton() {
  QFETCH(int, page);
  QFETCH(QString, focus);
  QFETCH(QKeyCombination, key);
  QFETCH(int, toPage);
  QFETCH(QString, focused);
  QFETCH(QString, outcome);
  auto window = shownWindow();
  activate(*window);
  child<QLineEdit>(*window, "poNumber")->setText(QStringLiteral("100231"));
  fillPartFields(*window);
  window->pages()->setCurrentIndex(page);
  if (!focus.isEmpty()) child<QWidget>(*window, qPrintable(focus))->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
  QCOMPARE(window->pages()->currentIndex(), toPage);
  if (!focused.isEmpty()) QCOMPARE(QApplication::focusWidget(), child<QWidget>(*window, qPrintable(focused)));
  // A button's letter presses it as a click would, a moment later.
  if (!outcome.isEmpty()) QTRY_VERIFY2(statusText(*window, "statusOutcome").startsWith(outcome), qPrintable(statusText(*window, "statusOutcome")));
  QVERIFY(presenter_.boxes.isEmpty());
}

void MainWindowTest::theMenusQuitAndTellAbout() {
  auto window = shownWindow();
  QStringList menus;
  for (QAction* menu : window->menuBar()->actions()) menus << menu->text();
  QCOMPARE(menus, (QStringList{"&File", "&Go", "&Help"}));
  auto* quit = child<QAction>(*window, "actionQuit");
  QCOMPARE(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));

  // Help > About: the versions and, for support, where everything lies.
  child<QAction>(*window, "actionAbout")->trigger();
  auto* about = window->findChild<velta::workstation::AboutBox*>();
  QVERIFY(about && about->isVisible());
  QCOMPARE(about->windowModality(), Qt::WindowModal);
  const QStringList lines = about->details()->toPlainText().split(QLatin1Char('\n'));
  const auto& biz = site_->business();
  QCOMPARE(lines, (QStringList{
                      QStringLiteral("Velta Workstation " VELTA_VERSION_STRING),
                      QStringLiteral("Order control library veltaorder " VELTA_VERSION_STRING),
                      QStringLiteral("Inquiry control library veltaiq " VELTA_VERSION_STRING),
                      QStringLiteral("Qt ") + QString::fromLatin1(qVersion()),
                      QString(),
                      QStringLiteral("Business system: server SRV, directory D1"),
                      QStringLiteral("Settings file: ") + QString::fromStdString((biz.tmpDir() / "hBTCatalog.ini").string()),
                      QStringLiteral("Shares: share map ") + QString::fromStdString((biz.configHome() / "velta" / "shares.conf").string()) +
                          QStringLiteral(", UNC root ") + QString::fromStdString(biz.root.string()),
                      QStringLiteral("Workstation settings: ") + settingsFile(),
                      QStringLiteral("Journal: ") + journalFolder_,
                  }));
  about->close();

  // Ctrl+Q: the fields saved, the window closed.
  activate(*window);
  child<QLineEdit>(*window, "poNumber")->setText(QStringLiteral("100233"));
  window->loadOrder();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
  QVERIFY(!window->isVisible());
  QSettings saved(settingsFile(), QSettings::IniFormat);
  QCOMPARE(saved.value(QStringLiteral("veltaorder/xPONum")).toString(), QStringLiteral("t:100233"));
}

// ---- The order numbers the window loads.

void MainWindowTest::loadIsRefusedForWhatIsNoOrderNumber_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("loads");
  QTest::newRow("the sample's") << "100231" << true;
  QTest::newRow("leading zeros kept") << "00123" << true;
  QTest::newRow("ten digits") << "1234567890" << true;
  QTest::newRow("eleven digits") << "12345678901" << false;
  QTest::newRow("empty") << "" << false;
  QTest::newRow("a blank inside") << "100 231" << false;
  QTest::newRow("a blank after") << "100231 " << false;
  QTest::newRow("a letter") << "10023A" << false;
  QTest::newRow("a sign") << "-100231" << false;
  QTest::newRow("a path") << "../100231" << false;
  QTest::newRow("a UNC name") << "\\\\SRV\\X" << false;
  QTest::newRow("digits of another script") << QString::fromUtf8("\u0661\u0662\u0663") << false;
}

void MainWindowTest::loadIsRefusedForWhatIsNoOrderNumber() {
  QFETCH(QString, text);
  QFETCH(bool, loads);
  auto window = shownWindow();
  auto* field = child<QLineEdit>(*window, "poNumber");
  field->setText(text);  // as a saved property comes back, past the field's own check
  QCOMPARE(child<QPushButton>(*window, "loadOrder")->isEnabled(), loads);
  QTest::keyClick(field, Qt::Key_Return);
  auto* control = window->orderControl();
  QCOMPARE(control->xPONum(), loads ? QVariant(text) : QVariant(0));
  QCOMPARE(child<QLabel>(*control, "lblPO")->text(), loads ? text : QStringLiteral("PO Number"));
  // An order number that names no order is the control's to report.
  QCOMPARE(presenter_.boxes.size(), loads && text != QLatin1String("100231") ? 1 : 0);
  if (!loads) {
    QCOMPARE(statusText(*window, "statusOutcome"),
             QStringLiteral("A purchase order number is 1 to 10 digits; nothing was loaded"));
  }
  // Typed, what is no digit does not get in.
  field->clear();
  QVERIFY(!child<QPushButton>(*window, "loadOrder")->isEnabled());
  QTest::keyClicks(field, QStringLiteral("1x0 0-2/3\\1"));
  QCOMPARE(field->text(), QStringLiteral("100231"));
  QVERIFY(child<QPushButton>(*window, "loadOrder")->isEnabled());
  QTest::keyClicks(field, QStringLiteral("98765"));
  QCOMPARE(field->text(), QStringLiteral("1002319876"));  // ten digits, no more
}

// ---- An inquiry asked again.

void MainWindowTest::anInquiryCanBeAskedAgain() {
  auto window = shownWindow();
  window->pages()->setCurrentIndex(MainWindow::kInquiryPage);
  fillPartFields(*window);
  QTest::mouseClick(child<QPushButton>(*window, "setPart"), Qt::LeftButton);
  auto* control = window->inquiryControl();
  auto* search = child<QPushButton>(*control, "CmdSearch");
  QVERIFY(search->isEnabled());
  QTest::mouseClick(search, Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(!control->inquiryOpen(), 30000);
  QTRY_COMPARE(statusText(*window, "statusOutcome"),
               QStringLiteral("Inquiry for FLT 1A0013: the distributor answered with 2 rows"));
  QVERIFY(!search->isEnabled());  // the answer stands until the control is shown again

  // "Set part" with another part: the control is ready for a fresh search.
  child<QLineEdit>(*window, "part")->setText(QStringLiteral("1A0007"));
  QTest::mouseClick(child<QPushButton>(*window, "setPart"), Qt::LeftButton);
  QCOMPARE(window->inquiryControl(), control);
  QVERIFY(search->isEnabled());
  QCOMPARE(grid(*control, "grdIQ")->TextMatrix(1, 1), QStringLiteral("1A0007"));

  // Enter in the quantity field sets the part and searches.
  auto* qty = child<QLineEdit>(*window, "qty");
  qty->setText(QStringLiteral("20"));
  QTest::keyClick(qty, Qt::Key_Return);
  QVERIFY(control->inquiryOpen());
  QCOMPARE(statusText(*window, "statusOutcome"), QStringLiteral("Inquiry for FLT 1A0007: asking the distributor"));
  QTRY_VERIFY_WITH_TIMEOUT(!control->inquiryOpen(), 30000);
  QTRY_COMPARE(statusText(*window, "statusOutcome"),
               QStringLiteral("Inquiry for FLT 1A0007: the distributor answered with 1 row"));
  QCOMPARE(grid(*control, "grdIQ")->TextMatrix(1, 2), QStringLiteral("20"));
  QVERIFY(presenter_.boxes.isEmpty());
  const auto entries = velta::ExchangeJournal::openExisting(journalFolder_.toStdString()).list();
  QCOMPARE(entries.size(), std::size_t(2));
  QCOMPARE(QString::fromStdString(entries[0].reference), QStringLiteral("FLT 1A0013"));
  QCOMPARE(QString::fromStdString(entries[1].reference), QStringLiteral("FLT 1A0007"));
  QCOMPARE(QString::fromStdString(entries[1].outcome), QStringLiteral("answered"));
}

// ---- The status bar, for the clerk.

void MainWindowTest::theStatusBarTellsTheLoadedOrder_data() {
  QTest::addColumn<QString>("po");
  QTest::addColumn<QString>("distributor");
  QTest::addColumn<QString>("lines");
  QTest::addColumn<QString>("outcome");
  const QString northern = QStringLiteral("Distributor: NORTHERN PARTS DISTRIBUTION for the order");
  QTest::newRow("open") << "100231" << northern << "Purchase order 100231: 5 lines, all in the part file"
                        << "Purchase order 100231 loaded: Submit Order sends it";
  QTest::newRow("two parts not in the part file")
      << "100233" << northern
      << "Purchase order 100233: 4 lines, 2 not found in the part file (\"Part Not Found\")"
      << "Purchase order 100233 loaded: Submit Order sends it";
  QTest::newRow("sent before") << "100232" << northern << "Purchase order 100232: 2 lines, all in the part file"
                               << "Purchase order 100232 loaded; it was sent before: PO Status asks the distributor";
  QTest::newRow("another distributor") << "100234" << "Distributor: PARTSNET WHOLESALE for the order"
                                       << "Purchase order 100234: 1 line, all in the part file"
                                       << "Purchase order 100234 loaded: Submit Order sends it";
  QTest::newRow("vendor not found") << "100235" << "Distributor: Vendor not found for the order"
                                    << "Purchase order 100235: 1 line, all in the part file"
                                    << "Purchase order 100235 loaded; it cannot be sent: the business system "
                                       "names no distributor for it";
  QTest::newRow("comment lines only") << "100238" << northern << "Purchase order 100238: no part lines"
                                      << "Purchase order 100238 loaded: Submit Order sends it";
  QTest::newRow("500 lines") << "100239" << northern << "Purchase order 100239: 500 lines, all in the part file"
                             << "Purchase order 100239 loaded: Submit Order sends it";
}

void MainWindowTest::theStatusBarTellsTheLoadedOrder() {
  QFETCH(QString, po);
  QFETCH(QString, distributor);
  QFETCH(QString, lines);
  QFETCH(QString, outcome);
  auto window = shownWindow();
  child<QLineEdit>(*window, "poNumber")->setText(po);
  window->loadOrder();
  QCOMPARE(statusText(*window, "statusDistributor"), distributor);
  QCOMPARE(statusText(*window, "statusOrder"), lines);
  QCOMPARE(statusText(*window, "statusOutcome"), outcome);
  QVERIFY(presenter_.boxes.isEmpty());
}

void MainWindowTest::theStatusBarKeepsNothingStale() {
  auto window = shownWindow();
  child<QLineEdit>(*window, "poNumber")->setText(QStringLiteral("100233"));
  window->loadOrder();
  QCOMPARE(statusText(*window, "statusOrder"),
           QStringLiteral("Purchase order 100233: 4 lines, 2 not found in the part file (\"Part Not Found\")"));
  child<QLineEdit>(*window, "vendor")->setText(QStringLiteral("1207"));
  window->setPart();
  QCOMPARE(statusText(*window, "statusDistributor"),
           QStringLiteral("Distributor: 1207 - NORTHERN PARTS DISTRIBUTION for the order and the inquiry"));
  // An order that is not there: a box, a fresh control, and nothing left of the last order.
  child<QLineEdit>(*window, "poNumber")->setText(QStringLiteral("00123"));
  window->loadOrder();
  QCOMPARE(presenter_.boxes.size(), 1);
  QCOMPARE(statusText(*window, "statusOutcome"), QStringLiteral("Purchase order 00123 could not be opened in the business system"));
  QTRY_COMPARE(statusText(*window, "statusOrder"), QStringLiteral("No purchase order loaded"));
  QCOMPARE(statusText(*window, "statusDistributor"),
           QStringLiteral("Distributor: 1207 - NORTHERN PARTS DISTRIBUTION for the inquiry"));
  // A status asked: its end replaces the load's line, and the fresh control holds no order.
  child<QLineEdit>(*window, "poNumber")->setText(QStringLiteral("100232"));
  window->loadOrder();
  QCOMPARE(statusText(*window, "statusOrder"), QStringLiteral("Purchase order 100232: 2 lines, all in the part file"));
  QSignalSpy shutdown(window->orderControl(), &veltaorder::UserControl1::controlShutdown);
  child<QPushButton>(*window->orderControl(), "cmdPOStat")->click();
  QVERIFY(shutdown.wait(30000));
  QCOMPARE(statusText(*window, "statusOutcome"), QStringLiteral("Purchase order 100232: its status was shown"));
  QTRY_COMPARE(statusText(*window, "statusOrder"), QStringLiteral("No purchase order loaded"));
  // The next load replaces the exchange's line.
  window->loadOrder();
  QCOMPARE(statusText(*window, "statusOutcome"),
           QStringLiteral("Purchase order 100232 loaded; it was sent before: PO Status asks the distributor"));
}

void MainWindowTest::anOrderThatWasNotSentSaysSo() {
  velta::test::SampleSite quiet(dir_.filePath(QStringLiteral("quiet")).toStdString());
  quiet.use();
  const int port = quiet.port(velta::distributor::Service::Order);
  quiet.distributor().stop(SIGTERM);
  velta::workstation::WindowSetup setup{settingsFile(), quiet.overrides(), {}};
  setup.exchange.journal = journalFolder_;
  setup.exchange.connectTimeout = 5;
  MainWindow window(setup);
  window.setPresenter(&presenter_);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  child<QLineEdit>(window, "poNumber")->setText(QStringLiteral("100231"));
  window.loadOrder();
  QSignalSpy ended(window.orderControl(), &veltaorder::UserControl1::transmissionEnded);
  child<QPushButton>(*window.orderControl(), "cmdSubmit")->click();
  QVERIFY(ended.count() > 0 || ended.wait(30000));
  // The first line of the control's box: what happened and what to do.
  const QString said = QStringLiteral("Purchase order 100231 was not sent: the distributor "
                                      "of vendor 1207 at 127.0.0.1:%1 refused the connection. Try again later; if it "
                                      "keeps happening, check the vendor's distributor address.")
                           .arg(port);
  QTRY_COMPARE(statusText(window, "statusOutcome"), said);
  // The order is still there to send again.
  QCOMPARE(statusText(window, "statusOrder"), QStringLiteral("Purchase order 100231: 5 lines, all in the part file"));
  QCOMPARE(presenter_.boxes.size(), 1);

  // The inquiry to the same distributor, asked twice: the second says so too,
  // though its box has the first one's text.
  window.pages()->setCurrentIndex(MainWindow::kInquiryPage);
  fillPartFields(window);
  QTest::mouseClick(child<QPushButton>(window, "setPart"), Qt::LeftButton);
  const QString noAnswer = QStringLiteral("Inquiry for FLT 1A0013: no answer. Nothing was sent: the distributor of "
                                          "vendor 1207 at 127.0.0.1:%1 refused the connection. Try again later; if "
                                          "it keeps happening, check the vendor's distributor address.")
                               .arg(quiet.port(velta::distributor::Service::Inquiry));
  for (int round = 1; round <= 2; ++round) {
    QTest::mouseClick(child<QPushButton>(*window.inquiryControl(), "CmdSearch"), Qt::LeftButton);
    QCOMPARE(statusText(window, "statusOutcome"), QStringLiteral("Inquiry for FLT 1A0013: asking the distributor"));
    QTRY_COMPARE_WITH_TIMEOUT(statusText(window, "statusOutcome"), noAnswer, 30000);
    QCOMPARE(presenter_.boxes.size(), 1 + round);
  }
}

// ---- The window's size and place.

void MainWindowTest::theWindowOpensShowingTenOrderLines() {
  auto window = shownWindow();
  const QRect available = window->screen()->availableGeometry();
  QCOMPARE(available, QRect(0, 0, 1366, 768));
  QVERIFY2(available.contains(window->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                   .arg(window->frameGeometry().x())
                                                                   .arg(window->frameGeometry().y())
                                                                   .arg(window->frameGeometry().width())
                                                                   .arg(window->frameGeometry().height())));
  child<QLineEdit>(*window, "poNumber")->setText(QStringLiteral("100239"));
  window->loadOrder();
  QTest::qWait(0);  // the rows laid out
  const QTableView* view = grid(*window->orderControl(), "VSFlexGrid1")->view();
  const int room = view->viewport()->height();
  int whole = 0;
  while (whole < view->model()->rowCount() && view->visualRect(view->model()->index(whole, 0)).bottom() < room) ++whole;
  QVERIFY2(whole >= 10, qPrintable(QStringLiteral("%1 lines shown whole in %2 pixels").arg(whole).arg(room)));
  // The last column takes what the others leave.
  const QHeaderView* header = view->horizontalHeader();
  const int last = header->count() - 1;
  QCOMPARE(header->sectionViewportPosition(last) + header->sectionSize(last), view->viewport()->width());
  const QStringList faults = velta::test::clippedCaptions(*window) + velta::test::narrowColumns(*window) +
                             velta::test::widgetsOutside(*window);
  QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n"))));
}

void MainWindowTest::theWindowsPlaceAndPageAreKeptBetweenRuns() {
  const QRect place(60, 50, 1100, 690);
  {
    auto window = shownWindow();
    window->setGeometry(place);
    QTRY_COMPARE(window->geometry(), place);
    window->pages()->setCurrentIndex(MainWindow::kInquiryPage);
    QVERIFY(window->close());
  }
  QSettings saved(settingsFile(), QSettings::IniFormat);
  QCOMPARE(saved.value(QStringLiteral("window/x")).toInt(), 60);
  QCOMPARE(saved.value(QStringLiteral("window/height")).toInt(), 690);
  QCOMPARE(saved.value(QStringLiteral("window/page")).toInt(), 1);
  auto again = shownWindow();
  QCOMPARE(again->geometry(), place);
  QCOMPARE(again->pages()->currentIndex(), int(MainWindow::kInquiryPage));
  QCOMPARE(again->focusWidget(), child<QWidget>(*again, "vendor"));
}

void MainWindowTest::aSavedPlaceIsKeptOnAScreen_data() {
  QTest::addColumn<QRect>("saved");
  QTest::addColumn<QList<QRect>>("screens");  // the first is the primary one
  QTest::addColumn<QRect>("placed");
  const QList<QRect> laptop{{0, 0, 1366, 768}};
  const QList<QRect> two{{0, 0, 1366, 768}, {1366, 0, 1920, 1080}};
  // Moved by the window, it keeps 8 pixels at the sides and below, 40 above for a frame.
  QTest::newRow("on the screen") << QRect(40, 30, 1180, 700) << laptop << QRect(40, 30, 1180, 700);
  QTest::newRow("filling the screen") << QRect(0, 0, 1366, 768) << laptop << QRect(0, 0, 1366, 768);
  QTest::newRow("off every screen: centred on the primary")
      << QRect(5000, 4000, 1000, 600) << laptop << QRect(183, 100, 1000, 600);
  QTest::newRow("on a screen no longer there") << QRect(1500, 100, 1000, 600) << laptop << QRect(183, 100, 1000, 600);
  QTest::newRow("partly off to the right: moved in") << QRect(800, 100, 1000, 600) << laptop
                                                     << QRect(358, 100, 1000, 600);
  QTest::newRow("above the screen: moved down") << QRect(100, -300, 1000, 600) << laptop << QRect(100, 40, 1000, 600);
  QTest::newRow("larger than the screen: made smaller")
      << QRect(0, 0, 1920, 1080) << laptop << QRect(8, 40, 1350, 720);
  QTest::newRow("on the second screen") << QRect(1500, 100, 1000, 600) << two << QRect(1500, 100, 1000, 600);
  QTest::newRow("across both: on the one holding most")
      << QRect(1200, 100, 1000, 600) << two << QRect(1374, 100, 1000, 600);
}

void MainWindowTest::aSavedPlaceIsKeptOnAScreen() {
  QFETCH(QRect, saved);
  QFETCH(QList<QRect>, screens);
  QFETCH(QRect, placed);
  QCOMPARE(velta::workstation::placeOnScreens(saved, screens, screens.front()), placed);
}


QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
