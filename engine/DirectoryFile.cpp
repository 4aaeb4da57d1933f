// A directory file is a run of 32-byte entries, one per logical file; a final
// incomplete entry is not an entry. Positions 1-based, integers big-endian:
//
//   bytes   opcode  field
//   1-10    text    logical file name (trailing NUL, tab, LF, CR, blanks removed)
//   7-8     "C"     Flags (shares its bytes with the name: names are up to 6 characters)
//   11-13   "D"     Position: first 512-byte block in the data file
//   14-15   "C"     RecordLength
//   16      text    FileType: "L" record file, "I" index; others are carried
//   17-20   "L"     LastRecord
//   21-32   -       not used
#include "engine/DirectoryFile.h"

#include "base/FieldPacking.h"
#include "base/TextUtilities.h"
#include "platform/ShareBackend.h"

namespace velta {

namespace {
constexpr std::size_t kNameWidth = 10;
constexpr std::size_t kFileTypeOffset = 15;  // byte 16
// Entries read at a time: one read finds the name in most directories.
constexpr std::size_t kEntriesPerRead = 128;
}  // namespace

DirectoryEntry parseDirectoryEntry(std::string_view entry) {
  DirectoryEntry out;
  out.name = Trun(entry.substr(0, kNameWidth), 1);
  out.Flags = Unpack("C", entry, 7);
  out.Position = Unpack("D", entry, 11);
  out.RecordLength = Unpack("C", entry, 14);
  out.FileType = std::string(entry.substr(kFileTypeOffset, 1));
  out.LastRecord = Unpack("L", entry, 17);
  return out;
}

std::optional<DirectoryEntry> findDirectoryEntry(std::string_view bytes, std::string_view bareName) {
  for (std::size_t at = 0; at + kDirectoryEntrySize <= bytes.size(); at += kDirectoryEntrySize) {
    const std::string_view entry = bytes.substr(at, kDirectoryEntrySize);
    if (Trun(entry.substr(0, kNameWidth), 1) == bareName) return parseDirectoryEntry(entry);
  }
  return std::nullopt;
}

std::string readDirectoryFile(ShareFile& directory) {
  std::string bytes;
  std::string chunk(kEntriesPerRead * kDirectoryEntrySize, '\0');
  for (;;) {
    const std::size_t got = directory.readAt(bytes.size(), chunk.data(), chunk.size());
    bytes.append(chunk, 0, got);
    if (got < chunk.size()) return bytes;
  }
}

std::optional<DirectoryEntry> findDirectoryEntry(ShareFile& directory, std::string_view bareName) {
  std::string chunk(kEntriesPerRead * kDirectoryEntrySize, '\0');
  uint64_t offset = 0;
  for (;;) {
    // Short only at the end of the file.
    const std::size_t got = directory.readAt(offset, chunk.data(), chunk.size());
    const std::size_t complete = got / kDirectoryEntrySize;
    for (std::size_t i = 0; i < complete; ++i) {
      const std::string_view entry = std::string_view(chunk).substr(i * kDirectoryEntrySize, kDirectoryEntrySize);
      if (Trun(entry.substr(0, kNameWidth), 1) == bareName) return parseDirectoryEntry(entry);
    }
    if (got < chunk.size()) return std::nullopt;
    offset += got;
  }
}

}  // namespace velta
