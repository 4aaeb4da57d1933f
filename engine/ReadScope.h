// The reads of one job (loading one purchase order, finding many keys): while
// a ReadScope is open, every read the engine makes of a physical file is kept
// (by the file's path), so that no byte range is asked of the file server
// twice within the job, and reads that are asked for together are read in one
// batch (platform/BatchRead.h). Directory files read whole are kept too, and
// what share access learns of names (ShareAccess::KeptLookups).
// Nothing is kept once the outermost scope closes: the next job reads afresh,
// and sees what changed on the server in between.
//
// A read is served from what the scope holds when one kept piece covers it
// (a piece read short at the end of its file covers everything after it too);
// otherwise it is read and kept. Batches (prefetch, and the rounds of
// ReadRounds.h) keep their failures as well, and a later read of the same
// range throws the same error again, so a lookup sees exactly what it would
// have seen reading alone.
//
//   ReadScope scope;                          // a scope inside another one joins it
//   scope.prefetch({{file, 0, 19266}});       // the whole order file, one request
//   LreadFile(po, 7);                         // served from the scope
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ShareAccess.h"

namespace velta {

class ShareFile;

// A range of a file to read.
struct FileRange {
  ShareFile* file = nullptr;  // open for the whole job
  uint64_t offset = 0;
  std::size_t length = 0;

  friend bool operator==(const FileRange&, const FileRange&) = default;
};

// Thrown, while a scope collects (ReadRounds.h), by a read the scope does not
// hold yet: the run that meets it stops, and the read is made with the others.
struct ReadNotHeld {};

class ReadScope {
 public:
  ReadScope();
  ~ReadScope();
  ReadScope(const ReadScope&) = delete;
  ReadScope& operator=(const ReadScope&) = delete;

  // The open scope, or nullptr.
  static ReadScope* current();

  // Reads the ranges now, in one batch, and keeps what was read; a range that
  // fails is not kept, so that a later read of it meets its failure itself.
  void prefetch(const std::vector<FileRange>& ranges);

  // As ShareFile::readAt, from what the scope holds where it can.
  std::size_t read(ShareFile& file, uint64_t offset, char* buffer, std::size_t length);
  // As ShareFile::size, asked of the server once per job.
  uint64_t size(ShareFile& file);

  // A whole file kept by its UNC path in normal form (directory files), or nullptr.
  const std::string* keptFile(const std::string& path) const;
  void keepFile(const std::string& path, std::string bytes);

  // Collecting (ReadRounds.h): a read not held throws ReadNotHeld and is noted
  // to be read with the others of the round by fetchNoted().
  void collect(bool on) { root().collecting_ = on; }
  bool collecting() const { return root().collecting_; }
  // While collecting, whether a run may open a file the engine has not opened
  // yet (only the first unfinished run may: files open in the order a run
  // one after another would open them).
  void allowOpening(bool allowed) { root().openingAllowed_ = allowed; }
  bool openingAllowed() const { return !root().collecting_ || root().openingAllowed_; }
  // Reads every noted range in one batch and keeps each one's bytes or
  // failure; the number of ranges noted.
  std::size_t fetchNoted();

  // Batches read so far in this job, and the reads they held (after merging).
  uint64_t batches() const { return root().batches_; }
  uint64_t batchedReads() const { return root().batchedReads_; }

 private:
  struct Piece {
    std::string bytes;
    std::size_t asked = 0;      // the length asked for
    std::exception_ptr error;   // the read's failure, kept by a batch
  };
  struct Kept {
    std::map<uint64_t, Piece> pieces;  // by offset
    std::size_t longest = 0;           // the longest piece asked, to bound the search
    std::optional<uint64_t> size;
  };

  ReadScope& root() { return outer_ ? *outer_ : *this; }
  const ReadScope& root() const { return outer_ ? *outer_ : *this; }
  // The piece that covers the range, or nullptr.
  Kept& keptOf(const ShareFile& file);
  const Piece* find(Kept& kept, uint64_t offset, std::size_t length, uint64_t& pieceOffset) const;
  void keep(Kept& kept, uint64_t offset, Piece piece);
  // One batch: ranges merged where they touch, read, and kept (failures too when `keepFailures`).
  void readTogether(std::vector<FileRange> ranges, bool keepFailures);

  ReadScope* outer_ = nullptr;
  // Folders and names looked up once per job too.
  std::optional<ShareAccess::KeptLookups> lookups_;
  std::map<std::string, Kept> kept_;          // by the file's UNC path
  std::map<std::string, std::string> files_;  // whole files, by path
  bool collecting_ = false;
  bool openingAllowed_ = true;
  std::vector<FileRange> noted_;
  uint64_t batches_ = 0;
  uint64_t batchedReads_ = 0;
};

// A read of the engine: through the open scope, else straight from the file.
std::size_t readKept(ShareFile& file, uint64_t offset, char* buffer, std::size_t length);
uint64_t sizeKept(ShareFile& file);

}  // namespace velta
