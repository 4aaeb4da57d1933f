// The distributor as the controls' tests need it: a server on 127.0.0.1 at a
// port chosen once, that records each request byte for byte and answers as
// the test says. One serves the order port, another the status or inquiry port.
//
//   FakeDistributor distributor;                 // listening on distributor.port()
//   distributor.answer = lengthLine(reply) + reply;
//   control.LocatePart();
//   QTRY_COMPARE(distributor.requests.size(), 1);
//
// The port stays the same when the test stops the server (connections are then
// refused) or makes it hang (connections are never completed), so that one
// sample business system's vendor record serves every case.
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace velta::test {

class FakeDistributor : public QObject {
  Q_OBJECT

 public:
  enum class Mode {
    Answer,      // the whole of `answer` once the request is complete
    Silent,      // read the request, never answer
    CloseEarly,  // the first half of `answer`, then close
    Pieces,      // `answer` one byte at a time
  };

  FakeDistributor();
  ~FakeDistributor() override;

  quint16 port() const { return port_; }

  // Listening (again) with a QTcpServer.
  void listen();
  // Nothing listens: connections are refused.
  void stop();
  // A listening socket whose queue is full: connections are never completed.
  void hang();
  // Listening, answering, nothing recorded: the state of a new test.
  void reset();

  Mode mode = Mode::Answer;
  QByteArray answer;
  QList<QByteArray> requests;  // each complete request, its length line included
  int connections = 0;
  int disconnects = 0;  // connections the client ended

 private:
  void onConnection();
  void onReadable(QTcpSocket* socket);
  void closeRaw();

  QTcpServer* server_ = nullptr;
  quint16 port_ = 0;
  int raw_ = -1;
  QList<int> fillers_;
  QList<QPointer<QTcpSocket>> clients_;
  QMap<QTcpSocket*, QByteArray> received_;
};

// True when `bytes` are a length line and exactly the message it announces.
bool completeRequest(const QByteArray& bytes);

}  // namespace velta::test
