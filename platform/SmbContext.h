// One libsmbclient context for one SMB share, made once and reused for every
// call to that share. A context is used by one thread at a time; several
// contexts may work on several threads at once.
//
// It holds the share's address, its credentials and its deadline: a call that
// the server does not answer fails within the share map's timeout= (ETIMEDOUT)
// instead of hanging. The calls mirror POSIX: -1 or nullptr with the reason in
// errno. Without credentials it logs on as guest, and falls back to an
// anonymous session; with credentials it never falls back, so that a wrong
// password is a logon failure (EACCES) rather than a quiet guest session.
// libsmbclient's own logging is switched off, so nothing it knows (a password
// among it) reaches standard output, standard error or a log file.
//
//   SmbContext smb(target, credentials);
//   SMBCFILE* file = smb.open("D1/VNDRDI", O_RDWR);
//   ssize_t n = smb.readAt(file, 512, buffer, 512);   // one read call to the server
//   smb.close(file);
#pragma once

#include <libsmbclient.h>
#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ShareBackend.h"
#include "platform/ShareMap.h"
#include "platform/SmbCredentials.h"

namespace velta {

class SmbContext {
 public:
  SmbContext(const ShareTarget& target, std::optional<SmbCredentials> credentials);
  ~SmbContext();
  SmbContext(const SmbContext&) = delete;
  SmbContext& operator=(const SmbContext&) = delete;

  // smb://host[:port]/share/relative/path with every name percent-encoded.
  std::string url(std::string_view relativePath) const;

  int stat(std::string_view relativePath, struct stat& st);
  SMBCFILE* open(std::string_view relativePath, int flags);
  // One positioned read: one seek (answered locally) and one read call to the server.
  // The bytes read, 0 at the end of the file, -1 on failure.
  ssize_t readAt(SMBCFILE* file, uint64_t offset, char* buffer, std::size_t length);
  ssize_t writeAt(SMBCFILE* file, uint64_t offset, const char* data, std::size_t length);
  int fstat(SMBCFILE* file, struct stat& st);
  void close(SMBCFILE* file);
  // The entries of a directory without "." and "..", or nothing (errno says why).
  std::optional<std::vector<DirEntry>> list(std::string_view relativeDirectory);

  // Read calls made to libsmbclient through this context so far.
  uint64_t readCalls() const { return readCalls_; }
  const ShareTarget& target() const { return target_; }
  // The user that logs on, empty for guest or anonymous.
  std::string user() const { return credentials_ ? credentials_->username : std::string(); }

 private:
  static void authenticate(SMBCCTX* context, const char* server, const char* share, char* workgroup,
                           int workgroupLength, char* user, int userLength, char* password, int passwordLength);
  bool usable();

  ShareTarget target_;
  std::optional<SmbCredentials> credentials_;
  SMBCCTX* context_ = nullptr;
  int initError_ = 0;  // why the context could not be made, when it could not
  uint64_t readCalls_ = 0;
};

}  // namespace velta
