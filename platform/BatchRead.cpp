#include "platform/BatchRead.h"

#include <utility>
#include <vector>

namespace velta {

void readOne(PositionedRead& read) {
  read.error = nullptr;
  read.bytes.assign(read.length, '\0');
  try {
    read.bytes.resize(read.file->readAt(read.offset, read.bytes.data(), read.length));
  } catch (...) {
    read.bytes.clear();
    read.error = std::current_exception();
  }
}

void readBatch(std::span<PositionedRead> reads) {
  // A batch rarely spans more than one share: a short list of groups is enough.
  std::vector<std::pair<BatchReader*, std::vector<PositionedRead*>>> groups;
  for (PositionedRead& read : reads) {
    BatchReader* const reader = read.file->batchReader();
    if (!reader) {
      readOne(read);
      continue;
    }
    auto group = groups.begin();
    while (group != groups.end() && group->first != reader) ++group;
    if (group == groups.end()) group = groups.insert(groups.end(), {reader, {}});
    group->second.push_back(&read);
  }
  for (auto& [reader, group] : groups) reader->read(group);
}

}  // namespace velta
