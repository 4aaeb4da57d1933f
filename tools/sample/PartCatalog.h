// The sample's parts, made on demand: part i (0-based, in key order of "PARTI") and
// its record number in "PARTL" are computed, never stored, so that a benchmark can
// ask for a million parts without holding them.
//
//   PartCatalog parts(3000);
//   SamplePart p = parts.part(0);            // lowest key
//   p.key();                                 // line ("C") + part number compressed, 14 bytes
//   parts.indexOfRecord(p.record);           // 0 again
//
// Parts are spread evenly over eight product lines, and within a line over a few
// families of part numbers (a prefix and zero-padded digits, with a dash mask);
// record numbers are a fixed shuffle of the key order with a few deleted records
// among them, as a file that has lived for a while has.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velta::sample {

// A key of "PARTI": the line number packed "C", then the part number blank-padded
// to 18 characters and compressed into 12 bytes.
std::string partKey(int32_t line, std::string_view number);

struct SamplePart {
  int64_t index = 0;     // position in key order
  int32_t record = 0;    // in "PARTL"
  int32_t line = 0;
  std::string number;    // without dashes, at most 18 characters
  std::string mask;      // 3 characters: positions of the dashes ("47 "), blanks for none
  std::string description;  // at most 21 characters
  int32_t costCents = 0;
  int32_t listCents = 0;
  int32_t onHand = 0;
  int32_t vendor = 0;
  std::string bin;

  std::string key() const { return partKey(line, number); }
  // The part number as the order control shows it, with its dashes.
  std::string dashed() const;
};

// The product lines that carry parts, in line-number order.
struct PartLine {
  int32_t line;
  int32_t vendor;
};
const std::vector<PartLine>& partLines();

class PartCatalog {
 public:
  static constexpr int64_t kMinimumParts = 24;  // every family of every line gets a part

  PartCatalog() = default;
  explicit PartCatalog(int64_t count);

  int64_t count() const { return count_; }
  SamplePart part(int64_t index) const;
  int32_t recordOf(int64_t index) const;
  // The part a record holds; none for a deleted record or one never used.
  std::optional<int64_t> indexOfRecord(int32_t record) const;

  const std::vector<int32_t>& deletedRecords() const { return deletedInOrder_; }  // in deletion order
  int32_t highestUsed() const { return highestUsed_; }
  int32_t lastRecord() const { return lastRecord_; }  // highest used and some room to grow

 private:
  int64_t count_ = 0;
  int64_t stride_ = 1, inverseStride_ = 1;  // the shuffle: record slot = index x stride mod count
  std::vector<int32_t> deletedSorted_, deletedInOrder_;
  int32_t highestUsed_ = 0, lastRecord_ = 0;
};

}  // namespace velta::sample
