// What a large acknowledgement costs in memory while its form is shown: an
// answer of almost 16 MiB (the framing's limit), some 200,000 line records of
// the simulator's shape, handed to the order control's parseResponse as the
// exchange hands it over; the form is shown offscreen and painted, and the
// process's resident memory taken while it stands. Workload:
//
//   answer/memory  one showing of the answer (and of it only: the time is that
//                  of parsing, filling, fitting and painting once)
//
// Printed as ratios to the answer's size: the resident memory while the form
// is shown, and the peak while the answer was parsed and shown, each above
// what the process held before the answer existed; the answer's own text
// (which its caller holds) is counted. Goal for the first: at most 4.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "bench/RatioReporter.h"
#include "link/AnswerFraming.h"
#include "order/UserControl1.h"
#include "qt/Presenter.h"

namespace {

constexpr std::size_t kAnswerBytes = velta::AnswerFraming::kLimit - 64;

// Resident bytes now, from /proc/self/statm (pages).
std::size_t residentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t size = 0, resident = 0;
  statm >> size >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// The highest resident size since the last resetPeak(), from /proc/self/status.
std::size_t peakBytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
  }
  return 0;
}

// Linux: writing 5 to clear_refs starts the peak again from now.
bool resetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

// An acknowledgement of the simulator's shape: header, order record, then line
// records with parts, descriptions and quantities that vary as an order's do.
std::string acknowledgement(std::size_t size) {
  std::string text =
      "00|//VELTA//855|||VELTA-DIST|0001|21:05:09|20261208||BMS|||||||1A2B3C\n"
      "01|104233|100231|2|D-77001|20261208|0|Order accepted\n";
  const char* const descriptions[] = {"OIL FILTER, SPIN ON", "BRAKE FLUID  DOT 3", "AIR FILTER", "WIPER BLADE 18IN",
                                      "SPARK PLUG COPPER", "FUEL PUMP ASSY", "SERPENTINE BELT"};
  const char* const lines[] = {"FLT", "BRK", "ACD", "CHM", "WIX"};
  std::string record;
  for (int n = 0;; ++n) {
    const std::string part = std::to_string(100000 + (n * 7919) % 900000) + "-" + std::to_string(n % 97);
    const std::string line = lines[n % 5];
    const int ordered = 1 + n % 24;
    const int shipped = n % 5 == 0 ? 0 : ordered;
    record = "05|" + line + "|" + part + "|" + std::to_string(ordered) + "|" + std::to_string(shipped) + "|" +
             std::to_string(ordered - shipped) + "|" + line + "|" + part + "|" + std::to_string(n % 9000) + ".17|" +
             descriptions[n % 7] + "|" + (shipped ? "" : "BO") + "|" + (shipped ? "" : "B") + "|2026121" +
             std::to_string(n % 10) + "|WH" + std::to_string(1 + n % 4) + "\n";
    if (text.size() + record.size() > size) break;
    text += record;
  }
  return text;
}

// Shows the form (offscreen, painted) and takes the resident memory then.
class MeasuringPresenter : public velta::qt::Presenter {
 public:
  velta::qt::MessageAnswer showMessage(QWidget*, const velta::qt::MessageBox& box) override {
    std::cerr << "bench_answer_memory: the control said: " << box.text.toStdString() << "\n";
    return velta::qt::defaultAnswer(box.buttons);
  }
  void showForm(QWidget*, QDialog& form) override {
    form.show();
    QApplication::processEvents();
    form.repaint();
    shown = residentBytes();
    form.hide();
  }
  std::size_t shown = 0;
};

struct Figures {
  std::size_t answer = 0, before = 0, shown = 0, peak = 0;
};
Figures figures;

void memory(benchmark::State& state) {
  MeasuringPresenter presenter;
  veltaorder::UserControl1 control;
  control.setPresenter(&presenter);
  control.initProperties();
  for (auto _ : state) {
    figures.before = residentBytes();
    if (!resetPeak()) {
      state.SkipWithError("the peak resident size cannot be reset here");
      break;
    }
    std::string response = acknowledgement(kAnswerBytes);
    auto totByte = static_cast<int32_t>(response.size());
    control.parseResponse(response, totByte);
    figures.answer = response.size();
    figures.shown = presenter.shown;
    figures.peak = peakBytes();
    if (control.xPOSuccess().toInt() != 1 || presenter.shown == 0) state.SkipWithError("the acknowledgement was not shown");
  }
  state.counters["answer_MiB"] = static_cast<double>(figures.answer) / (1 << 20);
}

double ratio(std::size_t measured, std::size_t before, std::size_t answer) {
  return answer == 0 ? 0 : (static_cast<double>(measured) - static_cast<double>(before)) / static_cast<double>(answer);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::RegisterBenchmark("answer/memory", memory)->Iterations(1)->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  velta::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printValue("resident while shown / answer size", ratio(figures.shown, figures.before, figures.answer), 4.0);
  reporter.printValue("peak while parsed and shown / answer size", ratio(figures.peak, figures.before, figures.answer));
  return 0;
}
