#include "link/MacAddressServer.h"

#include <algorithm>
#include <cstdio>

namespace velta {

namespace {

constexpr std::size_t kAdapterInfoBytes = 640;  // one adapter record of the Windows list
constexpr std::size_t kMacBytes = 6;

std::string withoutDashes(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '-'), text.end());
  return text;
}

}  // namespace

std::string FormatMac(const std::vector<uint8_t>& address) {
  std::string text;
  for (std::size_t i = 0; i < kMacBytes; ++i) {
    char pair[3] = {'0', '0', '\0'};
    if (i < address.size()) std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned>(address[i]));
    if (i > 0) text += '-';
    text += pair;
  }
  return text;
}

std::string MacFromIfTable(NetworkInterfaces& interfaces) {
  const auto table = interfaces.interfaceTable();
  if (!table) return {};
  const std::size_t n = table->size() & 0xFFu;  // the first byte of the table: the count's low byte
  std::string result = std::to_string(n) + " Interface(s):\r\n";
  for (std::size_t i = 0; i < n; ++i) {
    const auto& row = (*table)[i];
    if (row.type == iftype::Ethernet) result = withoutDashes(FormatMac(row.physicalAddress));
  }
  return result;
}

std::string MacFromAdaptersInfo(NetworkInterfaces& interfaces) {
  const auto list = interfaces.adapterList();
  const std::size_t size = list ? list->size() * kAdapterInfoBytes : 0;
  if (size == 0) return {};
  const std::size_t m = (size + kAdapterInfoBytes / 2) / kAdapterInfoBytes;
  std::string result = std::to_string(m) + " Adapter(s):\r\n";
  std::size_t at = 0;
  for (std::size_t walked = 0; walked < m; ++walked) {
    const auto& record = (*list)[at];
    if (record.type == iftype::Ethernet) result = withoutDashes(FormatMac(record.address));
    if (!record.next || *record.next >= list->size()) break;  // the null pointer, or one outside the buffer
    at = *record.next;
  }
  return result;
}

}  // namespace velta
