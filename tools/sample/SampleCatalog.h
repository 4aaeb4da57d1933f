// What the sample business system holds: its vendors, product lines, parts and
// purchase orders, as plain values. The builder writes its files from these, and
// tests read them back to know what the engine should find, without hard-coding.
//
//   const SampleCatalog catalog = makeSampleCatalog(options);
//   const SampleVendor& distributor = catalog.distributor();
//   SamplePart part = catalog.parts.part(0);          // the lowest part key
//   std::string key = part.key();                     // 14 bytes, as "PARTI" holds it
//
// Numbers are as the files store them: money in cents, year-to-date figures of a
// product line without the current month, dates as dates.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Calendar.h"
#include "tools/sample/PartCatalog.h"

namespace velta::sample {

struct SampleVendor {
  int32_t record = 0;  // in "VNDRL"
  int32_t VENDOR_NUMBER = 0;
  int optionBits = 0;  // byte 5: bits 0-6 the seven flags
  std::string VENDOR_NAME, ADDRESS_1, ADDRESS_2, ADDRESS_3;
  std::string DEALER_ACCOUNT;
  int32_t YTD_NUMBER_OF_POS = 0;
  int32_t ytdDollarsCents = 0;  // YTD_DOLLARS_PURCHASED
  int32_t LASTYR_NUMBER_PO = 0;
  int32_t lastYearPurchCents = 0;  // LASTYR_PURCH
  int32_t PURCHASE_GROUP = 0, MINIMUM_ORDER = 0, WEEKS_FOR_ORDERING = 0;
  int32_t SAFETY_ALLOWANCE = 0, LEAD_TIME = 0;
  Date DATE_LAST_EOD_PO = kNullDate;
  std::array<int32_t, 6> LAST_LEAD_TIME{};
  int32_t YTD_ITEMS = 0, YTD_PARTS = 0, LAST_YEAR_ITEMS = 0, LAST_YEAR_PARTS = 0;
  std::string TRNET_SUPPLIER_CODE, TRNET_ROUND_CODE, TRNET_SPECIAL_CODE1, TRNET_SPECIAL_CODE2;
  std::string TRNET_DEFAULT_PREFIX, MONEY_CONVERSION, JD_POINT, DIST_SYSTEM_TYPE;
  std::string DIST_MODEM_NUMBER, LOGIN_PASSWORD;
  std::string POWER_EDI_ID_NUMBER;  // the distributor's host name or address
  int32_t AP_VENDOR = 0;
  // Stored after the vendor fields.
  int32_t inquiryPort = 0, orderPort = 0, statusPort = 0;
  std::string subAccount;
  bool distributor = false;
};

struct PriceDefinition {
  int32_t level = 0, use = 0, perc = 0;
};
struct ServicePolicy {
  int32_t months = 0, listPerc = 0;
};

struct SampleLine {
  int32_t record = 0;  // in "LINEL" and "ELINEL"
  int32_t Line = 0;
  std::string Alpha_Line, Line_Name;
  char Auto_Order = 'Y';
  char Comodity = ' ';
  std::string comodiCodes;  // every commodity code of the line in "COMODI", in key order
  std::string rktCode;      // the distributor's code in the line-code map, empty when unmapped
  int32_t Distributor_Number = 0, Stock_Depth = 0, Re_Order_Percent = 0, Low_GP_Waring_Perc = 0;
  std::string Sequencing_ANAN, Sequencing_Prior;
  std::array<PriceDefinition, 6> priceDefs{};
  int32_t costOfMdseCents = 0, costOfFreightCents = 0;
  int32_t MTD_No_Sales = 0, mtdSalesCents = 0, mtdCogsCents = 0;
  int32_t storedYtdNoSales = 0, storedYtdSalesCents = 0, storedYtdCogsCents = 0;  // without this month
  int32_t PYTD_No_Sales = 0, pytdSalesCents = 0, pytdCogsCents = 0;
  int32_t Default_Cost_GP = 0;
  char Taxable = 'Y';
  int32_t Default_Frt_Markup = 0;
  char reCalculateMax = 'N';  // stored character
  int32_t High_Stock_Amount = 0;
  std::string DataBase_Name;
  int32_t Warranty = 0;
  std::array<ServicePolicy, 4> servicePolicies{};
  char lineType = 'P';  // stored character
  int32_t Unit_Counter = 0, A_P_Company = 0, A_P_Vendor = 0;
  int32_t MTD_Items_Ordered = 0, MTD_Items_Filled = 0, MTD_Pieces_Ordered = 0, MTD_Pieces_Filled = 0;
  int32_t MTD_Dollars_Ord = 0, MTD_Dollars_Filled = 0;
  int32_t YTD_Items_Ordered = 0, YTD_Items_Filled = 0, YTD_Pieces_Ordered = 0, YTD_Pieces_Filled = 0;
  int32_t YTD_Dollars_Ord = 0, YTD_Dollars_Filled = 0;
  int32_t Primary_Vendor = 0;
  char Order_Type_Switch = ' ';
  int32_t Seas_percentage = 0;
  std::string Seas_ReOrder_Codes;  // at 203-207, under the season date (205-206) and EOM_Mdse_Cost (207-)
  Date Seas_Date_Last_Gen = kNullDate;
  int32_t EOM_Mdse_Cost = 0, EOM_Freight_Cost = 0, EOY_Mdse_Cost = 0, EOY_Freight_Cost = 0;
};

// Line kinds of a purchase order; only part lines are shown and sent.
enum class PoLineKind : int32_t { Comment = 1, Part = 4, Freight = 6 };

struct SamplePoLine {
  PoLineKind kind = PoLineKind::Part;
  int32_t line = 0;         // product line number (part lines)
  std::string partNumber;   // without dashes (part lines), or the text of a comment line
  int32_t quantity = 0;
  int32_t costCents = 0;    // as stored: 0 means the part's own cost applies
  bool inPartFile = true;   // false: the key is not in "PARTI"
  int32_t partCostCents = 0;  // the part file's cost, when inPartFile

