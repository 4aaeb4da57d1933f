// velta-workstation order --headless --submit / --status against the real
// velta-distributor, started by each test on free loopback ports and stopped
// by it: the whole transcript of an acknowledged order, an exception, the
// status of an order the distributor holds, each fault mode, the journal,
// and the exit statuses.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "link/ExchangeJournal.h"
#include "support/DistributorProcess.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "tools/sample/DistributorCatalog.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace velta {
namespace {

namespace fs = std::filesystem;
using distributor::Service;

const std::string kWorkstation = std::string(VELTA_BIN_DIR) + "/velta-workstation";
const std::string kNow = "2026-12-08T21:05:07";
const std::string kMayHaveReached =
    ": it may have reached the distributor. Ask \"PO Status\" before sending the order again.";

// "the distributor of vendor 1207 at 127.0.0.1:PORT" in place of "%D".
std::string naming(std::string text, int port) {
  const std::size_t at = text.find("%D");
  if (at != std::string::npos) text.replace(at, 2, "the distributor of vendor 1207 at 127.0.0.1:" + std::to_string(port));
  return text;
}

sample::SampleOptions sampleOptions() {
  sample::SampleOptions options;
  options.parts = 200;
  return options;
}

// What the distributor remembers: purchase order 100232, sent before.
const char* const kHeldOrder =
    R"({"nextOrderNumber": 700002, "orders": [{"account": "104233", "po": "100232", "orderNumber": "700001",
                "poDate": "20261201", "received": "20261201", "shipMethod": "C", "backOrderCode": "1",
                "backOrderShip": " ", "resale": false, "shipDate": "",
                "lines": [{"lineOrdered": "FIL", "partOrdered": "1A0007", "quantity": 12, "line": "FIL",
                           "part": "1A0007", "description": "OIL FILTER, SPIN ON", "cost": "7.12",
                           "backOrderCode": "1",
                           "shipments": [{"warehouse": "01", "name": "FORT WAYNE, IN", "quantity": 10},
                                         {"warehouse": "02", "name": "TOLEDO, OH", "quantity": 2}],
                           "backOrdered": 0, "reason": "", "available": ""}]}]})";

void writeFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

class OrderExchangeTranscript : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new test::TempDir();
    // The simulator's catalog: the same for every sample of this size.
    const auto catalogSample = sample::writeSampleBusinessSystem(dir_->path() / "catalog", sampleOptions());
    catalog_ = new fs::path(sample::writeDistributorCatalog(catalogSample));
  }
  static void TearDownTestSuite() {
    delete catalog_;
    delete dir_;
  }

  // The distributor with `extra` arguments, and a business system whose
  // distributor vendor record names its ports.
  void start(std::vector<std::string> extra = {}) {
    std::vector<std::string> arguments{"--catalog", catalog_->string(), "--clock", "2026-12-08T21:05:09"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    sim_ = std::make_unique<test::DistributorProcess>(arguments);
    auto options = sampleOptions();
    options.distributor.host = "127.0.0.1";
    options.distributor.orderPort = sim_->port(Service::Order);
    options.distributor.statusPort = sim_->port(Service::Status);
    options.distributor.inquiryPort = sim_->port(Service::Inquiry);
    biz_ = sample::writeSampleBusinessSystem(work_.path() / "biz", options);
  }
  void TearDown() override {
    if (sim_) {
      EXPECT_EQ(sim_->stop(SIGTERM), 0);
    }
  }

  // velta-workstation COMMAND --headless with the test's settings file, the
  // journal's default folder in the test's own XDG_STATE_HOME.
  test::CommandResult run(std::vector<std::string> arguments, const fs::path& folder,
                          std::optional<std::string> stateHome = std::nullopt) {
    std::vector<std::string> argv{kWorkstation};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    argv.insert(argv.end(), {"--headless", "--root", biz_.root.string(), "--settings", (folder / "workstation.ini").string()});
    return test::runCommand(argv, {{"TMPDIR", biz_.tmpDir().string()},
                                   {"XDG_CONFIG_HOME", biz_.configHome().string()},
                                   {"XDG_STATE_HOME", stateHome.value_or((folder / "state").string())},
                                   {"HOME", (folder / "home").string()},
                                   {"VELTA_NOW", kNow},
                                   {"VELTA_UNC_ROOT", std::nullopt},
                                   {"VELTA_SHARES", std::nullopt}});
  }
  test::CommandResult order(const std::string& po, std::vector<std::string> extra) {
    extra.insert(extra.begin(), {"order", "--po", po});
    return run(extra, work_.path());
  }

  static std::string box(const std::string& text, const std::string& suffix) {
    return "[messagebox] icon=none buttons=ok modal=system title=veltaorder Error\n  " + text + "\n  " + suffix + "\n";
  }
  static std::string properties(const std::string& po, int success) {
    return "[property] text xPONum=" + po + "\n[property] number xPOSuccess=" + std::to_string(success) + "\n";
  }

  static test::TempDir* dir_;
  static fs::path* catalog_;
  test::TempDir work_;
  std::unique_ptr<test::DistributorProcess> sim_;
  sample::SampleBusinessSystem biz_;
};

