// The credentials file of an smb:// share: the format mount.cifs reads.
//
//   username=clerk          (or user=)
//   password=s3cret=x       (or pass=; the value is everything after the first "=")
//   domain=SHOP             (or workgroup=)
//
// Keys compare without regard to letter case and may have blanks before them;
// a line may end in CR; "#" begins a comment line; other lines are ignored.
// A later line of the same key wins. The file holds a password, so one that its
// group or others may read or write is refused, as is one that names no user.
//
//   const auto read = readSmbCredentialsFile("/home/me/.srv.cred");
//   if (!read.credentials) notify({"credentials: " + read.problem, ...});
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velta {

struct SmbCredentials {
  std::string username;
  std::string password;
  std::string domain;  // empty: the client's own workgroup
};

struct SmbCredentialsReading {
  std::optional<SmbCredentials> credentials;
  std::string problem;  // why there are none; never holds a value of the file
};

// The longest value libsmbclient takes for a user, a password or a domain.
inline constexpr std::size_t kMaxCredentialLength = 256 - 1;  // its buffers hold 256 bytes with the NUL
// A credentials file is a few lines; anything larger is not one.
inline constexpr std::size_t kMaxCredentialsFileSize = 64 * 1024;

// Reads the text of a credentials file.
SmbCredentialsReading parseSmbCredentials(std::string_view text);

// Reads a credentials file, refusing one that its group or others may read or write.
SmbCredentialsReading readSmbCredentialsFile(const std::string& path);

}  // namespace velta
