// velta-workstation inquiry --headless on the sample business system against a
// distributor played by this test on 127.0.0.1: the whole transcript of a
// search, the request it sent, and the runs that never reach the distributor.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "link/CheckToken.h"
#include "link/ExchangeJournal.h"
#include "support/DistributorProcess.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "tools/sample/DistributorCatalog.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace velta {
namespace {

namespace fs = std::filesystem;

const std::string kNow = "2026-12-08T21:05:07";

// Answers one connection: reads the request (length line and message), keeps
// it, and writes `answer`.
class OneAnswer {
 public:
  OneAnswer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener_, 4) != 0) {
      throw std::runtime_error("cannot listen");
    }
    socklen_t size = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
  }
  ~OneAnswer() {
    if (thread_.joinable()) {
      ::shutdown(listener_, SHUT_RDWR);
      thread_.join();
    }
    ::close(listener_);
  }
  int port() const { return port_; }

  void serve(std::string answer) {
    thread_ = std::thread([this, answer = std::move(answer)] {
      const int fd = ::accept(listener_, nullptr, nullptr);
      if (fd < 0) return;
      char buffer[4096];
      for (;;) {
        const auto n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        request.append(buffer, static_cast<std::size_t>(n));
        const auto lf = request.find('\n');
        if (lf != std::string::npos && request.size() - lf - 1 == std::stoul(request.substr(0, lf))) break;
      }
      ::write(fd, answer.data(), answer.size());
      ::close(fd);
    });
  }

  std::string request;

 private:
  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
};

std::string framed(const std::string& message) { return std::to_string(message.size()) + "\n" + message; }

std::string padded(std::string text, std::size_t width) {
  text.resize(std::max(text.size(), width), ' ');
  return text;
}

std::string versionText() {
  return "Version " + std::to_string(VELTA_VERSION_MAJOR) + "." + (VELTA_VERSION_MINOR < 10 ? "0" : "") +
         std::to_string(VELTA_VERSION_MINOR) + "." + std::string(4 - std::to_string(VELTA_VERSION_PATCH).size(), '0') +
         std::to_string(VELTA_VERSION_PATCH);
}

// velta-workstation ARGUMENTS --headless on the sample, with a settings file
// of the test's own, the clock of kNow, and nothing of the user's environment.
test::CommandResult runWorkstation(const sample::SampleBusinessSystem& sample, const std::filesystem::path& settings,
                                   const std::vector<std::string>& arguments) {
  std::vector<std::string> argv{VELTA_WORKSTATION};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  argv.insert(argv.end(), {"--headless", "--root", sample.root.string(), "--settings", settings.string()});
  return test::runCommand(argv, {{"TMPDIR", sample.tmpDir().string()},
                                 {"XDG_CONFIG_HOME", sample.configHome().string()},
                                 {"XDG_STATE_HOME", (settings.parent_path() / "state").string()},
                                 {"VELTA_NOW", kNow},
                                 {"VELTA_TOKEN_TABLE", std::nullopt},
                                 {"VELTA_UNC_ROOT", std::nullopt},
                                 {"VELTA_SHARES", std::nullopt}});
}

class InquiryTranscript : public ::testing::Test {
 protected:
  void SetUp() override {
    sample::SampleOptions options;
    options.parts = 200;
    options.distributor.inquiryPort = distributor_.port();
    sample_ = sample::writeSampleBusinessSystem(dir_.path() / "biz", options);
  }

  test::CommandResult run(const std::vector<std::string>& arguments) {
    return runWorkstation(sample_, dir_.path() / "workstation.ini", arguments);
  }

