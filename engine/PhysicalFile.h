// Physical file access: full paths, the open-file registry, positioned reads
// and writes by byte offset and by 512-byte block.
//
// A name without a backslash lies in the dealer's data directory:
//   "VNDRI"  ->  "\\" + mUNCDrive + "\HBTSLNK\" + mDirectory + "\VNDRI"
// Offsets are 0-based. A path is opened once per registry and shared.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "records/cOpenFile.h"

namespace velta {

inline constexpr int32_t kBlockSize = 512;

// The full path rule.
std::string fullPath(std::string_view FileName);

// The registered handle of the path, else a newly opened and registered one;
// nullptr (no error) when there is no such file. `FileName` becomes the full path.
OpenFileHandle OpenFile(std::string& FileName);
// Closes and unregisters the handle's path; a path that is not registered is left alone.
void CloseFile(const OpenFileHandle& file);
// `BytesToRead` bytes at `Position`; bytes beyond the end of the file are blanks.
std::string ReadFile(const OpenFileHandle& file, int32_t BytesToRead, int32_t Position = 0);
// Writes `Data` at `Position` (a negative one: where the last write on this handle went).
void WriteFile(const OpenFileHandle& file, std::string_view Data, int32_t Position = 0);
std::string BlockReadFile(const OpenFileHandle& file, int32_t BlockNumber);
void BlockWriteFile(const OpenFileHandle& file, int32_t BlockNumber, std::string_view Record);

}  // namespace velta
