// velta-workstation order --headless on the sample business system: the whole
// transcript of each run compared line for line, the settings file it keeps,
// and its exit statuses.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "base/RuntimeFormat.h"
#include "support/DelayRelay.h"
#include "support/RunCommand.h"
#include "support/SambaServer.h"
#include "support/TempDir.h"
#include "tools/sample/LinksFile.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace velta {
namespace {

namespace fs = std::filesystem;
using sample::PoLineKind;
using sample::SampleBusinessSystem;
using sample::SamplePurchaseOrder;

const std::string kWorkstation = std::string(VELTA_BIN_DIR) + "/velta-workstation";
const std::string kNow = "2026-12-08T21:05:07";

std::string padded(std::string text, std::size_t width) {
  text.resize(std::max(text.size(), width), ' ');
  return text;
}

// The transcript's escaping of one value (the record texts here are printable
// ASCII, so backslashes are all there is to escape).
std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out;
}

std::string fileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// What the order control shows after a load, entry by entry.
struct Shown {
  std::string number;
  std::string vendor, date = "12/8/2026 9:05:07 PM", account;
  std::array<std::string, 4> comments;
  std::string total, host, ports;
  bool dropShip = false, submit = false, status = false;
  std::vector<std::string> rows;  // tab-separated cells
  std::string errText;
};

std::string versionText() {
  return velta::versionText(VELTA_VERSION_MAJOR, VELTA_VERSION_MINOR, VELTA_VERSION_PATCH);
}

// The [control UserControl1] block: labels of arrays, single labels, the other
// controls in ASCII order of their names, then the grid.
std::string controlBlock(const Shown& s) {
  std::string b = "[control UserControl1]\n";
  auto line = [&](const std::string& entry) { b += "  " + entry + "\n"; };
  line("Label1(1)=  Velta Parts Order");
  const char* captions[] = {"Vendor",     "Date",          "Comments",    "Account",        "Total",
                            "IP Address", "Req Ship Date", "Ship Method", "Backorder Code", "BO Ship method"};
  for (int i = 0; i < 10; ++i) line("Label2(" + std::to_string(i) + ")=" + captions[i]);
  line("lblPOHdr(0)=" + s.vendor);
  line("lblPOHdr(1)=" + s.date);
  line("lblPOHdr(2)=" + s.account);
  for (int k = 0; k < 4; ++k) line("lblPOHdr(" + std::to_string(3 + k) + ")=" + s.comments[static_cast<std::size_t>(k)]);
  line("lblPOHdr(7)=" + s.total);
  line("lblPOHdr(8)=" + s.host);
  line("Label3=" + versionText());
  line("Label4=" + s.ports);
  line("lblPO=" + escaped(s.number));
  line("lblXmit=Transmission in Process... Please Wait.");
  line("Check1=0");
  line("Timer1=stopped");
  line(std::string("chkDrop=") + (s.dropShip ? "1" : "0"));
  line("cmbBOC=   Default");
  line("cmbBoShip=   Default");
  line("cmbSM=   Default");
  line("cmdExit=enabled");
  line(std::string("cmdPOStat=") + (s.status ? "enabled" : "disabled"));
  line(std::string("cmdSubmit=") + (s.submit ? "enabled" : "disabled"));
  line("dtpSD=2026-12-08");
  line("errText=" + s.errText);
  line("lblXmit=hidden");
  line("pb1=hidden");
  line("pb1.value=0");
  line("VSFlexGrid1.cols=Item\tLine\tPart\tDescription\tOrdered\tCost\tExtended");
  for (std::size_t r = 0; r < s.rows.size(); ++r) line("VSFlexGrid1 " + std::to_string(r + 1) + ": " + s.rows[r]);
  return b;
}

std::string properties(const std::string& number, int success = 0) {
  return "[property] text xPONum=" + escaped(number) + "\n[property] number xPOSuccess=" + std::to_string(success) +
         "\n";
}

