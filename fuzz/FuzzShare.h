// The in-memory share the fuzz targets serve their input from: \\SRV\HBTSLNK,
// with the system object naming server SRV and dealer directory D1, made once
// per process.
//
//   velta::MemoryShare& files = fuzzShare();
//   files.put("D1/FUZZDI", input);      // \\SRV\HBTSLNK\D1\FUZZDI
#pragma once

#include <memory>
#include <string>

#include "engine/EngineState.h"
#include "platform/MemoryShare.h"
#include "platform/ShareAccess.h"
#include "engine/cSystem.h"

inline velta::MemoryShare& fuzzShare() {
  static velta::MemoryShare* files = [] {
    auto owned = std::make_unique<velta::MemoryShare>();
    velta::MemoryShare* raw = owned.get();
    velta::shareAccess().configure({std::string(), std::string()});
    velta::shareAccess().addBackend("SRV", "HBTSLNK", std::move(owned));
    auto& system = *velta::engineState().system;
    system.mUNCDrive = "SRV";
    system.mDirectory = "D1";
    return raw;
  }();
  return *files;
}
