// A field descriptor of a record layout: name, data type, length, start and
// type code (TypeSpec). It belongs to the library for callers that describe records;
// no routine of the core uses it.
//
//   cInterface field{"VENDOR_NUMBER", "N", 4, 1, 0};
#pragma once

#include <cstdint>
#include <string>

namespace velta {

class cInterface {
 public:
  std::string Name;
  std::string DataType;
  int32_t Length = 0;
  int32_t Start = 0;
  int32_t TypeSpec = 0;
};

}  // namespace velta
