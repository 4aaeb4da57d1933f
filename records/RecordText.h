// The members of a typed record class as text, in declaration order: for
// showing a record (velta-data vendor, velta-data line) and for tests.
//
//   for (const auto& [name, text] : fieldTexts(vendor)) std::cout << name << "=" << text << "\n";
//
// Numbers and flags in decimal, money with two decimals, dates as YYYY-MM-DD,
// text without trailing blanks and NUL characters, lists joined by ",".
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "records/RecordLayout.h"

namespace velta {

std::string dateText(Date date);
// Without trailing blanks and NUL characters.
std::string trimmedFieldText(const std::string& text);
std::string joinedText(const std::vector<std::string>& items, char separator = ',');

template <typename Record>
std::string fieldText(const Record& record, const FieldSpec<Record>& f) {
  if (f.integer) return std::to_string(record.*f.integer);
  if (f.flag) return std::to_string(record.*f.flag);
  if (f.currency) return (record.*f.currency).toText(2);
  if (f.day) return dateText(record.*f.day);
  if (f.string) return trimmedFieldText(record.*f.string);
  if (f.value) return (record.*f.value).toText();
  if (f.list) return joinedText(record.*f.list);
  return {};
}

// Name and text of every member of `record` (Record::layout() lists them).
template <typename Record>
std::vector<std::pair<std::string, std::string>> fieldTexts(const Record& record) {
  std::vector<std::pair<std::string, std::string>> out;
  for (const auto& f : Record::layout()) out.emplace_back(f.name, fieldText(record, f));
  return out;
}

}  // namespace velta
