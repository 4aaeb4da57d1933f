#include "support/FakeDistributor.h"

#include <QTimer>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velta::test {

namespace {

int rawListener(quint16 port, int backlog) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) qFatal("socket failed");
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) qFatal("bind to %u failed", port);
  if (::listen(fd, backlog) != 0) qFatal("listen failed");
  return fd;
}

// A connection the listener's queue takes: it fills a place and is never accepted.
int filler(quint16 port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  ::fcntl(fd, F_SETFL, O_NONBLOCK);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  return fd;
}

}  // namespace

bool completeRequest(const QByteArray& bytes) {
  const int lf = bytes.indexOf('\n');
  if (lf <= 0) return false;
  bool ok = false;
  const int length = bytes.left(lf).toInt(&ok);
  return ok && bytes.size() - lf - 1 == length;
}

FakeDistributor::FakeDistributor() {
  server_ = new QTcpServer(this);
  connect(server_, &QTcpServer::newConnection, this, &FakeDistributor::onConnection);
  if (!server_->listen(QHostAddress::LocalHost, 0)) qFatal("the fake distributor cannot listen");
  port_ = server_->serverPort();
}

FakeDistributor::~FakeDistributor() { closeRaw(); }

void FakeDistributor::listen() {
  closeRaw();
  if (!server_->isListening() && !server_->listen(QHostAddress::LocalHost, port_)) {
    qFatal("the fake distributor cannot listen again on %u", port_);
  }
}

void FakeDistributor::stop() {
  closeRaw();
  server_->close();
  for (const auto& client : clients_) {
    if (client) client->abort();
  }
}

void FakeDistributor::hang() {
  stop();
  raw_ = rawListener(port_, 0);
  // A backlog of 0 still queues a connection or two; fill them.
  for (int i = 0; i < 3; ++i) fillers_ << filler(port_);
}

void FakeDistributor::reset() {
  for (const auto& client : clients_) {
    if (client) client->abort();
  }
  clients_.clear();
  received_.clear();
  listen();
  mode = Mode::Answer;
  answer.clear();
  requests.clear();
  connections = 0;
  disconnects = 0;
}

void FakeDistributor::closeRaw() {
  for (int fd : fillers_) ::close(fd);
  fillers_.clear();
  if (raw_ >= 0) ::close(raw_);
  raw_ = -1;
}

void FakeDistributor::onConnection() {
  while (QTcpSocket* socket = server_->nextPendingConnection()) {
    ++connections;
    clients_ << socket;
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadable(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
      ++disconnects;
      received_.remove(socket);
      socket->deleteLater();
    });
  }
}

void FakeDistributor::onReadable(QTcpSocket* socket) {
  QByteArray& bytes = received_[socket];
  bytes += socket->readAll();
  if (!completeRequest(bytes)) return;
  requests << bytes;
  bytes.clear();
  switch (mode) {
    case Mode::Answer:
      socket->write(answer);
      break;
    case Mode::Silent:
      break;
    case Mode::CloseEarly:
      socket->write(answer.left(answer.size() / 2));
      socket->flush();
      socket->disconnectFromHost();
      break;
    case Mode::Pieces:
      for (int i = 0; i < answer.size(); ++i) {
        QTimer::singleShot(i, socket, [socket, piece = answer.mid(i, 1)] {
          socket->write(piece);
          socket->flush();
        });
      }
      break;
  }
}

}  // namespace velta::test
