// What a share backend offers the share layer: the few file-system primitives
// the engine needs, on paths relative to the share's root.
//
// Relative paths hold on-disk names joined by "/" ("" is the share's root).
// Letter-case matching and UNC parsing live above, in ShareAccess; a backend
// answers exactly for the names it is given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace velta {

enum class EntryKind { None, File, Directory };

struct DirEntry {
  std::string name;
  EntryKind kind = EntryKind::None;
};

struct PositionedRead;
class BatchReader;

// One open file. Positioned reads and writes; no locks, shared with other processes.
class ShareFile {
 public:
  virtual ~ShareFile() = default;

  // Reads up to `length` bytes at `offset`; fewer (or none) at the end of the file.
  // A failure of the file system throws EngineError (57 "Device I/O error: <path>").
  virtual std::size_t readAt(uint64_t offset, char* buffer, std::size_t length) = 0;
  // Writes all bytes at `offset`, growing the file where it reaches past its end.
  // A file opened for reading only throws 70 "Permission denied: <path>".
  virtual void writeAt(uint64_t offset, const char* data, std::size_t length) = 0;
  // The file's length in bytes.
  virtual uint64_t size() = 0;
  virtual bool readOnly() const = 0;
  // The UNC path it was opened by, for messages.
  virtual const std::string& path() const = 0;
  // What serves this file's reads in batches, together with the reads of other
  // files of its share (platform/BatchRead.h); nullptr: one readAt after another.
  virtual BatchReader* batchReader() { return nullptr; }
};

class ShareBackend {
 public:
  virtual ~ShareBackend() = default;

  // What lies at the relative path; None when nothing does or it cannot be reached.
  virtual EntryKind kind(const std::string& relativePath) = 0;
  // The entries of a directory (without "." and ".."); empty when it cannot be read.
  virtual std::vector<DirEntry> list(const std::string& relativeDirectory) = 0;
  // Opens a file for reading and writing, or for reading only where the share
  // allows no more; nullptr when it cannot be opened. `uncPath` names it in messages.
  virtual std::unique_ptr<ShareFile> open(const std::string& relativePath, const std::string& uncPath) = 0;
  // Where the share lives, for messages ("/srv/data", "smb://host:445/SHARE").
  virtual std::string describe() const = 0;
};

}  // namespace velta