test::TempDir* OrderExchangeTranscript::dir_ = nullptr;
fs::path* OrderExchangeTranscript::catalog_ = nullptr;

TEST_F(OrderExchangeTranscript, AnAcknowledgedOrderIsTheResponseFormAndSuccess) {
  start();
  const auto result = order("100231", {"--submit"});
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string form =
      "[form frmPoResponse] caption=Parts Order Response\n"
      "  Label1(0)=Account \n"
      "  Label1(1)=Dist. order Number\n"
      "  Label1(2)=PO Date\n"
      "  Label1(3)=PO Status Code\n"
      "  Label1(4)=PO Status Message\n"
      "  Label1(6)=PO Number\n"
      "  Label1(7)=Backorder Code\n"
      "  lblSearch(0)=104233\n"
      "  lblSearch(1)=700001\n"
      "  lblSearch(2)=20261208\n"
      "  lblSearch(3)=100231\n"
      "  lblSearch(4)= \n"
      "  lblSearch(5)=1000\n"
      "  lblSearch(6)=ORDER ACCEPTED\n"
      "  grdItem.cols=Line Ord.\tPart Ordered\tQty Ord.\tLine Shp.\tPart Shipped\tQty Shp.\tQty BO\tDescription\t"
      "Alt Shp Reason\tBo Code\tAvail Date\tLocation\n"
      "  grdItem 1: FIL\t1A0007\t12\tFIL\t1A0007\t12\t0\tOIL FILTER, SPIN ON\t\t1\t\tFORT WAYNE, IN\n"
      "  grdItem 2: BRX\tR0-0056\t2\tBRX\tR0-0056\t2\t0\tROTOR, VENTED\t\t1\t\tFORT WAYNE, IN\n"
      "  grdItem 3: CHX\t123-45-678\t1\tCHX\t123-45-678\t1\t0\tBRAKE FLUID, DOT 3\t\t1\t\tFORT WAYNE, IN\n"
      "  grdItem 4: IGX\tW00056\t24\tIGX\tW00056\t20\t4\tPLUG WIRE SET, 8MM\t\t1\t20261220\tFORT WAYNE, IN\n"
      "  grdItem 5: FIL\t1A0028\t5\tFIL\t1A0028\t5\t0\tOIL FILTER, SPIN ON\t\t1\t\tFORT WAYNE, IN\n";
  EXPECT_EQ(result.out, form + "[event] controlShutdown\n" + properties("100231", 1));
  EXPECT_EQ(sim_->nextLine(),
            "order 850 PO \"100231\" account \"104233\": acknowledged as order 700001, 5 lines, 4 shipped complete");
}

