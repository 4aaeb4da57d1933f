#include "tools/sample/SampleCatalog.h"

#include <algorithm>
#include <stdexcept>

#include "tools/sample/SamplePurchaseOrders.h"

namespace velta::sample {
namespace {

Date day(int y, unsigned m, unsigned d) { return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}}; }

struct VendorRow {
  int32_t number;
  int32_t record;
  const char* name;
  const char* address1;
  const char* address2;
  const char* address3;
  const char* account;
  const char* subAccount;
  const char* supplierCode;
};

// Records 3 and 8 were deleted, 8 first: the free list runs 3, 8.
const VendorRow kVendors[] = {
    {100, 1, "ACME AUTOMOTIVE SUPPLY", "1400 INDUSTRIAL PKWY", "BUILDING C", "DAYTON, OH 45414", "AC 3391", "", "ACM"},
    {215, 2, "GREAT LAKES BEARING CO.", "88 HARBOR ROAD", "", "TOLEDO, OH 43604", "GLB0215", "", "GLB"},
    {1207, 4, "NORTHERN PARTS DISTRIBUTION", "2200 COMMERCE DRIVE", "P.O. BOX 4410", "FORT WAYNE, IN 46801",
     "104233", "A7", "NPD"},
    {2040, 5, "VALLEY BRAKE AND CLUTCH", "51 MILL STREET", "", "ELKHART, IN 46514", "VB 77120", "", "VBC"},
    {3300, 6, "PARTSNET WHOLESALE", "9 LOGISTICS WAY", "SUITE 200", "COLUMBUS, OH 43219", "PN5512", "", "PNW"},
    {4180, 7, "SUMMIT CHEMICAL, INC.", "300 RIVER ROAD", "", "AKRON, OH 44308", "SC 1180", "", "SCI"},
    {5005, 9, "RIVERSIDE FILTER WAREHOUSE", "17 DOCK STREET", "UNIT 4", "PEORIA, IL 61602", "RF 900412", "", "RFW"},
    {6120, 10, "COASTAL BATTERY SUPPLY", "4 SHORE DRIVE", "", "ERIE, PA 16507", "CB 6120", "", "CBS"},
    {7788, 11, "METRO LAMP AND ELECTRIC", "1200 GRAND AVE.", "", "DES MOINES, IA 50309", "ML 33", "", "MLE"},
    {8001, 12, "PRAIRIE WIPER PRODUCTS", "60 FIELD LANE", "", "LINCOLN, NE 68508", "PW8001", "", "PWP"},
    {9050, 13, "EASTERN IGNITION CORP.", "77 SPARK ROAD", "FLOOR 2", "ALBANY, NY 12207", "EI 4432", "", "EIC"},
    {65000, 14, "IN HOUSE TRANSFERS", "", "", "", "", "", ""},
};
constexpr int32_t kDistributor = 1207;
constexpr int32_t kSecondNetwork = 3300;  // a network vendor whose ports are left 0
const std::vector<int32_t> kDeletedVendorRecords{8, 3};
constexpr int32_t kVendorLastRecord = 40;

std::vector<SampleVendor> vendors(const DistributorEndpoint& endpoint) {
  std::vector<SampleVendor> out;
  int k = 0;
  for (const VendorRow& row : kVendors) {
    SampleVendor v;
    v.record = row.record;
    v.VENDOR_NUMBER = row.number;
    v.optionBits = (k * 37 + 5) & 0x7F;
    v.VENDOR_NAME = row.name;
    v.ADDRESS_1 = row.address1;
    v.ADDRESS_2 = row.address2;
    v.ADDRESS_3 = row.address3;
    v.DEALER_ACCOUNT = row.account;
    v.YTD_NUMBER_OF_POS = 10 + 7 * k;
    v.ytdDollarsCents = 123456 * (k + 1);
    v.LASTYR_NUMBER_PO = 25 + 11 * k;
    v.lastYearPurchCents = 987650 + 1001 * k;
    v.PURCHASE_GROUP = 1 + k % 4;
    v.MINIMUM_ORDER = 250 * (k % 3);
    v.WEEKS_FOR_ORDERING = 1 + k % 3;
    v.SAFETY_ALLOWANCE = 5 + k;
    v.LEAD_TIME = 3 + k % 5;
    v.DATE_LAST_EOD_PO = day(2024, 3, static_cast<unsigned>(1 + k));
    for (int j = 0; j < 6; ++j) v.LAST_LEAD_TIME[static_cast<std::size_t>(j)] = 2 + (k + j) % 6;
    v.YTD_ITEMS = 100 * k + 17;
    v.YTD_PARTS = 1000 * k + 171;
    v.LAST_YEAR_ITEMS = 120 * k + 9;
    v.LAST_YEAR_PARTS = 1300 * k + 95;
    v.TRNET_SUPPLIER_CODE = row.supplierCode;
    v.TRNET_ROUND_CODE = "N";
    v.TRNET_SPECIAL_CODE1 = k % 2 ? "A1" : "";
    v.TRNET_DEFAULT_PREFIX = "";
    v.MONEY_CONVERSION = "U";
    v.JD_POINT = "N";
    v.AP_VENDOR = 100000 + row.number;
    v.subAccount = row.subAccount;
    if (row.number == kDistributor) {
      v.distributor = true;
      v.optionBits = 0x12;  // cost on the PO, line point
      v.DIST_SYSTEM_TYPE = "E";
      v.DIST_MODEM_NUMBER = "8005551207";
      v.LOGIN_PASSWORD = "NPD01";
      v.POWER_EDI_ID_NUMBER = endpoint.host;
      v.inquiryPort = endpoint.inquiryPort;
      v.orderPort = endpoint.orderPort;
      v.statusPort = endpoint.statusPort;
    } else if (row.number == kSecondNetwork) {
      v.DIST_SYSTEM_TYPE = "E";
      v.POWER_EDI_ID_NUMBER = "10.20.30.40";
    }
    out.push_back(std::move(v));
    ++k;
  }
  return out;
}

