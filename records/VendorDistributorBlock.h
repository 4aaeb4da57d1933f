// The distributor block of a vendor's record: how the controls reach the
// distributor the vendor stands for, and the dealer's accounts with it.
//
// A record of "VNDRL" (found through "VNDRI", keyed by the vendor number
// packed as "L"; the whole record: records/clsVendor.h), positions 1-based:
//
//   bytes     form                     field
//   6-25      compressed, 20 bytes     vendor name (30 characters)
//   86-93     compressed, 8 bytes      dealer account (12 characters)
//   172-181   compressed, 10 bytes     distributor host, name or address (15 characters)
//   187-188   "C"                      inquiry port
//   189-190   "C"                      order port
//   191-192   "C"                      status port
//   193-200   compressed, 8 bytes      sub-account (12 characters)
//
// The accounts are read without trailing blanks and control characters; the
// name and the host as decoded, blank-padded (the host is trimmed when it is
// connected to). A port of 0 is stored as such: what it means is each
// control's rule (the order control's defaults, the inquiry control's refusal).
//
//   std::optional<std::string> record = findVendorRecord(engine, 1207);
//   if (record) DistributorBlock block = readDistributorBlock(engine, *record);
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velta {

class cBusinessBasic;

struct DistributorBlock {
  std::string vendorName;
  std::string dealerAccount;
  std::string hostAddress;
  std::string subAccount;
  int32_t inquiryPort = 0;
  int32_t orderPort = 0;
  int32_t statusPort = 0;
};

// The vendor's record, through the vendor index; none when the index holds
// no entry of exactly that number. Engine errors reach the caller.
std::optional<std::string> findVendorRecord(cBusinessBasic& engine, int32_t vendorNumber);

// The block of a vendor record. A record too short for a field gives that
// field empty (a text) or what the engine makes of the missing bytes (a port).
DistributorBlock readDistributorBlock(cBusinessBasic& engine, const std::string& record);

// The account as both controls show it: the dealer account, and "/" and the
// sub-account when there is one.
std::string accountText(const std::string& dealerAccount, const std::string& subAccount);

}  // namespace velta
