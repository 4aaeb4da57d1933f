// Keyed index navigation over the business system's B+-tree index files
// (block layout in IndexNode.h, cursor layout in NavigationBuffer.h).
//
// The engine only reads indexes. The caller keeps the cursor in `Buff`
// between calls; `Key` and `Rec` give the entry reached. `Rec` is the data
// record of an exact hit, the negative record of the next higher key (whose
// key is then in `Key`) after KFind, and 0 when there is no entry (end or
// start of the index, the sentinel, or a record pointer of -1). `Key` is
// always cut or padded with NUL to the key length.
//
//   std::string buff, key = "ACME";
//   int32_t rec = 0;
//   KFind(file, buff, key, rec);           // rec > 0: "ACME\0\0" is there
//   while (rec != 0) { ...; KNext(file, buff, key, rec); }
//
// A corrupt index ends a call with engine error -20 (IndexBlocks.h); a node
// beyond the index's LastRecord on KFind's way down gives the index-range
// notice and Rec 0 instead.
#pragma once

#include <cstdint>
#include <string>

#include "engine/cLogicalFile.h"

namespace velta {

// The first entry whose key is at or after `Key`.
void KFind(const LogicalFileHandle& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec);
// The entry after the cursor; at the end Rec 0 and Buff and Key unchanged.
void KNext(const LogicalFileHandle& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec);
// The entry before the cursor; at the start Rec 0 and Buff and Key unchanged.
void KPrev(const LogicalFileHandle& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec);
// The last entry before the sentinel; Rec 0 (the cursor on the sentinel) when there is none.
void KLast(const LogicalFileHandle& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec);
// The number of keys, the sentinel not counted.
int32_t KCount(const LogicalFileHandle& LogicalFile);
// The header's entry length - 4.
int32_t KLength(const LogicalFileHandle& LogicalFile);

}  // namespace velta
