#include "tools/velta-workstation/ExchangeOptions.h"

#include <QSettings>

namespace velta::workstation {

void addExchangeOptions(CLI::App& command, ExchangeOptions& options) {
  const auto positive = CLI::PositiveNumber;
  command.add_option("--connect-timeout", options.connectTimeout, "Seconds to wait for the connection (15)")
      ->type_name("SECONDS")
      ->check(positive);
  command.add_option("--answer-timeout", options.answerTimeout, "Seconds to wait for the whole answer (60)")
      ->type_name("SECONDS")
      ->check(positive);
  command.add_option("--journal", options.journal, "Keep every exchange in the journal in this folder")
      ->type_name("DIR");
}

ExchangeSettings exchangeSettings(const ExchangeOptions& options, const QString& settingsFile) {
  QSettings settings(settingsFile, QSettings::IniFormat);
  settings.beginGroup(QStringLiteral("workstation"));
  const auto seconds = [&](const std::optional<double>& flag, const char* key) -> std::optional<double> {
    if (flag) return flag;
    bool ok = false;
    const double value = settings.value(QString::fromLatin1(key)).toDouble(&ok);
    if (ok && value > 0) return value;
    return std::nullopt;
  };
  ExchangeSettings out;
  out.connectTimeout = seconds(options.connectTimeout, "connectTimeout");
  out.answerTimeout = seconds(options.answerTimeout, "answerTimeout");
  out.journal = options.journal.empty() ? settings.value(QStringLiteral("journal")).toString()
                                        : QString::fromLocal8Bit(options.journal.c_str());
  return out;
}

}  // namespace velta::workstation
