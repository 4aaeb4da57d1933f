#include "tools/velta-distributor/Connection.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace velta::distributor {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;
constexpr std::size_t kReadPerWakeup = 1024 * 1024;  // then the other connections have their turn

std::string seconds(std::chrono::milliseconds ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(ms.count()) / 1000.0);
  return text;
}

}  // namespace

Connection::Connection(int fd, Service service, const FaultSet& faults, Distributor& distributor,
                       Timeouts timeouts, Log log, TimePoint now)
    : fd_(fd),
      service_(service),
      faults_(faults),
      distributor_(distributor),
      timeouts_(timeouts),
      log_(std::move(log)),
      deadline_(now + timeouts.idle),
      requestEnds_(now + timeouts.request) {}

Connection::~Connection() {
  if (fd_ >= 0) ::close(fd_);
}

short Connection::events() const {
  const short in = peerClosed_ ? 0 : POLLIN;
  switch (phase_) {
    case Phase::Reading:
    case Phase::Waiting:
    case Phase::Draining:
    case Phase::Holding: return in;
    case Phase::Writing: return static_cast<short>(in | (pendingFrom_ < pending_.size() ? POLLOUT : 0));
    case Phase::Done: return 0;
  }
  return 0;
}

std::optional<TimePoint> Connection::deadline() const {
  switch (phase_) {
    case Phase::Reading: return std::min(deadline_, requestEnds_);
    case Phase::Waiting:
    case Phase::Draining:
    case Phase::Holding: return deadline_;
    case Phase::Writing: return deadline_;
    case Phase::Done: return std::nullopt;
  }
  return std::nullopt;
}

void Connection::log(const std::string& line) {
  if (logged_) return;
  logged_ = true;
  std::string text(serviceName(service_));
  text += line.front() == ':' ? line : " " + line;
  const std::string faults = faults_.describe();
  if (!faults.empty()) text += " [fault " + faults + "]";
  log_(text);
}

void Connection::readable(TimePoint now) {
  char buffer[kReadChunk];
  std::size_t taken = 0;
  while (!done() && !peerClosed_ && taken < kReadPerWakeup) {
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (n < 0) {
      const std::string why = std::strerror(errno);
      if (phase_ == Phase::Reading) log(": the connection failed during the request: " + why);
      if (phase_ == Phase::Waiting) log(reply_.summary + "; the connection failed before the answer was sent: " + why);
      finish();
      return;
    }
    if (n == 0) {
      clientStopped(now, "before the client closed its side");
      return;
    }
    taken += static_cast<std::size_t>(n);
    if (phase_ != Phase::Reading) continue;  // after the request: read and dropped
    deadline_ = now + timeouts_.idle;
    if (reader_.feed(std::string_view(buffer, static_cast<std::size_t>(n))) != RequestReader::State::Reading) {
      answerRequest(now);
    }
  }
}

void Connection::clientStopped(TimePoint now, const std::string& when) {
  peerClosed_ = true;
  switch (phase_) {
    case Phase::Reading:
      if (reader_.stop(when) == RequestReader::State::Refused) {
        answerRequest(now);
      } else {
        log(": the client closed the connection " + std::to_string(reader_.bytesSeen()) +
            " bytes into a request whose length line was not complete");
        finish();
      }
      return;
    case Phase::Draining:
    case Phase::Holding: finish(); return;
    default: return;  // the answer still goes out: the client may read after closing its side
  }
}

void Connection::deadlinePassed(TimePoint now) {
  switch (phase_) {
    case Phase::Reading: {
      // Of the two deadlines, the one that came first.
      const bool whole = requestEnds_ <= deadline_;
      const std::string within =
          whole ? "the " + seconds(timeouts_.request) + " s a request may take" : seconds(timeouts_.idle) + " s";
      const std::string when =
          whole ? "within " + within : "before the client fell silent for " + seconds(timeouts_.idle) + " s";
      if (reader_.stop(when) == RequestReader::State::Refused) {
        answerRequest(now);
      } else {
        log(": no complete length line within " + within + " (" + std::to_string(reader_.bytesSeen()) +
            " bytes); closed");
        finish();
      }
      return;
    }
    case Phase::Waiting: startWriting(now); return;
    case Phase::Writing:
      if (!betweenPieces_) {
        finish();  // the client took none of the answer for the idle timeout; its line is logged already
        return;
      }
      betweenPieces_ = false;
      pending_ = std::move(pieces_[nextPiece_++]);
      pendingFrom_ = 0;
      writePending(now);
      return;
    case Phase::Draining:
    case Phase::Holding: finish(); return;
    case Phase::Done: return;
  }
}

void Connection::answerRequest(TimePoint now) {
  const MessageSet set = setOf(service_);
  reply_ = reader_.state() == RequestReader::State::Complete
               ? distributor_.answer(set, reader_.message(), faults_.content())
               : distributor_.refuse(set, reader_.rejection(), faults_.content());
  reader_ = RequestReader();  // the request's memory goes now, not with the connection
  if (faults_.silent) {
    phase_ = Phase::Holding;
    deadline_ = now + kSilentHold;
    log(reply_.summary + "; not answered");
    return;
  }
  phase_ = Phase::Waiting;
  if (faults_.delaySeconds > 0) {
    deadline_ = now + std::chrono::milliseconds(std::llround(faults_.delaySeconds * 1000));
  } else {
    startWriting(now);
  }
}

void Connection::startWriting(TimePoint now) {
  phase_ = Phase::Writing;
  FaultSet whole = faults_;
  whole.closeEarly = false;
  const std::size_t answerBytes = deliveredBytes(reply_.message, whole).size();
  const std::string bytes = deliveredBytes(reply_.message, faults_);
  std::string line = reply_.summary;
  if (faults_.closeEarly) {
    line += "; closed after " + std::to_string(bytes.size()) + " of " + std::to_string(answerBytes) + " bytes";
  }
  log(line);
  pieces_ = splitIntoPieces(bytes, faults_.pieces);
  std::string().swap(reply_.message);
  pending_ = std::move(pieces_[0]);
  pendingFrom_ = 0;
  nextPiece_ = 1;
  writePending(now);
}

void Connection::writePending(TimePoint now) {
  // Called when writing begins or can go on (POLLOUT: the client took some of
  // what was sent): the client has another idle timeout to take more.
  deadline_ = now + timeouts_.idle;
  while (pendingFrom_ < pending_.size()) {
    const ssize_t n = ::send(fd_, pending_.data() + pendingFrom_, pending_.size() - pendingFrom_, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (n < 0) {
      finish();  // the client is gone; what happened is logged already
      return;
    }
    pendingFrom_ += static_cast<std::size_t>(n);
  }
  std::string().swap(pending_);
  pendingFrom_ = 0;
  if (nextPiece_ < pieces_.size()) {
    betweenPieces_ = true;
    deadline_ = now + kPieceGap;
    return;
  }
  ::shutdown(fd_, SHUT_WR);
  phase_ = Phase::Draining;
  deadline_ = now + kLinger;
  if (peerClosed_) finish();
}

void Connection::writable(TimePoint now) {
  if (phase_ == Phase::Writing && pendingFrom_ < pending_.size()) writePending(now);
}

void Connection::finish() {
  phase_ = Phase::Done;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace velta::distributor
