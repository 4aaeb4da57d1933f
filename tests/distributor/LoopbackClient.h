// A plain TCP client on 127.0.0.1 for the simulator's tests: it sends bytes
// and keeps every arrival apart, so that a test sees what came and how.
//
//   LoopbackClient client(port);
//   client.send(lengthLine(message) + message);
//   std::string answer = client.readToEnd();     // until the simulator closes
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace velta::test {

class LoopbackClient {
 public:
  explicit LoopbackClient(int port);
  ~LoopbackClient();
  LoopbackClient(const LoopbackClient&) = delete;
  LoopbackClient& operator=(const LoopbackClient&) = delete;

  void send(std::string_view bytes);
  // No more to send: the sending side is shut, the connection stays open for the answer.
  void shutdownSending();
  // Every byte until the other side closes (or a reset; see reset()), within the guard time.
  std::string readToEnd();
  // Whatever arrives within `wait`; empty when nothing does.
  std::string readFor(std::chrono::milliseconds wait);
  // The pieces readToEnd() or readFor() received, one per read.
  const std::vector<std::string>& arrivals() const { return arrivals_; }
  // Whether the end came as a reset rather than a close.
  bool reset() const { return reset_; }
  // Whether the other side has closed (readToEnd() saw the end).
  bool closed() const { return closed_; }

  static constexpr std::chrono::seconds kGuard{20};

 private:
  bool readOnce(std::chrono::milliseconds wait, std::string& into);

  int fd_ = -1;
  std::vector<std::string> arrivals_;
  bool reset_ = false;
  bool closed_ = false;
};

}  // namespace velta::test
