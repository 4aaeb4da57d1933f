#include "engine/EngineState.h"

#include "engine/cSystem.h"
#include "platform/ShareAccess.h"

namespace velta {

EngineState::EngineState() : system(std::make_shared<cSystem>()) {}

EngineState::~EngineState() = default;

EngineState& engineState() {
  static EngineState state;
  return state;
}

ShareAccess& shareAccess() {
  auto& state = engineState();
  if (!state.shares) state.shares = std::make_unique<ShareAccess>();
  return *state.shares;
}

}  // namespace velta