class OrderTranscript : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new test::TempDir();
    sample_ = new SampleBusinessSystem(sample::writeSampleBusinessSystem(dir_->path() / "biz", {}));
    // The per-user settings of the link without the sample's share map, so
    // that --root is what serves the shares unless a test says otherwise.
    fs::create_directories(config() / "r-kt");
    fs::copy_file(sample_->configHome() / "r-kt" / "settings.ini", config() / "r-kt" / "settings.ini");
  }
  static fs::path config() { return dir_->path() / "config"; }
  static void TearDownTestSuite() {
    delete sample_;
    delete dir_;
  }

  static const SampleBusinessSystem& s() { return *sample_; }

  // Runs velta-workstation with the sample's environment and the settings file of this test.
  test::CommandResult run(std::vector<std::string> arguments, std::vector<test::EnvironmentChange> more = {}) {
    std::vector<std::string> argv{kWorkstation};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<test::EnvironmentChange> environment{{"TMPDIR", s().tmpDir().string()},
                                                     {"XDG_CONFIG_HOME", config().string()},
                                                     {"XDG_STATE_HOME", (dir_->path() / "state").string()},
                                                     {"VELTA_NOW", kNow},
                                                     {"VELTA_UNC_ROOT", std::nullopt},
                                                     {"VELTA_SHARES", std::nullopt}};
    environment.insert(environment.end(), more.begin(), more.end());
    return test::runCommand(argv, environment);
  }
  test::CommandResult order(const std::string& po, std::vector<std::string> extra = {}) {
    std::vector<std::string> arguments{"order", "--po", po, "--headless", "--show-loaded", "--root",
                                       s().root.string(), "--settings", settings_.string()};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return run(arguments);
  }

  // The transcript with the time of loading put back to VELTA_NOW when the run
  // took a few seconds of real time since the clock started there.
  static std::string steadied(std::string out) {
    static const std::regex loaded(R"(lblPOHdr\(1\)=12/8/2026 9:05:(0[7-9]|1[0-2]) PM)");
    return std::regex_replace(out, loaded, "lblPOHdr(1)=12/8/2026 9:05:07 PM");
  }

  // What the control shows of a sample order, from the sample's own facts.
  static Shown shownOf(const SamplePurchaseOrder& po) {
    Shown shown;
    shown.number = po.name;
    const auto* vendor = s().catalog.vendor(po.vendor);
    if (vendor) {
      shown.vendor = padded(vendor->VENDOR_NAME, 30);
      shown.account = vendor->DEALER_ACCOUNT + (vendor->subAccount.empty() ? "" : "/" + vendor->subAccount);
      shown.host = padded(vendor->POWER_EDI_ID_NUMBER, 15);
      shown.ports = "Using ports... " + std::to_string(vendor->orderPort ? vendor->orderPort : 12000) + " - " +
                    std::to_string(vendor->statusPort ? vendor->statusPort : 12003);
      shown.submit = !po.transmitted();
      shown.status = po.transmitted();
    } else {
      shown.vendor = "Vendor not found";
    }
    for (std::size_t k = 0; k < 4; ++k) shown.comments[k] = padded(po.comments[k], 54);
    shown.total = Format(Fixed::cents(po.totalCents()), "#######0.00");
    shown.dropShip = po.dropShip != 0;
    int item = 0;
    for (const auto& line : po.lines) {
      if (line.kind != PoLineKind::Part) continue;
      std::string part = padded(line.partNumber, 18), description = "Part Not Found";
      int64_t cost = line.costCents;
      if (line.inPartFile) {
        for (int64_t i = 0; i < s().catalog.parts.count(); ++i) {
          const auto p = s().catalog.parts.part(i);
          if (p.line != line.line || p.number != line.partNumber) continue;
          part = p.dashed();
          description = padded(p.description, 21);
          std::replace(description.begin(), description.end(), ',', ' ');
          if (cost == 0) cost = p.costCents;
        }
      }
      shown.rows.push_back(std::to_string(++item) + "\t" + padded(s().catalog.line(line.line)->Alpha_Line, 3) + "\t" +
                           part + "\t" + description + "\t" + std::to_string(line.quantity) + "\t" +
                           Format(Fixed::cents(cost), "#####.00") + "\t" +
                           Format(Fixed::cents(cost * line.quantity), "#####.00"));
    }
    return shown;
  }

  test::TempDir home_;
  fs::path settings_ = home_.path() / "workstation.ini";

 private:
  static test::TempDir* dir_;
  static SampleBusinessSystem* sample_;
};

