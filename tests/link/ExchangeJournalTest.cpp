#include "link/ExchangeJournal.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/EngineErrorMatch.h"
#include "support/TempDir.h"

namespace velta {
namespace {

namespace fs = std::filesystem;

mode_t modeOf(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

// 2024-03-15 09:20:07 UTC, one hour east of UTC.
const JournalTime kMorning{1710494407, 3600};

const std::string kRequest = std::string("88\n00|//VELTA//850|||H-BRONTEK|8153\n01|5678|1234|\0\xff|\n", 53);

class Journal : public ::testing::Test {
 protected:
  test::TempDir dir;
  fs::path folder = dir.path() / "journals" / "velta";
  JournalStart order{"127.0.0.1", 12000, MessageSet::Order850, "1234", kRequest};
};

TEST_F(Journal, BeginRecordsTheRequestExactlyAsPending) {
  ExchangeJournal journal = ExchangeJournal::open(folder);
  const std::int64_t id = journal.begin(order, kMorning);
  EXPECT_EQ(id, 1);
  const auto entry = journal.read(id);
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->request, kRequest);
  EXPECT_EQ(entry->utc, "2024-03-15 09:20:07");
  EXPECT_EQ(entry->utcOffset, 3600);
  EXPECT_EQ(entry->localTime(), "2024-03-15 10:20:07 +01:00");
  EXPECT_EQ(entry->host, "127.0.0.1");
  EXPECT_EQ(entry->port, 12000);
  EXPECT_EQ(entry->setNumber, "850");
  EXPECT_EQ(entry->reference, "1234");
  EXPECT_EQ(entry->outcome, "pending");
  EXPECT_EQ(entry->answer, std::nullopt);
  EXPECT_EQ(entry->finished, std::nullopt);
  EXPECT_EQ(journal.read(2), std::nullopt);
}

TEST_F(Journal, EveryOutcomeWithItsAnswerBytes) {
  ExchangeJournal journal = ExchangeJournal::open(folder);
  const JournalOutcome outcomes[] = {JournalOutcome::Acknowledged, JournalOutcome::Exception,
                                     JournalOutcome::Answered,     JournalOutcome::Malformed,
                                     JournalOutcome::TimedOut,     JournalOutcome::ClosedEarly,
                                     JournalOutcome::ConnectionFailed, JournalOutcome::Abandoned};
  const char* texts[] = {"acknowledged", "exception", "answered", "malformed",
                         "timed-out", "closed-early", "connection-failed", "abandoned"};
  for (std::size_t k = 0; k < std::size(outcomes); ++k) {
    const std::int64_t id = journal.begin(order, kMorning);
    const std::string answer = k == 6 ? std::string() : "20\n00|//VELTA//850|\0\r\n" + std::to_string(k);
    journal.finish(id, outcomes[k], answer, JournalTime{kMorning.utcSeconds + 65, 3600});
    const auto entry = journal.read(id);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->outcome, texts[k]);
    EXPECT_EQ(entry->answer, std::optional<std::string>(answer)) << texts[k];
    EXPECT_EQ(entry->finished, std::optional<std::string>("2024-03-15 09:21:12"));
    EXPECT_EQ(outcomeText(outcomes[k]), texts[k]);
    EXPECT_EQ(outcomeFromText(texts[k]), outcomes[k]);
  }
  EXPECT_EQ(outcomeText(JournalOutcome::Pending), "pending");
  EXPECT_EQ(outcomeFromText("Acknowledged"), std::nullopt);
}

TEST_F(Journal, OnlyAPendingExchangeIsFinished) {
  ExchangeJournal journal = ExchangeJournal::open(folder);
  const std::int64_t id = journal.begin(order, kMorning);
  journal.finish(id, JournalOutcome::Acknowledged, "a");
  const std::string file = (folder / "journal.sqlite").string();
  test::expectEngineError([&] { journal.finish(id, JournalOutcome::Exception, "b"); }, -23, "Journal",
                          "journal \"" + file + "\": exchange 1 is not a pending exchange");
  test::expectEngineError([&] { journal.finish(9, JournalOutcome::Exception, "b"); }, -23, "Journal",
                          "journal \"" + file + "\": exchange 9 is not a pending exchange");
  const std::int64_t second = journal.begin(order, kMorning);
  test::expectEngineError([&] { journal.finish(second, JournalOutcome::Pending, ""); }, -23, "Journal",
                          "journal \"" + file + "\": an exchange cannot be finished as pending");
  EXPECT_EQ(journal.read(id)->answer, std::optional<std::string>("a"));
}

TEST_F(Journal, FolderAndFilesAreTheOwnersOnly) {
  const mode_t previous = ::umask(0);  // the journal must not depend on the caller's umask
  {
    ExchangeJournal journal = ExchangeJournal::open(folder);
    journal.begin(order, kMorning);
    EXPECT_EQ(modeOf(folder), 0700u);
    int files = 0;
    for (const auto& item : fs::directory_iterator(folder)) {
      EXPECT_EQ(modeOf(item.path()), 0600u) << item.path();
      ++files;
    }
    EXPECT_EQ(files, 3);  // the database, its log and its shared memory
    EXPECT_TRUE(fs::exists(folder / "journal.sqlite-wal"));
  }
  ::umask(previous);
  EXPECT_EQ(modeOf(folder / "journal.sqlite"), 0600u);
}

TEST_F(Journal, FoldersMadeAboveItAreTheOwnersOnlyAndOthersKeepTheirModes) {
  const fs::path kept = dir.path() / "kept";
  fs::create_directory(kept);
  fs::permissions(kept, fs::perms(0755));
  const fs::path deep = kept / "state" / "velta" / "journal";
  const mode_t previous = ::umask(0);  // what would make every folder 0777
  { ExchangeJournal::open(deep).begin(order, kMorning); }
  ::umask(previous);
  for (const fs::path& made : {kept / "state", kept / "state" / "velta", deep}) EXPECT_EQ(modeOf(made), 0700u) << made;
  EXPECT_EQ(modeOf(kept), 0755u);
}

TEST_F(Journal, WriteAheadLogAndFullSynchronisation) {
  ExchangeJournal journal = ExchangeJournal::open(folder);
  journal.begin(order, kMorning);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2((folder / "journal.sqlite").c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  sqlite3_stmt* statement = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &statement, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
  EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)), "wal");
  sqlite3_finalize(statement);
  // Another connection sees the pending row: it was committed by begin().
  ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT outcome, length(request) FROM exchange", -1, &statement, nullptr),
            SQLITE_OK);
  ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
  EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)), "pending");
  EXPECT_EQ(sqlite3_column_int(statement, 1), 53);
  sqlite3_finalize(statement);
  sqlite3_close(db);
}

