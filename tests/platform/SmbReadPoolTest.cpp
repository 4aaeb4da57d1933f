// Batches of reads over SMB against a real Samba server behind a relay that
// delays every chunk as a wide-area link does: each read gets what readAt gives
// alone, the pool's connections share the work and are made only when a batch
// needs them, a server that goes away in the middle fails every read left with
// the share's own error within the deadline, and a refused logon is tried once.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <optional>
#include <thread>

#include "base/BaseState.h"
#include "base/EngineError.h"
#include "platform/BatchRead.h"
#include "platform/ShareAccess.h"
#include "platform/SmbReadPool.h"
#include "platform/SmbShare.h"
#include "support/DelayRelay.h"
#include "support/SambaServer.h"

namespace velta {
namespace {

namespace fs = std::filesystem;
using test::DelayRelay;
using test::SambaServer;

constexpr auto kOneWay = std::chrono::microseconds(2000);  // a 4 ms round trip
constexpr double kDeadlineSlackSeconds = 2.0;

std::string pattern(std::size_t length, int seed) {
  std::string out(length, '\0');
  for (std::size_t i = 0; i < length; ++i) out[i] = static_cast<char>((i * 7 + i / 251 + seed) & 0xFF);
  return out;
}

void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string errorText(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const EngineError& e) {
    return std::to_string(e.number()) + " " + e.source() + ": " + e.description();
  }
}

class SmbReadPoolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (auto why = SambaServer::unavailable()) GTEST_SKIP() << *why;
    serve();
    baseState().notice = [this](const Notice& n) { notices.push_back(n.text); };
  }
  void TearDown() override {
    baseState().notice = nullptr;
    files.clear();
    access.reset();
  }

  // A server behind a relay, D1\INDB and D1\LNDB on its guest share.
  void serve() {
    samba.emplace();
    relay.emplace(samba->port(), kOneWay);
    writeFile(samba->publicDir() / "D1" / "INDB", pattern(256 * 1024, 1));
    writeFile(samba->publicDir() / "D1" / "LNDB", pattern(4000, 2));
  }

  // \\SRV\HBTSLNK on the guest share, through the relay, with the given options.
  void open(const std::string& options) {
    writeFile(samba->scratchDir() / "shares.conf", "\\\\SRV\\HBTSLNK = smb://127.0.0.1:" +
                                                       std::to_string(relay->port()) + "/PUBLIC " + options + "\n");
    access.emplace();
    access->configure({(samba->scratchDir() / "shares.conf").string(), std::string()});
    for (const char* name : {"INDB", "LNDB"}) {
      files.push_back(std::shared_ptr<ShareFile>(access->open(std::string("\\\\SRV\\HBTSLNK\\D1\\") + name)));
      ASSERT_NE(files.back(), nullptr) << name;
    }
    const auto where = access->resolve("\\\\SRV\\HBTSLNK\\D1\\INDB");
    share = where ? dynamic_cast<const SmbShare*>(where->backend) : nullptr;
    ASSERT_NE(share, nullptr);
  }

  // Reads of both files: blocks of an index level, records, one across the end, one past it.
  std::vector<PositionedRead> reads(std::size_t count) const {
    std::vector<PositionedRead> out;
    for (std::size_t i = 0; i < count; ++i) out.push_back({files[0].get(), (i * 7919 % 500) * 512, 512, {}, nullptr});
    out.push_back({files[1].get(), 3900, 512, {}, nullptr});
    out.push_back({files[1].get(), 9000, 16, {}, nullptr});
    out.push_back({files[1].get(), 0, 38, {}, nullptr});
    return out;
  }

  // Each read as readAt gives it alone.
  static std::string alone(const PositionedRead& read) {
    std::string bytes(read.length, '\0');
    bytes.resize(read.file->readAt(read.offset, bytes.data(), bytes.size()));
    return bytes;
  }

  std::optional<SambaServer> samba;
  std::optional<DelayRelay> relay;
  std::optional<ShareAccess> access;
  std::vector<std::shared_ptr<ShareFile>> files;
  const SmbShare* share = nullptr;
  std::vector<std::string> notices;
};

TEST_F(SmbReadPoolTest, EveryReadGetsWhatReadAtGivesAloneOverSeveralConnections) {
  open("connections=4");
  std::vector<PositionedRead> batch = reads(300);
  relay->resetCounts();
  readBatch(batch);
  for (const PositionedRead& read : batch) {
    ASSERT_FALSE(read.error) << errorText(read.error);
    EXPECT_EQ(read.bytes, alone(read)) << "offset " << read.offset;
  }
  EXPECT_EQ(batch[300].bytes.size(), 100u);  // short at the end
  EXPECT_TRUE(batch[301].bytes.empty());     // past the end
  // The share's own connection and three more, each made once.
  EXPECT_EQ(share->poolConnections(), 3);
  EXPECT_EQ(relay->connections(), 3u);
  readBatch(batch);
  EXPECT_EQ(relay->connections(), 3u);
  EXPECT_TRUE(notices.empty());
}

