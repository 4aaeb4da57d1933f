// Index lookups and record reads against the bare reads they are made of, on
// the sample business system with a million parts. Workloads:
//
//   index/KFind        KFind of a part key in "PARTI" (1024 keys, in turn)
//   index/bare-reads   the same blocks (the header and one per level), read
//                      straight from the share file into a buffer
//   record/LreadFile   LreadFile of a part record of "PARTL"
//   record/bare-read   the same record's bytes, read straight from the share file
//
// Every KFind must make exactly the reads the format needs, counted by a
// counting backend under share access: the header and one block per level; a
// run that makes more stops with an error. The ratios are printed at the end:
// a report, never a verdict.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
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
#include "engine/cLogicalFile.h"
#include "engine/cSystem.h"
#include "tests/support/CountingShare.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace {

constexpr int64_t kParts = 1'000'000;
constexpr std::size_t kLookups = 1024;

struct Setup {
  std::filesystem::path dir;
  std::shared_ptr<velta::test::CountingShare::Counts> counts;
  velta::LogicalFileHandle index, records;
  std::shared_ptr<velta::ShareFile> dataFile;  // the physical file both lie in
  std::vector<velta::bench::PartLookup> lookups;
  std::vector<int32_t> recordNumbers;
  int depth = 0;
};

std::unique_ptr<Setup> instance;

Setup& setup() {
  if (instance) return *instance;
  instance = std::make_unique<Setup>([] {
    Setup made;
    std::string pattern = (std::filesystem::temp_directory_path() / "velta-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    made.dir = pattern;
    velta::sample::SampleOptions options;
    options.parts = kParts;
    options.writePartRecords = false;  // their room reads as NUL: as good as any bytes for timing reads
    std::fprintf(stderr, "writing a sample business system of %lld parts to %s ...\n",
                 static_cast<long long>(kParts), pattern.c_str());
    const auto sample = velta::sample::writeSampleBusinessSystem(made.dir, options);

    velta::shareAccess().configure({std::string(), made.dir.string()});
    auto share = std::make_unique<velta::test::CountingShare>(
        std::make_unique<velta::LocalShare>(sample.linkShare().string()));
    made.counts = share->counts();
    velta::shareAccess().addBackend(sample.server, "HBTSLNK", std::move(share));
    velta::engineState().system->mUNCDrive = sample.server;
    velta::engineState().system->mDirectory = sample.directory;
    velta::createRegistries();
    made.index = velta::LogicalOpen("PARTI");
    made.records = velta::LogicalOpen("PARTL");
    if (!made.index || !made.records) throw std::runtime_error("the sample has no PARTI or PARTL");
    made.dataFile = made.index->OpenFile->file;

    made.lookups = velta::bench::findPartLookups(made.index, *made.counts, kParts, kLookups, made.depth);
    for (const auto& lookup : made.lookups) made.recordNumbers.push_back(lookup.record);
    return made;
  }());
  return *instance;
}

void kfind(benchmark::State& state) {
  Setup& s = setup();
  std::string buff, key;
  int32_t rec = 0;
  std::size_t i = 0;
  s.counts->reset();
  for (auto _ : state) {
    const velta::bench::PartLookup& lookup = s.lookups[i++ % kLookups];
    key = lookup.key;
    velta::KFind(s.index, buff, key, rec);
    benchmark::DoNotOptimize(rec);
  }
  const auto perCall = static_cast<double>(s.counts->reads) / static_cast<double>(state.iterations());
  state.counters["reads/call"] = perCall;
  state.counters["depth"] = s.depth;
  if (s.counts->reads != static_cast<std::size_t>(state.iterations()) * static_cast<std::size_t>(1 + s.depth)) {
    state.SkipWithError("KFind read more than the header and one block per level");
  }
}

void bareIndexReads(benchmark::State& state) {
  Setup& s = setup();
  char block[velta::kBlockSize];
  std::size_t i = 0;
  for (auto _ : state) {
    for (const uint64_t offset : s.lookups[i++ % kLookups].offsets) {
      benchmark::DoNotOptimize(s.dataFile->readAt(offset, block, sizeof block));
    }
  }
}

void lreadFile(benchmark::State& state) {
  Setup& s = setup();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(velta::LreadFile(s.records, s.recordNumbers[i++ % kLookups]));
  }
}

void bareRecordRead(benchmark::State& state) {
  Setup& s = setup();
  const auto& file = *s.records;
  std::vector<char> record(static_cast<std::size_t>(file.RecordLength));
  std::size_t i = 0;
  for (auto _ : state) {
    const int64_t offset = int64_t{s.recordNumbers[i++ % kLookups]} * file.RecordLength +
                           int64_t{file.Position} * velta::kBlockSize;
    benchmark::DoNotOptimize(s.dataFile->readAt(static_cast<uint64_t>(offset), record.data(), record.size()));
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("index/KFind", kfind);
  benchmark::RegisterBenchmark("index/bare-reads", bareIndexReads);
  benchmark::RegisterBenchmark("record/LreadFile", lreadFile);
  benchmark::RegisterBenchmark("record/bare-read", bareRecordRead);
  benchmark::Initialize(&argc, argv);
  velta::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  reporter.printRatio("KFind against its bare block reads", "index/KFind", "index/bare-reads", 2);
  reporter.printRatio("LreadFile against a bare record read", "record/LreadFile", "record/bare-read", 2);
  if (instance) {
    std::error_code ignored;
    std::filesystem::remove_all(instance->dir, ignored);
  }
  return 0;
}
