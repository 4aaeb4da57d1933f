// The share map: where each \\SERVER\SHARE of the business system lives.
//
// A text file, one share a line; "#" begins a comment line; blank lines are
// skipped. Server and share names compare without regard to letter case.
//
//   # a CIFS mount, or any folder (relative folders are read from the map's folder)
//   \\SRV\HBTSLNK = /mnt/srv/hbtslnk
//   # straight to an SMB server; anonymous without a credentials file
//   \\SRV\CATCON  = smb://fileserver.local/CATCON
//   \\SRV2\DATA   = smb://10.0.0.5:4450/DATA credentials=/home/me/.srv2.cred timeout=3
//
// An smb:// address is smb://HOST[:PORT]/SHARE: HOST a name or an address (an
// IPv6 address in brackets), SHARE with %XX escapes for what a line cannot
// hold (%20 for a blank). It may not hold a user or a password: those go in a
// credentials file, so that no message naming the address can show them; for
// the same reason a refused option is named by its key alone.
// Options of an smb:// line: credentials=FILE (a mount.cifs credentials file),
// timeout=SECONDS (1 to 3600, default 5): how long an unanswered server may
// keep an operation waiting; connections=N (1 to 32, default 8): how many
// connections to the server may serve one batch of reads at once
// (SmbReadPool.h). A line that cannot be read is skipped and reported in
// problems(); the first line of a share wins.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velta {

inline constexpr int kDefaultSmbConnections = 8;
inline constexpr int kMaxSmbConnections = 32;

struct ShareTarget {
  enum class Kind { Local, Smb };
  Kind kind = Kind::Local;
  std::string localDirectory;        // Local
  std::string host;                  // Smb
  int port = 0;                      // Smb; 0 for the default port
  std::string share;                 // Smb
  std::string credentialsFile;       // Smb; empty for anonymous or guest
  int timeoutSeconds = 5;            // Smb
  int connections = kDefaultSmbConnections;  // Smb: at most this many at once, the first one included

  // "smb://host[:port]/share" or the local directory, for messages.
  std::string describe() const;
};

struct ShareMapEntry {
  std::string server;
  std::string share;
  ShareTarget target;
  int line = 0;
};

class ShareMap {
 public:
  ShareMap() = default;

  // Reads map text; `origin` names it in problems, `baseDirectory` anchors relative paths.
  static ShareMap parse(std::string_view text, std::string origin, std::string baseDirectory);

  // The entry for \\server\share, or nullptr.
  const ShareMapEntry* find(std::string_view server, std::string_view share) const;

  const std::vector<ShareMapEntry>& entries() const { return entries_; }
  // One line per line of the map that was skipped, naming the file and the line.
  const std::vector<std::string>& problems() const { return problems_; }
  const std::string& origin() const { return origin_; }

 private:
  std::vector<ShareMapEntry> entries_;
  std::vector<std::string> problems_;
  std::string origin_;
};

// Reads an smb:// target with its options ("smb://host:445/SHARE credentials=F timeout=3");
// nothing, with `problem` set, when it is not one.
std::optional<ShareTarget> parseSmbTarget(std::string_view text, std::string_view baseDirectory,
                                          std::string& problem);

}  // namespace velta
