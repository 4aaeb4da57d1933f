// The vendor record on hand-made bytes: every field's place and coding, the
// option byte, money, compressed text, short records and the missing engine.
#include <gtest/gtest.h>

#include <string>

#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"
#include "records/RecordText.h"
#include "records/clsVendor.h"

namespace velta {
namespace {

using namespace std::chrono;

// Writes `bytes` at 1-based `position`.
void put(std::string& rec, int position, std::string_view bytes) {
  rec.replace(static_cast<std::size_t>(position - 1), bytes.size(), bytes);
}

// A vendor record of 200 bytes made byte by byte; bytes outside the fields hold 0xEE.
std::string handMadeVendor() {
  std::string rec(200, '\xEE');
  put(rec, 3, "\x03\xE9");                          // VENDOR_NUMBER 1001
  put(rec, 5, "\x45");                              // option bits 0, 2, 6
  put(rec, 6, std::string("\x5A\x1A\x70\x80", 4) + std::string(16, '\0'));  // "ACME"
  put(rec, 26, std::string(20, '\0'));              // ADDRESS_1 blank
  put(rec, 46, std::string("\x59\xE8", 2) + std::string(18, '\0'));        // "ABC"
  put(rec, 66, std::string(20, '\0'));
  put(rec, 86, std::string("\xE8\x0E", 2) + std::string(6, '\0'));          // DEALER_ACCOUNT "X12"
  put(rec, 96, std::string("\x00\x07", 2));         // YTD_NUMBER_OF_POS 7
  put(rec, 98, std::string("\x00\x01\xE2\x40", 4)); // YTD_DOLLARS_PURCHASED 123456 cents
  put(rec, 102, std::string("\x00\x02", 2));
  put(rec, 104, "\xFF\xFF\xFF\x06");                // LASTYR_PURCH -250 cents
  put(rec, 108, std::string("\x00\x03", 2));
  put(rec, 110, std::string("\x01\x00", 2));        // MINIMUM_ORDER 256
  put(rec, 112, "\x04");
  put(rec, 114, "\x05");
  put(rec, 115, "\x06");
  put(rec, 116, "\x50\x31");                        // DATE_LAST_EOD_PO day 20529: 2024-03-15
  put(rec, 118, "\x01\x02\x03\x04\x05\xFF");        // LAST_LEAD_TIME_1..6
  put(rec, 124, std::string("\x00\x00\x00\x0A", 4));
  put(rec, 128, std::string("\x00\x00\x01\x00", 4));
  put(rec, 132, std::string("\x80\x00\x00\x00", 4));  // LAST_YEAR_ITEMS, the lowest "L"
  put(rec, 136, "\x7F\xFF\xFF\xFF");
  put(rec, 140, "SUP1   R1A2B3CPR$JE");              // the plain text fields, 140-158
  put(rec, 159, "D");
  put(rec, 160, std::string("\x1F\xE3\x19\x7C\x14\x28", 6) + std::string(2, '\0'));  // "10.0.0.5"
  put(rec, 168, "\xCA\xE0\xC4\xB1");                // LOGIN_PASSWORD "SECRET"
  put(rec, 172, std::string("\x1F\xE3\x19\x7C\x14\x28", 6) + std::string(4, '\0'));  // "10.0.0.5"
  put(rec, 182, std::string("\x00\x00\x30\x39", 4)); // AP_VENDOR 12345
  return rec;
}

class VendorRecord : public ::testing::Test {
 protected:
  void SetUp() override { engineState().engine = std::make_shared<cBusinessBasic>(); }
  void TearDown() override { engineState().engine.reset(); }
};

// Every member as "NAME=text", one a line, in declaration order.
std::string shown(const clsVendor& v) {
  std::string out;
  for (const auto& [name, text] : fieldTexts(v)) out += name + "=" + text + "\n";
  return out;
}

TEST_F(VendorRecord, EveryFieldFromItsPlace) {
  clsVendor v;
  v.Unpack(handMadeVendor());
  EXPECT_EQ(shown(v), R"(VENDOR_NUMBER=1001
COMMENT_FILE_EXISTS=1
PRINT_COST_ON_PO=0
LOCK_LEAD_TIME=1
GENERATE_EOD_PO=0
ENABLE_LINE_POINT=0
SORT_PO_BY_COMMODITY=0
ORDER_BY_PKG_QTY=1
VENDOR_NAME=ACME
ADDRESS_1=
ADDRESS_2=ABC
ADDRESS_3=
DEALER_ACCOUNT=X12
YTD_NUMBER_OF_POS=7
YTD_DOLLARS_PURCHASED=1234.56
LASTYR_NUMBER_PO=2
LASTYR_PURCH=-2.50
PURCHASE_GROUP=3
MINIMUM_ORDER=256
WEEKS_FOR_ORDERING=4
Order_Sunday=0
Order_Monday=0
Order_Tuesday=0
Order_Wednesday=0
Order_Thursday=0
Order_Friday=0
Order_Saturday=0
SAFETY_ALLOWANCE=5
LEAD_TIME=6
DATE_LAST_EOD_PO=2024-03-15
LAST_LEAD_TIME_1=1
LAST_LEAD_TIME_2=2
LAST_LEAD_TIME_3=3
LAST_LEAD_TIME_4=4
LAST_LEAD_TIME_5=5
LAST_LEAD_TIME_6=255
YTD_ITEMS=10
YTD_PARTS=256
LAST_YEAR_ITEMS=-2147483648
LAST_YEAR_PARTS=2147483647
TRNET_SUPPLIER_CODE=SUP1
TRNET_ROUND_CODE=R
TRNET_SPECIAL_CODE1=1A2
TRNET_SPECIAL_CODE2=B3C
TRNET_DEFAULT_PREFIX=PR$
MONEY_CONVERSION=J
JD_POINT=E
DIST_SYSTEM_TYPE=D
DIST_MODEM_NUMBER=10.0.0.5
LOGIN_PASSWORD=SECRET
POWER_EDI_ID_NUMBER=10.0.0.5
AP_VENDOR=12345
)");
  // Compressed text comes back blank-padded to its full width.
  EXPECT_EQ(v.VENDOR_NAME, "ACME" + std::string(26, ' '));
  EXPECT_EQ(v.DEALER_ACCOUNT, "X12" + std::string(9, ' '));
  EXPECT_EQ(v.POWER_EDI_ID_NUMBER, "10.0.0.5       ");
  EXPECT_EQ(v.TRNET_SUPPLIER_CODE, "SUP1   ");
}

TEST_F(VendorRecord, OptionByteBitByBit) {
  clsVendor v;
  v.Unpack(handMadeVendor());  // 0x45: bits 0, 2 and 6
  EXPECT_EQ(v.COMMENT_FILE_EXISTS, 1);
  EXPECT_EQ(v.PRINT_COST_ON_PO, 0);
  EXPECT_EQ(v.LOCK_LEAD_TIME, 1);
  EXPECT_EQ(v.GENERATE_EOD_PO, 0);
  EXPECT_EQ(v.ENABLE_LINE_POINT, 0);
  EXPECT_EQ(v.SORT_PO_BY_COMMODITY, 0);
  EXPECT_EQ(v.ORDER_BY_PKG_QTY, 1);

  std::string rec = handMadeVendor();
  rec[4] = '\xFF';
  clsVendor zero;
  zero.Pack(rec);
  EXPECT_EQ(static_cast<unsigned char>(rec[4]), 0x80u) << "bit 7 keeps what the record holds";

  rec[4] = '\x00';
  zero.PRINT_COST_ON_PO = 1;
  zero.ORDER_BY_PKG_QTY = -1;  // any value but 0 sets the bit
  zero.Pack(rec);
  EXPECT_EQ(static_cast<unsigned char>(rec[4]), 0x42u);
}

TEST_F(VendorRecord, UnpackThenPackGivesTheSameBytes) {
  const std::string original = handMadeVendor();
  clsVendor v;
  v.Unpack(original);
  std::string rec = original;
  v.Pack(rec);
  EXPECT_EQ(rec, original);

  // Into other bytes: every field written, everything else kept.
  std::string other(200, '\x11');
  v.Pack(other);
  std::string expected = original;
  for (int p : {1, 2, 94, 95, 113}) expected[p - 1] = '\x11';
  expected.replace(185, 15, std::string(15, '\x11'));
  expected[4] = '\x45' | ('\x11' & '\x80');
  EXPECT_EQ(other, expected);
}

TEST_F(VendorRecord, MoneyIsCentsRoundedHalfToEven) {
  std::string rec = handMadeVendor();
  clsVendor v;
  v.Unpack(rec);
  EXPECT_EQ(v.YTD_DOLLARS_PURCHASED, Currency::fromUnits(12345600));
  v.YTD_DOLLARS_PURCHASED = Currency::fromUnits(1250);  // 0.125
  v.LASTYR_PURCH = Currency::fromUnits(-1350);          // -0.135
  v.Pack(rec);
  EXPECT_EQ(rec.substr(97, 4), std::string("\x00\x00\x00\x0C", 4));  // 12
  EXPECT_EQ(rec.substr(103, 4), "\xFF\xFF\xFF\xF2");                // -14
  // Past 32 bits the field is passed over and keeps its bytes.
  v.YTD_DOLLARS_PURCHASED = Currency::fromUnits(int64_t{INT32_MAX} * 100 + 100);
  v.Pack(rec);
  EXPECT_EQ(rec.substr(97, 4), std::string("\x00\x00\x00\x0C", 4));
}

TEST_F(VendorRecord, CompressedTextIsCutOrNulFilledAndPadsTheField) {
  std::string rec = handMadeVendor();
  clsVendor v;
  v.Unpack(rec);
  v.VENDOR_NAME = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";  // 36 characters
  v.ADDRESS_1 = "ACME PART";                               // 9 characters
  v.ADDRESS_2 = "ACME";                                    // padded to 6
  v.Pack(rec);
  EXPECT_EQ(v.ADDRESS_2, "ACME  ");
  EXPECT_EQ(rec.substr(45, 20), std::string("\x5A\x1A\x70\x80", 4) + std::string(16, '\0'));
  clsVendor back;
  back.Unpack(rec);
  EXPECT_EQ(back.VENDOR_NAME, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
  EXPECT_EQ(back.ADDRESS_1, "ACME PART" + std::string(21, ' '));
}

TEST_F(VendorRecord, TheOrderingDaysNeverReachTheRecord) {
  const std::string original = handMadeVendor();
  clsVendor v;
  v.Order_Sunday = 1;
  v.Order_Wednesday = 7;
  v.Order_Saturday = -1;
  v.Unpack(original);
  EXPECT_EQ(v.Order_Sunday, 1);
  EXPECT_EQ(v.Order_Wednesday, 7);
  EXPECT_EQ(v.Order_Saturday, -1);
  std::string rec = original;
  v.Pack(rec);
  EXPECT_EQ(rec, original);
}

TEST_F(VendorRecord, AShortRecordIsReadAndWrittenAsFarAsItGoes) {
  const std::string full = handMadeVendor();
  clsVendor v;
  v.AP_VENDOR = 99;
  v.YTD_NUMBER_OF_POS = 42;
  v.Unpack(full.substr(0, 50));
  EXPECT_EQ(v.VENDOR_NUMBER, 1001);
  EXPECT_EQ(v.VENDOR_NAME, "ACME" + std::string(26, ' '));
  // ADDRESS_2 starts at 46: five bytes remain, read as three words.
  EXPECT_EQ(v.ADDRESS_2, "ABC      ");
  EXPECT_EQ(v.ADDRESS_3, "");
  EXPECT_EQ(v.YTD_NUMBER_OF_POS, 42);
  EXPECT_EQ(v.AP_VENDOR, 99);

  std::string shortRec(50, '\x11');
  v.Pack(shortRec);
  ASSERT_EQ(shortRec.size(), 50u) << "packing never makes the record longer";
  EXPECT_EQ(shortRec.substr(2, 3), full.substr(2, 3));
  EXPECT_EQ(shortRec.substr(45, 5), std::string("\x59\xE8\x00\x00\x00", 5));
}

TEST(VendorRecordWithoutEngine, UnpackChangesNothingPackWritesOnlyPlainText) {
  ASSERT_EQ(engineState().engine, nullptr);
  clsVendor v;
  v.VENDOR_NUMBER = 5;
  v.VENDOR_NAME = "KEEP";
  v.Unpack(handMadeVendor());
  EXPECT_EQ(v.VENDOR_NUMBER, 5);
  EXPECT_EQ(v.VENDOR_NAME, "KEEP");
  EXPECT_EQ(v.TRNET_SUPPLIER_CODE, "");

  v.TRNET_SUPPLIER_CODE = "AB";
  v.JD_POINT = "XYZ";
  std::string rec(200, '\x11');
  v.Pack(rec);
  std::string expected(200, '\x11');
  put(expected, 140, "AB" + std::string(18, ' '));  // 140-159: the plain text fields
  put(expected, 158, "X");
  EXPECT_EQ(rec, expected);
  EXPECT_EQ(v.VENDOR_NAME, "KEEP") << "without the engine Crm never ran";
}

}  // namespace
}  // namespace velta
