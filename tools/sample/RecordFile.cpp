#include "tools/sample/RecordFile.h"

#include <algorithm>
#include <stdexcept>

#include "base/FieldPacking.h"

namespace velta::sample {

int32_t freeListHead(const RecordFileContent& content) {
  return content.deletedInOrder.empty() ? -1 : content.deletedInOrder.back();
}

int32_t recordsInUse(const RecordFileContent& content) {
  return content.highestUsed - static_cast<int32_t>(content.deletedInOrder.size());
}

std::string recordZero(const RecordFileContent& content) {
  if (content.recordLength < kRecordZeroHeaderSize) {
    throw std::logic_error("a record of " + std::to_string(content.recordLength) +
                           " bytes cannot hold record zero's header");
  }
  std::string record(static_cast<std::size_t>(content.recordLength), '\0');
  Pack("J", record, kFileMark, 1);
  Pack("L", record, freeListHead(content), 3);
  Pack("L", record, content.highestUsed, 7);
  Pack("L", record, recordsInUse(content), 11);
  return record;
}

std::string deletedRecord(int recordLength, int32_t nextFree) {
  std::string record(static_cast<std::size_t>(recordLength), '\0');
  Pack("L", record, nextFree, 3);
  return record;
}

void writeRecords(const RecordFileContent& content, const std::function<void(std::string_view)>& sink) {
  if (content.highestUsed > content.lastRecord) {
    throw std::logic_error("highest record used " + std::to_string(content.highestUsed) + " is above LastRecord " +
                           std::to_string(content.lastRecord));
  }
  // Each deleted record links to the one deleted before it.
  std::vector<std::pair<int32_t, int32_t>> nextOf;
  for (std::size_t i = 0; i < content.deletedInOrder.size(); ++i) {
    nextOf.emplace_back(content.deletedInOrder[i], i == 0 ? -1 : content.deletedInOrder[i - 1]);
  }
  std::sort(nextOf.begin(), nextOf.end());
  auto deleted = nextOf.begin();

  sink(recordZero(content));
  for (int32_t n = 1; n <= content.highestUsed; ++n) {
    if (deleted != nextOf.end() && deleted->first == n) {
      sink(deletedRecord(content.recordLength, deleted->second));
      ++deleted;
      continue;
    }
    const std::string record = content.record(n);
    if (static_cast<int>(record.size()) != content.recordLength ||
        (content.statusInFirstBytes && Unpack("J", record, 1) < 1)) {
      throw std::logic_error("record " + std::to_string(n) + " is not a record in use of " +
                             std::to_string(content.recordLength) + " bytes");
    }
    sink(record);
  }
}

}  // namespace velta::sample
