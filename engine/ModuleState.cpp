#include "engine/ModuleState.h"

#include "engine/CompressedText.h"
#include "platform/ShareAccess.h"
#include "records/cSystem.h"

namespace velta {

ModuleState::ModuleState()
    : compressionAlphabet(kDefaultCompressionAlphabet), system(std::make_shared<cSystem>()) {}

ModuleState::~ModuleState() = default;

ModuleState& moduleState() {
  static ModuleState state;
  return state;
}

void notify(const Notice& notice) {
  if (moduleState().notice) moduleState().notice(notice);
}

}  // namespace velta
