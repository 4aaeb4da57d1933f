// The typed view of one record of the business system's vendor file
// ("VNDRL", found through the index "VNDRI" keyed by the vendor number as "L").
//
// It works on record strings only, through the shared engine
// (engineState().engine): without one, Unpack changes nothing and Pack writes
// only the plain text fields. Both pass over every error, field by field.
//
//   clsVendor vendor;
//   vendor.Unpack(rec);                 // rec: a "VNDRL" record
//   vendor.VENDOR_NAME                  // 30 characters, blank-padded
//   vendor.PRINT_COST_ON_PO = 1;
//   vendor.Pack(rec);                   // rec must hold 185 characters at least
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/Calendar.h"
#include "base/Currency.h"
#include "records/RecordLayout.h"

namespace velta {

class clsVendor {
 public:
  // Flags hold 1 or 0; money has four decimal places.
  int32_t VENDOR_NUMBER = 0;
  int16_t COMMENT_FILE_EXISTS = 0, PRINT_COST_ON_PO = 0, LOCK_LEAD_TIME = 0, GENERATE_EOD_PO = 0,
          ENABLE_LINE_POINT = 0, SORT_PO_BY_COMMODITY = 0, ORDER_BY_PKG_QTY = 0;
  std::string VENDOR_NAME, ADDRESS_1, ADDRESS_2, ADDRESS_3;
  std::string DEALER_ACCOUNT;
  int32_t YTD_NUMBER_OF_POS = 0;
  Currency YTD_DOLLARS_PURCHASED;
  int32_t LASTYR_NUMBER_PO = 0;
  Currency LASTYR_PURCH;
  int32_t PURCHASE_GROUP = 0, MINIMUM_ORDER = 0, WEEKS_FOR_ORDERING = 0;
  // The ordering days are the caller's: Pack and Unpack never touch them.
  int16_t Order_Sunday = 0, Order_Monday = 0, Order_Tuesday = 0, Order_Wednesday = 0, Order_Thursday = 0,
          Order_Friday = 0, Order_Saturday = 0;
  int32_t SAFETY_ALLOWANCE = 0, LEAD_TIME = 0;
  Date DATE_LAST_EOD_PO = kNewRecordDate;
  int32_t LAST_LEAD_TIME_1 = 0, LAST_LEAD_TIME_2 = 0, LAST_LEAD_TIME_3 = 0, LAST_LEAD_TIME_4 = 0,
          LAST_LEAD_TIME_5 = 0, LAST_LEAD_TIME_6 = 0;
  int32_t YTD_ITEMS = 0, YTD_PARTS = 0, LAST_YEAR_ITEMS = 0, LAST_YEAR_PARTS = 0;
  std::string TRNET_SUPPLIER_CODE, TRNET_ROUND_CODE, TRNET_SPECIAL_CODE1, TRNET_SPECIAL_CODE2,
      TRNET_DEFAULT_PREFIX;
  std::string MONEY_CONVERSION, JD_POINT, DIST_SYSTEM_TYPE;
  std::string DIST_MODEM_NUMBER, LOGIN_PASSWORD, POWER_EDI_ID_NUMBER;
  int32_t AP_VENDOR = 0;

  // Every member in declaration order, with its place in the record.
  static std::span<const FieldSpec<clsVendor>> layout();

  // Fills every field of the layout from `Rec`; `Rec` is not changed.
  void Unpack(const std::string& Rec);
  // Writes every field of the layout into `Rec` in place; positions outside
  // the fields and bit 7 of the option byte keep their content. The
  // compressed text fields are padded with blanks to a multiple of three.
  void Pack(std::string& Rec);
};

}  // namespace velta
