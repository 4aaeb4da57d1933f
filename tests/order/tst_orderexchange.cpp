// The order control's exchanges with a distributor played by the test: an
// in-process server on 127.0.0.1 whose every move the test decides. The exact
// request bytes, both answer paths of the order, the status answer and its
// exception. Every way an exchange can go wrong, its deadlines and its
// journal: the exchange suite both controls share (tests/exchange).
#include <QComboBox>
#include <QDateEdit>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <memory>

#include "base/BaseState.h"
#include "base/Clock.h"
#include "link/RequestHeader.h"
#include "order/UserControl1.h"
#include "order/WorkstationSetup.h"
#include "qt/Grid.h"
#include "support/FakeDistributor.h"
#include "support/RecordingPresenter.h"
#include "tools/sample/SampleBusinessSystem.h"

using veltaorder::UserControl1;
using velta::qt::RecordingPresenter;
using velta::test::FakeDistributor;

namespace {

QByteArray framed(const QByteArray& message) { return QByteArray::number(message.size()) + '\n' + message; }

const QByteArray kAnswerHeader = "00|//VELTA//850ACK|||DIST|8153|21:05:09|20261208||BMS|||||||\n";
const QByteArray kExceptionHeader = "00|//VELTA//EXR|||DIST|8153|21:05:09|20261208||BMS|||||||\n";


}  // namespace

class OrderExchangeTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void theRequestIsSentExactly_data();
  void theRequestIsSentExactly();
  void anAcknowledgementIsShownAndEndsTheControlOnce();
  void anExceptionIsShownAndClosesTheSocket();
  void aStatusAnswerShowsGroupRowsColouredAndBold();
  void aStatusExceptionIsTheOrderWordedExceptionForm();

 private:
  std::unique_ptr<UserControl1> loaded(const char* number);
  template <typename T>
  T* child(UserControl1& control, const char* name) {
    T* found = control.findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("no child %s", name);
    return found;
  }
  QByteArray expectedOrderRequest(UserControl1& control, const QByteArray& orderFields);
  bool busy(UserControl1& c) {
    return !child<QLabel>(c, "lblXmit")->isHidden() || child<QTimer>(c, "Timer1")->isActive();
  }

  QTemporaryDir dir_;
  velta::sample::SampleBusinessSystem sample_;
  RecordingPresenter presenter_;
  FakeDistributor orders_;
  FakeDistributor status_;
};

void OrderExchangeTest::initTestCase() {
  QVERIFY(dir_.isValid());
  velta::sample::SampleOptions options;
  options.parts = 200;
  options.distributor.host = "127.0.0.1";
  options.distributor.orderPort = orders_.port();
  options.distributor.statusPort = status_.port();
  sample_ = velta::sample::writeSampleBusinessSystem(dir_.path().toStdString(), options);
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(sample_.configHome().string()));
  veltaorder::WorkstationSetup::setShares(QString::fromStdString(sample_.root.string()), {});
}

void OrderExchangeTest::init() {
  qputenv("TMPDIR", QByteArray::fromStdString(sample_.tmpDir().string()));
  using namespace std::chrono;
  velta::baseState().clock = [] {
    return velta::DateTime{year{2026} / December / 8, hours{21} + minutes{5} + seconds{7}};
  };
  presenter_.clear();
  presenter_.onForm = nullptr;
  presenter_.onBox = nullptr;
  orders_.reset();
  status_.reset();
}

void OrderExchangeTest::cleanup() {
  velta::baseState().clock = nullptr;
  veltaorder::WorkstationSetup::setBusinessSystem({}, {});
}

std::unique_ptr<UserControl1> OrderExchangeTest::loaded(const char* number) {
  auto control = std::make_unique<UserControl1>();
  control->setPresenter(&presenter_);
  control->initProperties();
  control->show();
  control->setXPONum(QString::fromLatin1(number));
  control->setPO();
  return control;
}

// The header at the test's clock, the order record as given, and one line
// record per grid row with the distributor's code of the row's line.
QByteArray OrderExchangeTest::expectedOrderRequest(UserControl1& control, const QByteArray& orderFields) {
  QByteArray message = QByteArray::fromStdString(
      velta::requestHeaderLine(velta::MessageSet::Order850, {"20261208", "21:05:07"}));
  message += "01|104233|100231|||" + orderFields + "\n";
  auto* grid = child<velta::qt::Grid>(control, "VSFlexGrid1");
  for (int r = 1; r < grid->Rows(); ++r) {
    const QByteArray line = grid->TextMatrix(r, 1).toLatin1();
    QByteArray code = line;
    for (const auto& sampleLine : sample_.catalog.lines) {
      if (QByteArray::fromStdString(sampleLine.Alpha_Line).trimmed() == line.trimmed() && !sampleLine.rktCode.empty()) {
        code = QByteArray::fromStdString(sampleLine.rktCode);
      }
    }
    message += "05|" + code + "|" + grid->TextMatrix(r, 2).toLatin1().trimmed() + "|" +
               grid->TextMatrix(r, 4).toLatin1().trimmed() + "\n";
  }
  return framed(message);
}

