// A physical file the engine has open, and the registry of them.
//
// The descriptor (`file`) is shared by every holder of the handle: it closes
// when the last holder lets go, or when CloseFile closes it. The registry
// (cOpenFiles) keys each handle by its full path in normal form, so a path is
// opened once.
//
//   std::string name = "VNDRDB";
//   OpenFileHandle file = OpenFile(name);   // engine/PhysicalFile.h
//   file->Path;                             // "\\SRV\HBTSLNK\D1\VNDRDB"
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/KeyedCollection.h"

namespace velta {

class ShareFile;

class cOpenFile {
 public:
  int32_t vbFileNumber = 0;   // the file number of the open file
  std::string Path;           // full path as opened; the registry key
  int32_t Position = 0;       // 0-based offset kept for writes that name none

  std::shared_ptr<ShareFile> file;  // the open descriptor; empty once closed
};

using OpenFileHandle = std::shared_ptr<cOpenFile>;

class cOpenFiles : public KeyedCollection<cOpenFile> {
 public:
  cOpenFiles() : KeyedCollection("cOpenFiles") {}
  OpenFileHandle Add(int32_t vbFileNumber, std::string Path, int32_t Position, std::string_view sKey = {});
};

}  // namespace velta
