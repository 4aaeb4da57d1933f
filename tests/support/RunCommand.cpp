#include "support/RunCommand.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

extern char** environ;

namespace velta::test {

namespace {

[[noreturn]] void fail(const std::string& what) { throw std::runtime_error(what + ": " + strerror(errno)); }

// "NAME=value" strings of this process's environment with the changes applied.
std::vector<std::string> childEnvironment(const std::vector<EnvironmentChange>& changes) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry; ++entry) entries.emplace_back(*entry);
  for (const auto& [name, value] : changes) {
    const std::string prefix = name + "=";
    std::erase_if(entries, [&](const std::string& e) { return e.compare(0, prefix.size(), prefix) == 0; });
    if (value) entries.push_back(prefix + *value);
  }
  return entries;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
  std::vector<char*> result;
  for (auto& s : strings) result.push_back(s.data());
  result.push_back(nullptr);
  return result;
}

struct Pipe {
  int fd[2] = {-1, -1};
  Pipe() {
    if (pipe2(fd, O_CLOEXEC) != 0) fail("pipe");
  }
  ~Pipe() {
    closeEnd(0);
    closeEnd(1);
  }
  void closeEnd(int end) {
    if (fd[end] >= 0) close(fd[end]);
    fd[end] = -1;
  }
};

}  // namespace

CommandResult runCommand(const std::vector<std::string>& argv, const std::vector<EnvironmentChange>& environment,
                         const std::string& input) {
  if (argv.empty()) throw std::runtime_error("runCommand: no program given");
  std::vector<std::string> args = argv;
  std::vector<std::string> env = childEnvironment(environment);
  std::vector<char*> argp = pointers(args);
  std::vector<char*> envp = pointers(env);

  Pipe in, out, err;
  const pid_t pid = fork();
  if (pid < 0) fail("fork");
  if (pid == 0) {
    // Only async-signal-safe calls from here on.
    dup2(in.fd[0], STDIN_FILENO);
    dup2(out.fd[1], STDOUT_FILENO);
    dup2(err.fd[1], STDERR_FILENO);
    execvpe(argp[0], argp.data(), envp.data());
    const char message[] = "runCommand: exec failed\n";
    [[maybe_unused]] auto ignored = write(STDERR_FILENO, message, sizeof message - 1);
    _exit(127);
  }
  in.closeEnd(0);
  out.closeEnd(1);
  err.closeEnd(1);

  // A child blocked on a full pipe would never end: write and read together.
  CommandResult result;
  std::size_t written = 0;
  if (input.empty()) in.closeEnd(1);
  const auto oldPipeSignal = signal(SIGPIPE, SIG_IGN);  // a child that stops reading early
  while (out.fd[0] >= 0 || err.fd[0] >= 0) {
    pollfd fds[3] = {{out.fd[0], POLLIN, 0}, {err.fd[0], POLLIN, 0}, {in.fd[1], POLLOUT, 0}};
    if (poll(fds, 3, -1) < 0) {
      if (errno == EINTR) continue;
      fail("poll");
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        (i == 0 ? result.out : result.err).append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        (i == 0 ? out : err).closeEnd(0);
      }
    }
    if (fds[2].fd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
      const ssize_t n = write(fds[2].fd, input.data() + written, input.size() - written);
      if (n > 0) written += static_cast<std::size_t>(n);
      if ((n < 0 && errno != EINTR) || written == input.size()) in.closeEnd(1);
    }
  }
  in.closeEnd(1);
  signal(SIGPIPE, oldPipeSignal);

  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) fail("waitpid");
  }
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

}  // namespace velta::test
