// The journal of the distributor exchanges: every request and answer exactly
// as sent and received, with when, where and how it ended. Off unless the
// host names a folder.
//
//   ExchangeJournal journal = ExchangeJournal::open("/home/dealer/velta-journal");
//   std::int64_t id = journal.begin({host, port, MessageSet::Order850, poNumber, request.wireBytes()});
//   ... only now send the first byte ...
//   journal.finish(id, JournalOutcome::Acknowledged, bytesReceived);
//
// An order that may have gone out must never be missing from it: begin()
// commits the request before the caller sends, and finish() adds the outcome
// once known. A crash in between leaves the exchange "pending".
//
// The folder holds one SQLite database, "journal.sqlite", in write-ahead-log
// mode with full synchronisation, so a crash or a power cut loses at most the
// exchange in flight and never damages earlier ones. The journal tells what
// dealers ordered: the folder, and every folder it makes above it, is made
// readable and writable by its owner only (0700, its files 0600); an
// existing folder that group or others may read or write, or that belongs to
// someone else, is refused.
//
// Table "exchange", one row per exchange:
//
//   | column     | type    | content                                               |
//   |------------|---------|-------------------------------------------------------|
//   | id         | INTEGER | 1, 2, ... in the order of begin()                      |
//   | utc        | TEXT    | when begin() ran, UTC, "YYYY-MM-DD hh:mm:ss"           |
//   | utc_offset | INTEGER | the local offset from UTC then, seconds (east > 0)     |
//   | host       | TEXT    | the distributor's host as connected to                 |
//   | port       | INTEGER | its port                                               |
//   | set_number | TEXT    | "850", "869" or "846"                                  |
//   | reference  | TEXT    | the PO number (850, 869); the host's line and part     |
//   |            |         | of an inquiry (846), "FLT PH3600"                      |
//   | outcome    | TEXT    | "pending", then one of the outcomes below              |
//   | request    | BLOB    | the bytes sent: length line and message                |
//   | answer     | BLOB    | the bytes received, NULL until finish()                |
//   | finished   | TEXT    | when finish() ran, UTC, NULL until then                |
//
// Failures are EngineError -23, source "Journal", saying what and where.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Calendar.h"
#include "base/Clock.h"
#include "link/RequestHeader.h"

struct sqlite3;

namespace velta {

enum class JournalOutcome {
  Pending,           // committed before sending
  Acknowledged,      // 850 accepted
  Exception,         // the distributor's exception answer
  Answered,          // 869 or 846 answer shown
  Malformed,         // an answer the parsers or the framing refused
  TimedOut,          // no complete answer within the deadline
  ClosedEarly,       // the connection closed before the answer was complete
  ConnectionFailed,  // no connection could be made
  Abandoned,         // the user left while the exchange was open
};

// "pending", "acknowledged", "exception", "answered", "malformed",
// "timed-out", "closed-early", "connection-failed", "abandoned".
std::string_view outcomeText(JournalOutcome outcome);
std::optional<JournalOutcome> outcomeFromText(std::string_view text);

// A moment as the journal keeps it.
struct JournalTime {
  std::int64_t utcSeconds = 0;  // since 1970-01-01 00:00:00 UTC
  int utcOffset = 0;            // local time minus UTC, seconds

  // The system clock and the local time zone's offset at this moment.
  static JournalTime now();
  // The local date and time it was, where it was recorded.
  DateTime local() const;
};

// What begin() records.
struct JournalStart {
  std::string host;
  int port = 0;
  MessageSet set = MessageSet::Order850;
  std::string reference;  // PO number, or an inquiry's line and part
  std::string request;    // the bytes as sent, length line included
};

// One exchange as read back.
struct JournalEntry {
  std::int64_t id = 0;
  std::string utc;  // "YYYY-MM-DD hh:mm:ss"
  int utcOffset = 0;
  std::string host;
  int port = 0;
  std::string setNumber;
  std::string reference;
  std::string outcome;
  std::string request;
  std::optional<std::string> answer;
  std::optional<std::string> finished;

  // When begin() ran; its local time as "YYYY-MM-DD hh:mm:ss +hh:mm".
  JournalTime began() const;
  std::string localTime() const;
};

// What list() keeps; an empty filter keeps everything.
struct JournalFilter {
  std::optional<std::string> reference;  // exactly this PO number, or line and part
  std::optional<Date> since;             // begun on this local date or later
};

class ExchangeJournal {
 public:
  static constexpr std::string_view kFileName = "journal.sqlite";

  // The journal in `folder`, made (with missing parents) when absent.
  static ExchangeJournal open(const std::filesystem::path& folder);
  // An existing journal, to read it back; nothing is made.
  static ExchangeJournal openExisting(const std::filesystem::path& folder);

  ExchangeJournal(ExchangeJournal&& other) noexcept;
  ExchangeJournal& operator=(ExchangeJournal&& other) noexcept;
  ExchangeJournal(const ExchangeJournal&) = delete;
  ExchangeJournal& operator=(const ExchangeJournal&) = delete;
  ~ExchangeJournal();

  // Records an exchange about to start, committed when this returns; its id.
  std::int64_t begin(const JournalStart& start);
  std::int64_t begin(const JournalStart& start, const JournalTime& at);
  // Adds how exchange `id` ended and the bytes received (all of them, also
  // when the answer was incomplete). Only a pending exchange can be finished.
  void finish(std::int64_t id, JournalOutcome outcome, std::string_view answer);
  void finish(std::int64_t id, JournalOutcome outcome, std::string_view answer, const JournalTime& at);

  // The exchanges the filter keeps, in the order of their ids.
  std::vector<JournalEntry> list(const JournalFilter& filter = {}) const;
  // One exchange, none when there is no such id.
  std::optional<JournalEntry> read(std::int64_t id) const;

  const std::filesystem::path& file() const noexcept { return file_; }

 private:
  ExchangeJournal(sqlite3* db, std::filesystem::path file) : db_(db), file_(std::move(file)) {}
  static ExchangeJournal connect(const std::filesystem::path& file, bool create);
  void execute(const char* sql) const;
  [[noreturn]] void fail(std::string_view what) const;

  sqlite3* db_ = nullptr;
  std::filesystem::path file_;
};

}  // namespace velta
