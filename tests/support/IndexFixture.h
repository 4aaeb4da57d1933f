// Index files for navigation tests: a business system in a temporary folder
// whose link share is read through a counting backend, and the notices the
// engine gives collected in a list.
//
//   class MyTest : public test::IndexFixture {};
//   TEST_F(MyTest, X) {
//     auto idx = indexFile("IDX", {header, leaf});   // PhysLogicalOpen of \\SRV\HBTSLNK\D1\IDX
//     KFind(idx, buff, key, rec);
//     EXPECT_EQ(counts->reads, 2u);
//   }
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/Notice.h"
#include "engine/cLogicalFile.h"
#include "support/CountingShare.h"
#include "support/TempBusinessSystem.h"

namespace velta::test {

class IndexFixture : public ::testing::Test {
 protected:
  IndexFixture();
  ~IndexFixture() override;

  // The blocks as one file \\SRV\HBTSLNK\D1\<name>, opened with PhysLogicalOpen
  // (Position 0; LastRecord its highest block unless given). The counts start at 0.
  LogicalFileHandle indexFile(const std::string& name, const std::vector<std::string>& blocks,
                              int32_t lastRecord = 0);
  // The blocks at block `position` of the data file D1\<name>DB (blanks before
  // them), found by `LogicalOpen(name)` through the links file and the
  // directory file D1\<name>DI. The counts start at 0.
  LogicalFileHandle logicalIndex(const std::string& name, const std::vector<std::string>& blocks, int32_t position,
                                 int32_t lastRecord);

  TempBusinessSystem system;
  std::shared_ptr<CountingShare::Counts> counts;
  std::vector<Notice> notices;
};

}  // namespace velta::test