TEST_F(Journal, ExistingFoldersOpenToOthersAreRefused) {
  struct Case {
    mode_t mode;
    const char* text;
  };
  const Case cases[] = {{0755, "0755"}, {0740, "0740"}, {0702, "0702"}, {0777, "0777"}, {0720, "0720"}};
  for (const Case& c : cases) {
    fs::create_directories(folder);
    ASSERT_EQ(::chmod(folder.c_str(), c.mode), 0);
    test::expectEngineError([&] { ExchangeJournal::open(folder); }, -23, "Journal",
                            "journal folder \"" + folder.string() +
                                "\" may be read or written by group or others (mode " + c.text +
                                "); it must be its owner's only (chmod 700)");
    EXPECT_FALSE(fs::exists(folder / "journal.sqlite")) << c.text;
  }
  ASSERT_EQ(::chmod(folder.c_str(), 0700), 0);
  EXPECT_NO_THROW(ExchangeJournal::open(folder));
}

TEST_F(Journal, FolderThatIsAFileOrAnothersIsRefused) {
  const fs::path file = dir.write("plain", "x");
  test::expectEngineError([&] { ExchangeJournal::open(file); }, -23, "Journal",
                          "journal folder \"" + file.string() + "\" is not a folder");
  if (::geteuid() != 0) GTEST_SKIP() << "giving a folder to another user needs root";
  const fs::path theirs = dir.path() / "theirs";
  fs::create_directory(theirs);
  ASSERT_EQ(::chmod(theirs.c_str(), 0700), 0);
  ASSERT_EQ(::chown(theirs.c_str(), 65534, 65534), 0);
  test::expectEngineError([&] { ExchangeJournal::open(theirs); }, -23, "Journal",
                          "journal folder \"" + theirs.string() + "\" belongs to another user (uid 65534)");
}

