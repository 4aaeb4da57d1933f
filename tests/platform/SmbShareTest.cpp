// The SMB backend through share access, against a real Samba server on the
// loopback interface: reads, writes and lengths, letter case, the read-only
// fallback, credentials, and servers that refuse, stop or never answer.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <optional>

#include "base/BaseState.h"
#include "base/EngineError.h"
#include "platform/ShareAccess.h"
#include "platform/SmbShare.h"
#include "support/Raised.h"
#include "support/SambaServer.h"
#include "support/SilentServer.h"
#include "support/TempDir.h"

namespace velta {
namespace {

namespace fs = std::filesystem;
using test::SambaServer;
using test::SilentServer;

// What a deadline may overrun by: scheduling, and the few local steps around the wait.
constexpr double kDeadlineSlackSeconds = 2.0;

template <class F>
double secondsTaken(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Bytes that a reader getting offsets or lengths wrong cannot mistake for one another.
std::string pattern(std::size_t length) {
  std::string out(length, '\0');
  for (std::size_t i = 0; i < length; ++i) out[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return out;
}

struct TimedFailure {
  EngineError error{0, "", ""};
  double seconds = 0;
};

// What `f` raises, and how long it took to.
template <class F>
TimedFailure timedFailure(F&& f) {
  TimedFailure out;
  out.seconds = secondsTaken([&] { out.error = test::raised(f); });
  return out;
}

// Reads the file's second block of 512 bytes.
void readBlock(ShareFile& file) {
  char buffer[512];
  file.readAt(sizeof buffer, buffer, sizeof buffer);
}

// Catches notices, and what libsmbclient might print, for one test.
class NoticeCatcher {
 public:
  NoticeCatcher() : saved_(baseState().notice) {
    baseState().notice = [this](const Notice& n) { texts.push_back(n.text); };
  }
  ~NoticeCatcher() { baseState().notice = saved_; }
  // The one notice given, or a text saying how many there were.
  std::string only() const { return texts.size() == 1 ? texts[0] : std::to_string(texts.size()) + " notices, not one"; }
  std::vector<std::string> texts;

 private:
  NoticeCallback saved_;
};

// Serves share-map lines through a ShareAccess of its own (no root folder).
class Shares {
 public:
  explicit Shares(const fs::path& folder) : folder_(folder) {}
  ShareAccess& with(const std::string& lines) {
    writeFile(folder_ / "shares.conf", lines);
    access_.configure({(folder_ / "shares.conf").string(), std::string()});
    return access_;
  }
  ShareAccess& operator*() { return access_; }
  ShareAccess* operator->() { return &access_; }

 private:
  fs::path folder_;
  ShareAccess access_;
};

class SmbShareTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (auto why = SambaServer::unavailable()) GTEST_SKIP() << *why;
    samba.emplace();
    shares.emplace(samba->scratchDir());
  }

  // A credentials file in the scratch folder with the given mode.
  std::string credentialsFile(const std::string& text, mode_t mode = 0600) {
    const fs::path path = samba->scratchDir() / ("cred" + std::to_string(++files));
    writeFile(path, text);
    ::chmod(path.c_str(), mode);
    return path.string();
  }

  // \\SRV\HBTSLNK\D1\VNDRDI on the guest share with the given options, opened and read from once.
  std::unique_ptr<ShareFile> openAndReadOnce(const std::string& options) {
    writeFile(samba->publicDir() / "D1" / "VNDRDI", pattern(4096));
    auto file = shares->with("\\\\SRV\\HBTSLNK = " + samba->url("PUBLIC") + " " + options + "\n")
                    .open("\\\\SRV\\HBTSLNK\\D1\\VNDRDI");
    char buffer[512];
    if (!file || file->readAt(0, buffer, sizeof buffer) != sizeof buffer) return nullptr;
    return file;
  }

  std::optional<SambaServer> samba;
  std::optional<Shares> shares;  // closed before the server stops
  NoticeCatcher notices;
  int files = 0;
};

TEST_F(SmbShareTest, PositionedReadsWritesAndLength) {
  const std::string bytes = pattern(3000);
  writeFile(samba->publicDir() / "D1" / "VNDRDI", bytes);
  auto& access = shares->with("\\\\SRV\\HBTSLNK = " + samba->url("PUBLIC") + "\n");

  auto file = access.open("\\\\SRV\\HBTSLNK\\D1\\VNDRDI");
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(file->readOnly());
  EXPECT_EQ(file->path(), "\\\\SRV\\HBTSLNK\\D1\\VNDRDI");
  EXPECT_EQ(file->size(), 3000u);

  std::string buffer(1000, '?');
  EXPECT_EQ(file->readAt(2500, buffer.data(), buffer.size()), 500u);  // short at the end
  EXPECT_EQ(buffer.substr(0, 500), bytes.substr(2500));
  EXPECT_EQ(file->readAt(512, buffer.data(), 512), 512u);
  EXPECT_EQ(buffer.substr(0, 512), bytes.substr(512, 512));
  EXPECT_EQ(file->readAt(3000, buffer.data(), 10), 0u);
  EXPECT_EQ(file->readAt(1u << 20, buffer.data(), 10), 0u);

  file->writeAt(2998, "WXYZ", 4);  // across the end: the file grows
  file->writeAt(4000, "\xFF", 1);  // past the end: the gap reads as zeros
  EXPECT_EQ(file->size(), 4001u);
  std::string expected = bytes.substr(0, 2998) + "WXYZ" + std::string(998, '\0') + "\xFF";
  EXPECT_EQ(readFile(samba->publicDir() / "D1" / "VNDRDI"), expected);
}

TEST_F(SmbShareTest, CountsTheReadCallsItMakesToTheServer) {
  writeFile(samba->publicDir() / "F", pattern(2048));
  auto& access = shares->with("\\\\SRV\\S = " + samba->url("PUBLIC") + "\n");
  auto file = access.open("\\\\SRV\\S\\F");
  ASSERT_NE(file, nullptr);
  const auto where = access.resolve("\\\\SRV\\S\\F");
  ASSERT_TRUE(where);
  const auto* smb = dynamic_cast<const SmbShare*>(where->backend);
  ASSERT_NE(smb, nullptr);
  const uint64_t before = smb->readCalls();  // lookups read no file
  char buffer[512];
  file->readAt(0, buffer, 512);
  file->readAt(1024, buffer, 512);
  EXPECT_EQ(smb->readCalls(), before + 2);
  EXPECT_EQ(file->readAt(1800, buffer, 512), 248u);  // the short read, then the end
  EXPECT_EQ(smb->readCalls(), before + 4);
}

TEST_F(SmbShareTest, ReadsLargerThanOneServerReply) {
  const std::string bytes = pattern(3 << 20);  // more than one SMB read reply carries
  writeFile(samba->publicDir() / "BIG", bytes);
  auto& access = shares->with("\\\\SRV\\S = " + samba->url("PUBLIC") + "\n");
  EXPECT_EQ(access.readAll("\\\\SRV\\S\\BIG"), bytes);
}

TEST_F(SmbShareTest, NamesMatchWithoutRegardToCaseOnEitherKindOfServer) {
  for (const auto& [share, folder] : {std::pair{"PUBLIC", samba->publicDir()}, {"EXACT", samba->exactCaseDir()}}) {
    SCOPED_TRACE(share);
    writeFile(folder / "D1" / "VndrDI", "directory");
    writeFile(folder / "CatCon" / "HBT2RKT.TXT", "map");
    writeFile(folder / "D1" / "a b%c#d", "odd name");
    auto& access = shares->with("\\\\SRV\\HBTSLNK = " + samba->url(share) + "\n");
    EXPECT_EQ(access.readAll("\\\\srv\\hbtslnk\\d1\\VNDRDI").value_or("?"), "directory");
    EXPECT_EQ(access.readAll("\\\\SRV\\HBTSLNK\\CATCON\\hbt2rkt.txt").value_or("?"), "map");
    EXPECT_EQ(access.readAll("\\\\SRV\\HBTSLNK\\D1\\A B%C#D").value_or("?"), "odd name");
    EXPECT_EQ(access.lookup("\\\\SRV\\HBTSLNK\\catcon"), EntryKind::Directory);
    EXPECT_EQ(access.lookup("\\\\SRV\\HBTSLNK\\D1\\MISSING"), EntryKind::None);
    EXPECT_EQ(access.open("\\\\SRV\\HBTSLNK\\D1"), nullptr);  // a folder is not a file
  }
  EXPECT_TRUE(notices.texts.empty());  // a name that is not there is no file, not a failure
}

TEST_F(SmbShareTest, ExactNameWinsThenFirstInByteOrder) {
  writeFile(samba->exactCaseDir() / "D1" / "Twin", "exact");
  writeFile(samba->exactCaseDir() / "D1" / "TWIN", "upper");
  auto& access = shares->with("\\\\SRV\\S = " + samba->url("EXACT") + "\n");
  EXPECT_EQ(access.readAll("\\\\SRV\\S\\D1\\Twin").value_or("?"), "exact");
  EXPECT_EQ(access.readAll("\\\\SRV\\S\\D1\\TWIN").value_or("?"), "upper");
  EXPECT_EQ(access.readAll("\\\\SRV\\S\\D1\\twin").value_or("?"), "upper");  // "TWIN" < "Twin"
}

TEST_F(SmbShareTest, ListsAFolderWithTheKindOfEachEntry) {
  writeFile(samba->publicDir() / "D1" / "VNDRDI", "x");
  fs::create_directories(samba->publicDir() / "D1" / "Sub");
  std::string problem;
  const auto target = parseSmbTarget(samba->url("PUBLIC"), "", problem);
  ASSERT_TRUE(target) << problem;
  SmbShare share(*target, "\\\\S\\S");
  auto entries = share.list("D1");
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "Sub");
  EXPECT_EQ(entries[0].kind, EntryKind::Directory);
  EXPECT_EQ(entries[1].name, "VNDRDI");
  EXPECT_EQ(entries[1].kind, EntryKind::File);
  EXPECT_TRUE(share.list("NOSUCH").empty());
  EXPECT_EQ(share.kind(""), EntryKind::Directory);
  EXPECT_EQ(share.kind("D1/VNDRDI"), EntryKind::File);
  EXPECT_EQ(share.describe(), samba->url("PUBLIC"));
}

TEST_F(SmbShareTest, ShareNameInOtherLetterCase) {
  writeFile(samba->publicDir() / "X", "x");
  auto& access = shares->with("\\\\Srv\\HbtsLnk = smb://127.0.0.1:" + std::to_string(samba->port()) + "/public\n");
  EXPECT_EQ(access.readAll("\\\\SRV\\HBTSLNK\\X").value_or("?"), "x");
  EXPECT_EQ(access.readAll("\\\\srv\\hbtslnk\\x").value_or("?"), "x");
}

TEST_F(SmbShareTest, ReadOnlyShareOpensForReadingAndRefusesWrites) {
  writeFile(samba->readOnlyDir() / "D1" / "LINKS", "links file");
  auto& access = shares->with("\\\\SRV\\RO = " + samba->url("RDONLY") + "\n");
  auto file = access.open("\\\\srv\\ro\\d1\\links");
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(file->readOnly());
  char buffer[5];
  EXPECT_EQ(file->readAt(0, buffer, 5), 5u);
  EXPECT_EQ(std::string(buffer, 5), "links");
  const EngineError refused = test::raised([&] { file->writeAt(0, "X", 1); });
  EXPECT_EQ(refused.number(), err::PermissionDenied);
  EXPECT_EQ(refused.source(), "WriteFile");
  EXPECT_EQ(refused.description(), "Permission denied: \\\\srv\\ro\\d1\\links");
  EXPECT_EQ(readFile(samba->readOnlyDir() / "D1" / "LINKS"), "links file");
}

TEST_F(SmbShareTest, GuestReachesTheGuestShareButNotTheLockedOne) {
  writeFile(samba->publicDir() / "P", "public");
  writeFile(samba->lockedDir() / "L", "locked");
  auto& access =
      shares->with("\\\\SRV\\PUB = " + samba->url("PUBLIC") + "\n\\\\SRV\\LOCK = " + samba->url("LOCKED") + "\n");
  EXPECT_EQ(access.readAll("\\\\SRV\\PUB\\P").value_or("?"), "public");
  EXPECT_EQ(access.open("\\\\SRV\\LOCK\\L"), nullptr);
  EXPECT_EQ(access.lookup("\\\\SRV\\LOCK\\L"), EntryKind::None);
  EXPECT_EQ(notices.only(), "\\\\SRV\\LOCK (" + samba->url("LOCKED") +
                                ") cannot be reached: the server refuses guest and anonymous access to the share.");
}

TEST_F(SmbShareTest, CredentialsFileLogsOnToTheLockedShare) {
  writeFile(samba->lockedDir() / "D1" / "L", "locked");
  const auto cred = credentialsFile("user=" + std::string(SambaServer::kUser) + "\r\npass=" + SambaServer::kPassword +
                                    "\r\nworkgroup=WORKGROUP\r\n");
  auto& access = shares->with("\\\\SRV\\LOCK = " + samba->url("LOCKED") + " credentials=" + cred + "\n");
  auto file = access.open("\\\\SRV\\LOCK\\D1\\L");
  ASSERT_NE(file, nullptr) << (notices.texts.empty() ? "" : notices.texts[0]);
  file->writeAt(6, "!", 1);
  EXPECT_EQ(readFile(samba->lockedDir() / "D1" / "L"), "locked!");
}

TEST_F(SmbShareTest, WrongPasswordIsOneClearNoticeWithoutThePassword) {
  writeFile(samba->lockedDir() / "L", "locked");
  writeFile(samba->publicDir() / "P", "public");
  const std::string wrong = "Wr0ng-pa55word";
  const auto cred = credentialsFile("username=root\npassword=" + wrong + "\n");
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  auto& access = shares->with("\\\\SRV\\LOCK = " + samba->url("LOCKED") + " credentials=" + cred + "\n" +
                              "\\\\SRV\\PUB = " + samba->url("PUBLIC") + " credentials=" + cred + "\n");
  EXPECT_EQ(access.open("\\\\SRV\\LOCK\\L"), nullptr);
  EXPECT_EQ(access.lookup("\\\\SRV\\LOCK\\L"), EntryKind::None);
  EXPECT_EQ(access.lookup("\\\\SRV\\LOCK"), EntryKind::None);
  // A wrong password is no guest session either, even where guests may come in.
  EXPECT_EQ(access.open("\\\\SRV\\PUB\\P"), nullptr);
  const std::string printed = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();

  ASSERT_EQ(notices.texts.size(), 2u);  // once per share, however often it is asked
  EXPECT_EQ(notices.texts[0], "\\\\SRV\\LOCK (" + samba->url("LOCKED") +
                                  ") cannot be reached: the server refuses the logon of user \"root\" "
                                  "(a wrong password, or the user may not use the share).");
  EXPECT_NE(notices.texts[1].find("\\\\SRV\\PUB"), std::string::npos);
  for (const auto& text : notices.texts) EXPECT_EQ(text.find(wrong), std::string::npos) << text;
  EXPECT_EQ(printed.find(wrong), std::string::npos) << printed;
  EXPECT_EQ(access.explain("\\\\SRV\\LOCK\\L").find(wrong), std::string::npos);
}

TEST_F(SmbShareTest, CredentialsFileOthersMayReadIsRefused) {
  writeFile(samba->lockedDir() / "L", "locked");
  const auto cred = credentialsFile(std::string("username=root\npassword=") + SambaServer::kPassword + "\n", 0644);
  auto& access = shares->with("\\\\SRV\\LOCK = " + samba->url("LOCKED") + " credentials=" + cred + "\n");
  EXPECT_EQ(access.open("\\\\SRV\\LOCK\\L"), nullptr);
  EXPECT_EQ(access.lookup("\\\\SRV\\LOCK\\L"), EntryKind::None);
  EXPECT_EQ(notices.only(), "\\\\SRV\\LOCK (" + samba->url("LOCKED") + ") cannot be reached: the credentials file " +
                                cred +
                                " is refused: its group or others may read or write it (mode 0644); a file "
                                "holding a password must be private to its owner (chmod 600).");
}

TEST_F(SmbShareTest, ServerStoppedInTheMiddleIsAClearErrorWithinTheDeadline) {
  auto file = openAndReadOnce("timeout=2");
  ASSERT_NE(file, nullptr);
  samba->stop();
  const auto read = timedFailure([&] { readBlock(*file); });
  EXPECT_EQ(read.error.number(), err::DeviceIoError);
  EXPECT_EQ(read.error.source(), "ReadFile");
  EXPECT_EQ(read.error.description(), "Device I/O error: \\\\SRV\\HBTSLNK\\D1\\VNDRDI");
  EXPECT_LT(read.seconds, 2 + kDeadlineSlackSeconds);
  const double rest = secondsTaken([&] {
    EXPECT_EQ(test::raised([&] { file->writeAt(0, "X", 1); }).number(), err::DeviceIoError);
    EXPECT_EQ(test::raised([&] { file->size(); }).number(), err::DeviceIoError);
    EXPECT_EQ((*shares)->open("\\\\SRV\\HBTSLNK\\D1\\VNDRDI"), nullptr);
  });
  EXPECT_LT(rest, 3 * 2 + kDeadlineSlackSeconds);  // three calls, each within its deadline
  EXPECT_EQ(notices.only(),
            "\\\\SRV\\HBTSLNK (" + samba->url("PUBLIC") + ") cannot be reached: the server closed the connection.");
}

TEST_F(SmbShareTest, FrozenServerFailsTheReadWithinTheDeadline) {
  auto file = openAndReadOnce("timeout=1");
  ASSERT_NE(file, nullptr);
  samba->freeze();
  const auto read = timedFailure([&] { readBlock(*file); });
  EXPECT_LT(read.seconds, 1 + kDeadlineSlackSeconds);
  EXPECT_EQ(read.error.number(), err::DeviceIoError);
  EXPECT_EQ(notices.only(), "\\\\SRV\\HBTSLNK (" + samba->url("PUBLIC") +
                                ") cannot be reached: the server did not answer within 1 second.");
}

TEST_F(SmbShareTest, OpenFilesOutliveTheShareMapThatOpenedThem) {
  writeFile(samba->publicDir() / "F", "still here");
  auto& access = shares->with("\\\\SRV\\S = " + samba->url("PUBLIC") + "\n");
  auto file = access.open("\\\\SRV\\S\\F");
  ASSERT_NE(file, nullptr);
  access.configure({(samba->scratchDir() / "none.conf").string(), std::string()});  // forgets the share
  char buffer[10];
  EXPECT_EQ(file->readAt(0, buffer, 10), 10u);
  EXPECT_EQ(std::string(buffer, 10), "still here");
}

TEST_F(SmbShareTest, ShareTheServerDoesNotHave) {
  auto& access = shares->with("\\\\SRV\\S = " + samba->url("NOSUCH") + "\n");
  EXPECT_EQ(access.lookup("\\\\SRV\\S\\X"), EntryKind::None);
  EXPECT_EQ(notices.only(),
            "\\\\SRV\\S (" + samba->url("NOSUCH") + ") cannot be reached: the server has no share \"NOSUCH\".");
}

// Servers that cannot be reached need no Samba and no root.

TEST(SmbShareUnreachable, ServerThatNeverAnswersFailsWithinTheTimeout) {
  NoticeCatcher notices;
  test::TempDir dir;
  SilentServer silent;
  Shares shares(dir.path());
  const std::string url = "smb://127.0.0.1:" + std::to_string(silent.port()) + "/DATA";
  auto& access = shares.with("\\\\SRV\\DATA = " + url + " timeout=1\n");
  const double seconds = secondsTaken([&] { EXPECT_EQ(access.open("\\\\SRV\\DATA\\D1\\VNDRDI"), nullptr); });
  EXPECT_LT(seconds, 1 + kDeadlineSlackSeconds);
  EXPECT_EQ(notices.only(),
            "\\\\SRV\\DATA (" + url + ") cannot be reached: the server did not answer within 1 second.");
}

TEST(SmbShareUnreachable, TheDefaultTimeoutIsFiveSeconds) {
  NoticeCatcher notices;
  test::TempDir dir;
  SilentServer silent;
  Shares shares(dir.path());
  auto& access = shares.with("\\\\SRV\\DATA = smb://127.0.0.1:" + std::to_string(silent.port()) + "/DATA\n");
  const double seconds = secondsTaken([&] { EXPECT_EQ(access.lookup("\\\\SRV\\DATA\\X"), EntryKind::None); });
  EXPECT_LT(seconds, 5 + kDeadlineSlackSeconds);
  EXPECT_NE(notices.only().find("did not answer within 5 seconds"), std::string::npos) << notices.only();
}

TEST(SmbShareUnreachable, NothingListeningIsOneNoticeNamingThePort) {
  NoticeCatcher notices;
  test::TempDir dir;
  Shares shares(dir.path());
  const int port = test::freeLoopbackPort();
  const std::string url = "smb://127.0.0.1:" + std::to_string(port) + "/DATA";
  auto& access = shares.with("\\\\SRV\\DATA = " + url + "\n");
  EXPECT_EQ(access.open("\\\\SRV\\DATA\\X"), nullptr);
  EXPECT_EQ(access.open("\\\\SRV\\DATA\\Y"), nullptr);
  EXPECT_NE(access.explain("\\\\SRV\\DATA\\X").find(url), std::string::npos);
  EXPECT_EQ(notices.only(), "\\\\SRV\\DATA (" + url + ") cannot be reached: the server refuses connections on port " +
                                std::to_string(port) + ".");
}

}  // namespace
}  // namespace velta