struct LineRow {
  int32_t line;
  int32_t record;
  const char* alpha;
  const char* name;
  char commodity;
  const char* comodiCodes;
  const char* rktCode;
  char lineType;
  char reCalculateMax;
};

// Record 4 was deleted. Line 1200 (1000 and up) is an internal line without parts.
const LineRow kLines[] = {
    {12, 2, "FLT", "FILTERS, OIL/AIR/FUEL", 'F', "AFOZ", "FIL", 'P', 'Y'},
    {27, 1, "BLT", "BELTS AND HOSES", 'B', "BH", "GTB", 'U', 'N'},
    {40, 5, "BRK", "BRAKE PARTS, DRUMS/ROTORS", 'R', "PRS", "BRX", 'P', 'y'},
    {55, 6, "LMP", "LAMPS AND BULBS", 'L', "L", "LPS", 'P', 'N'},
    {103, 3, "CHM", "CHEMICALS, FLUIDS", 'C', "CK", "CHX", 'R', 'N'},
    {220, 7, "WIP", "WIPER BLADES", 'W', "RW", "WPR", ' ', 'N'},
    {301, 9, "BAT", "BATTERIES, 12V", 'T', "T", "BTY", 'P', 'N'},
    {950, 8, "IGN", "IGNITION, PLUGS/WIRES", 'I', "IPW", "IGX", 'P', 'N'},
    {1200, 10, "INT", "INTERNAL USE LINE", 'X', "X", "", 'X', 'N'},
};
const std::vector<int32_t> kDeletedLineRecords{4};
constexpr int32_t kLineLastRecord = 30;
constexpr int32_t kHouseVendor = 65000;