test::TempDir* OrderTranscript::dir_ = nullptr;
SampleBusinessSystem* OrderTranscript::sample_ = nullptr;

class SampleOrderTranscript : public OrderTranscript, public ::testing::WithParamInterface<const char*> {};

TEST_P(SampleOrderTranscript, IsTheLoadedOrderTwiceAndItsProperties) {
  const SamplePurchaseOrder& po = *s().catalog.purchaseOrder(GetParam());
  const auto result = order(po.name);
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string block = controlBlock(shownOf(po));
  EXPECT_EQ(steadied(result.out), block + block + properties(po.name));
}

INSTANTIATE_TEST_SUITE_P(Sample, SampleOrderTranscript,
                         ::testing::Values("100231", "100232", "100233", "100234", "100235", "100236", "100237",
                                           "100238"));

// The orders the checks name, written out in full.
TEST_F(OrderTranscript, MaskFortySevenAndATotalOf1234567Cents) {
  const auto result = order("100236");
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string out = steadied(result.out);
  const std::string expected =
      "  lblPOHdr(0)=SUMMIT CHEMICAL, INC.         \n"
      "  lblPOHdr(1)=12/8/2026 9:05:07 PM\n"
      "  lblPOHdr(2)=SC 1180\n"
      "  lblPOHdr(3)=SEASON STOCK, BRAKE FLUID                             \n"
      "  lblPOHdr(4)=                                                      \n"
      "  lblPOHdr(5)=                                                      \n"
      "  lblPOHdr(6)=                                                      \n"
      "  lblPOHdr(7)=12345.67\n"
      "  lblPOHdr(8)=               \n"
      "  Label3=" + versionText() + "\n"
      "  Label4=Using ports... 12000 - 12003\n"
      "  lblPO=100236\n";
  EXPECT_NE(out.find(expected), std::string::npos) << out;
  EXPECT_NE(out.find("  VSFlexGrid1 1: 1\tCHM\t123-45-678          \tBRAKE FLUID  DOT 3   \t127\t97.21\t12345.67\n"),
            std::string::npos)
      << out;
}

TEST_F(OrderTranscript, AMissingFileIsABoxAndTheControlsEnd) {
  const auto result = order("999999");
  EXPECT_EQ(result.status, 0) << result.err;
  Shown shown;
  shown.number = "999999";
  shown.date = "12/8/2026 9:05:07 PM";
  const std::string block = controlBlock(shown);
  EXPECT_EQ(steadied(result.out),
            "[messagebox] icon=critical buttons=ok modal=application title=Attention\n"
            "  Can not open PO file \\\\\\\\SRV\\\\HBTSLNK\\\\D1\\\\999999\n"
            "[event] controlShutdown\n" +
                block + block + properties("999999"));
}

TEST_F(OrderTranscript, AnOrderNumberThatIsAPathOpensNothing) {
  const auto result = order("..\\D2\\100231");
  EXPECT_EQ(result.status, 0) << result.err;
  Shown shown;
  shown.number = "..\\D2\\100231";
  const std::string block = controlBlock(shown);
  EXPECT_EQ(steadied(result.out),
            "[messagebox] icon=critical buttons=ok modal=application title=Attention\n"
            "  Can not open PO file ..\\\\D2\\\\100231\n"
            "[event] controlShutdown\n" +
                block + block + properties("..\\D2\\100231"));
}

