// The order control's exchanges with a distributor played by the test: an
// in-process server on 127.0.0.1 whose every move the test decides. The exact
// request bytes, both answer paths of the order, the status answer, the
// deadlines, and every way an exchange can go wrong.
#include <QComboBox>
#include <QDateEdit>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <memory>

#include "base/BaseState.h"
#include "base/Clock.h"
#include "link/ExchangeJournal.h"
#include "link/RequestHeader.h"
#include "order/UserControl1.h"
#include "order/WorkstationSetup.h"
#include "qt/Grid.h"
#include "qt/Socket.h"
#include "support/JournalPermissions.h"
#include "support/RecordingPresenter.h"
#include "tools/sample/SampleBusinessSystem.h"

using veltaorder::UserControl1;
using velta::qt::RecordingPresenter;

namespace {

// What the distributor does once a whole request has arrived.
enum class Reply { Answer, Silent, CloseEarly };

// One port of the distributor: it reads each request whole (its length line
// and the bytes announced), then answers as told.
class FakeDistributor : public QObject {
 public:
  FakeDistributor() {
    server.setListenBacklogSize(0);
    connect(&server, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* peer = server.nextPendingConnection()) {
        ++connections;
        requests.append(QByteArray());
        const int index = requests.size() - 1;
        peers.append(peer);
        connect(peer, &QTcpSocket::readyRead, this, [this, peer, index] { read(peer, index); });
        connect(peer, &QTcpSocket::disconnected, this, [this] { ++disconnects; });
      }
    });
  }
  bool listen() { return server.listen(QHostAddress::LocalHost, 0); }
  quint16 port() const { return server.serverPort(); }
  void reset() {
    for (QTcpSocket* peer : peers) peer->abort();
    qDeleteAll(peers);
    peers.clear();
    requests.clear();
    connections = disconnects = 0;
    reply = Reply::Answer;
    answer.clear();
  }

  QTcpServer server;
  QList<QTcpSocket*> peers;
  QList<QByteArray> requests;  // the bytes of each connection
  int connections = 0;
  int disconnects = 0;
  Reply reply = Reply::Answer;
  QByteArray answer;  // the bytes sent back, length line included

 private:
  void read(QTcpSocket* peer, int index) {
    if (index >= requests.size()) return;
    QByteArray& got = requests[index];
    got += peer->readAll();
    const int lf = got.indexOf('\n');
    if (lf < 0 || got.size() - lf - 1 < got.left(lf).toInt()) return;
    if (reply == Reply::Silent) return;
    if (reply == Reply::CloseEarly) {
      peer->write(answer.left(answer.size() / 2));
      peer->flush();
      peer->disconnectFromHost();
      return;
    }
    peer->write(answer);
  }
};

QByteArray framed(const QByteArray& message) { return QByteArray::number(message.size()) + '\n' + message; }

const QByteArray kAnswerHeader = "00|//VELTA//850ACK|||DIST|8153|21:05:09|20261208||BMS|||||||\n";
const QByteArray kExceptionHeader = "00|//VELTA//EXR|||DIST|8153|21:05:09|20261208||BMS|||||||\n";

QString box(int number, const QString& description, const char* suffix) {
  return QStringLiteral(" Error %1  ").arg(number) + description + QStringLiteral("\r\n") +
         QString::fromLatin1(suffix) + QStringLiteral("\r\n");
}

