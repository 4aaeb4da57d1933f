// vendor, line, lines: the typed records of the business system; linecode: the
// line-code map; mac: this computer's adapter address.
#include <iostream>
#include <memory>

#include "base/FieldPacking.h"
#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"
#include "link/LineCodeMap.h"
#include "link/clsMACAddress.h"
#include "records/RecordText.h"
#include "records/clnLines.h"
#include "records/clsLines.h"
#include "records/clsVendor.h"
#include "tools/velta-data/Commands.h"

namespace velta::tools {

namespace {

struct RecordOptions {
  int32_t vendorNumber = 0;
  bool showSecrets = false;
  int32_t lineNumber = 0;
  bool order = false;
  bool inquiry = false;
  std::string direction;
  std::string code;
};

// The shared engine that openBusinessSystem started.
cBusinessBasic& engine(const CommandContext& context) {
  openBusinessSystem(context);
  return *engineState().engine;
}

// The record that `index` lists under `number` packed with `opCode`; NotFound unless it is there exactly.
int32_t exactRecord(cBusinessBasic& bb, const std::string& index, const char* opCode, int32_t number,
                    const std::string& what) {
  std::string op = opCode;
  std::string key(static_cast<std::size_t>(packWidth(op)), '\0');
  bb.Pack(op, key, number, 1);
  std::string buff(544, '\0');
  int32_t rec = 0;
  bb.KFind(index, buff, key, rec, true);
  if (rec < 1) throw NotFound(what + " " + std::to_string(number) + " is not in \"" + index + "\"");
  return rec;
}

template <typename Record>
void printFields(const Record& record, bool showSecrets) {
  for (const auto& [name, text] : fieldTexts(record)) {
    const bool secret = name == "LOGIN_PASSWORD" && !showSecrets;
    std::cout << name << "=" << (secret ? "***" : text) << "\n";
  }
}

void showVendor(const CommandContext& context, const RecordOptions& o) {
  auto& bb = engine(context);
  clsVendor vendor;
  vendor.Unpack(bb.LreadFile("VNDRL", exactRecord(bb, "VNDRI", "L", o.vendorNumber, "vendor")));
  printFields(vendor, o.showSecrets);
}

void showLine(const CommandContext& context, const RecordOptions& o) {
  auto& bb = engine(context);
  clsLines line;
  line.Read(exactRecord(bb, "LINEI", "C", o.lineNumber, "product line"));
  printFields(line, false);
}

void listLines(const CommandContext& context) {
  engine(context);
  const clnLines lines;
  // Each line is kept under the decimal text of its number.
  for (const auto& line : lines) std::cout << line->Line << "\n";
}

void lookUpLineCode(const CommandContext& context, const RecordOptions& o) {
  openSite(context);
  const LineCodeMap map = o.inquiry ? LineCodeMap::forInquiryControl() : LineCodeMap::forOrderControl();
  const Value code(o.code);
  std::cout << (o.direction == "rkt" ? map.hBTLineCode(code) : map.rktLineCode(code)) << "\n";
}

void showMac() {
  std::string address = clsMACAddress().GetMACAddress();
  // A count line already ends in CR LF.
  if (address.empty() || address.back() != '\n') address += '\n';
  std::cout << address;
}

}  // namespace

void addRecordCommands(CLI::App& app, CommandContext& context) {
  auto o = std::make_shared<RecordOptions>();

  auto* vendor = app.add_subcommand("vendor", "Every field of a vendor record, found through \"VNDRI\"");
  vendor->add_option("NUMBER", o->vendorNumber, "Vendor number")->required();
  vendor->add_flag("--show-secrets", o->showSecrets, "Show LOGIN_PASSWORD instead of ***");
  vendor->callback([&context, o] { context.action = [&context, o] { showVendor(context, *o); }; });

  auto* line = app.add_subcommand("line", "Every field of a product line, found exactly in \"LINEI\"");
  line->add_option("NUMBER", o->lineNumber, "Line number")->required()->check(CLI::Range(0, 65535));
  line->callback([&context, o] { context.action = [&context, o] { showLine(context, *o); }; });

  auto* lines = app.add_subcommand("lines", "The keys of every active product line (clnLines), one a line");
  lines->callback([&context] { context.action = [&context] { listLines(context); }; });

  auto* linecode = app.add_subcommand(
      "linecode", "Translate a line code with the map file: rkt CODE gives the hBT code, hbt CODE the RKT code");
  auto* order = linecode->add_flag("--order", o->order, "Find the map file as the order control does (default)");
  linecode->add_flag("--inquiry", o->inquiry, "Find the map file as the inquiry control does (cSystem.CATCON)")
      ->excludes(order);
  linecode->add_option("DIRECTION", o->direction, "rkt or hbt: the kind of CODE")
      ->required()
      ->check(CLI::IsMember({"rkt", "hbt"}));
  linecode->add_option("CODE", o->code, "The line code")->required();
  linecode->callback([&context, o] { context.action = [&context, o] { lookUpLineCode(context, *o); }; });

  auto* mac = app.add_subcommand("mac", "This computer's adapter address (clsMACAddress.GetMACAddress)");
  mac->callback([&context] { context.action = [] { showMac(); }; });
}

}  // namespace velta::tools
