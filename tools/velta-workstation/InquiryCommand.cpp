// velta-workstation inquiry: hosts the inquiry control the way a dealer's host
// does. It restores the control's properties from the settings file (section
// "veltaiq"), sets the vendor and the host's part, shows the control, calls
// setSearch, types the --extra parts into rows 2 to 6 of the entry grid as a
// user would, presses "Begin Search" with --search and waits until the
// inquiry has ended, closes the control on controlShutdown, and saves the
// properties again.
//
// Headless, the transcript on standard output is:
//   the boxes and forms the control showed, as they came ([messagebox], [form ...]);
//   [event] controlShutdown when the control raised it;
//   with --show-loaded, [control UserControl1] after the parts were entered and again at the end;
//   [property] lines of xPart, xDesc, xQty, xLine and xVendor, last.
//
// The deadlines and the journal folder: ExchangeOptions.h.
//
// --extra LINE:PART:QTY is split at its first two ":" (the quantity keeps any
// further ones and may be empty); five at most, as the grid has five rows for them.
#include "tools/velta-workstation/InquiryCommand.h"

#include <QEventLoop>
#include <QObject>
#include <QPushButton>
#include <QAbstractItemModel>
#include <QTableView>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "inquiry/UserControl1.h"
#include "qt/Transcript.h"
#include "tools/velta-workstation/ExchangeOptions.h"
#include "tools/velta-workstation/Host.h"
#include "tools/velta-workstation/LibrarySetup.h"

namespace velta::workstation {
namespace {

constexpr std::size_t kMostExtraParts = 5;
constexpr int kPollMilliseconds = 10;

struct InquiryArguments {
  HostOptions host;
  int vendor = 0;
  std::string line, part, qty, desc;
  bool descGiven = false;
  std::vector<std::string> extra;
  bool search = false;
  bool showLoaded = false;
  ExchangeFlags exchange;
};

struct ExtraPart {
  QString line, part, qty;
};

ExtraPart splitExtra(const std::string& text) {
  const std::size_t first = text.find(':');
  const std::size_t second = first == std::string::npos ? first : text.find(':', first + 1);
  if (second == std::string::npos) {
    throw HostError(kBadUsage, "--extra " + text + " is not LINE:PART:QTY");
  }
  const auto latin1 = [](const std::string& s) { return QString::fromLatin1(s.data(), static_cast<int>(s.size())); };
  return {latin1(text.substr(0, first)), latin1(text.substr(first + 1, second - first - 1)),
          latin1(text.substr(second + 1))};
}

// Types the parts into rows 2 to 6, through the grid's own view, as a user does.
void typeExtraParts(veltaiq::UserControl1& control, const std::vector<ExtraPart>& parts) {
  QWidget* grid = control.findChild<QWidget*>(QStringLiteral("grdIQ"));
  QTableView* view = grid ? grid->findChild<QTableView*>() : nullptr;
  if (!view || !view->model()) throw HostError(kHostFailed, "the control has no entry grid grdIQ");
  QAbstractItemModel& model = *view->model();
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const int tableRow = static_cast<int>(i) + 1;  // grid row i + 2; the title row is the view's header
    const QString cells[] = {parts[i].line, parts[i].part, parts[i].qty};
    for (int col = 0; col < 3; ++col) {
      // As the view's editor hands over what was typed.
      if (!model.setData(model.index(tableRow, col), cells[col], Qt::EditRole)) {
        throw HostError(kHostFailed, "the entry grid has no editable row " + std::to_string(tableRow + 1));
      }
    }
  }
}

QString controlState(const veltaiq::UserControl1& control) {
  return velta::qt::controlBlock(control, QStringLiteral("UserControl1"));
}

int runInquiry(int& argc, char** argv, const InquiryArguments& a) {
  if (a.extra.size() > kMostExtraParts) {
    throw HostError(kBadUsage, "at most five --extra parts: the entry grid has five rows for them");
  }
  std::vector<ExtraPart> extra;
  for (const std::string& text : a.extra) extra.push_back(splitExtra(text));
  const auto start = clockStart(std::getenv("VELTA_NOW"));  // a malformed one is bad usage before anything runs
  Host host(argc, argv, a.host, QStringLiteral("veltaiq"));
  setUpInquiryLibrary(a.host.site, start);

  veltaiq::UserControl1 control;
  bool shutdown = false;
  embed(host, control, shutdown);
  applyExchangeSettings(control, exchangeSettings(a.exchange, settingsFile(a.host)));
  const auto latin1 = [](const std::string& s) { return QString::fromLatin1(s.data(), static_cast<int>(s.size())); };
  control.setXVendor(a.vendor);
  control.setXLine(latin1(a.line));
  control.setXPart(latin1(a.part));
  control.setXQty(latin1(a.qty));
  if (a.descGiven) control.setXDesc(latin1(a.desc));
  control.setWindowTitle(QStringLiteral("velta-workstation: inquiry for ") + latin1(a.part));
  control.show();
  control.setSearch();
  if (!shutdown) typeExtraParts(control, extra);
  const auto showState = [&] {
    if (a.showLoaded) writeTranscript(controlState(control));
  };
  showState();

  int status = kDone;
  if (a.search && !shutdown) {
    auto* button = control.findChild<QPushButton*>(QStringLiteral("CmdSearch"));
    if (!button || !button->isEnabled()) {
      std::cerr << "velta-workstation: \"Begin Search\" is disabled; not pressed\n";
      status = kNoShutdown;
    } else {
      button->click();
      // The control ends every inquiry itself: answered, reported or at a deadline.
      QEventLoop untilEnded;
      QTimer poll;
      QObject::connect(&poll, &QTimer::timeout, &untilEnded, [&] {
        if (!control.inquiryOpen()) untilEnded.quit();
      });
      poll.start(kPollMilliseconds);
      untilEnded.exec();
    }
  }

  // With a display the user goes on until the control is done or its window is closed.
  if (!host.headless() && !shutdown && control.isVisible()) {
    untilDoneOrClosed(host, control);
  }

  showState();
  saveProperties(host, control);
  return status;
}

}  // namespace

