// A share reached straight over SMB with libsmbclient.
//
// A share-map line \\SRV\DATA = smb://HOST[:PORT]/DATA [credentials=FILE]
// [timeout=SECONDS] gives one SmbShare: one libsmbclient context (SmbContext.h),
// made once and used by every lookup and every file opened through it.
//
// Batches of reads (platform/BatchRead.h) are shared out over the share's
// own connection and up to connections= - 1 more (SmbReadPool.h), made when a
// batch first needs them and closed with the share.
//
// A server that cannot be reached, refuses the logon or does not answer within
// the timeout is, to the engine, a share that cannot be reached: kind() is
// None, so files are "no file". Why is said once through the notice callback,
// naming the share and never the password; it is said again only after the
// share was reached in between. A credentials file that cannot be used (see
// SmbCredentials.h) makes the share unreachable in the same way. Failures of
// an open file throw EngineError with the file-system numbers: 70 "Permission
// denied" (also a write to a file of a read-only share), 53 "File not found",
// 76 "Path not found", 75 "Path/File access error", else 57 "Device I/O error";
// the description ends in the file's UNC path.
//
//   auto share = makeSmbShare(target, "\\\\SRV\\DATA");
//   auto file = share->open("D1/VNDRDI", "\\\\SRV\\DATA\\D1\\VNDRDI");
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ShareBackend.h"
#include "platform/ShareMap.h"

namespace velta {

class SmbShare : public ShareBackend {
 public:
  // `name` (\\SERVER\SHARE) names the share in notices.
  SmbShare(const ShareTarget& target, std::string name);
  ~SmbShare() override;

  EntryKind kind(const std::string& relativePath) override;
  std::vector<DirEntry> list(const std::string& relativeDirectory) override;
  std::unique_ptr<ShareFile> open(const std::string& relativePath, const std::string& uncPath) override;
  std::string describe() const override;

  // Read calls made to libsmbclient so far, by lookups and files alike, on
  // every connection (for the benchmarks).
  uint64_t readCalls() const;
  // Connections made by the pool that serves batches of reads, beside the share's own.
  int poolConnections() const;

  struct Connection;

 private:
  std::shared_ptr<Connection> connection_;  // shared with the open files, which may outlive the share
};

// The backend for an smb:// line of the share map; `name` (\\SERVER\SHARE) names it in notices.
std::unique_ptr<ShareBackend> makeSmbShare(const ShareTarget& target, const std::string& name);

}  // namespace velta
