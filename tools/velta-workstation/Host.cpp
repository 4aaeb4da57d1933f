#include "tools/velta-workstation/Host.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <cstdio>
#include <cstdlib>

#include "qt/Transcript.h"
#include "tools/common/SiteOptions.h"

namespace velta::workstation {

void addLocationOptions(CLI::App& command, HostOptions& options) {
  velta::tools::addSiteOptions(command, options.site);
  command.add_option("--settings", options.settings,
                     "Settings file of the persisted control properties "
                     "(default $XDG_CONFIG_HOME/velta/workstation.ini)")
      ->type_name("FILE");
}

void addHostOptions(CLI::App& command, HostOptions& options) {
  addLocationOptions(command, options);
  command.add_flag("--headless", options.headless,
                   "Run without a display: every message box and form is answered with its default button "
                   "and written to standard output as a transcript");
}

QString settingsFile(const HostOptions& options) {
  if (!options.settings.empty()) return QString::fromLocal8Bit(options.settings.c_str());
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
  return config + QStringLiteral("/velta/workstation.ini");
}

std::optional<QDateTime> clockStart(const char* text) {
  if (!text || !*text) return std::nullopt;
  static const QRegularExpression shape(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2}$"));
  const QString value = QString::fromLatin1(text);
  const QDateTime start = QDateTime::fromString(value, QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"));
  if (!shape.match(value).hasMatch() || !start.isValid()) {
    throw HostError(kBadUsage, "VELTA_NOW=" + std::string(text) + " is not a date and time YYYY-MM-DDTHH:MM:SS");
  }
  return start;
}

bool haveDisplay() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void choosePlatform(bool headless) {
  if (headless) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return;
  }
  if (!haveDisplay()) {
    throw HostError(kHostFailed, "no display to show the control on (set DISPLAY, or run with --headless)");
  }
}

void writeTranscript(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
  std::fflush(stdout);
}

void TranscriptPropertyBag::writeProperty(const QString& name, const QVariant& value, const QVariant& defaultValue) {
  writeTranscript(velta::qt::propertyLine(name, value));
  inner_.writeProperty(name, value, defaultValue);
}

Host::Host(int& argc, char** argv, const HostOptions& options, const QString& section)
    : options_(options), file_(settingsFile(options)) {
  choosePlatform(options.headless);
  app_ = std::make_unique<QApplication>(argc, argv);
  if (options.headless) presenter_ = std::make_unique<velta::qt::TranscriptPresenter>(writeTranscript);
  {
    QSettings existing(file_, QSettings::IniFormat);
    existing.beginGroup(section);
    saved_ = !existing.childKeys().isEmpty();
  }
  bag_ = std::make_unique<velta::qt::SettingsPropertyBag>(file_, section);
}

Host::~Host() = default;

void Host::saveSettings() {
  const QString folder = QFileInfo(file_).absolutePath();
  if (!QDir().mkpath(folder) || !bag_->sync()) {
    throw HostError(kHostFailed, "cannot write the settings file " + file_.toStdString());
  }
}

}  // namespace velta::workstation
