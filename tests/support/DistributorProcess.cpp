#include "support/DistributorProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <sstream>
#include <stdexcept>

#include "support/RunCommand.h"

namespace velta::test {

namespace {

using Clock = std::chrono::steady_clock;

std::string program() { return std::string(VELTA_BIN_DIR) + "/velta-distributor"; }

}  // namespace

DistributorProcess::DistributorProcess(const std::vector<std::string>& arguments) {
  int out[2], err[2];
  if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  std::vector<std::string> args{program(), "--order-port", "0", "--status-port", "0", "--inquiry-port", "0"};
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  const pid_t parent = ::getpid();
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    // A test that aborts (a failed qFatal, a crash) takes its distributor with it.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(127);
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err[1], STDERR_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  out_ = out[0];
  errFd_ = err[0];
  ::fcntl(errFd_, F_SETFL, O_NONBLOCK);

  listening_ = nextLine();
  std::istringstream words(listening_);
  std::string word;
  words >> word;
  if (word != "listening") {
    stop(SIGKILL);
    throw std::runtime_error("velta-distributor did not start: \"" + listening_ + "\" " + err_);
  }
  for (distributor::Service s : distributor::kServices) {
    words >> word;
    const std::string prefix = std::string(distributor::serviceName(s)) + "=";
    if (word.rfind(prefix, 0) != 0) throw std::runtime_error("unexpected listening line: " + listening_);
    ports_[distributor::serviceIndex(s)] = std::stoi(word.substr(prefix.size()));
  }
}

DistributorProcess::~DistributorProcess() {
  if (pid_ > 0) stop(SIGKILL);
  if (out_ >= 0) ::close(out_);
  if (errFd_ >= 0) ::close(errFd_);
}

bool DistributorProcess::readMore(Clock::time_point until) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
  if (left <= 0) return false;
  pollfd p{out_, POLLIN, 0};
  if (::poll(&p, 1, static_cast<int>(left)) <= 0) return false;
  char buffer[4096];
  const ssize_t n = ::read(out_, buffer, sizeof buffer);
  if (n <= 0) return false;
  buffered_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

std::string DistributorProcess::nextLine() {
  const auto until = Clock::now() + kGuard;
  while (buffered_.find('\n') == std::string::npos) {
    if (!readMore(until)) return {};
  }
  const std::size_t lf = buffered_.find('\n');
  std::string line = buffered_.substr(0, lf);
  buffered_.erase(0, lf + 1);
  return line;
}

void DistributorProcess::drainErrors() {
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(errFd_, buffer, sizeof buffer)) > 0) err_.append(buffer, static_cast<std::size_t>(n));
}

int DistributorProcess::stop(int signal) {
  if (pid_ <= 0) return status_;
  ::kill(pid_, signal);
  const auto until = Clock::now() + kGuard;
  int raw = 0;
  while (true) {
    drainErrors();
    const pid_t done = ::waitpid(pid_, &raw, WNOHANG);
    if (done == pid_) break;
    if (Clock::now() > until) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &raw, 0);
      break;
    }
    ::usleep(10'000);
  }
  drainErrors();
  pid_ = -1;
  status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  return status_;
}

Finished runDistributor(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv{program()};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const CommandResult result = runCommand(argv);
  return {result.status, result.out, result.err};
}

}  // namespace velta::test
