#include "platform/LocalShare.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/EngineError.h"
#include "platform/FullTransfer.h"

namespace velta {

namespace {

EntryKind kindOf(const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return EntryKind::Directory;
  if (S_ISREG(st.st_mode)) return EntryKind::File;
  return EntryKind::None;
}

class LocalFile : public ShareFile {
 public:
  LocalFile(int fd, bool readOnly, std::string uncPath) : fd_(fd), readOnly_(readOnly), path_(std::move(uncPath)) {}
  ~LocalFile() override { ::close(fd_); }
  LocalFile(const LocalFile&) = delete;
  LocalFile& operator=(const LocalFile&) = delete;

  std::size_t readAt(uint64_t offset, char* buffer, std::size_t length) override {
    return readFully(length, [&](std::size_t done) {
      for (;;) {
        const ssize_t n = ::pread(fd_, buffer + done, length - done, static_cast<off_t>(offset + done));
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) throw EngineError::fileSystem(err::DeviceIoError, "ReadFile", path_);
      }
    });
  }

  void writeAt(uint64_t offset, const char* data, std::size_t length) override {
    if (readOnly_) throw EngineError::fileSystem(err::PermissionDenied, "WriteFile", path_);
    writeFully(length, [&](std::size_t done) {
      for (;;) {
        const ssize_t n = ::pwrite(fd_, data + done, length - done, static_cast<off_t>(offset + done));
        if (n > 0) return static_cast<std::size_t>(n);
        if (n < 0 && errno == EINTR) continue;
        throw EngineError::fileSystem(errno == EACCES || errno == EPERM || errno == EROFS || errno == EBADF
                                          ? err::PermissionDenied
                                          : err::DeviceIoError,
                                      "WriteFile", path_);
      }
    });
  }

  uint64_t size() override {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throw EngineError::fileSystem(err::DeviceIoError, "FileLen", path_);
    return static_cast<uint64_t>(st.st_size);
  }

  bool readOnly() const override { return readOnly_; }
  const std::string& path() const override { return path_; }

 private:
  int fd_;
  bool readOnly_;
  std::string path_;
};

}  // namespace

LocalShare::LocalShare(std::string rootDirectory) : root_(std::move(rootDirectory)) {
  while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
}

std::string LocalShare::localPath(const std::string& relativePath) const {
  return relativePath.empty() ? root_ : root_ + "/" + relativePath;
}

EntryKind LocalShare::kind(const std::string& relativePath) {
  struct stat st {};
  if (::stat(localPath(relativePath).c_str(), &st) != 0) return EntryKind::None;
  return kindOf(st);
}

std::vector<DirEntry> LocalShare::list(const std::string& relativeDirectory) {
  std::vector<DirEntry> entries;
  const std::string dirPath = localPath(relativeDirectory);
  DIR* dir = ::opendir(dirPath.c_str());
  if (!dir) return entries;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    struct stat st {};
    const EntryKind k = ::stat((dirPath + "/" + name).c_str(), &st) == 0 ? kindOf(st) : EntryKind::None;
    entries.push_back({name, k});
  }
  ::closedir(dir);
  return entries;
}

std::unique_ptr<ShareFile> LocalShare::open(const std::string& relativePath, const std::string& uncPath) {
  const std::string path = localPath(relativePath);
  bool readOnly = false;
  int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    readOnly = true;
  }
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<LocalFile>(fd, readOnly, uncPath);
}

}  // namespace velta
