// Keyed index navigation over the business system's B+-tree index files.
#pragma once

#include <cstdint>
#include <string>

#include "records/cLogicalFile.h"

namespace velta {

void KFind(const LogicalFileHandle& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec);
void KNext(const LogicalFileHandle& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec);
void KPrev(const LogicalFileHandle& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec);
void KLast(const LogicalFileHandle& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec);
int32_t KCount(const LogicalFileHandle& LogicalFile);
int32_t KLength(const LogicalFileHandle& LogicalFile);

}  // namespace velta
