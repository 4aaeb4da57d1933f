// A share held in memory: for fuzz targets, benchmarks and tests that need
// exact control over what the engine reads (and how often).
//
//   auto share = std::make_unique<MemoryShare>();
//   MemoryShare& files = *share;
//   shareAccess().addBackend("SRV", "HBTSLNK", std::move(share));
//   files.put("D1/VNDRDI", bytes);        // \\SRV\HBTSLNK\D1\VNDRDI
//   files.reads();                         // readAt calls so far
//
// Folders exist where a file lies below them. Names compare exactly (share
// access above matches letter case). A read-only share opens every file for
// reading only, so writes fail with 70 "Permission denied: <path>".
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ShareBackend.h"

namespace velta {

class MemoryShare : public ShareBackend {
 public:
  explicit MemoryShare(bool readOnly = false) : readOnly_(readOnly) {}

  // Puts a file at a relative path ("D1/VNDRDI"), replacing what was there.
  void put(const std::string& relativePath, std::string bytes);
  // The file's bytes; empty when there is none.
  std::string get(const std::string& relativePath) const;
  void remove(const std::string& relativePath);

  // readAt calls on files of this share since it was made or resetCounts().
  uint64_t reads() const { return *reads_; }
  void resetCounts() { *reads_ = 0; }

  EntryKind kind(const std::string& relativePath) override;
  std::vector<DirEntry> list(const std::string& relativeDirectory) override;
  std::unique_ptr<ShareFile> open(const std::string& relativePath, const std::string& uncPath) override;
  std::string describe() const override { return "memory"; }

 private:
  bool readOnly_;
  std::map<std::string, std::shared_ptr<std::string>> files_;
  std::shared_ptr<uint64_t> reads_ = std::make_shared<uint64_t>(0);
};

}  // namespace velta
