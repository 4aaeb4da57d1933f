#include "engine/cOpenFile.h"

#include "platform/ShareBackend.h"

namespace velta {

OpenFileHandle cOpenFiles::Add(int32_t vbFileNumber, std::string Path, int32_t Position, std::string_view sKey) {
  auto file = std::make_shared<cOpenFile>();
  file->vbFileNumber = vbFileNumber;
  file->Path = std::move(Path);
  file->Position = Position;
  return KeyedCollection::Add(std::move(file), sKey);
}

}  // namespace velta
