// The exchange itself, without a control: its deadlines (whole milliseconds
// rounded up, a day at most, a precise timer), what start() refuses, when it
// tells that the request went out, and what the journal hears of an exchange
// that is read, refused or left. How the
// controls report each ending: tests/exchange.
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "base/EngineError.h"
#include "link/ExchangeJournal.h"
#include "qt/Exchange.h"
#include "qt/Socket.h"
#include "support/FakeDistributor.h"

using velta::JournalOutcome;
using velta::qt::Exchange;
using velta::qt::ExchangeEnding;
using velta::qt::ExchangeHandler;
using velta::qt::ExchangeStage;
using velta::test::FakeDistributor;

namespace {

velta::qt::ExchangeRequest request() {
  return {velta::MessageSet::Order850, 1207, "100231", {"4\n", "00|\n"}};
}

QTimer* deadlineOf(Exchange& exchange) { return exchange.findChild<QTimer*>(); }

}  // namespace

class ExchangeClassTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { fake_.reset(); }

  void deadlinesAreWholeMillisecondsRoundedUpOnAPreciseTimer_data() {
    QTest::addColumn<bool>("answering");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("kept");
    QTest::addColumn<int>("milliseconds");  // 0: no deadline runs
    QTest::newRow("connect 15 s") << false << 15.0 << 15.0 << 15000;
    QTest::newRow("connect 0.3 s") << false << 0.3 << 0.3 << 300;
    QTest::newRow("connect 0.1 ms") << false << 0.0001 << 0.0001 << 1;
    QTest::newRow("connect a billion s") << false << 1e9 << 86400.0 << 86400000;
    QTest::newRow("connect 0: without end") << false << 0.0 << 0.0 << 0;
    QTest::newRow("connect -1: without end") << false << -1.0 << -1.0 << 0;
    QTest::newRow("answer 60 s") << true << 60.0 << 60.0 << 60000;
    QTest::newRow("answer 1.5 ms") << true << 0.0015 << 0.0015 << 2;
    QTest::newRow("answer 0: without end") << true << 0.0 << 0.0 << 0;
  }
  void deadlinesAreWholeMillisecondsRoundedUpOnAPreciseTimer() {
    QFETCH(bool, answering);
    QFETCH(double, seconds);
    QFETCH(double, kept);
    QFETCH(int, milliseconds);
    Exchange exchange;
    velta::qt::Socket socket;
    const bool changed = answering ? exchange.setAnswerSeconds(seconds) : exchange.setConnectSeconds(seconds);
    QCOMPARE(changed, seconds != (answering ? Exchange::kDefaultAnswerSeconds : Exchange::kDefaultConnectSeconds));
    QCOMPARE(answering ? exchange.answerSeconds() : exchange.connectSeconds(), kept);
    QVERIFY(!(answering ? exchange.setAnswerSeconds(seconds) : exchange.setConnectSeconds(seconds)));
    if (answering) {
      fake_.mode = FakeDistributor::Mode::Silent;
    } else {
      fake_.hang();
    }
    exchange.start(socket, "127.0.0.1", fake_.port(), request());
    if (answering) QTRY_COMPARE(exchange.stage(), ExchangeStage::Answering);
    QTimer* deadline = deadlineOf(exchange);
    QVERIFY(deadline);
    QCOMPARE(deadline->isActive(), milliseconds > 0);
    // Qt's coarse timers may fire 5 % early: a 15 s deadline after 14.25 s.
    QCOMPARE(deadline->timerType(), Qt::PreciseTimer);
    if (milliseconds > 0) QCOMPARE(deadline->interval(), milliseconds);
    exchange.abandon();
    QVERIFY(!deadline->isActive());
  }
  void startRefusesWhatCannotBeReached_data() {
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");  // -2: the fake's, with an exchange open already; -3: the fake's
    QTest::addColumn<QString>("description");  // %1: the fake's port
    QTest::addColumn<QString>("detail");       // %1: the journal folder
    const QString check = QStringLiteral(" Check the vendor's distributor address.");
    const auto row = [](const char* name, const char* host, int port, const QString& description,
                        const char* detail = "") {
      QTest::newRow(name) << QString(host) << port << "Nothing was sent: " + description << QString(detail);
    };
    row("blanks and a TAB for a host", " \t  ", 12000, "no host is set for the distributor of vendor 1207." + check);
    row("port 0", "127.0.0.1", 0, "no order port is set for the distributor of vendor 1207 at 127.0.0.1." + check);
    row("port 65536", "127.0.0.1", 65536,
        "the order port 65536 of the distributor of vendor 1207 at 127.0.0.1 is not a TCP port." + check);
    row("port -1", "127.0.0.1", -1,
        "the order port -1 of the distributor of vendor 1207 at 127.0.0.1 is not a TCP port." + check);
    row("one open already", "127.0.0.1", -2,
        "an exchange with the distributor of vendor 1207 at 127.0.0.1:%1 is still open. Wait for its answer, "
        "then try again.");
    // The journal's reason is the detail, on a line of its own.
    row("a journal folder that is a file", "127.0.0.1", -3,
        "the journal could not record the request to the distributor of vendor 1207 at 127.0.0.1:%1. Fix the "
        "journal as the last line says, then try again.",
        "journal folder \"%1\" is not a folder");
  }
  void startRefusesWhatCannotBeReached() {
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(QString, description);
    QFETCH(QString, detail);
    fake_.hang();
    QTemporaryDir base;
    const QString file = base.filePath(QStringLiteral("journal"));
    Exchange exchange;
    velta::qt::Socket first;
    velta::qt::Socket second;
    if (port == -2) exchange.start(first, "127.0.0.1", fake_.port(), request());
    if (port == -3) {
      QFile made(file);
      QVERIFY(made.open(QIODevice::WriteOnly));
      exchange.setJournalFolder(file);
    }
    QSignalSpy changes(&exchange, &Exchange::openChanged);
    QSignalSpy sent(&exchange, &Exchange::requestSent);
    try {
      exchange.start(second, host.toStdString(), port < -1 ? fake_.port() : port, request());
      QFAIL("started");
    } catch (const velta::EngineError& e) {
      QCOMPARE(e.number(), -23);
      const QString fakePort = QString::number(fake_.port());
      QCOMPARE(QString::fromStdString(e.description()), description.replace(QStringLiteral("%1"), fakePort));
      QCOMPARE(QString::fromStdString(e.detail()), detail.replace(QStringLiteral("%1"), file));
    }
    QCOMPARE(changes.count(), 0);
    QCOMPARE(exchange.isOpen(), port == -2);
    QTest::qWait(20);
    QCOMPARE(sent.count(), 0);
  }
  void theJournalHearsHowTheExchangeEnded_data() {
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("read") << "finish" << "answered";
    QTest::newRow("unreadable") << "fail" << "malformed";
    QTest::newRow("left by the user") << "abandon" << "abandoned";
    QTest::newRow("left open when it goes") << "destroy" << "abandoned";
  }
  void theJournalHearsHowTheExchangeEnded() {
    QFETCH(QString, end);
    QFETCH(QString, outcome);
    QTemporaryDir base;
    const std::filesystem::path folder = std::filesystem::path(base.path().toStdString()) / "journal";
    fake_.answer = "5\n00|//";
    auto exchange = std::make_unique<Exchange>();
    velta::qt::Socket socket;
    exchange->setJournalFolder(QString::fromStdString(folder.string()));
    QSignalSpy answered(exchange.get(), &Exchange::answered);
    // Once, when the request went out whole and the answer is awaited.
    int sent = 0;
    connect(exchange.get(), &Exchange::requestSent, this, [&] {
      ++sent;
      QCOMPARE(exchange->stage(), ExchangeStage::Answering);
      QVERIFY(exchange->sent() && answered.isEmpty());
    });
    std::optional<ExchangeEnding> ending;
    connect(exchange.get(), &Exchange::failed, this, [&](const ExchangeEnding& e) { ending = e; });
    exchange->start(socket, "127.0.0.1", fake_.port(), request());
    QTRY_COMPARE(answered.count(), 1);
    QCOMPARE(sent, 1);
    // The answer is with the control: nothing more of the connection is heard.
    QVERIFY(exchange->isOpen());
    emit socket.Closed();
    QVERIFY(!ending);
    if (end == QLatin1String("finish")) exchange->finish(JournalOutcome::Answered);
    if (end == QLatin1String("fail")) exchange->fail({9, "Subscript out of range", "the answer has no record 1"});
    if (end == QLatin1String("abandon")) exchange->abandon();
    if (end == QLatin1String("destroy")) exchange.reset();
    if (exchange) QVERIFY(!exchange->isOpen());
    QCOMPARE(ending.has_value(), end == QLatin1String("fail"));
    if (ending) {
      QCOMPARE(ending->handler, ExchangeHandler::Answer);
      QCOMPARE(ending->outcome, JournalOutcome::Malformed);
      QVERIFY(ending->sent);
      QCOMPARE(ending->failure.detail, std::string("the answer has no record 1"));
    }
    const auto entries = velta::ExchangeJournal::openExisting(folder).list();
    QCOMPARE(entries.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(entries[0].outcome), outcome);
    QCOMPARE(entries[0].answer.value_or(""), std::string("5\n00|//"));
    QCOMPARE(entries[0].request, std::string("4\n00|\n"));
  }

 private:
  FakeDistributor fake_;
};

QTEST_MAIN(ExchangeClassTest)
#include "tst_exchange.moc"
