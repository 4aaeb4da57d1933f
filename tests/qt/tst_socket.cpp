// The socket against a server in the test itself, on 127.0.0.1.
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <memory>
#include <sys/socket.h>

#include "base/EngineError.h"
#include "qt/Socket.h"

using velta::qt::Socket;

namespace {

// One accepted connection of the server, collecting what the client sends.
struct Peer {
  QTcpServer server;
  QTcpSocket* accepted = nullptr;
  QByteArray received;

  bool listen() {
    if (!server.listen(QHostAddress::LocalHost, 0)) return false;
    QObject::connect(&server, &QTcpServer::newConnection, [this] {
      accepted = server.nextPendingConnection();
      QObject::connect(accepted, &QTcpSocket::readyRead, [this] { received += accepted->readAll(); });
    });
    return true;
  }
  quint16 port() const { return server.serverPort(); }
  bool waitAccepted() { return QTest::qWaitFor([this] { return accepted != nullptr; }, 5000); }
  bool waitReceived(qsizetype bytes) {
    return QTest::qWaitFor([&] { return received.size() >= bytes; }, 5000);
  }
  // The socket connected to this server, and the server's side accepted.
  bool connectClient(Socket& socket) {
    QSignalSpy connected(&socket, &Socket::Connected);
    socket.Connect(QStringLiteral("127.0.0.1"), port());
    return connected.wait(5000) && waitAccepted();
  }
};

}  // namespace

class SocketTest : public QObject {
  Q_OBJECT

