// What a host sets on the controls for their exchanges: the deadlines and the
// journal folder. The flags first, then the settings file's section
// "workstation" (connectTimeout, answerTimeout, journal), else the defaults:
// the controls' own deadlines (15 s, 60 s) and the journal in
// $XDG_STATE_HOME/velta/journal (~/.local/state/velta/journal). The journal is
// off only with --no-journal, or with journal= given empty in the file.
#pragma once

#include <QString>
#include <optional>
#include <string>

namespace velta::workstation {

struct ExchangeFlags {
  std::optional<double> connectTimeout, answerTimeout;
  std::string journal;     // --journal DIR; empty: none given
  bool noJournal = false;  // --no-journal
};

struct ExchangeSettings {
  std::optional<double> connectTimeout, answerTimeout;  // seconds; none: the control's default
  QString journal;                                      // empty: no journal
};

// $XDG_STATE_HOME/velta/journal; XDG_STATE_HOME unset, empty or not an
// absolute path: ~/.local/state.
QString defaultJournalFolder();

// A value in the file that is not a number above 0 counts as none.
ExchangeSettings exchangeSettings(const ExchangeFlags& flags, const QString& settingsFile);

// Sets a control's deadlines that are given, and its journal folder ("" keeps none).
template <typename Control>
void applyExchangeSettings(Control& control, const ExchangeSettings& settings) {
  if (settings.connectTimeout) control.setConnectTimeout(*settings.connectTimeout);
  if (settings.answerTimeout) control.setAnswerTimeout(*settings.answerTimeout);
  control.setJournalFolder(settings.journal);
}

}  // namespace velta::workstation
