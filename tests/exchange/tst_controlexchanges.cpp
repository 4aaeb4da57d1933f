// The exchange both controls share, against distributors played by the test
// on 127.0.0.1: every deadline, close, refusal, malformed answer, journal
// entry and refusal while open, run through one table against the order
// exchange, the status exchange and the inquiry. Also what the order control
// does with an order that may have reached the distributor before.
#include <QDateTime>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "inquiry/UserControl1.h"
#include "inquiry/WorkstationSetup.h"
#include "link/AnswerFraming.h"
#include "link/ExchangeJournal.h"
#include "qt/Grid.h"
#include "qt/Socket.h"
#include "support/ExchangeBench.h"
#include "support/JournalPermissions.h"

using OrderControl = veltaorder::UserControl1;
using InquiryControl = veltaiq::UserControl1;
using velta::qt::busy, velta::qt::child, velta::qt::framed, velta::qt::kExceptionHeader, velta::qt::kOrderHeader;
using velta::test::FakeDistributor;
using Mode = FakeDistributor::Mode;

namespace {

// The three exchanges: an order over ws1, a status request over ws2, an inquiry.
enum class Side { Order, Status, Inquiry };

const QString kCrLf = QStringLiteral("\r\n");
const QString kTryLater =
    QStringLiteral(" Try again later; if it keeps happening, check the vendor's distributor address.");
const QString kCheckAddress = QStringLiteral(" Check the vendor's distributor address.");
const QString kMayHaveReached = QStringLiteral(": it may have reached the distributor. ");

// A detail record of the inquiry's answer whose field k is prefix + k.
QByteArray detail(int fields, const QByteArray& prefix) {
  QByteArrayList out;
  for (int k = 0; k < fields; ++k) out << prefix + QByteArray::number(k);
  return out.join('|');
}

const QByteArray kStatusHeader = "00|//VELTA//869|||DIST|8153|21:05:09|20261208||WEB|||||||\n";
const QByteArray kAcknowledgement = framed(kOrderHeader + "01|104233|100231|2|D-77001\n");

// How each exchange words and reports its endings.
struct Wording {
  const char* name;
  const char* start;    // the routine that starts it
  const char* connect;  // its connect event
  const char* arrival;  // its data-arrival event
  QString next;         // the step after a request that went out and had no answer to show
  const char* button;   // the button that starts it
  const char* socket;
  const char* slot;     // the action that starts it
  QByteArray answer;    // a complete answer
  QString title;        // of its error boxes
};

const Wording& wording(Side side) {
  static const QString orderTitle = QStringLiteral("veltaorder Error");
  static const Wording order{"order", " in submitorder routine", " in ws1_connect routine", " in ws1_DataArrival routine",
                             QStringLiteral("Ask \"PO Status\" before sending the order again."), "cmdSubmit", "ws1",
                             "submitOrder", kAcknowledgement, orderTitle};
  static const Wording status{"status", " in poStatus routine", " in ws2_connect routine",
                              " in ws2_DataArrival routine", QStringLiteral("Ask \"PO Status\" again."), "cmdPOStat",
                              "ws2", "poStatus",
                              framed(kStatusHeader + "01|104233||100232\n02|104233|T-1|100232|20261201|OPEN\n"),
                              orderTitle};
  static const Wording inquiry{"inquiry", " in locatePart routine", " in ws1_connect routine",
                               " in ws1_Dataarrival routine",
                               QStringLiteral("Search again; an inquiry changes nothing at the distributor."),
                               "CmdSearch", "ws1", "LocatePart", framed("00|//VELTA//846\n01\n" + detail(25, "a") + "\n"),
                               QStringLiteral("veltaiq error")};
  return side == Side::Order ? order : side == Side::Status ? status : inquiry;
}

QString box(int number, const QString& description, const char* suffix) {
  return QStringLiteral(" Error %1  ").arg(number) + description + kCrLf + QString::fromLatin1(suffix) + kCrLf;
}

// More than the framing holds, with no length line: refused once the limit is passed.
QByteArray beyondTheLimit() { return QByteArray(int(velta::AnswerFraming::kLimit) + 4096, 'x'); }

// A journal folder not made yet, inside a folder that goes with the test.
struct JournalFolder {
  QTemporaryDir base;
  std::filesystem::path path = std::filesystem::path(base.path().toStdString()) / "journal";
  QString text() const { return QString::fromStdString(path.string()); }
};

}  // namespace

Q_DECLARE_METATYPE(Side)

class ControlExchangesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(bench_.write());
    veltaiq::WorkstationSetup::setShares(bench_.root(), {});
  }
  void init() { bench_.reset(); }
  void cleanup() { velta::baseState().clock = nullptr; }

  void everyEndingIsReportedAndJournaled_data();
  void everyEndingIsReportedAndJournaled();
  void anOpenExchangeRefusesASecondAndAnotherOrder_data();
  void anOpenExchangeRefusesASecondAndAnotherOrder();
  void whatCannotBeSentIsRefusedBeforeConnecting_data();
  void whatCannotBeSentIsRefusedBeforeConnecting();
  void theJournalKeepsTheExchangeOwnerOnly_data();
  void theJournalKeepsTheExchangeOwnerOnly();
  void anOrderThatMayHaveReachedTheDistributorIsAskedAbout_data();
  void anOrderThatMayHaveReachedTheDistributorIsAskedAbout();
  void aHostCanWireEveryActionAndEveryChange_data();
  void aHostCanWireEveryActionAndEveryChange();

 private:
  static QTestData& row(Side side, const char* name) {
    return QTest::newRow(qPrintable(QString::fromLatin1(wording(side).name) + QStringLiteral(": ") +
                                    QString::fromLatin1(name)))
           << side;
  }
  std::unique_ptr<QWidget> ready(Side side, const QString& journal = {});
  static void start(QWidget& control, Side side) { QMetaObject::invokeMethod(&control, wording(side).slot); }
  FakeDistributor& fake(Side side) {
    return side == Side::Order ? bench_.orders : side == Side::Status ? bench_.status : bench_.inquiry;
  }
  static QPushButton* button(QWidget& control, Side side) { return child<QPushButton>(control, wording(side).button); }
  static bool open(const QWidget& control) { return control.property("exchangeOpen").toBool(); }
  static bool settled(const QWidget& control) { return QTest::qWaitFor([&] { return !open(control); }, 10000); }
  static QString outcome(QWidget& control) {
    auto* order = qobject_cast<OrderControl*>(&control);
    return order ? order->lastOutcome() : QString();
  }
  QString target(Side side) { return QStringLiteral("127.0.0.1:%1").arg(fake(side).port()); }
  // Every exchange of the sample goes to the distributor of vendor 1207.
  QString distributor(Side side) { return QStringLiteral("the distributor of vendor 1207 at ") + target(side); }
  // A request that went out, and what came of it.
  QString sentBut(Side side, const QString& what) {
    return QStringLiteral("The request was sent to ") + distributor(side) + QStringLiteral(", but ") + what +
           kMayHaveReached + wording(side).next;
  }

  velta::qt::ExchangeBench bench_;
  velta::qt::RecordingPresenter& presenter_ = bench_.presenter;
  FakeDistributor& orders_ = bench_.orders;
};

// The control shown and loaded, ready to start the exchange of `side`.
std::unique_ptr<QWidget> ControlExchangesTest::ready(Side side, const QString& journal) {
  if (side != Side::Inquiry) {
    auto control = bench_.loaded(side == Side::Order ? "100231" : "100232", journal);
    control->setConnectTimeout(5);
    control->setAnswerTimeout(5);
    return control;
  }
  auto control = std::make_unique<InquiryControl>();
  control->setPresenter(&presenter_);
  control->initProperties();
  control->setJournalFolder(journal);
  control->setXVendor(1207);
  control->setXLine(QStringLiteral("FLT"));
  control->setXPart(QStringLiteral("PH3600"));
  control->setXQty(2);
  control->setConnectTimeout(5);
  control->setAnswerTimeout(5);
  control->show();
  control->setSearch();
  return control;
}

