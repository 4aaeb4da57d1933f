// A console reporter that also keeps each benchmark's time, so that a
// benchmark program can print ratios of runs measured in the same process.
//
//   benchmark::Initialize(&argc, argv);
//   velta::bench::RatioReporter reporter;
//   benchmark::RunSpecifiedBenchmarks(&reporter);
//   reporter.printRatio("16x answer", "framing/1048576", "framing/65536", 20.0);
//   reporter.printRatio("Unpack K per call", "unpack/K", "read/3 bytes");   // no goal
//   reporter.printValue("memory / answer size", 2.7, 4.0);   // a ratio the program measured itself
#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace velta::bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, so that piped output stays plain text.
  // `realTime`: hold real time instead of CPU time, for runs that mostly wait on a server.
  explicit RatioReporter(bool realTime = false)
      : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular), realTime_(realTime) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      // Keyed by the registered name, without suffixes such as "/min_time:0.200".
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        const double time = realTime_ ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
        times_[run.run_name.function_name] = time;
        seconds_[run.run_name.function_name] = time / benchmark::GetTimeUnitMultiplier(run.time_unit);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // Prints CPU time(measured) / CPU time(baseline) with the goal it is held
  // against; a report, never a verdict. CPU time, because the machine may be
  // shared (real time where the reporter was made for it). Says so when either run is missing.
  void printRatio(const std::string& label, const std::string& measured, const std::string& baseline,
                  double goal) {
    printLine(label, measured, baseline, &goal);
  }
  // The measured run against the sum of several baselines (the parts it is
  // made of), reported only.
  void printRatioToSum(const std::string& label, const std::string& measured, const std::vector<std::string>& parts) {
    double sum = 0;
    for (const std::string& part : parts) {
      const auto p = times_.find(part);
      if (p == times_.end()) {
        GetOutputStream() << label << std::string(label.size() < 48 ? 48 - label.size() : 0, ' ') << " not measured\n";
        return;
      }
      sum += p->second;
    }
    times_["(sum) " + label] = sum;
    printLine(label, measured, "(sum) " + label, nullptr);
  }
  // One run's time in seconds against a goal in seconds; a report, never a verdict.
  void printSeconds(const std::string& label, const std::string& measured, double goalSeconds) {
    const auto m = seconds_.find(measured);
    char line[256];
    if (m == seconds_.end()) {
      std::snprintf(line, sizeof line, "%-48s not measured\n", label.c_str());
    } else {
      std::snprintf(line, sizeof line, "%-48s %7.3fs (goal at most %gs: %s)\n", label.c_str(), m->second, goalSeconds,
                    m->second <= goalSeconds ? "met" : "NOT met");
    }
    GetOutputStream() << line << std::flush;
  }
  // The same for a ratio that is only reported, with no goal to hold it against.
  void printRatio(const std::string& label, const std::string& measured, const std::string& baseline) {
    printLine(label, measured, baseline, nullptr);
  }
  // A ratio that the program measured itself (memory, counts), with or without a goal.
  void printValue(const std::string& label, double ratio, double goal) { printFigure(label, ratio, &goal); }
  void printValue(const std::string& label, double ratio) { printFigure(label, ratio, nullptr); }

 private:
  void printLine(const std::string& label, const std::string& measured, const std::string& baseline,
                 const double* goal) {
    const auto m = times_.find(measured);
    const auto b = times_.find(baseline);
    if (m == times_.end() || b == times_.end() || b->second <= 0) {
      char line[256];
      std::snprintf(line, sizeof line, "%-48s not measured\n", label.c_str());
      GetOutputStream() << line << std::flush;
      return;
    }
    printFigure(label, m->second / b->second, goal);
  }

  void printFigure(const std::string& label, double ratio, const double* goal) {
    char line[256];
    if (!goal) {
      std::snprintf(line, sizeof line, "%-48s %7.2fx\n", label.c_str(), ratio);
    } else {
      std::snprintf(line, sizeof line, "%-48s %7.2fx (goal at most %gx: %s)\n", label.c_str(), ratio, *goal,
                    ratio <= *goal ? "met" : "NOT met");
    }
    GetOutputStream() << line << std::flush;
  }

  bool realTime_;
  std::map<std::string, double> times_;
  std::map<std::string, double> seconds_;
};

}  // namespace velta::bench