TEST_F(OrderExchangeTranscript, TheUsersChoicesTravelWithTheOrder) {
  start();
  const auto result = order("100231", {"--submit", "--ship-method", "C", "--bo-code", "0", "--bo-ship", "H",
                                       "--resale", "--ship-date", "2027-01-01"});
  EXPECT_EQ(result.status, 0) << result.err;
  // The back-order code comes back as sent.
  EXPECT_NE(result.out.find("  lblSearch(4)=0\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("[event] controlShutdown\n"), std::string::npos);
}

TEST_F(OrderExchangeTranscript, AnExceptionIsTheExceptionFormAndNoSuccess) {
  start({"--fault", "exception@order"});
  const auto result = order("100231", {"--submit"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.substr(0, result.out.find('\n')), "[form frmException] caption=Velta Exception");
  EXPECT_NE(result.out.find("  lblER(3)=190\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("  Label1=Your Order Returned an Exception.\n[event] controlShutdown\n" +
                            properties("100231", 0)),
            std::string::npos)
      << result.out;
}

TEST_F(OrderExchangeTranscript, TheStatusOfAnOrderTheDistributorHolds) {
  const fs::path state = work_.path() / "state.json";
  writeFile(state, kHeldOrder);
  start({"--state", state.string()});
  const auto result = order("100232", {"--status"});
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string shipmentStyle = "group=0 level=1 bold=0 back=none\n";
  std::string expected =
      "[form frmPOStat] caption=Parts Order Status\n"
      "  Label1(0)=Ship To Account\n"
      "  Label1(1)=Original Ticket #\n"
      "  Label1(2)=PO Number\n"
      "  Label1(3)=Order Date\n"
      "  Label1(4)=Order Status Code\n"
      "  Label1(5)=Order Status Message\n"
      "  Label1(6)=Bill To Account\n"
      "  lblStatus(0)=100232\n"
      "  lblStatus(1)=700001\n"
      "  lblStatus(2)=20261201\n"
      "  lblStatus(3)=104233\n"
      "  lblStatus(4)=104233\n"
      "  lblStatus(5)=01\n"
      "  lblStatus(6)=SHIPPED COMPLETE\n"
      "  grdItem.cols=Mfg Code Resp\tPart # Resp\tMFG Code (Cust)\tPart (Cust)\tDescription\tQty Ord\t"
      "Qty Shp (Tot)\tQty Bo\tBO ETA\n"
      "  grdItem 1: FIL\t1A0007\tFIL\t1A0007\tOIL FILTER, SPIN ON\t12\t12\t0\t\n"
      "  grdItem 1.style=group=1 level=0 bold=1 back=#ffe0c0\n";
  const char* shipments[][3] = {
      {"Qty Shipped = 10", "Invoice # = 700001-01", "Ship Date = 20261201"},
      {"Ship Method = C", "Tracking Info = 1ZVD700001000101", "Shipment Status = SHIPPED"},
      {"Status Msg = IN TRANSIT", "Ship Location = FORT WAYNE, IN", "Ship Loc. Code = 01"},
      {"Qty Shipped = 2", "Invoice # = 700001-02", "Ship Date = 20261201"},
      {"Ship Method = C", "Tracking Info = 1ZVD700001000102", "Shipment Status = SHIPPED"},
      {"Status Msg = IN TRANSIT", "Ship Location = TOLEDO, OH", "Ship Loc. Code = 02"}};
  for (int r = 0; r < 6; ++r) {
    const std::string row = std::to_string(r + 2);
    expected += "  grdItem " + row + ": \t" + shipments[r][0] + "\t" + shipments[r][1] + "\t" + shipments[r][2] +
                "\t\t\t\t\t\n  grdItem " + row + ".style=" + shipmentStyle;
  }
  EXPECT_EQ(result.out, expected + "[event] controlShutdown\n" + properties("100232", 0));
}

TEST_F(OrderExchangeTranscript, AnAnswerInPiecesIsReadOnceWhole) {
  start({"--fault", "pieces=7@order"});
  const auto result = order("100231", {"--submit"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.find("[form frmPoResponse]"), 0u) << result.out;
  EXPECT_NE(result.out.find("  grdItem 5: FIL\t1A0028\t5\t"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("[event] controlShutdown\n" + properties("100231", 1)), std::string::npos);
}

TEST_F(OrderExchangeTranscript, AStatusOnAnOrderNotSentIsNotPressed) {
  start();
  const auto result = order("100231", {"--status"});
  EXPECT_EQ(result.status, 3);
  EXPECT_NE(result.err.find("\"PO Status\" is disabled for purchase order 100231; nothing was pressed"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(result.out, properties("100231", 0));
}

TEST_F(OrderExchangeTranscript, ASubmitOnAnOrderAlreadySentIsNotPressed) {
  start();
  const auto result = order("100232", {"--submit"});
  EXPECT_EQ(result.status, 3);
  EXPECT_NE(result.err.find("\"Submit Order\" is disabled for purchase order 100232; nothing was pressed"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(result.out, properties("100232", 0));
}

struct FaultCase {
  const char* name;
  const char* fault;
  std::string text;    // the box's first line; %D the distributor
  std::string detail;  // its line after the routine's, when it has one
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

class FaultTranscript : public OrderExchangeTranscript, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultTranscript, IsOneBoxAndNoShutdown) {
  const FaultCase& c = GetParam();
  start({"--fault", std::string(c.fault) + "@order"});
  const auto result = order("100231", {"--submit", "--answer-timeout", "0.5"});
  EXPECT_EQ(result.status, 3) << result.err;
  const std::string detail = c.detail.empty() ? "" : "    " + c.detail + "\n";
  EXPECT_EQ(result.out, box(naming(c.text, sim_->port(Service::Order)), " in ws1_DataArrival routine") + detail +
                            properties("100231", 0));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultTranscript,
    ::testing::Values(
        FaultCase{"closeEarly", "close-early",
                  " Error -23  The request was sent to %D, but the distributor closed the connection before the "
                  "answer was complete" + kMayHaveReached,
                  ""},
        FaultCase{"silent", "silent",
                  " Error -23  The request was sent to %D, but no complete answer came within 0.5 s" + kMayHaveReached,
                  ""},
        FaultCase{"malformed", "malformed",
                  " Error 9  Subscript out of range", "record 1 of the answer has 4 fields; an order summary needs 5"},
        FaultCase{"tooLong", "too-long",
                  " Error -21  the answer announces 16777217 bytes, 1 more than the limit of 16777216 bytes (16 MiB)",
                  ""}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST_F(OrderExchangeTranscript, CodesOutsideTheListsAreBadUsage) {
  start();
  for (const std::vector<std::string>& flags :
       {std::vector<std::string>{"--ship-method", "L"}, {"--bo-code", "8"}, {"--bo-ship", "a"},
        {"--ship-date", "2027-02-30"}, {"--answer-timeout", "0"}}) {
    std::vector<std::string> arguments{"--submit"};
    arguments.insert(arguments.end(), flags.begin(), flags.end());
    const auto result = order("100231", arguments);
    EXPECT_EQ(result.status, 2) << flags[0];
    EXPECT_EQ(result.out, "") << flags[0];
  }
}

TEST_F(OrderExchangeTranscript, ARefusingDistributorMayStillHaveTheOrder) {
  start({"--fault", "refuse@order"});
  const auto result = order("100231", {"--submit"});
  EXPECT_EQ(result.status, 3) << result.err;
  EXPECT_NE(result.out.find(naming("   Error -23  The request was sent to %D, but ", sim_->port(Service::Order))),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find(kMayHaveReached + "\n   in ws1_DataArrival routine\n"), std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("controlShutdown"), std::string::npos);
}

TEST_F(OrderExchangeTranscript, NoDistributorListeningIsNotSent) {
  start();
  const int port = sim_->port(Service::Order);
  EXPECT_EQ(sim_->stop(SIGTERM), 0);
  sim_.reset();
  const auto result = order("100231", {"--submit", "--connect-timeout", "5"});
  EXPECT_EQ(result.status, 3) << result.err;
  EXPECT_EQ(result.out, box(naming(" Error -23  Nothing was sent: %D refused the connection. Try again later; if it "
                                   "keeps happening, check the vendor's distributor address.",
                                   port),
                            " in submitorder routine") +
                            properties("100231", 0));
}

TEST_F(OrderExchangeTranscript, TheJournalHoldsTheExchangeAsSentAndReceived) {
  start();
  const fs::path journal = work_.path() / "journal";
  const auto result = order("100231", {"--submit", "--journal", journal.string()});
  EXPECT_EQ(result.status, 0) << result.err;
  struct stat info {};
  ASSERT_EQ(::stat(journal.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  ASSERT_EQ(::stat((journal / "journal.sqlite").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  const auto entries = ExchangeJournal::openExisting(journal).list();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].outcome, "acknowledged");
  EXPECT_EQ(entries[0].setNumber, "850");
  EXPECT_EQ(entries[0].reference, "100231");
  EXPECT_EQ(entries[0].port, sim_->port(Service::Order));
  EXPECT_EQ(entries[0].request.rfind("182\n00|//VELTA//850|||H-BRONTEK|8153|21:05:07|20261208||BMS|||||||", 0), 0u)
      << entries[0].request;
  ASSERT_TRUE(entries[0].answer.has_value());
  EXPECT_NE(entries[0].answer->find("ORDER ACCEPTED"), std::string::npos);
}

mode_t modeOf(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST_F(OrderExchangeTranscript, TheJournalIsKeptByDefaultAndTheTranscriptStaysAsItWas) {
  const fs::path held = work_.path() / "held.json";
  writeFile(held, kHeldOrder);
  start({"--state", held.string()});
  struct Case {
    const char* name;
    std::vector<std::string> flags;  // NAMED stands for the case's folder "named"
    const char* settings;            // the settings file; none: no file
    const char* journal;             // where the journal is, in the case's folder; "": none anywhere
    std::optional<std::string> stateHome = std::nullopt;  // XDG_STATE_HOME; none: the case's "state"
  };
  const Case cases[] = {
      {"default", {}, nullptr, "state/velta/journal"},
      {"state-home-empty", {}, nullptr, "home/.local/state/velta/journal", ""},
      {"state-home-relative", {}, nullptr, "home/.local/state/velta/journal", "state"},
      {"settings-without-journal", {}, "[workstation]\nanswerTimeout=30\n", "state/velta/journal"},
      {"journal-named", {}, "[workstation]\njournal=NAMED\n", "named"},
      {"journal-empty", {}, "[workstation]\njournal=\n", ""},
      {"flag-over-empty", {"--journal", "NAMED"}, "[workstation]\njournal=\n", "named"},
      {"no-journal", {"--no-journal"}, "[workstation]\njournal=NAMED\n", ""},
  };
  const auto named = [](std::string text, const fs::path& folder) {
    for (std::size_t at; (at = text.find("NAMED")) != std::string::npos;) text.replace(at, 5, (folder / "named").string());
    return text;
  };
  std::string first;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path folder = work_.path() / c.name;
    fs::create_directories(folder);
    if (c.settings) writeFile(folder / "workstation.ini", named(c.settings, folder));
    std::vector<std::string> arguments{"order", "--po", "100232", "--status"};
    for (const std::string& flag : c.flags) arguments.push_back(named(flag, folder));
    const mode_t umask = ::umask(0);  // the folders the journal makes are its owner's whatever the umask
    const auto result = run(arguments, folder, c.stateHome);
    ::umask(umask);
    EXPECT_EQ(result.status, 0) << result.err;
    // The journal adds nothing to the transcript, wherever it is.
    EXPECT_EQ(result.out.rfind("[form frmPOStat] caption=Parts Order Status\n", 0), 0u) << result.out;
    if (first.empty()) first = result.out;
    EXPECT_EQ(result.out, first);
    if (*c.journal) {
      const auto entries = ExchangeJournal::openExisting(folder / c.journal).list();
      ASSERT_EQ(entries.size(), 1u);
      EXPECT_EQ(entries[0].setNumber, "869");
      EXPECT_EQ(entries[0].outcome, "answered");
    } else {
      for (const char* none : {"state", "home", "named"}) EXPECT_FALSE(fs::exists(folder / none)) << none;
    }
  }
  for (const char* made : {"state", "state/velta", "state/velta/journal"}) {
    EXPECT_EQ(modeOf(work_.path() / "default" / made), 0700u) << made;
  }
  // The inquiry command keeps it there too.
  const fs::path folder = work_.path() / "inquiry";
  const auto result =
      run({"inquiry", "--vendor", "1207", "--line", "FLT", "--part", "1A0013", "--qty", "2", "--search"}, folder);
  EXPECT_EQ(result.status, 0) << result.err;
  const auto entries = ExchangeJournal::openExisting(folder / "state" / "velta" / "journal").list();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].setNumber, "846");
  EXPECT_EQ(entries[0].reference, "FLT 1A0013");
}

}  // namespace
}  // namespace velta