// Every way an exchange ends without an answer that is shown, and with an
// exception, one row each: the box, the buttons, the host's lastOutcome and
// the journal, and that nothing the connection does later is heard.
void ControlExchangesTest::everyEndingIsReportedAndJournaled_data() {
  QTest::addColumn<Side>("s");
  QTest::addColumn<int>("mode");
  QTest::addColumn<QByteArray>("answer");
  QTest::addColumn<QString>("server");     // "listen", "stop", "hang"
  QTest::addColumn<QString>("action");     // "", "exit", "connect event" (the sends fail), "late connect"
  QTest::addColumn<QString>("textStart");  // of the one box; "": no box
  QTest::addColumn<QString>("textEnd");
  QTest::addColumn<QString>("title");      // "": the control's error title
  QTest::addColumn<QString>("buttons");    // "again": the start button usable; "status": only PO Status
  QTest::addColumn<QString>("outcome");    // the order control's lastOutcome
  QTest::addColumn<QString>("journal");    // the outcome the journal holds
  QTest::addColumn<bool>("keepsAnswer");   // the journal holds the answer as it came
  QTest::addColumn<int>("rows");           // of the inquiry's result grid, not auto-sized; -1: not an inquiry
  const int answer = int(Mode::Answer);
  const int silent = int(Mode::Silent);
  const QString subscript = QStringLiteral(" Error 9  Subscript out of range\r\n");
  const auto line = [](const char* suffix, const QString& detail = {}) {
    return QString::fromLatin1(suffix) + kCrLf + (detail.isEmpty() ? QString() : QStringLiteral("  ") + detail + kCrLf);
  };
  for (Side s : {Side::Order, Side::Status, Side::Inquiry}) {
    const Wording& w = wording(s);
    const int rows = s == Side::Inquiry ? 0 : -1;
    const QString afterSending = s == Side::Inquiry ? "again" : "status";
    row(s, "no connection in time")
        << answer << wording(s).answer << "hang" << "late connect"
        << box(-23,
               QStringLiteral("Nothing was sent: ") + distributor(s) +
                   QStringLiteral(" did not answer the connection within 0.3 s.") + kTryLater,
               w.start)
        << "" << "" << "again" << "not-sent" << "connection-failed" << false << rows;
    row(s, "nobody listening")
        << answer << wording(s).answer << "stop" << ""
        << box(-23, QStringLiteral("Nothing was sent: ") + distributor(s) + QStringLiteral(" refused the connection.") +
                        kTryLater,
               w.start)
        << "" << "" << "again" << "not-sent" << "connection-failed" << false << rows;
    // Connected as the socket is not: the first send fails, nothing went out.
    row(s, "the sends fail")
        << answer << wording(s).answer << "hang" << "connect event"
        << box(40006, QStringLiteral("Wrong protocol or connection state for the requested transaction or request"),
               w.connect)
        << "" << "" << "again" << "not-sent" << "closed-early" << false << rows;
    row(s, "no answer in time") << silent << QByteArray() << "listen" << ""
                                << box(-23, sentBut(s, QStringLiteral("no complete answer came within 0.3 s")),
                                       w.arrival)
                                << "" << "" << afterSending << "unknown" << "timed-out" << false << rows;
    row(s, "closed early")
        << int(Mode::CloseEarly) << wording(s).answer << "listen" << ""
        << box(-23, sentBut(s, QStringLiteral("the distributor closed the connection before the answer was complete")),
               w.arrival)
        << "" << "" << afterSending << "unknown" << "closed-early" << false << rows;
    row(s, "Exit with the request sent") << silent << QByteArray() << "listen" << "exit" << "" << "" << "" << ""
                                         << "unknown" << "abandoned" << false << rows;
    // Kept in the journal up to the piece that passed the framing's limit.
    row(s, "beyond the framing's limit") << answer << beyondTheLimit() << "listen" << "" << " Error -21  "
                                         << line(w.arrival) << "" << afterSending << "malformed" << "malformed"
                                         << false << rows;
    row(s, "an exception") << answer << framed(kExceptionHeader + "99|1|2|3|4|5\n") << "listen" << "" << "" << ""
                           << "" << "" << "exception" << "exception" << true << rows;
  }
  const QByteArray ack = kOrderHeader + "01|104233|100231|2|D-77001\n";
  const auto tooLong = [this](Side s, int announced) {
    return box(-23,
               sentBut(s, QStringLiteral("the answer is longer than the %1 bytes its length line announced").arg(announced)),
               wording(s).arrival);
  };
  row(Side::Order, "longer than announced") << answer << QByteArray("20\n" + ack) << "listen" << "" << tooLong(Side::Order, 20)
                                            << "" << "" << "status" << "malformed" << "malformed" << true << -1;
  // An answer the reader refuses, Error 9 with the reader's detail; the answer journaled as it came.
  const auto unreadable = [&](Side s, const char* name, const QByteArray& message, const char* routine,
                              const char* why, const char* title = "", int rows = -1) {
    const bool order = s != Side::Inquiry;
    row(s, name) << answer << framed(message) << "listen" << "" << subscript << line(routine, why) << title
                 << (order ? "status" : "again") << (order ? "malformed" : "") << "malformed" << true << rows;
  };
  unreadable(Side::Order, "summary too short", kOrderHeader + "01|104233|100231|2\n", " in ws1_DataArrival routine",
             "record 1 of the answer has 4 fields; an order summary needs 5");
  unreadable(Side::Order, "no record 1", kOrderHeader, " in ws1_DataArrival routine",
             "record 1 of the answer has 0 fields; an order summary needs 5");
  row(Side::Order, "announced above the limit")
      << answer << QByteArray("99999999\n" + ack) << "listen" << ""
      << " Error -21  the answer announces 99999999 bytes, 83222783 more than the limit of 16777216 bytes (16 MiB)\r\n"
      << line(" in ws1_DataArrival routine") << "" << "status" << "malformed" << "malformed" << true << -1;
  // A status answer the reader refuses is boxed as statusResponse boxes it.
  unreadable(Side::Status, "status header too short",
             kStatusHeader + "01|104233||100232\n02|104233|T-1|100232|20261201\n", " in statusResponse routine",
             "record 2 of the answer has 5 fields; the status header needs 6", "veltaorder error");
  unreadable(Side::Status, "line record too short",
             kStatusHeader + "01|x\n02|104233|T-1|100232|20261201|OPEN\n05|ACD|PF52|ACD\n", " in statusResponse routine",
             "record 3 of the answer has 4 fields; an order line needs 10", "veltaorder error");
  row(Side::Status, "longer than announced")
      << answer << QByteArray("10\n" + kStatusHeader) << "listen" << "" << tooLong(Side::Status, 10) << "" << ""
      << "status" << "malformed" << "malformed" << true << -1;
  const QByteArray message = "00|//VELTA//846\n01\n" + detail(25, "a") + "\n";
  row(Side::Inquiry, "longer than announced")
      << answer << QByteArray::number(message.size() - 5) + "\n" + message << "listen" << ""
      << tooLong(Side::Inquiry, int(message.size()) - 5) << "" << "" << "again" << "" << "malformed" << true << 0;
  row(Side::Inquiry, "announced above the limit")
      << answer << QByteArray("99999999\n00|//VELTA//846\n") << "listen" << ""
      << " Error -21  the answer announces 99999999 bytes" << line(" in ws1_Dataarrival routine") << "" << "again"
      << "" << "malformed" << true << 0;
  unreadable(Side::Inquiry, "a short detail line keeps the rows before it",
             "00|//VELTA//846\n01\n" + detail(25, "a") + "\n" + detail(24, "b") + "\n" + detail(25, "c") + "\n",
             " in parseResponse routine", "record 3 of the answer has 24 fields, 25 needed", "", 1);
  unreadable(Side::Inquiry, "an exception without its record", "00|//VELTA//EXR\n99|104233|IQ\n",
             " in parseResponse routine", "record 1 of the answer has 3 fields, 6 needed", "", 0);
}

