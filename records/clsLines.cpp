// The product-line record: "LINEL" record n followed by "ELINEL" record n.
// One row per member below, in declaration order, with the member's place and
// coding in the combined string (positions 1-based, integers big-endian as the
// engine packs them, money in whole cents, packed text three characters in
// every two bytes). Positions 1-2 hold the record status (read by clnLines only);
// 30-32, 192 and 199-202 are not used. The season codes (203-207), the season
// date (205-206) and EOM_Mdse_Cost (207-210) overlap: reading takes each as
// it stands, writing goes in row order, so the later row wins.
//
// Commodity list ("COMODI", keyed by the line number as "C" followed by the
// commodity code): the line's own commodity first, then the code (third key
// character) of every key that follows for the same line.
#include "records/clsLines.h"

#include <algorithm>

#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"

namespace velta {

namespace {

using F = FieldSpec<clsLines>;
using L = clsLines;

const F kLayout[] = {
    F::number("C", 3, VELTA_FIELD(L, Line)),
    F::packedText(5, 2, VELTA_FIELD(L, Alpha_Line)),   // 3 characters
    F::carried(VELTA_FIELD(L, AlternateAlpha)),
    F::packedText(7, 20, VELTA_FIELD(L, Line_Name)),   // 30 characters
    F::text(27, 1, VELTA_FIELD(L, Auto_Order)),
    F::text(28, 1, VELTA_FIELD(L, Comodity)),
    F::carried(VELTA_FIELD(L, Comodities)),  // read from "COMODI" at this point
    F::number("B", 29, VELTA_FIELD(L, Distributor_Number)),
    F::number("C", 33, VELTA_FIELD(L, Stock_Depth)),
    F::number("C", 35, VELTA_FIELD(L, Re_Order_Percent)),
    F::number("C", 37, VELTA_FIELD(L, Low_GP_Waring_Perc)),
    F::text(39, 6, VELTA_FIELD(L, Sequencing_ANAN)),
    F::text(45, 6, VELTA_FIELD(L, Sequencing_Prior)),
    // Price definition k at 51 + 4(k - 1): level, use, percent.
    F::number("B", 51, VELTA_FIELD(L, Price_Def_1_Level)), F::number("B", 52, VELTA_FIELD(L, Price_Def_1_Use)),
    F::number("J", 53, VELTA_FIELD(L, Price_Def_1_Perc)),
    F::number("B", 55, VELTA_FIELD(L, Price_Def_2_Level)), F::number("B", 56, VELTA_FIELD(L, Price_Def_2_Use)),
    F::number("J", 57, VELTA_FIELD(L, Price_Def_2_Perc)),
    F::number("B", 59, VELTA_FIELD(L, Price_Def_3_Level)), F::number("B", 60, VELTA_FIELD(L, Price_Def_3_Use)),
    F::number("J", 61, VELTA_FIELD(L, Price_Def_3_Perc)),
    F::number("B", 63, VELTA_FIELD(L, Price_Def_4_Level)), F::number("B", 64, VELTA_FIELD(L, Price_Def_4_Use)),
    F::number("J", 65, VELTA_FIELD(L, Price_Def_4_Perc)),
    F::number("B", 67, VELTA_FIELD(L, Price_Def_5_Level)), F::number("B", 68, VELTA_FIELD(L, Price_Def_5_Use)),
    F::number("J", 69, VELTA_FIELD(L, Price_Def_5_Perc)),
    F::number("B", 71, VELTA_FIELD(L, Price_Def_6_Level)), F::number("B", 72, VELTA_FIELD(L, Price_Def_6_Use)),
    F::number("J", 73, VELTA_FIELD(L, Price_Def_6_Perc)),
    F::money(75, VELTA_FIELD(L, Cost_of_Mdse)),
    F::money(79, VELTA_FIELD(L, Cost_of_Freight)),
    F::number("L", 83, VELTA_FIELD(L, MTD_No_Sales)),
    F::money(87, VELTA_FIELD(L, MTD_Sales)),
    F::money(91, VELTA_FIELD(L, MTD_COGS)),
    // The file holds the year to date without the current month.
    F::runningNumber(95, VELTA_FIELD(L, YTD_No_Sales), &L::MTD_No_Sales),
    F::runningMoney(99, VELTA_FIELD(L, YTD_Sales), &L::MTD_Sales),
    F::runningMoney(103, VELTA_FIELD(L, YTD_COGS), &L::MTD_COGS),
    F::number("L", 107, VELTA_FIELD(L, PYTD_No_Sales)),
    F::money(111, VELTA_FIELD(L, PYTD_Sales)),
    F::money(115, VELTA_FIELD(L, PYTD_COGS)),
    F::number("C", 119, VELTA_FIELD(L, Default_Cost_GP)),
    F::text(121, 1, VELTA_FIELD(L, Taxable)),
    F::number("C", 122, VELTA_FIELD(L, Default_Frt_Markup)),
    F::yesNo(124, VELTA_FIELD(L, ReCalculateMax)),
    F::number("C", 125, VELTA_FIELD(L, High_Stock_Amount)),
    F::packedText(127, 2, VELTA_FIELD(L, DataBase_Name)),  // 3 characters
    F::number("B", 129, VELTA_FIELD(L, Warranty)),
    // Service policy k at 130 + 3(k - 1): months, list percent.
    F::number("B", 130, VELTA_FIELD(L, SerPol_No_Months_1)),
    F::number("C", 131, VELTA_FIELD(L, SerPol_List_Perc_1)),
    F::number("B", 133, VELTA_FIELD(L, SerPol_No_Months_2)),
    F::number("C", 134, VELTA_FIELD(L, SerPol_List_Perc_2)),
    F::number("B", 136, VELTA_FIELD(L, SerPol_No_Months_3)),
    F::number("C", 137, VELTA_FIELD(L, SerPol_List_Perc_3)),
    F::number("B", 139, VELTA_FIELD(L, SerPol_No_Months_4)),
    F::number("C", 140, VELTA_FIELD(L, SerPol_List_Perc_4)),
    F::lineType(142, VELTA_FIELD(L, Line_Type)),
    F::number("L", 143, VELTA_FIELD(L, Unit_Counter)),
    F::number("B", 147, VELTA_FIELD(L, A_P_Company)),
    F::number("L", 148, VELTA_FIELD(L, A_P_Vendor)),
    F::number("J", 152, VELTA_FIELD(L, MTD_Items_Ordered)),
    F::number("J", 154, VELTA_FIELD(L, MTD_Items_Filled)),
    F::number("K", 156, VELTA_FIELD(L, MTD_Pieces_Ordered)),
    F::number("K", 159, VELTA_FIELD(L, MTD_Pieces_Filled)),
    F::number("L", 162, VELTA_FIELD(L, MTD_Dollars_Ord)),
    F::number("L", 166, VELTA_FIELD(L, MTD_Dollars_Filled)),
    F::number("K", 170, VELTA_FIELD(L, YTD_Items_Ordered)),
    F::number("K", 173, VELTA_FIELD(L, YTD_Items_Filled)),
    F::number("L", 176, VELTA_FIELD(L, YTD_Pieces_Ordered)),
    F::number("L", 180, VELTA_FIELD(L, YTD_Pieces_Filled)),
    F::number("L", 184, VELTA_FIELD(L, YTD_Dollars_Ord)),
    F::number("L", 188, VELTA_FIELD(L, YTD_Dollars_Filled)),
    F::number("L", 193, VELTA_FIELD(L, Primary_Vendor)),
    F::text(197, 1, VELTA_FIELD(L, Order_Type_Switch)),
    F::number("B", 198, VELTA_FIELD(L, Seas_percentage)),
    F::text(203, 5, VELTA_FIELD(L, Seas_ReOrder_Codes)),
    F::date(205, VELTA_FIELD(L, Seas_Date_Last_Gen)),  // "J" day number
    F::number("L", 207, VELTA_FIELD(L, EOM_Mdse_Cost)),
    F::number("L", 211, VELTA_FIELD(L, EOM_Freight_Cost)),
    F::number("L", 215, VELTA_FIELD(L, EOY_Mdse_Cost)),
    F::number("L", 219, VELTA_FIELD(L, EOY_Freight_Cost)),
    F::carried(VELTA_FIELD(L, RecNo)),
};

// A corrupt index whose leaves run in a circle must not grow the list without end:
// no line has more keys than its two key bytes after the line number can tell apart.
constexpr std::size_t kMostComodities = 1 + 256 * 256;

std::shared_ptr<cBusinessBasic> sharedEngine() {
  auto engine = engineState().engine;
  if (!engine) throw EngineError::general(err::ObjectNotSet, "clsLines");
  return engine;
}

}  // namespace

clsLines::clsLines() {
  const auto engine = sharedEngine();
  lineFile_ = engine->LogicalOpen("LINEL");
  extensionFile_ = engine->LogicalOpen("ELINEL");
}

clsLines::clsLines(LogicalFileHandle lineFile, LogicalFileHandle extensionFile)
    : lineFile_(std::move(lineFile)), extensionFile_(std::move(extensionFile)) {}

void clsLines::Read(int32_t RecordNumber, bool Orb) {
  if (!lineFile_) throw EngineError::general(err::ObjectNotSet, "clsLines");
  if (RecordNumber < 1 || RecordNumber > lineFile_->LastRecord) {
    throw EngineError(81, "clsLines", "Illegal Record Number");
  }
  const auto engine = sharedEngine();
  const std::string rec =
      engine->LreadFile(lineFile_, RecordNumber, Orb) + engine->LreadFile(extensionFile_, RecordNumber, Orb);
  UnpackRecord(rec);
  RecNo = RecordNumber;
}

std::span<const FieldSpec<clsLines>> clsLines::layout() { return kLayout; }

void clsLines::UnpackRecord(const std::string& rec) {
  const RecordFields fields(engineState().engine);
  const std::span<const F> all(kLayout);
  const auto comodities = std::find_if(all.begin(), all.end(), [](const F& f) { return f.list != nullptr; });
  const auto head = static_cast<std::size_t>(comodities - all.begin());
  unpackFields(*this, all.first(head), rec, fields);
  readComodities(fields);
  unpackFields(*this, all.subspan(head), rec, fields);
}

void clsLines::readComodities(const RecordFields& fields) {
  std::vector<std::string> list{Comodity};
  std::string key(4, '\0');
  RecordFields::passOver([&] { fields.putNumber("C", key, 1, Line); });
  key.replace(2, std::min<std::size_t>(Comodity.size(), 2), Comodity, 0, 2);
  std::string buff;
  int32_t rec = 0;
  // Each search call on its own: a failing one leaves `rec` as it was.
  const auto step = [&](bool first) {
    try {
      if (first) {
        fields.engine().KFind("COMODI", buff, key, rec, true);
      } else {
        fields.engine().KNext("COMODI", buff, key, rec, true);
      }
      return true;
    } catch (const EngineError&) {
      return false;
    }
  };
  step(true);
  bool going = step(false);
  // A search call or a key that fails ends the walk (rather than repeating the last key).
  while (going && rec > 0 && list.size() < kMostComodities) {
    bool sameLine = false;
    RecordFields::passOver([&] { sameLine = fields.number("C", key, 1) == Line; });
    if (!sameLine) break;
    list.push_back(key.substr(2, 1));
    going = step(false);
  }
  Comodities = std::move(list);
}

void clsLines::Pack(std::string& Rec) {
  const RecordFields fields(engineState().engine);
  packFields(*this, kLayout, Rec, fields);
}

}  // namespace velta
