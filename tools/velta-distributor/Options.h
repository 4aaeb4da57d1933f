// The command line of velta-distributor.
//
//   OptionsOutcome parsed = parseOptions(argc, argv);
//   if (!parsed.options) { print parsed.out / parsed.err; return parsed.exitCode; }
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "link/RequestHeader.h"
#include "tools/velta-distributor/Faults.h"

namespace velta::distributor {

struct Options {
  std::filesystem::path catalog;
  std::optional<std::filesystem::path> tokenTable;  // else the link's own lookup
  std::optional<std::filesystem::path> state;
  std::string listen = "127.0.0.1";
  std::array<int, 3> ports{12000, 12003, 12001};  // by Service: order, status, inquiry; 0 picks a free one
  FaultPlan faults;
  double idleSeconds = 10;     // a client silent in the middle of a request
  double requestSeconds = 30;  // a whole request, from the connection's acceptance
  std::optional<RequestMoment> clock;  // a fixed moment for every answer
};

struct OptionsOutcome {
  std::optional<Options> options;  // none: print out and err, end with exitCode
  int exitCode = 0;                // 0 after --help, 2 for bad usage
  std::string out, err;
};

OptionsOutcome parseOptions(int argc, const char* const* argv);

// "2024-06-03T10:20:07" as the header writes it; none when it is not one.
std::optional<RequestMoment> parseClock(std::string_view text);

}  // namespace velta::distributor
