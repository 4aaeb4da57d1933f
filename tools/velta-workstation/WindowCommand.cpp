// velta-workstation with no command opens the main window (MainWindow.h) on
// the business system the options name, with both controls' properties read
// from the settings file, and saves them when the window closes. It needs a
// display; without one it says so and exits 1. The exit status is 0 once the
// window was closed, 1 when the settings file could not be written.
#include "tools/velta-workstation/WindowCommand.h"

#include <velta/version.h>

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <optional>

#include "tools/velta-workstation/ExchangeOptions.h"
#include "tools/velta-workstation/ExchangeSettings.h"
#include "tools/velta-workstation/Host.h"
#include "tools/velta-workstation/LibrarySetup.h"
#include "tools/velta-workstation/MainWindow.h"

namespace velta::workstation {

namespace {

struct WindowArguments {
  HostOptions host;
  ExchangeFlags exchange;
};

int runWindow(int& argc, char** argv, const WindowArguments& a) {
  const auto start = clockStart(std::getenv("VELTA_NOW"));  // a malformed one is bad usage before anything runs
  if (!haveDisplay()) {
    throw HostError(kHostFailed,
                    "no display to show the main window on (set DISPLAY or WAYLAND_DISPLAY; "
                    "the order and inquiry commands run without one with --headless)");
  }
  QApplication app(argc, argv);
  QApplication::setApplicationVersion(QStringLiteral(VELTA_VERSION_STRING));
  // The desktop entry's name: a desktop shows the window under its icon and name.
  QGuiApplication::setDesktopFileName(QStringLiteral("invalid.velta.workstation"));
  setUpOrderLibrary(a.host.site, start);
  setUpInquiryLibrary(a.host.site, start);
  const QString file = settingsFile(a.host);
  MainWindow window({file, a.host.site, exchangeSettings(a.exchange, file)});
  window.show();
  const int status = app.exec();
  if (!window.saveSettings()) throw HostError(kHostFailed, "cannot write the settings file " + file.toStdString());
  return status == 0 ? kDone : kHostFailed;
}

}  // namespace

void addWindowOptions(CLI::App& app, CommandAction& action) {
  auto arguments = std::make_shared<WindowArguments>();
  addLocationOptions(app, arguments->host);
  addExchangeOptions(app, arguments->exchange);
  // The window's options before a command's name would be lost on the command.
  app.callback([&app] {
    if (app.get_subcommands().empty()) return;
    for (const CLI::Option* option : app.get_options()) {
      if (option->count() > 0 && option->get_name() != "--help") {
        throw CLI::ValidationError(option->get_name(),
                                   "is an option of the main window; give a command's options after its name");
      }
    }
  });
  // Chosen unless a command's callback chooses that command instead.
  action = [arguments](int& argc, char** argv) { return runWindow(argc, argv, *arguments); };
}

}  // namespace velta::workstation
