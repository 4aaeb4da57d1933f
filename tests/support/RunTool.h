// Runs a built command-line tool of the project and captures what it says.
//
//   auto r = test::runTool("velta-data", {"--root", dir, "info", "VNDRL"});
//   EXPECT_EQ(r.exitCode, 0);  EXPECT_EQ(r.out, "type=L ...\n");
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace velta::test {

struct ToolResult {
  int exitCode = -1;  // -1 when the tool did not exit normally
  std::string out;
  std::string err;
};

// Runs `tool` from the build's binary folder (VELTA_BIN_DIR, defined for each
// test program) with `args`, without a shell and without VELTA_SHARES,
// VELTA_UNC_ROOT or XDG_CONFIG_HOME in its environment.
inline ToolResult runTool(const std::string& tool, const std::vector<std::string>& args) {
  const TempDir capture;
  const std::string outPath = capture.str() + "/out", errPath = capture.str() + "/err";
  const std::string program = std::string(VELTA_BIN_DIR) + "/" + tool;
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(126);
    ::unsetenv("VELTA_SHARES");
    ::unsetenv("VELTA_UNC_ROOT");
    ::unsetenv("XDG_CONFIG_HOME");
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  ToolResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = capture.read("out");
  result.err = capture.read("err");
  return result;
}

}  // namespace velta::test
