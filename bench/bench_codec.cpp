// Field decoding per call against bare reads of the same bytes.
//
//   read/3 bytes         baseline: read 3 bytes big-endian, signed, at a moving position
//   unpack/K, unpack/B   Unpack "K" (3 bytes, signed) and "B" (1 byte) at the same positions
//   read words/N         baseline: read the N bytes of a compressed text as 2-byte words
//   ucm/N                Ucm of the same N bytes (N/2*3 characters), N = 20 and 200
//
// Ratios (CPU time per call) are printed after the table: reported, not held to a goal.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "RatioReporter.h"
#include "base/CompressedText.h"
#include "base/FieldPacking.h"

namespace {

// A record of pseudo-random bytes; fields are read at positions 1 to kPositions.
constexpr int32_t kRecordLength = 512;
constexpr int32_t kPositions = kRecordLength - 3;

std::string record() {
  std::string data(kRecordLength, '\0');
  uint32_t x = 2463534242u;
  for (auto& c : data) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    c = static_cast<char>(x);
  }
  return data;
}

int32_t next(int32_t position) { return position % kPositions + 1; }

void readField3(benchmark::State& state) {
  const std::string data = record();
  int32_t position = 1;
  for (auto _ : state) {
    const auto* p = reinterpret_cast<const unsigned char*>(data.data()) + (position - 1);
    int32_t value = (p[0] << 16) | (p[1] << 8) | p[2];
    if (value & 0x800000) value -= 0x1000000;
    benchmark::DoNotOptimize(value);
    position = next(position);
  }
}

void unpackAt(benchmark::State& state, const char* op) {
  const std::string data = record();
  int32_t position = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(velta::Unpack(op, data, position));
    position = next(position);
  }
}

// Compressed text of the given byte length, every word below 64000.
std::string compressed(std::size_t bytes) {
  std::string data = record().substr(0, bytes);
  for (std::size_t i = 0; i < data.size(); i += 2) data[i] = static_cast<char>(static_cast<unsigned char>(data[i]) % 0xFA);
  return data;
}

void readWords(benchmark::State& state, std::size_t bytes) {
  const std::string data = compressed(bytes);
  for (auto _ : state) {
    unsigned sum = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) sum += (p[i] << 8) | p[i + 1];
    benchmark::DoNotOptimize(sum);
  }
}

void ucm(benchmark::State& state, std::size_t bytes) {
  std::string data = compressed(bytes);  // even length: Ucm leaves it as it is
  for (auto _ : state) benchmark::DoNotOptimize(velta::Ucm(data));
}

constexpr std::size_t kTextSizes[] = {20, 200};

std::string sized(const char* name, std::size_t bytes) { return std::string(name) + "/" + std::to_string(bytes); }

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("read/3 bytes", readField3)->MinTime(0.2);
  benchmark::RegisterBenchmark("unpack/K", [](benchmark::State& s) { unpackAt(s, "K"); })->MinTime(0.2);
  benchmark::RegisterBenchmark("unpack/B", [](benchmark::State& s) { unpackAt(s, "B"); })->MinTime(0.2);
  for (std::size_t bytes : kTextSizes) {
    benchmark::RegisterBenchmark(sized("read words", bytes).c_str(), [bytes](benchmark::State& s) {
      readWords(s, bytes);
    })->MinTime(0.2);
    benchmark::RegisterBenchmark(sized("ucm", bytes).c_str(), [bytes](benchmark::State& s) { ucm(s, bytes); })
        ->MinTime(0.2);
  }
  benchmark::Initialize(&argc, argv);
  velta::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  reporter.printRatio("Unpack K per call / reading its 3 bytes", "unpack/K", "read/3 bytes");
  reporter.printRatio("Unpack B per call / reading 3 bytes", "unpack/B", "read/3 bytes");
  for (std::size_t bytes : kTextSizes) {
    reporter.printRatio("Ucm of " + std::to_string(bytes) + " bytes / reading them as words", sized("ucm", bytes),
                        sized("read words", bytes));
  }
}
