// The records of a record file (a logical file of type "L"), record zero first,
// written as the business system's programs leave a file that has lived a while:
// records in use, deleted records chained into the free list, and record zero's
// header counting them. Integers big-endian, positions 1-based:
//
//   record 0, its first 16 bytes (the rest NUL):
//     1-2    "J"  file mark, -2
//     3-6    "L"  first record of the free list, -1 when it is empty
//     7-10   "L"  highest record number ever handed out
//     11-14  "L"  number of records in use
//     15-16       zero
//   a record in use:  its first two bytes, read as "J", are 1 or more
//   a deleted record: 1-2 zero, 3-6 "L" the next record of the free list (-1 at its
//                     end), the rest NUL
//   above the highest handed out: never used, all NUL (not written here)
//
// Deleting puts a record at the head of the free list, so the list runs from the
// record deleted last to the one deleted first.
//
//   RecordFileContent vendors{.recordLength = 200, .lastRecord = 40, .highestUsed = 14,
//                             .deletedInOrder = {8, 3}, .record = vendorRecordAt};
//   writeRecords(vendors, [&](std::string_view bytes) { out.write(...); });
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velta::sample {

inline constexpr int kRecordZeroHeaderSize = 2 + 4 + 4 + 4 + 2;  // 16
inline constexpr int32_t kFileMark = -2;

struct RecordFileContent {
  int recordLength = 0;
  int32_t lastRecord = 0;   // the directory's LastRecord: room beyond the highest used
  int32_t highestUsed = 0;
  std::vector<int32_t> deletedInOrder;
  // Record n in use (1 to highestUsed, not deleted), recordLength bytes.
  std::function<std::string(int32_t)> record;
  // Whether records in use carry their status in bytes 1-2 (an extension file that
  // shares its record numbers with a main file does not).
  bool statusInFirstBytes = true;
};

int32_t freeListHead(const RecordFileContent& content);
int32_t recordsInUse(const RecordFileContent& content);
std::string recordZero(const RecordFileContent& content);
std::string deletedRecord(int recordLength, int32_t nextFree);

// Hands records 0 to highestUsed, in order, to `sink`; std::logic_error when a
// record in use has the wrong length or no status.
void writeRecords(const RecordFileContent& content, const std::function<void(std::string_view)>& sink);

}  // namespace velta::sample
