// Record zero of a record file ("L"): the first 16 bytes at byte offset
// Position x 512 of the data file, integers big-endian:
//
//   bytes   opcode  field                                        after InitFile
//   1-2     "J"     file mark                                    -2
//   3-6     "L"     first record of the free list (< 1: empty)   -1
//   7-10    "L"     highest record number ever handed out        0
//   11-14   "L"     number of records in use                     0
//   15-16   -       zero                                         0
//
// A record is in use when its bytes 1-2 read as "J" are 1 or more. A deleted
// record holds 0 in bytes 1-2, the next record of the free list in bytes 3-6
// ("L") and NUL bytes in the rest.
//
// Block 0 of an index file ("I"), as InitFile writes it (all "C"; an entry is
// the key and a 4-byte record or block number):
//
//   bytes   field
//   1-2     entry length: KeyLength + 4
//   3-4     entries per block: 508 \ entry length
//   5-6     LastRecord of the index
//   7-8     next unused block: 2
//   9-10    root block: 1
//   11-12   fill target: (BlockingFactor \ 100) x entries per block
//   13-14   duplicate keys: 65535 yes, 0 no
//
// and block 1, the root leaf, is FF bytes but for an entry count of 1 in
// bytes 1-2: it holds only the sentinel entry.
#include "engine/RecordMaintenance.h"

#include <algorithm>

#include "base/EngineError.h"
#include "base/FieldPacking.h"
#include "engine/LogicalFile.h"
#include "engine/PhysicalFile.h"

namespace velta {

namespace {

constexpr int32_t kHeaderLength = 16;
constexpr int32_t kFreeListField = 3;
constexpr int32_t kActiveCountField = 11;
constexpr int32_t kIndexEntryBytes = kBlockSize - 2 - 2;  // 508: a node less its entry count and next-leaf fields
constexpr int32_t kDuplicateKeysYes = 65535;

const cLogicalFile& required(const LogicalFileHandle& LogicalFile, const char* source) {
  if (!LogicalFile) throw EngineError::general(err::ObjectNotSet, source);
  return *LogicalFile;
}

int32_t headerOffset(const cLogicalFile& file, int32_t blocksAfter, const char* source) {
  return checkedOffset((int64_t{file.Position} + blocksAfter) * kBlockSize, source);
}

void initIndex(const cLogicalFile& file, int32_t KeyLength, bool DuplicateKeys, int32_t BlockingFactor) {
  const int32_t entryLength = KeyLength + 4;
  if (entryLength == 0) throw EngineError::general(err::DivisionByZero, "InitFile");
  const int32_t perBlock = kIndexEntryBytes / entryLength;
  std::string header(kBlockSize, '\0');
  Pack("C", header, entryLength, 1);
  Pack("C", header, perBlock, 3);
  Pack("C", header, file.LastRecord, 5);
  Pack("C", header, 2, 7);
  Pack("C", header, 1, 9);
  Pack("C", header, (BlockingFactor / 100) * perBlock, 11);
  Pack("C", header, DuplicateKeys ? kDuplicateKeysYes : 0, 13);
  WriteFile(file.OpenFile, header, headerOffset(file, 0, "InitFile"));

  std::string root(kBlockSize, '\xFF');
  Pack("C", root, 1, 1);
  WriteFile(file.OpenFile, root, headerOffset(file, 1, "InitFile"));
}

void initRecords(const LogicalFileHandle& LogicalFile) {
  const cLogicalFile& file = *LogicalFile;
  std::string header(kBlockSize, '\0');
  Pack("J", header, -2, 1);
  Pack("L", header, -1, kFreeListField);
  WriteFile(file.OpenFile, header, headerOffset(file, 0, "InitFile"));
  const std::string empty(static_cast<std::size_t>(std::max(file.RecordLength, 0)), '\0');
  for (int32_t record = 1; record <= file.LastRecord; ++record) LwriteFile(LogicalFile, record, empty);
}

}  // namespace

int32_t PhysicalLock(std::string_view, int32_t, int32_t) { return 0; }

int32_t LogicalLock(const LogicalFileHandle& LogicalFile, int32_t RecordNumber) {
  const cLogicalFile& file = required(LogicalFile, "LogicalLock");
  const int32_t offset =
      checkedOffset(int64_t{file.Position} * kBlockSize + int64_t{RecordNumber} * file.RecordLength, "LogicalLock");
  return PhysicalLock(file.FileName, offset, file.RecordLength);
}

int32_t ReleaseLock(int32_t) { return 0; }

void DelRec(const LogicalFileHandle& LogicalFile, int32_t RecordNumber) {
  const cLogicalFile& file = required(LogicalFile, "DelRec");
  const int32_t offset = headerOffset(file, 0, "DelRec");
  std::string header = ReadFile(file.OpenFile, kHeaderLength, offset);
  const std::string record = LreadFile(LogicalFile, RecordNumber);
  if (Unpack("J", record, 1) < 1) throw EngineError(81, "DelRec", "Attempt to delete a deleted record");

  std::string deleted(record.size(), '\0');
  Pack("L", deleted, Unpack("L", header, kFreeListField), kFreeListField);
  LwriteFile(LogicalFile, RecordNumber, deleted);

  Pack("L", header, RecordNumber, kFreeListField);
  const int64_t inUse = Unpack("L", header, kActiveCountField);
  Pack("L", header, static_cast<int32_t>(std::max<int64_t>(0, inUse - 1)), kActiveCountField);
  WriteFile(file.OpenFile, header, offset);
}

void GetRec(const LogicalFileHandle& LogicalFile, int32_t&) {
  const cLogicalFile& file = required(LogicalFile, "iGetRec");
  // The lock operations take no locks, so record zero is never locked and no
  // record is handed out.
  if (LogicalLock(LogicalFile, 0) <= 0) {
    throw EngineError(57, "iGetRec", "Could not obtain a Lock on Record Zero of " + file.FileName);
  }
}

void InitFile(const LogicalFileHandle& LogicalFile, int32_t KeyLength, bool DuplicateKeys, int32_t BlockingFactor) {
  if (!LogicalFile) throw EngineError(err::NotFound, "iLwriteFile", "LogicalFile parameter is undefined");
  if (LogicalFile->FileType == "I") {
    initIndex(*LogicalFile, KeyLength, DuplicateKeys, BlockingFactor);
  } else if (LogicalFile->FileType == "L") {
    initRecords(LogicalFile);
  }
}

}  // namespace velta
