#include "qt/Exchange.h"

#include <QTimer>
#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

#include "base/EngineError.h"
#include "base/TextUtilities.h"
#include "qt/Latin1.h"
#include "qt/Socket.h"

namespace velta::qt {

namespace {

constexpr int kHighestPort = 65535;

double clamped(double seconds) { return std::min(seconds, Exchange::kLongestSeconds); }

}  // namespace

Exchange::Exchange(QObject* parent) : QObject(parent), deadline_(new QTimer(this)) {
  deadline_->setSingleShot(true);
  // Qt's coarse timers may fire up to 5 % early: 14.25 s of a 15 s deadline.
  deadline_->setTimerType(Qt::PreciseTimer);
  connect(deadline_, &QTimer::timeout, this, &Exchange::onDeadline);
}

Exchange::~Exchange() {
  if (!isOpen() || !journal_) return;
  try {
    journal_->finish(journalId_, JournalOutcome::Abandoned, received_);
  } catch (...) {
    // The exchange stays pending in the journal, which tells the truth.
  }
}

bool Exchange::setConnectSeconds(double seconds) {
  const double value = clamped(seconds);
  if (value == connectSeconds_) return false;
  connectSeconds_ = value;
  return true;
}

bool Exchange::setAnswerSeconds(double seconds) {
  const double value = clamped(seconds);
  if (value == answerSeconds_) return false;
  answerSeconds_ = value;
  return true;
}

std::string Exchange::hostOf(const std::string& hostAddress) { return Trun(hostAddress, 1); }

void Exchange::start(Socket& socket, const std::string& hostAddress, int port, const ExchangeRequest& request) {
  // One at a time: a second would mix the answers, whichever socket it used.
  if (isOpen()) throw exchangeError(stillOpenText(target()));
  const std::string host = hostOf(hostAddress);
  if (host.empty()) throw exchangeError(noHostText(request.vendor));
  // A port beyond 16 bits would wrap around to some other service.
  if (port < 1 || port > kHighestPort) throw exchangeError(badPortText({request.vendor, host, port}, request.set));
  const JournalTime now = JournalTime::now();
  // A dealer who asked for a record of every exchange gets one, or no exchange.
  std::optional<ExchangeJournal> journal;
  std::int64_t id = 0;
  if (!journalFolder_.isEmpty()) {
    try {
      journal = ExchangeJournal::open(journalFolder_.toStdString());
      id = journal->begin({host, port, request.set, request.reference, request.bytes.wireBytes()}, now);
    } catch (const EngineError& e) {
      throw EngineError(e.number(), e.source(), unrecordedText({request.vendor, host, port}), e.description());
    }
  }

  host_ = host;
  port_ = port;
  vendor_ = request.vendor;
  set_ = request.set;
  request_ = request.bytes;
  began_ = now;
  journal_ = std::move(journal);
  journalId_ = id;
  sent_ = false;
  answered_ = false;
  received_.clear();
  framing_.reset();
  socket_ = &socket;
  connect(&socket, &Socket::Connected, this, &Exchange::onConnected);
  connect(&socket, &Socket::DataArrival, this, &Exchange::onDataArrival);
  connect(&socket, &Socket::Error, this, &Exchange::onSocketError);
  connect(&socket, &Socket::Closed, this, &Exchange::onClosed);
  stage_ = ExchangeStage::Connecting;
  emit openChanged(true);
  try {
    socket.Connect(fromLatin1(host_), static_cast<quint16>(port_));
  } catch (...) {
    close(JournalOutcome::ConnectionFailed, true);
    announceEnd();
    throw;
  }
  startDeadline(connectSeconds_);
}

void Exchange::startDeadline(double seconds) {
  if (!(seconds > 0)) return;  // as the host asked: no end
  deadline_->start(static_cast<int>(std::ceil(seconds * 1000)));
}

void Exchange::onConnected() {
  // A connection that comes after its deadline must not send what the user
  // was told had not been sent.
  if (!hearing() || stage_ != ExchangeStage::Connecting) return;
  deadline_->stop();
  stage_ = ExchangeStage::Answering;
  framing_.reset();
  Socket* const socket = socket_.data();
  try {
    socket->SendData(request_.lengthLine);
    sent_ = true;
    socket->SendData(request_.message);
  } catch (...) {
    end(JournalOutcome::ClosedEarly, ExchangeHandler::Connect, failureOf(std::current_exception()));
    return;
  }
  // Out now, not at the next turn of the event loop: what the control does
  // next overlaps the distributor's work instead of delaying it. A connection
  // that fails here ends the exchange before Flush returns.
  socket->Flush();
  if (!hearing() || socket_ != socket || stage_ != ExchangeStage::Answering) return;
  startDeadline(answerSeconds_);
  emit requestSent();
}

void Exchange::onDataArrival() {
  if (!hearing() || stage_ != ExchangeStage::Answering) return;
  const std::string piece = socket_->GetData();
  // Kept before it is framed: an answer the framing refuses is in the
  // journal as far as it came, up to the piece that passed the limit.
  received_ += piece;
  std::optional<FramedAnswer> answer;
  try {
    answer = framing_.feed(piece);
    if (!answer && framing_.overrun()) throw exchangeError(answerTooLongText(target(), set_, framing_.expected()));
  } catch (...) {
    end(JournalOutcome::Malformed, ExchangeHandler::Arrival, failureOf(std::current_exception()));
    return;
  }
  if (!answer) return;
  deadline_->stop();
  answered_ = true;
  emit answered(*answer);
}

void Exchange::onSocketError(int number, const QString& description) {
  if (!hearing()) return;
  const SocketTrouble trouble = socketTroubleOf(number);
  // A failure without plain words of its own is told as the socket tells it.
  std::string detail = trouble == SocketTrouble::Other ? toLatin1(description) : std::string();
  if (stage_ == ExchangeStage::Connecting) {
    endWithText(JournalOutcome::ConnectionFailed, ExchangeHandler::Start, noConnectionText(target(), trouble),
                std::move(detail));
  } else {
    endWithText(JournalOutcome::ClosedEarly, ExchangeHandler::Arrival, lostAnswerText(target(), set_, trouble),
                std::move(detail));
  }
}

void Exchange::onClosed() {
  if (!hearing()) return;
  if (stage_ == ExchangeStage::Connecting) {
    endWithText(JournalOutcome::ConnectionFailed, ExchangeHandler::Start, closedBeforeSendingText(target()));
  } else {
    endWithText(JournalOutcome::ClosedEarly, ExchangeHandler::Arrival, closedBeforeAnswerText(target(), set_));
  }
}

void Exchange::onDeadline() {
  if (!hearing()) return;
  if (stage_ == ExchangeStage::Connecting) {
    endWithText(JournalOutcome::ConnectionFailed, ExchangeHandler::Start,
                noConnectionWithinText(target(), connectSeconds_));
  } else {
    endWithText(JournalOutcome::TimedOut, ExchangeHandler::Arrival,
                noAnswerWithinText(target(), set_, answerSeconds_));
  }
}

void Exchange::close(JournalOutcome outcome, bool abortSocket) {
  deadline_->stop();
  if (Socket* socket = socket_.data()) {
    disconnect(socket, nullptr, this, nullptr);
    if (abortSocket) {
      socket->Abort();
    } else {
      socket->Close();
    }
  }
  socket_.clear();
  stage_ = ExchangeStage::Idle;
  answered_ = false;
  if (journal_) {
    try {
      journal_->finish(journalId_, outcome, received_);
    } catch (...) {
      // The request is in the journal as pending, which tells the truth: the
      // outcome could not be added.
    }
    journal_.reset();
  }
}

void Exchange::announceEnd() {
  // A control that started the next one while reporting this end has said so already.
  if (!isOpen()) emit openChanged(false);
}

void Exchange::end(JournalOutcome outcome, ExchangeHandler handler, Failure failure) {
  close(outcome, true);
  emit failed(ExchangeEnding{outcome, sent_, handler, std::move(failure)});
  announceEnd();
}

void Exchange::endWithText(JournalOutcome outcome, ExchangeHandler handler, std::string description,
                           std::string detail) {
  end(outcome, handler, Failure{err::ExchangeFailed, std::move(description), std::move(detail)});
}

void Exchange::finish(JournalOutcome outcome) {
  if (!isOpen()) return;
  close(outcome, false);
  announceEnd();
}

void Exchange::fail(const Failure& failure) {
  if (isOpen()) end(JournalOutcome::Malformed, ExchangeHandler::Answer, failure);
}

void Exchange::abandon() {
  if (!isOpen()) return;
  close(JournalOutcome::Abandoned, true);
  announceEnd();
}

}  // namespace velta::qt
