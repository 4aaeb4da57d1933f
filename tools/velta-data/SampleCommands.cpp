// velta-data sample DIR: writes the sample business system into a local folder and
// prints, one a line, what to set to use it ("#" lines are comments).
#include <filesystem>
#include <iostream>
#include <memory>

#include "base/EngineError.h"
#include "tools/sample/DistributorCatalog.h"
#include "tools/sample/IndexBuilder.h"
#include "tools/sample/SampleBusinessSystem.h"
#include "tools/velta-data/Commands.h"

namespace velta::tools {
namespace {

namespace fs = std::filesystem;

constexpr int64_t kProgressFrom = 100000;  // parts; smaller samples are written in moments

struct SampleArguments {
  std::string dir;
  std::string server, directory;
  bool force = false;
  sample::SampleOptions options;
};

void refuseUnusableFolder(const SampleArguments& a) {
  if (a.dir.rfind("\\\\", 0) == 0 || a.dir.find("://") != std::string::npos) {
    throw UsageError("\"" + a.dir + "\" is not a local folder; the sample is written to local folders only");
  }
  std::error_code ec;
  const auto status = fs::status(a.dir, ec);
  if (!fs::exists(status)) return;
  if (!fs::is_directory(status)) throw UsageError("\"" + a.dir + "\" exists and is not a folder");
  if (!a.force && !fs::is_empty(a.dir, ec)) {
    throw UsageError("\"" + a.dir + "\" exists and is not empty (--force writes over it)");
  }
}

void printUse(const sample::SampleBusinessSystem& s) {
  std::cout << "# the sample business system: server " << s.server << ", directory " << s.directory << ", "
            << s.catalog.parts.count() << " parts" << (s.partRecordsWritten ? "" : " (index only)") << "\n"
            << "# share access, either the root folder:\n";
  const auto environment = s.environmentLines();
  std::cout << environment[0] << "\n"
            << "# or these share-map lines (also in " << (s.configHome() / "velta" / "shares.conf").string()
            << "):\n";
  for (const auto& line : s.shareMapLines()) std::cout << line << "\n";
  std::cout << "# the workstation's settings file and per-user settings:\n";
  for (std::size_t i = 1; i < environment.size(); ++i) std::cout << environment[i] << "\n";
}

void refuseUnusableHost(const SampleArguments& a) {
  if (auto problem = sample::distributorHostProblem(a.options.distributor.host)) throw UsageError(*problem);
}

// The catalog of the distributor simulator, and how to start it on the vendor record's ports.
void writeDistributorSide(const sample::SampleBusinessSystem& s) {
  const auto file = sample::writeDistributorCatalog(s);
  const auto& d = s.catalog.distributor();
  std::cout << "# the distributor simulator, on the ports of the distributor's vendor record:\n"
            << "velta-distributor --catalog " << file.string() << " --order-port " << d.orderPort
            << " --status-port " << d.statusPort << " --inquiry-port " << d.inquiryPort << "\n";
}

void runSample(const CommandContext& context, SampleArguments& a) {
  // The global --server and --directory serve too when given before the subcommand.
  if (a.server.empty()) a.server = context.global.server;
  if (a.directory.empty()) a.directory = context.global.directory;
  if (!a.server.empty()) a.options.server = a.server;
  if (!a.directory.empty()) a.options.directory = a.directory;
  if (a.options.parts >= kProgressFrom) {
    a.options.progress = [](std::string_view stage, int64_t done, int64_t total) {
      std::cerr << "velta-data: " << stage << " " << done << " of " << total << "\n";
    };
  }
  try {
    sample::checkSampleOptions(a.options);
    refuseUnusableFolder(a);
    refuseUnusableHost(a);
    const auto written = sample::writeSampleBusinessSystem(a.dir, a.options);
    printUse(written);
    writeDistributorSide(written);
  } catch (const std::invalid_argument& e) {
    throw UsageError(e.what());
  } catch (const sample::IndexBuildError& e) {
    throw UsageError(e.what());
  } catch (const fs::filesystem_error& e) {
    throw EngineError(err::PathFileAccessError, "sample",
                      std::string(e.what()) /* names the path and the system's reason */);
  }
}

}  // namespace

void addSampleCommands(CLI::App& app, CommandContext& context) {
  auto arguments = std::make_shared<SampleArguments>();
  auto* cmd = app.add_subcommand("sample", "Write a sample business system into a local folder DIR and print "
                                           "the settings that use it");
  cmd->add_option("DIR", arguments->dir, "Local folder to write into (made when missing)")->required();
  cmd->add_option("--parts", arguments->options.parts, "Number of parts in PARTI/PARTL")
      ->capture_default_str()
      ->check(CLI::Range(int64_t{sample::PartCatalog::kMinimumParts}, int64_t{100000000}));
  cmd->add_option("--server", arguments->server, "File server name of the sample (default SRV)")->type_name("NAME");
  cmd->add_option("--directory", arguments->directory, "Dealer directory of the sample (default D1)")
      ->type_name("NAME");
  cmd->add_flag("--index-only", [arguments](int64_t) { arguments->options.writePartRecords = false; },
                "Leave the part records unwritten (PARTI complete, PARTL records all NUL)");
  cmd->add_option("--distributor,--distributor-host", arguments->options.distributor.host,
                  "Host address stored in the distributor's vendor record")
      ->capture_default_str();
  cmd->add_option("--order-port", arguments->options.distributor.orderPort, "Distributor's order port")
      ->capture_default_str()
      ->check(CLI::Range(0, 65535));
  cmd->add_option("--status-port", arguments->options.distributor.statusPort, "Distributor's status port")
      ->capture_default_str()
      ->check(CLI::Range(0, 65535));
  cmd->add_option("--inquiry-port", arguments->options.distributor.inquiryPort, "Distributor's inquiry port")
      ->capture_default_str()
      ->check(CLI::Range(0, 65535));
  cmd->add_option("--workstation", arguments->options.workstationName,
                  "Computer name listed in the terminal map (default: this computer's name)")
      ->type_name("NAME");
  cmd->add_option("--terminal-id", arguments->options.terminalId, "Terminal id of that computer")
      ->capture_default_str();
  cmd->add_flag("--force", arguments->force, "Write into DIR even when it is not empty");
  cmd->callback([&context, arguments] { context.action = [&context, arguments] { runSample(context, *arguments); }; });
}

}  // namespace velta::tools
