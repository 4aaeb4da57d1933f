// The typed view of one product line of the business system: record n of
// "LINEL" followed by record n of "ELINEL" (the extension), plus the line's
// commodity codes from the keyed file "COMODI".
//
// It works through the shared engine (engineState().engine) and holds the two
// logical files from creation on.
//
//   clsLines line;                 // 91 when no engine has been started
//   line.Read(12);                 // 81 "Illegal Record Number" outside 1..LastRecord
//   line.Alpha_Line                // "ABC"
//   line.Comodities                // {"A", "B", "C"}: its own commodity, then the others of the line
//   line.Pack(rec);                // rec must already be long enough
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/Calendar.h"
#include "base/Currency.h"
#include "base/Value.h"
#include "records/RecordLayout.h"
#include "engine/cLogicalFile.h"

namespace velta {

class clsLines {
 public:
  // Money has four decimal places; a flag holds 1 or 0.
  int32_t Line = 0;
  std::string Alpha_Line;
  Value AlternateAlpha;  // part of the interface; nothing here fills it
  std::string Line_Name, Auto_Order, Comodity;
  std::vector<std::string> Comodities;  // not in the record: built from "COMODI"
  int32_t Distributor_Number = 0, Stock_Depth = 0, Re_Order_Percent = 0, Low_GP_Waring_Perc = 0;
  std::string Sequencing_ANAN, Sequencing_Prior;
  int32_t Price_Def_1_Level = 0, Price_Def_1_Use = 0, Price_Def_1_Perc = 0;
  int32_t Price_Def_2_Level = 0, Price_Def_2_Use = 0, Price_Def_2_Perc = 0;
  int32_t Price_Def_3_Level = 0, Price_Def_3_Use = 0, Price_Def_3_Perc = 0;
  int32_t Price_Def_4_Level = 0, Price_Def_4_Use = 0, Price_Def_4_Perc = 0;
  int32_t Price_Def_5_Level = 0, Price_Def_5_Use = 0, Price_Def_5_Perc = 0;
  int32_t Price_Def_6_Level = 0, Price_Def_6_Use = 0, Price_Def_6_Perc = 0;
  Currency Cost_of_Mdse, Cost_of_Freight;
  int32_t MTD_No_Sales = 0;
  Currency MTD_Sales, MTD_COGS;
  int32_t YTD_No_Sales = 0;  // the year-to-date figures include the month to date
  Currency YTD_Sales, YTD_COGS;
  int32_t PYTD_No_Sales = 0;
  Currency PYTD_Sales, PYTD_COGS;
  int32_t Default_Cost_GP = 0;
  std::string Taxable;
  int32_t Default_Frt_Markup = 0;
  int16_t ReCalculateMax = 0;
  int32_t High_Stock_Amount = 0;
  std::string DataBase_Name;
  int32_t Warranty = 0;
  int32_t SerPol_No_Months_1 = 0, SerPol_List_Perc_1 = 0, SerPol_No_Months_2 = 0, SerPol_List_Perc_2 = 0,
          SerPol_No_Months_3 = 0, SerPol_List_Perc_3 = 0, SerPol_No_Months_4 = 0, SerPol_List_Perc_4 = 0;
  std::string Line_Type;  // "U", "R" or "P"
  int32_t Unit_Counter = 0, A_P_Company = 0, A_P_Vendor = 0;
  int32_t MTD_Items_Ordered = 0, MTD_Items_Filled = 0, MTD_Pieces_Ordered = 0, MTD_Pieces_Filled = 0,
          MTD_Dollars_Ord = 0, MTD_Dollars_Filled = 0;
  int32_t YTD_Items_Ordered = 0, YTD_Items_Filled = 0, YTD_Pieces_Ordered = 0, YTD_Pieces_Filled = 0,
          YTD_Dollars_Ord = 0, YTD_Dollars_Filled = 0;
  int32_t Primary_Vendor = 0;
  std::string Order_Type_Switch;
  int32_t Seas_percentage = 0;
  std::string Seas_ReOrder_Codes;
  Date Seas_Date_Last_Gen = kNewRecordDate;
  int32_t EOM_Mdse_Cost = 0, EOM_Freight_Cost = 0, EOY_Mdse_Cost = 0, EOY_Freight_Cost = 0;
  int32_t RecNo = 0;  // the record number last read

  // Every member in declaration order, with its place in the record.
  static std::span<const FieldSpec<clsLines>> layout();

  // Opens "LINEL" and "ELINEL" through the shared engine (91 when there is none).
  clsLines();
  // With logical files the caller has opened (either may be none: Read then fails).
  clsLines(LogicalFileHandle lineFile, LogicalFileHandle extensionFile);

  // Reads record `RecordNumber` of both files and unpacks it. Outside 1 to
  // LINEL's LastRecord: 81 "Illegal Record Number", nothing changed. Engine
  // errors of the reads go to the caller (RecNo then stays).
  void Read(int32_t RecordNumber, bool Orb = false);

  // Writes every field into `Rec` at its place, in layout order, passing over
  // errors; never makes `Rec` longer, never writes Comodities. The compressed
  // text fields are padded with blanks to a multiple of three.
  void Pack(std::string& Rec);

  // Fills the fields from a combined record string (LINEL then ELINEL),
  // passing over the errors of every step. Public for tests and fuzzing.
  void UnpackRecord(const std::string& rec);

 private:
  void readComodities(const RecordFields& fields);

  LogicalFileHandle lineFile_;       // "LINEL"
  LogicalFileHandle extensionFile_;  // "ELINEL"
};

}  // namespace velta
