// Runs a program as a child process and captures what it writes, for tests of
// the command-line tools.
//
//   auto result = velta::test::runCommand({VELTA_BIN_DIR "/velta-data", "token", "20240315", "10:20:07"},
//                                         {{"VELTA_TOKEN_TABLE", "/tmp/table"}});
//   EXPECT_EQ(result.status, 0);
//   EXPECT_EQ(result.out, "...\n");
#pragma once

#include <string>
#include <vector>

#include "support/ScopedEnvironment.h"

namespace velta::test {

struct CommandResult {
  int status = -1;  // the exit status; 128 + the signal number when a signal ended it
  std::string out;  // all of standard output
  std::string err;  // all of standard error
};

// Runs argv[0] (found on PATH when it holds no "/") with the arguments, this
// process's environment changed as given, and `input` on standard input.
// Waits for it to end. Throws std::runtime_error when it cannot be started.
CommandResult runCommand(const std::vector<std::string>& argv, const std::vector<EnvironmentChange>& environment = {},
                         const std::string& input = {});

}  // namespace velta::test
