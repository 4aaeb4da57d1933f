#include "platform/MemoryShare.h"

#include <algorithm>
#include <set>

#include "base/EngineError.h"

namespace velta {

namespace {

class MemoryFile : public ShareFile {
 public:
  MemoryFile(std::shared_ptr<std::string> bytes, std::shared_ptr<uint64_t> reads, bool readOnly, std::string path)
      : bytes_(std::move(bytes)), reads_(std::move(reads)), readOnly_(readOnly), path_(std::move(path)) {}

  std::size_t readAt(uint64_t offset, char* buffer, std::size_t length) override {
    ++*reads_;
    if (offset >= bytes_->size()) return 0;
    const std::size_t n = std::min<uint64_t>(length, bytes_->size() - offset);
    std::copy_n(bytes_->data() + offset, n, buffer);
    return n;
  }

  void writeAt(uint64_t offset, const char* data, std::size_t length) override {
    if (readOnly_) throw EngineError::fileSystem(err::PermissionDenied, "WriteFile", path_);
    if (bytes_->size() < offset + length) bytes_->resize(offset + length, '\0');
    std::copy_n(data, length, bytes_->data() + offset);
  }

  uint64_t size() override { return bytes_->size(); }
  bool readOnly() const override { return readOnly_; }
  const std::string& path() const override { return path_; }

 private:
  std::shared_ptr<std::string> bytes_;
  std::shared_ptr<uint64_t> reads_;
  bool readOnly_;
  std::string path_;
};

bool isBelow(const std::string& path, const std::string& directory) {
  return directory.empty() || (path.size() > directory.size() && path.compare(0, directory.size(), directory) == 0 &&
                               path[directory.size()] == '/');
}

}  // namespace

void MemoryShare::put(const std::string& relativePath, std::string bytes) {
  files_[relativePath] = std::make_shared<std::string>(std::move(bytes));
}

std::string MemoryShare::get(const std::string& relativePath) const {
  const auto it = files_.find(relativePath);
  return it == files_.end() ? std::string() : *it->second;
}

void MemoryShare::remove(const std::string& relativePath) { files_.erase(relativePath); }

EntryKind MemoryShare::kind(const std::string& relativePath) {
  if (files_.count(relativePath)) return EntryKind::File;
  for (const auto& [path, bytes] : files_) {
    if (isBelow(path, relativePath)) return EntryKind::Directory;
  }
  return relativePath.empty() ? EntryKind::Directory : EntryKind::None;
}

std::vector<DirEntry> MemoryShare::list(const std::string& relativeDirectory) {
  std::set<std::string> names;
  std::vector<DirEntry> entries;
  const std::size_t skip = relativeDirectory.empty() ? 0 : relativeDirectory.size() + 1;
  for (const auto& [path, bytes] : files_) {
    if (!isBelow(path, relativeDirectory)) continue;
    const std::size_t slash = path.find('/', skip);
    const std::string name = path.substr(skip, slash == std::string::npos ? std::string::npos : slash - skip);
    if (names.insert(name).second) {
      entries.push_back({name, slash == std::string::npos ? EntryKind::File : EntryKind::Directory});
    }
  }
  return entries;
}

std::unique_ptr<ShareFile> MemoryShare::open(const std::string& relativePath, const std::string& uncPath) {
  const auto it = files_.find(relativePath);
  if (it == files_.end()) return nullptr;
  return std::make_unique<MemoryFile>(it->second, reads_, readOnly_, uncPath);
}

}  // namespace velta
