// A TCP client with the operations and events of the controls' socket.
//
// One connection at a time. Everything is asynchronous: Connect returns at
// once and the outcome arrives as Connected() or Error(); received bytes wait
// in the socket until GetData() takes them.
//
//   Socket ws1;
//   connect(&ws1, &Socket::Connected, [&] { ws1.SendData(lengthLine); ws1.SendData(message); });
//   connect(&ws1, &Socket::DataArrival, [&](qint64) { inBuffer += ws1.GetData(); });
//   ws1.Connect(hostAddress, port);
//
// Error numbers are those the original socket control reported:
//   10061 connection refused, 11001 host not found, 10054 connection reset,
//   10060 timed out, 10051 network unreachable, 10053 any other failure.
// A clean close by the peer is Closed(), not an error.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpSocket>
#include <string>

namespace velta::qt {

class Socket : public QObject {
  Q_OBJECT

 public:
  explicit Socket(QObject* parent = nullptr);
  ~Socket() override;

  // Starts connecting; an earlier connection of this socket is dropped first,
  // and nothing it still had to say is reported.
  void Connect(const QString& host, quint16 port);
  // Queues the bytes as they are. Raises 40006 when no connection is open.
  void SendData(const std::string& bytes);
  // Sends what is queued now, as much as the connection takes, rather than at
  // the next turn of the event loop. A failure is told at once, by Error() or
  // Closed(), before Flush returns.
  void Flush();
  // Everything received and not yet taken, byte for byte.
  std::string GetData();
  // Ends the connection after what was sent has gone out; no further events.
  void Close();
  // Ends the connection at once, dropping unsent bytes; no further events.
  void Abort();
  // Connected and not closed by either side.
  bool isOpen() const;
  // Bytes received and not yet taken.
  qint64 bytesReceived() const { return static_cast<qint64>(received_.size()); }

  static constexpr int kWrongState = 40006;
  // The numbers of Error(), as the original socket control gave them.
  static constexpr int kConnectionRefused = 10061;
  static constexpr int kHostNotFound = 11001;
  static constexpr int kConnectionReset = 10054;
  static constexpr int kTimedOut = 10060;
  static constexpr int kNetworkUnreachable = 10051;
  static constexpr int kOtherFailure = 10053;

 signals:
  void Connected();
  // `bytesTotal`: all bytes waiting for GetData(), the new ones included.
  void DataArrival(qint64 bytesTotal);
  void Error(int number, const QString& description);
  // The peer closed the connection (after the last DataArrival).
  void Closed();

 private:
  void attach(QTcpSocket* socket);
  void detach();
  void readAvailable();
  void onError(QAbstractSocket::SocketError error);
  void onDisconnected();

  QPointer<QTcpSocket> socket_;
  std::string received_;
  bool closedByPeer_ = false;
};

// The number the original socket control gave for a Qt socket error.
int socketErrorNumber(QAbstractSocket::SocketError error);

}  // namespace velta::qt
