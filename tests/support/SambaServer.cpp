#include "support/SambaServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace velta::test {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kStartDeadline = std::chrono::seconds(20);
constexpr auto kStopDeadline = std::chrono::seconds(10);
constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr int kStartAttempts = 3;  // another program may take the free port before smbd does

// A program of the samba package: its usual place, else wherever PATH finds it.
std::string sambaProgram(const std::string& name, const std::string& usualDir) {
  const std::string usual = usualDir + "/" + name;
  if (::access(usual.c_str(), X_OK) == 0) return usual;
  if (const char* path = std::getenv("PATH")) {
    std::istringstream dirs(path);
    for (std::string dir; std::getline(dirs, dir, ':');) {
      const std::string candidate = dir + "/" + name;
      if (!dir.empty() && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
  }
  return {};
}

// Starts `argv` with `input` on its standard input and both outputs in `output`
// and returns its pid; `input` is kept (not closed) when `keepInput` is given.
pid_t spawn(const std::vector<std::string>& argv, const fs::path& output, int* keepInput,
            const std::string& input = {}) {
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
  const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (out < 0) throw std::runtime_error("cannot open " + output.string());
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    ::setsid();  // smbd signals its process group as it exits: keep the test program out of it
    ::dup2(pipeFds[0], STDIN_FILENO);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(out, STDERR_FILENO);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ::close(out);
  ::close(pipeFds[0]);
  if (!input.empty() && ::write(pipeFds[1], input.data(), input.size()) != static_cast<ssize_t>(input.size())) {
    ::close(pipeFds[1]);
    throw std::runtime_error("cannot write to " + argv[0]);
  }
  if (keepInput) {
    *keepInput = pipeFds[1];
  } else {
    ::close(pipeFds[1]);
  }
  return pid;
}

bool exited(pid_t pid) {
  int status = 0;
  return ::waitpid(pid, &status, WNOHANG) == pid;
}

bool accepts(int port) {
  const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool ok = ::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(s);
  return ok;
}

std::string tail(const fs::path& file, std::size_t most) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::string s = text.str();
  return s.size() > most ? s.substr(s.size() - most) : s;
}

}  // namespace

std::optional<std::string> SambaServer::unavailable() {
  if (::geteuid() != 0) {
    return std::string("skipped: the Samba tests need root (smbd runs as root here, with root as its guest account)");
  }
  return std::nullopt;
}

int freeLoopbackPort() {
  const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::close(s);
    throw std::runtime_error("no free port on 127.0.0.1");
  }
  ::close(s);
  return ntohs(address.sin_port);
}

SambaServer::SambaServer(std::vector<Share> moreShares) : moreShares_(std::move(moreShares)) {
  for (const char* sub : {"run", "priv", "lock", "state", "cache", "log", "ncalrpc", "scratch"}) {
    fs::create_directories(dir_.path() / sub);
  }
  for (const auto& share : {publicDir(), lockedDir(), readOnlyDir(), exactCaseDir()}) fs::create_directories(share);
  fs::permissions(dir_.path() / "priv", fs::perms::owner_all);
  // libsmbclient looks for $HOME/.smb/; a HOME that does not exist leaves it guessing.
  if (const char* home = std::getenv("HOME"); home && *home) fs::create_directories(home);

  for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
    port_ = freeLoopbackPort();
    writeConfiguration();
    if (attempt == 0) addUser();
    if (start()) return;
    stop();
  }
  throw std::runtime_error("smbd did not start on 127.0.0.1:\n" + logs());
}

SambaServer::~SambaServer() { stop(); }

std::string SambaServer::url(const std::string& share) const {
  return "smb://127.0.0.1:" + std::to_string(port_) + "/" + share;
}

