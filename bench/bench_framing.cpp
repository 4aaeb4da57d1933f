// Framing cost against answer size: an answer 16 times longer, fed in pieces
// of the same size, should cost at most 20 times as much. Workloads:
//
//   framing/early/N  a length line, then an N-byte answer, in 512-byte pieces
//   framing/none/N   N bytes of records and no length line at all, in 512-byte
//                    pieces: every arrival looks for the length line again
//
// N is 64 KiB and 1 MiB. The ratios are printed at the end.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/RatioReporter.h"
#include "link/AnswerFraming.h"
#include "link/RequestHeader.h"

namespace {

constexpr std::size_t kPiece = 512;
constexpr std::size_t kShort = 64 * 1024;
constexpr std::size_t kLong = 16 * kShort;

// Records of an answer, LF-ended and "|"-separated, filled to `size` bytes.
std::string records(std::size_t size) {
  std::string text = "00|//VELTA//855|||DIST|20240315\n";
  for (int n = 0; text.size() < size; ++n) text += "02|LINE|" + std::to_string(n) + "|PART-12345|7|EA\n";
  text.resize(size - 1);
  text += '\n';
  return text;
}

void feedAll(benchmark::State& state, const std::string& wire, bool answered) {
  velta::AnswerFraming framing;
  for (auto _ : state) {
    framing.reset();
    bool reported = false;
    for (std::size_t at = 0; at < wire.size(); at += kPiece) {
      reported = framing.feed(std::string_view(wire).substr(at, kPiece)).has_value() || reported;
    }
    if (reported != answered) state.SkipWithError("the answer was framed wrongly");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * wire.size()));
}

std::string name(const char* kind, std::size_t size) { return std::string("framing/") + kind + "/" + std::to_string(size); }

}  // namespace

int main(int argc, char** argv) {
  for (std::size_t size : {kShort, kLong}) {
    const std::string message = records(size);
    const std::string early = velta::lengthLine(message) + message;
    benchmark::RegisterBenchmark(name("early", size).c_str(), [early](benchmark::State& s) { feedAll(s, early, true); })
        ->MinTime(0.2);
    benchmark::RegisterBenchmark(name("none", size).c_str(), [message](benchmark::State& s) {
      feedAll(s, message, false);
    })->MinTime(0.2);
  }
  benchmark::Initialize(&argc, argv);
  velta::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  reporter.printRatio("framing, early length line, 16x answer", name("early", kLong), name("early", kShort), 20);
  reporter.printRatio("framing, no length line, 16x answer", name("none", kLong), name("none", kShort), 20);
  return 0;
}
