#include "engine/PhysicalFile.h"

#include <limits>
#include <set>

#include "base/EngineError.h"
#include "engine/EngineState.h"
#include "engine/ReadScope.h"
#include "engine/Registries.h"
#include "platform/ShareAccess.h"
#include "engine/cSystem.h"

namespace velta {

// File numbers of the open descriptors: the lowest free one is handed out, and a
// number comes back when the last holder of its descriptor lets go.
class FileNumbers {
 public:
  int32_t acquire() {
    int32_t number = 1;
    for (const int32_t used : inUse_) {
      if (used != number) break;
      ++number;
    }
    inUse_.insert(number);
    return number;
  }
  void release(int32_t number) { inUse_.erase(number); }

 private:
  std::set<int32_t> inUse_;
};

namespace {

constexpr int32_t kMaxOffset = std::numeric_limits<int32_t>::max();

std::shared_ptr<FileNumbers> fileNumbers() {
  auto& numbers = engineState().fileNumbers;
  if (!numbers) numbers = std::make_shared<FileNumbers>();
  return numbers;
}

// The descriptor of an open handle. The runtime addresses bytes 1-based, so an
// offset must leave room for the + 1.
ShareFile& descriptor(const OpenFileHandle& file, int32_t offset, std::string_view source) {
  if (!file) throw EngineError::general(err::ObjectNotSet, std::string(source));
  if (!file->file) throw EngineError::fileSystem(err::BadFileNumber, std::string(source), file->Path);
  if (offset < 0) throw EngineError::general(err::BadRecordNumber, std::string(source));
  if (offset == kMaxOffset) throw EngineError::general(err::Overflow, std::string(source));
  return *file->file;
}

}  // namespace

int32_t checkedOffset(int64_t offset, std::string_view source) {
  if (offset > kMaxOffset || offset < std::numeric_limits<int32_t>::min()) {
    throw EngineError::general(err::Overflow, std::string(source));
  }
  return static_cast<int32_t>(offset);
}

std::string fullPath(std::string_view FileName) {
  if (FileName.find('\\') != std::string_view::npos) return std::string(FileName);
  const auto& system = *engineState().system;
  return "\\\\" + system.mUNCDrive + "\\HBTSLNK\\" + system.mDirectory + "\\" + std::string(FileName);
}

OpenFileHandle OpenFile(std::string& FileName) {
  FileName = fullPath(FileName);
  const auto registry = requireOpenFiles("OpenFile");
  const std::string key = normalUncText(FileName);
  if (auto registered = registry->Find(key)) return registered;
  // A run collecting its reads opens nothing out of turn (ReadRounds.h).
  if (const ReadScope* scope = ReadScope::current(); scope && !scope->openingAllowed()) throw ReadNotHeld{};

  std::unique_ptr<ShareFile> opened = shareAccess().open(FileName);
  if (!opened) return nullptr;
  auto numbers = fileNumbers();
  const int32_t number = numbers->acquire();
  auto handle = registry->Add(number, key, 0, key);
  handle->file = std::shared_ptr<ShareFile>(opened.release(), [numbers, number](ShareFile* file) {
    delete file;
    numbers->release(number);
  });
  return handle;
}

void CloseFile(const OpenFileHandle& file) {
  if (!file) throw EngineError::general(err::ObjectNotSet, "CloseFile");
  const auto registry = requireOpenFiles("CloseFile");
  // Only this very handle: a handle kept from replaced registries must not
  // close the file that the current registry holds under the same path.
  if (registry->Find(file->Path) != file) return;
  registry->Remove(file->Path);
  file->file.reset();
}

std::string ReadFile(const OpenFileHandle& file, int32_t BytesToRead, int32_t Position) {
  if (BytesToRead < 0) throw EngineError::general(err::InvalidCall, "ReadFile");
  descriptor(file, Position, "ReadFile");
  // One read: the share reads all it can, and less only at the end of the file,
  // where the rest stays blank. Within a job, what it read before is not asked again.
  std::string data(static_cast<std::size_t>(BytesToRead), ' ');
  readKept(*file->file, static_cast<uint64_t>(Position), data.data(), data.size());
  return data;
}

void WriteFile(const OpenFileHandle& file, std::string_view Data, int32_t Position) {
  if (!file) throw EngineError(err::NotFound, "iwriteFile", "OpenFile parameter is undefined");
  if (Position >= 0) {
    descriptor(file, Position, "WriteFile");
    file->Position = Position;
  }
  ShareFile& share = descriptor(file, file->Position, "WriteFile");
  if (!Data.empty()) share.writeAt(static_cast<uint64_t>(file->Position), Data.data(), Data.size());
}

std::string BlockReadFile(const OpenFileHandle& file, int32_t BlockNumber) {
  return ReadFile(file, kBlockSize, checkedOffset(int64_t{BlockNumber} * kBlockSize, "BlockReadFile"));
}

void BlockWriteFile(const OpenFileHandle& file, int32_t BlockNumber, std::string_view Record) {
  // A negative offset would make WriteFile reuse the handle's last position and
  // put the block somewhere else: refuse it instead.
  if (BlockNumber < 0) throw EngineError::general(err::BadRecordNumber, "BlockWriteFile");
  WriteFile(file, Record, checkedOffset(int64_t{BlockNumber} * kBlockSize, "BlockWriteFile"));
}

}  // namespace velta
