// The simulator's three ports and the poll loop that serves them: one thread,
// no call that blocks. Each accepted connection is a Connection; at most
// kMaxConnections are open at once. While that many are, the listening
// sockets are left alone: new connections wait in the system's listen queue
// (kBacklog a port; beyond it the system leaves their connection attempts
// unanswered) and are accepted as open ones end. Closing them at once instead
// would leave a workstation that had sent its request unable to tell whether
// it was read.
//
//   Server server(options, distributor, log);
//   server.listen();                      // std::runtime_error when a port cannot be had
//   server.ports();                       // {order, status, inquiry}, the free ones picked
//   server.run(stopFd);                   // until stopFd can be read (the signal pipe)
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "tools/velta-distributor/Connection.h"
#include "tools/velta-distributor/Options.h"

namespace velta::distributor {

class Server {
 public:
  static constexpr std::size_t kMaxConnections = 32;
  static constexpr int kBacklog = 64;

  Server(const Options& options, Distributor& distributor, Connection::Log log);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  void listen();
  std::array<int, 3> ports() const { return ports_; }
  void run(int stopFd);

 private:
  void acceptAll(Service service, TimePoint now);
  bool full() const { return connections_.size() >= kMaxConnections; }

  const Options& options_;
  Distributor& distributor_;
  Connection::Log log_;
  std::array<int, 3> listeners_{-1, -1, -1};
  std::array<int, 3> ports_{};
  std::vector<std::unique_ptr<Connection>> connections_;
};

}  // namespace velta::distributor
