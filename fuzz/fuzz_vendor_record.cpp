// clsVendor.Unpack on arbitrary record bytes, then Pack back into them: no
// crash, and packing never changes the record's length.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzEngine.h"
#include "records/clsVendor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  velta::fuzz::startEngineOnce();
  std::string rec(reinterpret_cast<const char*>(data), size);
  velta::clsVendor vendor;
  vendor.Unpack(rec);
  vendor.Pack(rec);
  if (rec.size() != size) std::abort();
  return 0;
}
