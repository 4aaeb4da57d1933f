// A TCP server on 127.0.0.1 that takes connections and never says a word:
// the kernel completes every handshake on its listening socket, and nothing
// ever reads or answers. For tests of what a client does when a server hangs.
//
//   SilentServer silent;
//   ... smb://127.0.0.1:<silent.port()>/SHARE ...   // every request waits for its deadline
#pragma once

namespace velta::test {

class SilentServer {
 public:
  SilentServer();
  ~SilentServer();
  SilentServer(const SilentServer&) = delete;
  SilentServer& operator=(const SilentServer&) = delete;

  int port() const { return port_; }

 private:
  int socket_ = -1;
  int port_ = 0;
};

}  // namespace velta::test
