// Many keys of one index, or many records of one logical file, at once: the
// batch forms of KFind and LreadFile, for callers that know everything they
// will look up before they look (a purchase order's part lines).
//
// Each answer is exactly what the one-at-a-time operation gives for that key
// or record alone on the same files: KFind's Key, Rec and cursor buffer, or
// the engine error it would raise (e.g. -20 for a corrupt node), and the
// index-range notice it would give (kept in the answer, for the caller to give
// where it shows that answer). The reads go out level by level (ReadRounds.h):
// the index header once, then each level's nodes in one batch, each node once.
//
//   auto answers = KFindMany(LogicalOpen("PARTI"), keys);
//   if (answers[3].error) std::rethrow_exception(answers[3].error);
//   if (answers[3].Rec > 0) ...
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "base/Notice.h"
#include "engine/cLogicalFile.h"

namespace velta {

struct KeyAnswer {
  std::string Key;              // the key as KFind leaves it (cut or padded; the next key's on an inexact hit)
  int32_t Rec = 0;
  std::string Buff;             // the cursor, as KFind leaves a fresh buffer
  std::exception_ptr error;     // what KFind would raise
  std::vector<Notice> notices;  // what KFind would give
};

// KFind of every key on a fresh buffer.
std::vector<KeyAnswer> KFindMany(const LogicalFileHandle& LogicalFile, const std::vector<std::string>& keys);

struct RecordAnswer {
  std::string record;
  std::exception_ptr error;  // what LreadFile would raise
};

// LreadFile of every record number.
std::vector<RecordAnswer> LreadMany(const LogicalFileHandle& LogicalFile, const std::vector<int32_t>& records);

}  // namespace velta
