// Many positioned reads at once: what one job reads of a share a wide-area
// link away is asked for together, so that it costs a few round trips instead
// of one round trip a read.
//
// Each read gets exactly what ShareFile::readAt would have given it alone:
// its bytes (fewer than asked only at the end of the file) or the very error
// readAt would have thrown. The files of an SMB share are read over several
// connections at once (SmbReadPool.h); every other file is read with readAt,
// one read after another (pread on a local folder or a mount, which answers
// at once). Notices are given on the calling thread.
//
//   std::vector<PositionedRead> reads = {{file, 0, 512}, {file, 8192, 512}};
//   readBatch(reads);
//   if (reads[1].error) std::rethrow_exception(reads[1].error);
//   use(reads[1].bytes);
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <span>
#include <string>

#include "platform/ShareBackend.h"

namespace velta {

struct PositionedRead {
  ShareFile* file = nullptr;
  uint64_t offset = 0;
  std::size_t length = 0;

  // Filled by readBatch: the bytes read, or what readAt threw.
  std::string bytes;
  std::exception_ptr error;
};

// Serves the reads of one share's files together.
class BatchReader {
 public:
  virtual ~BatchReader() = default;
  // Fills every read's bytes or error; a read's failure is never thrown.
  virtual void read(std::span<PositionedRead* const> reads) = 0;
};

// Fills every read's bytes or error, grouping them by the reader that serves
// their files. A read's failure is never thrown.
void readBatch(std::span<PositionedRead> reads);

// One read with readAt, its failure kept in `read.error`.
void readOne(PositionedRead& read);

}  // namespace velta
