// velta-data: inspect and edit the business system's files from a shell, and
// build a sample business system. Every subcommand has --help.
//
// Exit status: 0 done, 1 an engine error (the first line of standard error is
// "error <number> <source>: <description>", the engine's own words; a second
// line beginning with two blanks may say where the tool looked), 2 bad usage.
#include <CLI/CLI.hpp>

#include <iostream>

#include "base/BaseState.h"
#include "base/EngineError.h"
#include "tools/common/SiteOptions.h"
#include "tools/common/VersionFlag.h"
#include "tools/velta-data/Commands.h"

int main(int argc, char** argv) {
  CLI::App app{"velta-data: the business system's files, packed fields and check tokens, from a shell"};
  app.require_subcommand(1);
  app.set_help_all_flag("--help-all", "Show the help of every subcommand");
  velta::tools::addVersionFlag(app, "velta-data");

  velta::baseState().notice = [](const velta::Notice& notice) {
    std::cerr << (notice.title.empty() ? "notice" : notice.title) << ": " << notice.text << "\n";
  };

  velta::tools::CommandContext context;
  velta::tools::addSiteOptions(app, context.global);
  velta::tools::addCodecCommands(app, context);
  velta::tools::addLinkCommands(app, context);
  velta::tools::addJournalCommands(app, context);
  velta::tools::addFileCommands(app, context);
  velta::tools::addIndexCommands(app, context);
  velta::tools::addSampleCommands(app, context);
  velta::tools::addSiteCommands(app, context);
  velta::tools::addRecordCommands(app, context);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : 2;
  }
  try {
    context.run();
  } catch (const velta::tools::DiagnosedError& e) {
    std::cerr << e.what() << "\n  " << e.diagnosis << "\n";
    return 1;
  } catch (const velta::EngineError& e) {
    std::cerr << e.what() << "\n";
    return 1;
  } catch (const velta::tools::NotFound& e) {
    std::cerr << "velta-data: " << e.what() << "\n";
    return 1;
  } catch (const velta::tools::UsageError& e) {
    std::cerr << "velta-data: " << e.what() << "\n";
    return 2;
  }
  return 0;
}
