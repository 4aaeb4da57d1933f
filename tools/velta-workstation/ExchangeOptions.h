// The deadlines and the journal folder of both commands: --connect-timeout,
// --answer-timeout and --journal, else the settings file's section
// "workstation" (connectTimeout, answerTimeout, journal), else the control's
// own defaults (15 s, 60 s, no journal).
//
//   ExchangeOptions exchange;
//   addExchangeOptions(*command, exchange);
//   ...
//   applyExchangeOptions(control, exchange, settingsFile(hostOptions));
#pragma once

#include <CLI/CLI.hpp>

#include <QString>
#include <optional>
#include <string>

namespace velta::workstation {

struct ExchangeOptions {
  std::optional<double> connectTimeout, answerTimeout;
  std::string journal;
};

// What a run uses: the flags where given, else the settings file's values.
struct ExchangeSettings {
  std::optional<double> connectTimeout, answerTimeout;
  QString journal;  // "" keeps no journal
};

void addExchangeOptions(CLI::App& command, ExchangeOptions& options);

// A positive number of seconds in the settings counts; anything else is left
// to the control's default.
ExchangeSettings exchangeSettings(const ExchangeOptions& options, const QString& settingsFile);

template <typename Control>
void applyExchangeOptions(Control& control, const ExchangeOptions& options, const QString& settingsFile) {
  const ExchangeSettings settings = exchangeSettings(options, settingsFile);
  if (settings.connectTimeout) control.setConnectTimeout(*settings.connectTimeout);
  if (settings.answerTimeout) control.setAnswerTimeout(*settings.answerTimeout);
  control.setJournalFolder(settings.journal);
}

}  // namespace velta::workstation
