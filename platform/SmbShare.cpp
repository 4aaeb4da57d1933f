#include "platform/SmbShare.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "base/EngineError.h"
#include "base/Notice.h"
#include "platform/FullTransfer.h"
#include "platform/SmbContext.h"
#include "platform/SmbCredentials.h"

namespace velta {

namespace {

constexpr int kDefaultSmbPort = 445;

// Failures that concern one file or folder; every other failure concerns the
// connection to the server.
bool concernsTheFile(int error) {
  switch (error) {
    case ENOENT: case ENOTDIR: case EISDIR: case EACCES: case EPERM: case EROFS: case EEXIST:
    case EINVAL: case ENAMETOOLONG: case EBUSY: case ETXTBSY: case ENOSPC: case EFBIG: case EDQUOT:
      return true;
    default:
      return false;
  }
}

// The runtime's number for a failure of the file system.
int runtimeNumber(int error) {
  switch (error) {
    case EACCES: case EPERM: case EROFS: return err::PermissionDenied;
    case ENOENT: return err::FileNotFound;
    case ENOTDIR: return err::PathNotFound;
    case EBUSY: case ETXTBSY: case EISDIR: case EEXIST: return err::PathFileAccessError;
    default: return err::DeviceIoError;
  }
}

int lastError() { return errno ? errno : EIO; }

}  // namespace

struct SmbShare::Connection {
  Connection(const ShareTarget& target, std::string shareName) : name(std::move(shareName)), where(target.describe()) {
    std::optional<SmbCredentials> credentials;
    if (!target.credentialsFile.empty()) {
      auto reading = readSmbCredentialsFile(target.credentialsFile);
      if (!reading.credentials) {
        report("the credentials file " + target.credentialsFile + " is refused: " + reading.problem);
        return;
      }
      credentials = std::move(reading.credentials);
    }
    context.emplace(target, std::move(credentials));
  }

  // Says once why the share cannot be reached.
  void report(const std::string& reason) {
    if (reported) return;
    reported = true;
    notify({name + " (" + where + ") cannot be reached: " + reason + ".", "Share access", Notice::Icon::Critical, false, true});
  }
  void reportFailure(int error, bool atRoot) {
    if (atRoot || !concernsTheFile(error)) report(reasonFor(error, atRoot));
  }
  void reached() { reported = false; }

  std::string reasonFor(int error, bool atRoot) const {
    const ShareTarget& t = context->target();
    switch (error) {
      case ETIMEDOUT:
        return "the server did not answer within " + std::to_string(t.timeoutSeconds) +
               (t.timeoutSeconds == 1 ? " second" : " seconds");
      case ECONNREFUSED:
        return "the server refuses connections on port " + std::to_string(t.port ? t.port : kDefaultSmbPort);
      case ECONNABORTED:
      case ECONNRESET:
      case ENETRESET:  // what libsmbclient says of a server that stopped mid-read, now and then
      case EPIPE:
      case ENOTCONN:
        return "the server closed the connection";
      case EACCES:
      case EPERM:
        if (!atRoot) break;
        return context->user().empty()
                   ? "the server refuses guest and anonymous access to the share"
                   : "the server refuses the logon of user \"" + context->user() +
                         "\" (a wrong password, or the user may not use the share)";
      case ENOENT:
      case ENOTDIR:
        if (!atRoot) break;
        return "the server has no share \"" + t.share + "\"";
      default:
        break;
    }
    return std::string("the connection to the server failed (") + std::strerror(error) + ")";
  }

  std::string name;   // \\SERVER\SHARE
  std::string where;  // smb://host[:port]/share
  std::optional<SmbContext> context;  // none when the credentials were refused
  bool reported = false;
};

namespace {

class SmbFile : public ShareFile {
 public:
  SmbFile(std::shared_ptr<SmbShare::Connection> connection, SMBCFILE* file, bool readOnly, std::string uncPath)
      : connection_(std::move(connection)), file_(file), readOnly_(readOnly), path_(std::move(uncPath)) {}
  ~SmbFile() override { connection_->context->close(file_); }
  SmbFile(const SmbFile&) = delete;
  SmbFile& operator=(const SmbFile&) = delete;

  std::size_t readAt(uint64_t offset, char* buffer, std::size_t length) override {
    return readFully(length, [&](std::size_t done) {
      const ssize_t n = connection_->context->readAt(file_, offset + done, buffer + done, length - done);
      if (n < 0) fail(lastError(), "ReadFile");
      return static_cast<std::size_t>(n);
    });
  }

  void writeAt(uint64_t offset, const char* data, std::size_t length) override {
    if (readOnly_) throw EngineError::fileSystem(err::PermissionDenied, "WriteFile", path_);
    writeFully(length, [&](std::size_t done) {
      errno = 0;
      const ssize_t n = connection_->context->writeAt(file_, offset + done, data + done, length - done);
      if (n <= 0) fail(lastError(), "WriteFile");
      return static_cast<std::size_t>(n);
    });
  }

  uint64_t size() override {
    struct stat st {};
    if (connection_->context->fstat(file_, st) != 0) fail(lastError(), "FileLen");
    return static_cast<uint64_t>(st.st_size);
  }

  bool readOnly() const override { return readOnly_; }
  const std::string& path() const override { return path_; }

 private:
  [[noreturn]] void fail(int error, const char* source) {
    connection_->reportFailure(error, false);
    throw EngineError::fileSystem(runtimeNumber(error), source, path_);
  }

  std::shared_ptr<SmbShare::Connection> connection_;
  SMBCFILE* file_;
  bool readOnly_;
  std::string path_;
};

}  // namespace

SmbShare::SmbShare(const ShareTarget& target, std::string name)
    : connection_(std::make_shared<Connection>(target, std::move(name))) {}

SmbShare::~SmbShare() = default;

EntryKind SmbShare::kind(const std::string& relativePath) {
  if (!connection_->context) return EntryKind::None;
  struct stat st {};
  const bool atRoot = relativePath.empty();
  if (connection_->context->stat(relativePath, st) != 0) {
    connection_->reportFailure(lastError(), atRoot);
    return EntryKind::None;
  }
  if (atRoot) connection_->reached();
  if (S_ISDIR(st.st_mode)) return EntryKind::Directory;
  if (S_ISREG(st.st_mode)) return EntryKind::File;
  return EntryKind::None;
}

std::vector<DirEntry> SmbShare::list(const std::string& relativeDirectory) {
  if (!connection_->context) return {};
  auto entries = connection_->context->list(relativeDirectory);
  if (!entries) {
    connection_->reportFailure(lastError(), relativeDirectory.empty());
    return {};
  }
  return std::move(*entries);
}

std::unique_ptr<ShareFile> SmbShare::open(const std::string& relativePath, const std::string& uncPath) {
  if (!connection_->context) return nullptr;
  SmbContext& smb = *connection_->context;
  bool readOnly = false;
  SMBCFILE* file = smb.open(relativePath, O_RDWR);
  if (!file && (errno == EACCES || errno == EPERM || errno == EROFS)) {
    file = smb.open(relativePath, O_RDONLY);
    readOnly = true;
  }
  if (!file) {
    connection_->reportFailure(lastError(), false);
    return nullptr;
  }
  return std::make_unique<SmbFile>(connection_, file, readOnly, uncPath);
}

std::string SmbShare::describe() const { return connection_->where; }

uint64_t SmbShare::readCalls() const { return connection_->context ? connection_->context->readCalls() : 0; }

std::unique_ptr<ShareBackend> makeSmbShare(const ShareTarget& target, const std::string& name) {
  return std::make_unique<SmbShare>(target, name);
}

}  // namespace velta
