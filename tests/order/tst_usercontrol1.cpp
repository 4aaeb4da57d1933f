// The order control on the sample business system, headless, with a presenter
// that records every box and form: properties, the show handler, the busy
// animation, the exit button, and setPO on every sample order and on numbers
// and files that must not load.
#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QtTest/qtestspontaneevent.h>
#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

#include "base/BaseState.h"
#include "base/Clock.h"
#include "order/UserControl1.h"
#include "order/WorkstationSetup.h"
#include "qt/BusyCursor.h"
#include "qt/Grid.h"
#include "qt/MemoryPropertyBag.h"
#include "support/RecordingPresenter.h"
#include "tools/sample/LinksFile.h"
#include "tools/sample/SampleBusinessSystem.h"

using veltaorder::UserControl1;
using velta::qt::MessageButtons;
using velta::qt::MessageIcon;
using velta::qt::RecordingPresenter;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The cursor shape over the application now; -1 for none of our own.
int cursorNow() { return QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : -1; }

// Answers every box at once and notes the cursor it was shown under.
class CursorPresenter : public velta::qt::Presenter {
 public:
  velta::qt::MessageAnswer showMessage(QWidget*, const velta::qt::MessageBox& box) override {
    underBoxes << cursorNow();
    return velta::qt::defaultAnswer(box);
  }
  void showForm(QWidget*, QDialog&) override { underBoxes << cursorNow(); }
  QList<int> underBoxes;
};

// A presenter whose every box fails, as a host's presenter might.
class FailingPresenter : public velta::qt::Presenter {
 public:
  velta::qt::MessageAnswer showMessage(QWidget*, const velta::qt::MessageBox&) override {
    ++calls;
    throw std::runtime_error("no screen");
  }
  void showForm(QWidget*, QDialog&) override {
    ++calls;
    throw std::runtime_error("no screen");
  }
  int calls = 0;
};

QString fileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return QString::fromLatin1(std::string(std::istreambuf_iterator<char>(in), {}));
}

}  // namespace

class UserControl1Test : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void namedControlsWithTheirCaptions_data();
  void namedControlsWithTheirCaptions();
  void aNewControlHasBothPropertiesZero();
  void propertiesAreSavedAndRestored_data();
  void propertiesAreSavedAndRestored();
  void theShowHandlerFillsTheForm();
  void showingAgainResetsSuccessButRestoringDoesNot();
  void theBusyBarCyclesFromOneTo98_data();
  void theBusyBarCyclesFromOneTo98();
  void exitRaisesControlShutdownOnce();
  void setPOOnEachSampleOrder_data();
  void setPOOnEachSampleOrder();
  void gridRowsInTheirFormats_data();
  void gridRowsInTheirFormats();
  void aVendorNotFoundAfterAnotherOrderClearsTheConnection();
  void aMissingFileIsReportedAndEndsTheControl();
  void numbersThatAreNotPlainFileNamesOpenNothing_data();
  void numbersThatAreNotPlainFileNamesOpenNothing();
  void aMissingPartFileStopsTheLoadAndKeepsTheRows();
  void withoutSettingsFileTheLoadReportsNoEngine();
  void aShowHandlerFailureNamesTheShowRoutine();
  void aFailingPresenterStopsNothing();
  void doubleClickOnTheNumberShowsABlankResponseForm();
  void answersGivenByTheHostAreShownOrReported_data();
  void answersGivenByTheHostAreShownOrReported();
  void statusCodeTexts_data();
  void statusCodeTexts();
  void theClockCanStartAtAGivenTime();
  void busyForTheWholeLoadAndNeverOverABox_data();
  void busyForTheWholeLoadAndNeverOverABox();
  void aBoxOverTheBusyCursorShowsTheOrdinaryOne();

 private:
  std::unique_ptr<UserControl1> shownControl();
  template <typename T>
  T* child(UserControl1& control, const char* name) {
    T* found = control.findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("no child %s", name);
    return found;
  }
  QString hdr(UserControl1& c, int i) { return child<QLabel>(c, qPrintable(QStringLiteral("lblPOHdr(%1)").arg(i)))->text(); }
  velta::qt::Grid* grid(UserControl1& c) { return child<velta::qt::Grid>(c, "VSFlexGrid1"); }
  QStringList rows(UserControl1& c) {
    QStringList out;
    auto* g = grid(c);
    for (int r = 1; r < g->Rows(); ++r) {
      QStringList cells;
      for (int col = 0; col < g->Cols(); ++col) cells << g->TextMatrix(r, col);
      out << cells.join(QLatin1Char('\t'));
    }
    return out;
  }
  void useSettingsFolder(const QString& folder) { qputenv("TMPDIR", folder.toLocal8Bit()); }

  QTemporaryDir dir_;
  velta::sample::SampleBusinessSystem sample_;
  RecordingPresenter presenter_;
};

void UserControl1Test::initTestCase() {
  QVERIFY(dir_.isValid());
  velta::sample::SampleOptions options;
  options.parts = 200;
  sample_ = velta::sample::writeSampleBusinessSystem(dir_.path().toStdString(), options);
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(sample_.configHome().string()));
  veltaorder::WorkstationSetup::setShares(QString::fromStdString(sample_.root.string()), {});
}

