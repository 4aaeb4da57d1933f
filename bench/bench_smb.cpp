// Index lookups and record reads over SMB, against the bare libsmbclient reads
// they are made of, on the sample business system with a million parts served
// by a private Samba server on 127.0.0.1 (smbd runs as root here; without root
// the program says so and measures nothing). Workloads:
//
//   smb/KFind        KFind of a part key in "PARTI" over the smb:// share (1024 keys, in turn)
//   smb/bare-reads   the same blocks (the header and one per level), read with
//                    lseek and read on a libsmbclient context of its own
//   smb/LreadFile    LreadFile of a part record of "PARTL" over the smb:// share
//   smb/bare-read    the same record's bytes, one libsmbclient read
//
// "reads/call" counts the read calls the share layer makes to libsmbclient,
// each one a read sent to the server: KFind must make the header's and one
// per level, LreadFile one; a run that makes more stops with an error. Times
// are real time (the calls wait on the server), and the ratios printed at the
// end are a report, never a verdict.
#include <benchmark/benchmark.h>
#include <fcntl.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/PartLookups.h"
#include "bench/RatioReporter.h"
#include "engine/KeyedIndex.h"
#include "engine/LogicalFile.h"
#include "engine/EngineState.h"
#include "engine/PhysicalFile.h"
#include "engine/Registries.h"
#include "platform/LocalShare.h"
#include "platform/ShareAccess.h"
#include "platform/SmbContext.h"
#include "platform/SmbShare.h"
#include "engine/cLogicalFile.h"
#include "engine/cSystem.h"
#include "support/SambaServer.h"
#include "tests/support/CountingShare.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace {

namespace fs = std::filesystem;

constexpr int64_t kParts = 1'000'000;
constexpr std::size_t kLookups = 1024;

struct Setup {
  velta::test::TempDir dir;
  std::unique_ptr<velta::test::SambaServer> samba;
  const velta::SmbShare* share = nullptr;  // the engine's share, whose read calls are counted
  velta::LogicalFileHandle index, records;
  std::unique_ptr<velta::SmbContext> bare;  // a context of its own for the baseline
  SMBCFILE* bareFile = nullptr;
  std::vector<velta::bench::PartLookup> lookups;
  int depth = 0;
};

std::unique_ptr<Setup> instance;

void useShares(const velta::sample::SampleBusinessSystem& sample, const std::string& mapFile) {
  velta::shareAccess().configure({mapFile, std::string()});
  velta::engineState().system->mUNCDrive = sample.server;
  velta::engineState().system->mDirectory = sample.directory;
  velta::createRegistries();
}

// The lookups, and the blocks each reads, found over the local folder through a counting share.
std::vector<velta::bench::PartLookup> findLookups(const velta::sample::SampleBusinessSystem& sample, int& depth) {
  velta::shareAccess().configure({std::string(), sample.root.string()});
  auto counting = std::make_unique<velta::test::CountingShare>(
      std::make_unique<velta::LocalShare>(sample.linkShare().string()));
  const auto counts = counting->counts();
  velta::shareAccess().addBackend(sample.server, "HBTSLNK", std::move(counting));
  velta::engineState().system->mUNCDrive = sample.server;
  velta::engineState().system->mDirectory = sample.directory;
  velta::createRegistries();
  const auto index = velta::LogicalOpen("PARTI");
  if (!index) throw std::runtime_error("the sample has no PARTI");
  return velta::bench::findPartLookups(index, *counts, kParts, kLookups, depth);
}

Setup& setup() {
  if (instance) return *instance;
  auto made = std::make_unique<Setup>();
  velta::sample::SampleOptions options;
  options.parts = kParts;
  options.writePartRecords = false;  // their room reads as NUL: as good as any bytes for timing reads
  std::fprintf(stderr, "writing a sample business system of %lld parts to %s ...\n", static_cast<long long>(kParts),
               made->dir.str().c_str());
  const auto sample = velta::sample::writeSampleBusinessSystem(made->dir.path() / "biz", options);
  made->lookups = findLookups(sample, made->depth);

  made->samba = std::make_unique<velta::test::SambaServer>(std::vector<velta::test::SambaServer::Share>{
      {"HBTSLNK", sample.linkShare()}, {"CATCON", sample.catalogShare()}});
  const fs::path map = made->dir.path() / "smb.conf";
  std::ofstream(map) << "\\\\" << sample.server << "\\HBTSLNK = " << made->samba->url("HBTSLNK") << "\n";
  useShares(sample, map.string());
  made->index = velta::LogicalOpen("PARTI");
  made->records = velta::LogicalOpen("PARTL");
  if (!made->index || !made->records) throw std::runtime_error("PARTI or PARTL cannot be reached over SMB");
  const auto where = velta::shareAccess().resolve(made->index->OpenFile->Path);
  made->share = where ? dynamic_cast<const velta::SmbShare*>(where->backend) : nullptr;
  if (!made->share) throw std::runtime_error("the data file is not on the SMB share");

  std::string problem;
  const auto target = velta::parseSmbTarget(made->samba->url("HBTSLNK"), "", problem);
  made->bare = std::make_unique<velta::SmbContext>(*target, std::nullopt);
  made->bareFile = made->bare->open(where->relativePath, O_RDONLY);
  if (!made->bareFile) throw std::runtime_error("libsmbclient cannot open " + where->relativePath);
  instance = std::move(made);
  return *instance;
}

