// The engine the record fuzz targets unpack with: started once, on a share that
// cannot be reached, so the field routines work and no file is touched.
#pragma once

#include <memory>

#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"

namespace velta::fuzz {

inline void startEngineOnce() {
  static const bool started = [] {
    engineState().engine = std::make_shared<cBusinessBasic>();
    return true;
  }();
  (void)started;
}

}  // namespace velta::fuzz