TEST_F(SmbReadPoolTest, ConnectionsAreMadeOnlyWhenABatchNeedsThem) {
  struct Row {
    const char* options;
    std::size_t reads;
    int connections;  // made by the pool
  };
  // A new connection costs about eight reads' round trips: made only for a batch that has them.
  for (const Row row : {Row{"", 1, 0}, Row{"connections=1", 40, 0}, Row{"connections=2", 40, 1},
                        Row{"", 7, 0}, Row{"", 16, 2}, Row{"connections=3", 400, 2}}) {
    SCOPED_TRACE(row.options);
    open(row.options);
    std::vector<PositionedRead> batch;
    for (std::size_t i = 0; i < row.reads; ++i) batch.push_back({files[0].get(), i * 4096, 512, {}, nullptr});
    readBatch(batch);
    for (const PositionedRead& read : batch) EXPECT_EQ(read.bytes, alone(read));
    EXPECT_EQ(share->poolConnections(), row.connections);
    files.clear();
  }
}

TEST_F(SmbReadPoolTest, AServerThatGoesAwayFailsEveryReadLeftWithinTheDeadline) {
  struct Row {
    const char* how;
    void (SambaServer::*goAway)();
  };
  for (const Row row : {Row{"stopped", &SambaServer::stop}, Row{"frozen", &SambaServer::freeze}}) {
    SCOPED_TRACE(row.how);
    if (!samba) serve();
    open("connections=4 timeout=2");
    std::vector<PositionedRead> batch = reads(600);
    std::vector<std::string> before;
    for (const auto& read : batch) before.push_back(alone(read));
    notices.clear();
    relay->resetCounts();
    std::atomic<bool> done{false};
    std::thread stopper([&] {
      while (!done && relay->smbRequests() < 60) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      if (!done) ((*samba).*row.goAway)();
    });
    const auto start = std::chrono::steady_clock::now();
    readBatch(batch);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    done = true;
    stopper.join();

    std::size_t failed = 0;
    for (std::size_t i = 0; i < batch.size(); ++i) {
      if (!batch[i].error) {
        EXPECT_EQ(batch[i].bytes, before[i]) << i;
        continue;
      }
      ++failed;
      const std::string path = batch[i].file == files[0].get() ? "INDB" : "LNDB";
      EXPECT_EQ(errorText(batch[i].error), "57 ReadFile: Device I/O error: \\\\SRV\\HBTSLNK\\D1\\" + path) << i;
    }
    EXPECT_GT(failed, 0u);
    EXPECT_LT(seconds, 2 + kDeadlineSlackSeconds);
    ASSERT_EQ(notices.size(), 1u);  // said once
    EXPECT_NE(notices[0].find("\\\\SRV\\HBTSLNK ("), std::string::npos) << notices[0];

    if (row.goAway == &SambaServer::freeze) samba->thaw();
    files.clear();
    access.reset();
    relay.reset();
    samba.reset();
  }
}

TEST_F(SmbReadPoolTest, ARefusedLogonIsTriedOnceByEachConnection) {
  writeFile(samba->lockedDir() / "D1" / "INDB", pattern(8192, 3));
  std::string problem;
  auto target = parseSmbTarget("smb://127.0.0.1:" + std::to_string(relay->port()) + "/LOCKED timeout=2", "", problem);
  ASSERT_TRUE(target) << problem;
  SmbCredentials wrong;
  wrong.username = SambaServer::kUser;
  wrong.password = "Wr0ng-pa55word";
  SmbReadPool pool(*target, wrong, 3);
  std::vector<std::string> buffers(10, std::string(512, '\0'));
  std::vector<SmbReadPool::Read> reads(10);
  std::vector<SmbReadPool::Read*> pointers;
  for (std::size_t i = 0; i < reads.size(); ++i) {
    reads[i] = {.file = 1, .relativePath = "D1/INDB", .offset = i * 512, .length = 512, .buffer = buffers[i].data()};
    pointers.push_back(&reads[i]);
  }
  relay->resetCounts();
  const auto start = std::chrono::steady_clock::now();
  pool.read(pointers, nullptr);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  for (const auto& read : reads) EXPECT_EQ(read.error, EACCES);
  EXPECT_EQ(pool.connectionsMade(), 0);
  EXPECT_LE(relay->connections(), 3u);  // one attempt each, no retrying
  EXPECT_LT(seconds, 2 + kDeadlineSlackSeconds);
}

}  // namespace
}  // namespace velta
