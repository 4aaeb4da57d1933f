#include "engine/LogicalFile.h"

#include <algorithm>

#include "engine/DirectoryFile.h"
#include "base/EngineError.h"
#include "engine/EngineState.h"
#include "engine/PhysicalFile.h"
#include "engine/ReadScope.h"
#include "engine/Registries.h"
#include "platform/ShareAccess.h"
#include "engine/cLinks.h"
#include "engine/cSystem.h"

namespace velta {

namespace {

// A number as the runtime's Str() writes it: a blank where a minus sign would go.
std::string withSignPlace(int64_t number) {
  return number >= 0 ? " " + std::to_string(number) : std::to_string(number);
}

void checkRecordNumber(const cLogicalFile& file, int32_t RecordNumber, const char* source) {
  if (RecordNumber < 1 || RecordNumber > file.LastRecord) {
    throw EngineError(
        81, source, "Illegal Record Number for File: " + file.FileName + " and Record: " + withSignPlace(RecordNumber));
  }
}

int32_t recordOffset(const cLogicalFile& file, int32_t RecordNumber, const char* source) {
  return checkedOffset(int64_t{RecordNumber} * file.RecordLength + int64_t{file.Position} * kBlockSize, source);
}

std::optional<DirectoryEntry> lookUpDirectory(const std::string& directoryPath, std::string_view bareName) {
  // A directory that cannot be opened or read holds no names.
  try {
    ReadScope* const job = ReadScope::current();
    const std::string key = normalUncText(directoryPath);
    if (job) {
      // Within one job each directory is read once, whichever of its files are opened.
      if (const std::string* kept = job->keptFile(key)) return findDirectoryEntry(*kept, bareName);
    }
    const auto directory = shareAccess().open(directoryPath);
    if (!directory) return std::nullopt;
    if (!job) return findDirectoryEntry(*directory, bareName);
    std::string bytes = readDirectoryFile(*directory);
    auto entry = findDirectoryEntry(bytes, bareName);
    job->keepFile(key, std::move(bytes));
    return entry;
  } catch (const EngineError&) {
    return std::nullopt;
  }
}

}  // namespace

std::string linkKey(std::string_view FileName) {
  if (!FileName.empty() && FileName.front() == ':') return std::string(FileName);
  return ":" + engineState().system->mDirectory + ":" + std::string(FileName);
}

std::string directoryFilePath(std::string_view ResolutionFile) {
  std::string path = "\\\\" + engineState().system->mUNCDrive + "\\HBTSLNK\\" + std::string(ResolutionFile);
  std::replace(path.begin(), path.end(), ':', '\\');
  return path;
}

std::string dataFilePath(std::string_view directoryPath) {
  return std::string(directoryPath.substr(0, directoryPath.size() < 2 ? 0 : directoryPath.size() - 2)) + "DB";
}

LogicalFileHandle LogicalOpen(std::string_view FileName) {
  auto& state = engineState();
  // Without registries nothing resolves; the caller reports the name as not found.
  const auto logicalFiles = state.logicalFiles;
  const auto links = state.links;
  if (!logicalFiles || !links) return nullptr;
  if (auto registered = logicalFiles->Find(FileName)) return registered;
  // A run collecting its reads opens nothing out of turn (ReadRounds.h).
  if (const ReadScope* scope = ReadScope::current(); scope && !scope->openingAllowed()) throw ReadNotHeld{};

  const auto link = links->Find(linkKey(FileName));
  if (!link) return nullptr;
  const std::string directoryPath = directoryFilePath(link->ResolutionFile);
  std::string dataPath = dataFilePath(directoryPath);
  const std::size_t colon = FileName.rfind(':');
  const std::string_view bareName = colon == std::string_view::npos ? FileName : FileName.substr(colon + 1);

  const auto entry = lookUpDirectory(directoryPath, bareName);
  // The data file is opened whether or not the name was found, as the
  // business system's own programs do; a data file that cannot be opened
  // leaves the logical file without a handle, and its reads fail with 91.
  OpenFileHandle data;
  try {
    data = OpenFile(dataPath);
  } catch (const EngineError&) {
  }
  if (!entry) return nullptr;
  const std::string key(FileName);
  return logicalFiles->Add(key, entry->FileType, data, entry->Position, entry->Flags, entry->RecordLength,
                           entry->LastRecord, key);
}

LogicalFileHandle PhysLogicalOpen(std::string& FileName, std::string_view FileType, int32_t RecordLength,
                                  int32_t& LastRecord) {
  const auto registry = requireLogicalFiles("PhysLogicalOpen");
  auto file = OpenFile(FileName);
  if (!file) return nullptr;
  if (LastRecord == 0) {
    if (RecordLength == 0) throw EngineError::general(err::DivisionByZero, "PhysLogicalOpen");
    if (!file->file) throw EngineError::fileSystem(err::BadFileNumber, "PhysLogicalOpen", file->Path);
    const auto length = static_cast<int64_t>(file->file->size());
    LastRecord = checkedOffset(length / RecordLength - 1, "PhysLogicalOpen");
  }
  return registry->Add(FileName, std::string(FileType), file, 0, 0, RecordLength, LastRecord);
}

std::string LreadFile(const LogicalFileHandle& LogicalFile, int32_t RecordNumber) {
  if (!LogicalFile) throw EngineError(err::NotFound, "iLreadFile", "LogicalFile parameter is undefined");
  checkRecordNumber(*LogicalFile, RecordNumber, "iLreadFile");
  return ReadFile(LogicalFile->OpenFile, LogicalFile->RecordLength,
                  recordOffset(*LogicalFile, RecordNumber, "iLreadFile"));
}

void LwriteFile(const LogicalFileHandle& LogicalFile, int32_t RecordNumber, std::string_view Data) {
  if (!LogicalFile) throw EngineError(err::NotFound, "iLwriteFile", "LogicalFile parameter is undefined");
  checkRecordNumber(*LogicalFile, RecordNumber, "iLwriteFile");
  if (static_cast<int64_t>(Data.size()) != LogicalFile->RecordLength) {
    throw EngineError(
        36, "iLwriteFile",
        "Illegal Data length for this record.  Size is: " + withSignPlace(static_cast<int64_t>(Data.size())) +
            " and should be " + withSignPlace(LogicalFile->RecordLength));
  }
  WriteFile(LogicalFile->OpenFile, Data, recordOffset(*LogicalFile, RecordNumber, "iLwriteFile"));
}

}  // namespace velta
