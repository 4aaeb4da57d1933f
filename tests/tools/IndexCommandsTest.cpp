// velta-data find, walk, count and klength over indexes in a business system
// in a temporary folder: hand-made blocks for the exact cases, the bulk loader
// for a walk over several levels.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/RunCommand.h"
#include "support/TempBusinessSystem.h"
#include "tools/sample/IndexBuilder.h"

namespace velta {
namespace {

using test::bigEndian;
using test::directoryEntry;
using test::linksEntry;

std::string padded(std::string bytes) {
  bytes.resize(512, '\0');
  return bytes;
}

// Header with entry length 7 (keys of 3 bytes) and the root block.
std::string header(int root) { return padded(bigEndian(7, 2) + bigEndian(72, 2) + bigEndian(0, 4) + bigEndian(root, 2)); }

std::string leaf(int next, const std::vector<std::pair<std::string, int32_t>>& entries) {
  std::string bytes = bigEndian(static_cast<int64_t>(entries.size()), 2) + bigEndian(next, 2);
  for (const auto& [key, pointer] : entries) bytes += key + bigEndian(pointer, 4);
  return padded(bytes);
}

const std::string kTop("\xFF\xFF\xFF");

// A key of 3 bytes: the letter and NUL.
std::string k3(const char* letter) { return std::string(letter) + std::string(2, '\0'); }

class IndexCommands : public ::testing::Test {
 protected:
  // Each index at block 1 of its own data file <NAME>DB, found through <NAME>DI.
  void addIndex(const std::string& name, const std::vector<std::string>& blocks, int32_t lastRecord = -1) {
    links += linksEntry(":D1:" + name, ":D1:" + name + "DI");
    bs.write("HBTSLNK/LINKSFILE", links);
    std::string data(512, '\0');
    for (const auto& b : blocks) data += b;
    const int32_t last = lastRecord >= 0 ? lastRecord : static_cast<int32_t>(blocks.size()) - 1;
    bs.write("HBTSLNK/D1/" + name + "DI", directoryEntry(name, 'I', 1, 512, last));
    bs.write("HBTSLNK/D1/" + name + "DB", data);
  }

  test::CommandResult run(std::vector<std::string> args) const {
    std::vector<std::string> argv = {VELTA_BIN_DIR "/velta-data", "--root", bs.dir().str(), "--server", "SRV",
                                     "--directory", "D1"};
    argv.insert(argv.end(), args.begin(), args.end());
    return test::runCommand(argv, {{"VELTA_SHARES", std::nullopt}, {"VELTA_UNC_ROOT", std::nullopt}});
  }

  void SetUp() override {
    addIndex("ABC", {header(1), leaf(65535, {{k3("A"), 11}, {k3("B"), 12}, {k3("C"), 13}, {kTop, -1}})});
  }