  // The [control UserControl1] block of vendor 1207 with the entry rows and result rows given.
  std::string controlBlock(const std::vector<std::string>& entryRows, const std::vector<std::string>& resultRows,
                           bool searchEnabled) {
    std::string b = "[control UserControl1]\n";
    auto line = [&](const std::string& entry) { b += "  " + entry + "\n"; };
    line("Label1(0)=Vendor");
    line("Label1(1)=Search For");
    line("Label1(2)=Port");
    line("Label1(5)=Results");
    line("Label1(6)=IP Address");
    line("Label1(7)=Account");
    line("Label1(8)=You may enter up to five additional parts for inquiry.");
    line("lblSearch(0)=1207 - " + padded("NORTHERN PARTS DISTRIBUTION", 30));
    line("lblSearch(1)=" + std::to_string(distributor_.port()));
    line("lblSearch(3)=" + padded("127.0.0.1", 15));
    line("lblSearch(4)=104233/A7");
    line("lblDesc=Velta Parts Inquiry");
    line("lblHeader=");
    line("lblVersion=" + versionText());
    line(std::string("CmdSearch=") + (searchEnabled ? "enabled" : "disabled"));
    line("cmdExit=enabled");
    line("errText=");
    line("grdIQ.cols=Line\tPart\tQty\tDescription");
    for (std::size_t r = 0; r < 6; ++r) {
      line("grdIQ " + std::to_string(r + 1) + ": " + (r < entryRows.size() ? entryRows[r] : std::string("\t\t\t")));
    }
    line("grdItem.cols=Line Req\tPart Req\tQty Req\tAvail Line\tAvail Part\tAvail Qty\tDescription\tRetail\tCost\t"
         "Status Code\tStatus Text\tReason Code\tLocation\tDate Avail\tFact BO");
    for (std::size_t r = 0; r < resultRows.size(); ++r) line("grdItem " + std::to_string(r + 1) + ": " + resultRows[r]);
    return b;
  }

  static std::string properties() {
    return "[property] text xPart=PH3600\n[property] text xDesc=OIL FILTER\n[property] text xQty=2\n"
           "[property] text xLine=FLT\n[property] number xVendor=1207\n";
  }

  test::TempDir dir_;
  OneAnswer distributor_;
  sample::SampleBusinessSystem sample_;
};

TEST_F(InquiryTranscript, ASearchWithTwoExtraParts) {
  const std::string a = "05|FIL|PH3600|2|FLT|PH3600|x|4|12.50|9.90|a|b|c|OIL FILTER|R1|N|20270101|DOCK 4|x|x|x|x|x|00|IN STOCK";
  const std::string b = "05|BRX|R1|1|BRK|R1|x|0|80.00|61.25|a|b|c|PAD SET|R2|Y|20270115|MAIN|x|x|x|x|x|10|BACKORDER";
  distributor_.serve(framed("00|//VELTA//846|||RKT\n01|104233\n" + a + "\n" + b + "\n"));
  const auto result = run({"inquiry", "--vendor", "1207", "--line", "FLT", "--part", "PH3600", "--qty", "2", "--desc",
                           "OIL FILTER", "--extra", "BRK:R1:1", "--extra", "ZZQ:X:9:", "--search", "--show-loaded"});
  EXPECT_EQ(result.status, 0) << result.err;
  const std::vector<std::string> entry = {"FLT\tPH3600\t2\tOIL FILTER", "BRK\tR1\t1\t", "ZZQ\tX\t9:\t"};
  const std::vector<std::string> rows = {
      "FLT\tPH3600\t2\tFIL\tPH3600\t4\tOIL FILTER\t12.50\t9.90\t00\tIN STOCK\tR1\tDOCK 4\t20270101\tN",
      "BRK\tR1\t1\tBRX\tR1\t0\tPAD SET\t80.00\t61.25\t10\tBACKORDER\tR2\tMAIN\t20270115\tY"};
  EXPECT_EQ(result.out, controlBlock(entry, {}, true) + controlBlock(entry, rows, false) + properties());
  const std::string message = "00|//VELTA//846|||H-BRONTEK|8153|21:05:07|20261208||WEB|||||||" +
                              makeToken("20261208", "21:05:07") + "\n01|104233\n05|FIL|PH3600|2\n05|BRX|R1|1\n05|ZZQ|X|9:\n";
  EXPECT_EQ(distributor_.request, framed(message));
}

