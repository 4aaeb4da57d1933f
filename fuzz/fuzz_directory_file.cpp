// LogicalOpen and LreadFile over an arbitrary directory file (and the same
// bytes as the data file), through an in-memory share: no crash, no hang, and
// every failure an engine error; and within a job, where the directory is read
// whole and kept, LogicalOpen finds exactly the same entry.
//
// Input: the name to look up (bytes up to the first NUL, at most 10), then the
// directory file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "base/EngineError.h"
#include "engine/LogicalFile.h"
#include "engine/ReadScope.h"
#include "engine/Registries.h"
#include "engine/cLinks.h"
#include "engine/cLogicalFile.h"
#include "engine/cSystem.h"
#include "fuzz/FuzzShare.h"
#include "platform/MemoryShare.h"
#include "platform/ShareAccess.h"

namespace {

std::string linksEntry(const std::string& link, const std::string& resolution) {
  return " " + link + std::string(79 - link.size(), ' ') + " " + resolution + std::string(79 - resolution.size(), ' ');
}

void exercise(const velta::LogicalFileHandle& file) {
  if (!file) return;
  const int32_t last = std::min(file->LastRecord, 64);
  for (int32_t record : {0, 1, 2, last, last + 1, file->LastRecord, -1}) {
    try {
      const std::string bytes = velta::LreadFile(file, record);
      if (static_cast<int64_t>(bytes.size()) != std::max(file->RecordLength, 0)) std::abort();
    } catch (const velta::EngineError&) {
    }
  }
  try {
    file->ActiveCount();
    file->HighUsedRecord();
  } catch (const velta::EngineError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = input.find('\0');
  const std::size_t nameLength = std::min<std::size_t>(nul == std::string::npos ? input.size() : nul, 10);
  std::string name = input.substr(0, nameLength);
  if (name.empty() || name.find(':') != std::string::npos) name = "VNDRL";
  const std::string directory = input.substr(std::min(input.size(), nameLength + 1));

  auto& files = fuzzShare();
  files.put("LINKSFILE", linksEntry(":D1:" + name, ":D1:FUZZDI") + linksEntry(":D1:X", ":D1:FUZZDI"));
  files.put("D1/FUZZDI", directory);
  files.put("D1/FUZZDB", directory);
  velta::createRegistries();

  const auto file = velta::LogicalOpen(name);
  exercise(file);
  if (file && velta::LogicalOpen(name) != file) std::abort();  // registered once
  exercise(velta::LogicalOpen("X"));

  velta::createRegistries();
  const velta::ReadScope job;
  const auto inJob = velta::LogicalOpen(name);
  if (!file != !inJob) std::abort();
  if (file && (inJob->FileType != file->FileType || inJob->Position != file->Position ||
               inJob->Flags != file->Flags || inJob->RecordLength != file->RecordLength ||
               inJob->LastRecord != file->LastRecord)) {
    std::abort();
  }
  exercise(inJob);
  return 0;
}
