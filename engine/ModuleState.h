// The module-level state of the core, held in one place.
//
// One set per process: the controls run on the host's user-interface thread,
// and each control library links its own copy of the core (hidden visibility),
// so each keeps its own set. Nothing else in the core keeps global state.
//
//   moduleState().compressionAlphabet   // used by Crm and Ucm
//   moduleState().system                // the shared cSystem
#pragma once

#include <memory>
#include <string>

#include "engine/Clock.h"
#include "engine/Notice.h"

namespace velta {

class cSystem;
class cEpcInfo;
class cLinks;
class cOpenFiles;
class cLogicalFiles;
class cBusinessBasic;
class ShareAccess;
class FileNumbers;

struct ModuleState {
  ModuleState();
  ~ModuleState();

  // Crm and Ucm read it; Stma code 10 replaces its first four characters.
  std::string compressionAlphabet;

  // Filled by LoadSiteSettings and by the engine's start-up.
  std::shared_ptr<cSystem> system;
  std::shared_ptr<cEpcInfo> epcInfo;

  // The engine's registries, created by its start-up (none while the share is unreachable).
  std::shared_ptr<cLinks> links;
  std::shared_ptr<cOpenFiles> openFiles;
  std::shared_ptr<cLogicalFiles> logicalFiles;
  // The file numbers of open physical files (PhysicalFile.cpp); shared with every
  // open descriptor so that a number is given back when its descriptor closes.
  std::shared_ptr<FileNumbers> fileNumbers;

  // The shared engine that LoadSiteSettings creates.
  std::shared_ptr<cBusinessBasic> engine;

  // Where the business system's UNC paths lie (platform/ShareAccess.h).
  std::unique_ptr<ShareAccess> shares;

  NoticeCallback notice;

  // Where Now and Sys take the date and time; empty: the system's local clock.
  ClockFunction clock;
};

ModuleState& moduleState();

}  // namespace velta
