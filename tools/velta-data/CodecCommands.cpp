// velta-data pack, unpack, packdate, unpackdate, crm, ucm: the engine's field
// packing and compressed text on hex strings given on the command line.
//
//   velta-data pack C 000000 -1 2         ->  00ffff
//   velta-data unpack K fffffe 1          ->  -2
//   velta-data packdate R 000000 1 2005-12-31   ->  00c81f
//   velta-data unpackdate D 002967 1      ->  1999-01-05
//   velta-data crm ABC                    ->  59e8
//   velta-data ucm 59e8                   ->  ABC
#include <iostream>
#include <memory>
#include <string>

#include "base/CompressedText.h"
#include "base/EngineError.h"
#include "base/FieldPacking.h"
#include "base/Value.h"
#include "tools/velta-data/Commands.h"

namespace velta::tools {

namespace {

// The arguments of whichever codec subcommand is chosen; they live until its action has run.
struct CodecArguments {
  std::string op, hex, value, position, date, text;
};

// A number argument by the tagged value's rules; a text that is none is bad usage.
int32_t numberArgument(const std::string& name, const std::string& text) {
  try {
    return parseInt32(text, name);
  } catch (const EngineError& e) {
    throw UsageError(name + " \"" + text + "\" is not a 32-bit number (" + e.description() + ")");
  }
}

Date dateArgument(const std::string& text) {
  const auto date = parseIsoDate(text);
  if (!date) throw UsageError("DATE \"" + text + "\" is not a date of the form YYYY-MM-DD");
  return *date;
}

CLI::App* addCodecCommand(CLI::App& app, CommandContext& context, const std::string& name,
                          const std::string& description, std::function<void()> action) {
  CLI::App* command = app.add_subcommand(name, description);
  command->callback([&context, action = std::move(action)] { context.action = action; });
  return command;
}

void addOp(CLI::App* command, CodecArguments& a, const std::string& help) {
  command->add_option("OP", a.op, help)->required()->type_name("LETTER");
}
void addHex(CLI::App* command, CodecArguments& a, const std::string& help) {
  command->add_option("HEX", a.hex, help)->required()->type_name("HEX");
}
void addPosition(CLI::App* command, CodecArguments& a) {
  command->add_option("POS", a.position, "1-based position of the field's first byte")
      ->required()
      ->type_name("NUMBER");
}

constexpr const char* kIntegerOpCodes =
    "Opcode: B, C, D unsigned 1, 2, 3 bytes; I, J, K signed 1, 2, 3 bytes; L signed 4 bytes (any case)";
constexpr const char* kDateOpCodes =
    "Opcode (capital letters only): C or J day number in 2 bytes; D or K MMDDYY in 3 bytes; R YYMMDD in 3 bytes";

}  // namespace

void addCodecCommands(CLI::App& app, CommandContext& context) {
  auto a = std::make_shared<CodecArguments>();

  CLI::App* pack = addCodecCommand(app, context, "pack",
                                   "Pack VALUE into the record HEX at POS; prints the changed record as hex", [a] {
                                     std::string data = fromHex(a->hex);
                                     const int32_t value = numberArgument("VALUE", a->value);
                                     Pack(a->op, data, value, numberArgument("POS", a->position));
                                     std::cout << toHex(data) << "\n";
                                   });
  addOp(pack, *a, kIntegerOpCodes);
  addHex(pack, *a, "The record as hex digits, two a byte");
  pack->add_option("VALUE", a->value, "The 32-bit value; its low-order bytes are stored")
      ->required()
      ->type_name("NUMBER");
  addPosition(pack, *a);
  pack->footer("Example: velta-data pack C 000000 -1 2   prints 00ffff");

  CLI::App* unpack = addCodecCommand(app, context, "unpack",
                                     "Unpack the field at POS of the record HEX; prints its value in decimal", [a] {
                                       const std::string data = fromHex(a->hex);
                                       std::cout << Unpack(a->op, data, numberArgument("POS", a->position)) << "\n";
                                     });
  addOp(unpack, *a, kIntegerOpCodes);
  addHex(unpack, *a, "The record as hex digits, two a byte");
  addPosition(unpack, *a);
  unpack->footer("Example: velta-data unpack K fffffe 1   prints -2");

  CLI::App* packDate = addCodecCommand(
      app, context, "packdate", "Pack DATE into the record HEX at POS; prints the changed record as hex", [a] {
        std::string data = fromHex(a->hex);
        const int32_t position = numberArgument("POS", a->position);
        PackDate(a->op, data, position, dateArgument(a->date));
        std::cout << toHex(data) << "\n";
      });
  addOp(packDate, *a, std::string(kDateOpCodes) + "; any other opcode leaves the record unchanged");
  addHex(packDate, *a, "The record as hex digits, two a byte");
  addPosition(packDate, *a);
  packDate->add_option("DATE", a->date, "The date")->required()->type_name("YYYY-MM-DD");
  packDate->footer("Example: velta-data packdate R 000000 1 2005-12-31   prints 00c81f (51231)");

  CLI::App* unpackDate = addCodecCommand(
      app, context, "unpackdate",
      "Unpack the date at POS of the record HEX; prints YYYY-MM-DD (1968-01-01 for anything unreadable)", [a] {
        const std::string data = fromHex(a->hex);
        std::cout << formatIsoDate(UnPackDate(a->op, data, numberArgument("POS", a->position))) << "\n";
      });
  addOp(unpackDate, *a, kDateOpCodes);
  addHex(unpackDate, *a, "The record as hex digits, two a byte");
  addPosition(unpackDate, *a);
  unpackDate->footer("Example: velta-data unpackdate D 002967 1   prints 1999-01-05");

  CLI::App* crm = addCodecCommand(app, context, "crm",
                                  "Compress TEXT, three characters to two bytes; prints the bytes as hex", [a] {
                                    std::string text = a->text;
                                    std::cout << toHex(Crm(text)) << "\n";
                                  });
  crm->add_option("TEXT", a->text,
                  "Blank, comma, slash, period, digits and capital letters; anything else counts as a blank")
      ->required()
      ->type_name("TEXT");
  crm->footer("Example: velta-data crm ABC   prints 59e8 (put -- first for a text that begins with -)");

  CLI::App* ucm = addCodecCommand(app, context, "ucm", "Expand the compressed bytes HEX; prints the text", [a] {
    std::string data = fromHex(a->hex);
    std::cout << Ucm(data) << "\n";
  });
  addHex(ucm, *a, "Compressed text as hex digits, two bytes for every three characters");
  ucm->footer("Example: velta-data ucm 59e8   prints ABC");
}

}  // namespace velta::tools
