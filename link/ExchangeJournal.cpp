#include "link/ExchangeJournal.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <system_error>
#include <utility>
#include <vector>

#include "base/EngineError.h"
#include "link/MessageFields.h"

namespace velta {

namespace {

constexpr std::string_view kSource = "Journal";

constexpr std::array<std::string_view, 9> kOutcomeTexts = {
    "pending",  "acknowledged", "exception",         "answered",  "malformed",
    "timed-out", "closed-early", "connection-failed", "abandoned",
};

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS exchange ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " utc TEXT NOT NULL,"
    " utc_offset INTEGER NOT NULL,"
    " host TEXT NOT NULL,"
    " port INTEGER NOT NULL,"
    " set_number TEXT NOT NULL,"
    " reference TEXT NOT NULL,"
    " outcome TEXT NOT NULL,"
    " request BLOB NOT NULL,"
    " answer BLOB,"
    " finished TEXT)";

constexpr const char* kColumns =
    "SELECT id, utc, utc_offset, host, port, set_number, reference, outcome, request, answer, finished FROM exchange";

EngineError journalError(std::string description) {
  return EngineError(err::ExchangeFailed, std::string(kSource), std::move(description));
}

std::string quoted(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

std::string octal(mode_t mode) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
  return text;
}

std::string utcText(std::int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm utc{};
  gmtime_r(&t, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &utc);
  return text;
}

// The folders above the journal's own that are not there yet, made 0700 as
// the journal's: one that others may write would let them move the journal
// away. Folders already there keep their modes. What cannot be made is left
// for the journal folder's own mkdir to report.
void makeMissingParents(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> missing;
  for (std::filesystem::path p = folder.parent_path(); !p.empty() && p != p.parent_path(); p = p.parent_path()) {
    struct stat info {};
    if (::stat(p.c_str(), &info) == 0 || errno != ENOENT) break;
    missing.push_back(p);
  }
  for (auto p = missing.rbegin(); p != missing.rend(); ++p) {
    // The umask may have taken owner bits; it never adds any.
    if (::mkdir(p->c_str(), 0700) == 0) ::chmod(p->c_str(), 0700);
  }
}

// The folder as the journal needs it: there (made 0700 when absent, as the
// folders made above it), a folder, this user's, and closed to group and others.
void prepareFolder(const std::filesystem::path& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) {
    if (errno != ENOENT) throw journalError("journal folder " + quoted(folder) + ": " + std::strerror(errno));
    makeMissingParents(folder);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
      throw journalError("journal folder " + quoted(folder) + " cannot be made: " + std::strerror(errno));
    }
    if (::stat(folder.c_str(), &info) != 0) {
      throw journalError("journal folder " + quoted(folder) + ": " + std::strerror(errno));
    }
    if (info.st_uid == ::geteuid()) ::chmod(folder.c_str(), 0700);  // the umask may have taken owner bits
    info.st_mode = (info.st_mode & ~07777) | 0700;
  }
  if (!S_ISDIR(info.st_mode)) throw journalError("journal folder " + quoted(folder) + " is not a folder");
  if (info.st_uid != ::geteuid()) {
    throw journalError("journal folder " + quoted(folder) + " belongs to another user (uid " +
                       std::to_string(info.st_uid) + ")");
  }
  if ((info.st_mode & 0066) != 0) {
    throw journalError("journal folder " + quoted(folder) + " may be read or written by group or others (mode " +
                       octal(info.st_mode) + "); it must be its owner's only (chmod 700)");
  }
}

// The database file, made 0600 before SQLite opens it: its log and
// shared-memory files take the same mode.
void prepareFile(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) throw journalError("journal " + quoted(file) + " cannot be made: " + std::strerror(errno));
  const int changed = ::fchmod(fd, 0600);
  const int error = errno;
  ::close(fd);
  if (changed != 0) throw journalError("journal " + quoted(file) + ": " + std::strerror(error));
}