void ControlExchangesTest::everyEndingIsReportedAndJournaled() {
  QFETCH(Side, s);
  QFETCH(int, mode);
  QFETCH(QByteArray, answer);
  QFETCH(QString, server);
  QFETCH(QString, action);
  QFETCH(QString, textStart);
  QFETCH(QString, textEnd);
  QFETCH(QString, title);
  QFETCH(QString, buttons);
  QFETCH(QString, outcome);
  QFETCH(QString, journal);
  QFETCH(bool, keepsAnswer);
  QFETCH(int, rows);
  const JournalFolder folder;
  fake(s).mode = Mode(mode);
  fake(s).answer = answer;
  auto control = ready(s, folder.text());
  control->setProperty("connectTimeout", 0.3);
  control->setProperty("answerTimeout", Mode(mode) == Mode::Silent ? 0.3 : 60);
  if (server == QLatin1String("stop")) fake(s).stop();
  if (server == QLatin1String("hang")) fake(s).hang();
  velta::qt::Grid* results = s == Side::Inquiry ? child<velta::qt::Grid>(*control, "grdItem") : nullptr;
  const int width = results ? results->colWidthPixels(0) : 0;
  QSignalSpy shutdown(control.get(), SIGNAL(controlShutdown()));
  QSignalSpy changes(control.get(), SIGNAL(exchangeOpenChanged(bool)));
  start(*control, s);
  QVERIFY(open(*control));
  QVERIFY(!button(*control, s)->isEnabled());
  // Committed before the first byte went out.
  QCOMPARE(velta::ExchangeJournal::openExisting(folder.path).list().at(0).outcome, std::string("pending"));
  QCOMPARE(fake(s).requests.size(), 0);
  velta::qt::Socket* socket = child<velta::qt::Socket>(*control, wording(s).socket);
  if (action == QLatin1String("exit")) {
    QTRY_COMPARE(fake(s).requests.size(), 1);
    QTest::mouseClick(child<QPushButton>(*control, "cmdExit"), Qt::LeftButton);
  } else if (action == QLatin1String("connect event")) {
    emit socket->Connected();
  }
  QVERIFY(settled(*control));
  QCOMPARE(changes.count(), 2);

  if (textStart.isEmpty()) {
    QVERIFY(presenter_.boxes.isEmpty());
  } else {
    QCOMPARE(presenter_.boxes.size(), 1);
    const velta::qt::MessageBox& shown = presenter_.boxes[0].box;
    // A text without its end is the whole box.
    if (textEnd.isEmpty()) {
      QCOMPARE(shown.text, textStart);
    } else {
      QVERIFY2(shown.text.startsWith(textStart), qPrintable(shown.text));
      QVERIFY2(shown.text.endsWith(textEnd), qPrintable(shown.text));
    }
    QCOMPARE(shown.title, title.isEmpty() ? wording(s).title : title);
    QVERIFY(shown.systemModal);
    QCOMPARE(control->property("errText").toString(), shown.text);
  }
  const bool exception = journal == QLatin1String("exception");
  QCOMPARE(presenter_.forms.size(), exception ? 1 : 0);
  QCOMPARE(shutdown.count(), exception || action == QLatin1String("exit") ? 1 : 0);
  if (buttons == QLatin1String("again")) QVERIFY(button(*control, s)->isEnabled());
  if (buttons == QLatin1String("status")) {
    // The order may be there: PO Status tells, Submit Order stays off.
    QVERIFY(!child<QPushButton>(*control, "cmdSubmit")->isEnabled());
    QVERIFY(child<QPushButton>(*control, "cmdPOStat")->isEnabled());
  }
  if (s != Side::Inquiry) {
    QCOMPARE(this->outcome(*control), outcome);
    QCOMPARE(control->property("xPOSuccess"), QVariant(0));
    QVERIFY(!busy(*control));
    // Nor does it come back at the next turns of the event loop.
    QTest::qWait(5);
    QVERIFY(!busy(*control));
  }
  if (results) {
    QCOMPARE(results->Rows(), 1 + rows);
    QCOMPARE(results->colWidthPixels(0), width);
  }

  const auto entries = velta::ExchangeJournal::openExisting(folder.path).list();
  QCOMPARE(entries.size(), std::size_t(1));
  QCOMPARE(QString::fromStdString(entries[0].outcome), journal);
  QVERIFY(entries[0].finished.has_value());
  const QByteArray journaled = QByteArray::fromStdString(entries[0].answer.value_or(""));
  if (keepsAnswer) QCOMPARE(journaled, answer);
  if (answer == beyondTheLimit()) {
    QVERIFY2(journaled.size() > qsizetype(velta::AnswerFraming::kLimit), qPrintable(QString::number(journaled.size())));
    QVERIFY(answer.startsWith(journaled));
  }

  // Nothing the connection does later is heard.
  if (journal == QLatin1String("timed-out")) QTRY_COMPARE(fake(s).disconnects, 1);
  if (action == QLatin1String("late connect")) {
    emit socket->Connected();
    QCOMPARE(presenter_.boxes.size(), 1);
    fake(s).listen();
    QTest::qWait(1500);  // past the kernel's retry of a dropped attempt
    QCOMPARE(fake(s).requests.size(), 0);
    QCOMPARE(presenter_.boxes.size(), 1);
  }
  if (action == QLatin1String("exit")) {
    QTRY_COMPARE(fake(s).disconnects, 1);
    QTest::qWait(600);  // past the answer deadline: it was stopped
    QVERIFY(presenter_.boxes.isEmpty());
    QCOMPARE(shutdown.count(), 1);
  }
}

void ControlExchangesTest::anOpenExchangeRefusesASecondAndAnotherOrder_data() {
  QTest::addColumn<Side>("s");
  QTest::addColumn<QStringList>("refusals");
  const QString open = QStringLiteral(" while an exchange with the distributor is open; wait for it or press Exit");
  // An acknowledgement must never be recorded against another order's number.
  const QStringList order{
      box(-23, QStringLiteral("An order cannot be sent") + open, " in submitorder routine"),
      box(-23, QStringLiteral("A status cannot be asked") + open, " in poStatus routine"),
      box(-23, QStringLiteral("The purchase-order number cannot be changed") + open, " in xPONum routine"),
      box(-23, QStringLiteral("A purchase order cannot be loaded") + open, " in setPO routine")};
  row(Side::Order, "order open") << order;
  row(Side::Status, "status open") << order;
  row(Side::Inquiry, "inquiry open")
      << QStringList{box(-23, QStringLiteral("an inquiry is already open; its answer comes first"),
                         " in locatePart routine")};
}

