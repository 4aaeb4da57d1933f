#include "tools/velta-workstation/ExchangeSettings.h"

#include <QSettings>

namespace velta::workstation {

ExchangeSettings exchangeSettings(const ExchangeFlags& flags, const QString& settingsFile) {
  QSettings settings(settingsFile, QSettings::IniFormat);
  settings.beginGroup(QStringLiteral("workstation"));
  const auto seconds = [&](const std::optional<double>& flag, const char* key) -> std::optional<double> {
    if (flag) return flag;
    bool ok = false;
    const double value = settings.value(QString::fromLatin1(key)).toDouble(&ok);
    if (ok && value > 0) return value;
    return std::nullopt;
  };
  ExchangeSettings result;
  result.connectTimeout = seconds(flags.connectTimeout, "connectTimeout");
  result.answerTimeout = seconds(flags.answerTimeout, "answerTimeout");
  result.journal = flags.journal.empty() ? settings.value(QStringLiteral("journal")).toString()
                                         : QString::fromLocal8Bit(flags.journal.c_str());
  return result;
}

}  // namespace velta::workstation
