#include "tools/velta-distributor/Catalog.h"

namespace velta::distributor {

std::optional<Date> CatalogPart::availableFrom(Date today) const {
  if (available) return available;
  if (availableInDays) return addDays(today, *availableInDays);
  return std::nullopt;
}

std::int64_t CatalogPart::totalStock() const {
  std::int64_t total = 0;
  for (const Stock& s : stock) total += s.quantity;
  return total;
}

std::string partKey(std::string_view number) {
  std::string key;
  for (char c : upperAscii(number)) {
    if (c != ' ' && c != '-') key += c;
  }
  return key;
}

std::string lineKey(std::string_view code) { return upperAscii(trimBlanks(code)); }

const CatalogPart* CatalogLine::part(std::string_view number) const {
  const auto found = byKey.find(partKey(number));
  return found == byKey.end() ? nullptr : &parts[found->second];
}

const CatalogLine* Catalog::line(std::string_view code) const {
  const std::string key = lineKey(code);
  if (key.empty()) return nullptr;
  for (const CatalogLine& l : lines) {
    if (lineKey(l.code) == key) return &l;
  }
  return nullptr;
}

const Account* Catalog::account(std::string_view number) const {
  const std::string_view wanted = trimBlanks(number);
  if (wanted.empty()) return nullptr;
  for (const Account& a : accounts) {
    if (a.account == wanted) return &a;
  }
  return nullptr;
}

std::size_t Catalog::partCount() const {
  std::size_t n = 0;
  for (const CatalogLine& l : lines) n += l.parts.size();
  return n;
}

}  // namespace velta::distributor
