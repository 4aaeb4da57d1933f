#include "tools/sample/DataFile.h"

#include <cerrno>
#include <stdexcept>
#include <system_error>

#include "base/FieldPacking.h"
#include "tools/sample/RecordFields.h"

namespace velta::sample {
namespace {

constexpr int64_t kMaxPosition = 0xFFFFFF;  // "D", three bytes

int64_t blocksFor(int64_t bytes) { return (bytes + kDataBlockSize - 1) / kDataBlockSize; }

}  // namespace

const LogicalFileEntry& DataFileLayout::add(LogicalFileEntry entry) {
  if (entry.name.empty() || entry.name.size() > kMaxLogicalNameLength) {
    throw std::logic_error("logical file name \"" + entry.name + "\" is not 1 to 6 characters");
  }
  if (nextBlock_ > kMaxPosition) throw std::length_error("the data file is too large for 3-byte block positions");
  entry.position = static_cast<int32_t>(nextBlock_);
  nextBlock_ += entry.blocks;
  entries_.push_back(std::move(entry));
  return entries_.back();
}

const LogicalFileEntry& DataFileLayout::addIndex(std::string name, int64_t blockCount) {
  return add({.name = std::move(name),
              .fileType = 'I',
              .recordLength = kDataBlockSize,
              .lastRecord = static_cast<int32_t>(blockCount - 1),
              .blocks = blockCount});
}

const LogicalFileEntry& DataFileLayout::addRecordFile(std::string name, int32_t recordLength, int32_t lastRecord) {
  return add({.name = std::move(name),
              .fileType = 'L',
              .recordLength = recordLength,
              .lastRecord = lastRecord,
              .blocks = blocksFor((static_cast<int64_t>(lastRecord) + 1) * recordLength)});
}

std::string DataFileLayout::directoryBytes() const {
  std::string bytes;
  for (const LogicalFileEntry& e : entries_) {
    std::string entry(kDirectoryEntrySize, '\0');
    putText(entry, 1, kMaxLogicalNameLength, e.name);
    Pack("C", entry, e.flags, 7);
    Pack("D", entry, e.position, 11);
    Pack("C", entry, e.recordLength, 14);
    entry[15] = e.fileType;
    Pack("L", entry, e.lastRecord, 17);
    bytes += entry;
  }
  return bytes;
}

std::string dataFileName(std::string_view directoryFileName) {
  if (directoryFileName.size() < 2) throw std::logic_error("a directory file name needs two characters to replace");
  return std::string(directoryFileName.substr(0, directoryFileName.size() - 2)) + "DB";
}

DataFileWriter::DataFileWriter(const std::filesystem::path& path, int64_t size)
    : path_(path), size_(size), out_(path, std::ios::binary | std::ios::trunc) {
  if (!out_) throw std::filesystem::filesystem_error("cannot create", path, std::error_code(errno, std::generic_category()));
}

void DataFileWriter::seek(const LogicalFileEntry& entry) { out_.seekp(entry.byteOffset()); }

void DataFileWriter::write(std::string_view bytes) { out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size())); }

void DataFileWriter::close() {
  if (closed_) return;
  closed_ = true;
  out_.close();
  if (!out_) throw std::filesystem::filesystem_error("cannot write", path_, std::error_code(errno, std::generic_category()));
  std::filesystem::resize_file(path_, static_cast<uintmax_t>(size_));
}

}  // namespace velta::sample
