// Logical files: resolved by name through the links file and a directory
// file, and read and written as fixed-length records by record number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "records/cLogicalFile.h"

namespace velta {

// The registered logical file of that name, else one resolved through the
// links and directory files and registered; nullptr (no error) when unknown.
LogicalFileHandle LogicalOpen(std::string_view FileName);
// A whole physical file as one logical file. `FileName` becomes the full path;
// a `LastRecord` of 0 becomes (file length / RecordLength) - 1.
LogicalFileHandle PhysLogicalOpen(std::string& FileName, std::string_view FileType, int32_t RecordLength,
                                  int32_t& LastRecord);
std::string LreadFile(const LogicalFileHandle& LogicalFile, int32_t RecordNumber);
void LwriteFile(const LogicalFileHandle& LogicalFile, int32_t RecordNumber, std::string_view Data);

}  // namespace velta
