#include "tools/sample/SampleRecords.h"

#include <charconv>

#include "base/FieldPacking.h"
#include "tools/sample/RecordFields.h"

namespace velta::sample {
namespace {

constexpr int32_t kInUse = 1;

void putChar(std::string& record, int position, char c) { putText(record, position, 1, std::string(1, c)); }

}  // namespace

std::string vendorRecord(const SampleVendor& v) {
  std::string r(kVendorRecordLength, '\0');
  Pack("J", r, kInUse, 1);
  Pack("C", r, v.VENDOR_NUMBER, 3);
  Pack("B", r, v.optionBits & 0x7F, 5);
  putPacked(r, 6, 20, v.VENDOR_NAME);
  putPacked(r, 26, 20, v.ADDRESS_1);
  putPacked(r, 46, 20, v.ADDRESS_2);
  putPacked(r, 66, 20, v.ADDRESS_3);
  putPacked(r, 86, 8, v.DEALER_ACCOUNT);
  Pack("C", r, v.YTD_NUMBER_OF_POS, 96);
  Pack("L", r, v.ytdDollarsCents, 98);
  Pack("C", r, v.LASTYR_NUMBER_PO, 102);
  Pack("L", r, v.lastYearPurchCents, 104);
  Pack("C", r, v.PURCHASE_GROUP, 108);
  Pack("C", r, v.MINIMUM_ORDER, 110);
  Pack("B", r, v.WEEKS_FOR_ORDERING, 112);
  Pack("B", r, v.SAFETY_ALLOWANCE, 114);
  Pack("B", r, v.LEAD_TIME, 115);
  PackDate("J", r, 116, v.DATE_LAST_EOD_PO);
  for (int i = 0; i < 6; ++i) Pack("B", r, v.LAST_LEAD_TIME[static_cast<std::size_t>(i)], 118 + i);
  Pack("L", r, v.YTD_ITEMS, 124);
  Pack("L", r, v.YTD_PARTS, 128);
  Pack("L", r, v.LAST_YEAR_ITEMS, 132);
  Pack("L", r, v.LAST_YEAR_PARTS, 136);
  putText(r, 140, 7, v.TRNET_SUPPLIER_CODE);
  putText(r, 147, 1, v.TRNET_ROUND_CODE);
  putText(r, 148, 3, v.TRNET_SPECIAL_CODE1);
  putText(r, 151, 3, v.TRNET_SPECIAL_CODE2);
  putText(r, 154, 3, v.TRNET_DEFAULT_PREFIX);
  putText(r, 157, 1, v.MONEY_CONVERSION);
  putText(r, 158, 1, v.JD_POINT);
  putText(r, 159, 1, v.DIST_SYSTEM_TYPE);
  putPacked(r, 160, 8, v.DIST_MODEM_NUMBER);
  putPacked(r, 168, 4, v.LOGIN_PASSWORD);
  putPacked(r, 172, 10, v.POWER_EDI_ID_NUMBER);
  Pack("L", r, v.AP_VENDOR, 182);
  Pack("C", r, v.inquiryPort, 187);
  Pack("C", r, v.orderPort, 189);
  Pack("C", r, v.statusPort, 191);
  putPacked(r, 193, 8, v.subAccount);
  return r;
}

std::string lineRecord(const SampleLine& l) {
  std::string r(kLineRecordLength, '\0');
  Pack("J", r, kInUse, 1);
  Pack("C", r, l.Line, 3);
  putPacked(r, 5, 2, l.Alpha_Line);
  putPacked(r, 7, 20, l.Line_Name);
  putChar(r, 27, l.Auto_Order);
  putChar(r, 28, l.Comodity);
  Pack("B", r, l.Distributor_Number, 29);
  Pack("C", r, l.Stock_Depth, 33);
  Pack("C", r, l.Re_Order_Percent, 35);
  Pack("C", r, l.Low_GP_Waring_Perc, 37);
  putText(r, 39, 6, l.Sequencing_ANAN);
  putText(r, 45, 6, l.Sequencing_Prior);
  for (int k = 0; k < 6; ++k) {
    const PriceDefinition& p = l.priceDefs[static_cast<std::size_t>(k)];
    Pack("B", r, p.level, 51 + 4 * k);
    Pack("B", r, p.use, 52 + 4 * k);
    Pack("J", r, p.perc, 53 + 4 * k);
  }
  Pack("L", r, l.costOfMdseCents, 75);
  Pack("L", r, l.costOfFreightCents, 79);
  Pack("L", r, l.MTD_No_Sales, 83);
  Pack("L", r, l.mtdSalesCents, 87);
  Pack("L", r, l.mtdCogsCents, 91);
  Pack("L", r, l.storedYtdNoSales, 95);
  Pack("L", r, l.storedYtdSalesCents, 99);
  Pack("L", r, l.storedYtdCogsCents, 103);
  Pack("L", r, l.PYTD_No_Sales, 107);
  Pack("L", r, l.pytdSalesCents, 111);
  Pack("L", r, l.pytdCogsCents, 115);
  Pack("C", r, l.Default_Cost_GP, 119);
  putChar(r, 121, l.Taxable);
  Pack("C", r, l.Default_Frt_Markup, 122);
  putChar(r, 124, l.reCalculateMax);
  Pack("C", r, l.High_Stock_Amount, 125);
  putPacked(r, 127, 2, l.DataBase_Name);
  Pack("B", r, l.Warranty, 129);
  for (int k = 0; k < 4; ++k) {
    Pack("B", r, l.servicePolicies[static_cast<std::size_t>(k)].months, 130 + 3 * k);
    Pack("C", r, l.servicePolicies[static_cast<std::size_t>(k)].listPerc, 131 + 3 * k);
  }
  putChar(r, 142, l.lineType);
  Pack("L", r, l.Unit_Counter, 143);
  Pack("B", r, l.A_P_Company, 147);
  Pack("L", r, l.A_P_Vendor, 148);
  Pack("J", r, l.MTD_Items_Ordered, 152);
  Pack("J", r, l.MTD_Items_Filled, 154);
  Pack("K", r, l.MTD_Pieces_Ordered, 156);
  Pack("K", r, l.MTD_Pieces_Filled, 159);
  Pack("L", r, l.MTD_Dollars_Ord, 162);
  Pack("L", r, l.MTD_Dollars_Filled, 166);
  Pack("K", r, l.YTD_Items_Ordered, 170);
  Pack("K", r, l.YTD_Items_Filled, 173);
  Pack("L", r, l.YTD_Pieces_Ordered, 176);
  Pack("L", r, l.YTD_Pieces_Filled, 180);
  Pack("L", r, l.YTD_Dollars_Ord, 184);
  Pack("L", r, l.YTD_Dollars_Filled, 188);
  Pack("L", r, l.Primary_Vendor, 193);
  putChar(r, 197, l.Order_Type_Switch);
  Pack("B", r, l.Seas_percentage, 198);
  // The season codes first: the season date lies inside them and wins.
  putText(r, 203, 5, l.Seas_ReOrder_Codes);
  PackDate("J", r, 205, l.Seas_Date_Last_Gen);
  Pack("L", r, l.EOM_Mdse_Cost, 207);
  Pack("L", r, l.EOM_Freight_Cost, 211);
  Pack("L", r, l.EOY_Mdse_Cost, 215);
  Pack("L", r, l.EOY_Freight_Cost, 219);
  return r;
}

std::string partRecord(const SamplePart& p) {
  std::string r(kPartRecordLength, '\0');
  std::string numberAndMask = p.number;
  numberAndMask.resize(18, ' ');
  numberAndMask += p.mask;
  Pack("J", r, kInUse, 1);
  Pack("C", r, p.line, 3);
  putPacked(r, 5, 14, numberAndMask);
  Pack("C", r, p.vendor, 19);
  Pack("L", r, p.onHand, 21);
  Pack("K", r, 0, 25);
  putText(r, 28, 6, p.bin);
  Pack("D", r, p.costCents, 61);
  Pack("D", r, p.listCents, 64);
  putPacked(r, 179, 14, p.description);
  return r;
}

std::vector<std::string> purchaseOrderRecords(const SamplePurchaseOrder& order) {
  std::vector<std::string> records;
  records.reserve(6 + order.lines.size());  // `head` below stays valid
  auto next = [&]() -> std::string& {
    records.emplace_back(kPoRecordLength, '\0');
    Pack("J", records.back(), kInUse, 1);
    return records.back();
  };
  int32_t number = 0;
  std::from_chars(order.name.data(), order.name.data() + order.name.size(), number);

  std::string& head = next();
  PackDate("C", head, 3, order.orderDate);
  putText(head, 5, 6, order.buyer);
  Pack("C", head, order.vendor, 11);
  Pack("L", head, number, 13);
  Pack("L", head, order.dropShip, 17);
  Pack("B", head, order.statusFlags, 33);
  for (const std::string& comment : order.comments) putPacked(next(), 3, 35, comment);
  Pack("L", next(), order.totalCents(), 22);

  for (const SamplePoLine& line : order.lines) {
    std::string& r = next();
    Pack("J", r, static_cast<int32_t>(line.kind), 1);
    switch (line.kind) {
      case PoLineKind::Part:
        Pack("C", r, line.line, 3);
        putPacked(r, 5, 12, line.partNumber);
        Pack("K", r, line.quantity, 18);
        Pack("D", r, line.costCents, 33);
        break;
      case PoLineKind::Comment:
        putPacked(r, 3, 30, line.partNumber);
        break;
      case PoLineKind::Freight:
        putPacked(r, 5, 12, line.partNumber);
        Pack("K", r, line.quantity, 18);
        Pack("D", r, line.costCents, 33);
        break;
    }
  }
  return records;
}

}  // namespace velta::sample
