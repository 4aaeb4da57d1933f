// The vendor and product-line classes on the records the sample builder lays
// out: every field as the catalog says, and packing back gives the same bytes.
#include <gtest/gtest.h>

#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"
#include "records/RecordText.h"
#include "records/clsLines.h"
#include "records/clsVendor.h"
#include "tools/sample/SampleCatalog.h"
#include "tools/sample/SampleRecords.h"

namespace velta {
namespace {

using sample::SampleCatalog;

std::string padded(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

class SampleRecords : public ::testing::Test {
 protected:
  void SetUp() override { engineState().engine = std::make_shared<cBusinessBasic>(); }
  void TearDown() override { engineState().engine.reset(); }
  const SampleCatalog catalog = sample::makeSampleCatalog(sample::PartCatalog::kMinimumParts, {});
};

TEST_F(SampleRecords, VendorsReadAsTheCatalogSaysAndPackBack) {
  for (const auto& s : catalog.vendors) {
    SCOPED_TRACE(s.VENDOR_NUMBER);
    const std::string rec = sample::vendorRecord(s);
    clsVendor v;
    v.Unpack(rec);
    EXPECT_EQ(v.VENDOR_NUMBER, s.VENDOR_NUMBER);
    const int16_t* flags[] = {&v.COMMENT_FILE_EXISTS, &v.PRINT_COST_ON_PO,     &v.LOCK_LEAD_TIME,  &v.GENERATE_EOD_PO,
                              &v.ENABLE_LINE_POINT,   &v.SORT_PO_BY_COMMODITY, &v.ORDER_BY_PKG_QTY};
    for (int bit = 0; bit < 7; ++bit) EXPECT_EQ(*flags[bit], (s.optionBits >> bit) & 1) << "bit " << bit;
    EXPECT_EQ(v.VENDOR_NAME, padded(s.VENDOR_NAME, 30));
    EXPECT_EQ(v.ADDRESS_3, padded(s.ADDRESS_3, 30));
    EXPECT_EQ(v.DEALER_ACCOUNT, padded(s.DEALER_ACCOUNT, 12));
    EXPECT_EQ(v.YTD_DOLLARS_PURCHASED, Currency::fromCents(s.ytdDollarsCents));
    EXPECT_EQ(v.LASTYR_PURCH, Currency::fromCents(s.lastYearPurchCents));
    EXPECT_EQ(v.MINIMUM_ORDER, s.MINIMUM_ORDER);
    EXPECT_EQ(v.DATE_LAST_EOD_PO, s.DATE_LAST_EOD_PO);
    EXPECT_EQ(v.LAST_LEAD_TIME_6, s.LAST_LEAD_TIME[5]);
    EXPECT_EQ(v.LAST_YEAR_PARTS, s.LAST_YEAR_PARTS);
    EXPECT_EQ(v.TRNET_SUPPLIER_CODE, padded(s.TRNET_SUPPLIER_CODE, 7));
    EXPECT_EQ(v.DIST_SYSTEM_TYPE, padded(s.DIST_SYSTEM_TYPE, 1));
    EXPECT_EQ(v.LOGIN_PASSWORD, padded(s.LOGIN_PASSWORD, 6));
    EXPECT_EQ(v.POWER_EDI_ID_NUMBER, padded(s.POWER_EDI_ID_NUMBER, 15));
    EXPECT_EQ(v.AP_VENDOR, s.AP_VENDOR);
    std::string again = rec;
    v.Pack(again);
    EXPECT_EQ(again, rec) << "the status, the ports and the sub account after 185 stay too";
  }
}

TEST_F(SampleRecords, LinesReadAsTheCatalogSaysAndPackBack) {
  for (const auto& s : catalog.lines) {
    SCOPED_TRACE(s.Line);
    const std::string rec = sample::lineRecord(s);
    clsLines l(nullptr, nullptr);
    l.UnpackRecord(rec);
    EXPECT_EQ(l.Line, s.Line);
    EXPECT_EQ(l.Alpha_Line, s.Alpha_Line);
    EXPECT_EQ(l.Line_Name, padded(s.Line_Name, 30));
    EXPECT_EQ(l.Comodity, std::string(1, s.Comodity));
    EXPECT_EQ(l.Price_Def_6_Perc, s.priceDefs[5].perc);
    EXPECT_EQ(l.Cost_of_Mdse, Currency::fromCents(s.costOfMdseCents));
    EXPECT_EQ(l.YTD_No_Sales, s.storedYtdNoSales + s.MTD_No_Sales);
    EXPECT_EQ(l.YTD_Sales, Currency::fromCents(s.storedYtdSalesCents + s.mtdSalesCents));
    EXPECT_EQ(l.YTD_COGS, Currency::fromCents(s.storedYtdCogsCents + s.mtdCogsCents));
    EXPECT_EQ(l.ReCalculateMax, s.reCalculateMax == 'Y' ? 1 : 0);
    const bool kept = s.lineType == 'U' || s.lineType == 'R';
    EXPECT_EQ(l.Line_Type, kept ? std::string(1, s.lineType) : "P");
    EXPECT_EQ(l.SerPol_List_Perc_4, s.servicePolicies[3].listPerc);
    EXPECT_EQ(l.A_P_Vendor, s.A_P_Vendor) << "A_P_Vendor spans LINEL and ELINEL";
    EXPECT_EQ(l.YTD_Dollars_Filled, s.YTD_Dollars_Filled);
    EXPECT_EQ(l.Seas_Date_Last_Gen, s.Seas_Date_Last_Gen);
    EXPECT_EQ(l.Seas_ReOrder_Codes.substr(0, 2), s.Seas_ReOrder_Codes.substr(0, 2));
    EXPECT_EQ(l.Seas_ReOrder_Codes.substr(2), rec.substr(204, 3)) << "under the date and EOM_Mdse_Cost";
    EXPECT_EQ(l.EOM_Mdse_Cost, s.EOM_Mdse_Cost);
    EXPECT_EQ(l.EOY_Freight_Cost, s.EOY_Freight_Cost);

    std::string again = rec;
    l.Pack(again);
    std::string expected = rec;
    expected[123] = s.reCalculateMax == 'Y' ? 'Y' : 'N';  // "y" reads as 0 and is written "N"
    expected[141] = l.Line_Type[0];                         // " " and "X" read as "P"
    EXPECT_EQ(again, expected);
  }
}

}  // namespace
}  // namespace velta
