#include "support/DelayRelay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <stdexcept>
#include <string>

namespace velta::test {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kChunk = 256 * 1024;
constexpr std::size_t kTransportHeader = 4;  // type, then a 24-bit big-endian length

int listenOnLoopback(int& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("relay: no socket");
  const int one = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 64) != 0) {
    ::close(fd);
    throw std::runtime_error("relay: cannot listen on 127.0.0.1");
  }
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return fd;
}

int withoutDelay(int fd) {
  const int one = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  return fd;
}

int connectToLoopback(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return withoutDelay(fd);
}

bool sendAll(int fd, const char* data, std::size_t length) {
  while (length > 0) {
    const ssize_t n = ::send(fd, data, length, MSG_NOSIGNAL);
    if (n <= 0) return false;
    data += n;
    length -= static_cast<std::size_t>(n);
  }
  return true;
}

// The next connection to the listener; -1 once `stopping` is set.
int acceptOne(int listener, const std::atomic<bool>& stopping) {
  while (!stopping) {
    pollfd p{listener, POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) continue;
    const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd >= 0) return withoutDelay(fd);
  }
  return -1;
}

// Counts transport messages in a byte stream that may split or merge them.
class MessageCounter {
 public:
  uint64_t feed(const char* data, std::size_t length) {
    uint64_t messages = 0;
    std::size_t at = 0;
    while (at < length) {
      if (bodyLeft_ > 0) {
        const std::size_t take = std::min<std::size_t>(bodyLeft_, length - at);
        bodyLeft_ -= take;
        at += take;
        continue;
      }
      header_[headerHave_++] = static_cast<unsigned char>(data[at++]);
      if (headerHave_ < kTransportHeader) continue;
      headerHave_ = 0;
      bodyLeft_ = (std::size_t{header_[1]} << 16) | (std::size_t{header_[2]} << 8) | header_[3];
      if (header_[0] == 0) ++messages;
    }
    return messages;
  }

 private:
  unsigned char header_[kTransportHeader] = {};
  std::size_t headerHave_ = 0;
  std::size_t bodyLeft_ = 0;
};

// One direction of a joined pair: what `from` sends goes to `to` after the delay,
// its transport messages counted in `requests` when given.
class Direction {
 public:
  Direction(int from, int to, std::chrono::microseconds delay, std::atomic<uint64_t>* requests)
      : from_(from), to_(to), delay_(delay), requests_(requests) {
    reader_ = std::thread([this] { read(); });
    writer_ = std::thread([this] { write(); });
  }
  ~Direction() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    ready_.notify_all();
    reader_.join();
    writer_.join();
  }

 private:
  struct Chunk {
    Clock::time_point due;
    std::string bytes;
    bool end = false;
  };

  void push(Chunk chunk) {
    {
      std::lock_guard lock(mutex_);
      queue_.push_back(std::move(chunk));
    }
    ready_.notify_all();
  }

  void read() {
    std::string buffer(kChunk, '\0');
    for (;;) {
      const ssize_t n = ::recv(from_, buffer.data(), buffer.size(), 0);
      if (n <= 0) break;
      if (requests_) *requests_ += counter_.feed(buffer.data(), static_cast<std::size_t>(n));
      push({Clock::now() + delay_, buffer.substr(0, static_cast<std::size_t>(n))});
    }
    push({Clock::now() + delay_, {}, true});
  }

  void write() {
    std::unique_lock lock(mutex_);
    for (;;) {
      ready_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      const Clock::time_point due = queue_.front().due;
      if (ready_.wait_until(lock, due, [&] { return stopping_; })) return;
      Chunk chunk = std::move(queue_.front());
      queue_.pop_front();
      lock.unlock();
      if (chunk.end) {
        ::shutdown(to_, SHUT_WR);
        return;
      }
      if (!sendAll(to_, chunk.bytes.data(), chunk.bytes.size())) {
        ::shutdown(from_, SHUT_RDWR);
        return;
      }
      lock.lock();
    }
  }

  int from_, to_;
  std::chrono::microseconds delay_;
  std::atomic<uint64_t>* requests_;
  MessageCounter counter_;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Chunk> queue_;
  bool stopping_ = false;  // under mutex_
  std::thread reader_, writer_;
};

}  // namespace

// A client joined to its connection to the target, until the relay ends.
class DelayRelay::Pipe {
 public:
  Pipe(int client, int server, std::chrono::microseconds delay, std::atomic<uint64_t>* requests)
      : client_(client),
        server_(server),
        up_(std::make_unique<Direction>(client, server, delay, requests)),
        down_(std::make_unique<Direction>(server, client, delay, nullptr)) {}
  ~Pipe() {
    ::shutdown(client_, SHUT_RDWR);
    ::shutdown(server_, SHUT_RDWR);
    up_.reset();
    down_.reset();
    ::close(client_);
    ::close(server_);
  }

 private:
  int client_, server_;
  std::unique_ptr<Direction> up_, down_;
};

DelayRelay::DelayRelay(int targetPort, std::chrono::microseconds oneWayDelay)
    : targetPort_(targetPort), delay_(oneWayDelay) {
  listener_ = listenOnLoopback(port_);
  acceptor_ = std::thread([this] { acceptLoop(); });
}

DelayRelay::~DelayRelay() {
  stopping_ = true;
  acceptor_.join();
  ::close(listener_);
  std::lock_guard lock(mutex_);
  pipes_.clear();
}

void DelayRelay::acceptLoop() {
  for (;;) {
    const int client = acceptOne(listener_, stopping_);
    if (client < 0) return;
    const int server = connectToLoopback(targetPort_);
    if (server < 0) {
      ::close(client);
      continue;
    }
    ++connections_;
    std::lock_guard lock(mutex_);
    pipes_.push_back(std::make_unique<Pipe>(client, server, delay_, &requests_));
  }
}

void DelayRelay::resetCounts() {
  requests_ = 0;
  connections_ = 0;
}

double DelayRelay::measureRoundTrip(int samples) {
  const int fd = connectToLoopback(port_);
  if (fd < 0) throw std::runtime_error("relay: cannot connect to itself");
  std::vector<double> seconds;
  for (int i = 0; i < samples; ++i) {
    const char byte = 'e';
    const auto start = Clock::now();
    char back = 0;
    if (!sendAll(fd, &byte, 1) || ::recv(fd, &back, 1, MSG_WAITALL) != 1) {
      ::close(fd);
      throw std::runtime_error("relay: the echo does not answer");
    }
    seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
  }
  ::close(fd);
  std::sort(seconds.begin(), seconds.end());
  return seconds.empty() ? 0 : seconds[seconds.size() / 2];
}

EchoServer::EchoServer() {
  listener_ = listenOnLoopback(port_);
  acceptor_ = std::thread([this] {
    for (;;) {
      const int client = acceptOne(listener_, stopping_);
      if (client < 0) return;
      std::lock_guard lock(mutex_);
      clients_.push_back(client);
      threads_.emplace_back([client] {
        char buffer[4096];
        for (;;) {
          const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
          if (n <= 0 || !sendAll(client, buffer, static_cast<std::size_t>(n))) return;
        }
      });
    }
  });
}

EchoServer::~EchoServer() {
  stopping_ = true;
  acceptor_.join();
  ::close(listener_);
  std::lock_guard lock(mutex_);
  for (const int fd : clients_) ::shutdown(fd, SHUT_RDWR);
  for (auto& t : threads_) t.join();
  for (const int fd : clients_) ::close(fd);
}

}  // namespace velta::test