  // Bytes 3 to 16 of the line record: the key of the part in "PARTI".
  std::string partKey() const;
  // The cost the order control uses: the stored one, else the part's.
  int32_t effectiveCostCents() const { return costCents != 0 ? costCents : partCostCents; }
};

struct SamplePurchaseOrder {
  std::string name;  // the file's name in the dealer directory: the order number
  int32_t vendor = 0;
  int statusFlags = 0;  // bit 128: transmitted
  int32_t dropShip = 0; // non-zero: a drop-ship order (the customer shipped to)
  Date orderDate = kNullDate;
  std::string buyer;
  std::array<std::string, 4> comments;  // up to 51 characters each
  std::vector<SamplePoLine> lines;

  bool transmitted() const { return (statusFlags & 128) != 0; }
  // The order total of record 6: every part line at its effective cost, and the other charges.
  int32_t totalCents() const;
};

struct SampleCatalog {
  std::vector<SampleVendor> vendors;               // in vendor-number order
  std::vector<int32_t> deletedVendorRecords;       // in the order they were deleted
  int32_t vendorLastRecord = 0;
  std::vector<SampleLine> lines;                   // in line-number order
  std::vector<int32_t> deletedLineRecords;
  int32_t lineLastRecord = 0;
  PartCatalog parts;
  std::vector<SamplePurchaseOrder> purchaseOrders;

  const SampleVendor& distributor() const;
  const SampleVendor* vendor(int32_t number) const;
  const SampleLine* line(int32_t number) const;
  const SamplePurchaseOrder* purchaseOrder(std::string_view name) const;
};

struct DistributorEndpoint {
  std::string host = "127.0.0.1";
  int32_t orderPort = 12100, statusPort = 12103, inquiryPort = 12106;
};

// The whole content for `partCount` parts (at least PartCatalog::kMinimumParts).
SampleCatalog makeSampleCatalog(int64_t partCount, const DistributorEndpoint& distributor);

}  // namespace velta::sample
