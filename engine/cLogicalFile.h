// A logical file (a record file or an index inside a physical data file) and
// the registry of them. LogicalOpen (engine/LogicalFile.h) fills and
// registers them under the caller's name; PhysLogicalOpen without a key.
//
//   auto parts = LogicalOpen("PARTL");
//   parts->RecordLength;     // bytes per record, from the directory file
//   parts->ActiveCount();    // records in use, from record zero
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/KeyedCollection.h"
#include "engine/cOpenFile.h"

namespace velta {

class cLogicalFile {
 public:
  std::string FileName;        // the name the caller gave (also the registry key), or the full path
  std::string FileType;        // "L" record file, "I" index file; other letters are carried
  OpenFileHandle OpenFile;     // the physical data file that holds it
  int32_t Position = 0;        // start inside the physical file, in 512-byte blocks
  int32_t Flags = 0;           // flag word of the directory entry, carried only
  int32_t RecordLength = 0;    // bytes per record
  int32_t LastRecord = 0;      // highest valid record number

  // Bytes 11-14 and 7-10 of record zero ("L"); 0 when not open or not of type "L".
  int32_t ActiveCount(bool Orb = false) const;
  int32_t HighUsedRecord(bool Orb = false) const;
};

using LogicalFileHandle = std::shared_ptr<cLogicalFile>;

class cLogicalFiles : public KeyedCollection<cLogicalFile> {
 public:
  cLogicalFiles() : KeyedCollection("cLogicalFiles") {}
  LogicalFileHandle Add(std::string FileName, std::string FileType, OpenFileHandle OpenFile, int32_t Position,
                        int32_t Flags, int32_t RecordLength, int32_t LastRecord, std::string_view sKey = {});
};

}  // namespace velta
