// Loading a purchase order as the order control does, from start to the loaded
// grid (the business system opened, the line-code map read, the order loaded),
// on a sample business system of 20,000 parts, from where a dealer's files may
// lie: a local folder, a private Samba server on 127.0.0.1, and the same server
// behind a relay that holds every chunk for a set delay each way, as a branch
// office's link does (about 5 ms and 20 ms a round trip). Workloads, at each place:
//
//   <place>/startup                 the business system opened and the line-code map read
//   <place>/100231                  the 5-line order, start-up included
//   <place>/100239                  the 500-line stock order, start-up included
//   <place>/100231/one-at-a-time    the same, every read when the code reaches it (the
//   <place>/100239/one-at-a-time    loader's sequential path: the baseline of the same run)
//
// Each run opens the shares afresh, so that connections are made as at a
// workstation's start, and nothing is kept from the run before. Counters:
// "RTs" the time in round trips of the relay (measured with an echo through a
// relay of the same delay before the runs), "SMB requests" the messages the
// relay passed to the server. Samba needs root here; without it the program
// measures the local folder only and says so. The 500-line order one read at a
// time over the 20 ms link takes minutes, and is left out.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/RatioReporter.h"
#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"
#include "link/LineCodeMap.h"
#include "order/PurchaseOrderLoader.h"
#include "platform/ShareAccess.h"
#include "records/LoadSiteSettings.h"
#include "support/DelayRelay.h"
#include "support/SambaServer.h"
#include "support/TempDir.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace {

using Reads = velta::PurchaseOrderLoader::Reads;

constexpr int64_t kParts = 20000;

// Counts the rows; the loads of one workload must all show the same number.
struct CountingView : velta::PurchaseOrderView {
  int rows = 0;
  void clearRows() override { rows = 0; }
  void setRepaint(bool) override {}
  void setActions(bool, bool) override {}
  void showHeader(int, const std::string&) override {}
  void showPorts(const std::string&) override {}
  void showDropShip(bool) override {}
  void addRow(const std::string&) override { ++rows; }
};

struct Place {
  std::string name;
  std::string map;                   // the share map file
  velta::test::DelayRelay* relay = nullptr;
  double roundTrip = 0;              // seconds, through the relay
};

struct Setup {
  velta::test::TempDir dir;
  velta::sample::SampleBusinessSystem sample;
  std::unique_ptr<velta::test::SambaServer> samba;
  std::unique_ptr<velta::test::EchoServer> echo;
  std::map<int, std::unique_ptr<velta::test::DelayRelay>> relays;  // by one-way delay in microseconds
  std::vector<Place> places;
};

std::unique_ptr<Setup> instance;

std::string writeMap(const Setup& s, const std::string& name, const std::string& hbtslnk, const std::string& catcon) {
  const std::string path = (s.dir.path() / (name + ".conf")).string();
  std::ofstream(path) << "\\\\" << s.sample.server << "\\HBTSLNK = " << hbtslnk << "\n"
                      << "\\\\" << s.sample.server << "\\CatCon = " << catcon << "\n";
  return path;
}

Setup& setup() {
  if (instance) return *instance;
  auto s = std::make_unique<Setup>();
  velta::sample::SampleOptions options;
  options.parts = kParts;
  s->sample = velta::sample::writeSampleBusinessSystem(s->dir.path() / "biz", options);
  setenv("TMPDIR", s->sample.tmpDir().c_str(), 1);
  setenv("XDG_CONFIG_HOME", s->sample.configHome().c_str(), 1);
  s->places.push_back({"local", writeMap(*s, "local", s->sample.linkShare().string(), s->sample.catalogShare().string())});
  if (!velta::test::SambaServer::unavailable()) {
    s->samba = std::make_unique<velta::test::SambaServer>(std::vector<velta::test::SambaServer::Share>{
        {"HBTSLNK", s->sample.linkShare()}, {"CATCON", s->sample.catalogShare()}});
    s->places.push_back({"smb", writeMap(*s, "smb", s->samba->url("HBTSLNK"), s->samba->url("CATCON"))});
    s->echo = std::make_unique<velta::test::EchoServer>();
    for (const auto& [label, oneWay] : {std::pair{"relay-5ms", 2500}, {"relay-20ms", 10000}}) {
      auto relay = std::make_unique<velta::test::DelayRelay>(s->samba->port(), std::chrono::microseconds(oneWay));
      velta::test::DelayRelay echoRelay(s->echo->port(), std::chrono::microseconds(oneWay));
      const std::string url = "smb://127.0.0.1:" + std::to_string(relay->port());
      Place place{label, writeMap(*s, label, url + "/HBTSLNK", url + "/CATCON"), relay.get(),
                  echoRelay.measureRoundTrip(20)};
      std::fprintf(stderr, "bench_order_load: %s: a round trip takes %.2f ms\n", label, place.roundTrip * 1000);
      s->places.push_back(place);
      s->relays[oneWay] = std::move(relay);
    }
  }
  instance = std::move(s);
  return *instance;
}