const QString kMayHaveReached = QStringLiteral("; the order may have reached the distributor \u2014 PO Status will tell");

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
  void aConnectionNotMadeInTimeSendsNothingEvenLate();
  void anAnswerNotCompleteInTimeLeavesTheChoiceToTheUser();
  void aSecondExchangeWhileOneIsOpenIsRefused();
  void fieldsThatWouldBreakTheMessageAreRefused_data();
  void fieldsThatWouldBreakTheMessageAreRefused();
  void malformedAnswersAreReportedAtOnce_data();
  void malformedAnswersAreReportedAtOnce();
  void aConnectionClosedEarlyMayHaveDeliveredTheOrder();
  void anOrderWithoutHostIsNotSent();
  void theJournalKeepsTheExchangeOwnerOnly();
  void aJournalFolderOthersCanReadSendsNothing();
  void exitWhileOpenClosesAndStopsTheDeadline();
  void aDeadlineOfZeroWaitsWithoutEnd();
  void aStatusExchangeThatFailsLeavesPOStatusUsable_data();
  void aStatusExchangeThatFailsLeavesPOStatusUsable();
  void aStatusExceptionIsTheOrderWordedExceptionForm();
  void theJournalTellsHowEachExchangeEnded_data();
  void theJournalTellsHowEachExchangeEnded();

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
  QVERIFY(orders_.listen());
  QVERIFY(status_.listen());
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
  orders_.reply = Reply::Silent;
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

void OrderExchangeTest::aConnectionNotMadeInTimeSendsNothingEvenLate() {
  // A distributor whose queue of connections is full: the control's attempt
  // waits for the kernel's retry, well after the deadline.
  orders_.server.pauseAccepting();
  QList<QTcpSocket*> fillers;
  for (int i = 0; i < 3; ++i) {
    auto* filler = new QTcpSocket(this);
    filler->connectToHost(QHostAddress::LocalHost, orders_.port());
    fillers << filler;
  }
  QTest::qWait(100);
  auto control = loaded("100231");
  control->setConnectTimeout(0.3);
  QSignalSpy ended(control.get(), &UserControl1::transmissionEnded);
  control->submitOrder();
  QTRY_COMPARE(ended.count(), 1);
  QCOMPARE(presenter_.boxes.size(), 1);
  const QString where = QStringLiteral("127.0.0.1:%1").arg(orders_.port());
  QCOMPARE(presenter_.boxes[0].box.text,
           box(-23, QStringLiteral("no connection to ") + where + QStringLiteral(" within 0.3 s"), " in submitorder routine"));
  QCOMPARE(presenter_.boxes[0].box.title, QStringLiteral("veltaorder Error"));
  QVERIFY(presenter_.boxes[0].box.systemModal);
  QCOMPARE(control->lastOutcome(), QStringLiteral("not-sent"));
  QVERIFY(!busy(*control));
  QVERIFY(child<QPushButton>(*control, "cmdSubmit")->isEnabled());  // nothing went out
  // A connect event that comes late anyway is ignored.
  emit child<velta::qt::Socket>(*control, "ws1")->Connected();
  QCOMPARE(presenter_.boxes.size(), 1);
  orders_.server.resumeAccepting();
  for (QTcpSocket* filler : fillers) filler->abort();
  qDeleteAll(fillers);
  QTest::qWait(1500);  // past the kernel's retry of a dropped attempt
  for (const QByteArray& request : orders_.requests) QVERIFY(request.isEmpty());
  QCOMPARE(presenter_.boxes.size(), 1);
}