  test::TempBusinessSystem bs;
  std::string links;
};

TEST_F(IndexCommands, FindPrintsRecAndKeyAsKFindLeavesThem) {
  EXPECT_EQ(run({"find", "ABC", "42"}).out, "rec=12 key=420000\n");
  EXPECT_EQ(run({"find", "ABC", "4241"}).out, "rec=-13 key=430000\n");
  EXPECT_EQ(run({"find", "ABC", "44"}).out, "rec=0 key=ffffff\n");
  EXPECT_EQ(run({"find", "ABC", ""}).out, "rec=-11 key=410000\n");
  EXPECT_EQ(run({"find", "ABC", "4300007a7a"}).out, "rec=13 key=430000\n");  // cut to the key length
  const auto bad = run({"find", "ABC", "4g"});
  EXPECT_EQ(bad.status, 2);
}

TEST_F(IndexCommands, CountAndKeyLength) {
  EXPECT_EQ(run({"count", "ABC"}).out, "3\n");
  EXPECT_EQ(run({"klength", "ABC"}).out, "3\n");
}

TEST_F(IndexCommands, WalkBothWaysWithoutSignOrSentinel) {
  const auto forward = run({"walk", "ABC"});
  EXPECT_EQ(forward.status, 0) << forward.err;
  EXPECT_EQ(forward.out, "11 410000\n12 420000\n13 430000\n");
  EXPECT_EQ(run({"walk", "ABC", "--reverse"}).out, "13 430000\n12 420000\n11 410000\n");

  addIndex("NONE", {header(1), leaf(65535, {{kTop, -1}})});
  const auto none = run({"walk", "NONE"});
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(run({"walk", "NONE", "--reverse"}).out, "");
  EXPECT_EQ(run({"count", "NONE"}).out, "0\n");
}

TEST_F(IndexCommands, WalkOverSeveralLevelsFollowsTheSortedKeys) {
  std::vector<sample::IndexEntry> entries;
  std::string expected;
  for (int i = 0; i < 200; ++i) {
    const std::string key{static_cast<char>('a' + i / 26), static_cast<char>('a' + i % 26), '.'};
    entries.push_back({key, 500 + i});
    char line[32];
    std::snprintf(line, sizeof line, "%d %02x%02x2e\n", 500 + i, key[0], key[1]);
    expected += line;
  }
  const auto blocks = sample::buildIndex({.keyLength = 3, .fillTarget = 3}, entries);
  ASSERT_GE(sample::planIndex({.keyLength = 3, .fillTarget = 3}, 200).depth(), 4);
  addIndex("DEEP", blocks);
  const auto forward = run({"walk", "DEEP"});
  EXPECT_EQ(forward.status, 0) << forward.err;
  EXPECT_EQ(forward.out, expected);

  std::vector<std::string> lines;
  for (std::size_t at = 0; at < expected.size();) {
    const std::size_t end = expected.find('\n', at) + 1;
    lines.insert(lines.begin(), expected.substr(at, end - at));
    at = end;
  }
  std::string reversed;
  for (const auto& line : lines) reversed += line;
  EXPECT_EQ(run({"walk", "DEEP", "--reverse"}).out, reversed);
  EXPECT_EQ(run({"count", "DEEP"}).out, "200\n");
}

TEST_F(IndexCommands, RangeNoticeGoesToStandardError) {
  // The root names block 5 while the directory gives LastRecord 2.
  addIndex("RANGE", {header(1), padded(bigEndian(1, 2) + bigEndian(0, 2) + kTop + bigEndian(5, 4)),
                     leaf(65535, {{kTop, -1}})});
  const auto r = run({"find", "RANGE", "41"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "rec=0 key=410000\n");
  EXPECT_EQ(r.err, "notice: Index is returning information out of Range.  File: RANGE LastRec:  2\n");
  const auto walk = run({"walk", "RANGE"});
  EXPECT_EQ(walk.status, 0);
  EXPECT_EQ(walk.out, "");
}

TEST_F(IndexCommands, CorruptIndexEndsWithTheEngineError) {
  addIndex("LOOP", {header(1), leaf(2, {{k3("A"), 11}}), leaf(1, {{k3("B"), 12}})});
  const auto count = run({"count", "LOOP"});
  EXPECT_EQ(count.status, 1);
  EXPECT_EQ(count.err, "error -20 KCount: Index corrupt in LOOP, block 2: the leaf chain loops back to block 1\n");
  // Each KNext on its own sees one step; the walk sees the chain come back.
  const auto walk = run({"walk", "LOOP"});
  EXPECT_EQ(walk.status, 1);
  EXPECT_EQ(walk.out, "11 410000\n12 420000\n");
  EXPECT_EQ(walk.err, "error -20 KNext: Index corrupt in LOOP, block 2: the leaf chain loops back to block 1\n");
}

TEST_F(IndexCommands, UnknownNameIsNotFound) {
  const auto r = run({"count", "NOSUCH"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("error -10 LogicalOpen: File not Found: \"NOSUCH\"\n  ", 0), 0u) << r.err;
}

}  // namespace
}  // namespace velta