void OrderExchangeTest::theRequestIsSentExactly_data() {
  QTest::addColumn<int>("method");
  QTest::addColumn<int>("code");
  QTest::addColumn<int>("boShip");
  QTest::addColumn<bool>("resale");
  QTest::addColumn<QDate>("shipDate");
  QTest::addColumn<QByteArray>("orderFields");
  QTest::newRow("untouched") << 0 << 0 << 0 << false << QDate(2026, 12, 8) << QByteArray("| || | ");
  QTest::newRow("every choice") << 3 << 3 << 8 << true << QDate(2027, 1, 1) << QByteArray("270101|C|Y|2|H");
}

void OrderExchangeTest::theRequestIsSentExactly() {
  QFETCH(int, method);
  QFETCH(int, code);
  QFETCH(int, boShip);
  QFETCH(bool, resale);
  QFETCH(QDate, shipDate);
  QFETCH(QByteArray, orderFields);
  orders_.mode = FakeDistributor::Mode::Silent;
  auto control = loaded("100231");
  child<QComboBox>(*control, "cmbSM")->setCurrentIndex(method);
  child<QComboBox>(*control, "cmbBOC")->setCurrentIndex(code);
  child<QComboBox>(*control, "cmbBoShip")->setCurrentIndex(boShip);
  child<QCheckBox>(*control, "Check1")->setChecked(resale);
  child<QDateEdit>(*control, "dtpSD")->setDate(shipDate);
  QTest::mouseClick(child<QPushButton>(*control, "cmdSubmit"), Qt::LeftButton);
  // The transmitting state.
  QVERIFY(busy(*control));
  QVERIFY(!child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QVERIFY(control->isTransmitting());
  const QByteArray expected = expectedOrderRequest(*control, orderFields);
  QTRY_COMPARE(orders_.requests.value(0), expected);
  QCOMPARE(orders_.connections, 1);
  QVERIFY(presenter_.boxes.isEmpty());
}

void OrderExchangeTest::anAcknowledgementIsShownAndEndsTheControlOnce() {
  orders_.answer = framed(kAnswerHeader + "01|104233|100231|2|D-77001|20261208|1030|Credit limit exceeded\n" +
                          "05|ACD|PF52|2|1|1|ACD|PF52E|x|OIL FILTER|ALT|2|20261215|WH2\n" + "05|ACD|BK1|4\n");
  auto control = loaded("100231");
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  QVariant successWhileShown;
  QString outcomeWhileShown;
  presenter_.onForm = [&](QDialog&) {
    successWhileShown = control->xPOSuccess();
    outcomeWhileShown = control->lastOutcome();
  };
  control->submitOrder();
  QTRY_COMPARE(shutdown.count(), 1);
  QCOMPARE(presenter_.sequence, QStringList{QStringLiteral("form frmPoResponse")});
  const auto& form = presenter_.forms[0];
  const QStringList labels{"104233", "D-77001", "20261208", "100231", "2", "1030", "Credit limit exceeded"};
  for (int i = 0; i < 7; ++i) QCOMPARE(form.labels.value(QStringLiteral("lblSearch(%1)").arg(i)), labels[i]);
  const auto& rows = form.grids.value(QStringLiteral("grdItem")).rows;
  QCOMPARE(rows.size(), 2);
  QCOMPARE(rows[0].cells, (QStringList{"ACD", "PF52E", "2", "ACD", "PF52", "1", "1", "OIL FILTER", "ALT", "2",
                                       "20261215", "WH2"}));
  QCOMPARE(rows[1].cells.mid(0, 4), (QStringList{"4", "ACD", "BK1", ""}));
  // Accepted before the form was shown.
  QCOMPARE(successWhileShown, QVariant(1));
  QCOMPARE(outcomeWhileShown, QStringLiteral("acknowledged"));
  QCOMPARE(control->xPOSuccess(), QVariant(1));
  QCOMPARE(control->lastOrderNumber(), QStringLiteral("D-77001"));
  QVERIFY(!busy(*control));
  QVERIFY(!child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QVERIFY(!control->isTransmitting());
  // The control closed its end.
  QTRY_COMPARE(orders_.disconnects, 1);
  QTest::qWait(50);
  QCOMPARE(shutdown.count(), 1);
}

void OrderExchangeTest::anExceptionIsShownAndClosesTheSocket() {
  orders_.answer = framed(kExceptionHeader + "99|104233|100231|20261208|E17|Unknown account\n");
  auto control = loaded("100231");
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  control->submitOrder();
  QTRY_COMPARE(shutdown.count(), 1);
  QCOMPARE(presenter_.sequence, QStringList{QStringLiteral("form frmException")});
  const QStringList values{"104233", "100231", "20261208", "E17", "Unknown account"};
  for (int i = 0; i < 5; ++i) QCOMPARE(presenter_.forms[0].labels.value(QStringLiteral("lblER(%1)").arg(i)), values[i]);
  QCOMPARE(presenter_.forms[0].labels.value(QStringLiteral("Label1")), QStringLiteral("Your Order Returned an Exception."));
  QCOMPARE(control->xPOSuccess(), QVariant(0));
  QCOMPARE(control->lastOutcome(), QStringLiteral("exception"));
  QVERIFY(!busy(*control));
  QVERIFY(!child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QTRY_COMPARE(orders_.disconnects, 1);
}

void OrderExchangeTest::aStatusAnswerShowsGroupRowsColouredAndBold() {
  status_.answer = framed(QByteArray("00|//VELTA//869|||DIST|8153|21:05:09|20261208||WEB|||||||\n") +
                          "01|104233||100232\n" + "02|104233|T-5501|100232|20261201|OPEN|In process|104233B\n" +
                          "05|ACD|PF52|ACD|PF52E|OIL FILTER|2|1|1|20261215\n" +
                          "11|1|INV-9|20261202|C|1Z999|SHIPPED|on its way|WH2|02\n" +
                          "11|0|INV-10|20261203|A|none|HELD|wait|WH1|01\n");
  auto control = loaded("100232");
  QVERIFY(child<QPushButton>(*control, "cmdPOStat")->isEnabled());
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  QTest::mouseClick(child<QPushButton>(*control, "cmdPOStat"), Qt::LeftButton);
  QVERIFY(busy(*control));
  QTRY_COMPARE(shutdown.count(), 1);
  const QByteArray message = QByteArray::fromStdString(
                                 velta::requestHeaderLine(velta::MessageSet::Status869, {"20261208", "21:05:07"})) +
                             "01|104233||100232\n";
  QCOMPARE(status_.requests.value(0), framed(message));
  QCOMPARE(orders_.connections, 0);
  QCOMPARE(presenter_.sequence, QStringList{QStringLiteral("form frmPOStat")});
  const auto& form = presenter_.forms[0];
  const QStringList labels{"100232", "T-5501", "20261201", "104233B", "104233", "OPEN", "In process"};
  for (int i = 0; i < 7; ++i) QCOMPARE(form.labels.value(QStringLiteral("lblStatus(%1)").arg(i)), labels[i]);
  const auto& rows = form.grids.value(QStringLiteral("grdItem")).rows;
  QCOMPARE(rows.size(), 7);
  QVERIFY(rows[0].group);
  QCOMPARE(rows[0].level, 0);
  QCOMPARE(rows[0].cells,
           (QStringList{"ACD", "PF52", "ACD", "PF52E", "OIL FILTER", "2", "1", "1", "20261215"}));
  for (int c = 0; c < 9; ++c) {
    QVERIFY(rows[0].bold[c]);
    QCOMPARE(rows[0].back[c], QColor(255, 224, 192));
  }
  for (int r = 1; r < 7; ++r) {
    QVERIFY(!rows[r].group);
    QCOMPARE(rows[r].level, 1);
    QVERIFY(!rows[r].bold[1]);
    QVERIFY(!rows[r].back[1].isValid());
  }
  QCOMPARE(rows[1].cells.mid(0, 4), (QStringList{"", "Qty Shipped = 1", "Invoice # = INV-9", "Ship Date = 20261202"}));
  QCOMPARE(rows[6].cells.mid(0, 4),
           (QStringList{"", "Status Msg = wait", "Ship Location = WH1", "Ship Loc. Code = 01"}));
  QCOMPARE(control->xPOSuccess(), QVariant(0));
  QCOMPARE(control->lastOutcome(), QStringLiteral("status-shown"));
  QVERIFY(!busy(*control));
  QVERIFY(!child<QPushButton>(*control, "cmdPOStat")->isEnabled());
}

void OrderExchangeTest::aStatusExceptionIsTheOrderWordedExceptionForm() {
  status_.answer = framed(QByteArray("00|//VELTA//EXR|||DIST|8153|21:05:09|20261208||WEB|||||||\n") +
                          "99|104233|100232|20261208|131|no such order\n");
  auto control = loaded("100232");
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  control->poStatus();
  QTRY_COMPARE(shutdown.count(), 1);
  QCOMPARE(presenter_.sequence, QStringList{QStringLiteral("form frmException")});
  QCOMPARE(presenter_.forms[0].labels.value(QStringLiteral("lblER(4)")), QStringLiteral("no such order"));
  QCOMPARE(presenter_.forms[0].labels.value(QStringLiteral("Label2(1)")), QStringLiteral("Order Number"));
  QCOMPARE(control->lastOutcome(), QStringLiteral("exception"));
  QCOMPARE(control->xPOSuccess(), QVariant(0));
  QVERIFY(!child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QTRY_COMPARE(status_.disconnects, 1);
}

QTEST_MAIN(OrderExchangeTest)
#include "tst_orderexchange.moc"
