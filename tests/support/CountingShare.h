// A share backend that counts what is read through it: the proof that a call
// makes exactly the reads it needs. It wraps another backend (a local folder,
// a share in memory) and counts every readAt and size of the files it opens,
// and the batches of reads asked of it (each served one read after another).
//
//   auto share = std::make_unique<CountingShare>(std::make_unique<LocalShare>(dir));
//   auto counts = share->counts();
//   shareAccess().addBackend("SRV", "HBTSLNK", std::move(share));
//   ... counts->reads ...
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/BatchRead.h"
#include "platform/ShareBackend.h"

namespace velta::test {

class CountingShare : public ShareBackend {
 public:
  struct Counts {
    std::size_t reads = 0;      // readAt calls
    std::size_t bytesRead = 0;  // bytes asked for
    std::size_t sizes = 0;      // size calls
    std::vector<uint64_t> offsets;  // of every read, in order
    std::vector<std::string> paths;  // the file of every read, in order
    std::size_t batches = 0;        // batches of reads (platform/BatchRead.h)
    std::size_t largestBatch = 0;   // reads in the largest one
    void reset() { *this = Counts(); }
  };

  explicit CountingShare(std::unique_ptr<ShareBackend> inner)
      : inner_(std::move(inner)), counts_(std::make_shared<Counts>()), batchReader_(counts_) {}

  std::shared_ptr<Counts> counts() const { return counts_; }

  EntryKind kind(const std::string& relativePath) override { return inner_->kind(relativePath); }
  std::vector<DirEntry> list(const std::string& relativeDirectory) override { return inner_->list(relativeDirectory); }
  std::unique_ptr<ShareFile> open(const std::string& relativePath, const std::string& uncPath) override {
    auto file = inner_->open(relativePath, uncPath);
    if (!file) return nullptr;
    return std::make_unique<CountingFile>(std::move(file), counts_, &batchReader_);
  }
  std::string describe() const override { return "counting " + inner_->describe(); }

 private:
  class CountingBatches : public BatchReader {
   public:
    explicit CountingBatches(std::shared_ptr<Counts> counts) : counts_(std::move(counts)) {}
    void read(std::span<PositionedRead* const> reads) override {
      ++counts_->batches;
      counts_->largestBatch = std::max(counts_->largestBatch, reads.size());
      for (PositionedRead* read : reads) readOne(*read);
    }

   private:
    std::shared_ptr<Counts> counts_;
  };

  class CountingFile : public ShareFile {
   public:
    CountingFile(std::unique_ptr<ShareFile> inner, std::shared_ptr<Counts> counts, CountingBatches* batches)
        : inner_(std::move(inner)), counts_(std::move(counts)), batches_(batches) {}
    std::size_t readAt(uint64_t offset, char* buffer, std::size_t length) override {
      ++counts_->reads;
      counts_->bytesRead += length;
      counts_->offsets.push_back(offset);
      counts_->paths.push_back(inner_->path());
      return inner_->readAt(offset, buffer, length);
    }
    void writeAt(uint64_t offset, const char* data, std::size_t length) override {
      inner_->writeAt(offset, data, length);
    }
    uint64_t size() override {
      ++counts_->sizes;
      return inner_->size();
    }
    bool readOnly() const override { return inner_->readOnly(); }
    const std::string& path() const override { return inner_->path(); }
    BatchReader* batchReader() override { return batches_; }

   private:
    std::unique_ptr<ShareFile> inner_;
    std::shared_ptr<Counts> counts_;
    CountingBatches* batches_;
  };

  std::unique_ptr<ShareBackend> inner_;
  std::shared_ptr<Counts> counts_;
  CountingBatches batchReader_;
};

}  // namespace velta::test
