// What every command of velta-workstation shares: the options that say where
// the business system and the settings file lie, the Qt application (on the
// offscreen platform when headless), the clock of VELTA_NOW, the transcript on
// standard output, and the property bag a control is persisted in.
//
//   HostOptions options;                   // filled by addHostOptions and parsing
//   Host host(options, "veltaorder");      // after parsing: the application exists
//   host.presenter();                      // transcript (headless) or real dialogs
#pragma once

#include <CLI/CLI.hpp>

#include <QApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "qt/Presenter.h"
#include "qt/PropertyBag.h"
#include "qt/SettingsPropertyBag.h"
#include "qt/Transcript.h"
#include "records/SiteOverrides.h"

namespace velta::workstation {

// Exit statuses.
inline constexpr int kDone = 0;            // controlShutdown, or the load finished
inline constexpr int kHostFailed = 1;      // no display, a settings file that cannot be written
inline constexpr int kBadUsage = 2;
inline constexpr int kNoShutdown = 3;      // the run ended without controlShutdown where one was expected

// A failure of the host itself (exit status 1) or of its usage (2), with the reason.
struct HostError : std::runtime_error {
  HostError(int status, const std::string& why) : std::runtime_error(why), exitStatus(status) {}
  int exitStatus;
};

struct HostOptions {
  SiteOverrides site;
  std::string settings;  // --settings FILE; empty: $XDG_CONFIG_HOME/velta/workstation.ini
  bool headless = false;
};

// --root, --shares, --server, --directory and --settings on a command (or on
// the program, for the main window).
void addLocationOptions(CLI::App& command, HostOptions& options);
// Those and --headless.
void addHostOptions(CLI::App& command, HostOptions& options);

// Where the properties are kept: --settings, else $XDG_CONFIG_HOME/velta/workstation.ini
// (XDG_CONFIG_HOME unset or empty: ~/.config).
QString settingsFile(const HostOptions& options);

// VELTA_NOW=YYYY-MM-DDTHH:MM:SS as a local date and time; none when unset or
// empty; HostError (bad usage) when malformed.
std::optional<QDateTime> clockStart(const char* text);

// True when Qt has somewhere to show windows: a platform chosen by
// QT_QPA_PLATFORM, or DISPLAY or WAYLAND_DISPLAY set.
bool haveDisplay();

// Selects the platform before the application exists: offscreen when
// headless; without a display and without --headless, HostError 1.
void choosePlatform(bool headless);

// Writes transcript blocks to standard output, ASCII and LF as they come.
void writeTranscript(const QString& text);

// A property bag that also prints what the control writes as [property] lines.
class TranscriptPropertyBag : public velta::qt::PropertyBag {
 public:
  explicit TranscriptPropertyBag(velta::qt::PropertyBag& inner) : inner_(inner) {}
  QVariant readProperty(const QString& name, const QVariant& defaultValue) override {
    return inner_.readProperty(name, defaultValue);
  }
  void writeProperty(const QString& name, const QVariant& value, const QVariant& defaultValue) override;

 private:
  velta::qt::PropertyBag& inner_;
};

// The application and what each run uses of it.
class Host {
 public:
  // `section`: the settings file's section of the control ("veltaorder").
  Host(int& argc, char** argv, const HostOptions& options, const QString& section);
  ~Host();

  velta::qt::Presenter* presenter() { return presenter_.get(); }  // none: the real dialogs
  velta::qt::SettingsPropertyBag& bag() { return *bag_; }
  // True when the settings file already has something for the control.
  bool hasSavedProperties() const { return saved_; }
  bool headless() const { return options_.headless; }
  const HostOptions& options() const { return options_; }
  QApplication& application() { return *app_; }

  // Writes the bag to its file; HostError 1 when it cannot.
  void saveSettings();

 private:
  HostOptions options_;
  QString file_;
  std::unique_ptr<QApplication> app_;
  std::unique_ptr<velta::qt::Presenter> presenter_;
  std::unique_ptr<velta::qt::SettingsPropertyBag> bag_;
  bool saved_ = false;
};

// Embeds a control as a dealer's host does: the host's presenter, the
// properties read from the settings (or a new control's), and the control
// closed on controlShutdown, which `shutdown` records (and the transcript too,
// headless).
template <typename Control>
void embed(Host& host, Control& control, bool& shutdown) {
  control.setPresenter(host.presenter());
  QObject::connect(&control, &Control::controlShutdown, &control, [&host, &control, &shutdown] {
    shutdown = true;
    if (host.headless()) writeTranscript(velta::qt::eventBlock(QStringLiteral("controlShutdown")));
    control.close();
  });
  if (host.hasSavedProperties()) {
    control.readProperties(host.bag());
  } else {
    control.initProperties();
  }
}

// With a display, the user goes on with the control until it is done or its
// window is closed.
template <typename Control>
void untilDoneOrClosed(Host& host, Control& control) {
  QEventLoop untilClosed;
  QObject::connect(&control, &Control::controlShutdown, &untilClosed, &QEventLoop::quit);
  host.application().setQuitOnLastWindowClosed(false);
  QObject::connect(&host.application(), &QApplication::lastWindowClosed, &untilClosed, &QEventLoop::quit);
  untilClosed.exec();
}

// Saves the control's properties to the settings file, printing them as
// [property] lines (headless).
template <typename Control>
void saveProperties(Host& host, const Control& control) {
  TranscriptPropertyBag bag(host.bag());
  control.writeProperties(bag);
  host.saveSettings();
}

}  // namespace velta::workstation