std::vector<SampleLine> lines() {
  std::vector<SampleLine> out;
  int k = 0;
  for (const LineRow& row : kLines) {
    SampleLine l;
    l.record = row.record;
    l.Line = row.line;
    l.Alpha_Line = row.alpha;
    l.Line_Name = row.name;
    l.Comodity = row.commodity;
    l.comodiCodes = row.comodiCodes;
    l.rktCode = row.rktCode;
    l.lineType = row.lineType;
    l.reCalculateMax = row.reCalculateMax;
    l.Auto_Order = k % 3 ? 'Y' : 'N';
    const auto& parts = partLines();
    const auto carrier = std::find_if(parts.begin(), parts.end(), [&](const PartLine& p) { return p.line == row.line; });
    l.Primary_Vendor = carrier == parts.end() ? kHouseVendor : carrier->vendor;
    l.Distributor_Number = l.Primary_Vendor == kDistributor ? 1 : 0;
    l.Stock_Depth = 2 + k % 4;
    l.Re_Order_Percent = 40 + 5 * k;
    l.Low_GP_Waring_Perc = 18 + k;
    l.Sequencing_ANAN = "ANAN";
    l.Sequencing_Prior = k % 2 ? "PRIOR" : "";
    for (int j = 0; j < 6; ++j) {
      l.priceDefs[static_cast<std::size_t>(j)] = {1 + (k + j) % 5, j < 3 ? 1 : 0, 100 + 25 * j + k};
    }
    l.costOfMdseCents = 1534500 + 10007 * k;
    l.costOfFreightCents = 45600 + 101 * k;
    l.MTD_No_Sales = 40 + 3 * k;
    l.mtdSalesCents = 1000 + 250 * k;
    l.mtdCogsCents = 620 + 150 * k;
    l.storedYtdNoSales = 410 + 30 * k;
    l.storedYtdSalesCents = 12345 + 1000 * k;
    l.storedYtdCogsCents = 8120 + 700 * k;
    l.PYTD_No_Sales = 380 + 29 * k;
    l.pytdSalesCents = 1150000 + 900 * k;
    l.pytdCogsCents = 760000 + 600 * k;
    l.Default_Cost_GP = 35;
    l.Taxable = k == 4 ? 'N' : 'Y';
    l.Default_Frt_Markup = 3 + k % 2;
    l.High_Stock_Amount = 500 + 50 * k;
    l.DataBase_Name = "PC1";
    l.Warranty = k % 4 == 0 ? 12 : 0;
    for (int j = 0; j < 4; ++j) l.servicePolicies[static_cast<std::size_t>(j)] = {6 * (j + 1), 5 + 5 * j};
    l.Unit_Counter = 7000 + 13 * k;
    l.A_P_Company = 1;
    l.A_P_Vendor = 100000 + l.Primary_Vendor;
    l.MTD_Items_Ordered = 120 + k;
    l.MTD_Items_Filled = 110 + k;
    l.MTD_Pieces_Ordered = 900 + 10 * k;
    l.MTD_Pieces_Filled = 870 + 10 * k;
    l.MTD_Dollars_Ord = 410000 + 1000 * k;
    l.MTD_Dollars_Filled = 402000 + 1000 * k;
    l.YTD_Items_Ordered = 1400 + 9 * k;
    l.YTD_Items_Filled = 1350 + 9 * k;
    l.YTD_Pieces_Ordered = 10400 + 90 * k;
    l.YTD_Pieces_Filled = 10100 + 90 * k;
    l.YTD_Dollars_Ord = 4800000 + 9000 * k;
    l.YTD_Dollars_Filled = 4700000 + 9000 * k;
    l.Order_Type_Switch = k % 2 ? 'S' : 'R';
    l.Seas_percentage = 10 + k;
    l.Seas_ReOrder_Codes = "SUMWN";
    l.Seas_Date_Last_Gen = day(2023, 10, static_cast<unsigned>(1 + k));
    l.EOM_Mdse_Cost = 1520000 + 1000 * k;
    l.EOM_Freight_Cost = 45000 + 100 * k;
    l.EOY_Mdse_Cost = 1480000 + 1000 * k;
    l.EOY_Freight_Cost = 44000 + 100 * k;
    out.push_back(std::move(l));
    ++k;
  }
  return out;
}

}  // namespace

std::string SamplePoLine::partKey() const { return sample::partKey(line, partNumber); }

int32_t SamplePurchaseOrder::totalCents() const {
  int32_t total = 0;
  for (const SamplePoLine& line : lines) {
    if (line.kind == PoLineKind::Part) total += line.quantity * line.effectiveCostCents();
    if (line.kind == PoLineKind::Freight) total += line.quantity * line.costCents;
  }
  return total;
}

const SampleVendor& SampleCatalog::distributor() const {
  for (const SampleVendor& v : vendors) {
    if (v.distributor) return v;
  }
  throw std::logic_error("the sample has no distributor");
}

const SampleVendor* SampleCatalog::vendor(int32_t number) const {
  for (const SampleVendor& v : vendors) {
    if (v.VENDOR_NUMBER == number) return &v;
  }
  return nullptr;
}

const SampleLine* SampleCatalog::line(int32_t number) const {
  for (const SampleLine& l : lines) {
    if (l.Line == number) return &l;
  }
  return nullptr;
}

const SamplePurchaseOrder* SampleCatalog::purchaseOrder(std::string_view name) const {
  for (const SamplePurchaseOrder& po : purchaseOrders) {
    if (po.name == name) return &po;
  }
  return nullptr;
}

SampleCatalog makeSampleCatalog(int64_t partCount, const DistributorEndpoint& distributor) {
  SampleCatalog catalog;
  catalog.vendors = vendors(distributor);
  catalog.deletedVendorRecords = kDeletedVendorRecords;
  catalog.vendorLastRecord = kVendorLastRecord;
  catalog.lines = lines();
  catalog.deletedLineRecords = kDeletedLineRecords;
  catalog.lineLastRecord = kLineLastRecord;
  catalog.parts = PartCatalog(partCount);
  catalog.purchaseOrders = samplePurchaseOrders(catalog.parts);
  return catalog;
}

}  // namespace velta::sample
