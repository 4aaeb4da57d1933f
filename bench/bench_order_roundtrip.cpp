// What the order control adds to a round trip with the distributor: a stock
// order of 500 lines (sample order 100239) sent to velta-distributor on
// loopback and its acknowledgement read, through the control, against the
// same bytes sent and read over a plain blocking socket. Workloads:
//
//   roundtrip/control  submitOrder on the loaded order, until the control has
//                      parsed the acknowledgement and shown its form
//                      (a presenter that closes it at once); the form is
//                      made while the distributor works on the order
//   roundtrip/raw      connect, write the control's request, read the length
//                      line and the answer it announces, close
//   answer/show        the control's parseResponse on the acknowledgement of
//                      the first round trip, without any exchange: the part of
//                      a round trip through the control that a raw exchange
//                      does not do (500 grid rows filled and fitted, and the
//                      form made, which the round trip does while it waits)
//
// Each round trip sends a new PO number of the same length, so that the
// distributor accepts every one as a new order and both sides cost it the
// same. Real time: most of a round trip is waiting on the other process.
// Goal: the control at most 2 times the raw exchange, the showing of the
// acknowledgement (a form with a grid of 500 rows, filled and fitted) included.
// The last ratio printed holds the control against the raw exchange plus that
// showing: what the control's own exchange adds.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QTimer>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench/RatioReporter.h"
#include "link/AnswerFraming.h"
#include "link/ExchangeJournal.h"
#include "link/OrderAnswer.h"
#include "order/UserControl1.h"
#include "order/WorkstationSetup.h"
#include "qt/Presenter.h"
#include "support/DistributorProcess.h"
#include "support/TempDir.h"
#include "tools/sample/DistributorCatalog.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace {

constexpr int kRoundTrips = 60;
constexpr const char* kStockOrder = "100239";
constexpr int kStockOrderLines = 500;

// Answers every box and closes every form at once.
class ClosingPresenter : public velta::qt::Presenter {
 public:
  velta::qt::MessageAnswer showMessage(QWidget*, const velta::qt::MessageBox& box) override {
    std::cerr << "bench_order_roundtrip: the control said: " << box.text.toStdString() << "\n";
    return velta::qt::defaultAnswer(box);
  }
  void showForm(QWidget*, QDialog&) override {}
};

// A PO number of six characters, as long as the sample's: prefix and count.
std::string poNumber(char prefix, int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%c%05d", prefix, n % 100000);
  return text;
}

struct Setup {
  velta::test::TempDir dir;
  std::unique_ptr<velta::test::DistributorProcess> sim;
  velta::sample::SampleBusinessSystem sample;
  ClosingPresenter presenter;
  std::unique_ptr<veltaorder::UserControl1> control;
  std::string request;  // the control's request, its PO number at poAt
  std::size_t poAt = 0;
  velta::FramedAnswer acknowledgement{};  // of the first round trip

  Setup() {
    velta::sample::SampleOptions options;
    const auto first = velta::sample::writeSampleBusinessSystem(dir.path() / "catalog", options);
    sim = std::make_unique<velta::test::DistributorProcess>(
        std::vector<std::string>{"--catalog", velta::sample::writeDistributorCatalog(first).string()});
    options.distributor.orderPort = sim->port(velta::distributor::Service::Order);
    options.distributor.statusPort = sim->port(velta::distributor::Service::Status);
    options.distributor.inquiryPort = sim->port(velta::distributor::Service::Inquiry);
    sample = velta::sample::writeSampleBusinessSystem(dir.path() / "biz", options);
    setenv("XDG_CONFIG_HOME", sample.configHome().c_str(), 1);
    setenv("TMPDIR", sample.tmpDir().c_str(), 1);
    veltaorder::WorkstationSetup::setShares(QString::fromStdString(sample.root.string()), {});

    control = std::make_unique<veltaorder::UserControl1>();
    control->setPresenter(&presenter);
    control->initProperties();
    control->show();
    control->setXPONum(QString::fromLatin1(kStockOrder));
    control->setPO();
    // The first round trip, with the journal on, gives the exact request.
    const auto journal = dir.path() / "journal";
    control->setJournalFolder(QString::fromStdString(journal.string()));
    const std::string first_po = poNumber('W', 0);
    if (!submit(first_po)) throw std::runtime_error("the first order was not acknowledged");
    control->setJournalFolder({});
    const auto entries = velta::ExchangeJournal::openExisting(journal).list();
    if (entries.size() != 1) throw std::runtime_error("the journal does not hold the first order");
    request = entries[0].request;
    poAt = request.find("|" + first_po + "|");
    if (poAt == std::string::npos || request.find("|" + first_po + "|", poAt + 1) != std::string::npos) {
      throw std::runtime_error("the PO number is not once in the request");
    }
    ++poAt;
    velta::AnswerFraming framing;
    auto framed = framing.feed(entries[0].answer.value_or(""));
    if (!framed) throw std::runtime_error("the journal does not hold the whole acknowledgement");
    acknowledgement = *framed;
    // A record per line, and the header and order records around them.
    if (std::count(request.begin(), request.end(), '\n') < kStockOrderLines) {
      throw std::runtime_error("the request does not carry the 500 lines");
    }
  }