// Sets "reads/call" and stops the run when it is not the number the format needs.
void countReads(benchmark::State& state, uint64_t before, uint64_t after, uint64_t perCall) {
  const auto calls = static_cast<uint64_t>(state.iterations());
  state.counters["reads/call"] = static_cast<double>(after - before) / static_cast<double>(calls);
  if (after - before != calls * perCall) state.SkipWithError("more reads sent to the server than the format needs");
}

void kfind(benchmark::State& state) {
  Setup& s = setup();
  std::string buff, key;
  int32_t rec = 0;
  std::size_t i = 0;
  const uint64_t before = s.share->readCalls();
  for (auto _ : state) {
    key = s.lookups[i++ % kLookups].key;
    velta::KFind(s.index, buff, key, rec);
    benchmark::DoNotOptimize(rec);
  }
  state.counters["depth"] = s.depth;
  countReads(state, before, s.share->readCalls(), 1 + static_cast<uint64_t>(s.depth));
}

void bareIndexReads(benchmark::State& state) {
  Setup& s = setup();
  char block[velta::kBlockSize];
  std::size_t i = 0;
  const uint64_t before = s.bare->readCalls();
  for (auto _ : state) {
    for (const uint64_t offset : s.lookups[i++ % kLookups].offsets) {
      benchmark::DoNotOptimize(s.bare->readAt(s.bareFile, offset, block, sizeof block));
    }
  }
  countReads(state, before, s.bare->readCalls(), 1 + static_cast<uint64_t>(s.depth));
}

void lreadFile(benchmark::State& state) {
  Setup& s = setup();
  std::size_t i = 0;
  const uint64_t before = s.share->readCalls();
  for (auto _ : state) benchmark::DoNotOptimize(velta::LreadFile(s.records, s.lookups[i++ % kLookups].record));
  countReads(state, before, s.share->readCalls(), 1);
}

void bareRecordRead(benchmark::State& state) {
  Setup& s = setup();
  const auto& file = *s.records;
  std::vector<char> record(static_cast<std::size_t>(file.RecordLength));
  std::size_t i = 0;
  const uint64_t before = s.bare->readCalls();
  for (auto _ : state) {
    const int64_t offset = int64_t{s.lookups[i++ % kLookups].record} * file.RecordLength +
                           int64_t{file.Position} * velta::kBlockSize;
    benchmark::DoNotOptimize(s.bare->readAt(s.bareFile, static_cast<uint64_t>(offset), record.data(), record.size()));
  }
  countReads(state, before, s.bare->readCalls(), 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (auto why = velta::test::SambaServer::unavailable()) {
    std::printf("bench_smb: %s\n", why->c_str());
    return 0;
  }
  benchmark::RegisterBenchmark("smb/KFind", kfind)->UseRealTime();
  benchmark::RegisterBenchmark("smb/bare-reads", bareIndexReads)->UseRealTime();
  benchmark::RegisterBenchmark("smb/LreadFile", lreadFile)->UseRealTime();
  benchmark::RegisterBenchmark("smb/bare-read", bareRecordRead)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  velta::bench::RatioReporter reporter(true);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  reporter.printRatio("KFind over SMB against its bare reads", "smb/KFind", "smb/bare-reads", 2);
  reporter.printRatio("LreadFile over SMB against a bare read", "smb/LreadFile", "smb/bare-read", 2);
  if (instance) {
    instance->bare->close(instance->bareFile);
    velta::engineState().links.reset();
    velta::engineState().openFiles.reset();
    velta::engineState().logicalFiles.reset();
    velta::shareAccess().configure({std::string(), std::string()});
    instance.reset();  // stops the server, removes the folder
  }
  return 0;
}
