// clsLines unpacking on arbitrary combined record bytes, then Pack back into
// them: no crash, no endless commodity walk, and the length never changes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzEngine.h"
#include "records/clsLines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  velta::fuzz::startEngineOnce();
  std::string rec(reinterpret_cast<const char*>(data), size);
  velta::clsLines line(nullptr, nullptr);
  line.UnpackRecord(rec);
  if (line.Comodities.size() != 1) std::abort();
  line.Pack(rec);
  if (rec.size() != size) std::abort();
  return 0;
}