void OrderExchangeTest::anAnswerNotCompleteInTimeLeavesTheChoiceToTheUser() {
  orders_.reply = Reply::Silent;
  auto control = loaded("100231");
  control->setAnswerTimeout(0.3);
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  QSignalSpy ended(control.get(), &UserControl1::transmissionEnded);
  control->submitOrder();
  QTRY_COMPARE(ended.count(), 1);
  QCOMPARE(presenter_.boxes.size(), 1);
  QCOMPARE(presenter_.boxes[0].box.text,
           box(-23, QStringLiteral("no complete answer within 0.3 s") + kMayHaveReached, " in ws1_DataArrival routine"));
  QCOMPARE(control->lastOutcome(), QStringLiteral("unknown"));
  QCOMPARE(control->xPOSuccess(), QVariant(0));
  QCOMPARE(shutdown.count(), 0);
  QVERIFY(!busy(*control));
  QVERIFY(!child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QVERIFY(child<QPushButton>(*control, "cmdPOStat")->isEnabled());
  QTRY_COMPARE(orders_.disconnects, 1);
}

void OrderExchangeTest::aSecondExchangeWhileOneIsOpenIsRefused() {
  orders_.reply = Reply::Silent;
  auto control = loaded("100231");
  control->submitOrder();
  QTRY_VERIFY(!orders_.requests.value(0).isEmpty());
  control->submitOrder();
  control->poStatus();
  QCOMPARE(presenter_.boxes.size(), 2);
  QCOMPARE(presenter_.boxes[0].box.text,
           box(-23,
               QStringLiteral("An order cannot be sent while an exchange with the distributor is open; wait for it or "
                              "press Exit"),
               " in submitorder routine"));
  QCOMPARE(presenter_.boxes[1].box.text,
           box(-23,
               QStringLiteral("A status cannot be asked while an exchange with the distributor is open; wait for it "
                              "or press Exit"),
               " in poStatus routine"));
  QVERIFY(control->isTransmitting());
  QVERIFY(busy(*control));
  QTest::qWait(100);
  QCOMPARE(orders_.connections, 1);
  QCOMPARE(status_.connections, 0);
}

void OrderExchangeTest::fieldsThatWouldBreakTheMessageAreRefused_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("col");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("description");
  QTest::newRow("bar in part") << 3 << 2 << "PF|52" << "a \"|\" in the part number of row 3";
  QTest::newRow("tab in quantity") << 1 << 4 << "1\t2" << "a TAB in the quantity of row 1";
  QTest::newRow("LF in line code") << 2 << 1 << "A\nB" << "an LF in the line code of row 2";
  QTest::newRow("beyond Latin-1") << 2 << 2 << QStringLiteral("PF\u20ac") << "a character outside Latin-1 in the part number of row 2";
}

