#include "platform/SmbShare.h"

#include <fcntl.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <optional>
#include <unordered_map>

#include "base/EngineError.h"
#include "base/Notice.h"
#include "platform/BatchRead.h"
#include "platform/FullTransfer.h"
#include "platform/SmbContext.h"
#include "platform/SmbCredentials.h"
#include "platform/SmbReadPool.h"
#include "platform/SmbThreads.h"

namespace velta {

namespace {

constexpr int kDefaultSmbPort = 445;

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
    // The first connection is the share's own; the pool adds the others a batch may use.
    pool.emplace(target, credentials, smbThreadsReady() ? target.connections - 1 : 0);
    context.emplace(target, std::move(credentials));
  }

  // Says once why the share cannot be reached.
  void report(const std::string& reason) {
    if (reported) return;
    reported = true;
    notify({name + " (" + where + ") cannot be reached: " + reason + ".", "Share access", Notice::Icon::Critical, false, true});
  }
  void reportFailure(int error, bool atRoot) {
    if (atRoot || !SmbReadPool::concernsTheFile(error)) report(reasonFor(error, atRoot));
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
  std::optional<SmbReadPool> pool;     // the same
  std::unique_ptr<BatchReader> batches;  // over the context and the pool, for every file of the share
  bool reported = false;
};

namespace {

std::atomic<uint64_t> filesOpened{0};

class SmbFile;

// Serves a batch of reads of the connection's files over the connection and its pool.
class SmbBatchReader : public BatchReader {
 public:
  explicit SmbBatchReader(SmbShare::Connection& connection) : connection_(connection) {}
  void read(std::span<PositionedRead* const> reads) override;

 private:
  SmbShare::Connection& connection_;
};

class SmbFile : public ShareFile {
 public:
  SmbFile(std::shared_ptr<SmbShare::Connection> connection, SMBCFILE* file, bool readOnly, std::string relativePath,
          std::string uncPath)
      : connection_(std::move(connection)),
        file_(file),
        readOnly_(readOnly),
        id_(++filesOpened),
        relativePath_(std::move(relativePath)),
        path_(std::move(uncPath)) {}
  ~SmbFile() override {
    connection_->pool->forget(id_);
    connection_->context->close(file_);
  }
  SmbFile(const SmbFile&) = delete;
  SmbFile& operator=(const SmbFile&) = delete;

  std::size_t readAt(uint64_t offset, char* buffer, std::size_t length) override {
    SmbReadPool::Read read = poolRead(offset, length, buffer);
    if (const int error = readHere(read)) fail(error, "ReadFile");
    return read.got;
  }

  // One read on the share's own connection: 0, or the errno of its failure.
  int readHere(SmbReadPool::Read& read) {
    read.got = 0;
    while (read.got < read.length) {
      errno = 0;
      const ssize_t n = connection_->context->readAt(file_, read.offset + read.got, read.buffer + read.got,
                                                      read.length - read.got);
      if (n < 0) return lastError();
      if (n == 0) break;
      read.got += static_cast<std::size_t>(n);
    }
    return 0;
  }

  SmbReadPool::Read poolRead(uint64_t offset, std::size_t length, char* buffer) const {
    SmbReadPool::Read read;
    read.file = id_;
    read.relativePath = relativePath_;
    read.offset = offset;
    read.length = length;
    read.buffer = buffer;
    return read;
  }

  // A failed read as a read of this file fails: said once, and thrown.
  std::exception_ptr failure(int error) {
    connection_->reportFailure(error, false);
    return std::make_exception_ptr(EngineError::fileSystem(runtimeNumber(error), "ReadFile", path_));
  }

  BatchReader* batchReader() override { return connection_->batches.get(); }

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
  uint64_t id_;
  std::string relativePath_;
  std::string path_;
};

// Every read of the batch is of a file of this connection: only its files name this reader.
void SmbBatchReader::read(std::span<PositionedRead* const> reads) {
  std::vector<SmbReadPool::Read> poolReads;
  poolReads.reserve(reads.size());
  std::unordered_map<uint64_t, SmbFile*> files;
  for (PositionedRead* read : reads) {
    auto* file = static_cast<SmbFile*>(read->file);
    read->error = nullptr;
    read->bytes.assign(read->length, '\0');
    poolReads.push_back(file->poolRead(read->offset, read->length, read->bytes.data()));
    files.emplace(poolReads.back().file, file);
  }
  std::vector<SmbReadPool::Read*> pointers;
  for (auto& read : poolReads) pointers.push_back(&read);
  connection_.pool->read(pointers, [&](SmbReadPool::Read& read) { return files.at(read.file)->readHere(read); });
  for (std::size_t i = 0; i < reads.size(); ++i) {
    const SmbReadPool::Read& done = poolReads[i];
    if (done.error != 0) {
      reads[i]->bytes.clear();
      reads[i]->error = files.at(done.file)->failure(done.error);
    } else {
      reads[i]->bytes.resize(done.got);
    }
  }
}

}  // namespace

SmbShare::SmbShare(const ShareTarget& target, std::string name)
    : connection_(std::make_shared<Connection>(target, std::move(name))) {
  connection_->batches = std::make_unique<SmbBatchReader>(*connection_);
}

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
  return std::make_unique<SmbFile>(connection_, file, readOnly, relativePath, uncPath);
}

std::string SmbShare::describe() const { return connection_->where; }

uint64_t SmbShare::readCalls() const {
  if (!connection_->context) return 0;
  return connection_->context->readCalls() + connection_->pool->readCalls();
}

int SmbShare::poolConnections() const { return connection_->pool ? connection_->pool->connectionsMade() : 0; }

std::unique_ptr<ShareBackend> makeSmbShare(const ShareTarget& target, const std::string& name) {
  return std::make_unique<SmbShare>(target, name);
}

}  // namespace velta