void UserControl1Test::init() {
  useSettingsFolder(QString::fromStdString(sample_.tmpDir().string()));
  using namespace std::chrono;
  velta::baseState().clock = [] {
    return velta::DateTime{year{2026} / December / 8, hours{21} + minutes{5} + seconds{7}};
  };
  presenter_.clear();
}

void UserControl1Test::cleanup() {
  velta::baseState().clock = nullptr;
  veltaorder::WorkstationSetup::setBusinessSystem({}, {});
}

std::unique_ptr<UserControl1> UserControl1Test::shownControl() {
  auto control = std::make_unique<UserControl1>();
  control->setPresenter(&presenter_);
  control->initProperties();
  control->show();
  return control;
}

void UserControl1Test::namedControlsWithTheirCaptions_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("caption");
  auto row = [](const char* name, const char* kind, const char* caption) {
    QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind) << QString::fromLatin1(caption);
  };
  row("Timer1", "QTimer", "");
  row("cmdPOStat", "QPushButton", "PO Status");
  row("ws2", "velta::qt::Socket", "");
  row("Check1", "QCheckBox", "Order for Resale");
  row("cmbBoShip", "QComboBox", "");
  row("cmbBOC", "QComboBox", "");
  row("cmbSM", "QComboBox", "");
  row("dtpSD", "QDateEdit", "");
  row("ws1", "velta::qt::Socket", "");
  row("chkDrop", "QCheckBox", "Drop Ship");
  row("cmdSubmit", "QPushButton", "Submit Order");
  row("cmdExit", "QPushButton", "Exit");
  row("VSFlexGrid1", "velta::qt::Grid", "");
  row("pb1", "QProgressBar", "");
  row("lblXmit", "QLabel", "Transmission in Process... Please Wait.");
  row("Label4", "QLabel", "");
  const char* captions[] = {"Vendor",     "Date",          "Comments",    "Account",        "Total",
                            "IP Address", "Req Ship Date", "Ship Method", "Backorder Code", "BO Ship method"};
  for (int i = 0; i < 10; ++i) {
    const QString name = QStringLiteral("Label2(%1)").arg(i);
    QTest::newRow(qPrintable(name)) << name << QStringLiteral("QLabel") << QString::fromLatin1(captions[i]);
  }
  for (int i = 0; i < 9; ++i) {
    const QString name = QStringLiteral("lblPOHdr(%1)").arg(i);
    QTest::newRow(qPrintable(name)) << name << QStringLiteral("QLabel") << QString();
  }
  row("lblPO", "QLabel", "PO Number");
  row("Label3", "QLabel", "Version xxx.xxx.xxxx");
  row("Label1(1)", "QLabel", "  Velta Parts Order");
}

void UserControl1Test::namedControlsWithTheirCaptions() {
  QFETCH(QString, name);
  QFETCH(QString, kind);
  QFETCH(QString, caption);
  UserControl1 control;  // not shown: the form as designed
  QObject* found = control.findChild<QObject*>(name);
  QVERIFY2(found, qPrintable(name));
  QCOMPARE(QString::fromLatin1(found->metaObject()->className()), kind);
  if (auto* label = qobject_cast<QLabel*>(found)) QCOMPARE(label->text(), caption);
  if (auto* button = qobject_cast<QAbstractButton*>(found)) QCOMPARE(button->text(), caption);
  if (auto* timer = qobject_cast<QTimer*>(found)) {
    QCOMPARE(timer->interval(), 100);
    QVERIFY(!timer->isActive());
  }
}

void UserControl1Test::aNewControlHasBothPropertiesZero() {
  UserControl1 control;
  QSignalSpy numberChanged(&control, &UserControl1::xPONumChanged);
  control.initProperties();
  QCOMPARE(control.xPONum(), QVariant(0));
  QCOMPARE(control.xPOSuccess(), QVariant(0));
  QCOMPARE(control.xPONum().typeId(), QMetaType::Int);
  QCOMPARE(numberChanged.count(), 0);  // nothing changed
  velta::qt::MemoryPropertyBag bag;
  control.writeProperties(bag);
  QVERIFY(bag.values().isEmpty());  // values equal to their defaults are not kept
  // The Qt properties are the same values.
  QCOMPARE(control.property("xPONum"), QVariant(0));
  QCOMPARE(control.property("xPOSuccess"), QVariant(0));
}

void UserControl1Test::propertiesAreSavedAndRestored_data() {
  QTest::addColumn<QVariant>("number");
  QTest::addColumn<QVariant>("success");
  QTest::newRow("text number") << QVariant(QStringLiteral("100231")) << QVariant(1);
  QTest::newRow("leading zeros stay") << QVariant(QStringLiteral("00123")) << QVariant(0);
  QTest::newRow("a number") << QVariant(100231) << QVariant(1);
  QTest::newRow("blanks and Latin-1") << QVariant(QStringLiteral(" A\u00e9 ")) << QVariant(1);
  QTest::newRow("empty text") << QVariant(QString()) << QVariant(0);
}

