// A private Samba server for one test: smbd on 127.0.0.1, on a free port, with
// its configuration, state and log folders in a temporary folder of its own.
//
// It serves three shares:
//   PUBLIC  guest access, read and write     publicDir()
//   LOCKED  only kUser with kPassword        lockedDir()
//   RDONLY  guest access, reading only       readOnlyDir()
//   EXACT   guest access, read and write, names matched with regard to letter
//           case (as a Samba server may be set up)   exactCaseDir()
// and any folders the test names (guest access, read and write, as PUBLIC);
// it stops (SIGTERM, then waits) when it goes out of scope, also when the test
// fails. smbd needs root here; a test without it is skipped:
//
//   if (auto why = SambaServer::unavailable()) GTEST_SKIP() << *why;
//   SambaServer samba;
//   std::ofstream(samba.publicDir() / "X") << "bytes";
//   ... smb://127.0.0.1:<samba.port()>/PUBLIC/X ...
//
// Two habits of smbd in the foreground are met here: it ends when its standard
// input reaches its end, so it reads a pipe that stays open for its lifetime
// (which also ends it when the test program dies); and it signals its whole
// process group as it exits, so it runs in a session of its own.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace velta::test {

class SambaServer {
 public:
  static constexpr const char* kUser = "root";
  static constexpr const char* kPassword = "Velta-s3cret-pw";

  // Why the Samba tests cannot run here (not root, no smbd), or nothing.
  static std::optional<std::string> unavailable();

  struct Share {
    std::string name;
    std::filesystem::path path;
  };

  // Starts smbd and waits until it accepts connections; throws with its log when it does not.
  explicit SambaServer(std::vector<Share> moreShares = {});
  ~SambaServer();
  SambaServer(const SambaServer&) = delete;
  SambaServer& operator=(const SambaServer&) = delete;

  int port() const { return port_; }
  // smb://127.0.0.1:<port>/<share>
  std::string url(const std::string& share) const;
  std::filesystem::path publicDir() const { return dir_.path() / "shares" / "public"; }
  std::filesystem::path lockedDir() const { return dir_.path() / "shares" / "locked"; }
  std::filesystem::path readOnlyDir() const { return dir_.path() / "shares" / "readonly"; }
  std::filesystem::path exactCaseDir() const { return dir_.path() / "shares" / "exact"; }
  // A folder beside the server's, for the test's own files (share maps, credentials).
  std::filesystem::path scratchDir() const { return dir_.path() / "scratch"; }

  // Ends the server and every connection it serves (SIGTERM to its session, then waits).
  void stop();
  // Freezes the server and its connections (SIGSTOP), so that it answers nothing; and thaws it.
  void freeze();
  void thaw();

  // smbd's own logs, for the message of a failed start.
  std::string logs() const;

 private:
  void writeConfiguration() const;
  void addUser() const;
  bool start();  // false when smbd did not come up on the chosen port
  bool waitUntilListening();

  TempDir dir_;
  std::vector<Share> moreShares_;
  int port_ = 0;
  pid_t pid_ = -1;
  int stdinWriter_ = -1;  // smbd's standard input stays open while this does
  bool frozen_ = false;
};

// A TCP port on 127.0.0.1 that nothing listens on just now.
int freeLoopbackPort();

}  // namespace velta::test
