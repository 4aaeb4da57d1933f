// Logical files: resolved by name through the links file and a directory
// file, and read and written as fixed-length records by record number.
//
// With mUNCDrive SRV and mDirectory D1, "VNDRI" is looked up under the link
// key ":D1:VNDRI"; its link names the directory file ":D1:VNDRDI", which is
// \\SRV\HBTSLNK\D1\VNDRDI, and the records lie in \\SRV\HBTSLNK\D1\VNDRDB.
//
//   auto vendors = LogicalOpen("VNDRL");          // nullptr: unknown name
//   std::string record = LreadFile(vendors, 12);  // RecordLength bytes
//
// Errors: a none handle -10 "LogicalFile parameter is undefined" (source
// "iLreadFile" or "iLwriteFile"); a record number outside 1..LastRecord 81;
// data of the wrong length 36; an offset beyond 32 bits 6.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/cLogicalFile.h"

namespace velta {

// The registered logical file of that name, else one resolved through the
// links and directory files and registered; nullptr (no error) when unknown.
LogicalFileHandle LogicalOpen(std::string_view FileName);
// The steps of that resolution, for messages about names that resolve to nothing:
// the link key of a name; the directory file of a link's ResolutionFile; the
// data file beside a directory file.
std::string linkKey(std::string_view FileName);
std::string directoryFilePath(std::string_view ResolutionFile);
std::string dataFilePath(std::string_view directoryPath);
// A whole physical file as one logical file. `FileName` becomes the full path;
// a `LastRecord` of 0 becomes (file length / RecordLength) - 1.
LogicalFileHandle PhysLogicalOpen(std::string& FileName, std::string_view FileType, int32_t RecordLength,
                                  int32_t& LastRecord);
std::string LreadFile(const LogicalFileHandle& LogicalFile, int32_t RecordNumber);
void LwriteFile(const LogicalFileHandle& LogicalFile, int32_t RecordNumber, std::string_view Data);

}  // namespace velta
