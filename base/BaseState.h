// The little state that the base routines need, held in one place.
//
// One set per process: the controls run on the host's user-interface thread,
// and each control library links its own copy of the core (hidden visibility),
// so each keeps its own set. The engine keeps its own state (engine/EngineState.h).
//
//   baseState().compressionAlphabet   // used by Crm and Ucm; Stma 10 changes it
//   baseState().clock                 // where Now and Sys take the date and time
//   baseState().notice                // where the core's notices go
#pragma once

#include <string>

#include "base/Clock.h"
#include "base/Notice.h"

namespace velta {

struct BaseState {
  BaseState();

  // Crm and Ucm read it; Stma code 10 replaces its first four characters.
  std::string compressionAlphabet;

  NoticeCallback notice;

  // Where Now and Sys take the date and time; empty: the system's local clock.
  ClockFunction clock;
};

BaseState& baseState();

}  // namespace velta
