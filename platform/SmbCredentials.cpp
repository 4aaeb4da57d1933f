#include "platform/SmbCredentials.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/TextUtilities.h"

namespace velta {

namespace {

using Field = std::string SmbCredentials::*;

// Which field a key names, or nothing.
Field fieldOf(std::string_view key) {
  const std::string k = lowerAscii(key);
  if (k == "username" || k == "user") return &SmbCredentials::username;
  if (k == "password" || k == "pass") return &SmbCredentials::password;
  if (k == "domain" || k == "workgroup") return &SmbCredentials::domain;
  return nullptr;
}

SmbCredentialsReading refused(std::string problem) { return {std::nullopt, std::move(problem)}; }

std::string unreadable(int error) { return std::string("it cannot be read (") + std::strerror(error) + ")"; }

std::string tooLarge() { return "it is larger than " + std::to_string(kMaxCredentialsFileSize / 1024) + " KiB"; }

// Why a file of this kind and mode may not hold a password; empty when it may.
std::string unfitFile(const struct stat& st) {
  if (!S_ISREG(st.st_mode)) return "it is not a regular file";
  if (st.st_mode & (S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH)) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
    return std::string("its group or others may read or write it (mode ") + mode +
           "); a file holding a password must be private to its owner (chmod 600)";
  }
  if (static_cast<uint64_t>(st.st_size) > kMaxCredentialsFileSize) return tooLarge();
  return {};
}

// Up to kMaxCredentialsFileSize + 1 bytes of an open file, or why not.
std::string readSome(int fd, std::string& text) {
  text.resize(kMaxCredentialsFileSize + 1);
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::read(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return unreadable(errno);
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  text.resize(done);
  return done > kMaxCredentialsFileSize ? tooLarge() : std::string();
}

}  // namespace

SmbCredentialsReading parseSmbCredentials(std::string_view text) {
  SmbCredentials out;
  int lineNumber = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    std::string_view key = line.substr(0, eq);
    while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.remove_suffix(1);
    const Field field = fieldOf(key);
    if (!field) continue;
    const std::string_view value = line.substr(eq + 1);
    const std::string where = "line " + std::to_string(lineNumber) + ": the value of " + lowerAscii(key);
    if (value.find('\0') != std::string_view::npos) return refused(where + " holds a NUL byte");
    if (value.size() > kMaxCredentialLength) {
      return refused(where + " is longer than " + std::to_string(kMaxCredentialLength) + " bytes");
    }
    out.*field = std::string(value);
  }
  if (out.username.empty()) return refused("it names no user (username=NAME)");
  return {std::move(out), {}};
}

SmbCredentialsReading readSmbCredentialsFile(const std::string& path) {
  // The checks look at the opened file itself, so that it cannot be swapped in between;
  // O_NONBLOCK keeps a FIFO put in its place from blocking the open.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return refused(unreadable(errno));
  struct stat st {};
  std::string text;
  std::string problem = ::fstat(fd, &st) != 0 ? unreadable(errno) : unfitFile(st);
  if (problem.empty()) problem = readSome(fd, text);
  ::close(fd);
  if (!problem.empty()) return refused(std::move(problem));
  return parseSmbCredentials(text);
}

}  // namespace velta
