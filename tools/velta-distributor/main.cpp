// velta-distributor: the distributor simulator. Options: velta-distributor --help.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "base/EngineError.h"
#include "link/TokenTable.h"
#include "tools/velta-distributor/CatalogFile.h"
#include "tools/velta-distributor/Distributor.h"
#include "tools/velta-distributor/OrderBook.h"
#include "tools/velta-distributor/Server.h"

namespace {

using namespace velta;
using namespace velta::distributor;

int stopPipe[2] = {-1, -1};

extern "C" void onStopSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const auto ignored = ::write(stopPipe[1], &byte, 1);
  errno = saved;
}

void installStopSignals() {
  if (::pipe2(stopPipe, O_NONBLOCK | O_CLOEXEC) != 0) {
    throw std::runtime_error(std::string("cannot make the signal pipe: ") + std::strerror(errno));
  }
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
  ::signal(SIGPIPE, SIG_IGN);
}

int fail(int status, const std::string& what) {
  std::cerr << "velta-distributor: " << what << std::endl;
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const OptionsOutcome parsed = parseOptions(argc, argv);
  if (!parsed.options) {
    std::cout << parsed.out << std::flush;
    std::cerr << parsed.err << std::flush;
    return parsed.exitCode;
  }
  const Options& options = *parsed.options;

  std::optional<TokenTable> table;
  std::optional<Catalog> catalog;
  std::optional<OrderBook> book;
  try {
    table = options.tokenTable ? TokenTable::fromFile(*options.tokenTable) : TokenTable::configured();
    catalog = readCatalogFile(options.catalog);
    book = options.state ? OrderBook(*options.state) : OrderBook();
  } catch (const EngineError& e) {
    return fail(2, e.description());
  } catch (const CatalogError& e) {
    return fail(2, e.what());
  } catch (const StateError& e) {
    return fail(2, e.what());
  }

  const std::optional<RequestMoment> fixed = options.clock;
  Distributor distributor(*catalog, *table, *book, [fixed] { return fixed ? *fixed : RequestMoment::now(); });
  Server server(options, distributor, [](const std::string& line) { std::cout << line << std::endl; });
  try {
    installStopSignals();
    server.listen();
    const auto ports = server.ports();
    std::cout << "listening order=" << ports[0] << " status=" << ports[1] << " inquiry=" << ports[2] << std::endl;
    server.run(stopPipe[0]);
  } catch (const std::runtime_error& e) {
    return fail(1, e.what());
  }
  return 0;
}
