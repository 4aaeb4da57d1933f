// Physical file access: full paths, the open-file registry, positioned reads
// and writes by byte offset and by 512-byte block.
//
// A name without a backslash lies in the dealer's data directory:
//   "VNDRI"  ->  "\\" + mUNCDrive + "\HBTSLNK\" + mDirectory + "\VNDRI"
// Offsets are 0-based. A path is opened once per registry and shared: the
// registry keys it in its normal form (either separator, runs of separators
// as one, letter case ignored), so "\\SRV\HBTSLNK\\D1/X" and "\\srv\hbtslnk\d1\x"
// are one file.
//
//   std::string name = "VNDRDB";
//   OpenFileHandle file = OpenFile(name);         // name is now the full path
//   if (file) std::string block = BlockReadFile(file, 3);   // bytes 1536..2047
//
// Errors: a none handle gives 91 (WriteFile: -10 "OpenFile parameter is
// undefined", source "iwriteFile"); a handle closed by CloseFile gives 52; an
// offset beyond 32 bits gives 6, a negative one 63; no registries (the
// engine's start-up did not create them) gives 91.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/cOpenFile.h"

namespace velta {

inline constexpr int32_t kBlockSize = 512;

// The full path rule.
std::string fullPath(std::string_view FileName);

// The registered handle of the path, else a newly opened and registered one;
// nullptr (no error) when there is no such file. `FileName` becomes the full path.
OpenFileHandle OpenFile(std::string& FileName);
// Closes the handle's file and unregisters its path, when the registry holds this
// very handle under it; a handle whose path is not registered is left alone.
void CloseFile(const OpenFileHandle& file);
// `BytesToRead` bytes at `Position`; bytes beyond the end of the file are blanks.
std::string ReadFile(const OpenFileHandle& file, int32_t BytesToRead, int32_t Position = 0);
// Writes `Data` at `Position` (a negative one: where the last write on this handle went).
void WriteFile(const OpenFileHandle& file, std::string_view Data, int32_t Position = 0);
std::string BlockReadFile(const OpenFileHandle& file, int32_t BlockNumber);
void BlockWriteFile(const OpenFileHandle& file, int32_t BlockNumber, std::string_view Record);

// A byte offset computed in 64 bits, as the 32-bit offset the file routines take;
// 6 "Overflow" with `source` when it does not fit.
int32_t checkedOffset(int64_t offset, std::string_view source);

}  // namespace velta