  // One round trip through the control; true when it was acknowledged.
  bool submit(const std::string& po) {
    control->setXPONum(QString::fromStdString(po));
    QEventLoop ended;
    QObject::connect(control.get(), &veltaorder::UserControl1::transmissionEnded, &ended, &QEventLoop::quit);
    control->submitOrder();
    if (control->isTransmitting()) ended.exec();
    sim->nextLine();  // its log line, so that its output pipe never fills
    return control->lastOutcome() == QStringLiteral("acknowledged");
  }

  // The same bytes over a plain socket; true when acknowledged.
  bool raw(const std::string& po) {
    std::string bytes = request;
    bytes.replace(poAt, po.size(), po);
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(sim->port(velta::distributor::Service::Order)));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool acknowledged = false;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0) {
      std::size_t sent = 0;
      while (sent < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + sent, bytes.size() - sent);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
      }
      velta::AnswerFraming framing;
      char buffer[65536];
      for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        if (auto answer = framing.feed(std::string_view(buffer, static_cast<std::size_t>(n)))) {
          acknowledged = !velta::parseOrderAnswer(answer->response).isException();
          break;
        }
      }
    }
    ::close(fd);
    sim->nextLine();
    return acknowledged;
  }
};

Setup* setup = nullptr;

void showing(benchmark::State& state) {
  for (auto _ : state) {
    std::string response = setup->acknowledgement.response;
    int32_t totByte = setup->acknowledgement.totByte;
    setup->control->parseResponse(response, totByte);
    if (setup->control->xPOSuccess().toInt() != 1) {
      state.SkipWithError("the acknowledgement was not shown");
      break;
    }
  }
}

void roundTrips(benchmark::State& state, char prefix, bool throughControl) {
  int n = 1;
  for (auto _ : state) {
    const std::string po = poNumber(prefix, n++);
    const bool acknowledged = throughControl ? setup->submit(po) : setup->raw(po);
    if (!acknowledged) {
      state.SkipWithError("the order was not acknowledged");
      break;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::unique_ptr<Setup> made;
  try {
    made = std::make_unique<Setup>();
  } catch (const std::exception& e) {
    std::cerr << "bench_order_roundtrip: " << e.what() << "\n";
    return 1;
  }
  setup = made.get();
  benchmark::RegisterBenchmark("roundtrip/control", [](benchmark::State& s) { roundTrips(s, 'C', true); })
      ->Iterations(kRoundTrips)
      ->UseRealTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("roundtrip/raw", [](benchmark::State& s) { roundTrips(s, 'R', false); })
      ->Iterations(kRoundTrips)
      ->UseRealTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("answer/show", showing)
      ->Iterations(kRoundTrips)
      ->UseRealTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  velta::bench::RatioReporter reporter(true);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("500-line order: control / raw socket", "roundtrip/control", "roundtrip/raw", 2.0);
  reporter.printRatio("showing its acknowledgement / raw socket", "answer/show", "roundtrip/raw");
  reporter.printRatioToSum("control / (raw socket + showing)", "roundtrip/control", {"roundtrip/raw", "answer/show"});
  made.reset();
  return 0;
}
