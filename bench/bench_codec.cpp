// Field decoding per call against bare reads of the same bytes.
//
//   BM_ReadField3        baseline: read 3 bytes big-endian at a moving position
//   BM_Unpack_K          Unpack "K" (3 bytes, signed) at the same positions
//   BM_Unpack_B          Unpack "B" (1 byte)
//   BM_ReadWords/N       baseline: read the N bytes of a compressed text as 2-byte words
//   BM_Ucm/N             Ucm of the same N bytes (N/2*3 characters)
//
// Ratios: Unpack against its read, Ucm against its read, printed after the table.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "RatioReporter.h"
#include "engine/CompressedText.h"
#include "engine/FieldPacking.h"

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

void BM_ReadField3(benchmark::State& state) {
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
BENCHMARK(BM_ReadField3);

void unpackAt(benchmark::State& state, const char* op) {
  const std::string data = record();
  int32_t position = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(velta::Unpack(op, data, position));
    position = next(position);
  }
}
void BM_Unpack_K(benchmark::State& state) { unpackAt(state, "K"); }
void BM_Unpack_B(benchmark::State& state) { unpackAt(state, "B"); }
BENCHMARK(BM_Unpack_K);
BENCHMARK(BM_Unpack_B);

// Compressed text of the given byte length, every word below 64000.
std::string compressed(int64_t bytes) {
  std::string data = record().substr(0, static_cast<std::size_t>(bytes));
  for (std::size_t i = 0; i < data.size(); i += 2) data[i] = static_cast<char>(static_cast<unsigned char>(data[i]) % 0xFA);
  return data;
}

void BM_ReadWords(benchmark::State& state) {
  const std::string data = compressed(state.range(0));
  for (auto _ : state) {
    unsigned sum = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) sum += (p[i] << 8) | p[i + 1];
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ReadWords)->Arg(20)->Arg(200);

void BM_Ucm(benchmark::State& state) {
  std::string data = compressed(state.range(0));  // even length: Ucm leaves it as it is
  for (auto _ : state) benchmark::DoNotOptimize(velta::Ucm(data));
}
BENCHMARK(BM_Ucm)->Arg(20)->Arg(200);

}  // namespace

int main(int argc, char** argv) {
  return velta::bench::runWithRatios(argc, argv,
                                     {{"BM_Unpack_K", "BM_ReadField3"},
                                      {"BM_Unpack_B", "BM_ReadField3"},
                                      {"BM_Ucm/20", "BM_ReadWords/20"},
                                      {"BM_Ucm/200", "BM_ReadWords/200"}});
}
