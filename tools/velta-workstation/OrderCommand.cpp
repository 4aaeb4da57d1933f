// velta-workstation order: hosts the order control the way a dealer's host
// does. It restores the control's properties from the settings file (section
// "veltaorder"), shows the control, sets xPONum to the number given and calls
// setPO, closes the control on controlShutdown, and saves the properties again.
//
// Headless, the transcript on standard output is:
//   the boxes and forms the control showed, as they came ([messagebox], [form ...]);
//   [event] controlShutdown when the control raised it;
//   with --show-loaded, [control UserControl1] after setPO returned and again at the end;
//   [property] lines of xPONum and xPOSuccess, last.
#include <QEventLoop>
#include <QObject>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "order/UserControl1.h"
#include "order/WorkstationSetup.h"
#include "qt/Transcript.h"
#include "tools/velta-workstation/Commands.h"
#include "tools/velta-workstation/Host.h"

namespace velta::workstation {
namespace {

struct OrderArguments {
  HostOptions host;
  std::string po;
  bool showLoaded = false;
};

// Points the order control library's own engine at the business system.
void setUpLibrary(const HostOptions& options, const std::optional<QDateTime>& start) {
  const auto text = [](const std::string& s) { return QString::fromLocal8Bit(s.c_str()); };
  veltaorder::WorkstationSetup::setShares(text(options.site.root), text(options.site.shares));
  veltaorder::WorkstationSetup::setBusinessSystem(text(options.site.server), text(options.site.directory));
  if (start) veltaorder::WorkstationSetup::startClockAt(*start);
}

int runOrder(int& argc, char** argv, const OrderArguments& a) {
  const auto start = clockStart(std::getenv("VELTA_NOW"));  // a malformed one is bad usage before anything runs
  Host host(argc, argv, a.host, QStringLiteral("veltaorder"));
  setUpLibrary(a.host, start);

  veltaorder::UserControl1 control;
  control.setPresenter(host.presenter());
  bool shutdown = false;
  QObject::connect(&control, &veltaorder::UserControl1::controlShutdown, &control, [&] {
    shutdown = true;
    if (host.headless()) writeTranscript(velta::qt::eventBlock(QStringLiteral("controlShutdown")));
    control.close();
  });
  if (host.hasSavedProperties()) {
    control.readProperties(host.bag());
  } else {
    control.initProperties();
  }
  control.setWindowTitle(QStringLiteral("velta-workstation: purchase order ") + QString::fromLocal8Bit(a.po.c_str()));
  control.show();
  control.setXPONum(QString::fromLatin1(a.po.c_str()));
  control.setPO();
  const auto showState = [&] {
    if (a.showLoaded) writeTranscript(velta::qt::controlBlock(control, QStringLiteral("UserControl1")));
  };
  showState();

  // With a display the user goes on with the order until the control is done
  // or its window is closed.
  if (!host.headless() && !shutdown && control.isVisible()) {
    QEventLoop untilClosed;
    QObject::connect(&control, &veltaorder::UserControl1::controlShutdown, &untilClosed, &QEventLoop::quit);
    host.application().setQuitOnLastWindowClosed(false);
    QObject::connect(&host.application(), &QApplication::lastWindowClosed, &untilClosed, &QEventLoop::quit);
    untilClosed.exec();
  }

  showState();
  TranscriptPropertyBag bag(host.bag());
  control.writeProperties(bag);
  host.saveSettings();
  return kDone;
}

}  // namespace

void addOrderCommand(CLI::App& app, CommandAction& action) {
  auto arguments = std::make_shared<OrderArguments>();
  auto* cmd = app.add_subcommand("order", "Show the order control on one purchase order of the business system");
  cmd->add_option("--po", arguments->po, "Purchase-order number: the order's file in the dealer directory")
      ->required()
      ->type_name("NUMBER");
  cmd->add_flag("--show-loaded", arguments->showLoaded,
                "Print the control's state as a [control UserControl1] block after setPO and at the end");
  addHostOptions(*cmd, arguments->host);
  cmd->callback([&action, arguments] {
    action = [arguments](int& argc, char** argv) { return runOrder(argc, argv, *arguments); };
  });
}

}  // namespace velta::workstation