TEST_F(InquiryTranscript, ASixthExtraPartIsBadUsage) {
  const auto result = run({"inquiry", "--vendor", "1207", "--line", "FLT", "--part", "P", "--qty", "1", "--extra",
                           "A:1:1", "--extra", "A:2:1", "--extra", "A:3:1", "--extra", "A:4:1", "--extra", "A:5:1",
                           "--extra", "A:6:1"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("at most five --extra parts"), std::string::npos) << result.err;
}

TEST_F(InquiryTranscript, AnExtraPartWithoutTwoColonsIsBadUsage) {
  const auto result = run({"inquiry", "--vendor", "1207", "--line", "FLT", "--part", "P", "--qty", "1", "--extra",
                           "A:1"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
}

TEST_F(InquiryTranscript, AVendorNotFoundEndsTheControl) {
  const auto result = run({"inquiry", "--vendor", "4321", "--line", "FLT", "--part", "PH3600", "--qty", "2", "--search"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "[messagebox] icon=critical buttons=ok modal=application title=Error\n"
            "  Can not find Vendor... aborting!\n"
            "[event] controlShutdown\n"
            "[property] text xPart=PH3600\n[property] number xDesc=0\n[property] text xQty=2\n"
            "[property] text xLine=FLT\n[property] number xVendor=4321\n");
}

TEST_F(InquiryTranscript, AStoredPortOfZeroIsReported) {
  const auto result = run({"inquiry", "--vendor", "3300", "--line", "FLT", "--part", "PH3600", "--qty", "2", "--search"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "[messagebox] icon=none buttons=ok modal=system title=veltaiq error\n"
            "   Error -23  Nothing was sent: no inquiry port is set for the distributor of vendor 3300 at "
            "10.20.30.40. Check the vendor's distributor address.\n"
            "   in locatePart routine\n"
                "[property] text xPart=PH3600\n[property] number xDesc=0\n[property] text xQty=2\n"
                "[property] text xLine=FLT\n[property] number xVendor=3300\n");
}

}  // namespace
}  // namespace velta

namespace velta {
namespace {

// The whole road on one machine: the inquiry control in velta-workstation
// asks the real velta-distributor, which answers from the sample's catalog.
class InquiryAgainstTheSimulator : public ::testing::Test {
 protected:
  // The simulator answers from the catalog of one sample; the vendor record of
  // a second, written after the simulator is listening, names its ports.
  void start(std::vector<std::string> faults = {}) {
    sample::SampleOptions options;
    options.parts = 200;
    const auto first = sample::writeSampleBusinessSystem(dir_.path() / "catalog", options);
    std::vector<std::string> args{"--catalog", sample::writeDistributorCatalog(first).string(), "--clock",
                                  "2026-12-08T21:05:07"};
    args.insert(args.end(), faults.begin(), faults.end());
    sim_ = std::make_unique<test::DistributorProcess>(args);
    options.distributor.orderPort = sim_->port(distributor::Service::Order);
    options.distributor.statusPort = sim_->port(distributor::Service::Status);
    options.distributor.inquiryPort = sim_->port(distributor::Service::Inquiry);
    sample_ = sample::writeSampleBusinessSystem(dir_.path() / "biz", options);
  }

  test::CommandResult run(const std::vector<std::string>& arguments) {
    return runWorkstation(sample_, dir_.path() / "workstation.ini", arguments);
  }

  static std::string lastControlBlock(const std::string& transcript) {
    const std::size_t last = transcript.rfind("[control UserControl1]");
    return last == std::string::npos ? std::string() : transcript.substr(last);
  }

  // The result rows of the last [control UserControl1] block.
  static std::vector<std::string> resultRows(const std::string& transcript) {
    std::vector<std::string> rows;
    const std::size_t last = transcript.rfind("[control UserControl1]");
    std::size_t at = last == std::string::npos ? transcript.size() : last;
    for (std::size_t found; (found = transcript.find("\n  grdItem ", at)) != std::string::npos; at = found + 1) {
      const std::size_t colon = transcript.find(": ", found);
      const std::size_t end = transcript.find('\n', found + 1);
      rows.push_back(transcript.substr(colon + 2, end - colon - 2));
    }
    return rows;
  }

  test::TempDir dir_;
  std::unique_ptr<test::DistributorProcess> sim_;
  sample::SampleBusinessSystem sample_;
};

TEST_F(InquiryAgainstTheSimulator, APartInTwoWarehousesOneShortAndOneUnknown) {
  start();
  const auto result = run({"inquiry", "--vendor", "1207", "--line", "FLT", "--part", "1A0013", "--qty", "2", "--extra",
                           "FLT:1A0007:20", "--extra", "BLT:NOSUCH:1", "--search", "--show-loaded"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto rows = resultRows(result.out);
  ASSERT_EQ(rows.size(), 4u) << result.out;
  // Requested line, part and quantity; what the distributor has where; the dealer's
  // line codes went out as the distributor's (FLT as FIL, BLT as GTB).
  EXPECT_EQ(rows[0].substr(0, rows[0].find("\tOIL")), "FIL\t1A0013\t2\tFIL\t1A0013\t9");
  EXPECT_NE(rows[0].find("\t00\tAVAILABLE\t\tFORT WAYNE, IN\t"), std::string::npos) << rows[0];
  EXPECT_EQ(rows[1].substr(0, rows[1].find("\tOIL")), "FIL\t1A0013\t2\tFIL\t1A0013\t26");
  EXPECT_NE(rows[1].find("\tINDIANAPOLIS, IN\t"), std::string::npos) << rows[1];
  EXPECT_NE(rows[2].find("\t01\tPARTIAL QUANTITY\tS\tFORT WAYNE, IN\t"), std::string::npos) << rows[2];
  EXPECT_EQ(rows[3], "GTB\tNOSUCH\t1\tGTB\t\t0\t\t\t\t03\tPART NOT FOUND\tP\t\t\t");
  // A new search needs the control shown again.
  EXPECT_NE(lastControlBlock(result.out).find("\n  CmdSearch=disabled\n"), std::string::npos) << result.out;
  EXPECT_NE(sim_->nextLine().find("846"), std::string::npos);
}

TEST_F(InquiryAgainstTheSimulator, ADistributorThatNeverAnswersEndsTheInquiryAtTheDeadline) {
  start({"--fault", "silent@inquiry"});
  const auto result = run({"inquiry", "--vendor", "1207", "--line", "FLT", "--part", "1A0013", "--qty", "2",
                           "--answer-timeout", "0.5", "--search", "--show-loaded"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("[messagebox] icon=none buttons=ok modal=system title=veltaiq error\n"
                            "   Error -23  The request was sent to the distributor of vendor 1207 at 127.0.0.1:" +
                            std::to_string(sim_->port(distributor::Service::Inquiry)) +
                            ", but no complete answer came within 0.5 s: it may have reached the distributor. "
                            "Search again; an inquiry changes nothing at the distributor.\n"
                            "   in ws1_Dataarrival routine\n"),
            std::string::npos)
      << result.out;
  EXPECT_TRUE(resultRows(result.out).empty());
  EXPECT_NE(lastControlBlock(result.out).find("\n  CmdSearch=enabled\n"), std::string::npos) << result.out;
}

TEST_F(InquiryAgainstTheSimulator, AnExceptionAnswerShowsTheInquiryExceptionForm) {
  start({"--fault", "exception@inquiry"});
  const auto result = run({"inquiry", "--vendor", "1207", "--line", "FLT", "--part", "1A0013", "--qty", "2", "--search"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("[form frmException] caption=Velta Exception\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("  Label2(1)=Inquiry Number\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("  lblER(0)=104233\n"), std::string::npos) << result.out;
}

TEST_F(InquiryAgainstTheSimulator, TheJournalFolderOfTheSettingsKeepsTheInquiry) {
  start();
  const auto folder = dir_.path() / "journal";
  {
    std::ofstream settings(dir_.path() / "workstation.ini");
    settings << "[workstation]\njournal=" << folder.string() << "\n";
  }
  const auto result = run({"inquiry", "--vendor", "1207", "--line", "FLT", "--part", "1A0013", "--qty", "2", "--search"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto entries = ExchangeJournal::openExisting(folder).list();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].setNumber, "846");
  EXPECT_EQ(entries[0].reference, "FLT 1A0013");
  EXPECT_EQ(entries[0].outcome, "answered");
  EXPECT_EQ(entries[0].port, sim_->port(distributor::Service::Inquiry));
  // Exactly what went out: the length line, then the header of the inquiry.
  EXPECT_EQ(entries[0].request.find("\n00|//VELTA//846|"), entries[0].request.find('\n'));
}

}  // namespace
}  // namespace velta