TEST_F(Journal, CrashBetweenBeginAndFinishLeavesThePendingRow) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The process dies right after begin(): no destructor, no close, no checkpoint.
    try {
      ExchangeJournal journal = ExchangeJournal::open(folder);
      journal.finish(journal.begin(order, kMorning), JournalOutcome::Acknowledged, "done");
      journal.begin(JournalStart{"dist.example", 12003, MessageSet::Status869, "77", "request bytes"}, kMorning);
      ::_exit(0);
    } catch (...) {
      ::_exit(1);
    }
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  ExchangeJournal reopened = ExchangeJournal::open(folder);
  const auto entries = reopened.list();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].outcome, "acknowledged");
  EXPECT_EQ(entries[0].answer, std::optional<std::string>("done"));
  EXPECT_EQ(entries[1].outcome, "pending");
  EXPECT_EQ(entries[1].setNumber, "869");
  EXPECT_EQ(entries[1].request, "request bytes");
  // The journal goes on after the crash.
  EXPECT_EQ(reopened.begin(order, kMorning), 3);
  reopened.finish(2, JournalOutcome::Abandoned, "");
  EXPECT_EQ(reopened.read(2)->outcome, "abandoned");
}

TEST_F(Journal, ReopeningKeepsEverything) {
  {
    ExchangeJournal journal = ExchangeJournal::open(folder);
    journal.finish(journal.begin(order, kMorning), JournalOutcome::Acknowledged, "answer");
  }
  {
    ExchangeJournal journal = ExchangeJournal::open(folder);
    EXPECT_EQ(journal.begin(order, kMorning), 2);
  }
  const ExchangeJournal reader = ExchangeJournal::openExisting(folder);
  const auto entries = reader.list();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].answer, std::optional<std::string>("answer"));
  EXPECT_EQ(entries[1].outcome, "pending");
}

TEST_F(Journal, OpenExistingMakesNothing) {
  test::expectEngineError([&] { ExchangeJournal::openExisting(folder); }, -23, "Journal",
                          "no journal in \"" + folder.string() + "\" (\"" + (folder / "journal.sqlite").string() +
                              "\" is not there)");
  EXPECT_FALSE(fs::exists(folder));
  const fs::path other = dir.path() / "other";
  fs::create_directory(other);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((other / "journal.sqlite").c_str(), &db), SQLITE_OK);
  sqlite3_exec(db, "CREATE TABLE unrelated (x)", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  test::expectEngineError([&] { ExchangeJournal::openExisting(other); }, -23, "Journal",
                          "journal \"" + (other / "journal.sqlite").string() + "\": holds no table of exchanges");
}

TEST_F(Journal, ListFilters) {
  ExchangeJournal journal = ExchangeJournal::open(folder);
  // 2024-03-15 23:30 UTC is already 16 March at +01:00, still 15 March at -05:00.
  const std::int64_t late = 1710545400;
  journal.begin(order, JournalTime{late, 3600});                                                  // 1: 16 March
  journal.begin(order, JournalTime{late, -5 * 3600});                                             // 2: 15 March
  journal.begin({"h", 1, MessageSet::Inquiry846, "IQ-9", "r"}, JournalTime{late + 86400, 0});     // 3: 16 March
  journal.begin({"h", 1, MessageSet::Status869, "12345", "r"}, JournalTime{late - 86400 * 3, 0});  // 4: 12 March
  struct Case {
    std::optional<std::string> reference;
    std::optional<Date> since;
    std::vector<std::int64_t> ids;
  };
  const Case cases[] = {
      {std::nullopt, std::nullopt, {1, 2, 3, 4}},
      {"1234", std::nullopt, {1, 2}},
      {"123", std::nullopt, {}},
      {"IQ-9", std::nullopt, {3}},
      {std::nullopt, *makeDate(2024, 3, 16), {1, 3}},
      {std::nullopt, *makeDate(2024, 3, 15), {1, 2, 3}},
      {"1234", *makeDate(2024, 3, 16), {1}},
      {std::nullopt, *makeDate(2024, 3, 18), {}},
  };
  for (const Case& c : cases) {
    std::vector<std::int64_t> ids;
    for (const auto& entry : journal.list({c.reference, c.since})) ids.push_back(entry.id);
    EXPECT_EQ(ids, c.ids) << c.reference.value_or("-") << " " << (c.since ? formatIsoDate(*c.since) : "-");
  }
  EXPECT_EQ(journal.read(2)->localTime(), "2024-03-15 18:30:00 -05:00");
  EXPECT_EQ(journal.read(1)->localTime(), "2024-03-16 00:30:00 +01:00");
}

TEST_F(Journal, LocalOffsetOfTheClock) {
  const JournalTime now = JournalTime::now();
  EXPECT_GT(now.utcSeconds, 1700000000);
  EXPECT_LT(std::abs(now.utcOffset), 15 * 3600);
}

}  // namespace
}  // namespace velta
