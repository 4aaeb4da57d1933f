// Ratios of benchmarks measured in one run, printed after Google Benchmark's own table:
//
//   int main(int argc, char** argv) {
//     return velta::bench::runWithRatios(argc, argv, {{"BM_Unpack", "BM_ReadBytes"}});
//   }
//
// prints, after the table, lines such as "BM_Unpack / BM_ReadBytes = 3.42". Times
// are real time per iteration; the ratios are reported, never asserted.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace velta::bench {

struct Ratio {
  std::string measured;
  std::string baseline;
};

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // The time per iteration of the named benchmark, or a negative value when it did not run.
  double time(const std::string& name) const {
    const auto it = times_.find(name);
    return it == times_.end() ? -1 : it->second;
  }

 private:
  std::map<std::string, double> times_;
};

inline int runWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nratios (real time per call):\n");
  for (const Ratio& r : ratios) {
    const double measured = reporter.time(r.measured), baseline = reporter.time(r.baseline);
    if (measured < 0 || baseline <= 0) {
      std::printf("  %s / %s: not measured\n", r.measured.c_str(), r.baseline.c_str());
    } else {
      std::printf("  %s / %s = %.2f\n", r.measured.c_str(), r.baseline.c_str(), measured / baseline);
    }
  }
  benchmark::Shutdown();
  return 0;
}

}  // namespace velta::bench