// With both deadlines as long as they go: it stays open, and nothing else starts.
void ControlExchangesTest::anOpenExchangeRefusesASecondAndAnotherOrder() {
  QFETCH(Side, s);
  QFETCH(QStringList, refusals);
  fake(s).mode = Mode::Silent;
  auto control = ready(s);
  control->setProperty("answerTimeout", 0);
  QCOMPARE(control->property("answerTimeout").toDouble(), 0.0);
  control->setProperty("connectTimeout", 1e9);
  QCOMPARE(control->property("connectTimeout").toDouble(), 86400.0);  // a day at most
  start(*control, s);
  QTRY_COMPARE(fake(s).requests.size(), 1);
  auto* order = qobject_cast<OrderControl*>(control.get());
  const QVariant number = order ? order->xPONum() : QVariant();
  const int rows = order ? child<velta::qt::Grid>(*order, "VSFlexGrid1")->Rows() : 0;
  const QString vendor = order ? child<QLabel>(*order, "lblPOHdr(0)")->text() : QString();
  if (!order) {
    start(*control, s);  // a host calling it directly
  } else {
    start(*control, Side::Order);
    start(*control, Side::Status);
    order->setXPONum(QStringLiteral("100233"));
    order->setPO();
  }
  QStringList texts;
  for (const auto& shown : presenter_.boxes) texts << shown.box.text;
  QCOMPARE(texts, refusals);
  QVERIFY(open(*control));  // the open one goes on
  QVERIFY(!button(*control, s)->isEnabled());
  QTest::qWait(300);
  QCOMPARE(presenter_.boxes.size(), refusals.size());
  QVERIFY(open(*control));
  for (Side other : {Side::Order, Side::Status, Side::Inquiry}) QCOMPARE(fake(other).connections, other == s ? 1 : 0);
  if (!order) return;
  QVERIFY(busy(*control));
  // Whatever the distributor answers belongs to the order that was sent.
  QCOMPARE(order->xPONum(), number);
  QCOMPARE(child<QLabel>(*order, "lblPO")->text(), number.toString());
  QCOMPARE(child<QLabel>(*order, "lblPOHdr(0)")->text(), vendor);
  QCOMPARE(child<velta::qt::Grid>(*order, "VSFlexGrid1")->Rows(), rows);
}

void ControlExchangesTest::whatCannotBeSentIsRefusedBeforeConnecting_data() {
  QTest::addColumn<Side>("s");
  QTest::addColumn<QString>("setup");        // "cell", "order", "vendor" or "journal"
  QTest::addColumn<QStringList>("values");   // a cell's row, column, text; the order; the vendor; the folder's mode
  QTest::addColumn<QString>("description");  // of -23
  QTest::addColumn<QString>("detail");       // on a line of its own after the routine's; %1 the journal folder
  const auto field = [](Side s, const char* name, int r, int c, const QString& text, const char* what) {
    row(s, name) << "cell" << QStringList{QString::number(r), QString::number(c), text} << QString::fromLatin1(what)
                 << "";
  };
  field(Side::Order, "bar in part", 3, 2, "PF|52", "a \"|\" in the part number of row 3");
  field(Side::Order, "tab in quantity", 1, 4, "1\t2", "a TAB in the quantity of row 1");
  field(Side::Order, "LF in line code", 2, 1, "A\nB", "an LF in the line code of row 2");
  field(Side::Order, "beyond Latin-1", 2, 2, QStringLiteral("PF\u20ac"), "a character outside Latin-1 in the part number of row 2");
  field(Side::Inquiry, "bar in part", 3, 1, "R|9", "a \"|\" in the part number of row 3");
  field(Side::Inquiry, "tab in quantity", 2, 2, "1\t", "a TAB in the quantity of row 2");
  field(Side::Inquiry, "LF in line code", 6, 0, "B\nK", "an LF in the line code of row 6");
  field(Side::Inquiry, "beyond Latin-1", 4, 1, QStringLiteral("R\u20AC9"), "a character outside Latin-1 in the part number of row 4");
  // Row 1 of the inquiry is the host's part, taken from its property.
  field(Side::Inquiry, "host's part beyond Latin-1", 1, 1, QStringLiteral("PH\u20AC"),
        "a character outside Latin-1 in the part number of row 1");
  const QString noHost = QStringLiteral("Nothing was sent: no host is set for the distributor of vendor %1.");
  row(Side::Order, "no host") << "order" << QStringList{"100236"} << noHost.arg(4180) + kCheckAddress << "";
  row(Side::Inquiry, "no host") << "vendor" << QStringList{"4180"} << noHost.arg(4180) + kCheckAddress << "";
  // The inquiry has no port of its own to fall back on.
  row(Side::Inquiry, "a stored port of 0")
      << "vendor" << QStringList{"3300"}
      << QStringLiteral("Nothing was sent: no inquiry port is set for the distributor of vendor 3300 at 10.20.30.40.") +
             kCheckAddress
      << "";
  // After a vendor that was not found there is nobody to ask.
  row(Side::Inquiry, "vendor not found") << "vendor" << QStringList{"4321"} << noHost.arg(4321) + kCheckAddress << "";
  // A dealer who asked for a record of every exchange gets one, or no exchange.
  const auto journal = [this](Side s, const char* name, int mode) {
    row(s, name) << "journal" << QStringList{QString::number(mode)}
                 << QStringLiteral("Nothing was sent: the journal could not record the request to ") + distributor(s) +
                        QStringLiteral(". Fix the journal as the last line says, then try again.")
                 << QStringLiteral("journal folder \"%1\" may be read or written by group or others (mode 0%2); "
                                   "it must be its owner's only (chmod 700)")
                        .arg(QStringLiteral("%1"), QString::number(mode, 8));
  };
  journal(Side::Order, "a journal others may read", 0755);
  journal(Side::Status, "a journal others may read", 0755);
  journal(Side::Inquiry, "a journal others may write", 0777);
}