 private slots:
  // Flush sends what is queued before the event loop turns; a connection
  // the peer has reset fails in it, and says so before it returns.
  void flushSendsAtOnceOrFailsAtOnce_data() {
    QTest::addColumn<bool>("reset");
    QTest::newRow("open") << false;
    QTest::newRow("reset by the peer") << true;
  }
  void flushSendsAtOnceOrFailsAtOnce() {
    QFETCH(bool, reset);
    Peer peer;
    QVERIFY(peer.listen());
    Socket socket;
    QVERIFY(peer.connectClient(socket));
    if (reset) {
      const linger abrupt{1, 0};
      ::setsockopt(static_cast<int>(peer.accepted->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abrupt, sizeof abrupt);
      peer.accepted->abort();
      QThread::msleep(50);  // the reset reaches the client; its event loop has not heard of it
    }
    int told = 0;
    connect(&socket, &Socket::Error, [&] { ++told; });
    connect(&socket, &Socket::Closed, [&] { ++told; });
    socket.SendData(std::string(200000, 'x'));
    socket.Flush();
    QCOMPARE(told > 0, reset);
    if (!reset) QVERIFY(peer.waitReceived(200000));
  }

  void connectsAndSendsInOrder() {
    Peer peer;
    QVERIFY(peer.listen());
    Socket socket;
    QSignalSpy connected(&socket, &Socket::Connected);
    QSignalSpy errors(&socket, &Socket::Error);
    // The two sends of an exchange, in the connect event, as the controls make them.
    const std::string lengthLine = "22\n";
    const std::string message("00|a|b\xE9|\x01\n01|x\0y|\n", 20);
    connect(&socket, &Socket::Connected, [&] {
      socket.SendData(lengthLine);
      socket.SendData(message);
    });
    QVERIFY(!socket.isOpen());
    socket.Connect(QStringLiteral("127.0.0.1"), peer.port());
    QVERIFY(connected.wait(5000));
    QVERIFY(socket.isOpen());
    QVERIFY(peer.waitReceived(qsizetype(lengthLine.size() + message.size())));
    QCOMPARE(peer.received, QByteArray::fromStdString(lengthLine + message));
    QCOMPARE(errors.count(), 0);
    QCOMPARE(connected.count(), 1);
  }

  void hostNameIsLookedUp() {
    Peer peer;
    QVERIFY(peer.listen());
    Socket socket;
    QSignalSpy connected(&socket, &Socket::Connected);
    socket.Connect(QStringLiteral("localhost"), peer.port());
    QVERIFY(QTest::qWaitFor([&] { return connected.count() == 1; }, 5000));
  }

  void receivesEveryPiece() {
    Peer peer;
    QVERIFY(peer.listen());
    Socket socket;
    std::string collected;
    qint64 lastTotal = -1;
    int arrivals = 0;
    connect(&socket, &Socket::DataArrival, [&](qint64 total) {
      ++arrivals;
      lastTotal = total;
      collected += socket.GetData();
    });
    socket.Connect(QStringLiteral("127.0.0.1"), peer.port());
    QVERIFY(peer.waitAccepted());
    // The length line split over two pieces, then the rest; every byte value once.
    std::string answer;
    for (int b = 0; b < 256; ++b) answer.push_back(static_cast<char>(b));
    const std::string pieces[] = {"2", "56\n", answer.substr(0, 100), answer.substr(100)};
    std::string expected;
    for (const std::string& piece : pieces) {
      peer.accepted->write(piece.data(), qint64(piece.size()));
      peer.accepted->flush();
      expected += piece;
      QVERIFY(QTest::qWaitFor([&] { return collected.size() == expected.size(); }, 5000));
    }
    QCOMPARE(collected, expected);
    QVERIFY(arrivals >= 4);
    // Each arrival reported what was waiting, which GetData then took.
    QVERIFY(lastTotal > 0);
    QCOMPARE(socket.bytesReceived(), qint64(0));
    QCOMPARE(socket.GetData(), std::string());
  }

  void dataWaitsUntilTaken() {
    Peer peer;
    QVERIFY(peer.listen());
    Socket socket;
    QSignalSpy arrivals(&socket, &Socket::DataArrival);
    socket.Connect(QStringLiteral("127.0.0.1"), peer.port());
    QVERIFY(peer.waitAccepted());
    peer.accepted->write("abc");
    peer.accepted->flush();
    QVERIFY(QTest::qWaitFor([&] { return socket.bytesReceived() == 3; }, 5000));
    peer.accepted->write("de");
    peer.accepted->flush();
    QVERIFY(QTest::qWaitFor([&] { return socket.bytesReceived() == 5; }, 5000));
    // The last arrival counts everything not yet taken.
    QCOMPARE(arrivals.last().at(0).toLongLong(), qint64(5));
    QCOMPARE(socket.GetData(), std::string("abcde"));
  }

  void refusedConnection() {
    quint16 port = 0;
    {
      QTcpServer closed;
      QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
      port = closed.serverPort();
    }
    Socket socket;
    QSignalSpy connected(&socket, &Socket::Connected);
    QSignalSpy errors(&socket, &Socket::Error);
    socket.Connect(QStringLiteral("127.0.0.1"), port);
    QVERIFY(errors.wait(5000));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors[0][0].toInt(), 10061);
    QVERIFY(!errors[0][1].toString().isEmpty());
    QCOMPARE(connected.count(), 0);
    QVERIFY(!socket.isOpen());
  }

  void sendWithoutConnection() {
    Socket socket;
    try {
      socket.SendData("x");
      QFAIL("SendData without a connection must raise");
    } catch (const velta::EngineError& e) {
      QCOMPARE(e.number(), 40006);
      QCOMPARE(QString::fromStdString(e.source()), QStringLiteral("SendData"));
    }
  }

