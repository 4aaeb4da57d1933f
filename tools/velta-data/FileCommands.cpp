// info, read, delete: logical files of the business system by name.
#include <iostream>
#include <memory>

#include "base/EngineError.h"
#include "engine/LogicalFile.h"
#include "engine/EngineState.h"
#include "engine/RecordMaintenance.h"
#include "engine/Registries.h"
#include "platform/ShareAccess.h"
#include "engine/cLinks.h"
#include "tools/velta-data/Commands.h"

namespace velta::tools {

namespace {

struct FileArguments {
  std::string name;
  int32_t record = 0;
};

// Why a logical name resolves to nothing, step by step of the resolution.
std::string whyNotFound(const std::string& name) {
  const std::string key = linkKey(name);
  const auto link = engineState().links ? engineState().links->Find(key) : nullptr;
  if (!link) {
    const std::string links = linksFilePath();
    if (shareAccess().lookup(links) != EntryKind::File) return "no links file: " + shareAccess().explain(links);
    return "no link " + key + " in " + shareAccess().explain(links);
  }
  const std::string directory = directoryFilePath(link->ResolutionFile);
  if (shareAccess().lookup(directory) != EntryKind::File)
    return "no directory file: " + shareAccess().explain(directory);
  return "no entry for it in the directory file " + shareAccess().explain(directory);
}

}  // namespace

// The logical file of that name; a name that resolves to nothing is the
// engine's -10 with the reason as its diagnosis.
LogicalFileHandle openLogical(const std::string& name, bool needsData) {
  const auto file = LogicalOpen(name);
  if (!file)
    throw DiagnosedError(EngineError(err::NotFound, "LogicalOpen", "File not Found: \"" + name + "\""),
                         whyNotFound(name));
  if (needsData && !file->OpenFile) {
    const auto link = engineState().links->Find(linkKey(name));
    const std::string data = link ? dataFilePath(directoryFilePath(link->ResolutionFile)) : name;
    throw EngineError(err::ObjectNotSet, "LogicalOpen", "no data file: " + shareAccess().explain(data));
  }
  return file;
}

namespace {

CLI::App* fileSubcommand(CLI::App& app, const std::string& name, const std::string& help, FileArguments& args,
                         bool withRecord) {
  auto* sub = app.add_subcommand(name, help);
  sub->add_option("NAME", args.name, "Logical file name, such as VNDRL or :D1:VNDRL")->required();
  if (withRecord) sub->add_option("REC", args.record, "Record number, 1 to the file's LastRecord")->required();
  return sub;
}

}  // namespace

void addFileCommands(CLI::App& app, CommandContext& context) {
  auto args = std::make_shared<FileArguments>();

  fileSubcommand(app, "info",
                 "Where a logical file lies: type=<FileType> position=<n> reclen=<n> lastrec=<n> flags=<n>", *args,
                 false)
      ->callback([&context, args] {
        context.action = [&context, args] {
          openBusinessSystem(context);
          const auto file = openLogical(args->name, false);
          std::cout << "type=" << file->FileType << " position=" << file->Position << " reclen=" << file->RecordLength
                    << " lastrec=" << file->LastRecord << " flags=" << file->Flags << "\n";
        };
      });

  fileSubcommand(app, "read", "One record of a logical file, as lower-case hex", *args, true)
      ->callback([&context, args] {
        context.action = [&context, args] {
          openBusinessSystem(context);
          std::cout << toHex(LreadFile(openLogical(args->name, true), args->record)) << "\n";
        };
      });

  fileSubcommand(app, "delete", "Delete a record of a record file: it joins the free list of record zero", *args, true)
      ->callback([&context, args] {
        context.action = [&context, args] {
          openBusinessSystem(context);
          DelRec(openLogical(args->name, true), args->record);
        };
      });
}

}  // namespace velta::tools