// One start of the business system, and the order loaded when one is named.
int runOnce(const Place& place, const std::string& order, Reads reads) {
  velta::shareAccess().configure({place.map, std::string()});
  velta::LoadSiteSettings();
  if (!velta::engineState().engine) throw std::runtime_error("the business system does not open at " + place.name);
  const auto lineCodes = velta::LineCodeMap::forOrderControl();
  benchmark::DoNotOptimize(lineCodes);
  if (order.empty()) return 0;
  CountingView view;
  velta::DistributorConnection connection;
  velta::PurchaseOrderLoader loader(velta::engineState().engine, view, connection, reads);
  if (!loader.load(order).opened) throw std::runtime_error("order " + order + " does not open");
  return view.rows;
}

void load(benchmark::State& state, std::size_t placeIndex, const std::string& order, Reads reads) {
  Setup& s = setup();
  if (placeIndex >= s.places.size()) {
    state.SkipWithError("no private Samba server (needs root)");
    for (auto _ : state) {
    }
    return;
  }
  const Place& place = s.places[placeIndex];
  if (place.relay) place.relay->resetCounts();
  int rows = -1;
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const int shown = runOnce(place, order, reads);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (rows >= 0 && shown != rows) state.SkipWithError("the loads showed different rows");
    rows = shown;
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["rows"] = rows;
  if (place.relay) {
    state.counters["SMB requests"] = static_cast<double>(place.relay->smbRequests()) / n;
    state.counters["RTs"] = seconds / n / place.roundTrip;
  }
  velta::engineState().engine.reset();
  velta::shareAccess().configure({std::string(), std::string()});
}

std::string nameOf(const std::string& place, const std::string& order, Reads reads) {
  std::string name = place + "/" + (order.empty() ? "startup" : order);
  if (reads == Reads::OneAfterAnother) name += "/one-at-a-time";
  return name;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> places = {"local", "smb", "relay-5ms", "relay-20ms"};
  struct Workload {
    std::string order;
    Reads reads;
  };
  const std::vector<Workload> workloads = {{"", Reads::Together},
                                           {"100231", Reads::Together},
                                           {"100231", Reads::OneAfterAnother},
                                           {"100239", Reads::Together},
                                           {"100239", Reads::OneAfterAnother}};
  for (std::size_t p = 0; p < places.size(); ++p) {
    for (const Workload& w : workloads) {
      if (places[p] == "relay-20ms" && w.order == "100239" && w.reads == Reads::OneAfterAnother) continue;
      auto* b = benchmark::RegisterBenchmark(nameOf(places[p], w.order, w.reads).c_str(),
                                             [p, w](benchmark::State& state) { load(state, p, w.order, w.reads); });
      b->UseRealTime()->Unit(benchmark::kMillisecond);
      // Minutes for one run at 5 ms: once is enough to see it.
      if (p >= 2) b->Iterations(w.reads == Reads::OneAfterAnother && w.order == "100239" ? 1 : 3);
    }
  }
  if (velta::test::SambaServer::unavailable()) {
    std::printf("bench_order_load: %s: the local folder only\n", velta::test::SambaServer::unavailable()->c_str());
  }
  benchmark::Initialize(&argc, argv);
  velta::bench::RatioReporter reporter(true);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  for (const std::string& place : places) {
    for (const char* order : {"100231", "100239"}) {
      const bool nearby = place == "local" || place == "smb";
      const std::string together = nameOf(place, order, Reads::Together);
      const std::string alone = nameOf(place, order, Reads::OneAfterAnother);
      const std::string label = place + " " + order + ": together / one at a time";
      if (nearby) {
        reporter.printRatio(label, together, alone, 1.05);  // nothing gets slower
      } else {
        reporter.printRatio(label, together, alone);
      }
    }
  }
  reporter.printSeconds("relay-5ms 100239, start to grid", "relay-5ms/100239", 2.0);
  reporter.printSeconds("relay-20ms 100239, start to grid", "relay-20ms/100239", 6.0);
  instance.reset();
  return 0;
}
