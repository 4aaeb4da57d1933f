// The engine's three registries in the engine state: the link table, the
// open physical files and the open logical files.
//
// The engine's start-up creates them (createRegistries); until it has, every
// operation that needs one fails with 91 "Object variable or With block
// variable not set". Replacing them leaves the handles of the old ones usable
// by their holders; a descriptor closes when its last holder lets go.
//
//   createRegistries();                        // reads \\SRV\HBTSLNK\LINKSFILE
//   auto files = requireOpenFiles("OpenFile"); // 91 with source "OpenFile" when absent
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace velta {

class cLinks;
class cOpenFiles;
class cLogicalFiles;

// "\\" + mUNCDrive + "\HBTSLNK\LINKSFILE": at the root of the link share.
std::string linksFilePath();

// Loads the link table from the links file (empty when there is none; the file
// is not created) and replaces all three registries. A read failure of the
// links file goes to the caller and leaves the registries as they were.
void createRegistries();

// The registry, or 91 with `source` when the start-up has not created it.
std::shared_ptr<cLinks> requireLinks(std::string_view source);
std::shared_ptr<cOpenFiles> requireOpenFiles(std::string_view source);
std::shared_ptr<cLogicalFiles> requireLogicalFiles(std::string_view source);

}  // namespace velta
