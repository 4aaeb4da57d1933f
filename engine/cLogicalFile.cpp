// Record zero of a record file ("L"), as far as the registry reads it; the
// whole header is described with the record maintenance routines:
//
//   bytes   opcode  field
//   7-10    "L"     highest record number ever handed out
//   11-14   "L"     number of records in use
#include "engine/cLogicalFile.h"

#include "base/FieldPacking.h"
#include "engine/PhysicalFile.h"

namespace velta {

namespace {
constexpr int32_t kHeaderLength = 16;
constexpr int32_t kHighUsedField = 7;
constexpr int32_t kActiveCountField = 11;

int32_t headerField(const cLogicalFile& file, int32_t position, std::string_view source) {
  if (!file.OpenFile || file.FileType != "L") return 0;
  const int32_t offset = checkedOffset(int64_t{file.Position} * kBlockSize, source);
  return Unpack("L", ReadFile(file.OpenFile, kHeaderLength, offset), position);
}
}  // namespace

int32_t cLogicalFile::ActiveCount(bool) const { return headerField(*this, kActiveCountField, "ActiveCount"); }

int32_t cLogicalFile::HighUsedRecord(bool) const { return headerField(*this, kHighUsedField, "HighUsedRecord"); }

LogicalFileHandle cLogicalFiles::Add(std::string FileName, std::string FileType, OpenFileHandle OpenFile,
                                     int32_t Position, int32_t Flags, int32_t RecordLength, int32_t LastRecord,
                                     std::string_view sKey) {
  auto file = std::make_shared<cLogicalFile>();
  file->FileName = std::move(FileName);
  file->FileType = std::move(FileType);
  file->OpenFile = std::move(OpenFile);
  file->Position = Position;
  file->Flags = Flags;
  file->RecordLength = RecordLength;
  file->LastRecord = LastRecord;
  return KeyedCollection::Add(std::move(file), sKey);
}

}  // namespace velta
