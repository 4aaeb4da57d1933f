// The layout of a typed record class: one row per member, in declaration
// order (which is also the record's order), and the walks that read the
// fields from a record string or write them back into one.
//
// Every field is one step through the engine, and every step passes over its
// errors: a step that fails leaves its field (or its bytes) as they were and
// the next step runs. So a field that lies beyond the end of a short record
// string is skipped, and one that the string only partly holds is read or
// written only as far as the string goes. A step never makes the string longer.
//
//   using F = FieldSpec<clsVendor>;
//   const F kLayout[] = {
//       F::number("C", 3, VELTA_FIELD(clsVendor, VENDOR_NUMBER)),
//       F::packedText(6, 20, VELTA_FIELD(clsVendor, VENDOR_NAME)),
//   };
//   RecordFields fields(engineState().engine);
//   unpackFields(vendor, kLayout, rec, fields);
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "base/Calendar.h"
#include "base/Currency.h"
#include "base/EngineError.h"
#include "base/TextUtilities.h"
#include "base/Value.h"

namespace velta {

class cBusinessBasic;

// The date a new record object holds: the runtime's day zero.
inline constexpr Date kNewRecordDate{std::chrono::year{1899}, std::chrono::December, std::chrono::day{30}};

// The single steps, on one engine (none: every engine step fails with 91).
class RecordFields {
 public:
  explicit RecordFields(std::shared_ptr<cBusinessBasic> engine);

  cBusinessBasic& engine() const;

  int32_t number(const char* opCode, const std::string& rec, int32_t position) const;
  void putNumber(const char* opCode, std::string& rec, int32_t position, int32_t value) const;
  // Money is stored as whole cents ("L").
  Currency money(const std::string& rec, int32_t position) const;
  void putMoney(std::string& rec, int32_t position, Currency value) const;
  Date date(const std::string& rec, int32_t position) const;
  void putDate(std::string& rec, int32_t position, Date value) const;
  // The characters at position, as far as the string holds them (5 when it starts beyond the end).
  std::string text(const std::string& rec, int32_t position, int32_t width) const;
  // Overwrites exactly `width` characters (cut at the string's end) with the
  // value, filled with `fill` and cut to the width.
  void putText(std::string& rec, int32_t position, int32_t width, const std::string& value, char fill = ' ') const;
  // Compressed text: expanded with Ucm; written as Crm of the field (which pads
  // the caller's field with blanks to a multiple of three) filled with NUL.
  std::string packedText(const std::string& rec, int32_t position, int32_t width) const;
  void putPackedText(std::string& rec, int32_t position, int32_t width, std::string& field) const;

  // Runs one step and passes over an engine error.
  template <typename Step>
  static void passOver(Step&& step) {
    try {
      step();
    } catch (const EngineError&) {
    }
  }

 private:
  std::shared_ptr<cBusinessBasic> engine_;
};

// One field of a record class, in declaration order: where it lies in the
// record, how it is coded, and which member holds it. Positions are 1-based.
template <typename Record>
struct FieldSpec {
  enum class Coding {
    Carried,        // a member of the class that the record does not hold
    Number,         // packed integer (opCode)
    Money,          // "L" cents, divided by 100
    RunningNumber,  // "L" year to date without the month: read adds `integerBase`, write subtracts it
    RunningMoney,   // the same for money, with `currencyBase`
    Date,           // "J" day number
    Text,           // plain characters, written space-padded
    PackedText,     // compressed text, written NUL-filled
    OptionBit,      // bit `bit` of the "B" byte: 1 or 0
    YesNo,          // one character: 1 when IsYes, else 0; written YesNo
    LineType,       // one character: "U" and "R" kept, anything else "P"; written space-padded
  };

  const char* name = "";
  Coding coding = Coding::Carried;
  const char* opCode = "";
  int32_t position = 0;
  int32_t width = 0;
  int bit = 0;
  // Exactly one of these names the member (the base members only go with the running codings).
  int32_t Record::*integer = nullptr;
  int32_t Record::*integerBase = nullptr;
  Currency Record::*currency = nullptr;
  Currency Record::*currencyBase = nullptr;
  Date Record::*day = nullptr;
  std::string Record::*string = nullptr;
  int16_t Record::*flag = nullptr;
  Value Record::*value = nullptr;
  std::vector<std::string> Record::*list = nullptr;

