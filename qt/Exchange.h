// One exchange with the distributor: a request sent over one of the control's
// sockets and the answer framed as it arrives, with the deadlines, the journal
// entry and the one-exchange-at-a-time rule, the same for every exchange of
// both controls. What is the control's own stays with it: building the
// request, reading and showing the answer, its wording and its buttons.
//
//   Exchange exchange;
//   connect(&exchange, &Exchange::answered, [&](const FramedAnswer& answer) {
//     ... read it; exchange.finish(JournalOutcome::Answered) before showing it,
//     or exchange.fail(failure) when it cannot be read ...
//   });
//   connect(&exchange, &Exchange::failed, [&](const ExchangeEnding& ending) { ... box ... });
//   exchange.start(*ws1, hostAddress, port, {MessageSet::Order850, vendor, poNumber, request});
//
// Stages: idle -> connecting -> answering -> idle.
//
//   - start() checks the target (the host without trailing blanks and control
//     characters, not empty; the port 1 to 65535), commits the request to the
//     journal as pending when a folder is named (nothing is sent when it
//     cannot be), connects, and runs the connect deadline.
//   - On the connection: the length line, then the message, two sends; the
//     answer deadline runs, and requestSent() tells the control, which may
//     make ready what showing the answer needs while the distributor works.
//   - Every arrival is kept for the journal before it is framed
//     (link/AnswerFraming.h). The complete answer is answered(): no deadline,
//     and nothing more of the connection is heard; the exchange stays open
//     until the control says how it read it, with finish() or fail().
//   - Everything else ends it with failed() and the connection aborted: no
//     connection, a connection lost, a deadline passed, an answer the framing
//     refuses or that is longer than announced, a failure of the sends.
//     Events that come later are not heard. Its own endings are -23 with the
//     texts of qt/ExchangeTexts.h, naming the request's vendor and, for a
//     request that went out, the next step of its message set.
//   - abandon(): the user leaves.
//
// Deadlines are seconds: 0 or less waits without end, more than a day is a
// day, and a deadline never fires before its time (whole milliseconds rounded
// up, a precise timer).
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "link/AnswerFraming.h"
#include "link/ExchangeJournal.h"
#include "link/MessageFields.h"
#include "link/RequestHeader.h"
#include "qt/ControlFailure.h"
#include "qt/ExchangeTexts.h"

class QTimer;

namespace velta::qt {

class Socket;

enum class ExchangeStage { Idle, Connecting, Answering };

// The routine of the control that reports how an exchange ended.
enum class ExchangeHandler {
  Start,    // the routine that started it: the connection was never made
  Connect,  // the connect event: the sends failed
  Arrival,  // the data-arrival event: the request went out, no answer came that could be framed
  Answer,   // the routine that reads the answer
};

// How an exchange ended without an answer that was shown.
struct ExchangeEnding {
  JournalOutcome outcome = JournalOutcome::Abandoned;
  // Some of the request went out: the distributor may hold it.
  bool sent = false;
  ExchangeHandler handler = ExchangeHandler::Start;
  // For the box: -23 and the exchange's own words (qt/ExchangeTexts.h), or
  // the failure as raised.
  Failure failure;
};

// What one exchange sends, and whose distributor it goes to.
struct ExchangeRequest {
  MessageSet set = MessageSet::Order850;
  int32_t vendor = 0;     // the vendor of the distributor, as the texts name it; 0 not known
  std::string reference;  // the journal's reference: the PO number, an inquiry's line and part
  OutgoingRequest bytes;
};

class Exchange : public QObject {
  Q_OBJECT

 public:
  static constexpr double kDefaultConnectSeconds = 15;
  static constexpr double kDefaultAnswerSeconds = 60;
  static constexpr double kLongestSeconds = 86400;

  explicit Exchange(QObject* parent = nullptr);
  // An exchange still open is journaled as abandoned.
  ~Exchange() override;

  // Set as given, but at most kLongestSeconds; true when the value changed.
  double connectSeconds() const { return connectSeconds_; }
  bool setConnectSeconds(double seconds);
  double answerSeconds() const { return answerSeconds_; }
  bool setAnswerSeconds(double seconds);

  // The journal's folder; "" keeps none. True when it changed.
  QString journalFolder() const { return journalFolder_; }
  bool setJournalFolder(const QString& folder) {
    if (folder == journalFolder_) return false;
    journalFolder_ = folder;
    return true;
  }

  // The host as connected to: the record's field without trailing blanks and control characters.
  static std::string hostOf(const std::string& hostAddress);

  // Starts one exchange on `socket`. -23 when one is open, the host is empty,
  // the port is not a TCP port or the journal cannot be used (its reason the
  // detail): then nothing was sent and the exchange stays idle.
  void start(Socket& socket, const std::string& hostAddress, int port, const ExchangeRequest& request);

  ExchangeStage stage() const { return stage_; }
  bool isOpen() const { return stage_ != ExchangeStage::Idle; }
  // Some of the request went out.
  bool sent() const { return sent_; }
  // The host and port of the open or the last exchange, and with its vendor.
  const std::string& host() const { return host_; }
  int port() const { return port_; }
  ExchangeTarget target() const { return {vendor_, host_, port_}; }
  // When the open or the last exchange began, as the journal records it.
  const JournalTime& began() const { return began_; }

  // The control read the answer of answered(): the journal hears how, the
  // connection is closed, and the exchange is over.
  void finish(JournalOutcome outcome);
  // The control cannot read the answer: malformed, reported by failed().
  void fail(const Failure& failure);
  // The user leaves: abandoned, the connection aborted, nothing reported.
  void abandon();

 signals:
  // The request went out whole; the answer is awaited. What the control does
  // here overlaps the distributor's work.
  void requestSent();
  // The complete answer; the exchange is open until finish() or fail().
  void answered(const velta::FramedAnswer& answer);
  // The exchange ended without an answer (it is idle already; openChanged follows).
  void failed(const velta::qt::ExchangeEnding& ending);
  // An exchange began (true) or ended (false), whichever way; an ending
  // failed() reports comes after the report.
  void openChanged(bool open);

 private:
  void onConnected();
  void onDataArrival();
  void onSocketError(int number, const QString& description);
  void onClosed();
  void onDeadline();
  void startDeadline(double seconds);
  // Back to idle: no deadline, the socket's events no longer heard, the journal told.
  void close(JournalOutcome outcome, bool abortSocket);
  void announceEnd();
  void end(JournalOutcome outcome, ExchangeHandler handler, Failure failure);
  void endWithText(JournalOutcome outcome, ExchangeHandler handler, std::string description, std::string detail = {});
  // Whether the socket's events still count: open, and no answer handed over yet.
  bool hearing() const { return isOpen() && !answered_; }

  double connectSeconds_ = kDefaultConnectSeconds;
  double answerSeconds_ = kDefaultAnswerSeconds;
  QString journalFolder_;

  ExchangeStage stage_ = ExchangeStage::Idle;
  QPointer<Socket> socket_;
  QTimer* deadline_ = nullptr;
  std::string host_;
  int port_ = 0;
  int32_t vendor_ = 0;
  MessageSet set_ = MessageSet::Order850;
  OutgoingRequest request_;
  bool sent_ = false;
  bool answered_ = false;  // the answer is with the control
  AnswerFraming framing_;
  std::string received_;  // every byte of the answer, for the journal
  JournalTime began_;
  std::optional<ExchangeJournal> journal_;
  std::int64_t journalId_ = 0;
};

}  // namespace velta::qt
