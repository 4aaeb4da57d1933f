// velta-workstation's main window on the sample business system, its
// distributor the real simulator: both controls under their fields, the tab
// order, no default button on the order control, the status bar, a whole
// order through the window (Escape on its form, a fresh control, the
// journal), and the fields kept between runs.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "inquiry/UserControl1.h"
#include "link/ExchangeJournal.h"
#include "order/UserControl1.h"
#include "qt/Grid.h"
#include "qt/Transcript.h"
#include "support/RecordingPresenter.h"
#include "tools/velta-workstation/ControlPages.h"
#include "tools/velta-workstation/JournalView.h"
#include "tools/velta-workstation/MainWindow.h"
#include "tools/velta-workstation/StatusLine.h"
#include "workstation/LayoutChecks.h"
#include "workstation/SampleSite.h"

using velta::workstation::MainWindow;

namespace {

// The whole text of a status line, however much of it its room shows.
QString statusText(const MainWindow& window, const char* name) {
  const auto* line = window.findChild<velta::workstation::StatusLine*>(QString::fromLatin1(name));
  return line ? line->fullText() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
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

 private:
  std::unique_ptr<MainWindow> shownWindow();
  QString settingsFile() const { return dir_.filePath(QStringLiteral("workstation.ini")); }

  QTemporaryDir dir_;
  std::unique_ptr<velta::test::SampleSite> site_;
  velta::qt::RecordingPresenter presenter_;
  QString journalFolder_;
};

void MainWindowTest::initTestCase() {
  QVERIFY(dir_.isValid());
  site_ = std::make_unique<velta::test::SampleSite>(dir_.filePath(QStringLiteral("site")).toStdString());
}

void MainWindowTest::init() {
  site_->use();
  presenter_.clear();
  presenter_.onForm = nullptr;
  QFile::remove(settingsFile());
  journalFolder_ = dir_.filePath(QStringLiteral("journal-%1").arg(QString::fromLatin1(QTest::currentTestFunction())));
}

void MainWindowTest::cleanup() { presenter_.onForm = nullptr; }

std::unique_ptr<MainWindow> MainWindowTest::shownWindow() {
  velta::workstation::WindowSetup setup{settingsFile(), site_->overrides(), {}};
  setup.exchange.journal = journalFolder_;
  auto window = std::make_unique<MainWindow>(setup);
  window->setPresenter(&presenter_);
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) qFatal("the window was not shown");
  return window;
}

void MainWindowTest::bothControlsUnderTheirFields() {
  auto window = shownWindow();
  auto* tabs = window->pages()->tabBar();
  QCOMPARE(tabs->count(), 3);
  QCOMPARE(tabs->tabText(MainWindow::kOrderPage), QStringLiteral("Purchase order"));
  QCOMPARE(tabs->tabText(MainWindow::kInquiryPage), QStringLiteral("Part availability"));
  QCOMPARE(tabs->tabText(MainWindow::kJournalPage), QStringLiteral("Journal"));
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
  QCOMPARE(statusText(*window, "statusOutcome"), QStringLiteral("Ready"));
}

void MainWindowTest::theStatusBarNamesTheBusinessSystem() {
  auto window = shownWindow();
  const auto& biz = site_->business();
  // The sample's share map in its configuration folder, and the root the window was given.
  const QString map = QString::fromStdString((biz.configHome() / "velta" / "shares.conf").string());
  const QString expected = QStringLiteral("Business system: server SRV, directory D1; share map ") + map +
                           QStringLiteral(", UNC root ") + QString::fromStdString(biz.root.string());
  QCOMPARE(statusText(*window, "statusSystem"), expected);
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
  QCOMPARE(statusText(*window, "statusDistributor"),
           QStringLiteral("Distributor: orders at 127.0.0.1, ports %1 - %2")
               .arg(site_->port(velta::distributor::Service::Order))
               .arg(site_->port(velta::distributor::Service::Status)));
  QVERIFY(presenter_.boxes.isEmpty());
}

void MainWindowTest::setPartSetsTheFourPropertiesAndCallsSetSearch() {
  auto window = shownWindow();
  window->pages()->setCurrentIndex(MainWindow::kInquiryPage);
  child<QLineEdit>(*window, "vendor")->setText(QStringLiteral("1207"));
  child<QLineEdit>(*window, "line")->setText(QStringLiteral("FLT"));
  child<QLineEdit>(*window, "part")->setText(QStringLiteral("1A0013"));
  child<QLineEdit>(*window, "qty")->setText(QStringLiteral("2"));
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
           QStringLiteral("Distributor: inquiries at 127.0.0.1, port %1")
               .arg(site_->port(velta::distributor::Service::Inquiry)));
  // Enter in a field sets the part too: a vendor the business system does not know ends the control.
  child<QLineEdit>(*window, "vendor")->setText(QStringLiteral("4444"));
  QPointer<veltaiq::UserControl1> before = control;
  QTest::keyClick(child<QLineEdit>(*window, "qty"), Qt::Key_Return);
  QCOMPARE(presenter_.boxes.size(), 1);
  QCOMPARE(presenter_.boxes[0].box.text, QStringLiteral("Can not find Vendor... aborting!"));
  QCOMPARE(statusText(*window, "statusDistributor"), QStringLiteral("Distributor: inquiries at 127.0.0.1, port %1")
                                                         .arg(site_->port(velta::distributor::Service::Inquiry)));
  QTRY_VERIFY(window->inquiryControl() != before.data());
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
    child<QLineEdit>(*window, "vendor")->setText(QStringLiteral("1207"));
    child<QLineEdit>(*window, "line")->setText(QStringLiteral("FLT"));
    child<QLineEdit>(*window, "part")->setText(QStringLiteral("1A0013"));
    child<QLineEdit>(*window, "qty")->setText(QStringLiteral("2"));
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
           QStringLiteral("No journal folder: start with --journal DIR, or set journal= in the settings' [workstation] section"));
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

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