class Statement {
 public:
  Statement(sqlite3* db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK) {
      throw journalError(std::string("journal: ") + sqlite3_errmsg(db));
    }
  }
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  void text(int index, std::string_view value) {
    check(sqlite3_bind_text(statement_, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT));
  }
  void blob(int index, std::string_view value) {
    // A zero-length blob, not NULL, for an empty value.
    check(sqlite3_bind_blob64(statement_, index, value.empty() ? "" : value.data(), value.size(), SQLITE_TRANSIENT));
  }
  void integer(int index, std::int64_t value) { check(sqlite3_bind_int64(statement_, index, value)); }

  // True while rows come; false when done.
  bool step() {
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) return true;
    if (result == SQLITE_DONE) return false;
    throw journalError(std::string("journal: ") + sqlite3_errmsg(db_));
  }

  std::int64_t integerAt(int column) const { return sqlite3_column_int64(statement_, column); }
  std::optional<std::string> bytesAt(int column) const {
    if (sqlite3_column_type(statement_, column) == SQLITE_NULL) return std::nullopt;
    const void* data = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return data ? std::string(static_cast<const char*>(data), static_cast<std::size_t>(size)) : std::string();
  }
  std::string textAt(int column) const { return bytesAt(column).value_or(std::string()); }

 private:
  void check(int result) {
    if (result != SQLITE_OK) throw journalError(std::string("journal: ") + sqlite3_errmsg(db_));
  }
  sqlite3* db_;
  sqlite3_stmt* statement_ = nullptr;
};

JournalEntry entryAt(const Statement& row) {
  JournalEntry entry;
  entry.id = row.integerAt(0);
  entry.utc = row.textAt(1);
  entry.utcOffset = static_cast<int>(row.integerAt(2));
  entry.host = row.textAt(3);
  entry.port = static_cast<int>(row.integerAt(4));
  entry.setNumber = row.textAt(5);
  entry.reference = row.textAt(6);
  entry.outcome = row.textAt(7);
  entry.request = row.bytesAt(8).value_or(std::string());
  entry.answer = row.bytesAt(9);
  entry.finished = row.bytesAt(10);
  return entry;
}

std::string_view setNumberOf(MessageSet set) {
  switch (set) {
    case MessageSet::Order850: return "850";
    case MessageSet::Status869: return "869";
    case MessageSet::Inquiry846: return "846";
  }
  return {};
}

}  // namespace

std::string_view outcomeText(JournalOutcome outcome) { return kOutcomeTexts[static_cast<std::size_t>(outcome)]; }

std::optional<JournalOutcome> outcomeFromText(std::string_view text) {
  for (std::size_t k = 0; k < kOutcomeTexts.size(); ++k) {
    if (kOutcomeTexts[k] == text) return static_cast<JournalOutcome>(k);
  }
  return std::nullopt;
}

JournalTime JournalTime::now() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return JournalTime{static_cast<std::int64_t>(t), static_cast<int>(local.tm_gmtoff)};
}

DateTime JournalTime::local() const {
  using namespace std::chrono;
  const sys_seconds at{seconds{utcSeconds + utcOffset}};
  const sys_days day = floor<days>(at);
  return DateTime{year_month_day{day}, at - day};
}

namespace {

// "YYYY-MM-DD hh:mm:ss" as seconds since 1970 UTC; none when it does not read.
std::optional<std::int64_t> utcSecondsOf(const std::string& utc) {
  std::tm parts{};
  if (std::sscanf(utc.c_str(), "%d-%d-%d %d:%d:%d", &parts.tm_year, &parts.tm_mon, &parts.tm_mday, &parts.tm_hour,
                  &parts.tm_min, &parts.tm_sec) != 6) {
    return std::nullopt;
  }
  parts.tm_year -= 1900;
  parts.tm_mon -= 1;
  return static_cast<std::int64_t>(timegm(&parts));
}

}  // namespace

JournalTime JournalEntry::began() const { return JournalTime{utcSecondsOf(utc).value_or(0), utcOffset}; }

std::string JournalEntry::localTime() const {
  if (!utcSecondsOf(utc)) return utc;
  const int minutes = (utcOffset < 0 ? -utcOffset : utcOffset) / 60;
  char offset[16];
  std::snprintf(offset, sizeof offset, " %c%02d:%02d", utcOffset < 0 ? '-' : '+', minutes / 60, minutes % 60);
  return began().local().text() + offset;
}

ExchangeJournal ExchangeJournal::open(const std::filesystem::path& folder) {
  prepareFolder(folder);
  const std::filesystem::path file = folder / kFileName;
  prepareFile(file);
  return connect(file, true);
}

