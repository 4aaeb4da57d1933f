#include "tools/sample/PartCatalog.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <utility>

#include "base/FieldPacking.h"
#include "base/TextUtilities.h"
#include "tools/sample/RecordFields.h"

namespace velta::sample {
namespace {

constexpr int kPartNumberCharacters = 18;
constexpr int kPartNumberBytes = kPartNumberCharacters / 3 * 2;  // 12
constexpr int kLineBytes = 2;
constexpr int kDeletedParts = 3;

// Part numbers of one family: prefix + (first + j x step), zero-padded to at least
// `digits`. The brake fluids begin at 12345678, whose mask "47" shows it as
// 123-45-678 (while the family stays below 1000 parts, that is). Within a line the prefixes are in key order and none begins another, so
// every part of a family sorts below every part of the next.
struct Family {
  const char* prefix;
  int digits;
  int step;
  const char* mask;
  const char* description;
  int first;
};
constexpr int kFirstNumber = 7;

struct LineFamilies {
  PartLine line;
  std::vector<Family> families;
};

const std::vector<LineFamilies>& table() {
  static const std::vector<LineFamilies> lines{
      {{12, 5005},
       {{"1A", 4, 3, "   ", "OIL FILTER, SPIN ON", kFirstNumber},
        {"51", 5, 7, "3  ", "FUEL FILTER, INLINE", kFirstNumber},
        {"PH", 4, 3, "   ", "AIR FILTER, PANEL", kFirstNumber}}},
      {{27, 1207},
       {{"4L", 3, 5, "   ", "V BELT, 4L SECTION", kFirstNumber},
        {"K06", 4, 3, "   ", "SERP. BELT, 6 RIB", kFirstNumber},
        {"R", 5, 7, "2  ", "RADIATOR HOSE, MOLDED", kFirstNumber}}},
      {{40, 2040},
       {{"D", 4, 3, "   ", "DISC PAD SET, FRONT", kFirstNumber},
        {"R", 5, 7, "3  ", "ROTOR, VENTED", kFirstNumber},
        {"S", 4, 5, "   ", "BRAKE SHOE SET, REAR", kFirstNumber}}},
      {{55, 7788},
       {{"1157", 2, 1, "   ", "BULB, STOP/TAIL", kFirstNumber},
        {"H", 4, 3, "   ", "HEADLAMP, HALOGEN", kFirstNumber},
        {"LED", 5, 7, "4  ", "LED LAMP, 12V", kFirstNumber}}},
      {{103, 4180},
       {{"12345", 3, 1, "47 ", "BRAKE FLUID, DOT 3", 678},
        {"C", 4, 3, "   ", "COOLANT, 50/50, GAL.", kFirstNumber},
        {"M", 4, 3, "   ", "MOTOR OIL, 5W30, QT.", kFirstNumber}}},
      {{220, 1207},
       {{"18", 3, 1, "   ", "WIPER BLADE, 18 IN.", kFirstNumber},
        {"22", 3, 1, "   ", "WIPER BLADE, 22 IN.", kFirstNumber},
        {"RF", 4, 3, "   ", "REFILL, 22 IN.", kFirstNumber}}},
      {{301, 6120},
       {{"24", 4, 3, "   ", "BATTERY, GROUP 24", kFirstNumber},
        {"65", 4, 3, "   ", "BATTERY, GROUP 65", kFirstNumber},
        {"T", 4, 3, "   ", "TERMINAL, BATTERY", kFirstNumber}}},
      {{950, 9050},
       {{"AP", 4, 3, "   ", "SPARK PLUG, COPPER", kFirstNumber},
        {"IR", 4, 3, "   ", "SPARK PLUG, IRIDIUM", kFirstNumber},
        {"W", 5, 7, "   ", "PLUG WIRE SET, 8MM", kFirstNumber}}},
  };
  return lines;
}

// `count` things over `groups` groups, the first ones getting one more: the
// group of `index` and its place in it.
std::pair<std::size_t, int64_t> spread(int64_t index, int64_t count, std::size_t groups) {
  const int64_t base = count / static_cast<int64_t>(groups);
  const int64_t extra = count % static_cast<int64_t>(groups);
  for (std::size_t g = 0;; ++g) {
    const int64_t size = base + (static_cast<int64_t>(g) < extra ? 1 : 0);
    if (index < size || g + 1 == groups) return {g, index};
    index -= size;
  }
}
int64_t groupSize(std::size_t group, int64_t count, std::size_t groups) {
  return count / static_cast<int64_t>(groups) + (static_cast<int64_t>(group) < count % static_cast<int64_t>(groups));
}

int digitsOf(int64_t n) { return n < 10 ? 1 : 1 + digitsOf(n / 10); }

// A fixed scramble of the index, for costs and stock.
uint64_t mix(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

int64_t inverseModulo(int64_t a, int64_t n) {
  int64_t t = 0, newT = 1, r = n, newR = a % n;
  while (newR != 0) {
    const int64_t q = r / newR;
    t = std::exchange(newT, t - q * newT);
    r = std::exchange(newR, r - q * newR);
  }
  return ((t % n) + n) % n;
}

}  // namespace

const std::vector<PartLine>& partLines() {
  static const std::vector<PartLine> lines = [] {
    std::vector<PartLine> out;
    for (const auto& l : table()) out.push_back(l.line);
    return out;
  }();
  return lines;
}

std::string partKey(int32_t line, std::string_view number) {
  std::string key(kLineBytes, '\0');
  Pack("C", key, line, 1);
  return key + packedText(number, kPartNumberBytes);
}

std::string SamplePart::dashed() const {
  std::string text = number;
  text.resize(kPartNumberCharacters, ' ');
  InsertDashes(text, mask);
  return text;
}

PartCatalog::PartCatalog(int64_t count) : count_(count) {
  constexpr int64_t kMaximumParts = 100'000'000;
  if (count < kMinimumParts || count > kMaximumParts) {
    throw std::invalid_argument("the sample holds " + std::to_string(kMinimumParts) + " to " +
                                std::to_string(kMaximumParts) + " parts, not " + std::to_string(count));
  }
  stride_ = std::max<int64_t>(1, std::llround(static_cast<double>(count) * 0.6180339887));
  while (std::gcd(stride_, count) != 1) ++stride_;
  inverseStride_ = inverseModulo(stride_, count);

  highestUsed_ = static_cast<int32_t>(count + kDeletedParts);
  for (int k = 1; k <= kDeletedParts; ++k) deletedSorted_.push_back(highestUsed_ * k / (kDeletedParts + 1));
  deletedInOrder_ = {deletedSorted_[1], deletedSorted_[0], deletedSorted_[2]};
  lastRecord_ = highestUsed_ + std::max(25, highestUsed_ / 50);
}

int32_t PartCatalog::recordOf(int64_t index) const {
  int64_t record = (index * stride_) % count_ + 1;
  for (int32_t d : deletedSorted_) {
    if (d <= record) ++record;
  }
  return static_cast<int32_t>(record);
}

std::optional<int64_t> PartCatalog::indexOfRecord(int32_t record) const {
  if (record < 1 || record > highestUsed_) return std::nullopt;
  int64_t slot = record - 1;
  for (int32_t d : deletedSorted_) {
    if (d == record) return std::nullopt;
    if (d < record) --slot;
  }
  return (slot * inverseStride_) % count_;
}

SamplePart PartCatalog::part(int64_t index) const {
  if (index < 0 || index >= count_) {
    throw std::out_of_range("part " + std::to_string(index) + " of " + std::to_string(count_));
  }
  const auto& lines = table();
  const auto [lineIndex, inLine] = spread(index, count_, lines.size());
  const LineFamilies& line = lines[lineIndex];
  const int64_t lineCount = groupSize(lineIndex, count_, lines.size());
  const auto [familyIndex, inFamily] = spread(inLine, lineCount, line.families.size());
  const Family& family = line.families[familyIndex];
  const int64_t familyCount = groupSize(familyIndex, lineCount, line.families.size());

  const int digits = std::max(family.digits, digitsOf(family.first + (familyCount - 1) * family.step));
  std::string number = std::to_string(family.first + inFamily * family.step);
  number.insert(0, static_cast<std::size_t>(digits) - number.size(), '0');

  const uint64_t h = mix(static_cast<uint64_t>(index));
  SamplePart part;
  part.index = index;
  part.record = recordOf(index);
  part.line = line.line.line;
  part.number = family.prefix + number;
  part.mask = family.mask;
  part.description = family.description;
  part.costCents = static_cast<int32_t>(95 + h % 24906);  // 0.95 to 250.00
  part.listCents = part.costCents / 5 * 8;
  part.onHand = static_cast<int32_t>((h >> 17) % 48);
  part.vendor = line.line.vendor;
  part.bin = std::string(1, static_cast<char>('A' + (h >> 23) % 6)) + std::to_string(10 + (h >> 29) % 90);
  return part;
}

}  // namespace velta::sample
