// The order control's exchanges with a distributor played by the test: an
// in-process server on 127.0.0.1 whose every move the test decides. The exact
// request bytes, both answer paths of the order, the status answer and its
// exception. Every way an exchange can go wrong, its deadlines and its
// journal: the exchange suite both controls share (tests/exchange).
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "link/RequestHeader.h"
#include "qt/Grid.h"
#include "support/ExchangeBench.h"

using veltaorder::UserControl1;
using velta::test::FakeDistributor;
using Labels = QMap<QString, QString>;  // object name -> text
using Cells = QMap<int, QStringList>;   // grid row -> cells
using velta::qt::busy, velta::qt::child, velta::qt::framed, velta::qt::kExceptionHeader, velta::qt::kOrderHeader;

class OrderExchangeTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(bench_.write()); }
  void init() { bench_.reset(); }
  void cleanup();

  void theRequestIsSentExactly_data();
  void theRequestIsSentExactly();
  void anAnswerIsShownInItsFormAndEndsTheControlOnce_data();
  void anAnswerIsShownInItsFormAndEndsTheControlOnce();

 private:
  QByteArray expectedOrderRequest(UserControl1& control, const QByteArray& orderFields);

  velta::qt::ExchangeBench bench_;
};

void OrderExchangeTest::cleanup() {
  velta::baseState().clock = nullptr;
  veltaorder::WorkstationSetup::setBusinessSystem({}, {});
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
    for (const auto& sampleLine : bench_.sample.catalog.lines) {
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
  bench_.orders.mode = FakeDistributor::Mode::Silent;
  auto control = bench_.loaded("100231");
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
  QTRY_COMPARE(bench_.orders.requests.value(0), expected);
  QCOMPARE(bench_.orders.connections, 1);
  // The busy display is on the screen while the answer is awaited.
  QTRY_VERIFY(child<QLabel>(*control, "lblXmit")->isVisible() && child<QProgressBar>(*control, "pb1")->isVisible());
  QVERIFY(bench_.presenter.boxes.isEmpty());
}

// The four answers with a form of their own, one row each: the form's labels
// and grid rows, the outcome taken before the form was shown, and the control
// ended once with its end of the connection closed.
void OrderExchangeTest::anAnswerIsShownInItsFormAndEndsTheControlOnce_data() {
  QTest::addColumn<QString>("button");               // that starts the exchange
  QTest::addColumn<QByteArray>("answer");
  QTest::addColumn<QString>("form");
  QTest::addColumn<Labels>("labels");  // object name -> text
  QTest::addColumn<int>("rows");                     // of grdItem; -1: not checked
  QTest::addColumn<Cells>("whole");   // rows whose cells are these
  QTest::addColumn<Cells>("starts");  // rows whose cells begin with these
  QTest::addColumn<QString>("outcome");
  QTest::addColumn<int>("success");
  QTest::addColumn<QString>("orderNumber");
  const auto numbered = [](const char* prefix, const QStringList& texts, Labels labels = {}) {
    for (int i = 0; i < texts.size(); ++i) labels.insert(QStringLiteral("%1(%2)").arg(prefix).arg(i), texts[i]);
    return labels;
  };
  const QByteArray statusHeader = "00|//VELTA//869|||DIST|8153|21:05:09|20261208||WEB|||||||\n";
  QTest::newRow("acknowledgement")
      << "cmdSubmit"
      << framed(kOrderHeader + "01|104233|100231|2|D-77001|20261208|1030|Credit limit exceeded\n" +
                "05|ACD|PF52|2|1|1|ACD|PF52E|x|OIL FILTER|ALT|2|20261215|WH2\n" + "05|ACD|BK1|4\n")
      << "frmPoResponse"
      << numbered("lblSearch", {"104233", "D-77001", "20261208", "100231", "2", "1030", "Credit limit exceeded"}) << 2
      << Cells{{0, {"ACD", "PF52E", "2", "ACD", "PF52", "1", "1", "OIL FILTER", "ALT", "2", "20261215",
                                     "WH2"}}}
      << Cells{{1, {"4", "ACD", "BK1", ""}}} << "acknowledged" << 1 << "D-77001";
  QTest::newRow("order exception")
      << "cmdSubmit" << framed(kExceptionHeader + "99|104233|100231|20261208|E17|Unknown account\n") << "frmException"
      << numbered("lblER", {"104233", "100231", "20261208", "E17", "Unknown account"},
                  {{"Label1", "Your Order Returned an Exception."}})
      << -1 << Cells{} << Cells{} << "exception" << 0 << "";
  QTest::newRow("status answer")
      << "cmdPOStat"
      << framed(statusHeader + "01|104233||100232\n" + "02|104233|T-5501|100232|20261201|OPEN|In process|104233B\n" +
                "05|ACD|PF52|ACD|PF52E|OIL FILTER|2|1|1|20261215\n" +
                "11|1|INV-9|20261202|C|1Z999|SHIPPED|on its way|WH2|02\n" +
                "11|0|INV-10|20261203|A|none|HELD|wait|WH1|01\n")
      << "frmPOStat"
      << numbered("lblStatus", {"100232", "T-5501", "20261201", "104233B", "104233", "OPEN", "In process"})
      << 7 << Cells{{0, {"ACD", "PF52", "ACD", "PF52E", "OIL FILTER", "2", "1", "1", "20261215"}}}
      << Cells{{1, {"", "Qty Shipped = 1", "Invoice # = INV-9", "Ship Date = 20261202"}},
                                {6, {"", "Status Msg = wait", "Ship Location = WH1", "Ship Loc. Code = 01"}}}
      << "status-shown" << 0 << "";
  // The status exception is the order's exception form, worded for an order number.
  QTest::newRow("status exception")
      << "cmdPOStat"
      << framed(QByteArray("00|//VELTA//EXR|||DIST|8153|21:05:09|20261208||WEB|||||||\n") +
                "99|104233|100232|20261208|131|no such order\n")
      << "frmException" << Labels{{"lblER(4)", "no such order"}, {"Label2(1)", "Order Number"}} << -1
      << Cells{} << Cells{} << "exception" << 0 << "";
}

void OrderExchangeTest::anAnswerIsShownInItsFormAndEndsTheControlOnce() {
  QFETCH(QString, button);
  QFETCH(QByteArray, answer);
  QFETCH(QString, form);
  QFETCH(Labels, labels);
  QFETCH(int, rows);
  QFETCH(Cells, whole);
  QFETCH(Cells, starts);
  QFETCH(QString, outcome);
  QFETCH(int, success);
  QFETCH(QString, orderNumber);
  const bool order = button == QLatin1String("cmdSubmit");
  FakeDistributor& fake = order ? bench_.orders : bench_.status;
  fake.answer = answer;
  auto control = bench_.loaded(order ? "100231" : "100232");
  QVERIFY(child<QPushButton>(*control, qPrintable(button))->isEnabled());
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  QVariant successWhileShown;
  QString outcomeWhileShown;
  bench_.presenter.onForm = [&](QDialog&) {
    successWhileShown = control->xPOSuccess();
    outcomeWhileShown = control->lastOutcome();
  };
  QTest::mouseClick(child<QPushButton>(*control, qPrintable(button)), Qt::LeftButton);
  QVERIFY(busy(*control));
  QTRY_COMPARE(shutdown.count(), 1);
  if (!order) {
    const QByteArray message = QByteArray::fromStdString(
                                   velta::requestHeaderLine(velta::MessageSet::Status869, {"20261208", "21:05:07"})) +
                               "01|104233||100232\n";
    QCOMPARE(fake.requests.value(0), framed(message));
  }
  QCOMPARE((order ? bench_.status : bench_.orders).connections, 0);
  QCOMPARE(bench_.presenter.sequence, QStringList{QStringLiteral("form ") + form});
  const auto& shown = bench_.presenter.forms[0];
  for (auto label = labels.cbegin(); label != labels.cend(); ++label) {
    QCOMPARE(shown.labels.value(label.key()), label.value());
  }
  const auto& grid = shown.grids.value(QStringLiteral("grdItem")).rows;
  if (rows >= 0) QCOMPARE(grid.size(), rows);
  for (auto row = whole.cbegin(); row != whole.cend(); ++row) QCOMPARE(grid[row.key()].cells, row.value());
  for (auto row = starts.cbegin(); row != starts.cend(); ++row) {
    QCOMPARE(grid[row.key()].cells.mid(0, row.value().size()), row.value());
  }
  if (form == QLatin1String("frmPOStat")) {
    // The line is a group row, bold on the status colour; its shipments are plain rows below it.
    QVERIFY(grid[0].group);
    QCOMPARE(grid[0].level, 0);
    for (int c = 0; c < 9; ++c) {
      QVERIFY(grid[0].bold[c]);
      QCOMPARE(grid[0].back[c], QColor(255, 224, 192));
    }
    for (int r = 1; r < 7; ++r) {
      QVERIFY(!grid[r].group);
      QCOMPARE(grid[r].level, 1);
      QVERIFY(!grid[r].bold[1]);
      QVERIFY(!grid[r].back[1].isValid());
    }
  }
  // Accepted before the form was shown.
  QCOMPARE(successWhileShown, QVariant(success));
  QCOMPARE(outcomeWhileShown, outcome);
  QCOMPARE(control->xPOSuccess(), QVariant(success));
  QCOMPARE(control->lastOutcome(), outcome);
  QCOMPARE(control->lastOrderNumber(), orderNumber);
  QVERIFY(!busy(*control));
  QVERIFY(!control->isTransmitting());
  QVERIFY(!child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QVERIFY(!child<QPushButton>(*control, "cmdPOStat")->isEnabled());
  // The control closed its end.
  QTRY_COMPARE(fake.disconnects, 1);
  QTest::qWait(50);
  QCOMPARE(shutdown.count(), 1);
}

QTEST_MAIN(OrderExchangeTest)
#include "tst_orderexchange.moc"
