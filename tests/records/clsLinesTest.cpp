// The product-line record on hand-made bytes: every field's place and coding,
// the year-to-date sums, the overlapping season fields, short records, and
// the record-number check of Read.
#include <gtest/gtest.h>

#include <string>

#include "base/EngineError.h"
#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"
#include "records/RecordText.h"
#include "records/clsLines.h"
#include "support/Raised.h"

namespace velta {
namespace {

using namespace std::chrono;

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

void put(std::string& rec, int position, const std::string& data) {
  rec.replace(static_cast<std::size_t>(position - 1), data.size(), data);
}

// LINEL and ELINEL of one line, 222 bytes made byte by byte; unused bytes hold 0xEE.
std::string handMadeLine() {
  std::string rec(222, '\xEE');
  put(rec, 1, bytes({0x00, 0x01}));                        // status 1
  put(rec, 3, bytes({0x00, 0x0C}));                        // Line 12
  put(rec, 5, bytes({0x59, 0xE8}));                        // Alpha_Line "ABC"
  put(rec, 7, bytes({0x5A, 0x1A, 0x70, 0x9D, 0x5C, 0x79, 0xC8, 0x00}) + std::string(12, '\0'));  // "ACME PARTS"
  put(rec, 27, "YA");                                      // Auto_Order, Comodity
  put(rec, 29, bytes({3}));
  put(rec, 33, bytes({0x01, 0x02, 0x00, 0x10, 0xFF, 0xFF}));  // 258, 16, 65535
  put(rec, 39, "ANAN01PRIOR1");
  put(rec, 51, std::string(24, '\0'));
  put(rec, 51, bytes({1, 2, 0xFF, 0xFE}));                 // price definition 1: 1, 2, -2
  put(rec, 71, bytes({6, 7, 0x00, 0x64}));                 // price definition 6: 6, 7, 100
  put(rec, 75, bytes({0, 0, 0x04, 0xD2, 0, 0, 0, 0}));     // 12.34, 0.00
  put(rec, 83, bytes({0, 0, 0, 5, 0, 0, 0x03, 0xE8, 0, 0, 0, 0xFA}));   // MTD 5, 10.00, 2.50
  put(rec, 95, bytes({0, 0, 0, 20, 0, 0, 0x30, 0x39, 0, 0, 0, 0x64}));  // YTD 20, 123.45, 1.00 without the month
  put(rec, 107, bytes({0, 0, 0, 7, 0xFF, 0xFF, 0xFF, 0x9C, 0, 0, 0, 0}));  // PYTD 7, -1.00, 0.00
  put(rec, 119, bytes({0, 30}) + "T" + bytes({0, 15}) + "Y" + bytes({0x01, 0xF4}));  // 30, T, 15, Y, 500
  put(rec, 127, bytes({0xE8, 0x0E, 12}));                  // DataBase_Name "X12", Warranty 12
  put(rec, 130, bytes({6, 0, 80, 12, 0, 90, 0, 0, 0, 0, 0, 0}));  // service policies
  put(rec, 142, "U");
  put(rec, 143, bytes({0x00, 0x01, 0x86, 0x9F, 2, 0, 0, 0x03, 0xE9}));  // 99999, 2, 1001
  put(rec, 152, bytes({0xFF, 0xFF, 0, 3, 0xFF, 0xFF, 0xFE, 0x01, 0x11, 0x70}));  // -1, 3, -2, 70000
  put(rec, 162, bytes({0, 0, 0, 1, 0, 0, 0, 2}));
  put(rec, 170, bytes({0x7F, 0xFF, 0xFF, 0, 0, 0}));       // 8388607, 0
  put(rec, 176, bytes({0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4}));
  put(rec, 193, bytes({0, 0, 0x03, 0xE9}) + "D" + bytes({50}));
  put(rec, 203, "AB");                                     // season codes; 205-206 the date, 207 on EOM
  put(rec, 205, bytes({0x50, 0x31}));                      // 2024-03-15
  put(rec, 207, bytes({0, 0, 0, 100, 0, 0, 0, 200, 0, 0, 1, 0x2C, 0, 0, 1, 0x90}));  // 100, 200, 300, 400
  return rec;
}

class LineRecord : public ::testing::Test {
 protected:
  void SetUp() override { engineState().engine = std::make_shared<cBusinessBasic>(); }
  void TearDown() override { engineState().engine.reset(); }
  clsLines line{nullptr, nullptr};
};

// Every member as "NAME=text", one a line, in declaration order.
std::string shown(const clsLines& line) {
  std::string out;
  for (const auto& [name, text] : fieldTexts(line)) out += name + "=" + text + "\n";
  return out;
}

TEST_F(LineRecord, EveryFieldFromItsPlace) {
  line.UnpackRecord(handMadeLine());
  EXPECT_EQ(shown(line), R"(Line=12
Alpha_Line=ABC
AlternateAlpha=
Line_Name=ACME PARTS
Auto_Order=Y
Comodity=A
Comodities=A
Distributor_Number=3
Stock_Depth=258
Re_Order_Percent=16
Low_GP_Waring_Perc=65535
Sequencing_ANAN=ANAN01
Sequencing_Prior=PRIOR1
Price_Def_1_Level=1
Price_Def_1_Use=2
Price_Def_1_Perc=-2
Price_Def_2_Level=0
Price_Def_2_Use=0
Price_Def_2_Perc=0
Price_Def_3_Level=0
Price_Def_3_Use=0
Price_Def_3_Perc=0
Price_Def_4_Level=0
Price_Def_4_Use=0
Price_Def_4_Perc=0
Price_Def_5_Level=0
Price_Def_5_Use=0
Price_Def_5_Perc=0
Price_Def_6_Level=6
Price_Def_6_Use=7
Price_Def_6_Perc=100
Cost_of_Mdse=12.34
Cost_of_Freight=0.00
MTD_No_Sales=5
MTD_Sales=10.00
MTD_COGS=2.50
YTD_No_Sales=25
YTD_Sales=133.45
YTD_COGS=3.50
PYTD_No_Sales=7
PYTD_Sales=-1.00
PYTD_COGS=0.00
Default_Cost_GP=30
Taxable=T
Default_Frt_Markup=15
ReCalculateMax=1
High_Stock_Amount=500
DataBase_Name=X12
Warranty=12
SerPol_No_Months_1=6
SerPol_List_Perc_1=80
SerPol_No_Months_2=12
SerPol_List_Perc_2=90
SerPol_No_Months_3=0
SerPol_List_Perc_3=0
SerPol_No_Months_4=0
SerPol_List_Perc_4=0
Line_Type=U
Unit_Counter=99999
A_P_Company=2
A_P_Vendor=1001
MTD_Items_Ordered=-1
MTD_Items_Filled=3
MTD_Pieces_Ordered=-2
MTD_Pieces_Filled=70000
MTD_Dollars_Ord=1
MTD_Dollars_Filled=2
YTD_Items_Ordered=8388607
YTD_Items_Filled=0
YTD_Pieces_Ordered=1
YTD_Pieces_Filled=2
YTD_Dollars_Ord=3
YTD_Dollars_Filled=4
Primary_Vendor=1001
Order_Type_Switch=D
Seas_percentage=50
Seas_ReOrder_Codes=ABP1
Seas_Date_Last_Gen=2024-03-15
EOM_Mdse_Cost=100
EOM_Freight_Cost=200
EOY_Mdse_Cost=300
EOY_Freight_Cost=400
RecNo=0
)");
  EXPECT_EQ(line.Line_Name, "ACME PARTS" + std::string(20, ' '));
  EXPECT_EQ(line.Seas_ReOrder_Codes, std::string("AB\x50\x31\x00", 5)) << "the date and EOM bytes read as codes";
}

TEST_F(LineRecord, YearToDateAddsTheMonthAndPackingTakesItOff) {
  std::string rec = handMadeLine();
  line.UnpackRecord(rec);
  EXPECT_EQ(line.MTD_Sales.toText(), "10.00");
  EXPECT_EQ(line.YTD_Sales.toText(), "133.45");
  EXPECT_EQ(line.YTD_No_Sales, 25);
  EXPECT_EQ(line.YTD_COGS.toText(), "3.50");
  std::string packed = rec;
  line.Pack(packed);
  EXPECT_EQ(packed.substr(98, 4), bytes({0, 0, 0x30, 0x39}));  // 12345 again
  EXPECT_EQ(packed, rec);
  // A sum past 32 bits is passed over: the field keeps its value.
  put(rec, 95, bytes({0x7F, 0xFF, 0xFF, 0xFF}));
  line.YTD_No_Sales = -3;
  line.UnpackRecord(rec);
  EXPECT_EQ(line.YTD_No_Sales, -3);
}

TEST_F(LineRecord, FlagsAndLineTypes) {
  std::string rec = handMadeLine();
  const std::pair<const char*, const char*> types[] = {{"U", "U"}, {"R", "R"}, {"X", "P"}, {" ", "P"}, {"u", "P"}};
  for (const auto& [stored, read] : types) {
    put(rec, 142, stored);
    line.UnpackRecord(rec);
    EXPECT_EQ(line.Line_Type, read) << stored;
  }
  put(rec, 124, "y");
  line.UnpackRecord(rec);
  EXPECT_EQ(line.ReCalculateMax, 0) << "only a capital Y is yes";
  line.ReCalculateMax = 5;
  line.Pack(rec);
  EXPECT_EQ(rec[123], 'Y');
  line.ReCalculateMax = 0;
  line.Pack(rec);
  EXPECT_EQ(rec[123], 'N');
}

TEST_F(LineRecord, TheLaterOfOverlappingFieldsWinsWhenPacking) {
  std::string rec = handMadeLine();
  line.UnpackRecord(rec);
  line.Seas_ReOrder_Codes = "VWXYZ";
  line.Seas_Date_Last_Gen = year_month_day(year(1968), January, day(2));  // day 2
  line.EOM_Mdse_Cost = 0x01020304;
  line.Pack(rec);
  EXPECT_EQ(rec.substr(202, 8), "VW" + bytes({0x00, 0x02, 0x01, 0x02, 0x03, 0x04}));
}

TEST_F(LineRecord, PackingOnlyOverwritesAndPadsTheCompressedFields) {
  line.UnpackRecord(handMadeLine());
  line.Alpha_Line = "AB";
  line.Line_Name = "ACME";
  std::string shortRec(100, '\x11');
  line.Pack(shortRec);
  ASSERT_EQ(shortRec.size(), 100u);
  EXPECT_EQ(line.Alpha_Line, "AB ");
  EXPECT_EQ(line.Line_Name, "ACME  ");
  EXPECT_EQ(shortRec.substr(0, 2), "\x11\x11") << "the status is not written";
  EXPECT_EQ(shortRec.substr(29, 3), "\x11\x11\x11") << "30-32 are not used";
  EXPECT_EQ(shortRec.substr(2, 6), bytes({0, 12, 0x59, 0xD8, 0x5A, 0x1A}));
  EXPECT_EQ(shortRec.substr(94, 4), bytes({0, 0, 0, 20}));
  EXPECT_EQ(shortRec.substr(98, 2), "\x11\x11") << "a field past the end is skipped";
}

TEST_F(LineRecord, ComoditiesHoldTheLineOwnCodeWhenTheFileCannotBeSearched) {
  line.Comodities = {"old", "list"};
  line.UnpackRecord(handMadeLine());
  EXPECT_EQ(line.Comodities, std::vector<std::string>{"A"});
}

TEST_F(LineRecord, ReadRefusesNumbersOutsideTheFile) {
  auto file = std::make_shared<cLogicalFile>();
  file->FileName = "LINEL";
  file->LastRecord = 5;
  clsLines bounded(file, file);
  bounded.Line = 77;
  bounded.RecNo = 3;
  for (int32_t n : {0, -1, 6}) {
    const EngineError e = test::raised([&] { bounded.Read(n); });
    EXPECT_EQ(e.number(), 81) << n;
    EXPECT_EQ(e.description(), "Illegal Record Number");
  }
  EXPECT_EQ(bounded.Line, 77);
  EXPECT_EQ(bounded.RecNo, 3);
}

TEST(LineRecordWithoutEngine, CreationNeedsTheSharedEngine) {
  ASSERT_EQ(engineState().engine, nullptr);
  EXPECT_EQ(test::raised([] { clsLines line; }).number(), err::ObjectNotSet);
}

}  // namespace
}  // namespace velta
