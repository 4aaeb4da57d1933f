// The vendor record: one row per member below, in declaration order, with
// the member's place and coding in the record (positions 1-based, integers
// big-endian as the engine packs them, money in whole cents). Packed text holds three characters in
// every two bytes, so a field of w bytes holds 3w/2 characters. Positions
// 1-2, 94-95 and 113 are not used; 186 on belongs to others (the distributor's
// ports and a second account, 187-200). The option byte at 5 holds seven
// flags in bits 0 to 6; bit 7 is not used and keeps its content.
#include "records/clsVendor.h"

#include "engine/EngineState.h"

namespace velta {

namespace {

using F = FieldSpec<clsVendor>;
using V = clsVendor;

const F kLayout[] = {
    F::number("C", 3, VELTA_FIELD(V, VENDOR_NUMBER)),
    F::optionBit(5, 0, VELTA_FIELD(V, COMMENT_FILE_EXISTS)),
    F::optionBit(5, 1, VELTA_FIELD(V, PRINT_COST_ON_PO)),
    F::optionBit(5, 2, VELTA_FIELD(V, LOCK_LEAD_TIME)),
    F::optionBit(5, 3, VELTA_FIELD(V, GENERATE_EOD_PO)),
    F::optionBit(5, 4, VELTA_FIELD(V, ENABLE_LINE_POINT)),
    F::optionBit(5, 5, VELTA_FIELD(V, SORT_PO_BY_COMMODITY)),
    F::optionBit(5, 6, VELTA_FIELD(V, ORDER_BY_PKG_QTY)),
    // Compressed text of 20 bytes: 30 characters.
    F::packedText(6, 20, VELTA_FIELD(V, VENDOR_NAME)),
    F::packedText(26, 20, VELTA_FIELD(V, ADDRESS_1)),
    F::packedText(46, 20, VELTA_FIELD(V, ADDRESS_2)),
    F::packedText(66, 20, VELTA_FIELD(V, ADDRESS_3)),
    F::packedText(86, 8, VELTA_FIELD(V, DEALER_ACCOUNT)),  // 12 characters
    F::number("C", 96, VELTA_FIELD(V, YTD_NUMBER_OF_POS)),
    F::money(98, VELTA_FIELD(V, YTD_DOLLARS_PURCHASED)),
    F::number("C", 102, VELTA_FIELD(V, LASTYR_NUMBER_PO)),
    F::money(104, VELTA_FIELD(V, LASTYR_PURCH)),
    F::number("C", 108, VELTA_FIELD(V, PURCHASE_GROUP)),
    F::number("C", 110, VELTA_FIELD(V, MINIMUM_ORDER)),
    F::number("B", 112, VELTA_FIELD(V, WEEKS_FOR_ORDERING)),
    F::carried(VELTA_FIELD(V, Order_Sunday)), F::carried(VELTA_FIELD(V, Order_Monday)),
    F::carried(VELTA_FIELD(V, Order_Tuesday)), F::carried(VELTA_FIELD(V, Order_Wednesday)),
    F::carried(VELTA_FIELD(V, Order_Thursday)), F::carried(VELTA_FIELD(V, Order_Friday)),
    F::carried(VELTA_FIELD(V, Order_Saturday)),
    F::number("B", 114, VELTA_FIELD(V, SAFETY_ALLOWANCE)),
    F::number("B", 115, VELTA_FIELD(V, LEAD_TIME)),
    F::date(116, VELTA_FIELD(V, DATE_LAST_EOD_PO)),
    F::number("B", 118, VELTA_FIELD(V, LAST_LEAD_TIME_1)), F::number("B", 119, VELTA_FIELD(V, LAST_LEAD_TIME_2)),
    F::number("B", 120, VELTA_FIELD(V, LAST_LEAD_TIME_3)), F::number("B", 121, VELTA_FIELD(V, LAST_LEAD_TIME_4)),
    F::number("B", 122, VELTA_FIELD(V, LAST_LEAD_TIME_5)), F::number("B", 123, VELTA_FIELD(V, LAST_LEAD_TIME_6)),
    F::number("L", 124, VELTA_FIELD(V, YTD_ITEMS)),
    F::number("L", 128, VELTA_FIELD(V, YTD_PARTS)),
    F::number("L", 132, VELTA_FIELD(V, LAST_YEAR_ITEMS)),
    F::number("L", 136, VELTA_FIELD(V, LAST_YEAR_PARTS)),
    F::text(140, 7, VELTA_FIELD(V, TRNET_SUPPLIER_CODE)),
    F::text(147, 1, VELTA_FIELD(V, TRNET_ROUND_CODE)),
    F::text(148, 3, VELTA_FIELD(V, TRNET_SPECIAL_CODE1)),
    F::text(151, 3, VELTA_FIELD(V, TRNET_SPECIAL_CODE2)),
    F::text(154, 3, VELTA_FIELD(V, TRNET_DEFAULT_PREFIX)),
    F::text(157, 1, VELTA_FIELD(V, MONEY_CONVERSION)),
    F::text(158, 1, VELTA_FIELD(V, JD_POINT)),
    F::text(159, 1, VELTA_FIELD(V, DIST_SYSTEM_TYPE)),
    F::packedText(160, 8, VELTA_FIELD(V, DIST_MODEM_NUMBER)),     // 12 characters
    F::packedText(168, 4, VELTA_FIELD(V, LOGIN_PASSWORD)),        // 6 characters
    F::packedText(172, 10, VELTA_FIELD(V, POWER_EDI_ID_NUMBER)),  // 15 characters
    F::number("L", 182, VELTA_FIELD(V, AP_VENDOR)),
};

}  // namespace

std::span<const FieldSpec<clsVendor>> clsVendor::layout() { return kLayout; }

void clsVendor::Unpack(const std::string& Rec) {
  // Every step of reading goes through the engine; without one nothing changes.
  const auto engine = engineState().engine;
  if (!engine) return;
  unpackFields(*this, kLayout, Rec, RecordFields(engine));
}

void clsVendor::Pack(std::string& Rec) { packFields(*this, kLayout, Rec, RecordFields(engineState().engine)); }

}  // namespace velta