  void peerCloses() {
    Peer peer;
    QVERIFY(peer.listen());
    Socket socket;
    QSignalSpy closed(&socket, &Socket::Closed);
    QSignalSpy errors(&socket, &Socket::Error);
    QStringList order;
    connect(&socket, &Socket::DataArrival, [&] { order << QStringLiteral("data"); });
    connect(&socket, &Socket::Closed, [&] { order << QStringLiteral("closed"); });
    socket.Connect(QStringLiteral("127.0.0.1"), peer.port());
    QVERIFY(peer.waitAccepted());
    QVERIFY(QTest::qWaitFor([&] { return socket.isOpen(); }, 5000));
    // The answer and the close come together; the answer is reported first.
    peer.accepted->write("last words");
    peer.accepted->disconnectFromHost();
    QVERIFY(QTest::qWaitFor([&] { return closed.count() == 1; }, 5000));
    QCOMPARE(socket.GetData(), std::string("last words"));
    QCOMPARE(order.last(), QStringLiteral("closed"));
    QVERIFY(order.contains(QStringLiteral("data")));
    QCOMPARE(errors.count(), 0);
    QVERIFY(!socket.isOpen());
    QVERIFY_THROWS_EXCEPTION(velta::EngineError, socket.SendData("late"));
  }

  void closeSilencesLaterEvents_data() {
    QTest::addColumn<bool>("abort");
    QTest::newRow("Close") << false;
    QTest::newRow("Abort") << true;
  }
  void closeSilencesLaterEvents() {
    QFETCH(bool, abort);
    Peer peer;
    QVERIFY(peer.listen());
    Socket socket;
    QVERIFY(peer.connectClient(socket));
    QSignalSpy arrivals(&socket, &Socket::DataArrival);
    QSignalSpy closed(&socket, &Socket::Closed);
    QSignalSpy errors(&socket, &Socket::Error);
    if (abort) {
      socket.Abort();
    } else {
      socket.Close();
    }
    QVERIFY(!socket.isOpen());
    // Whatever the peer does now reaches nobody.
    peer.accepted->write("too late");
    peer.accepted->flush();
    peer.accepted->disconnectFromHost();
    QVERIFY(QTest::qWaitFor([&] { return peer.accepted->state() == QAbstractSocket::UnconnectedState; }, 5000));
    QTest::qWait(50);  // lets late events arrive, were any still wired
    QCOMPARE(arrivals.count(), 0);
    QCOMPARE(closed.count(), 0);
    QCOMPARE(errors.count(), 0);
    QCOMPARE(socket.GetData(), std::string());
    // Closing twice, or with nothing open, is harmless.
    socket.Close();
    socket.Abort();
  }

  void closeDeliversWhatWasSent() {
    Peer peer;
    QVERIFY(peer.listen());
    Socket socket;
    connect(&socket, &Socket::Connected, [&] {
      socket.SendData(std::string(100000, 'x'));
      socket.Close();
    });
    socket.Connect(QStringLiteral("127.0.0.1"), peer.port());
    QVERIFY(peer.waitReceived(100000));
    QCOMPARE(peer.received, QByteArray(100000, 'x'));
  }

  void reconnectStartsClean() {
    Peer first;
    Peer second;
    QVERIFY(first.listen());
    QVERIFY(second.listen());
    Socket socket;
    QSignalSpy connected(&socket, &Socket::Connected);
    socket.Connect(QStringLiteral("127.0.0.1"), first.port());
    QVERIFY(connected.wait(5000));
    QVERIFY(first.waitAccepted());
    first.accepted->write("old");
    first.accepted->flush();
    QVERIFY(QTest::qWaitFor([&] { return socket.bytesReceived() == 3; }, 5000));
    // A new Connect drops the old connection and what it had left.
    socket.Connect(QStringLiteral("127.0.0.1"), second.port());
    QCOMPARE(socket.bytesReceived(), qint64(0));
    QVERIFY(QTest::qWaitFor([&] { return connected.count() == 2; }, 5000));
    QVERIFY(second.waitAccepted());
    second.accepted->write("new");
    second.accepted->flush();
    QVERIFY(QTest::qWaitFor([&] { return socket.bytesReceived() == 3; }, 5000));
    QCOMPARE(socket.GetData(), std::string("new"));
  }
};

QTEST_MAIN(SocketTest)
#include "tst_socket.moc"
