// One connection driven by hand over a socket pair, at moments the test gives:
// which deadline ends a client that holds its slot, and how.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <ostream>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "tools/velta-distributor/Connection.h"
#include "tools/velta-distributor/OrderBook.h"

namespace velta::test {
namespace {

using namespace std::chrono_literals;

// 100 parts, the most answered: an answer far beyond the socket's buffer.
const std::string kInquiry = inquiryMessage("104233", std::vector<std::string>(100, "BRX|D0007|1"));
const std::string kLength = std::to_string(kInquiry.size());

struct Hold {
  const char* name;
  std::vector<std::pair<std::chrono::milliseconds, std::string>> sends;  // after the acceptance
  std::chrono::milliseconds ends;  // the deadline that ends it
  std::string received;            // empty: a beginning of the answer to kInquiry
  std::string log;
};
void PrintTo(const Hold& c, std::ostream* os) { *os << c.name; }

// Idle timeout 1 s, request timeout 2 s.
const std::vector<Hold> kHolds = {
    {"TricklingTheMessage", {{0ms, kLength + "\n"}, {900ms, kInquiry.substr(0, 10)}, {1800ms, kInquiry.substr(10, 10)}},
     2000ms,
     framed(answerHeaderLine("EXR", "WEB") + "01||500001|20240603|101|the length line announces " + kLength +
            " bytes, but 20 arrived within the 2 s a request may take\n"),
     "inquiry 846: exception 101 the length line announces " + kLength +
         " bytes, but 20 arrived within the 2 s a request may take"},
    {"TakingNoneOfTheAnswer", {{0ms, framed(kInquiry)}}, 1000ms, "",
     "inquiry 846 inquiry 500001 account \"104233\": 100 parts, 100 detail lines"},
};

class Holds : public testing::TestWithParam<Hold> {};

TEST_P(Holds, EndAtTheirDeadline) {
  const Hold& c = GetParam();
  int fds[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds), 0);
  const int small = 4096;
  ::setsockopt(fds[0], SOL_SOCKET, SO_SNDBUF, &small, sizeof small);
  const distributor::Catalog catalog = testCatalog();
  const TokenTable table = testTable();
  distributor::OrderBook book, otherBook;
  distributor::Distributor distributor(catalog, table, book, testMoment), other(catalog, table, otherBook, testMoment);
  const std::string whole = framed(other.answer(MessageSet::Inquiry846, kInquiry, {}).message);
  std::vector<std::string> logged;
  const distributor::TimePoint t0{};
  distributor::Connection connection(fds[0], distributor::Service::Inquiry, {}, distributor, {1s, 2s},
                                     [&](const std::string& line) { logged.push_back(line); }, t0);
  for (const auto& [after, bytes] : c.sends) {
    ASSERT_EQ(::send(fds[1], bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
    connection.readable(t0 + after);
  }
  EXPECT_EQ(connection.deadline(), t0 + c.ends);
  connection.deadlinePassed(t0 + c.ends);

  std::string received;
  char buffer[4096];
  ssize_t n;
  while ((n = ::recv(fds[1], buffer, sizeof buffer, MSG_DONTWAIT)) > 0) received.append(buffer, std::size_t(n));
  EXPECT_EQ(n, 0) << "the connection is closed or its sending side shut";
  if (c.received.empty()) {
    EXPECT_LT(received.size(), whole.size());
    EXPECT_EQ(whole.substr(0, received.size()), received);
  } else {
    EXPECT_EQ(received, c.received);
  }
  EXPECT_EQ(logged, std::vector<std::string>{c.log});
  ::close(fds[1]);
}

INSTANTIATE_TEST_SUITE_P(Clients, Holds, testing::ValuesIn(kHolds),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velta::test