ExchangeJournal ExchangeJournal::openExisting(const std::filesystem::path& folder) {
  const std::filesystem::path file = folder / kFileName;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    throw journalError("no journal in " + quoted(folder) + " (" + quoted(file) + " is not there)");
  }
  return connect(file, false);
}

ExchangeJournal ExchangeJournal::connect(const std::filesystem::path& file, bool create) {
  sqlite3* db = nullptr;
  const int result = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  ExchangeJournal journal(db, file);
  if (result != SQLITE_OK) {
    journal.fail(db ? sqlite3_errmsg(db) : "out of memory");
  }
  sqlite3_busy_timeout(db, 5000);  // the inquiry control may write at the same time
  if (create) {
    journal.execute("PRAGMA journal_mode=WAL");
    journal.execute("PRAGMA synchronous=FULL");
    journal.execute(kSchema);
  } else {
    Statement check(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'exchange'");
    if (!check.step() || check.integerAt(0) != 1) journal.fail("holds no table of exchanges");
  }
  return journal;
}

ExchangeJournal::ExchangeJournal(ExchangeJournal&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)), file_(std::move(other.file_)) {}

ExchangeJournal& ExchangeJournal::operator=(ExchangeJournal&& other) noexcept {
  if (this != &other) {
    sqlite3_close_v2(db_);
    db_ = std::exchange(other.db_, nullptr);
    file_ = std::move(other.file_);
  }
  return *this;
}

ExchangeJournal::~ExchangeJournal() { sqlite3_close_v2(db_); }

void ExchangeJournal::fail(std::string_view what) const {
  throw journalError("journal " + quoted(file_) + ": " + std::string(what));
}

void ExchangeJournal::execute(const char* sql) const {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
    const std::string what = message ? message : sqlite3_errmsg(db_);
    sqlite3_free(message);
    fail(what);
  }
}

std::int64_t ExchangeJournal::begin(const JournalStart& start) { return begin(start, JournalTime::now()); }

std::int64_t ExchangeJournal::begin(const JournalStart& start, const JournalTime& at) {
  Statement insert(db_,
                   "INSERT INTO exchange (utc, utc_offset, host, port, set_number, reference, outcome, request)"
                   " VALUES (?, ?, ?, ?, ?, ?, 'pending', ?)");
  insert.text(1, utcText(at.utcSeconds));
  insert.integer(2, at.utcOffset);
  insert.text(3, start.host);
  insert.integer(4, start.port);
  insert.text(5, setNumberOf(start.set));
  insert.text(6, start.reference);
  insert.blob(7, start.request);
  insert.step();  // one statement, its own transaction: committed here
  return sqlite3_last_insert_rowid(db_);
}

void ExchangeJournal::finish(std::int64_t id, JournalOutcome outcome, std::string_view answer) {
  finish(id, outcome, answer, JournalTime::now());
}

void ExchangeJournal::finish(std::int64_t id, JournalOutcome outcome, std::string_view answer, const JournalTime& at) {
  if (outcome == JournalOutcome::Pending) fail("an exchange cannot be finished as pending");
  Statement update(db_, "UPDATE exchange SET outcome = ?, answer = ?, finished = ? WHERE id = ? AND outcome = 'pending'");
  update.text(1, outcomeText(outcome));
  update.blob(2, answer);
  update.text(3, utcText(at.utcSeconds));
  update.integer(4, id);
  update.step();
  if (sqlite3_changes(db_) != 1) fail("exchange " + std::to_string(id) + " is not a pending exchange");
}

std::vector<JournalEntry> ExchangeJournal::list(const JournalFilter& filter) const {
  std::string sql = std::string(kColumns) + " WHERE (?1 IS NULL OR reference = ?1)" +
                    " AND (?2 IS NULL OR date(utc, utc_offset || ' seconds') >= ?2) ORDER BY id";
  Statement select(db_, sql.c_str());
  if (filter.reference) select.text(1, *filter.reference);
  if (filter.since) select.text(2, formatIsoDate(*filter.since));
  std::vector<JournalEntry> entries;
  while (select.step()) entries.push_back(entryAt(select));
  return entries;
}

std::optional<JournalEntry> ExchangeJournal::read(std::int64_t id) const {
  const std::string sql = std::string(kColumns) + " WHERE id = ?";
  Statement select(db_, sql.c_str());
  select.integer(1, id);
  if (!select.step()) return std::nullopt;
  return entryAt(select);
}

}  // namespace velta