void ControlExchangesTest::whatCannotBeSentIsRefusedBeforeConnecting() {
  QFETCH(Side, s);
  QFETCH(QString, setup);
  QFETCH(QStringList, values);
  QFETCH(QString, description);
  QFETCH(QString, detail);
  const JournalFolder folder;
  std::unique_ptr<QWidget> control;
  if (setup == QLatin1String("order")) {
    control = bench_.loaded(qPrintable(values[0]));
    QVERIFY(button(*control, s)->isEnabled());
  } else if (setup == QLatin1String("journal")) {
    std::filesystem::create_directory(folder.path);
    std::filesystem::permissions(folder.path, std::filesystem::perms(values[0].toInt()));
    control = ready(s, folder.text());
  } else {
    control = ready(s);
  }
  if (setup == QLatin1String("vendor")) {
    control->setProperty("xVendor", values[0].toInt());
    static_cast<InquiryControl&>(*control).setSearch();
    presenter_.clear();
  } else if (setup == QLatin1String("cell")) {
    const int r = values[0].toInt();
    const int c = values[1].toInt();
    if (s == Side::Order) {
      child<velta::qt::Grid>(*control, "VSFlexGrid1")->setTextMatrix(r, c, values[2]);
    } else if (r == 1) {
      control->setProperty("xPart", values[2]);
    } else {
      auto* grid = child<velta::qt::Grid>(*control, "grdIQ");
      for (int k = 0; k < 3; ++k) grid->setTextMatrix(r, k, QStringLiteral("X"));
      grid->setTextMatrix(r, c, values[2]);
    }
  }
  start(*control, s);
  QCOMPARE(presenter_.boxes.size(), 1);
  const QString reason = detail.replace(QStringLiteral("%1"), folder.text());
  QCOMPARE(presenter_.boxes[0].box.text, box(-23, description, wording(s).start) +
                                             (reason.isEmpty() ? QString() : QStringLiteral("  ") + reason + kCrLf));
  QCOMPARE(presenter_.boxes[0].box.title, wording(s).title);
  QVERIFY(!open(*control));
  QVERIFY(button(*control, s)->isEnabled());
  if (s != Side::Inquiry) {
    QCOMPARE(outcome(*control), QStringLiteral("not-sent"));
    QVERIFY(!busy(*control));
  }
  QTest::qWait(50);
  QCOMPARE(fake(s).connections, 0);
  QVERIFY(!std::filesystem::exists(folder.path / "journal.sqlite"));
}

void ControlExchangesTest::theJournalKeepsTheExchangeOwnerOnly_data() {
  QTest::addColumn<Side>("s");
  QTest::addColumn<QString>("outcome");
  QTest::addColumn<QString>("set");
  QTest::addColumn<QString>("reference");
  row(Side::Order, "acknowledged") << "acknowledged" << "850" << "100231";
  row(Side::Status, "answered") << "answered" << "869" << "100232";
  row(Side::Inquiry, "answered") << "answered" << "846" << "FLT PH3600";
}

void ControlExchangesTest::theJournalKeepsTheExchangeOwnerOnly() {
  QFETCH(Side, s);
  QFETCH(QString, outcome);
  QFETCH(QString, set);
  QFETCH(QString, reference);
  const JournalFolder folder;
  fake(s).answer = wording(s).answer;
  auto control = ready(s, folder.text());
  QSignalSpy changes(control.get(), SIGNAL(exchangeOpenChanged(bool)));
  start(*control, s);
  QVERIFY(open(*control));
  QVERIFY(settled(*control));
  QVERIFY(presenter_.boxes.isEmpty());
  QCOMPARE(changes.count(), 2);
  QCOMPARE(changes[0].at(0).toBool(), true);
  QCOMPARE(changes[1].at(0).toBool(), false);
  // The names each control had before stay.
  auto* order = qobject_cast<OrderControl*>(control.get());
  QVERIFY(order ? !order->isTransmitting() : !static_cast<InquiryControl&>(*control).inquiryOpen());
  QSignalSpy timeout(control.get(), SIGNAL(answerTimeoutChanged(double)));
  control->setProperty("answerTimeout", 7);
  control->setProperty("answerTimeout", 7);
  QCOMPARE(timeout.count(), 1);
  QCOMPARE(velta::qt::journalPermissions(folder.path), QStringLiteral("0700 0600"));
  const auto entries = velta::ExchangeJournal::openExisting(folder.path).list();
  QCOMPARE(entries.size(), std::size_t(1));
  QCOMPARE(QString::fromStdString(entries[0].outcome), outcome);
  QCOMPARE(QString::fromStdString(entries[0].setNumber), set);
  QCOMPARE(QString::fromStdString(entries[0].reference), reference);
  QCOMPARE(entries[0].host, std::string("127.0.0.1"));
  QCOMPARE(entries[0].port, int(fake(s).port()));
  QCOMPARE(QByteArray::fromStdString(entries[0].request), fake(s).requests.value(0));
  QCOMPARE(QByteArray::fromStdString(entries[0].answer.value_or("")), fake(s).answer);
  if (s != Side::Inquiry) return;
  // A second inquiry of the same control goes into the same journal.
  control->hide();
  control->show();
  start(*control, s);
  QVERIFY(settled(*control));
  QCOMPARE(velta::ExchangeJournal::openExisting(folder.path).list().size(), std::size_t(2));
}

