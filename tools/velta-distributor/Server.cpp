#include "tools/velta-distributor/Server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace velta::distributor {

namespace {

std::string systemError() { return std::strerror(errno); }

// A bound, listening, non-blocking socket on `address`:`port`, and the port it got.
std::pair<int, int> listenOn(const std::string& address, int port, Service service) {
  sockaddr_storage storage{};
  socklen_t length = 0;
  auto* v4 = reinterpret_cast<sockaddr_in*>(&storage);
  auto* v6 = reinterpret_cast<sockaddr_in6*>(&storage);
  if (inet_pton(AF_INET, address.c_str(), &v4->sin_addr) == 1) {
    v4->sin_family = AF_INET;
    v4->sin_port = htons(static_cast<uint16_t>(port));
    length = sizeof *v4;
  } else if (inet_pton(AF_INET6, address.c_str(), &v6->sin6_addr) == 1) {
    v6->sin6_family = AF_INET6;
    v6->sin6_port = htons(static_cast<uint16_t>(port));
    length = sizeof *v6;
  } else {
    throw std::runtime_error("\"" + address + "\" is not an address to listen on");
  }
  const std::string where = "cannot listen on " + address + ":" + std::to_string(port) + " for the " +
                            std::string(serviceName(service)) + " service: ";
  const int fd = ::socket(storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error(where + systemError());
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&storage), length) != 0 || ::listen(fd, Server::kBacklog) != 0) {
    const std::string why = systemError();
    ::close(fd);
    throw std::runtime_error(where + why);
  }
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&storage), &length) != 0) {
    const std::string why = systemError();
    ::close(fd);
    throw std::runtime_error(where + why);
  }
  const int bound = storage.ss_family == AF_INET ? ntohs(v4->sin_port) : ntohs(v6->sin6_port);
  return {fd, bound};
}

std::chrono::milliseconds milliseconds(double seconds) {
  return std::chrono::milliseconds(std::llround(seconds * 1000));
}

int pollTimeout(const std::vector<std::unique_ptr<Connection>>& connections, TimePoint now) {
  std::optional<TimePoint> first;
  for (const auto& c : connections) {
    if (auto d = c->deadline(); d && (!first || *d < *first)) first = d;
  }
  if (!first) return -1;
  if (*first <= now) return 0;
  // Rounded up: waking a little early would only poll again at once.
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*first - now).count();
  return static_cast<int>(std::min<long long>(wait, 60'000));
}

}  // namespace

Server::Server(const Options& options, Distributor& distributor, Connection::Log log)
    : options_(options), distributor_(distributor), log_(std::move(log)) {}

Server::~Server() {
  connections_.clear();
  for (int fd : listeners_) {
    if (fd >= 0) ::close(fd);
  }
}

void Server::listen() {
  for (Service s : kServices) {
    const std::size_t i = serviceIndex(s);
    std::tie(listeners_[i], ports_[i]) = listenOn(options_.listen, options_.ports[i], s);
  }
}

void Server::acceptAll(Service service, TimePoint now) {
  const std::size_t i = serviceIndex(service);
  const FaultSet& faults = options_.faults[i];
  while (!full()) {
    const int fd = ::accept4(listeners_[i], nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR) continue;
      // EAGAIN: all taken. Anything else (a connection reset before it was
      // taken, no file descriptors left) ends this round; the next poll tries again.
      return;
    }
    const std::string port(serviceName(service));
    if (faults.refuse) {
      ::close(fd);
      log_(port + ": connection closed at once [fault refuse]");
      continue;
    }
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);  // each piece of pieces=N goes out on its own
    const Connection::Timeouts timeouts{milliseconds(options_.idleSeconds), milliseconds(options_.requestSeconds)};
    connections_.push_back(std::make_unique<Connection>(fd, service, faults, distributor_, timeouts, log_, now));
    if (full()) {
      log_(std::to_string(kMaxConnections) + " connections are open; no more are accepted until one of them ends");
    }
  }
}

void Server::run(int stopFd) {
  std::vector<pollfd> polled;
  std::vector<Connection*> polledConnections;
  while (true) {
    polled.clear();
    polledConnections.clear();
    polled.push_back({stopFd, POLLIN, 0});
    // While full, the listeners are not polled (-1): new connections wait in their queues.
    for (int fd : listeners_) polled.push_back({full() ? -1 : fd, POLLIN, 0});
    for (const auto& c : connections_) {
      if (const short events = c->events()) {
        polled.push_back({c->fd(), events, 0});
        polledConnections.push_back(c.get());
      }
    }
    const int timeout = pollTimeout(connections_, SteadyClock::now());
    if (::poll(polled.data(), polled.size(), timeout) < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error("poll failed: " + systemError());
    }
    const TimePoint now = SteadyClock::now();
    if (polled[0].revents != 0) return;

    for (std::size_t k = 0; k < polledConnections.size(); ++k) {
      const short revents = polled[1 + listeners_.size() + k].revents;
      Connection& c = *polledConnections[k];
      if (revents & (POLLIN | POLLHUP | POLLERR)) c.readable(now);
      if ((revents & (POLLOUT | POLLERR)) && !c.done()) c.writable(now);
    }
    for (const auto& c : connections_) {
      if (auto d = c->deadline(); d && *d <= now && !c->done()) c->deadlinePassed(now);
    }
    std::erase_if(connections_, [](const auto& c) { return c->done(); });
    for (Service s : kServices) {
      if (polled[1 + serviceIndex(s)].revents & POLLIN) acceptAll(s, now);
    }
  }
}

}  // namespace velta::distributor
