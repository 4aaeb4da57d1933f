#include "tools/velta-distributor/Options.h"

#include <arpa/inet.h>

#include <CLI/CLI.hpp>

#include <cmath>
#include <stdexcept>

#include "link/CheckToken.h"
#include "tools/common/VersionFlag.h"
#include "tools/velta-distributor/Server.h"
#include "tools/velta-distributor/WireText.h"

namespace velta::distributor {

namespace {

// The range of --idle-timeout and --request-timeout.
constexpr double kMinTimeoutSeconds = 0.05;
constexpr double kMaxTimeoutSeconds = 3600;

bool isTimeout(double seconds) {
  return std::isfinite(seconds) && seconds >= kMinTimeoutSeconds && seconds <= kMaxTimeoutSeconds;
}

const std::string kFooter = R"(Fault modes (--fault MODE[=VALUE][@order|@status|@inquiry], repeatable; without "@"
for every port, with it for that port instead):
  pieces=N      the answer in N pieces (2 to 1000), 25 ms apart, the length line split
  delay=S       wait S seconds (above 0, at most 3600) before answering
  silent        read the request and act on it (an order is accepted), never answer
  close-early   close the connection after half the answer
  exception     refuse every request that passes the checks (error 190)
  malformed     cut the first record the workstation reads by one field or more
  too-long      announce 16777217 bytes, one above the 16 MiB limit
  refuse        close each connection at once
"silent" and "refuse" go with no other mode on the same port.

At most )" + std::to_string(Server::kMaxConnections) +
                             R"( connections are open at once, over all three ports; while that many are,
no more are accepted: they wait in the system's listen queue until one ends.

On start one line "listening order=<port> status=<port> inquiry=<port>", then
one line per exchange. SIGINT or SIGTERM ends it (status 0). Status 1: it could
not listen or not run; 2: bad usage, a bad catalog, state file or token table.
)";

bool isAddress(const std::string& text) {
  unsigned char buffer[16];
  return inet_pton(AF_INET, text.c_str(), buffer) == 1 || inet_pton(AF_INET6, text.c_str(), buffer) == 1;
}

}  // namespace

std::optional<RequestMoment> parseClock(std::string_view text) {
  if (text.size() != 19 || text[10] != 'T') return std::nullopt;
  const auto date = parseIsoDate(text.substr(0, 10));
  const std::string time(text.substr(11));
  if (!date || tokenInputProblem("20000101", time)) return std::nullopt;
  return RequestMoment{compactDate(*date), time};
}

OptionsOutcome parseOptions(int argc, const char* const* argv) {
  Options options;
  std::string catalog, tokenTable, state, clock;
  std::vector<std::string> faults;

  CLI::App app{"velta-distributor: a distributor for the Velta link to talk to, on this computer. It answers\n"
               "850 orders, 869 order status requests and 846 availability inquiries from a catalog file,\n"
               "checks every request as the distributor does, and remembers the orders it accepted."};
  app.get_formatter()->column_width(30);
  app.footer(kFooter);
  tools::addVersionFlag(app, "velta-distributor");
  app.add_option("--catalog", catalog, "The catalog: JSON, as `velta-data sample` writes it (required)")
      ->required()
      ->type_name("FILE");
  app.add_option("--order-port", options.ports[0], "Port of the 850 order service; 0 picks a free one")
      ->capture_default_str()
      ->type_name("PORT")
      ->check(CLI::Range(0, 65535));
  app.add_option("--status-port", options.ports[1], "Port of the 869 order status service; 0 picks a free one")
      ->capture_default_str()
      ->type_name("PORT")
      ->check(CLI::Range(0, 65535));
  app.add_option("--inquiry-port", options.ports[2], "Port of the 846 inquiry service; 0 picks a free one")
      ->capture_default_str()
      ->type_name("PORT")
      ->check(CLI::Range(0, 65535));
  app.add_option("--listen", options.listen, "Address to listen on")->capture_default_str()->type_name("ADDRESS");
  app.add_option("--token-table", tokenTable,
                 "Token table file, as the workstation's; else VELTA_TOKEN_TABLE, then "
                 "$XDG_CONFIG_HOME/velta/token-table, else the built-in demonstration table")
      ->type_name("FILE");
  app.add_option("--state", state,
                 "JSON file that keeps the accepted orders across runs (read at start, rewritten after each order)")
      ->type_name("FILE");
  app.add_option("--fault", faults, "Misbehave on purpose, per run or per port (modes below)")
      ->type_name("MODE[=VALUE][@PORT]")
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  app.add_option("--idle-timeout", options.idleSeconds,
                 "Seconds a client may stay silent in the middle of a request; then a request whose length is "
                 "known is refused as short, any other connection is closed. A client that takes none of the "
                 "answer for so long is dropped")
      ->capture_default_str()
      ->type_name("SECONDS");
  app.add_option("--request-timeout", options.requestSeconds,
                 "Seconds a whole request may take from the connection's acceptance, however steadily it comes; "
                 "then it is ended as after --idle-timeout")
      ->capture_default_str()
      ->type_name("SECONDS");
  app.add_option("--clock", clock,
                 "A fixed date and time for every answer (YYYY-MM-DDThh:mm:ss), for repeatable runs; else the "
                 "local clock")
      ->type_name("DATETIME");

  OptionsOutcome outcome;
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    outcome.out = app.help();
    return outcome;
  } catch (const CLI::CallForVersion& e) {
    outcome.out = std::string(e.what()) + "\n";
    return outcome;
  } catch (const CLI::ParseError& e) {
    outcome.exitCode = 2;
    outcome.err = "velta-distributor: " + std::string(e.what()) + "\nRun with --help for more information.\n";
    return outcome;
  }
  const auto usage = [&](const std::string& what) {
    outcome.exitCode = 2;
    outcome.err = "velta-distributor: " + what + "\n";
    return outcome;
  };
  options.catalog = catalog;
  if (!tokenTable.empty()) options.tokenTable = tokenTable;
  if (!state.empty()) options.state = state;
  if (!isAddress(options.listen)) return usage("--listen: \"" + options.listen + "\" is not an IPv4 or IPv6 address");
  if (!isTimeout(options.idleSeconds)) return usage("--idle-timeout: give seconds from 0.05 to 3600");
  if (!isTimeout(options.requestSeconds)) return usage("--request-timeout: give seconds from 0.05 to 3600");
  if (!clock.empty()) {
    options.clock = parseClock(clock);
    if (!options.clock) return usage("--clock: \"" + clock + "\" is not a date and time YYYY-MM-DDThh:mm:ss");
  }
  const char* names[] = {"--order-port", "--status-port", "--inquiry-port"};
  for (std::size_t a = 0; a < 3; ++a) {
    for (std::size_t b = a + 1; b < 3; ++b) {
      if (options.ports[a] != 0 && options.ports[a] == options.ports[b]) {
        return usage(std::string(names[a]) + " and " + names[b] + " are both " + std::to_string(options.ports[a]) +
                     "; each service needs a port of its own");
      }
    }
  }
  try {
    options.faults = parseFaults(faults);
  } catch (const std::invalid_argument& e) {
    return usage(e.what());
  }
  outcome.options = std::move(options);
  return outcome;
}

}  // namespace velta::distributor
