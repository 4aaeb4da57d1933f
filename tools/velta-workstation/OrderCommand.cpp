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
//
// --submit presses "Submit Order" after loading (with the choices of
// --ship-method, --bo-code, --bo-ship, --resale and --ship-date), --status
// presses "PO Status"; the run then lasts until controlShutdown, or until the
// control has ended its transmitting state with nothing pending (a box said
// why), and exits 0 after controlShutdown, else 3. A button that is disabled
// is not pressed: standard error says so, and the exit status is 3.
//
// The deadlines and the journal folder: ExchangeOptions.h.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEventLoop>
#include <QObject>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "order/UserControl1.h"
#include "qt/Transcript.h"
#include "tools/velta-workstation/Commands.h"
#include "tools/velta-workstation/ExchangeOptions.h"
#include "tools/velta-workstation/Host.h"
#include "tools/velta-workstation/LibrarySetup.h"

namespace velta::workstation {
namespace {

struct OrderArguments {
  HostOptions host;
  std::string po;
  bool showLoaded = false;
  bool submit = false;
  bool status = false;
  std::string shipMethod, boCode, boShip, shipDate;
  bool resale = false;
  ExchangeFlags exchange;
};

// The entry of `list` whose code (its first character) is `code`; the first
// entry ("   Default") when none is asked for.
void choose(veltaorder::UserControl1& control, const char* list, const std::string& code, const char* flag) {
  auto* box = control.findChild<QComboBox*>(QString::fromLatin1(list));
  if (!box) throw HostError(kHostFailed, std::string("the control has no ") + list);
  if (code.empty()) return;
  for (int i = 1; i < box->count(); ++i) {
    if (box->itemText(i).left(1) == QString::fromLatin1(code.c_str())) {
      box->setCurrentIndex(i);
      return;
    }
  }
  throw HostError(kBadUsage, std::string(flag) + " " + code + ": no such code in the list");
}

// The user's choices on the loaded order, as --submit sends them.
void applyChoices(veltaorder::UserControl1& control, const OrderArguments& a) {
  choose(control, "cmbSM", a.shipMethod, "--ship-method");
  choose(control, "cmbBOC", a.boCode, "--bo-code");
  choose(control, "cmbBoShip", a.boShip, "--bo-ship");
  if (a.resale) {
    if (auto* resale = control.findChild<QCheckBox*>(QStringLiteral("Check1"))) resale->setChecked(true);
  }
  if (!a.shipDate.empty()) {
    const QDate date = QDate::fromString(QString::fromLatin1(a.shipDate.c_str()), Qt::ISODate);
    auto* picker = control.findChild<QDateEdit*>(QStringLiteral("dtpSD"));
    if (picker) picker->setDate(date);
  }
}

int runOrder(int& argc, char** argv, const OrderArguments& a) {
  const auto start = clockStart(std::getenv("VELTA_NOW"));  // a malformed one is bad usage before anything runs
  Host host(argc, argv, a.host, QStringLiteral("veltaorder"));
  setUpOrderLibrary(a.host.site, start);

  veltaorder::UserControl1 control;
  bool shutdown = false;
  embed(host, control, shutdown);
  applyExchangeSettings(control, exchangeSettings(a.exchange, settingsFile(a.host)));
  control.setWindowTitle(QStringLiteral("velta-workstation: purchase order ") + QString::fromLocal8Bit(a.po.c_str()));
  control.show();
  control.setXPONum(QString::fromLatin1(a.po.c_str()));
  control.setPO();
  const auto showState = [&] {
    if (a.showLoaded) writeTranscript(velta::qt::controlBlock(control, QStringLiteral("UserControl1")));
  };
  showState();

  // A button pressed as the user would, and the run lasts until the exchange is over.
  int status = kDone;
  const char* press = a.submit ? "cmdSubmit" : a.status ? "cmdPOStat" : nullptr;
  if (press && !shutdown) {
    applyChoices(control, a);
    auto* button = control.findChild<QPushButton*>(QString::fromLatin1(press));
    if (!button || !button->isEnabled()) {
      std::cerr << "velta-workstation: \"" << (a.submit ? "Submit Order" : "PO Status")
                << "\" is disabled for purchase order " << a.po << "; nothing was pressed\n";
      status = kNoShutdown;
    } else {
      QEventLoop untilDone;
      QObject::connect(&control, &veltaorder::UserControl1::controlShutdown, &untilDone, &QEventLoop::quit,
                       Qt::QueuedConnection);
      QObject::connect(&control, &veltaorder::UserControl1::transmissionEnded, &untilDone, [&] {
        // A form may still be on its way to controlShutdown: let it finish first.
        QTimer::singleShot(0, &untilDone, [&] {
          if (!control.isTransmitting()) untilDone.quit();
        });
      });
      button->click();
      if (control.isTransmitting()) untilDone.exec();
    }
  }

  // With a display the user goes on with the order until the control is done
  // or its window is closed; after an exchange without an answer, too: the
  // user decides what comes next.
  if (!host.headless() && !shutdown && control.isVisible() && status == kDone) {
    untilDoneOrClosed(host, control);
  }

  if (press && !shutdown) status = kNoShutdown;

  showState();
  saveProperties(host, control);
  return status;
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
  cmd->add_flag("--submit", arguments->submit, "Press \"Submit Order\" after loading");
  cmd->add_flag("--status", arguments->status, "Press \"PO Status\" after loading")->excludes("--submit");
  const std::vector<std::string> methods{"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K"};
  const std::vector<std::string> codes{"0", "1", "2", "3", "4", "5", "6", "7"};
  cmd->add_option("--ship-method", arguments->shipMethod, "Ship method code, A to K (default entry otherwise)")
      ->type_name("CODE")
      ->check(CLI::IsMember(methods));
  cmd->add_option("--bo-code", arguments->boCode, "Back-order code, 0 to 7")
      ->type_name("CODE")
      ->check(CLI::IsMember(codes));
  cmd->add_option("--bo-ship", arguments->boShip, "Back-order ship method code, A to K")
      ->type_name("CODE")
      ->check(CLI::IsMember(methods));
  cmd->add_flag("--resale", arguments->resale, "Check \"Order for Resale\"");
  cmd->add_option("--ship-date", arguments->shipDate, "Requested ship date")
      ->type_name("YYYY-MM-DD")
      ->check([](const std::string& text) {
        const QDate date = QDate::fromString(QString::fromLatin1(text.c_str()), Qt::ISODate);
        return date.isValid() && text.size() == 10 ? std::string() : std::string("not a date YYYY-MM-DD: ") + text;
      });
  addExchangeOptions(*cmd, arguments->exchange);
  addHostOptions(*cmd, arguments->host);
  cmd->callback([&action, arguments] {
    action = [arguments](int& argc, char** argv) { return runOrder(argc, argv, *arguments); };
  });
}

}  // namespace velta::workstation
