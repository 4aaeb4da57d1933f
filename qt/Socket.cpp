#include "qt/Socket.h"

#include "base/EngineError.h"

namespace velta::qt {

int socketErrorNumber(QAbstractSocket::SocketError error) {
  switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return Socket::kConnectionRefused;
    case QAbstractSocket::HostNotFoundError: return Socket::kHostNotFound;
    case QAbstractSocket::RemoteHostClosedError: return Socket::kConnectionReset;
    case QAbstractSocket::SocketTimeoutError: return Socket::kTimedOut;
    case QAbstractSocket::NetworkError: return Socket::kNetworkUnreachable;
    default: return Socket::kOtherFailure;
  }
}

Socket::Socket(QObject* parent) : QObject(parent) {}

Socket::~Socket() { Abort(); }

void Socket::attach(QTcpSocket* socket) {
  socket_ = socket;
  connect(socket, &QTcpSocket::connected, this, [this] { emit Connected(); });
  connect(socket, &QTcpSocket::readyRead, this, &Socket::readAvailable);
  connect(socket, &QTcpSocket::errorOccurred, this, &Socket::onError);
  connect(socket, &QTcpSocket::disconnected, this, &Socket::onDisconnected);
}

// The socket says nothing more to us; it is deleted once it has finished.
void Socket::detach() {
  QTcpSocket* socket = socket_;
  socket_.clear();
  received_.clear();
  closedByPeer_ = false;
  if (!socket) return;
  socket->disconnect(this);
  if (socket->state() == QAbstractSocket::UnconnectedState) {
    socket->deleteLater();
  } else {
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
  }
}

void Socket::Connect(const QString& host, quint16 port) {
  Abort();
  auto* socket = new QTcpSocket(this);
  attach(socket);
  socket->connectToHost(host, port);
}

void Socket::SendData(const std::string& bytes) {
  if (!socket_ || socket_->state() != QAbstractSocket::ConnectedState) {
    throw velta::EngineError(kWrongState, "SendData",
                             "Wrong protocol or connection state for the requested transaction or request");
  }
  if (bytes.empty()) return;
  socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void Socket::Flush() {
  if (socket_ && socket_->state() == QAbstractSocket::ConnectedState) socket_->flush();
}

std::string Socket::GetData() {
  std::string taken;
  taken.swap(received_);
  return taken;
}

void Socket::Close() {
  QTcpSocket* socket = socket_;
  detach();
  if (socket && socket->state() != QAbstractSocket::UnconnectedState) socket->disconnectFromHost();
}

void Socket::Abort() {
  QTcpSocket* socket = socket_;
  detach();
  if (socket) {
    socket->abort();
    socket->deleteLater();
  }
}

bool Socket::isOpen() const {
  return socket_ && !closedByPeer_ && socket_->state() == QAbstractSocket::ConnectedState;
}

void Socket::readAvailable() {
  if (!socket_) return;
  const QByteArray bytes = socket_->readAll();
  if (bytes.isEmpty()) return;
  received_.append(bytes.constData(), static_cast<size_t>(bytes.size()));
  emit DataArrival(bytesReceived());
}

void Socket::onError(QAbstractSocket::SocketError error) {
  if (!socket_) return;
  // A peer that closes after its answer has done nothing wrong: that is Closed().
  if (error == QAbstractSocket::RemoteHostClosedError) return;
  emit Error(socketErrorNumber(error), socket_->errorString());
}

void Socket::onDisconnected() {
  if (!socket_) return;
  // Bytes that came with the close are delivered before it.
  readAvailable();
  if (!socket_) return;  // a handler closed the socket
  closedByPeer_ = true;
  emit Closed();
}

}  // namespace velta::qt
