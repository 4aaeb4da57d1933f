#include "records/clnLines.h"

#include <string>

#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"

namespace velta {

namespace {

constexpr int32_t kFirstLineNotListed = 1000;

}  // namespace

clnLines::clnLines() {
  const auto engine = engineState().engine;
  if (!engine) throw EngineError::general(err::ObjectNotSet, "clnLines");
  const LogicalFileHandle lineFile = engine->LogicalOpen("LINEL");
  if (!lineFile) throw EngineError::general(err::ObjectNotSet, "clnLines");
  for (int32_t i = 1; i <= lineFile->LastRecord; ++i) {
    const std::string rec = engine->LreadFile(lineFile, i, true);
    std::string status = "J";
    std::string number = "C";
    if (engine->Unpack(status, rec, 1) >= 1 && engine->Unpack(number, rec, 3) < kFirstLineNotListed) {
      auto line = std::make_shared<clsLines>();
      line->Read(i, true);
      Add(line, std::to_string(line->Line));
    }
  }
}

}  // namespace velta
