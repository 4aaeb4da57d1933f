// The engine's own state: the system object, the registries, the shares and
// the shared engine, held in one place.
//
// One set per process, as the base state (base/BaseState.h): each control
// library links its own copy of the core, so each keeps its own set.
//
//   engineState().system                // the shared cSystem
//   engineState().links                 // the links registry of the newest start-up
//   shareAccess().open(uncPath)         // the business system's shares
#pragma once

#include <cstdint>
#include <memory>

namespace velta {

class cSystem;
class cLinks;
class cOpenFiles;
class cLogicalFiles;
class cBusinessBasic;
class ShareAccess;
class FileNumbers;
class ReadScope;

struct EngineState {
  EngineState();
  ~EngineState();

  // Filled by LoadSiteSettings and by the engine's start-up.
  std::shared_ptr<cSystem> system;

  // The engine's registries, created by its start-up (none while the share is unreachable).
  std::shared_ptr<cLinks> links;
  std::shared_ptr<cOpenFiles> openFiles;
  std::shared_ptr<cLogicalFiles> logicalFiles;
  // The file numbers of open physical files (PhysicalFile.cpp); shared with every
  // open descriptor so that a number is given back when its descriptor closes.
  std::shared_ptr<FileNumbers> fileNumbers;

  // The shared engine that LoadSiteSettings creates, and the controls that
  // hold it (EngineHold.h): it goes with the last of them.
  std::shared_ptr<cBusinessBasic> engine;
  int engineHolds = 0;
  // Start-ups run so far, and the one whose registries are in use (EngineStartup.h).
  uint64_t engineStartups = 0;
  uint64_t newestEngine = 0;

  // Where the business system's UNC paths lie (platform/ShareAccess.h).
  std::unique_ptr<ShareAccess> shares;

  // The reads of the job under way, when one keeps them (ReadScope.h); not owned.
  ReadScope* reads = nullptr;
};

EngineState& engineState();

// The share access of the engine state, created on first use.
ShareAccess& shareAccess();

}  // namespace velta
