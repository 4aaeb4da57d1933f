#include "tools/velta-workstation/ExchangeSettings.h"

#include <QDir>
#include <QSettings>

namespace velta::workstation {

QString defaultJournalFolder() {
  QString state = qEnvironmentVariable("XDG_STATE_HOME");
  // Relative paths are to be ignored, as the base directory rules say.
  if (state.isEmpty() || QDir::isRelativePath(state)) state = QDir::homePath() + QStringLiteral("/.local/state");
  return state + QStringLiteral("/velta/journal");
}

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
  const QString journalKey = QStringLiteral("journal");
  if (flags.noJournal) {
    result.journal.clear();
  } else if (!flags.journal.empty()) {
    result.journal = QString::fromLocal8Bit(flags.journal.c_str());
  } else if (settings.contains(journalKey)) {
    result.journal = settings.value(journalKey).toString();
  } else {
    result.journal = defaultJournalFolder();
  }
  return result;
}

}  // namespace velta::workstation
