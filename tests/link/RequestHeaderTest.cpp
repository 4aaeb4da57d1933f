#include "link/RequestHeader.h"

#include <gtest/gtest.h>

#include "link/CheckToken.h"
#include "support/TestTokenTable.h"

namespace velta {
namespace {

class RequestHeader : public ::testing::Test {
 protected:
  TokenTable table = TokenTable::fromCharacters(test::orderedTokenTable(), "test table");
  RequestMoment moment{"20240315", "10:20:07"};  // token "+3b39" with this table
};

TEST_F(RequestHeader, OrderRequestOnChannelBms) {
  EXPECT_EQ(requestHeaderLine(MessageSet::Order850, moment, table),
            "00|//VELTA//850|||H-BRONTEK|8153|10:20:07|20240315||BMS|||||||+3b39\n");
}

TEST_F(RequestHeader, StatusAndInquiryRequestsOnChannelWeb) {
  EXPECT_EQ(requestHeaderLine(MessageSet::Status869, moment, table),
            "00|//VELTA//869|||H-BRONTEK|8153|10:20:07|20240315||WEB|||||||+3b39\n");
  EXPECT_EQ(requestHeaderLine(MessageSet::Inquiry846, moment, table),
            "00|//VELTA//846|||H-BRONTEK|8153|10:20:07|20240315||WEB|||||||+3b39\n");
}

TEST_F(RequestHeader, SeventeenFieldsWithTheTokenLast) {
  std::string line = requestHeaderLine(MessageSet::Order850, moment, table);
  ASSERT_EQ(line.back(), '\n');
  line.pop_back();
  std::vector<std::string> fields;
  std::size_t from = 0;
  for (std::size_t bar; (bar = line.find('|', from)) != std::string::npos; from = bar + 1) {
    fields.push_back(line.substr(from, bar - from));
  }
  fields.push_back(line.substr(from));
  ASSERT_EQ(fields.size(), 17u);
  EXPECT_EQ(fields[6], "10:20:07");
  EXPECT_EQ(fields[7], "20240315");
  EXPECT_EQ(fields[9], "BMS");
  EXPECT_EQ(fields[16], makeToken(fields[7], fields[6], table));
  for (int empty : {2, 3, 8, 10, 11, 12, 13, 14, 15}) EXPECT_EQ(fields[empty], "") << empty;
}

TEST_F(RequestHeader, MomentFromTheClockServesTheToken) {
  const RequestMoment now = RequestMoment::now();
  EXPECT_EQ(tokenInputProblem(now.date, now.time), std::nullopt) << now.date << " " << now.time;
}

TEST(LengthLine, CountsEveryLineFeed) {
  EXPECT_EQ(lengthLine("01|4567890\n02|4567890\n"), "22\n");  // two records of 10 characters
  EXPECT_EQ(lengthLine(""), "0\n");
  EXPECT_EQ(lengthLine(std::string(1000, 'x')), "1000\n");
}

TEST(LengthLine, CountsBytesNotCharactersOfSomeEncoding) {
  EXPECT_EQ(lengthLine(std::string("\xE9\x00\n", 3)), "3\n");
}

}  // namespace
}  // namespace velta