TEST_F(OrderTranscript, AMissingPartFileIsTheLoadsErrorBoxWithTheRowsBefore) {
  // A copy of the sample whose links file has no "PARTL".
  test::TempDir copy;
  fs::copy(s().root, copy.path(), fs::copy_options::recursive);
  std::vector<sample::SampleLink> links;
  for (const auto& link : s().links) {
    if (link.link != ":D1:PARTL") links.push_back(link);
  }
  std::ofstream(copy.path() / "SRV" / "HBTSLNK" / "LINKSFILE", std::ios::binary | std::ios::trunc)
      << sample::linksFileBytes(links);
  const auto result = run({"order", "--po", "100233", "--headless", "--show-loaded", "--root", copy.str(),
                           "--settings", settings_.string()},
                          {{"TMPDIR", (copy.path() / "workstation" / "tmp").string()}});
  EXPECT_EQ(result.status, 0) << result.err;

  Shown shown = shownOf(*s().catalog.purchaseOrder("100233"));
  shown.rows.resize(2);  // the two parts not on file come before the first part found
  shown.vendor.clear();  // shown only at the end of a load
  shown.account.clear();
  shown.host.clear();
  shown.ports.clear();
  shown.submit = shown.status = false;
  const std::string error = "Error in frmPO GetPO routine error # :  -10  File not Found: \"PARTL\"";
  shown.errText = error;
  const std::string block = controlBlock(shown);
  EXPECT_EQ(steadied(result.out), "[messagebox] icon=none buttons=ok modal=system title=veltaorder Error\n  " + error +
                                      "\n" + block + block + properties("100233"));
}

TEST_F(OrderTranscript, WithoutShowLoadedOnlyBoxesEventsAndProperties) {
  auto result = run({"order", "--po", "100231", "--headless", "--root", s().root.string(), "--settings",
                     settings_.string()});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, properties("100231"));
  result = run({"order", "--po", "999999", "--headless", "--root", s().root.string(), "--settings",
                settings_.string()});
  EXPECT_EQ(result.out,
            "[messagebox] icon=critical buttons=ok modal=application title=Attention\n"
            "  Can not open PO file \\\\\\\\SRV\\\\HBTSLNK\\\\D1\\\\999999\n"
            "[event] controlShutdown\n" +
                properties("999999"));
}

TEST_F(OrderTranscript, TheShareMapServesAsWellAsTheRoot) {
  const auto viaRoot = order("100232");
  const auto viaMap = run({"order", "--po", "100232", "--headless", "--show-loaded", "--shares",
                           (s().configHome() / "velta" / "shares.conf").string(), "--settings", settings_.string()});
  EXPECT_EQ(viaMap.status, 0) << viaMap.err;
  EXPECT_EQ(steadied(viaMap.out), steadied(viaRoot.out));
}

// The reads of a load go out together over SMB; what is shown is what a local folder shows.
TEST_F(OrderTranscript, EverySampleOrderReadsTheSameOverSmbAndThroughASlowLink) {
  if (auto why = test::SambaServer::unavailable()) GTEST_SKIP() << *why;
  test::SambaServer samba({{"HBTSLNK", s().linkShare()}, {"CATCON", s().catalogShare()}});
  test::DelayRelay relay(samba.port(), std::chrono::microseconds(1000));
  const auto map = [&](const std::string& name, int port) {
    const fs::path path = home_.path() / (name + ".conf");
    const std::string url = "smb://127.0.0.1:" + std::to_string(port);
    std::ofstream(path) << "\\\\SRV\\HBTSLNK = " << url << "/HBTSLNK\n\\\\SRV\\CatCon = " << url << "/CATCON\n";
    return path.string();
  };
  const std::string smb = map("smb", samba.port()), slow = map("slow", relay.port());
  for (const auto& po : s().catalog.purchaseOrders) {
    SCOPED_TRACE(po.name);
    const std::string local = steadied(order(po.name).out);
    for (const std::string& shares : {smb, slow}) {
      const auto result = run({"order", "--po", po.name, "--headless", "--show-loaded", "--shares", shares,
                               "--settings", settings_.string()});
      EXPECT_EQ(result.status, 0) << result.err;
      EXPECT_EQ(steadied(result.out), local) << shares;
    }
  }
}

TEST_F(OrderTranscript, PropertiesAreKeptWithTypeTagsInTheControlsSection) {
  {
    std::ofstream(settings_) << "[veltaorder]\nxPONum=t:00123\nxPOSuccess=n:1\n";
  }
  const auto result = run({"order", "--po", "100231", "--headless", "--root", s().root.string(), "--settings",
                           settings_.string()});
  EXPECT_EQ(result.status, 0) << result.err;
  // Read back, then showing the control set xPOSuccess to 0 again.
  EXPECT_EQ(result.out, properties("100231"));
  const std::string saved = fileText(settings_);
  EXPECT_NE(saved.find("[veltaorder]"), std::string::npos) << saved;
  EXPECT_NE(saved.find("xPONum=t:100231"), std::string::npos) << saved;
  EXPECT_EQ(saved.find("xPOSuccess"), std::string::npos) << saved;  // 0 is the default: not kept
}

