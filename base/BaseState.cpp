#include "base/BaseState.h"

#include "base/CompressedText.h"

namespace velta {

BaseState::BaseState() : compressionAlphabet(kDefaultCompressionAlphabet) {}

BaseState& baseState() {
  static BaseState state;
  return state;
}

void notify(const Notice& notice) {
  if (baseState().notice) baseState().notice(notice);
}

}  // namespace velta
