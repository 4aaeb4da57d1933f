// The shared engine's holders: each control of a library holds it while it
// lives, and the last one to go releases it.
//
// Both controls of a library, and any number of each, share the one engine
// that LoadSiteSettings creates (engineState().engine). A control holds the
// engine from its construction to its end, whether or not it was ever shown:
//
//   class Control { EngineHold engine_; };   // the engine goes with the last control
//
// The count lives in the engine state, one per library copy of the core.
#pragma once

namespace velta {

class EngineHold {
 public:
  EngineHold();
  ~EngineHold();
  EngineHold(const EngineHold&) = delete;
  EngineHold& operator=(const EngineHold&) = delete;

  // The holds alive now.
  static int count();
};

}  // namespace velta
