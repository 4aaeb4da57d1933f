#include "engine/ReadScope.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "engine/EngineState.h"
#include "platform/BatchRead.h"
#include "platform/ShareBackend.h"

namespace velta {

namespace {

// Ranges of one file that overlap or lie at most kMergedGap apart are read as
// one, up to kMergedReadLimit: the nodes of an index level, which lie close
// together, cost one request instead of hundreds. The bytes between cost less
// than a round trip on any link the business system is reached over.
constexpr std::size_t kMergedGap = 4 * 1024;
constexpr std::size_t kMergedReadLimit = 64 * 1024;

}  // namespace

ReadScope::ReadScope() {
  ReadScope*& open = engineState().reads;
  if (open) {
    outer_ = open;
  } else {
    open = this;
    lookups_.emplace(shareAccess());
  }
}

ReadScope::~ReadScope() {
  if (!outer_) engineState().reads = nullptr;
}

ReadScope* ReadScope::current() { return engineState().reads; }

ReadScope::Kept& ReadScope::keptOf(const ShareFile& file) { return root().kept_[file.path()]; }

const std::string* ReadScope::keptFile(const std::string& path) const {
  const auto& files = root().files_;
  const auto it = files.find(path);
  return it == files.end() ? nullptr : &it->second;
}

void ReadScope::keepFile(const std::string& path, std::string bytes) { root().files_[path] = std::move(bytes); }

const ReadScope::Piece* ReadScope::find(Kept& kept, uint64_t offset, std::size_t length,
                                        uint64_t& pieceOffset) const {
  // Pieces that start at or before the offset, nearest first, as far back as the longest could reach.
  auto it = kept.pieces.upper_bound(offset);
  while (it != kept.pieces.begin()) {
    --it;
    const uint64_t start = it->first;
    if (offset - start >= kept.longest && offset != start) break;
    const Piece& piece = it->second;
    const uint64_t end = offset + length;
    if (piece.error) {
      if (end <= start + piece.asked) {
        pieceOffset = start;
        return &piece;
      }
      continue;
    }
    const bool shortAtTheEnd = piece.bytes.size() < piece.asked;
    if (end <= start + piece.bytes.size() || (shortAtTheEnd && offset >= start)) {
      pieceOffset = start;
      return &piece;
    }
  }
  return nullptr;
}

void ReadScope::keep(Kept& kept, uint64_t offset, Piece piece) {
  kept.longest = std::max(kept.longest, piece.asked);
  kept.pieces.insert_or_assign(offset, std::move(piece));
}

std::size_t ReadScope::read(ShareFile& file, uint64_t offset, char* buffer, std::size_t length) {
  Kept& kept = keptOf(file);
  uint64_t start = 0;
  if (const Piece* piece = find(kept, offset, length, start)) {
    if (piece->error) std::rethrow_exception(piece->error);
    const uint64_t from = offset - start;
    const std::size_t available = from >= piece->bytes.size() ? 0 : piece->bytes.size() - static_cast<std::size_t>(from);
    const std::size_t n = std::min(length, available);
    if (n > 0) std::memcpy(buffer, piece->bytes.data() + from, n);
    return n;
  }
  if (root().collecting_) {
    root().noted_.push_back({&file, offset, length});
    throw ReadNotHeld{};
  }
  Piece piece;
  piece.asked = length;
  piece.bytes.assign(length, '\0');
  piece.bytes.resize(file.readAt(offset, piece.bytes.data(), length));
  const std::size_t got = piece.bytes.size();
  if (got > 0) std::memcpy(buffer, piece.bytes.data(), got);
  keep(kept, offset, std::move(piece));
  return got;
}

uint64_t ReadScope::size(ShareFile& file) {
  Kept& kept = keptOf(file);
  if (!kept.size) kept.size = file.size();
  return *kept.size;
}

void ReadScope::prefetch(const std::vector<FileRange>& ranges) { readTogether(ranges, false); }

std::size_t ReadScope::fetchNoted() {
  std::vector<FileRange> noted = std::move(root().noted_);
  root().noted_.clear();
  const std::size_t count = noted.size();
  readTogether(std::move(noted), true);
  return count;
}

void ReadScope::readTogether(std::vector<FileRange> ranges, bool keepFailures) {
  ReadScope& scope = root();
  auto order = [](const FileRange& a, const FileRange& b) {
    return std::tie(a.file, a.offset, a.length) < std::tie(b.file, b.offset, b.length);
  };
  std::sort(ranges.begin(), ranges.end(), order);
  ranges.erase(std::unique(ranges.begin(), ranges.end()), ranges.end());

  // What is asked once, merged where ranges of one file lie close together.
  std::vector<FileRange> merged;
  for (const FileRange& range : ranges) {
    uint64_t start = 0;
    if (find(keptOf(*range.file), range.offset, range.length, start)) continue;  // held already
    if (!merged.empty()) {
      FileRange& last = merged.back();
      const uint64_t lastEnd = last.offset + last.length;
      const uint64_t end = std::max(lastEnd, range.offset + range.length);
      if (last.file == range.file && range.offset <= lastEnd + kMergedGap && end - last.offset <= kMergedReadLimit) {
        last.length = static_cast<std::size_t>(end - last.offset);
        continue;
      }
    }
    merged.push_back(range);
  }
  if (merged.empty()) return;

  std::vector<PositionedRead> reads;
  reads.reserve(merged.size());
  for (const FileRange& range : merged) reads.push_back({range.file, range.offset, range.length, {}, nullptr});
  readBatch(reads);
  ++scope.batches_;
  scope.batchedReads_ += reads.size();

  // Each merged read is kept whole: every range it was made of lies inside it.
  for (std::size_t i = 0; i < merged.size(); ++i) {
    PositionedRead& read = reads[i];
    if (read.error && !keepFailures) continue;
    Piece piece;
    piece.asked = read.length;
    piece.error = read.error;
    piece.bytes = std::move(read.bytes);
    keep(keptOf(*merged[i].file), read.offset, std::move(piece));
  }
}

std::size_t readKept(ShareFile& file, uint64_t offset, char* buffer, std::size_t length) {
  if (ReadScope* scope = ReadScope::current()) return scope->read(file, offset, buffer, length);
  return file.readAt(offset, buffer, length);
}

uint64_t sizeKept(ShareFile& file) {
  if (ReadScope* scope = ReadScope::current()) return scope->size(file);
  return file.size();
}

}  // namespace velta