  using S = FieldSpec;
  static S number(const char* op, int32_t pos, const char* n, int32_t Record::*m) {
    return {.name = n, .coding = Coding::Number, .opCode = op, .position = pos, .integer = m};
  }
  static S money(int32_t pos, const char* n, Currency Record::*m) {
    return {.name = n, .coding = Coding::Money, .opCode = "L", .position = pos, .currency = m};
  }
  static S runningNumber(int32_t pos, const char* n, int32_t Record::*m, int32_t Record::*monthToDate) {
    return {.name = n, .coding = Coding::RunningNumber, .opCode = "L", .position = pos, .integer = m,
            .integerBase = monthToDate};
  }
  static S runningMoney(int32_t pos, const char* n, Currency Record::*m, Currency Record::*monthToDate) {
    return {.name = n, .coding = Coding::RunningMoney, .opCode = "L", .position = pos, .currency = m,
            .currencyBase = monthToDate};
  }
  static S date(int32_t pos, const char* n, Date Record::*m) {
    return {.name = n, .coding = Coding::Date, .opCode = "J", .position = pos, .day = m};
  }
  static S text(int32_t pos, int32_t w, const char* n, std::string Record::*m) {
    return {.name = n, .coding = Coding::Text, .position = pos, .width = w, .string = m};
  }
  static S packedText(int32_t pos, int32_t w, const char* n, std::string Record::*m) {
    return {.name = n, .coding = Coding::PackedText, .position = pos, .width = w, .string = m};
  }
  static S lineType(int32_t pos, const char* n, std::string Record::*m) {
    return {.name = n, .coding = Coding::LineType, .position = pos, .width = 1, .string = m};
  }
  static S optionBit(int32_t pos, int b, const char* n, int16_t Record::*m) {
    return {.name = n, .coding = Coding::OptionBit, .opCode = "B", .position = pos, .width = 1, .bit = b, .flag = m};
  }
  static S yesNo(int32_t pos, const char* n, int16_t Record::*m) {
    return {.name = n, .coding = Coding::YesNo, .position = pos, .width = 1, .flag = m};
  }
  // Members the record does not hold: listed for their place in the class only.
  static S carried(const char* n, int32_t Record::*m) { return {.name = n, .integer = m}; }
  static S carried(const char* n, int16_t Record::*m) { return {.name = n, .flag = m}; }
  static S carried(const char* n, Value Record::*m) { return {.name = n, .value = m}; }
  static S carried(const char* n, std::vector<std::string> Record::*m) { return {.name = n, .list = m}; }
};

// A member's name and its pointer, for the rows of a layout table.
#define VELTA_FIELD(Record, member) #member, &Record::member

// Reads every field of `layout` from `rec` into `record`, in layout order.
template <typename Record>
void unpackFields(Record& record, std::type_identity_t<std::span<const FieldSpec<Record>>> layout, const std::string& rec,
                  const RecordFields& fields) {
  using Coding = typename FieldSpec<Record>::Coding;
  constexpr std::string_view source = "Unpack";
  for (const auto& f : layout) {
    RecordFields::passOver([&] {
      switch (f.coding) {
        case Coding::Carried: break;
        case Coding::Number: record.*f.integer = fields.number(f.opCode, rec, f.position); break;
        case Coding::Money: record.*f.currency = fields.money(rec, f.position); break;
        case Coding::RunningNumber: {
          const int64_t sum = int64_t{fields.number("L", rec, f.position)} + record.*f.integerBase;
          if (sum < INT32_MIN || sum > INT32_MAX) throw EngineError::general(err::Overflow, std::string(source));
          record.*f.integer = static_cast<int32_t>(sum);
          break;
        }
        case Coding::RunningMoney:
          record.*f.currency = fields.money(rec, f.position).plus(record.*f.currencyBase, source);
          break;
        case Coding::Date: record.*f.day = fields.date(rec, f.position); break;
        case Coding::Text: record.*f.string = fields.text(rec, f.position, f.width); break;
        case Coding::PackedText: record.*f.string = fields.packedText(rec, f.position, f.width); break;
        case Coding::OptionBit:
          record.*f.flag = (fields.number("B", rec, f.position) & (1 << f.bit)) != 0 ? 1 : 0;
          break;
        case Coding::YesNo: record.*f.flag = IsYes(fields.text(rec, f.position, 1)) ? 1 : 0; break;
        case Coding::LineType: {
          const std::string type = fields.text(rec, f.position, 1);
          record.*f.string = type == "U" || type == "R" ? type : "P";
          break;
        }
      }
    });
  }
}

// Writes every field of `layout` from `record` into `rec`, in layout order (so
// where fields overlap the later one wins). Compressed text fields are padded
// in `record` by Crm.
template <typename Record>
void packFields(Record& record, std::type_identity_t<std::span<const FieldSpec<Record>>> layout, std::string& rec,
                const RecordFields& fields) {
  using Coding = typename FieldSpec<Record>::Coding;
  constexpr std::string_view source = "Pack";
  for (const auto& f : layout) {
    RecordFields::passOver([&] {
      switch (f.coding) {
        case Coding::Carried: break;
        case Coding::Number: fields.putNumber(f.opCode, rec, f.position, record.*f.integer); break;
        case Coding::Money: fields.putMoney(rec, f.position, record.*f.currency); break;
        case Coding::RunningNumber: {
          const int64_t difference = int64_t{record.*f.integer} - record.*f.integerBase;
          if (difference < INT32_MIN || difference > INT32_MAX) {
            throw EngineError::general(err::Overflow, std::string(source));
          }
          fields.putNumber("L", rec, f.position, static_cast<int32_t>(difference));
          break;
        }
        case Coding::RunningMoney:
          fields.putMoney(rec, f.position, (record.*f.currency).minus(record.*f.currencyBase, source));
          break;
        case Coding::Date: fields.putDate(rec, f.position, record.*f.day); break;
        case Coding::Text:
        case Coding::LineType: fields.putText(rec, f.position, f.width, record.*f.string); break;
        case Coding::PackedText: fields.putPackedText(rec, f.position, f.width, record.*f.string); break;
        case Coding::OptionBit: {
          int32_t byte = fields.number("B", rec, f.position) & (255 - (1 << f.bit));
          if (record.*f.flag != 0) byte |= 1 << f.bit;
          fields.putNumber("B", rec, f.position, byte);
          break;
        }
        case Coding::YesNo: fields.putText(rec, f.position, 1, YesNo(record.*f.flag != 0)); break;
      }
    });
  }
}

}  // namespace velta