void UserControl1Test::propertiesAreSavedAndRestored() {
  QFETCH(QVariant, number);
  QFETCH(QVariant, success);
  velta::qt::MemoryPropertyBag bag;
  {
    UserControl1 control;
    control.initProperties();
    QSignalSpy changed(&control, &UserControl1::xPONumChanged);
    control.setXPONum(number);
    QCOMPARE(changed.count(), 1);
    control.setXPONum(number);
    QCOMPARE(changed.count(), 1);  // the same value again is no change
    control.setProperty("xPOSuccess", success);
    control.writeProperties(bag);
  }
  UserControl1 restored;
  restored.readProperties(bag);
  QCOMPARE(restored.xPONum(), number);
  QCOMPARE(restored.xPONum().typeId(), number.typeId());
  QCOMPARE(restored.xPOSuccess(), success);
}

void UserControl1Test::theShowHandlerFillsTheForm() {
  auto control = shownControl();
  QVERIFY(presenter_.boxes.isEmpty());
  const QString version = QStringLiteral("  Version %1.%2.%3")
                              .arg(VELTA_VERSION_MAJOR)
                              .arg(VELTA_VERSION_MINOR, 2, 10, QLatin1Char('0'))
                              .arg(VELTA_VERSION_PATCH, 4, 10, QLatin1Char('0'));
  QCOMPARE(child<QLabel>(*control, "Label3")->text(), version);
  QCOMPARE(child<QDateEdit>(*control, "dtpSD")->date(), QDate(2026, 12, 8));
  QVERIFY(child<QDateEdit>(*control, "dtpSD")->calendarPopup());
  const QStringList methods{QStringLiteral("   Default"),
                            QStringLiteral("A - Will Call"),
                            QStringLiteral("B - Truck Shipment"),
                            QStringLiteral("C - Small Pkg Ground"),
                            QStringLiteral("D - 3-Day Select"),
                            QStringLiteral("E - 2nd Day Air"),
                            QStringLiteral("F - 2nd Day Air (Early Delivery)"),
                            QStringLiteral("G - Next Day Air (Saver Method)"),
                            QStringLiteral("H - Next Day Air"),
                            QStringLiteral("I - Next Day Air (Saturday Delivery)"),
                            QStringLiteral("J - Next Day Air (Early AM Delivery)"),
                            QStringLiteral("K - Next Day Air (Early AM Saturday)")};
  const QStringList codes{
      QStringLiteral("   Default"),
      QStringLiteral("0 - Ship or Cancel (Do Not BO)"),
      QStringLiteral("1 - Ship (BO if not in Stock)"),
      QStringLiteral("2 - Ship from any Warehouse ( BO if not in Stock)"),
      QStringLiteral("3 - Ship from any Warehouse ( Order from Factory if not in stock)"),
      QStringLiteral("4 - Ship from any Warehouse ( Drop Ship from Factory if not in Stock - cancel if not avail)"),
      QStringLiteral("5 - Ship order Complete"),
      QStringLiteral("6 - Ship order Complete (rush BO from factory)"),
      QStringLiteral("7 - Ship from any Warehouse")};
  auto entries = [](QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
    return out;
  };
  QCOMPARE(entries(child<QComboBox>(*control, "cmbSM")), methods);
  QCOMPARE(entries(child<QComboBox>(*control, "cmbBoShip")), methods);
  QCOMPARE(entries(child<QComboBox>(*control, "cmbBOC")), codes);
  for (const char* name : {"cmbSM", "cmbBoShip", "cmbBOC"}) {
    QCOMPARE(child<QComboBox>(*control, name)->currentIndex(), 0);
  }
  QVERIFY(child<QLabel>(*control, "lblXmit")->isHidden());
  QVERIFY(child<QProgressBar>(*control, "pb1")->isHidden());
  QVERIFY(!child<QTimer>(*control, "Timer1")->isActive());
  // Nothing loaded yet: neither action.
  QVERIFY(!child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QVERIFY(!child<QPushButton>(*control, "cmdPOStat")->isEnabled());
  QVERIFY(child<QPushButton>(*control, "cmdExit")->isEnabled());
  // Showing it again fills the lists afresh, not twice.
  control->hide();
  control->show();
  QCOMPARE(entries(child<QComboBox>(*control, "cmbSM")), methods);
}

void UserControl1Test::showingAgainResetsSuccessButRestoringDoesNot() {
  UserControl1 control;
  control.setPresenter(&presenter_);
  control.setXPOSuccess(1);
  QSignalSpy changed(&control, &UserControl1::xPOSuccessChanged);
  control.show();
  QCOMPARE(control.xPOSuccess(), QVariant(0));
  QCOMPARE(changed.count(), 1);
  control.setXPOSuccess(1);
  control.hide();
  control.show();
  QCOMPARE(control.xPOSuccess(), QVariant(0));

  // Restored from a minimised window: the window system's show event runs no handler.
  control.setXPOSuccess(1);
  QShowEvent restored;
  QSpontaneKeyEvent::setSpontaneous(&restored);
  static_cast<QObject&>(control).event(&restored);  // sendEvent would make it non-spontaneous
  QVERIFY(restored.spontaneous());
  QCOMPARE(control.xPOSuccess(), QVariant(1));
}

void UserControl1Test::theBusyBarCyclesFromOneTo98_data() {
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("ticks");
  QTest::addColumn<int>("expected");
  QTest::newRow("first tick") << 0 << 1 << 1;
  QTest::newRow("1 + 97") << 1 << 97 << 98;
  QTest::newRow("98 ticks from 1") << 1 << 98 << 1;
  QTest::newRow("from 98") << 98 << 1 << 1;
  QTest::newRow("two rounds") << 1 << 196 << 1;
  QTest::newRow("beyond the range") << 100 << 1 << 1;
}

void UserControl1Test::theBusyBarCyclesFromOneTo98() {
  QFETCH(int, start);
  QFETCH(int, ticks);
  QFETCH(int, expected);
  auto control = shownControl();
  auto* bar = child<QProgressBar>(*control, "pb1");
  auto* timer = child<QTimer>(*control, "Timer1");
  bar->setValue(start);
  timer->start();  // its ticks are delivered here, one by one
  int lowest = 1000, highest = -1;
  for (int i = 0; i < ticks; ++i) {
    QTimerEvent tick(timer->timerId());
    QApplication::sendEvent(timer, &tick);
    lowest = std::min(lowest, bar->value());
    highest = std::max(highest, bar->value());
  }
  timer->stop();
  QCOMPARE(bar->value(), expected);
  QVERIFY(lowest >= 1);
  QVERIFY(highest <= 98);
}

void UserControl1Test::exitRaisesControlShutdownOnce() {
  auto control = shownControl();
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  QTest::mouseClick(child<QPushButton>(*control, "cmdExit"), Qt::LeftButton);
  QCOMPARE(shutdown.count(), 1);
  QVERIFY(presenter_.boxes.isEmpty());
}

void UserControl1Test::setPOOnEachSampleOrder_data() {
  QTest::addColumn<QString>("number");
  QTest::addColumn<bool>("submit");
  QTest::addColumn<bool>("status");
  QTest::addColumn<bool>("dropShip");
  QTest::addColumn<QString>("vendor");
  QTest::addColumn<QString>("account");
  QTest::addColumn<QString>("host");
  QTest::addColumn<QString>("ports");
  QTest::addColumn<QString>("total");
  QTest::addColumn<int>("rows");
  const QString npd = QStringLiteral("NORTHERN PARTS DISTRIBUTION   ");
  const QString npdPorts = QStringLiteral("Using ports... 12100 - 12103");
  const QString defaults = QStringLiteral("Using ports... 12000 - 12003");
  const QString localHost = QStringLiteral("127.0.0.1      ");
  auto total = [&](const char* name) {
    const auto* po = sample_.catalog.purchaseOrder(name);
    const int cents = po->totalCents();
    return QStringLiteral("%1%2.%3").arg(cents < 0 ? "-" : "").arg(std::abs(cents) / 100).arg(std::abs(cents) % 100, 2, 10,
                                                                                                QLatin1Char('0'));
  };
  QTest::newRow("open") << "100231" << true << false << false << npd << "104233/A7" << localHost << npdPorts
                        << total("100231") << 5;
  QTest::newRow("transmitted") << "100232" << false << true << false << npd << "104233/A7" << localHost << npdPorts
                               << total("100232") << 2;
  QTest::newRow("parts not found") << "100233" << true << false << false << npd << "104233/A7" << localHost << npdPorts
                                   << total("100233") << 4;
  QTest::newRow("drop ship, ports 0, no sub-account")
      << "100234" << true << false << true << "PARTSNET WHOLESALE            " << "PN5512"
      << "10.20.30.40    " << defaults << total("100234") << 1;
  QTest::newRow("vendor not found") << "100235" << false << false << false << "Vendor not found" << "" << "" << ""
                                    << total("100235") << 1;
  QTest::newRow("mask 47, 1234567 cents") << "100236" << true << false << false << "SUMMIT CHEMICAL, INC.         "
                                          << "SC 1180" << QString(15, QLatin1Char(' ')) << defaults << "12345.67" << 1;
  QTest::newRow("returns") << "100237" << true << false << false << "VALLEY BRAKE AND CLUTCH       " << "VB 77120"
                           << QString(15, QLatin1Char(' ')) << defaults << "-12.55" << 2;
  QTest::newRow("no parts") << "100238" << true << false << false << npd << "104233/A7" << localHost << npdPorts
                            << "0.00" << 0;
}

void UserControl1Test::setPOOnEachSampleOrder() {
  QFETCH(QString, number);
  QFETCH(bool, submit);
  QFETCH(bool, status);
  QFETCH(bool, dropShip);
  QFETCH(QString, vendor);
  QFETCH(QString, account);
  QFETCH(QString, host);
  QFETCH(QString, ports);
  QFETCH(QString, total);
  QFETCH(int, rows);
  auto control = shownControl();
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  control->setXPONum(number);
  control->setPO();
  QVERIFY2(presenter_.boxes.isEmpty(), presenter_.boxes.isEmpty() ? "" : qPrintable(presenter_.boxes[0].box.text));
  QCOMPARE(shutdown.count(), 0);
  QCOMPARE(child<QLabel>(*control, "lblPO")->text(), number);
  QCOMPARE(hdr(*control, 0), vendor);
  QCOMPARE(hdr(*control, 1), QStringLiteral("12/8/2026 9:05:07 PM"));
  QCOMPARE(hdr(*control, 2), account);
  QCOMPARE(hdr(*control, 7), total);
  QCOMPARE(hdr(*control, 8), host);
  QCOMPARE(child<QLabel>(*control, "Label4")->text(), ports);
  QCOMPARE(child<QPushButton>(*control, "cmdSubmit")->isEnabled(), submit);
  QCOMPARE(child<QPushButton>(*control, "cmdPOStat")->isEnabled(), status);
  QCOMPARE(child<QCheckBox>(*control, "chkDrop")->isChecked(), dropShip);
  QCOMPARE(grid(*control)->Rows(), rows + 1);
  QVERIFY(grid(*control)->redraw());
  const auto* po = sample_.catalog.purchaseOrder(number.toStdString());
  for (int k = 0; k < 4; ++k) {
    QCOMPARE(hdr(*control, 3 + k).trimmed(), QString::fromStdString(po->comments[static_cast<std::size_t>(k)]));
    QCOMPARE(hdr(*control, 3 + k).size(), 54);
  }
  // Loading again gives the same, not twice the rows.
  control->setPO();
  QCOMPARE(grid(*control)->Rows(), rows + 1);
}

void UserControl1Test::gridRowsInTheirFormats_data() {
  QTest::addColumn<QString>("number");
  QTest::addColumn<int>("row");
  QTest::addColumn<QString>("text");
  QTest::newRow("mask 47") << "100236" << 1
                           << "1\tCHM\t123-45-678          \tBRAKE FLUID  DOT 3   \t127\t97.21\t12345.67";
  QTest::newRow("part not found") << "100233" << 1 << "1\tFLT\tZZ9999            \tPart Not Found\t2\t12.50\t25.00";
  QTest::newRow("cost 0, part not found") << "100233" << 2 << "2\tBRK\tQX0001            \tPart Not Found\t1\t.00\t.00";
  QTest::newRow("a return of 5 cents") << "100237" << 1 << "";
  QTest::newRow("a return of 6.25") << "100237" << 2 << "";
  QTest::newRow("a unit cost of 5 cents") << "100231" << 5 << "";
}

void UserControl1Test::gridRowsInTheirFormats() {
  QFETCH(QString, number);
  QFETCH(int, row);
  QFETCH(QString, text);
  auto control = shownControl();
  control->setXPONum(number);
  control->setPO();
  const QStringList shown = rows(*control);
  QVERIFY(row <= shown.size());
  const QString line = shown[row - 1];
  if (!text.isEmpty()) {
    QCOMPARE(line, text);
  } else if (number == QLatin1String("100237")) {
    QVERIFY2(line.endsWith(row == 1 ? QStringLiteral("\t-1\t.05\t-.05") : QStringLiteral("\t-2\t6.25\t-12.50")),
             qPrintable(line));
  } else {
    QVERIFY2(line.endsWith(QStringLiteral("\t5\t.05\t.25")), qPrintable(line));
  }
  QCOMPARE(line.split(QLatin1Char('\t')).size(), 7);
  QCOMPARE(grid(*control)->columnTitles(),
           (QStringList{"Item", "Line", "Part", "Description", "Ordered", "Cost", "Extended"}));
}

void UserControl1Test::aVendorNotFoundAfterAnotherOrderClearsTheConnection() {
  auto control = shownControl();
  control->setXPONum(QStringLiteral("100231"));
  control->setPO();
  QCOMPARE(hdr(*control, 8), QStringLiteral("127.0.0.1      "));
  QVERIFY(child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  control->setXPONum(QStringLiteral("100235"));
  control->setPO();
  QCOMPARE(hdr(*control, 0), QStringLiteral("Vendor not found"));
  QCOMPARE(hdr(*control, 2), QString());
  QCOMPARE(hdr(*control, 8), QString());
  QCOMPARE(child<QLabel>(*control, "Label4")->text(), QString());
  QVERIFY(!child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QVERIFY(!child<QPushButton>(*control, "cmdPOStat")->isEnabled());
  QCOMPARE(grid(*control)->Rows(), 2);  // the order itself still loads
  QVERIFY(presenter_.boxes.isEmpty());
}

void UserControl1Test::aMissingFileIsReportedAndEndsTheControl() {
  auto control = shownControl();
  control->setXPONum(QStringLiteral("100231"));
  control->setPO();
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  control->setXPONum(999999);
  control->setPO();
  QCOMPARE(presenter_.boxes.size(), 1);
  const auto& box = presenter_.boxes[0].box;
  QCOMPARE(box.text, QStringLiteral("Can not open PO file \\\\SRV\\HBTSLNK\\D1\\999999"));
  QCOMPARE(box.title, QStringLiteral("Attention"));
  QCOMPARE(box.icon, MessageIcon::Critical);
  QCOMPARE(box.buttons, MessageButtons::Ok);
  QVERIFY(!box.systemModal);
  QCOMPARE(presenter_.boxes[0].owner, control.get());
  QCOMPARE(shutdown.count(), 1);
  QVERIFY(!child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QVERIFY(!child<QPushButton>(*control, "cmdPOStat")->isEnabled());
  QCOMPARE(hdr(*control, 8), QString());
  QCOMPARE(child<QLabel>(*control, "Label4")->text(), QString());
  QCOMPARE(grid(*control)->Rows(), 1);
  QVERIFY(grid(*control)->redraw());
  QCOMPARE(child<QLabel>(*control, "lblPO")->text(), QStringLiteral("999999"));
}

void UserControl1Test::numbersThatAreNotPlainFileNamesOpenNothing_data() {
  QTest::addColumn<QString>("number");
  QTest::newRow("up and over") << QStringLiteral("..\\D2\\100231");
  QTest::newRow("slashes") << QStringLiteral("../D2/100231");
  QTest::newRow("a whole path, even to our own order") << QStringLiteral("\\\\SRV\\HBTSLNK\\D1\\100231");
  QTest::newRow("dot dot") << QStringLiteral("..");
  QTest::newRow("a control character") << QStringLiteral("1002\u000131");
}

void UserControl1Test::numbersThatAreNotPlainFileNamesOpenNothing() {
  QFETCH(QString, number);
  auto control = shownControl();
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  control->setXPONum(number);
  control->setPO();
  QCOMPARE(presenter_.boxes.size(), 1);
  QCOMPARE(presenter_.boxes[0].box.text, QStringLiteral("Can not open PO file ") + number);
  QCOMPARE(presenter_.boxes[0].box.title, QStringLiteral("Attention"));
  QCOMPARE(shutdown.count(), 1);
  QCOMPARE(grid(*control)->Rows(), 1);
  QVERIFY(!child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QVERIFY(!child<QPushButton>(*control, "cmdPOStat")->isEnabled());
}

void UserControl1Test::aMissingPartFileStopsTheLoadAndKeepsTheRows() {
  const auto linksPath = sample_.linkShare() / "LINKSFILE";
  const QString saved = fileText(linksPath);
  std::vector<velta::sample::SampleLink> links;
  for (const auto& link : sample_.links) {
    if (link.link != ":D1:PARTL") links.push_back(link);
  }
  {
    std::ofstream out(linksPath, std::ios::binary | std::ios::trunc);
    out << velta::sample::linksFileBytes(links);
  }
  auto control = shownControl();  // the engine reads the links when it starts
  {
    std::ofstream out(linksPath, std::ios::binary | std::ios::trunc);
    out << saved.toLatin1().toStdString();
  }
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  control->setXPONum(QStringLiteral("100233"));
  control->setPO();
  const QString expected = QStringLiteral("Error in frmPO GetPO routine error # :  -10  File not Found: \"PARTL\"");
  QCOMPARE(presenter_.boxes.size(), 1);
  QCOMPARE(presenter_.boxes[0].box.text, expected);
  QCOMPARE(presenter_.boxes[0].box.title, QStringLiteral("veltaorder Error"));
  QCOMPARE(presenter_.boxes[0].box.icon, MessageIcon::None);
  QVERIFY(presenter_.boxes[0].box.systemModal);
  QCOMPARE(control->errText(), expected);
  QCOMPARE(control->property("errText").toString(), expected);
  QCOMPARE(shutdown.count(), 0);
  const QStringList shown = rows(*control);
  QCOMPARE(shown.size(), 2);  // the two parts not on file came before the failure
  QVERIFY(shown[0].startsWith(QStringLiteral("1\tFLT\tZZ9999")));
  QVERIFY(grid(*control)->redraw());
  QVERIFY(!child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QVERIFY(!child<QPushButton>(*control, "cmdPOStat")->isEnabled());
  QCOMPARE(hdr(*control, 8), QString());
}

void UserControl1Test::withoutSettingsFileTheLoadReportsNoEngine() {
  QTemporaryDir empty;
  useSettingsFolder(empty.path());
  auto control = shownControl();
  QCOMPARE(presenter_.boxes.size(), 1);
  const auto& missing = presenter_.boxes[0].box;
  QCOMPARE(missing.text, QStringLiteral("You are missing file: ") + empty.path() +
                             QStringLiteral("/hBTCatalog.ini    Are you running h-Brontek Workstation?"));
  QCOMPARE(missing.title, QStringLiteral("EpcError"));
  QVERIFY(missing.systemModal);
  control->setXPONum(QStringLiteral("100231"));
  control->setPO();
  QCOMPARE(presenter_.boxes.size(), 2);
  QCOMPARE(presenter_.boxes[1].box.text,
           QStringLiteral("Error in frmPO GetPO routine error # :  91  Object variable or With block variable not set"));
  QVERIFY(!child<QPushButton>(*control, "cmdSubmit")->isEnabled());
}

void UserControl1Test::aShowHandlerFailureNamesTheShowRoutine() {
  QTemporaryDir settings;
  {
    std::ofstream out(settings.filePath(QStringLiteral("hBTCatalog.ini")).toStdString(), std::ios::binary);
    out << "[xQ-Depot]\r\nServer=SRV\r\nDirectory=D1\r\nCustomerNumber=12a\r\n";
  }
  useSettingsFolder(settings.path());
  UserControl1 control;
  control.setPresenter(&presenter_);
  control.setXPOSuccess(1);
  control.show();
  QCOMPARE(presenter_.boxes.size(), 1);
  const QString expected = QStringLiteral(" Error 13  Type mismatch") + kCrLf + QStringLiteral(" in control show routine") + kCrLf;
  QCOMPARE(presenter_.boxes[0].box.text, expected);
  QCOMPARE(presenter_.boxes[0].box.title, QStringLiteral("veltaorder Error"));
  QVERIFY(presenter_.boxes[0].box.systemModal);
  QCOMPARE(control.errText(), expected);
  // The steps after the failing one did not run.
  QCOMPARE(control.xPOSuccess(), QVariant(1));
  QCOMPARE(child<QComboBox>(control, "cmbSM")->count(), 0);
}

void UserControl1Test::aFailingPresenterStopsNothing() {
  FailingPresenter failing;
  UserControl1 control;
  control.setPresenter(&failing);
  control.show();
  control.setXPONum(QStringLiteral("999999"));
  QSignalSpy shutdown(&control, &UserControl1::controlShutdown);
  control.setPO();  // the box fails, and so does the error box after it: nothing escapes
  QVERIFY(failing.calls >= 1);
  QVERIFY(control.errText().startsWith(QStringLiteral("Error in frmPO GetPO routine error # :  51  Internal error: no screen")));
  QTest::mouseDClick(child<QLabel>(control, "lblPO"), Qt::LeftButton);
  QVERIFY(control.errText().endsWith(QStringLiteral(" in lblPO_DblClick routine") + kCrLf));
  QTest::mouseClick(child<QPushButton>(control, "cmdExit"), Qt::LeftButton);
  QCOMPARE(shutdown.count(), 1);
}

void UserControl1Test::doubleClickOnTheNumberShowsABlankResponseForm() {
  auto control = shownControl();
  control->setXPONum(QStringLiteral("100231"));
  control->setPO();
  QTest::mouseDClick(child<QLabel>(*control, "lblPO"), Qt::LeftButton);
  QCOMPARE(presenter_.forms.size(), 1);
  const auto& form = presenter_.forms[0];
  QCOMPARE(form.name, QStringLiteral("frmPoResponse"));
  QCOMPARE(form.caption, QStringLiteral("Parts Order Response"));
  QCOMPARE(form.owner, control.get());
  for (int i = 0; i <= 6; ++i) QCOMPARE(form.labels.value(QStringLiteral("lblSearch(%1)").arg(i)), QString());
  QVERIFY(form.grids.contains(QStringLiteral("grdItem")));
  QCOMPARE(form.grids[QStringLiteral("grdItem")].titles.size(), 12);
  QVERIFY(form.grids[QStringLiteral("grdItem")].rows.isEmpty());
  // A fresh form each time, gone once shown.
  QTest::mouseDClick(child<QLabel>(*control, "lblPO"), Qt::LeftButton);
  QCOMPARE(presenter_.forms.size(), 2);
  QVERIFY(control->findChildren<QDialog*>().isEmpty());
}

void UserControl1Test::answersGivenByTheHostAreShownOrReported_data() {
  QTest::addColumn<QString>("routine");
  QTest::addColumn<QString>("answer");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("form");
  QTest::newRow("parseResponse, malformed")
      << "parseResponse" << "0\n" << " Error 9  Subscript out of range" << "veltaorder Error" << "";
  QTest::newRow("statusResponse, malformed")
      << "statusResponse" << "0\n" << " Error 9  Subscript out of range" << "veltaorder error" << "";
  QTest::newRow("SetGrid without a status form")
      << "SetGrid" << ""
      << " Error 91  Object variable or With block variable not set\r\n in SetGrid routine\r\n"
      << "veltaorder Error" << "";
  QTest::newRow("parseResponse, acknowledgement")
      << "parseResponse" << "00|//VELTA//850|\n01|A|B|C|D\n" << "" << "" << "frmPoResponse";
}

void UserControl1Test::answersGivenByTheHostAreShownOrReported() {
  QFETCH(QString, routine);
  QFETCH(QString, answer);
  QFETCH(QString, text);
  QFETCH(QString, title);
  QFETCH(QString, form);
  auto control = shownControl();
  control->setXPONum(QStringLiteral("100231"));
  control->setPO();
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  std::string bytes = answer.toStdString();
  int32_t count = static_cast<int32_t>(bytes.size());
  if (routine == QLatin1String("parseResponse")) control->parseResponse(bytes, count);
  if (routine == QLatin1String("statusResponse")) control->statusResponse(bytes, count);
  if (routine == QLatin1String("SetGrid")) control->SetGrid();
  if (form.isEmpty()) {
    QCOMPARE(presenter_.boxes.size(), 1);
    QVERIFY2(presenter_.boxes[0].box.text.startsWith(text), qPrintable(presenter_.boxes[0].box.text));
    QCOMPARE(presenter_.boxes[0].box.title, title);
    // No pretended success.
    QCOMPARE(shutdown.count(), 0);
    QCOMPARE(control->xPOSuccess(), QVariant(0));
  } else {
    QCOMPARE(presenter_.sequence, QStringList{QStringLiteral("form ") + form});
    QCOMPARE(shutdown.count(), 1);
    QCOMPARE(control->xPOSuccess(), QVariant(1));
  }
}

void UserControl1Test::statusCodeTexts_data() {
  QTest::addColumn<QVariant>("code");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("boxes");
  QTest::newRow("1030") << QVariant(1030) << "Credit limit exceeded" << 0;
  QTest::newRow("\"1030\"") << QVariant(QStringLiteral("1030")) << "Credit limit exceeded" << 0;
  QTest::newRow("1040") << QVariant(1040) << "Account is on hold" << 0;
  QTest::newRow("0") << QVariant(0) << "" << 0;
  QTest::newRow("1030.5") << QVariant(1030.5) << "" << 0;
  QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << "" << 1;
}

void UserControl1Test::statusCodeTexts() {
  QFETCH(QVariant, code);
  QFETCH(QString, text);
  QFETCH(int, boxes);
  UserControl1 control;
  control.setPresenter(&presenter_);
  QCOMPARE(control.getPOStatCode(code), text);
  QCOMPARE(presenter_.boxes.size(), boxes);
}

void UserControl1Test::theClockCanStartAtAGivenTime() {
  veltaorder::WorkstationSetup::startClockAt(QDateTime(QDate(2030, 1, 2), QTime(23, 59, 58)));
  const velta::DateTime now = velta::Now();
  QCOMPARE(velta::formatIsoDate(now.date) == "2030-01-02" || velta::formatIsoDate(now.date) == "2030-01-03", true);
  auto control = shownControl();
  QVERIFY(child<QDateEdit>(*control, "dtpSD")->date() >= QDate(2030, 1, 2));
  veltaorder::WorkstationSetup::startClockAt(QDateTime());
  QVERIFY(velta::yearOf(velta::Now().date) != 2030);  // the system clock again
}

// The busy cursor while an order loads: on for the whole load, off again on
// every way out, and never over a box the user must answer.
void UserControl1Test::busyForTheWholeLoadAndNeverOverABox_data() {
  QTest::addColumn<QString>("order");
  QTest::addColumn<bool>("settings");
  QTest::addColumn<int>("boxes");
  QTest::addColumn<bool>("rows");
  QTest::newRow("loaded") << QStringLiteral("100231") << true << 0 << true;
  QTest::newRow("no such file") << QStringLiteral("999999") << true << 1 << false;
  QTest::newRow("no engine: error 91") << QStringLiteral("100231") << false << 1 << false;
}

void UserControl1Test::busyForTheWholeLoadAndNeverOverABox() {
  QFETCH(QString, order);
  QFETCH(bool, settings);
  QFETCH(int, boxes);
  QFETCH(bool, rows);
  QTemporaryDir empty;
  if (!settings) useSettingsFolder(empty.path());
  CursorPresenter presenter;
  UserControl1 control;
  control.setPresenter(&presenter);
  control.initProperties();
  control.show();
  presenter.underBoxes.clear();  // the show handler's own notices, if any
  QList<int> underRows;
  connect(grid(control)->view()->model(), &QAbstractItemModel::rowsInserted, this, [&] { underRows << cursorNow(); });
  control.setXPONum(order);
  control.setPO();
  QCOMPARE(cursorNow(), -1);
  QCOMPARE(presenter.underBoxes.size(), boxes);
  for (const int shape : presenter.underBoxes) QVERIFY(shape != Qt::WaitCursor);
  QCOMPARE(!underRows.isEmpty(), rows);
  for (const int shape : underRows) QCOMPARE(shape, static_cast<int>(Qt::WaitCursor));
}

void UserControl1Test::aBoxOverTheBusyCursorShowsTheOrdinaryOne() {
  QCOMPARE(cursorNow(), -1);
  {
    const velta::qt::BusyCursor busy;
    QCOMPARE(cursorNow(), static_cast<int>(Qt::WaitCursor));
    {
      const velta::qt::ArrowCursor arrow;
      QCOMPARE(cursorNow(), static_cast<int>(Qt::ArrowCursor));
    }
    QCOMPARE(cursorNow(), static_cast<int>(Qt::WaitCursor));
  }
  QCOMPARE(cursorNow(), -1);
  const velta::qt::ArrowCursor arrow;  // nothing busy: nothing to change
  QCOMPARE(cursorNow(), -1);
}

QTEST_MAIN(UserControl1Test)
#include "tst_usercontrol1.moc"
