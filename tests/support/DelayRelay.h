// A TCP relay on 127.0.0.1 that holds every chunk for a set delay in each
// direction, as a wide-area link does, and counts the SMB requests that pass
// towards the server.
//
// Every connection made to port() is joined to a new connection to the target
// port; what one side sends reaches the other `oneWayDelay` later, in the same
// chunks, without limiting how much is under way (a link's latency, not its
// bandwidth). Requests are counted as the SMB transport frames them: a 4-byte
// header (type 0 and a 24-bit length) before each message, so a compound of
// several commands counts once, as it costs one round trip.
//
//   SambaServer samba;
//   DelayRelay relay(samba.port(), std::chrono::microseconds(2500));   // 5 ms round trip
//   ... smb://127.0.0.1:<relay.port()>/PUBLIC/X ...
//   relay.smbRequests();
//
// The round trip a relay really gives (thread wake-ups add to the delay) is
// measured against an echo server behind a relay of the same delay:
//
//   EchoServer echo;
//   DelayRelay echoRelay(echo.port(), delay);
//   double seconds = echoRelay.measureRoundTrip(20);
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace velta::test {

class DelayRelay {
 public:
  DelayRelay(int targetPort, std::chrono::microseconds oneWayDelay);
  ~DelayRelay();
  DelayRelay(const DelayRelay&) = delete;
  DelayRelay& operator=(const DelayRelay&) = delete;

  int port() const { return port_; }

  // SMB transport messages from clients to the target, and connections made, since start or reset.
  uint64_t smbRequests() const { return requests_.load(); }
  uint64_t connections() const { return connections_.load(); }
  void resetCounts();

  // The median of `samples` one-byte round trips through the relay; the target must echo.
  double measureRoundTrip(int samples);

 private:
  class Pipe;
  void acceptLoop();

  int port_ = 0;
  int listener_ = -1;
  int targetPort_;
  std::chrono::microseconds delay_;
  std::atomic<bool> stopping_{false};
  std::atomic<uint64_t> requests_{0};
  std::atomic<uint64_t> connections_{0};
  std::mutex mutex_;
  std::vector<std::unique_ptr<Pipe>> pipes_;
  std::thread acceptor_;
};

// Sends back whatever it receives, on 127.0.0.1, until it goes out of scope.
class EchoServer {
 public:
  EchoServer();
  ~EchoServer();
  EchoServer(const EchoServer&) = delete;
  EchoServer& operator=(const EchoServer&) = delete;
  int port() const { return port_; }

 private:
  int port_ = 0;
  int listener_ = -1;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::vector<int> clients_;
  std::vector<std::thread> threads_;
  std::thread acceptor_;
};

}  // namespace velta::test
