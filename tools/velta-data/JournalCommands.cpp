// journal: the exchanges a workstation recorded in its journal folder, one a
// line, and the exact bytes of one of them.
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "base/Calendar.h"
#include "link/ExchangeJournal.h"
#include "tools/velta-data/Commands.h"

namespace velta::tools {

namespace {

struct JournalArguments {
  std::string folder;
  std::optional<std::string> po;
  std::string since;
  std::optional<std::int64_t> show;
};

std::string byteCount(const std::optional<std::string>& bytes) {
  return bytes ? std::to_string(bytes->size()) : std::string("none");
}

// ID DATE TIME OFFSET SET HOST:PORT OUTCOME request=BYTES answer=BYTES|none ref=REFERENCE
void printLine(const JournalEntry& entry) {
  std::cout << entry.id << ' ' << entry.localTime() << ' ' << entry.setNumber << ' ' << printable(entry.host) << ':'
            << entry.port << ' ' << entry.outcome << " request=" << entry.request.size()
            << " answer=" << byteCount(entry.answer) << " ref=" << printable(entry.reference) << '\n';
}

void runJournal(const JournalArguments& args) {
  JournalFilter filter;
  filter.reference = args.po;
  if (!args.since.empty()) {
    filter.since = parseIsoDate(args.since);
    if (!filter.since) throw UsageError("--since \"" + args.since + "\" is not a date YYYY-MM-DD");
  }
  const ExchangeJournal journal = ExchangeJournal::openExisting(args.folder);
  if (args.show) {
    const auto entry = journal.read(*args.show);
    if (!entry) throw NotFound("no exchange " + std::to_string(*args.show) + " in the journal");
    std::cout << entry->request << entry->answer.value_or(std::string());
    std::cout.flush();
    return;
  }
  for (const JournalEntry& entry : journal.list(filter)) printLine(entry);
}

}  // namespace

void addJournalCommands(CLI::App& app, CommandContext& context) {
  auto args = std::make_shared<JournalArguments>();
  auto* journal = app.add_subcommand(
      "journal",
      "List the exchanges of a journal folder, one a line: ID, local date, time and offset, message set, "
      "HOST:PORT, outcome, request=BYTES, answer=BYTES (none while pending), ref=PO number or inquiry id");
  journal->add_option("FOLDER", args->folder, "The journal folder the workstation was given")->required();
  auto* po = journal->add_option("--po", args->po, "Only the exchanges of this PO number (or inquiry id)")
                 ->type_name("N");
  auto* since = journal->add_option("--since", args->since, "Only the exchanges begun on this local date or later")
                    ->type_name("YYYY-MM-DD");
  journal
      ->add_option("--show", args->show,
                   "Print the bytes of exchange ID exactly as sent and received: the request (length line "
                   "included), then the answer; nothing added")
      ->type_name("ID")
      ->excludes(po)
      ->excludes(since);
  journal->callback([&context, args] { context.action = [args] { runJournal(*args); }; });
}

}  // namespace velta::tools
