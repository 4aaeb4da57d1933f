// The link table: logical file names of the business system and the directory
// files that resolve them, loaded from the links file (format in cLinks.cpp).
//
//   cLinks links(linksFileText);
//   links.Find(":D1:VNDRI")->ResolutionFile   // ":D1:VNDRDI"
#pragma once

#include <memory>
#include <string>

#include "base/KeyedCollection.h"

namespace velta {

class cLink {
 public:
  std::string LinkFile;        // logical file name, such as ":D1:VNDRI"
  std::string ResolutionFile;  // the directory file, with ":" where a path separator goes
};

class cLinks : public KeyedCollection<cLink> {
 public:
  // An empty table.
  cLinks() : KeyedCollection("cLinks") {}
  // The table of a links file's bytes.
  explicit cLinks(std::string_view linksFileText);
  std::shared_ptr<cLink> Add(std::string LinkFile, std::string ResolutionFile, std::string_view sKey = {});
};

}  // namespace velta
