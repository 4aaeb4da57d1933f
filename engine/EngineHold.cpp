#include "engine/EngineHold.h"

#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"

namespace velta {

EngineHold::EngineHold() { ++engineState().engineHolds; }

EngineHold::~EngineHold() {
  EngineState& state = engineState();
  if (--state.engineHolds == 0) state.engine.reset();
}

int EngineHold::count() { return engineState().engineHolds; }

}  // namespace velta
