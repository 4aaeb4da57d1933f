// Directory files: where each logical file lies inside its physical data file.
//
//   auto entry = findDirectoryEntry(*shareAccess().open(directoryPath), "VNDRI");
//   if (entry) ... entry->Position, entry->RecordLength ...
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velta {

class ShareFile;

inline constexpr int32_t kDirectoryEntrySize = 32;

struct DirectoryEntry {
  std::string name;  // bytes 1-10 without trailing NUL, tab, LF, CR and blanks
  std::string FileType;
  int32_t Position = 0;
  int32_t Flags = 0;
  int32_t RecordLength = 0;
  int32_t LastRecord = 0;
};

// The fields of one entry of exactly kDirectoryEntrySize bytes.
DirectoryEntry parseDirectoryEntry(std::string_view entry);

// The first complete entry whose name equals `bareName` exactly (letter case
// counts), read from the start of the file; nothing when no entry matches.
std::optional<DirectoryEntry> findDirectoryEntry(ShareFile& directory, std::string_view bareName);
// The same in a directory file's bytes.
std::optional<DirectoryEntry> findDirectoryEntry(std::string_view bytes, std::string_view bareName);
// The whole directory file, most often in one read.
std::string readDirectoryFile(ShareFile& directory);

}  // namespace velta