void OrderExchangeTest::fieldsThatWouldBreakTheMessageAreRefused() {
  QFETCH(int, row);
  QFETCH(int, col);
  QFETCH(QString, text);
  QFETCH(QString, description);
  auto control = loaded("100231");
  child<velta::qt::Grid>(*control, "VSFlexGrid1")->setTextMatrix(row, col, text);
  control->submitOrder();
  QCOMPARE(presenter_.boxes.size(), 1);
  QCOMPARE(presenter_.boxes[0].box.text, box(-23, description, " in submitorder routine"));
  QVERIFY(!control->isTransmitting());
  QVERIFY(!busy(*control));
  QVERIFY(child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QCOMPARE(control->lastOutcome(), QStringLiteral("not-sent"));
  QTest::qWait(100);
  QCOMPARE(orders_.connections, 0);
}

void OrderExchangeTest::malformedAnswersAreReportedAtOnce_data() {
  QTest::addColumn<QByteArray>("answer");
  QTest::addColumn<int>("number");
  QTest::addColumn<QString>("descriptionStart");
  QTest::addColumn<QString>("detail");
  const QByteArray ack = kAnswerHeader + "01|104233|100231|2|D-77001\n";
  QTest::newRow("longer than announced") << QByteArray("20\n" + ack) << -23
                                         << "the answer is longer than the 20 bytes its length line announced" << "";
  QTest::newRow("summary too short") << framed(kAnswerHeader + "01|104233|100231|2\n") << 9
                                     << "Subscript out of range\r\n"
                                     << "record 1 of the answer has 4 fields; an order summary needs 5";
  QTest::newRow("no record 1") << framed(kAnswerHeader) << 9 << "Subscript out of range\r\n"
                               << "record 1 of the answer has 0 fields; an order summary needs 5";
  QTest::newRow("announced above the limit") << QByteArray("99999999\n" + ack) << -21 << "" << "";
}

void OrderExchangeTest::malformedAnswersAreReportedAtOnce() {
  QFETCH(QByteArray, answer);
  QFETCH(int, number);
  QFETCH(QString, descriptionStart);
  QFETCH(QString, detail);
  orders_.answer = answer;
  auto control = loaded("100231");
  control->setAnswerTimeout(60);
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  QSignalSpy ended(control.get(), &UserControl1::transmissionEnded);
  control->submitOrder();
  QTRY_COMPARE(ended.count(), 1);  // well before the answer deadline
  QCOMPARE(presenter_.boxes.size(), 1);
  QVERIFY(presenter_.forms.isEmpty());
  const QString text = presenter_.boxes[0].box.text;
  QVERIFY2(text.startsWith(QStringLiteral(" Error %1  ").arg(number) + descriptionStart), qPrintable(text));
  const QString detailLine = detail.isEmpty() ? QString() : QStringLiteral("  ") + detail + QStringLiteral("\r\n");
  QVERIFY(text.endsWith(QStringLiteral("\r\n in ws1_DataArrival routine\r\n") + detailLine));
  QCOMPARE(control->errText(), text);
  QCOMPARE(control->lastOutcome(), QStringLiteral("malformed"));
  QCOMPARE(control->xPOSuccess(), QVariant(0));
  QCOMPARE(shutdown.count(), 0);
  QVERIFY(!busy(*control));
  QVERIFY(!child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QVERIFY(child<QPushButton>(*control, "cmdPOStat")->isEnabled());
}

void OrderExchangeTest::aConnectionClosedEarlyMayHaveDeliveredTheOrder() {
  orders_.reply = Reply::CloseEarly;
  orders_.answer = framed(kAnswerHeader + "01|104233|100231|2|D-77001\n");
  auto control = loaded("100231");
  QSignalSpy ended(control.get(), &UserControl1::transmissionEnded);
  control->submitOrder();
  QTRY_COMPARE(ended.count(), 1);
  QCOMPARE(presenter_.boxes.size(), 1);
  QCOMPARE(presenter_.boxes[0].box.text,
           box(-23, QStringLiteral("the distributor closed the connection before the answer was complete") + kMayHaveReached,
               " in ws1_DataArrival routine"));
  QCOMPARE(control->lastOutcome(), QStringLiteral("unknown"));
  QVERIFY(!child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QVERIFY(child<QPushButton>(*control, "cmdPOStat")->isEnabled());
}

void OrderExchangeTest::anOrderWithoutHostIsNotSent() {
  auto control = loaded("100236");  // its vendor has no host
  QVERIFY(child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  control->submitOrder();
  QCOMPARE(presenter_.boxes.size(), 1);
  QCOMPARE(presenter_.boxes[0].box.text,
           box(-23, QStringLiteral("no distributor host for this order"), " in submitorder routine"));
  QVERIFY(!busy(*control));
  QVERIFY(!control->isTransmitting());
}

void OrderExchangeTest::theJournalKeepsTheExchangeOwnerOnly() {
  QTemporaryDir base;
  const std::filesystem::path folder = std::filesystem::path(base.path().toStdString()) / "journal";
  orders_.answer = framed(kAnswerHeader + "01|104233|100231|2|D-77001\n");
  auto control = loaded("100231");
  control->setJournalFolder(QString::fromStdString(folder.string()));
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  control->submitOrder();
  QTRY_COMPARE(shutdown.count(), 1);
  QCOMPARE(velta::qt::journalPermissions(folder), QStringLiteral("0700 0600"));
  const auto entries = velta::ExchangeJournal::openExisting(folder).list();
  QCOMPARE(entries.size(), std::size_t(1));
  QCOMPARE(entries[0].outcome, std::string("acknowledged"));
  QCOMPARE(entries[0].host, std::string("127.0.0.1"));
  QCOMPARE(entries[0].port, int(orders_.port()));
  QCOMPARE(entries[0].setNumber, std::string("850"));
  QCOMPARE(entries[0].reference, std::string("100231"));
  QCOMPARE(QByteArray::fromStdString(entries[0].request), orders_.requests.value(0));
  QCOMPARE(QByteArray::fromStdString(entries[0].answer.value_or("")), orders_.answer);
}

void OrderExchangeTest::aJournalFolderOthersCanReadSendsNothing() {
  QTemporaryDir base;
  const std::filesystem::path folder = std::filesystem::path(base.path().toStdString()) / "open";
  std::filesystem::create_directory(folder);
  std::filesystem::permissions(folder, std::filesystem::perms(0755));
  auto control = loaded("100231");
  control->setJournalFolder(QString::fromStdString(folder.string()));
  control->submitOrder();
  QCOMPARE(presenter_.boxes.size(), 1);
  QVERIFY(presenter_.boxes[0].box.text.startsWith(QStringLiteral(" Error -23  ")));
  QVERIFY(presenter_.boxes[0].box.text.endsWith(QStringLiteral(" in submitorder routine\r\n")));
  QCOMPARE(control->lastOutcome(), QStringLiteral("not-sent"));
  QVERIFY(!control->isTransmitting());
  QTest::qWait(100);
  QCOMPARE(orders_.connections, 0);
}

void OrderExchangeTest::exitWhileOpenClosesAndStopsTheDeadline() {
  orders_.reply = Reply::Silent;
  auto control = loaded("100231");
  control->setAnswerTimeout(1);
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  control->submitOrder();
  QTRY_VERIFY(!orders_.requests.value(0).isEmpty());
  QTest::mouseClick(child<QPushButton>(*control, "cmdExit"), Qt::LeftButton);
  QCOMPARE(shutdown.count(), 1);
  QCOMPARE(control->lastOutcome(), QStringLiteral("unknown"));
  QVERIFY(!control->isTransmitting());
  QTRY_COMPARE(orders_.disconnects, 1);
  QTest::qWait(1200);  // past the answer deadline: it was stopped
  QVERIFY(presenter_.boxes.isEmpty());
  QCOMPARE(shutdown.count(), 1);
}

void OrderExchangeTest::aStatusExchangeThatFailsLeavesPOStatusUsable_data() {
  QTest::addColumn<int>("reply");
  QTest::addColumn<QByteArray>("answer");
  QTest::addColumn<QString>("textStart");
  QTest::addColumn<QString>("outcome");
  QTest::addColumn<QString>("suffix");
  QTest::addColumn<QString>("title");
  const QByteArray header = "00|//VELTA//869|||DIST|8153|21:05:09|20261208||WEB|||||||\n";
  const QString arrival = QStringLiteral("\r\n in ws2_DataArrival routine\r\n");
  const QString reader = QStringLiteral("\r\n in statusResponse routine\r\n");
  QTest::newRow("status header too short")
      << int(Reply::Answer) << framed(header + "01|104233||100232\n02|104233|T-1|100232|20261201\n")
      << " Error 9  Subscript out of range\r\n" << "malformed"
      << reader + "  record 2 of the answer has 5 fields; the status header needs 6\r\n" << "veltaorder error";
  QTest::newRow("line record too short")
      << int(Reply::Answer)
      << framed(header + "01|x\n02|104233|T-1|100232|20261201|OPEN\n05|ACD|PF52|ACD\n")
      << " Error 9  Subscript out of range\r\n" << "malformed"
      << reader + "  record 3 of the answer has 4 fields; an order line needs 10\r\n" << "veltaorder error";
  QTest::newRow("no answer in time") << int(Reply::Silent) << QByteArray()
                                     << " Error -23  no complete answer within 0.3 s\r\n" << "unknown" << arrival
                                     << "veltaorder Error";
  QTest::newRow("closed early") << int(Reply::CloseEarly) << framed(header + "01|x\n02|1|2|3|4|5\n")
                                << " Error -23  the distributor closed the connection before the answer was complete\r\n"
                                << "unknown" << arrival << "veltaorder Error";
}

void OrderExchangeTest::aStatusExchangeThatFailsLeavesPOStatusUsable() {
  QFETCH(int, reply);
  QFETCH(QByteArray, answer);
  QFETCH(QString, textStart);
  QFETCH(QString, outcome);
  QFETCH(QString, suffix);
  QFETCH(QString, title);
  status_.reply = Reply(reply);
  status_.answer = answer;
  auto control = loaded("100232");
  // Short only where no answer will come: a loaded machine must not turn the others into timeouts.
  control->setAnswerTimeout(Reply(reply) == Reply::Silent ? 0.3 : 60);
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  QSignalSpy ended(control.get(), &UserControl1::transmissionEnded);
  control->poStatus();
  QTRY_COMPARE(ended.count(), 1);
  QCOMPARE(presenter_.boxes.size(), 1);
  QVERIFY(presenter_.forms.isEmpty());
  const QString text = presenter_.boxes[0].box.text;
  QVERIFY2(text.startsWith(textStart), qPrintable(text));
  QVERIFY2(text.endsWith(suffix), qPrintable(text));
  QVERIFY(!text.contains(QStringLiteral("PO Status will tell")));
  QCOMPARE(presenter_.boxes[0].box.title, title);
  QCOMPARE(control->lastOutcome(), outcome);
  QCOMPARE(shutdown.count(), 0);
  QVERIFY(!busy(*control));
  QVERIFY(child<QPushButton>(*control, "cmdPOStat")->isEnabled());
  QCOMPARE(orders_.connections, 0);
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

void OrderExchangeTest::theJournalTellsHowEachExchangeEnded_data() {
  QTest::addColumn<int>("reply");
  QTest::addColumn<QByteArray>("answer");
  QTest::addColumn<bool>("exit");
  QTest::addColumn<QString>("outcome");
  const QByteArray ack = kAnswerHeader + "01|104233|100231|2|D-77001\n";
  QTest::newRow("timed out") << int(Reply::Silent) << QByteArray() << false << "timed-out";
  QTest::newRow("closed early") << int(Reply::CloseEarly) << framed(ack) << false << "closed-early";
  QTest::newRow("malformed") << int(Reply::Answer) << framed(kAnswerHeader + "01|1|2\n") << false << "malformed";
  QTest::newRow("exception") << int(Reply::Answer) << framed(kExceptionHeader + "99|1|2|3|4|5\n") << false
                             << "exception";
  QTest::newRow("Exit while open") << int(Reply::Silent) << QByteArray() << true << "abandoned";
}

void OrderExchangeTest::theJournalTellsHowEachExchangeEnded() {
  QFETCH(int, reply);
  QFETCH(QByteArray, answer);
  QFETCH(bool, exit);
  QFETCH(QString, outcome);
  QTemporaryDir base;
  const std::filesystem::path folder = std::filesystem::path(base.path().toStdString()) / "journal";
  orders_.reply = Reply(reply);
  orders_.answer = answer;
  auto control = loaded("100231");
  control->setJournalFolder(QString::fromStdString(folder.string()));
  control->setAnswerTimeout(Reply(reply) == Reply::Silent && !exit ? 0.3 : 60);
  QSignalSpy ended(control.get(), &UserControl1::transmissionEnded);
  control->submitOrder();
  // Committed before the first byte went out.
  {
    const auto entries = velta::ExchangeJournal::openExisting(folder).list();
    QCOMPARE(entries.size(), std::size_t(1));
    QCOMPARE(entries[0].outcome, std::string("pending"));
    QCOMPARE(orders_.requests.size(), 0);
  }
  if (exit) {
    QTRY_VERIFY(!orders_.requests.value(0).isEmpty());
    QTest::mouseClick(child<QPushButton>(*control, "cmdExit"), Qt::LeftButton);
  }
  QTRY_COMPARE(ended.count(), 1);
  const auto entries = velta::ExchangeJournal::openExisting(folder).list();
  QCOMPARE(entries.size(), std::size_t(1));
  QCOMPARE(QString::fromStdString(entries[0].outcome), outcome);
  QVERIFY(entries[0].finished.has_value());
}

void OrderExchangeTest::aDeadlineOfZeroWaitsWithoutEnd() {
  orders_.reply = Reply::Silent;
  auto control = loaded("100231");
  control->setAnswerTimeout(0);
  QCOMPARE(control->answerTimeout(), 0.0);
  control->setConnectTimeout(1e9);
  QCOMPARE(control->connectTimeout(), 86400.0);  // a day at most
  control->submitOrder();
  QTRY_VERIFY(!orders_.requests.value(0).isEmpty());
  QTest::qWait(300);
  QVERIFY(presenter_.boxes.isEmpty());
  QVERIFY(control->isTransmitting());
  QVERIFY(busy(*control));
}

QTEST_MAIN(OrderExchangeTest)
#include "tst_orderexchange.moc"
