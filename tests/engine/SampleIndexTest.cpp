// Keyed index navigation over the indexes of the sample business system, found
// by name through its links and directory files: every key of "VNDRI",
// "LINEI", "COMODI" and "PARTI" in key order, forwards and backwards, with the
// record the sample put it at.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/KeyedIndex.h"
#include "engine/LogicalFile.h"
#include "support/TempBusinessSystem.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace velta {
namespace {

using Keys = std::vector<std::pair<std::string, int32_t>>;

Keys sortedByKey(Keys keys) {
  std::sort(keys.begin(), keys.end());
  return keys;
}

bool isSentinel(const std::string& key) { return key.find_first_not_of('\xFF') == std::string::npos; }

Keys walkForward(const LogicalFileHandle& idx) {
  Keys seen;
  std::string buff, key;
  int32_t rec = 0;
  KFind(idx, buff, key, rec);
  while (!(rec == 0 && isSentinel(key)) && seen.size() < 100000) {
    seen.emplace_back(key, rec < 0 ? -rec : rec);
    KNext(idx, buff, key, rec);
  }
  return seen;
}

Keys walkBackward(const LogicalFileHandle& idx) {
  Keys seen;
  std::string buff, key;
  int32_t rec = 0;
  KLast(idx, buff, key, rec);
  while (rec != 0 && seen.size() < 100000) {
    seen.emplace_back(key, rec);
    KPrev(idx, buff, key, rec);
  }
  std::reverse(seen.begin(), seen.end());
  return seen;
}

class SampleIndexes : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    system = new test::TempBusinessSystem();
    sample::SampleOptions options;
    options.parts = 3000;
    written = new sample::SampleBusinessSystem(sample::writeSampleBusinessSystem(system->dir().path(), options));
  }
  static void TearDownTestSuite() {
    delete written;
    delete system;
  }
  void SetUp() override { system->startEngine(); }

  void expectIndex(const std::string& name, const Keys& expected, int32_t keyLength) {
    const auto idx = LogicalOpen(name);
    ASSERT_TRUE(idx) << name;
    EXPECT_EQ(KLength(idx), keyLength) << name;
    EXPECT_EQ(KCount(idx), static_cast<int32_t>(expected.size())) << name;
    EXPECT_EQ(walkForward(idx), expected) << name;
    EXPECT_EQ(walkBackward(idx), expected) << name;
  }

  static test::TempBusinessSystem* system;
  static sample::SampleBusinessSystem* written;
};

test::TempBusinessSystem* SampleIndexes::system = nullptr;
sample::SampleBusinessSystem* SampleIndexes::written = nullptr;

TEST_F(SampleIndexes, Vendors) {
  Keys expected;
  for (const auto& v : written->catalog.vendors) expected.emplace_back(test::bigEndian(v.VENDOR_NUMBER, 4), v.record);
  expectIndex("VNDRI", sortedByKey(expected), 4);
}

TEST_F(SampleIndexes, LinesAndTheirCommodities) {
  Keys lines, commodities;
  for (const auto& line : written->catalog.lines) {
    lines.emplace_back(test::bigEndian(line.Line, 2), line.record);
    for (char code : line.comodiCodes) {
      commodities.emplace_back(test::bigEndian(line.Line, 2) + code + '\0', line.record);
    }
  }
  expectIndex("LINEI", sortedByKey(lines), 2);
  expectIndex("COMODI", sortedByKey(commodities), 4);
}

TEST_F(SampleIndexes, PartsInKeyOrderOverSeveralLevels) {
  const auto& parts = written->catalog.parts;
  Keys expected;
  for (int64_t i = 0; i < parts.count(); ++i) expected.emplace_back(parts.part(i).key(), parts.recordOf(i));
  expectIndex("PARTI", expected, 14);

  // Every part found exactly; the index has more than one level.
  const auto idx = LogicalOpen("PARTI");
  std::string buff;
  for (const auto& [partKey, record] : expected) {
    std::string key = partKey;
    int32_t rec = 0;
    KFind(idx, buff, key, rec);
    ASSERT_EQ(rec, record);
  }
  EXPECT_GE(static_cast<unsigned char>(buff[17]), 2);
}

}  // namespace
}  // namespace velta
