// The real velta-distributor on loopback ports, talked to over plain sockets:
// exact answers, every check's exception, every fault mode, its ending.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "support/DistributorProcess.h"
#include "Fixtures.h"
#include "LoopbackClient.h"
#include "base/EngineError.h"
#include "link/AnswerFraming.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "tools/velta-distributor/Server.h"

namespace velta::test {
namespace {

using distributor::Service;
using namespace std::chrono_literals;

class Program : public testing::Test {
 protected:
  Program() {
    catalog_ = dir_.write("catalog.json", kCatalogJson).string();
    table_ = dir_.write("token-table", orderedTokenTable() + "\n").string();
  }

  std::unique_ptr<DistributorProcess> start(std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"--catalog", catalog_, "--token-table", table_, "--clock", kTestClock};
    args.insert(args.end(), extra.begin(), extra.end());
    return std::make_unique<DistributorProcess>(args);
  }

  // One exchange as the workstation makes it: the length line, then the message, in two sends.
  static std::string exchange(int port, const std::string& message) {
    LoopbackClient client(port);
    client.send(lengthLine(message));
    client.send(message);
    return client.readToEnd();
  }

  TempDir dir_;
  std::string catalog_, table_;
};

TEST_F(Program, AcknowledgesAnOrderThenReportsItsStatusWithShipments) {
  auto sim = start();
  const std::string ack =
      exchange(sim->port(Service::Order),
               orderMessage("104233", "100231", {"FIL|PH-3614|8", "FIL|1A0007|2", "ZZZ|Q|1"}, "270101|H|Y|2|B"));
  const std::string ackMessage = answerHeaderLine("855", "BMS") +
                                 "01|104233|100231|2|700001|20240603|1000|ORDER ACCEPTED\n"
                                 "05|FIL|PH-3614|8|8|0|FIL|PH-3614|7.12|OIL FILTER|ALTERNATE WAREHOUSE|2||FORT WAYNE, IN\n"
                                 "05|FIL|1A0007|2|0|2|FIL|1A0007|11.50|AIR FILTER||2|20240701|\n"
                                 "05|||1|0|0|ZZZ|Q|||LINE CODE NOT FOUND|||\n";
  EXPECT_EQ(ack, "314\n" + ackMessage);
  EXPECT_EQ(ackMessage.size(), 314u);
  EXPECT_EQ(sim->nextLine(),
            "order 850 PO \"100231\" account \"104233\": acknowledged as order 700001, 3 lines, 1 shipped complete");

  const std::string status = exchange(sim->port(Service::Status), statusMessage("104233", "100231"));
  EXPECT_EQ(status, framed(answerHeaderLine("870", "WEB") +
                           "01|104233||100231\n"
                           "02|104233|700001|100231|20240603|02|PARTIALLY SHIPPED, BALANCE BACK-ORDERED|104233\n"
                           "05|FIL|PH-3614|FIL|PH-3614|OIL FILTER|8|8|0|\n"
                           "11|5|700001-01|20240603|H|1ZVD700001000101|SHIPPED|IN TRANSIT|FORT WAYNE, IN|01\n"
                           "11|3|700001-02|20240603|H|1ZVD700001000102|SHIPPED|IN TRANSIT|INDIANAPOLIS, IN|02\n"
                           "05|FIL|1A0007|FIL|1A0007|AIR FILTER|2|0|2|20240701\n"
                           "05|||ZZZ|Q||1|0|0|\n"));
  EXPECT_EQ(sim->nextLine(), "status 869 PO \"100231\" account \"104233\": status of order 700001, 3 lines, 2 shipments");
  EXPECT_EQ(sim->stop(SIGTERM), 0);
  EXPECT_EQ(sim->errors(), "");
}

TEST_F(Program, AnswersAnInquiryWarehouseByWarehouse) {
  auto sim = start();
  const std::string answer = exchange(sim->port(Service::Inquiry),
                                      inquiryMessage("104233", {"FIL|PH3614|6", "FIL|NOPE|1", "XYZ|PH-3614|1"}));
  EXPECT_EQ(answer, framed(answerHeaderLine("846", "WEB") +
                           "01|104233|500001|20240603\n"
                           "05|FIL|PH-3614|6|FIL|PH3614|01|5|12.49|7.12|0.00|1|EA|OIL FILTER|S|N|20240607|FORT WAYNE, "
                           "IN|20240603|10:20:07|104233|500001|1|01|PARTIAL QUANTITY\n"
                           "05|FIL|PH-3614|6|FIL|PH3614|02|20|12.49|7.12|0.00|1|EA|OIL FILTER||N|20240603|INDIANAPOLIS, "
                           "IN|20240603|10:20:07|104233|500001|1|00|AVAILABLE\n"
                           "05|FIL||1|FIL|NOPE||0|||||||P||||20240603|10:20:07|104233|500001|2|03|PART NOT FOUND\n"
                           "05|||1|XYZ|PH-3614||0|||||||L||||20240603|10:20:07|104233|500001|3|04|LINE CODE NOT "
                           "FOUND\n"));
  EXPECT_EQ(sim->nextLine(), "inquiry 846 inquiry 500001 account \"104233\": 3 parts, 4 detail lines");
  EXPECT_EQ(sim->stop(SIGINT), 0);
}

// A request with one field of the header replaced.
std::string withHeaderField(std::string message, std::size_t field, const std::string& value) {
  std::size_t from = 0;
  for (std::size_t i = 0; i < field; ++i) from = message.find('|', from) + 1;
  const std::size_t to = message.find_first_of("|\n", from);
  return message.replace(from, to - from, value);
}

struct Check {
  const char* name;
  Service service;
  std::string bytes;  // exactly what the client sends
  bool closeSending;  // and then shuts its sending side
  std::string record; // record 1 of the exception
  std::string log;
};
void PrintTo(const Check& c, std::ostream* os) { *os << c.name; }

const std::string kOrder = orderMessage("104233", "100231", {"FIL|PH-3614|1"});

const std::vector<Check> kChecks = {
    {"LengthAboveTheBytes", Service::Order, std::to_string(kOrder.size() + 5) + "\n" + kOrder, true,
     "01|||20240603|101|the length line announces " + std::to_string(kOrder.size() + 5) + " bytes, but " +
         std::to_string(kOrder.size()) + " arrived before the client closed its side\n",
     "order 850: exception 101 the length line announces " + std::to_string(kOrder.size() + 5) + " bytes, but " +
         std::to_string(kOrder.size()) + " arrived before the client closed its side"},
    {"LengthBelowTheBytes", Service::Order, std::to_string(kOrder.size() - 5) + "\n" + kOrder, false,
     "01|||20240603|101|the length line announces " + std::to_string(kOrder.size() - 5) + " bytes, but more followed: " +
         std::to_string(kOrder.size()) + " at least\n",
     "order 850: exception 101 the length line announces " + std::to_string(kOrder.size() - 5) +
         " bytes, but more followed: " + std::to_string(kOrder.size()) + " at least"},
    {"NoLengthLine", Service::Status, statusMessage("104233", "1"), false,
     "01|||20240603|100|the request does not begin with a length line of decimal digits and LF: it begins "
     "\"00\\x7C//VELTA//869\\x7C\\x7C\\x7CH-BRON\"\n",
     "status 869: exception 100 the request does not begin with a length line of decimal digits and LF: it begins "
     "\"00\\x7C//VELTA//869\\x7C\\x7C\\x7CH-BRON\""},
    {"HeaderField", Service::Order, framed(withHeaderField(kOrder, 5, "8154")), false,
     "01|104233|100231|20240603|112|the sender code (header field 5) is \"8154\", not \"8153\"\n",
     "order 850 PO \"100231\" account \"104233\": exception 112 the sender code (header field 5) is \"8154\", not "
     "\"8153\""},
    {"Token", Service::Order, framed(withHeaderField(kOrder, 16, "abcde")), false,
     "01|104233|100231|20240603|115|the check token \"abcde\" does not belong to the header's date 20240603 and time "
     "10:20:07\n",
     "order 850 PO \"100231\" account \"104233\": exception 115 the check token \"abcde\" does not belong to the "
     "header's date 20240603 and time 10:20:07"},
    {"FieldCount", Service::Inquiry, framed(inquiryMessage("104233", {"FIL|PH-3614|1|"})), false,
     "01|104233|500001|20240603|120|line 3 (a part line \"05\") has 5 fields, not 4\n",
     "inquiry 846 inquiry 500001 account \"104233\": exception 120 line 3 (a part line \"05\") has 5 fields, not 4"},
    {"UnknownAccount", Service::Order, framed(orderMessage("104234", "100231", {"FIL|PH-3614|1"})), false,
     "01|104234|100231|20240603|130|the account \"104234\" is not known here\n",
     "order 850 PO \"100231\" account \"104234\": exception 130 the account \"104234\" is not known here"},
    {"WrongPort", Service::Order, framed(inquiryMessage("104233", {"FIL|PH-3614|1"})), false,
     "01|104233||20240603|111|the header names the message set \"//VELTA//846\"; the order port takes "
     "\"//VELTA//850\", the inquiry port that one\n",
     "order 850 account \"104233\": exception 111 the header names the message set \"//VELTA//846\"; the order port "
     "takes \"//VELTA//850\", the inquiry port that one"},
};

class Checks : public Program, public testing::WithParamInterface<Check> {};

TEST_P(Checks, AreExceptionAnswers) {
  const Check& c = GetParam();
  auto sim = start();
  LoopbackClient client(sim->port(c.service));
  client.send(c.bytes);
  if (c.closeSending) client.shutdownSending();
  const std::string channel = c.service == Service::Order ? "BMS" : "WEB";
  EXPECT_EQ(client.readToEnd(), framed(answerHeaderLine("EXR", channel) + c.record));
  EXPECT_FALSE(client.reset());
  EXPECT_EQ(sim->nextLine(), c.log);
  EXPECT_EQ(sim->stop(SIGTERM), 0);
}

INSTANTIATE_TEST_SUITE_P(Requests, Checks, testing::ValuesIn(kChecks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Program, AClientThatFallsSilentIsAnsweredOrClosed) {
  auto sim = start({"--idle-timeout", "0.2"});
  LoopbackClient shortRequest(sim->port(Service::Order));
  shortRequest.send(std::to_string(kOrder.size()) + "\n" + kOrder.substr(0, 20));
  EXPECT_EQ(shortRequest.readToEnd(),
            framed(answerHeaderLine("EXR", "BMS") + "01|||20240603|101|the length line announces " +
                   std::to_string(kOrder.size()) + " bytes, but 20 arrived before the client fell silent for 0.2 s\n"));
  EXPECT_EQ(sim->nextLine(), "order 850: exception 101 the length line announces " + std::to_string(kOrder.size()) +
                                 " bytes, but 20 arrived before the client fell silent for 0.2 s");

  LoopbackClient nothing(sim->port(Service::Status));
  nothing.send("12");
  EXPECT_EQ(nothing.readToEnd(), "");
  EXPECT_TRUE(nothing.closed());
  EXPECT_EQ(sim->nextLine(), "status: no complete length line within 0.2 s (2 bytes); closed");
  EXPECT_EQ(sim->stop(SIGTERM), 0);
}

TEST_F(Program, GarbageIsRefusedAtOnceWithoutBeingHeld) {
  auto sim = start();
  LoopbackClient client(sim->port(Service::Inquiry));
  client.send(std::string(1 << 20, 'Z'));
  const std::string answer = client.readToEnd();
  EXPECT_NE(answer.find("|100|the request does not begin with a length line of decimal digits and LF: it begins "
                        "\"ZZZZZZZZZZZZZZZZZZZZZZZZ\"\n"),
            std::string::npos)
      << answer;
  EXPECT_EQ(sim->stop(SIGTERM), 0);
}

TEST_F(Program, TheFaultExceptionAndMalformedChangeTheContent) {
  auto sim = start({"--fault", "exception@order", "--fault", "malformed@status", "--fault", "malformed@inquiry"});
  EXPECT_EQ(exchange(sim->port(Service::Order), kOrder),
            framed(answerHeaderLine("EXR", "BMS") +
                   "01|104233|100231|20240603|190|refused on purpose: the simulator runs with --fault exception\n"));
  EXPECT_EQ(sim->nextLine(), "order 850 PO \"100231\" account \"104233\": exception 190 refused on purpose: the "
                             "simulator runs with --fault exception [fault exception]");
  // Nothing was accepted, so the status port knows no such order: its exception comes cut short.
  EXPECT_EQ(exchange(sim->port(Service::Status), statusMessage("104233", "100231")),
            framed(answerHeaderLine("EXR", "WEB") + "01|104233|100231\n"));
  sim->nextLine();
  const std::string inquiry = exchange(sim->port(Service::Inquiry), inquiryMessage("104233", {"BRX|D0007|1"}));
  EXPECT_EQ(inquiry, framed(answerHeaderLine("846", "WEB") +
                            "01\n05|BRX|D0007|1|BRX|D0007|01|100|54.00|31.20|12.50|2|PR|DISC PAD SET||N|20240603|"
                            "FORT WAYNE, IN|20240603|10:20:07|104233|500001|1|00\n"));
  EXPECT_EQ(sim->nextLine(), "inquiry 846 inquiry 500001 account \"104233\": 1 part, 1 detail line [fault malformed]");
  EXPECT_EQ(sim->stop(SIGTERM), 0);
}

TEST_F(Program, PiecesSplitTheLengthLineAndTheFramingPutsThemTogether) {
  auto sim = start({"--fault", "pieces=4"});
  LoopbackClient client(sim->port(Service::Order));
  client.send(framed(kOrder));
  const std::string answer = client.readToEnd();
  const std::string expected = framed(answerHeaderLine("855", "BMS") +
                                      "01|104233|100231| |700001|20240603|1000|ORDER ACCEPTED\n"
                                      "05|FIL|PH-3614|1|1|0|FIL|PH-3614|7.12|OIL FILTER||1||FORT WAYNE, IN\n");
  EXPECT_EQ(answer, expected);
  // However the pieces arrived, the workstation's framing reports the answer once, at the end.
  AnswerFraming framing;
  int reported = 0;
  for (std::size_t i = 0; i < client.arrivals().size(); ++i) {
    if (auto framedAnswer = framing.feed(client.arrivals()[i])) {
      ++reported;
      EXPECT_EQ(i + 1, client.arrivals().size());
      EXPECT_EQ(lengthLine(framedAnswer->response) + framedAnswer->response, expected);
    }
  }
  EXPECT_EQ(reported, 1);
  EXPECT_EQ(client.arrivals().front().front(), '1');
  EXPECT_EQ(sim->nextLine(),
            "order 850 PO \"100231\" account \"104233\": acknowledged as order 700001, 1 line, 1 shipped complete "
            "[fault pieces=4]");
  EXPECT_EQ(sim->stop(SIGTERM), 0);
}

TEST_F(Program, DelayHoldsTheAnswerBack) {
  auto sim = start({"--fault", "delay=30@inquiry", "--fault", "delay=0.2@status"});
  LoopbackClient waiting(sim->port(Service::Inquiry));
  waiting.send(framed(inquiryMessage("104233", {"BRX|D0007|1"})));
  // Thirty seconds are far off: nothing comes while the test looks.
  EXPECT_EQ(waiting.readFor(300ms), "");
  EXPECT_FALSE(waiting.closed());
  // A short delay ends with the whole answer.
  const std::string answer = exchange(sim->port(Service::Status), statusMessage("104233", "1"));
  EXPECT_NE(answer.find("|131|no order with PO \"1\" was received from account \"104233\"\n"), std::string::npos);
  EXPECT_EQ(sim->nextLine(), "status 869 PO \"1\" account \"104233\": exception 131 no order with PO \"1\" was "
                             "received from account \"104233\" [fault delay=0.2]");
  EXPECT_EQ(sim->stop(SIGTERM), 0);  // a delayed answer does not keep it from ending
}

TEST_F(Program, SilentReadsAndActsButNeverAnswers) {
  auto sim = start({"--fault", "silent@order"});
  LoopbackClient client(sim->port(Service::Order));
  client.send(framed(kOrder));
  EXPECT_EQ(sim->nextLine(), "order 850 PO \"100231\" account \"104233\": acknowledged as order 700001, 1 line, 1 "
                             "shipped complete; not answered [fault silent]");
  EXPECT_EQ(client.readFor(300ms), "");
  EXPECT_FALSE(client.closed());
  // The order reached the distributor: the status tells.
  const std::string status = exchange(sim->port(Service::Status), statusMessage("104233", "100231"));
  EXPECT_NE(status.find("\n02|104233|700001|100231|20240603|01|SHIPPED COMPLETE|104233\n"), std::string::npos);
  EXPECT_EQ(sim->stop(SIGTERM), 0);
}

TEST_F(Program, CloseEarlySendsHalfTheAnswer) {
  auto sim = start({"--fault", "close-early"});
  LoopbackClient client(sim->port(Service::Order));
  client.send(framed(kOrder));
  const std::string whole = framed(answerHeaderLine("855", "BMS") +
                                   "01|104233|100231| |700001|20240603|1000|ORDER ACCEPTED\n"
                                   "05|FIL|PH-3614|1|1|0|FIL|PH-3614|7.12|OIL FILTER||1||FORT WAYNE, IN\n");
  EXPECT_EQ(client.readToEnd(), whole.substr(0, whole.size() / 2));
  EXPECT_TRUE(client.closed());
  EXPECT_EQ(sim->nextLine(), "order 850 PO \"100231\" account \"104233\": acknowledged as order 700001, 1 line, 1 "
                             "shipped complete; closed after " + std::to_string(whole.size() / 2) + " of " +
                                 std::to_string(whole.size()) + " bytes [fault close-early]");
  EXPECT_EQ(sim->stop(SIGTERM), 0);
}

TEST_F(Program, TooLongAnnouncesMoreThanTheFramingTakes) {
  auto sim = start({"--fault", "too-long@status"});
  LoopbackClient client(sim->port(Service::Status));
  client.send(framed(statusMessage("104233", "1")));
  const std::string answer = client.readToEnd();
  ASSERT_EQ(answer.rfind("16777217\n00|//VELTA//EXR|", 0), 0u) << answer;
  AnswerFraming framing;
  try {
    framing.feed(answer);
    ADD_FAILURE() << "the framing took it";
  } catch (const EngineError& e) {
    EXPECT_EQ(e.number(), err::AnswerTooLarge);
  }
  EXPECT_EQ(sim->stop(SIGTERM), 0);
}

TEST_F(Program, RefuseClosesAtOnceAndTheOtherPortsServe) {
  auto sim = start({"--fault", "refuse@order"});
  LoopbackClient client(sim->port(Service::Order));
  client.send(framed(kOrder));
  EXPECT_EQ(client.readToEnd(), "");
  EXPECT_TRUE(client.closed());
  EXPECT_EQ(sim->nextLine(), "order: connection closed at once [fault refuse]");
  EXPECT_NE(exchange(sim->port(Service::Inquiry), inquiryMessage("104233", {"BRX|D0007|1"})).find("|00|AVAILABLE\n"),
            std::string::npos);
  EXPECT_EQ(sim->stop(SIGTERM), 0);
}

// With every slot held a connection is not accepted (and so never closed
// unread): it waits in the listen queue with its request, and is served once
// the request deadline has ended the clients that hold the slots (the idle
// timeout, 10 s, never passes).
TEST_F(Program, AConnectionBeyondTheSlotsWaitsAndIsServedWhenOneFrees) {
  auto sim = start({"--request-timeout", "1"});
  std::vector<std::unique_ptr<LoopbackClient>> held;
  for (std::size_t i = 0; i < distributor::Server::kMaxConnections; ++i) {
    held.push_back(std::make_unique<LoopbackClient>(sim->port(Service::Inquiry)));
    held.back()->send("1");  // a length line begun
  }
  EXPECT_EQ(sim->nextLine(), "32 connections are open; no more are accepted until one of them ends");
  LoopbackClient waiting(sim->port(Service::Inquiry));
  waiting.send(framed(inquiryMessage("104233", {"BRX|D0007|1"})));
  EXPECT_EQ(waiting.readToEnd(),
            framed(answerHeaderLine("846", "WEB") +
                   "01|104233|500001|20240603\n05|BRX|D0007|1|BRX|D0007|01|100|54.00|31.20|12.50|2|PR|DISC PAD SET||N|"
                   "20240603|FORT WAYNE, IN|20240603|10:20:07|104233|500001|1|00|AVAILABLE\n"));
  std::vector<std::string> expected(distributor::Server::kMaxConnections,
                                    "inquiry: no complete length line within the 1 s a request may take (1 bytes); closed");
  expected.push_back("inquiry 846 inquiry 500001 account \"104233\": 1 part, 1 detail line");
  std::vector<std::string> lines;
  while (lines.size() < expected.size()) lines.push_back(sim->nextLine());
  // The slots free and the waiting connection is served in one loop: their lines may interleave.
  std::sort(lines.begin(), lines.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(sim->stop(SIGTERM), 0);
}

TEST_F(Program, TheStateFileCarriesOrdersIntoTheNextRun) {
  const std::string state = (dir_.path() / "state.json").string();
  {
    auto first = start({"--state", state});
    EXPECT_NE(exchange(first->port(Service::Order), kOrder).find("|700001|"), std::string::npos);
    EXPECT_EQ(first->stop(SIGTERM), 0);
  }
  auto second = start({"--state", state});
  EXPECT_NE(exchange(second->port(Service::Status), statusMessage("104233", "100231")).find("\n02|104233|700001|"),
            std::string::npos);
  EXPECT_NE(exchange(second->port(Service::Order), kOrder).find("|132|PO \"100231\" of account \"104233\" was received "
                                                                "before, as order 700001\n"),
            std::string::npos);
  EXPECT_EQ(second->stop(SIGTERM), 0);
}

TEST_F(Program, WithoutATableOptionItUsesTheLinksLookup) {
  const std::string ordered = orderedTokenTable();
  const std::string other = dir_.write("other-table", std::string(ordered.rbegin(), ordered.rend())).string();
  ScopedEnvironment env({{"VELTA_TOKEN_TABLE", other}});
  auto sim = std::make_unique<DistributorProcess>(std::vector<std::string>{"--catalog", catalog_, "--clock", kTestClock});
  // A request made with the ordered table is refused by the reversed one.
  EXPECT_NE(exchange(sim->port(Service::Order), kOrder).find("|115|"), std::string::npos);
  const TokenTable reversed = TokenTable::fromFile(other);
  const std::string good =
      requestHeaderLine(MessageSet::Order850, testMoment(), reversed) + kOrder.substr(kOrder.find('\n') + 1);
  const std::string answer = exchange(sim->port(Service::Order), good);
  EXPECT_NE(answer.find("\n00|//VELTA//855|||VELTA-DIST|0001|10:20:07|20240603||BMS|||||||" +
                        makeToken("20240603", "10:20:07", reversed) + "\n01|104233|100231| |700001|"),
            std::string::npos)
      << answer;
  EXPECT_EQ(sim->stop(SIGTERM), 0);
}

struct BadStart {
  const char* name;
  std::vector<std::string> args;  // after --catalog FILE where FILE is written with `catalog`
  std::string catalog;
  int status;
  std::string errStart;
};
void PrintTo(const BadStart& c, std::ostream* os) { *os << c.name; }

const std::vector<BadStart> kBadStarts = {
    {"BadCatalog", {}, R"({"warehouses": []})", 2, "velta-distributor: catalog \""},
    {"BadTable", {"--token-table", "/nonexistent/table"}, kCatalogJson, 2,
     "velta-distributor: token table file \"/nonexistent/table\": cannot be read"},
    {"BadUsage", {"--order-port", "x"}, kCatalogJson, 2, "velta-distributor: --order-port: "},
};

class BadStarts : public testing::TestWithParam<BadStart> {};

TEST_P(BadStarts, EndWithAClearMessage) {
  TempDir dir;
  std::vector<std::string> args{"--catalog", dir.write("c.json", GetParam().catalog).string()};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const Finished run = runDistributor(args);
  EXPECT_EQ(run.status, GetParam().status);
  EXPECT_EQ(run.err.rfind(GetParam().errStart, 0), 0u) << run.err;
  EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(Starts, BadStarts, testing::ValuesIn(kBadStarts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Program, ABusyPortEndsItWithStatus1) {
  auto first = start();
  const Finished second = runDistributor({"--catalog", catalog_, "--order-port", "0", "--status-port",
                                          std::to_string(first->port(Service::Status)), "--inquiry-port", "0"});
  EXPECT_EQ(second.status, 1);
  EXPECT_EQ(second.err, "velta-distributor: cannot listen on 127.0.0.1:" + std::to_string(first->port(Service::Status)) +
                            " for the status service: Address already in use\n");
  EXPECT_EQ(first->stop(SIGTERM), 0);
}

}  // namespace
}  // namespace velta::test
