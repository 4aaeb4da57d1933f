#include "tools/velta-workstation/ExchangeOptions.h"

namespace velta::workstation {

void addExchangeOptions(CLI::App& command, ExchangeFlags& flags) {
  const auto positive = CLI::PositiveNumber;
  command.add_option("--connect-timeout", flags.connectTimeout, "Seconds to wait for the connection (15)")
      ->type_name("SECONDS")
      ->check(positive);
  command.add_option("--answer-timeout", flags.answerTimeout, "Seconds to wait for the whole answer (60)")
      ->type_name("SECONDS")
      ->check(positive);
  auto* journal = command
                      .add_option("--journal", flags.journal,
                                  "Keep every exchange in the journal in this folder (default: journal= of the "
                                  "settings' [workstation] section, else $XDG_STATE_HOME/velta/journal, "
                                  "~/.local/state/velta/journal)")
                      ->type_name("DIR");
  command
      .add_flag("--no-journal", flags.noJournal,
                "Keep no journal of the exchanges (as an empty journal= in the settings' [workstation] section)")
      ->excludes(journal);
}

}  // namespace velta::workstation
