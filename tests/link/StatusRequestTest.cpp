#include "link/StatusRequest.h"

#include <gtest/gtest.h>

#include "support/EngineErrorMatch.h"
#include "support/TestTokenTable.h"

namespace velta {
namespace {

const std::string kHeader = "00|//VELTA//869|||H-BRONTEK|8153|10:20:07|20240315||WEB|||||||+3b39\n";

class StatusRequest : public ::testing::Test {
 protected:
  TokenTable table = TokenTable::fromCharacters(test::orderedTokenTable(), "test table");
  RequestMoment moment{"20240315", "10:20:07"};
};

TEST_F(StatusRequest, TwoRecordsExactly) {
  struct Case {
    std::string account, poNumber, record;
  };
  const Case cases[] = {
      {"5678", "1234", "01|5678||1234\n"},
      {"  5678 ", " 1234  ", "01|5678||1234\n"},
      {"", "", "01|||\n"},
      {"56 78", "12 34", "01|56 78||12 34\n"},
  };
  for (const Case& c : cases) {
    const OutgoingRequest request = buildStatusRequest({moment, c.account, c.poNumber}, table);
    EXPECT_EQ(request.message, kHeader + c.record) << c.account;
    EXPECT_EQ(request.lengthLine, std::to_string(kHeader.size() + c.record.size()) + "\n");
  }
  EXPECT_EQ(buildStatusRequest({moment, "5678", "1234"}, table).lengthLine, "82\n");
}

TEST_F(StatusRequest, SeparatorsRefused) {
  struct Case {
    std::string account, poNumber, description;
  };
  const Case cases[] = {
      {"56|78", "1234", "a \"|\" in the dealer account"},
      {"5678", "1234\n", "an LF in the PO number"},
      {"5678", "\t1234", "a TAB in the PO number"},
      {"5678\r", "1234", "a CR in the dealer account"},
  };
  for (const Case& c : cases) {
    test::expectEngineError([&] { buildStatusRequest({moment, c.account, c.poNumber}, table); }, -23, "Exchange",
                            c.description);
  }
}

}  // namespace
}  // namespace velta