void ControlExchangesTest::anOrderThatMayHaveReachedTheDistributorIsAskedAbout_data() {
  QTest::addColumn<QString>("before");  // what the earlier exchange of 100231 was
  QTest::addColumn<bool>("journal");    // kept in a journal, else in the same control's memory
  QTest::addColumn<QString>("how");     // what the question says of it; "" no question
  QTest::addColumn<bool>("yes");
  QTest::newRow("acknowledged, journal, No") << "acknowledged" << true << "was acknowledged, order number D-77001"
                                             << false;
  QTest::newRow("acknowledged, memory, Yes") << "acknowledged" << false << "was acknowledged, order number D-77001"
                                             << true;
  QTest::newRow("timed out, journal, Yes") << "timed out" << true << "no complete answer came" << true;
  QTest::newRow("closed early, memory, No") << "closed early" << false << "no complete answer came" << false;
  QTest::newRow("pending, journal, No") << "pending" << true << "no complete answer came" << false;
  QTest::newRow("exception: sent again without a question") << "exception" << true << "" << false;
  QTest::newRow("to another distributor") << "elsewhere" << true << "" << false;
}

void ControlExchangesTest::anOrderThatMayHaveReachedTheDistributorIsAskedAbout() {
  QFETCH(QString, before);
  QFETCH(bool, journal);
  QFETCH(QString, how);
  QFETCH(bool, yes);
  const JournalFolder folder;
  const QString journalFolder = journal ? folder.text() : QString();
  std::unique_ptr<OrderControl> control = bench_.loaded("100231", journalFolder);
  control->setAnswerTimeout(0.3);
  if (before == QLatin1String("pending") || before == QLatin1String("elsewhere")) {
    // A workstation that ended between sending and the answer; or the same order to another distributor.
    const int port = before == QLatin1String("pending") ? orders_.port() : orders_.port() + 1;
    velta::ExchangeJournal::open(folder.path).begin({"127.0.0.1", port, velta::MessageSet::Order850, "100231", "1\n\n"});
  } else {
    orders_.mode = before == QLatin1String("timed out")      ? Mode::Silent
                   : before == QLatin1String("closed early") ? Mode::CloseEarly
                                                             : Mode::Answer;
    orders_.answer = before == QLatin1String("exception") ? framed(kExceptionHeader + "99|1|2|3|4|5\n") : kAcknowledgement;
    control->submitOrder();
    QVERIFY(settled(*control));
    QTRY_COMPARE(orders_.requests.size(), 1);
    QTRY_VERIFY(control->findChildren<QDialog*>().isEmpty());
    if (journal) control = bench_.loaded("100231", journalFolder);  // a new control, as after controlShutdown
  }
  presenter_.clear();
  orders_.mode = Mode::Silent;
  control->setPO();
  QVERIFY(presenter_.boxes.isEmpty());
  QVERIFY(child<QPushButton>(*control, "cmdSubmit")->isEnabled());
  QCOMPARE(child<QPushButton>(*control, "cmdPOStat")->isEnabled(), !how.isEmpty());
  const int requests = orders_.requests.size();
  if (yes) presenter_.answers << velta::qt::MessageAnswer::Yes;
  control->submitOrder();
  if (how.isEmpty()) {
    QVERIFY(presenter_.boxes.isEmpty());
    QVERIFY(control->exchangeOpen());
    return;
  }
  QCOMPARE(presenter_.boxes.size(), 1);
  const velta::qt::MessageBox& asked = presenter_.boxes[0].box;
  QCOMPARE(asked.title, QStringLiteral("veltaorder"));
  QCOMPARE(asked.icon, velta::qt::MessageIcon::Question);
  QCOMPARE(asked.buttons, velta::qt::MessageButtons::YesNo);
  QCOMPARE(asked.defaultButton, 1);
  QVERIFY(!asked.systemModal);
  // The moment of the earlier sending, in its local time, as the control shows moments.
  QString when = QStringLiteral("\\d{1,2}/\\d{1,2}/\\d{4} at \\d{1,2}:\\d\\d:\\d\\d [AP]M");
  if (journal) {
    const velta::JournalEntry earlier = velta::ExchangeJournal::openExisting(folder.path).list().at(0);
    QDateTime utc = QDateTime::fromString(QString::fromStdString(earlier.utc), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    utc.setTimeSpec(Qt::UTC);
    const QDateTime local = utc.toOffsetFromUtc(earlier.utcOffset);
    when = QRegularExpression::escape(local.toString(QStringLiteral("M/d/yyyy")) + QStringLiteral(" at ") +
                                      QLocale::c().toString(local.time(), QStringLiteral("h:mm:ss AP")));
  }
  const QRegularExpression question(QStringLiteral("^Purchase order 100231 was sent to the distributor on ") + when +
                                    QStringLiteral(" and ") + QRegularExpression::escape(how) +
                                    QStringLiteral("\\. Send it again\\?$"));
  QVERIFY2(question.match(asked.text).hasMatch(), qPrintable(asked.text));
  QCOMPARE(control->exchangeOpen(), yes);
  if (!yes) {
    // No sends nothing and changes nothing.
    QVERIFY(!busy(*control));
    QVERIFY(child<QPushButton>(*control, "cmdSubmit")->isEnabled());
    QTest::qWait(100);
    QCOMPARE(orders_.requests.size(), requests);
    return;
  }
  QTRY_COMPARE(orders_.requests.size(), requests + 1);
}

QTEST_MAIN(ControlExchangesTest)
// What a host wires in a form: the actions are slots, and every property the
// control declares has a change signal, raised once per change with the new
// value; a new error text before its box is shown. Two exchanges in a row, so
// that the second one's signals say that the first one's values are gone.
void ControlExchangesTest::aHostCanWireEveryActionAndEveryChange_data() {
  QTest::addColumn<Side>("s");
  QTest::addColumn<QStringList>("actions");
  QTest::addColumn<bool>("refused");       // the distributor refuses both connections, else answers both
  QTest::addColumn<QStringList>("outcomes");  // lastOutcomeChanged, first to last (order control only)
  const QStringList order{"setPO()", "submitOrder()", "poStatus()"};
  const QStringList inquiry{"setSearch()", "LocatePart()"};
  row(Side::Order, "answered twice") << order << false << QStringList{"acknowledged", "none", "acknowledged"};
  row(Side::Order, "refused twice") << order << true << QStringList{"not-sent", "none", "not-sent"};
  row(Side::Status, "answered twice") << order << false << QStringList{"status-shown", "none", "status-shown"};
  row(Side::Inquiry, "answered twice") << inquiry << false << QStringList{};
  row(Side::Inquiry, "refused twice") << inquiry << true << QStringList{};
}

void ControlExchangesTest::aHostCanWireEveryActionAndEveryChange() {
  QFETCH(Side, s);
  QFETCH(QStringList, actions);
  QFETCH(bool, refused);
  QFETCH(QStringList, outcomes);
  fake(s).answer = wording(s).answer;
  if (refused) fake(s).stop();
  auto control = ready(s);
  const QMetaObject* meta = control->metaObject();
  for (const QString& action : actions) {
    const int index = meta->indexOfMethod(qPrintable(action));
    QVERIFY2(index >= 0 && meta->method(index).methodType() == QMetaMethod::Slot, qPrintable(action));
  }
  for (int k = meta->propertyOffset(); k < meta->propertyCount(); ++k) {
    QVERIFY2(meta->property(k).hasNotifySignal(), meta->property(k).name());
  }

  QSignalSpy folders(control.get(), SIGNAL(journalFolderChanged(QString)));
  QTemporaryDir base;
  for (const QString& folder : {base.path(), base.path(), QString()}) control->setProperty("journalFolder", folder);
  QCOMPARE(folders.count(), 2);
  QCOMPARE(folders[0].at(0).toString(), base.path());
  QCOMPARE(folders[1].at(0).toString(), QString());

  QSignalSpy errTexts(control.get(), SIGNAL(errTextChanged(QString)));
  QList<int> boxesBefore;  // boxes shown when each error text was announced
  std::unique_ptr<QSignalSpy> orderOutcomes, orderNumbers;
  if (auto* order = qobject_cast<OrderControl*>(control.get())) {
    orderOutcomes = std::make_unique<QSignalSpy>(order, &OrderControl::lastOutcomeChanged);
    orderNumbers = std::make_unique<QSignalSpy>(order, &OrderControl::lastOrderNumberChanged);
    QObject::connect(order, &OrderControl::errTextChanged, [&] { boxesBefore << int(presenter_.boxes.size()); });
  } else {
    QObject::connect(static_cast<InquiryControl*>(control.get()), &InquiryControl::errTextChanged,
                     [&] { boxesBefore << int(presenter_.boxes.size()); });
  }
  for (int round = 0; round < 2; ++round) {
    if (round == 1 && s == Side::Inquiry) {
      control->hide();  // the show handler makes "Begin Search" usable again
      control->show();
    } else if (round == 1) {
      // Loaded again, as a host does; the order that was acknowledged is sent again on Yes.
      if (!refused) presenter_.answers = {velta::qt::MessageAnswer::Yes};
      static_cast<OrderControl&>(*control).setPO();
    }
    QVERIFY(QMetaObject::invokeMethod(control.get(), qPrintable(actions[s == Side::Status ? 2 : 1].chopped(2))));
    QVERIFY(settled(*control));
    QTRY_VERIFY(control->findChildren<QDialog*>().isEmpty());
  }

  // Every error box was announced once, just before it was shown, with its text.
  QCOMPARE(errTexts.count(), refused ? 2 : 0);
  QCOMPARE(boxesBefore.size(), errTexts.count());
  for (int k = 0; k < errTexts.count(); ++k) {
    QCOMPARE(boxesBefore[k], k);
    QCOMPARE(errTexts[k].at(0).toString(), presenter_.boxes[k].box.text);
  }
  if (!orderOutcomes) return;
  QStringList seen;
  for (const QList<QVariant>& signal : *orderOutcomes) seen << signal.at(0).toString();
  QCOMPARE(seen, outcomes);
  const auto& order = static_cast<OrderControl&>(*control);
  QCOMPARE(order.lastOutcome(), outcomes.last());
  // The distributor's order number comes with an acknowledgement and goes with the next exchange.
  const bool acknowledged = outcomes.last() == QLatin1String("acknowledged");
  QCOMPARE(orderNumbers->count(), acknowledged ? 3 : 0);
  if (acknowledged) {
    QCOMPARE(orderNumbers->at(0).at(0).toString(), order.lastOrderNumber());
    QCOMPARE(orderNumbers->at(1).at(0).toString(), QString());
    QVERIFY(!order.lastOrderNumber().isEmpty());
  }
}

#include "tst_controlexchanges.moc"
