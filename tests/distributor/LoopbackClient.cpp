#include "LoopbackClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace velta::test {

LoopbackClient::LoopbackClient(int port) {
  fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  if (fd_ < 0 || ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    throw std::runtime_error("cannot connect to 127.0.0.1:" + std::to_string(port));
  }
}

LoopbackClient::~LoopbackClient() {
  if (fd_ >= 0) ::close(fd_);
}

void LoopbackClient::send(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw std::runtime_error("send failed");
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void LoopbackClient::shutdownSending() { ::shutdown(fd_, SHUT_WR); }

bool LoopbackClient::readOnce(std::chrono::milliseconds wait, std::string& into) {
  pollfd p{fd_, POLLIN, 0};
  if (::poll(&p, 1, static_cast<int>(wait.count())) <= 0) return false;
  char buffer[65536];
  const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
  if (n < 0) {
    reset_ = errno == ECONNRESET;
    closed_ = true;
    return false;
  }
  if (n == 0) {
    closed_ = true;
    return false;
  }
  arrivals_.emplace_back(buffer, static_cast<std::size_t>(n));
  into.append(buffer, static_cast<std::size_t>(n));
  return true;
}

std::string LoopbackClient::readToEnd() {
  std::string all;
  const auto until = std::chrono::steady_clock::now() + kGuard;
  while (!closed_ && std::chrono::steady_clock::now() < until) {
    readOnce(std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()), all);
  }
  return all;
}

std::string LoopbackClient::readFor(std::chrono::milliseconds wait) {
  std::string all;
  const auto until = std::chrono::steady_clock::now() + wait;
  while (!closed_) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !readOnce(left, all)) break;
  }
  return all;
}

}  // namespace velta::test
