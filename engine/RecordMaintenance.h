// Record zero, the free list, deleting and allocating records, initialising
// files, and the lock operations (which take no locks here and answer 0).
// The layouts of record zero and of a fresh index are described in
// RecordMaintenance.cpp.
//
//   DelRec(parts, 5);        // record 5 heads the free list; one record fewer in use
//   InitFile(partIndex, 10, false, 100);   // an empty index of 10-byte keys
//   GetRec(parts, rec);      // 57: record zero cannot be locked, so no record is handed out
//
// Errors: DelRec of a deleted record 81 "Attempt to delete a deleted record"
// (source "DelRec"), and LreadFile's 81 outside 1..LastRecord; InitFile of a
// none handle -10 "LogicalFile parameter is undefined" (source "iLwriteFile");
// other operations on a none handle 91.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/cLogicalFile.h"

namespace velta {

int32_t PhysicalLock(std::string_view FileName, int32_t Position, int32_t LockLength);
int32_t LogicalLock(const LogicalFileHandle& LogicalFile, int32_t RecordNumber);
int32_t ReleaseLock(int32_t LockNumber);
void DelRec(const LogicalFileHandle& LogicalFile, int32_t RecordNumber);
void GetRec(const LogicalFileHandle& LogicalFile, int32_t& RecordNumber);
void InitFile(const LogicalFileHandle& LogicalFile, int32_t KeyLength = 0, bool DuplicateKeys = false,
              int32_t BlockingFactor = 0);

}  // namespace velta