void SambaServer::writeConfiguration() const {
  const std::string d = dir_.str();
  std::ofstream conf(dir_.path() / "smb.conf", std::ios::trunc);
  conf << "[global]\n"
       << "  smb ports = " << port_ << "\n"
       << "  interfaces = 127.0.0.1\n"
       << "  bind interfaces only = yes\n"
       << "  pid directory = " << d << "/run\n"
       << "  private dir = " << d << "/priv\n"
       << "  lock directory = " << d << "/lock\n"
       << "  state directory = " << d << "/state\n"
       << "  cache directory = " << d << "/cache\n"
       << "  ncalrpc dir = " << d << "/ncalrpc\n"
       << "  log file = " << d << "/log/%m\n"
       << "  map to guest = Bad User\n"
       << "  guest account = root\n"
       << "  server role = standalone server\n"
       << "  disable netbios = yes\n"
       << "  load printers = no\n"
       << "  printing = bsd\n"
       << "  printcap name = /dev/null\n";
  const std::string guestReadWrite = "guest ok = yes\n  read only = no\n  force user = root\n";
  struct Section {
    std::string name;
    fs::path path;
    std::string options;
  };
  std::vector<Section> shares = {
      {"PUBLIC", publicDir(), guestReadWrite},
      {"LOCKED", lockedDir(), "guest ok = no\n  valid users = " + std::string(kUser) + "\n  read only = no\n"},
      {"RDONLY", readOnlyDir(), "guest ok = yes\n  read only = yes\n  force user = root\n"},
      {"EXACT", exactCaseDir(), guestReadWrite + "  case sensitive = yes\n"},
  };
  for (const auto& more : moreShares_) shares.push_back({more.name, more.path, guestReadWrite});
  for (const auto& share : shares) {
    conf << "[" << share.name << "]\n  path = " << share.path.string() << "\n  " << share.options;
  }
  if (!conf) throw std::runtime_error("cannot write " + (dir_.path() / "smb.conf").string());
}

void SambaServer::addUser() const {
  const std::string smbpasswd = sambaProgram("smbpasswd", "/usr/bin");
  if (smbpasswd.empty()) throw std::runtime_error("smbpasswd is not installed (the smbclient/samba packages)");
  const std::string password = std::string(kPassword) + "\n";
  const pid_t pid = spawn({smbpasswd, "-c", (dir_.path() / "smb.conf").string(), "-s", "-a", kUser},
                          dir_.path() / "log" / "smbpasswd.out", nullptr, password + password);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("smbpasswd could not add " + std::string(kUser) + ":\n" + logs());
  }
}

bool SambaServer::start() {
  const std::string smbd = sambaProgram("smbd", "/usr/sbin");
  if (smbd.empty()) throw std::runtime_error("smbd is not installed (the samba package; ./dev setup)");
  pid_ = spawn({smbd, "--foreground", "--no-process-group", "-s", (dir_.path() / "smb.conf").string()},
               dir_.path() / "log" / "smbd.out", &stdinWriter_);
  return waitUntilListening();
}

bool SambaServer::waitUntilListening() {
  const auto deadline = Clock::now() + kStartDeadline;
  while (Clock::now() < deadline) {
    if (exited(pid_)) {
      pid_ = -1;
      return false;
    }
    if (accepts(port_)) return true;
    std::this_thread::sleep_for(kPollInterval);
  }
  return false;
}

void SambaServer::stop() {
  if (pid_ > 0) {
    ::kill(-pid_, SIGTERM);  // the session's process group: smbd and the children serving connections
    if (frozen_) ::kill(-pid_, SIGCONT);
    frozen_ = false;
    const auto deadline = Clock::now() + kStopDeadline;
    bool gone = false;
    while (!(gone = exited(pid_)) && Clock::now() < deadline) std::this_thread::sleep_for(kPollInterval);
    if (!gone) {
      ::kill(-pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
  }
  if (stdinWriter_ >= 0) {
    ::close(stdinWriter_);
    stdinWriter_ = -1;
  }
}

void SambaServer::freeze() {
  if (pid_ > 0 && ::kill(-pid_, SIGSTOP) == 0) frozen_ = true;
}

void SambaServer::thaw() {
  if (pid_ > 0 && frozen_) ::kill(-pid_, SIGCONT);
  frozen_ = false;
}

std::string SambaServer::logs() const {
  constexpr std::size_t kMostPerFile = 4000;
  std::string out;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(dir_.path() / "log", ignored)) {
    if (!entry.is_regular_file()) continue;
    out += "--- " + entry.path().filename().string() + "\n" + tail(entry.path(), kMostPerFile) + "\n";
  }
  return out;
}

}  // namespace velta::test
