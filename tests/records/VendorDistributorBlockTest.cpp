// The distributor block of a vendor record on hand-made bytes: each field at
// its place, the accounts trimmed, the host kept as decoded, the ports as
// stored, a record too short for the block, and the account as shown.
#include <gtest/gtest.h>

#include <string>

#include "engine/cBusinessBasic.h"
#include "records/VendorDistributorBlock.h"

namespace velta {
namespace {

void put(std::string& rec, int position, std::string_view bytes) {
  rec.replace(static_cast<std::size_t>(position - 1), bytes.size(), bytes);
}

// 200 bytes; what lies outside the block's fields holds 0xEE.
std::string handMadeBlock() {
  std::string rec(200, '\xEE');
  put(rec, 6, std::string("\x5A\x1A\x70\x80", 4) + std::string(16, '\0'));          // "ACME"
  put(rec, 86, std::string("\xE8\x0E", 2) + std::string(6, '\0'));                  // "X12"
  put(rec, 172, std::string("\x1F\xE3\x19\x7C\x14\x28", 6) + std::string(4, '\0'));  // "10.0.0.5"
  put(rec, 187, std::string("\x2F\x6E", 2));                                         // 12142
  put(rec, 189, std::string("\x00\x00", 2));                                         // 0: stored as such
  put(rec, 191, std::string("\xFF\xFF", 2));                                         // 65535
  put(rec, 193, std::string("\xE8\x0E", 2) + std::string(6, '\0'));                  // "X12"
  return rec;
}

TEST(DistributorBlock, EachFieldAtItsPlace) {
  cBusinessBasic engine;
  const DistributorBlock block = readDistributorBlock(engine, handMadeBlock());
  EXPECT_EQ(block.vendorName, "ACME" + std::string(26, ' '));
  EXPECT_EQ(block.dealerAccount, "X12");
  EXPECT_EQ(block.hostAddress, "10.0.0.5       ");
  EXPECT_EQ(block.inquiryPort, 12142);
  EXPECT_EQ(block.orderPort, 0);
  EXPECT_EQ(block.statusPort, 65535);
  EXPECT_EQ(block.subAccount, "X12");
}

TEST(DistributorBlock, ARecordEndingBeforeTheSubAccountHasNone) {
  cBusinessBasic engine;
  const DistributorBlock block = readDistributorBlock(engine, handMadeBlock().substr(0, 192));
  EXPECT_EQ(block.subAccount, "");
  EXPECT_EQ(block.statusPort, 65535);
  EXPECT_EQ(block.dealerAccount, "X12");
}

TEST(DistributorBlock, TheAccountAsShown) {
  EXPECT_EQ(accountText("104233", "A7"), "104233/A7");
  EXPECT_EQ(accountText("104233", ""), "104233");
  EXPECT_EQ(accountText("", ""), "");
}

}  // namespace
}  // namespace velta