TEST_F(OrderTranscript, TheDefaultSettingsFileLiesUnderXdgConfigHome) {
  test::TempDir config;
  const auto result = run({"order", "--po", "00123", "--headless", "--root", s().root.string()},
                          {{"XDG_CONFIG_HOME", config.str()}});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "[messagebox] icon=critical buttons=ok modal=application title=Attention\n"
                        "  Can not open PO file \\\\\\\\SRV\\\\HBTSLNK\\\\D1\\\\00123\n"
                        "[event] controlShutdown\n" +
                            properties("00123"));
  const std::string saved = fileText(config.path() / "velta" / "workstation.ini");
  EXPECT_NE(saved.find("xPONum=t:00123"), std::string::npos) << saved;
}

struct StatusCase {
  const char* name;
  std::vector<std::string> arguments;
  std::vector<test::EnvironmentChange> environment;
  int status;
  const char* inError;  // a piece of standard error, or ""
  bool ran = false;     // the control ran, and its properties were printed
};

class ExitStatus : public OrderTranscript, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(ExitStatus, SaysWhatWentWrong) {
  const StatusCase& c = GetParam();
  std::vector<std::string> arguments;
  for (const std::string& a : c.arguments) arguments.push_back(a == "ROOT" ? s().root.string() : a);
  const auto result = run(arguments, c.environment);
  EXPECT_EQ(result.status, c.status) << result.out << result.err;
  EXPECT_NE(result.err.find(c.inError), std::string::npos) << result.err;
  EXPECT_EQ(result.out.find("[property]") != std::string::npos, c.ran) << result.out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExitStatus,
    ::testing::Values(
        StatusCase{"NoCommandNoDisplay",
                   {"--root", "ROOT"},
                   {{"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}, {"QT_QPA_PLATFORM", std::nullopt}},
                   1, "no display to show the main window on"},
        StatusCase{"WindowOptionBeforeACommand", {"--journal", "/tmp/j", "order", "--po", "1", "--headless"}, {}, 2,
                   "--journal: is an option of the main window"},
        StatusCase{"NoNumber", {"order", "--headless"}, {}, 2, "--po is required"},
        StatusCase{"UnknownOption", {"order", "--po", "1", "--nonsense"}, {}, 2, "nonsense"},
        StatusCase{"BadClock", {"order", "--po", "100231", "--headless", "--root", "ROOT"},
                   {{"VELTA_NOW", "2026-12-08 21:05:07"}}, 2, "VELTA_NOW=2026-12-08 21:05:07 is not"},
        StatusCase{"NoDisplay",
                   {"order", "--po", "100231", "--root", "ROOT"},
                   {{"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}, {"QT_QPA_PLATFORM", std::nullopt}},
                   1, "no display"},
        StatusCase{"UnwritableSettings",
                   {"order", "--po", "100231", "--headless", "--root", "ROOT", "--settings", "/proc/velta/ws.ini"},
                   {}, 1, "cannot write the settings file /proc/velta/ws.ini", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OrderTranscript, EveryCommandHasHelp) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--help"}, std::vector<std::string>{"order", "--help"}}) {
    const auto result = run(arguments);
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("Usage"), std::string::npos) << result.out;
  }
  // Without a command the program is the main window, with its own options.
  const auto windowHelp = run({"--help"});
  for (const char* piece : {"Without a command it opens the main window", "--journal", "--no-journal", "--connect-timeout",
                            "--answer-timeout", "--settings", "--root", "--shares", "--server", "--directory",
                            "order", "inquiry"}) {
    EXPECT_NE(windowHelp.out.find(piece), std::string::npos) << piece << "\n" << windowHelp.out;
  }
  EXPECT_EQ(windowHelp.out.find("--headless"), std::string::npos) << windowHelp.out;
  const auto help = run({"order", "--help"});
  for (const char* option : {"--po", "--headless", "--show-loaded", "--settings", "--root", "--shares", "--server",
                             "--directory"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace velta
