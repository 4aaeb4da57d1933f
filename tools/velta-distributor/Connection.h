// One connection to one of the simulator's ports: it reads the request, has
// the distributor answer it, and sends the answer as the port's fault modes
// say, then closes. It never blocks: the server's poll loop tells it when its
// socket can be read or written and when its deadline has come.
//
//   Reading   bytes arrive; the idle deadline moves with each arrival, the
//             request's own deadline (from the acceptance) does not
//   Waiting   the request is complete; delay=S runs (or nothing)
//   Writing   the answer goes out, piece after piece (pieces=N: 25 ms apart);
//             a client that takes none of it for the idle timeout is dropped
//   Draining  all of it was sent and the sending side shut: what the client
//             still sends is read and dropped until it closes, for at most
//             kLinger, so that closing never turns into a reset that could
//             destroy an answer the client has not read yet
//   Holding   silent: the request was read and acted on, and is never
//             answered; the connection is held until the client closes it,
//             for at most kSilentHold
//
// Everything is bounded: the request by RequestReader (16 MiB), a client that
// says nothing or reads nothing by the idle timeout, one that sends a little
// now and then by the request timeout, one that will not close by the linger.
// At most one line is logged per connection.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/velta-distributor/Distributor.h"
#include "tools/velta-distributor/Faults.h"
#include "tools/velta-distributor/RequestReader.h"

namespace velta::distributor {

using SteadyClock = std::chrono::steady_clock;
using TimePoint = SteadyClock::time_point;

class Connection {
 public:
  using Log = std::function<void(const std::string&)>;

  // How long a client may keep its slot: at most `idle` between two arrivals
  // of the request and while it takes none of the answer, at most `request`
  // from the acceptance to the request's last byte.
  struct Timeouts {
    std::chrono::milliseconds idle;
    std::chrono::milliseconds request;
  };

  static constexpr std::chrono::seconds kLinger{2};
  static constexpr std::chrono::seconds kSilentHold{600};

  // Takes `fd` (non-blocking, connected) and closes it when done.
  Connection(int fd, Service service, const FaultSet& faults, Distributor& distributor,
             Timeouts timeouts, Log log, TimePoint now);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  int fd() const { return fd_; }
  // The poll events wanted now (POLLIN, POLLOUT), and the next deadline.
  short events() const;
  std::optional<TimePoint> deadline() const;

  void readable(TimePoint now);
  void writable(TimePoint now);
  void deadlinePassed(TimePoint now);

  bool done() const { return phase_ == Phase::Done; }

 private:
  enum class Phase { Reading, Waiting, Writing, Draining, Holding, Done };

  void clientStopped(TimePoint now, const std::string& when);
  void answerRequest(TimePoint now);
  void startWriting(TimePoint now);
  void writePending(TimePoint now);
  void log(const std::string& line);
  void finish();

  int fd_;
  Service service_;
  FaultSet faults_;
  Distributor& distributor_;
  Timeouts timeouts_;
  Log log_;
  Phase phase_ = Phase::Reading;
  TimePoint deadline_;
  TimePoint requestEnds_;  // Reading ends here, however steadily bytes come
  RequestReader reader_;
  Reply reply_;
  std::vector<std::string> pieces_;
  std::size_t nextPiece_ = 0;
  std::string pending_;        // of the current piece, not yet written
  std::size_t pendingFrom_ = 0;
  bool betweenPieces_ = false;
  bool peerClosed_ = false;  // the client sends no more
  bool logged_ = false;
};

}  // namespace velta::distributor