void addInquiryCommand(CLI::App& app, CommandAction& action) {
  auto arguments = std::make_shared<InquiryArguments>();
  auto* cmd = app.add_subcommand("inquiry", "Show the inquiry control on one part and up to five more");
  cmd->add_option("--vendor", arguments->vendor, "Vendor number of the distributor in the business system")
      ->required()
      ->type_name("N");
  cmd->add_option("--line", arguments->line, "The host's part: its line code")->required()->type_name("L");
  cmd->add_option("--part", arguments->part, "The host's part: its part number")->required()->type_name("P");
  cmd->add_option("--qty", arguments->qty, "The host's part: the quantity asked for")->required()->type_name("Q");
  auto* desc = cmd->add_option("--desc", arguments->desc, "The host's part: its description (shown, never sent)")
                   ->type_name("D");
  cmd->add_option("--extra", arguments->extra,
                  "A further part typed into the entry grid (rows 2 to 6), split at the first two \":\"")
      ->type_name("LINE:PART:QTY")
      ->take_all();
  cmd->add_flag("--search", arguments->search, "Press \"Begin Search\" and wait until the inquiry has ended");
  cmd->add_flag("--show-loaded", arguments->showLoaded,
                "Print the control's state as a [control UserControl1] block after the parts were entered and at the end");
  addExchangeOptions(*cmd, arguments->exchange);
  addHostOptions(*cmd, arguments->host);
  cmd->callback([&action, arguments, desc] {
    arguments->descGiven = desc->count() > 0;
    action = [arguments](int& argc, char** argv) { return runInquiry(argc, argv, *arguments); };
  });
}

}  // namespace velta::workstation
