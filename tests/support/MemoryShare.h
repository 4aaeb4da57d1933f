// A share held in memory: files by relative path ("D1/VNDRDB"), for fuzz
// targets and tests that want no disk. Folders exist where files lie below them.
//
//   auto share = std::make_unique<MemoryShare>();
//   share->put("D1/IDX", bytes);
//   shareAccess().addBackend("SRV", "HBTSLNK", std::move(share));
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ShareBackend.h"

namespace velta::test {

class MemoryShare : public ShareBackend {
 public:
  void put(const std::string& relativePath, std::string bytes) {
    (*files_)[relativePath] = std::make_shared<std::string>(std::move(bytes));
  }

  EntryKind kind(const std::string& relativePath) override {
    if (relativePath.empty() || files_->count(relativePath)) {
      return relativePath.empty() ? EntryKind::Directory : EntryKind::File;
    }
    const std::string prefix = relativePath + "/";
    const auto it = files_->lower_bound(prefix);
    return it != files_->end() && it->first.compare(0, prefix.size(), prefix) == 0 ? EntryKind::Directory
                                                                                  : EntryKind::None;
  }

  std::vector<DirEntry> list(const std::string& relativeDirectory) override {
    const std::string prefix = relativeDirectory.empty() ? "" : relativeDirectory + "/";
    std::vector<DirEntry> entries;
    for (const auto& [path, bytes] : *files_) {
      if (path.compare(0, prefix.size(), prefix) != 0) continue;
      const std::string rest = path.substr(prefix.size());
      const std::size_t slash = rest.find('/');
      DirEntry entry{rest.substr(0, slash), slash == std::string::npos ? EntryKind::File : EntryKind::Directory};
      if (entries.empty() || entries.back().name != entry.name) entries.push_back(entry);
    }
    return entries;
  }

  std::unique_ptr<ShareFile> open(const std::string& relativePath, const std::string& uncPath) override {
    const auto it = files_->find(relativePath);
    if (it == files_->end()) return nullptr;
    return std::make_unique<MemoryFile>(it->second, uncPath);
  }

  std::string describe() const override { return "memory"; }

 private:
  class MemoryFile : public ShareFile {
   public:
    MemoryFile(std::shared_ptr<std::string> bytes, std::string path) : bytes_(std::move(bytes)), path_(std::move(path)) {}
    std::size_t readAt(uint64_t offset, char* buffer, std::size_t length) override {
      if (offset >= bytes_->size()) return 0;
      const std::size_t n = std::min<uint64_t>(length, bytes_->size() - offset);
      std::memcpy(buffer, bytes_->data() + offset, n);
      return n;
    }
    void writeAt(uint64_t offset, const char* data, std::size_t length) override {
      if (bytes_->size() < offset + length) bytes_->resize(offset + length, '\0');
      std::memcpy(bytes_->data() + offset, data, length);
    }
    uint64_t size() override { return bytes_->size(); }
    bool readOnly() const override { return false; }
    const std::string& path() const override { return path_; }

   private:
    std::shared_ptr<std::string> bytes_;
    std::string path_;
  };

  std::shared_ptr<std::map<std::string, std::shared_ptr<std::string>>> files_ =
      std::make_shared<std::map<std::string, std::shared_ptr<std::string>>>();
};

}  // namespace velta::test
