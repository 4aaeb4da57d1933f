// A directory file and the physical data file it describes: where each logical
// file lies inside the data file, and the 32-byte directory entries that say so.
//
//   directory entry (integers big-endian, positions 1-based):
//     1-10   name: up to 6 characters, blank-padded; 7-10 are shared with
//     7-8    "C" Flags (0 here) and 9-10, zero
//     11-13  "D" Position: first 512-byte block of the logical file in the data file
//     14-15  "C" RecordLength (512 for an index, whose records are its blocks)
//     16     FileType: "I" index, "L" record file
//     17-20  "L" LastRecord: highest record number (for an index its highest block)
//     21-32  zero
//
// The data file's block 0 is left empty; each logical file starts on the block
// after the one before it ends. The data file is named as the directory file with
// its last two characters replaced by "DB".
//
//   DataFileLayout layout;
//   const LogicalFileEntry& vndri = layout.addIndex("VNDRI", blocks.size());
//   const LogicalFileEntry& vndrl = layout.addRecordFile("VNDRL", 200, 40);
//   std::string directory = layout.directoryBytes();
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace velta::sample {

inline constexpr int kDirectoryEntrySize = 32;
inline constexpr int kDataBlockSize = 512;
inline constexpr int kMaxLogicalNameLength = 6;

struct LogicalFileEntry {
  std::string name;
  char fileType = 'L';
  int32_t position = 0;      // in blocks
  int32_t recordLength = 0;
  int32_t lastRecord = 0;
  int32_t flags = 0;
  int64_t blocks = 0;        // room the file takes in the data file

  int64_t byteOffset() const { return static_cast<int64_t>(position) * kDataBlockSize; }
};

class DataFileLayout {
 public:
  const LogicalFileEntry& addIndex(std::string name, int64_t blockCount);
  const LogicalFileEntry& addRecordFile(std::string name, int32_t recordLength, int32_t lastRecord);

  std::string directoryBytes() const;
  int64_t dataFileSize() const { return static_cast<int64_t>(nextBlock_) * kDataBlockSize; }
  const std::deque<LogicalFileEntry>& entries() const { return entries_; }

 private:
  const LogicalFileEntry& add(LogicalFileEntry entry);

  std::deque<LogicalFileEntry> entries_;  // references stay valid as files are added
  int64_t nextBlock_ = 1;
};

// The data file's name for a directory file's name.
std::string dataFileName(std::string_view directoryFileName);

// Writes a data file by logical file, each at its own offset; unwritten room reads as NUL.
class DataFileWriter {
 public:
  DataFileWriter(const std::filesystem::path& path, int64_t size);
  DataFileWriter(const DataFileWriter&) = delete;
  DataFileWriter& operator=(const DataFileWriter&) = delete;

  // Moves to the start of `entry`; later writes follow one another from there.
  void seek(const LogicalFileEntry& entry);
  void write(std::string_view bytes);
  // Flushes and sets the file to its full size; std::filesystem::filesystem_error on any failure.
  void close();

 private:
  std::filesystem::path path_;
  int64_t size_;
  std::ofstream out_;
  bool closed_ = false;
};

}  // namespace velta::sample
