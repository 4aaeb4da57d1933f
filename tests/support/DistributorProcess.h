// The real velta-distributor, started by a test on free loopback ports and
// stopped by it (SIGTERM, then SIGKILL if it will not end, so that a test
// never leaves one behind).
//
//   DistributorProcess sim({"--catalog", file, "--token-table", table});
//   sim.port(Service::Order);                   // from its "listening" line
//   std::string line = sim.nextLine();          // the log line of the last exchange
//   EXPECT_EQ(sim.stop(SIGTERM), 0);
#pragma once

#include <sys/types.h>

#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "tools/velta-distributor/Faults.h"

namespace velta::test {

class DistributorProcess {
 public:
  // Starts it with `arguments` and "--order-port 0 --status-port 0
  // --inquiry-port 0" and waits for its first line (std::runtime_error when
  // it ends or says nothing within the guard time).
  explicit DistributorProcess(const std::vector<std::string>& arguments);
  ~DistributorProcess();
  DistributorProcess(const DistributorProcess&) = delete;
  DistributorProcess& operator=(const DistributorProcess&) = delete;

  int port(distributor::Service service) const { return ports_[distributor::serviceIndex(service)]; }
  const std::string& listeningLine() const { return listening_; }
  // The next line it prints (without LF); empty when none comes within the guard time.
  std::string nextLine();
  // Sends `signal` and waits for the end: the exit status, or 128 + a signal that ended it.
  int stop(int signal);
  // What it wrote on standard error (after stop()).
  const std::string& errors() const { return err_; }

  static constexpr std::chrono::seconds kGuard{20};  // never reached by a working program

 private:
  bool readMore(std::chrono::steady_clock::time_point until);
  void drainErrors();

  pid_t pid_ = -1;
  int out_ = -1, errFd_ = -1;
  std::string buffered_, err_;
  std::string listening_;
  std::array<int, 3> ports_{};
  int status_ = -1;
};

// Runs velta-distributor with `arguments` to its end (for bad usage and bad
// files): exit status, standard output, standard error.
struct Finished {
  int status = -1;
  std::string out, err;
};
Finished runDistributor(const std::vector<std::string>& arguments);

}  // namespace velta::test
