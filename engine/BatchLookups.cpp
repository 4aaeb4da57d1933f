#include "engine/BatchLookups.h"

#include "engine/KeyedIndex.h"
#include "engine/LogicalFile.h"
#include "engine/ReadRounds.h"

namespace velta {

std::vector<KeyAnswer> KFindMany(const LogicalFileHandle& LogicalFile, const std::vector<std::string>& keys) {
  std::vector<KeyAnswer> answers(keys.size());
  ReadRounds rounds(keys.size(), false);
  rounds.run([&](std::size_t i) {
    KeyAnswer& answer = answers[i];
    answer.Key = keys[i];
    answer.Buff.clear();
    answer.Rec = 0;
    KFind(LogicalFile, answer.Buff, answer.Key, answer.Rec);
  });
  for (std::size_t i = 0; i < keys.size(); ++i) {
    answers[i].error = rounds.error(i);
    answers[i].notices = rounds.notices(i);
  }
  return answers;
}

std::vector<RecordAnswer> LreadMany(const LogicalFileHandle& LogicalFile, const std::vector<int32_t>& records) {
  std::vector<RecordAnswer> answers(records.size());
  ReadRounds rounds(records.size(), false);
  rounds.run([&](std::size_t i) { answers[i].record = LreadFile(LogicalFile, records[i]); });
  for (std::size_t i = 0; i < records.size(); ++i) answers[i].error = rounds.error(i);
  return answers;
}

}  // namespace velta
