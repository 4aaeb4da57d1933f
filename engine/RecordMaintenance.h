// Record zero, the free list, deleting and allocating records, initialising
// files, and the lock operations (which take no locks here and answer 0).
#pragma once

#include <cstdint>
#include <string_view>

#include "records/cLogicalFile.h"

namespace velta {

int32_t PhysicalLock(std::string_view FileName, int32_t Position, int32_t LockLength);
int32_t LogicalLock(const LogicalFileHandle& LogicalFile, int32_t RecordNumber);
int32_t ReleaseLock(int32_t LockNumber);
void DelRec(const LogicalFileHandle& LogicalFile, int32_t RecordNumber);
void GetRec(const LogicalFileHandle& LogicalFile, int32_t& RecordNumber);
void InitFile(const LogicalFileHandle& LogicalFile, int32_t KeyLength = 0, bool DuplicateKeys = false,
              int32_t BlockingFactor = 0);

}  // namespace velta
