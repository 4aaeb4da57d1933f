#include "inquiry/UserControl1.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <new>
#include <optional>

#include "base/Clock.h"
#include "base/EngineError.h"
#include "base/RuntimeFormat.h"
#include "base/TextUtilities.h"
#include "base/Value.h"
#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"
#include "qt/HostWorkstation.h"
#include "link/AnswerFraming.h"
#include "link/ExchangeJournal.h"
#include "link/InquiryAnswer.h"
#include "link/InquiryRequest.h"
#include "link/LineCodeMap.h"
#include "link/MessageFields.h"
#include "link/RequestHeader.h"
#include "qt/ControlFailure.h"
#include "qt/FormParts.h"
#include "qt/Grid.h"
#include "qt/LabelArray.h"
#include "qt/Latin1.h"
#include "qt/NoticeRouting.h"
#include "qt/Presenter.h"
#include "qt/PropertyBag.h"
#include "qt/QtPresenter.h"
#include "qt/Socket.h"
#include "qt/ValueVariant.h"
#include "qt/frmException.h"
#include "records/SiteOverrides.h"

namespace veltaiq {

namespace {

using velta::qt::fromLatin1;

const QString kLibrary = QStringLiteral("veltaiq");
const QString kErrorTitle = QStringLiteral("veltaiq error");

constexpr const char* kLocatePart = " in locatePart routine";
constexpr const char* kConnect = " in ws1_connect routine";
constexpr const char* kDataArrival = " in ws1_Dataarrival routine";
constexpr const char* kSafeAgain = "; an inquiry changes nothing at the distributor, so asking again is safe";

constexpr double kDefaultConnectSeconds = 15;
constexpr double kDefaultAnswerSeconds = 60;
constexpr int kEntryRows = 6;      // row 1 the host's part, rows 2 to 6 the user's
constexpr int kEntryColumns = 4;   // Line, Part, Qty, Description
constexpr int kLastResultColumn = 14;


// Controls of this library alive now: the shared engine goes with the last.
int liveControls = 0;

using velta::qt::Failure;
using velta::qt::failureOf;

velta::EngineError exchangeError(const std::string& description) {
  return velta::EngineError(velta::err::ExchangeFailed, "Exchange", description);
}

// The runtime's Mid$: `length` bytes from the 1-based `start`, fewer at the end.
std::string mid(const std::string& text, std::size_t start, std::size_t length) {
  if (start - 1 >= text.size()) return {};
  return text.substr(start - 1, length);
}

std::string secondsText(double seconds) { return QString::number(seconds, 'g', 6).toStdString(); }

// The property as the request and the grid take it: its text.
std::string propertyText(const QVariant& value) { return velta::qt::toValue(value).toText(); }

int deadlineMilliseconds(double seconds) {
  if (!(seconds > 0)) return 0;
  return static_cast<int>(std::min(std::ceil(seconds * 1000), 2.0e9));
}

}  // namespace

struct Q_DECL_HIDDEN UserControl1::Private {
  explicit Private(UserControl1* control) : q(control) {}

  enum class Phase { Idle, Connecting, Waiting };

  UserControl1* q;
  velta::qt::Presenter* presenter = nullptr;
  bool designMode = false;  // placed in a form designer: no show handler

  QVariant part{0}, desc{0}, qty{0}, line{0}, vendor{0};
  double connectSeconds = kDefaultConnectSeconds;
  double answerSeconds = kDefaultAnswerSeconds;

  std::shared_ptr<velta::cBusinessBasic> engine;
  std::unique_ptr<velta::LineCodeMap> lineCodes;
  std::string errText;

  // From the vendor record.
  std::string vendorName, dealerAccount, subAccount, hostAddress;
  int32_t inquiryPort = 0;

  // One exchange.
  std::string outMessage, lengthLine;
  velta::AnswerFraming framing;
  Phase phase = Phase::Idle;
  QString connectedHost;
  quint16 connectedPort = 0;
  QTimer* connectDeadline = nullptr;
  QTimer* answerDeadline = nullptr;
  std::string received;  // every byte of the answer, for the journal

  // The journal, while an exchange it recorded has not been finished in it.
  QString journalFolder;
  std::optional<velta::ExchangeJournal> journal;
  std::int64_t journalId = 0;

  QLabel* lblHeader = nullptr;
  QLabel* lblDesc = nullptr;
  QLabel* lblVersion = nullptr;
  std::array<QLabel*, 9> Label1{};
  std::array<QLabel*, 5> lblSearch{};
  velta::qt::Grid* grdIQ = nullptr;
  velta::qt::Grid* grdItem = nullptr;
  QPushButton* CmdSearch = nullptr;
  QPushButton* cmdExit = nullptr;
  velta::qt::Socket* ws1 = nullptr;

  velta::qt::Presenter& shower() const { return presenter ? *presenter : velta::qt::QtPresenter::instance(); }

  void buildForm();
  void layOut();

  // Runs one entry point of the control: the engine's notices go to this
  // control's presenter, and nothing that fails gets past it. A failure is
  // reported in the error box with the routine's suffix, after ending the
  // exchange when `endsExchangeOnFailure` (an exchange that failed is over).
  template <typename Body>
  void entry(const char* suffix, Body body, bool endsExchangeOnFailure = false) {
    velta::qt::NoticeScope notices(shower(), q, kLibrary);
    try {
      body();
    } catch (...) {
      const Failure failure = failureOf(std::current_exception());
      if (endsExchangeOnFailure) {
        // Before the request went out nothing can have reached the distributor.
        const velta::JournalOutcome how =
            phase == Phase::Waiting ? velta::JournalOutcome::Malformed : velta::JournalOutcome::ConnectionFailed;
        endExchange();
        finishJournal(how);
      }
      reportError(failure, suffix);
    }
  }

  // " Error " + number + "  " + description + CR LF + suffix + CR LF, kept and shown.
  void reportError(const Failure& failure, const char* suffix) {
    errText = " Error " + std::to_string(failure.number) + "  " + failure.description + "\r\n" + suffix + "\r\n";
    velta::qt::MessageBox box;
    box.text = fromLatin1(errText);
    box.title = kErrorTitle;
    box.icon = velta::qt::MessageIcon::None;
    box.buttons = velta::qt::MessageButtons::Ok;
    box.systemModal = true;
    try {
      shower().showMessage(q, box);
    } catch (...) {
      // A presenter that fails leaves the error in errText; it must not reach Qt.
    }
  }
  void reportExchange(velta::JournalOutcome how, const std::string& description, const char* suffix) {
    endExchange();
    finishJournal(how);
    reportError({velta::err::ExchangeFailed, description}, suffix);
  }

  void showHandler();
  void search();
  void locate();
  void parse(const std::string& response);
  void exitAction();

  void onConnected();
  void onDataArrival();
  void onSocketError(int number, const QString& description);
  void onClosed();
  void onConnectDeadline();
  void onAnswerDeadline();
  // Ends the open exchange, if any: no further socket events or deadlines,
  // and "Begin Search" can be pressed again.
  void endExchange();
  // Records the request about to go out; nothing is sent when it cannot be.
  void beginJournal();
  // Adds how the recorded exchange ended, once; nothing when none is recorded.
  void finishJournal(velta::JournalOutcome how);

  std::string endpoint() const {
    return velta::qt::toLatin1(connectedHost) + ":" + std::to_string(connectedPort);
  }
  std::string vendorText() const { return propertyText(vendor) + " - " + vendorName; }
  velta::InquiryRequestParts requestParts() const;
  void setProperty(QVariant& member, const QVariant& value, void (UserControl1::*changed)(const QVariant&)) {
    if (velta::qt::sameProperty(member, value)) return;
    member = value;
    emit(q->*changed)(member);
  }
};

void UserControl1::Private::buildForm() {
  using velta::qt::createLabel;
  lblHeader = createLabel(q, QStringLiteral("lblHeader"));
  lblDesc = createLabel(q, QStringLiteral("lblDesc"), QStringLiteral("Velta Parts Inquiry"));
  lblVersion = createLabel(q, QStringLiteral("lblVersion"));
  const std::pair<int, const char*> captions[] = {
      {0, "Vendor"}, {6, "IP Address"}, {7, "Account"}, {2, "Port"}, {1, "Search For"},
      {8, "You may enter up to five additional parts for inquiry."}, {5, "Results"}};
  for (const auto& [index, caption] : captions) {
    Label1[static_cast<std::size_t>(index)] = createLabel(q, QStringLiteral("Label1"), index, QString::fromLatin1(caption));
  }
  for (int index : {0, 1, 3, 4}) {
    lblSearch[static_cast<std::size_t>(index)] = createLabel(q, QStringLiteral("lblSearch"), index);
  }
  grdIQ = velta::qt::createTitledGrid(q, QStringLiteral("grdIQ"),
                                      {QStringLiteral("Line"), QStringLiteral("Part"), QStringLiteral("Qty"),
                                       QStringLiteral("Description")},
                                      {960, 1920, 960, 3000});
  grdIQ->setRows(1 + kEntryRows);
  // Row 1 is the host's part, which the request takes from the properties:
  // an edit there would be shown but never sent.
  for (int row = 2; row <= kEntryRows; ++row) {
    for (int col = 0; col < kEntryColumns; ++col) grdIQ->setEditable(row, col, true);
  }
  grdItem = velta::qt::createTitledGrid(
      q, QStringLiteral("grdItem"),
      {QStringLiteral("Line Req"), QStringLiteral("Part Req"), QStringLiteral("Qty Req"), QStringLiteral("Avail Line"),
       QStringLiteral("Avail Part"), QStringLiteral("Avail Qty"), QStringLiteral("Description"),
       QStringLiteral("Retail"), QStringLiteral("Cost"), QStringLiteral("Status Code"), QStringLiteral("Status Text"),
       QStringLiteral("Reason Code"), QStringLiteral("Location"), QStringLiteral("Date Avail"),
       QStringLiteral("Fact BO")},
      {780, 1920, 870, 885, 1920, 960, 1920, 780, 735, 960, 1980, 1545, 960, 960, 960});
  CmdSearch = new QPushButton(QStringLiteral("Begin Search"), q);
  CmdSearch->setObjectName(QStringLiteral("CmdSearch"));
  cmdExit = new QPushButton(QStringLiteral("Exit"), q);
  cmdExit->setObjectName(QStringLiteral("cmdExit"));
  ws1 = new velta::qt::Socket(q);
  ws1->setObjectName(QStringLiteral("ws1"));
  connectDeadline = new QTimer(q);
  connectDeadline->setSingleShot(true);
  answerDeadline = new QTimer(q);
  answerDeadline->setSingleShot(true);
  layOut();
}

void UserControl1::Private::layOut() {
  velta::qt::makeTitle(lblDesc);
  lblHeader->setAutoFillBackground(true);
  lblHeader->setStyleSheet(QStringLiteral("background-color: #1f3f6f;"));
  lblDesc->setStyleSheet(QStringLiteral("color: white;"));
  lblVersion->setStyleSheet(QStringLiteral("color: white;"));
  for (QLabel* value : lblSearch) {
    if (value) value->setFrameShape(QFrame::StyledPanel);
  }

  // The band lies behind the title and the version text.
  auto* band = new QGridLayout;
  band->addWidget(lblHeader, 0, 0, 1, 3);
  band->addWidget(lblDesc, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
  band->addWidget(lblVersion, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
  band->setColumnStretch(1, 1);

  auto* vendorBox = new QGridLayout;
  vendorBox->addWidget(Label1[0], 0, 0);
  vendorBox->addWidget(lblSearch[0], 0, 1, 1, 3);
  vendorBox->addWidget(Label1[6], 1, 0);
  vendorBox->addWidget(lblSearch[3], 1, 1);
  vendorBox->addWidget(Label1[2], 1, 2);
  vendorBox->addWidget(lblSearch[1], 1, 3);
  vendorBox->addWidget(Label1[7], 2, 0);
  vendorBox->addWidget(lblSearch[4], 2, 1, 1, 3);
  vendorBox->setColumnStretch(1, 2);
  vendorBox->setColumnStretch(3, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(CmdSearch);
  buttons->addWidget(cmdExit);

  auto* whole = new QVBoxLayout(q);
  whole->addLayout(band);
  whole->addLayout(vendorBox);
  whole->addWidget(Label1[1]);
  whole->addWidget(Label1[8]);
  whole->addWidget(grdIQ, 1);
  whole->addWidget(Label1[5]);
  whole->addWidget(grdItem, 2);
  whole->addLayout(buttons);
}

void UserControl1::Private::showHandler() {
  std::string version = velta::versionText(VELTA_VERSION_MAJOR, VELTA_VERSION_MINOR, VELTA_VERSION_PATCH);
  version.erase(0, version.find_first_not_of(' '));
  lblVersion->setText(fromLatin1(version));
  velta::openSite(velta::qt::hostOverrides());
  engine = velta::engineState().engine;
  // An open exchange keeps its button disabled until it has ended.
  if (phase == Phase::Idle) CmdSearch->setEnabled(true);
  lineCodes = std::make_unique<velta::LineCodeMap>(velta::LineCodeMap::forInquiryControl());
}

void UserControl1::Private::search() {
  if (!engine) throw velta::EngineError::general(velta::err::ObjectNotSet, "setSearch");
  auto& bb = *engine;
  const int32_t number = velta::qt::toValue(vendor).toInt32("setSearch");
  std::string op;
  std::string key(4, '\0');
  bb.Pack(op = "L", key, number, 1);
  std::string buff;
  int32_t rec = 0;
  bb.KFind("VNDRI", buff, key, rec, true);
  if (rec < 1) {
    // No inquiry may go out under an earlier vendor's account or address.
    vendorName.clear();
    dealerAccount.clear();
    subAccount.clear();
    hostAddress.clear();
    inquiryPort = 0;
    velta::qt::MessageBox box;
    box.text = QStringLiteral("Can not find Vendor... aborting!");
    box.title = QStringLiteral("Error");
    box.icon = velta::qt::MessageIcon::Critical;
    box.buttons = velta::qt::MessageButtons::Ok;
    shower().showMessage(q, box);
    emit q->controlShutdown();
    return;
  }
  const std::string record = bb.LreadFile("VNDRL", rec, false);
  std::string field = mid(record, 6, 20);
  vendorName = bb.Ucm(field);
  field = mid(record, 86, 8);
  dealerAccount = bb.Trun(bb.Ucm(field), 1).text();
  field = mid(record, 172, 10);
  hostAddress = bb.Ucm(field);
  inquiryPort = bb.Unpack(op = "C", record, 187);
  field = mid(record, 193, 8);
  subAccount = bb.Trun(bb.Ucm(field), 1).text();

  grdIQ->setTextMatrix(1, 0, fromLatin1(propertyText(line)));
  grdIQ->setTextMatrix(1, 1, fromLatin1(propertyText(part)));
  grdIQ->setTextMatrix(1, 2, fromLatin1(propertyText(qty)));
  grdIQ->setTextMatrix(1, 3, fromLatin1(propertyText(desc)));

  lblSearch[3]->setText(fromLatin1(hostAddress));
  lblSearch[4]->setText(fromLatin1(subAccount.empty() ? dealerAccount : dealerAccount + "/" + subAccount));
  lblSearch[0]->setText(fromLatin1(vendorText()));
  lblSearch[1]->setText(QString::number(inquiryPort));
}

velta::InquiryRequestParts UserControl1::Private::requestParts() const {
  // Text outside Latin-1 has no byte of its own in the request.
  auto latin1 = [](const QString& text, const char* field, int row) {
    if (!velta::qt::isLatin1(text)) {
      throw exchangeError(std::string("a character outside Latin-1 in the ") + field + " of row " + std::to_string(row));
    }
    return velta::qt::toLatin1(text);
  };
  auto propertyLatin1 = [&](const QVariant& value, const char* field) {
    if (value.typeId() == QMetaType::QString) return latin1(value.toString(), field, 1);
    return propertyText(value);
  };
  velta::InquiryRequestParts parts;
  parts.dealerAccount = dealerAccount;
  parts.hostPart = {propertyLatin1(line, "line code"), propertyLatin1(part, "part number"),
                    propertyLatin1(qty, "quantity")};
  for (int row = 2; row <= kEntryRows; ++row) {
    velta::InquiryPart typed{velta::qt::toLatin1(grdIQ->TextMatrix(row, 0)),
                             velta::qt::toLatin1(grdIQ->TextMatrix(row, 1)),
                             velta::qt::toLatin1(grdIQ->TextMatrix(row, 2))};
    if (velta::qualifies(typed)) {
      typed = {latin1(grdIQ->TextMatrix(row, 0), "line code", row),
               latin1(grdIQ->TextMatrix(row, 1), "part number", row),
               latin1(grdIQ->TextMatrix(row, 2), "quantity", row)};
    }
    parts.gridRows.push_back(std::move(typed));
  }
  return parts;
}

void UserControl1::Private::locate() {
  // outMessage and the framing belong to the exchange in flight.
  if (phase != Phase::Idle) throw exchangeError("an inquiry is already open; its answer comes first");
  if (!lineCodes) throw velta::EngineError::general(velta::err::ObjectNotSet, "locatePart");
  const std::string host = velta::Trun(hostAddress, 1);
  if (host.empty()) {
    throw exchangeError("no address of the distributor's inquiry service for vendor " + vendorText() +
                        "; nothing was sent");
  }
  if (inquiryPort == 0) {
    throw exchangeError("the vendor record of " + vendorText() + " gives no inquiry port; nothing was sent");
  }

  const velta::DateTime now = velta::Now();
  const auto hms = now.time();
  char date[16];
  char time[16];
  std::snprintf(date, sizeof date, "%04d%02u%02u", static_cast<int>(now.date.year()),
                static_cast<unsigned>(now.date.month()), static_cast<unsigned>(now.date.day()));
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", static_cast<int>(hms.hours().count()),
                static_cast<int>(hms.minutes().count()), static_cast<int>(hms.seconds().count()));
  const velta::RequestMoment moment{date, time};

  outMessage = velta::inquiryRequest(requestParts(), moment, *lineCodes);
  lengthLine = velta::lengthLine(outMessage);

  connectedHost = fromLatin1(host);
  connectedPort = static_cast<quint16>(inquiryPort);
  beginJournal();
  framing.reset();
  received.clear();
  phase = Phase::Connecting;
  CmdSearch->setEnabled(false);
  emit q->exchangeOpenChanged(true);
  if (const int ms = deadlineMilliseconds(connectSeconds)) connectDeadline->start(ms);
  ws1->Connect(connectedHost, connectedPort);
}

void UserControl1::Private::onConnected() {
  if (phase != Phase::Connecting) return;
  connectDeadline->stop();
  framing.reset();
  phase = Phase::Waiting;
  if (const int ms = deadlineMilliseconds(answerSeconds)) answerDeadline->start(ms);
  ws1->SendData(lengthLine);
  ws1->SendData(outMessage);
}

void UserControl1::Private::onDataArrival() {
  if (phase != Phase::Waiting) return;
  const std::string piece = ws1->GetData();
  received += piece;
  std::optional<velta::FramedAnswer> answer = framing.feed(piece);
  if (!answer) {
    if (framing.expected() > 0 && framing.buffered() > static_cast<std::size_t>(framing.expected())) {
      throw exchangeError("the answer is longer than the " + std::to_string(framing.expected()) +
                          " bytes its length line announced");
    }
    return;
  }
  // The exchange is over before the answer is shown: a late event of this
  // connection finds nothing open, and the user may ask again unless the
  // answer says otherwise.
  endExchange();
  q->parseResponse(answer->response, answer->totByte);
  // An answer that failed to show in a way the parser did not foresee.
  finishJournal(velta::JournalOutcome::Malformed);
}

void UserControl1::Private::onSocketError(int number, const QString& description) {
  if (phase == Phase::Connecting) {
    reportExchange(velta::JournalOutcome::ConnectionFailed,
                   "no connection to " + endpoint() + ": " + velta::qt::toLatin1(description) + " (" +
                       std::to_string(number) + "); nothing was sent" + kSafeAgain,
                   kLocatePart);
  } else if (phase == Phase::Waiting) {
    reportExchange(velta::JournalOutcome::ClosedEarly,
                   "the connection to " + endpoint() + " failed before the answer was complete: " +
                       velta::qt::toLatin1(description) + " (" + std::to_string(number) + ")" + kSafeAgain,
                   kDataArrival);
  }
}

void UserControl1::Private::onClosed() {
  if (phase == Phase::Idle) return;
  reportExchange(phase == Phase::Connecting ? velta::JournalOutcome::ConnectionFailed
                                            : velta::JournalOutcome::ClosedEarly,
                 "the distributor closed the connection before the answer was complete" + std::string(kSafeAgain),
                 phase == Phase::Connecting ? kLocatePart : kDataArrival);
}

void UserControl1::Private::onConnectDeadline() {
  if (phase != Phase::Connecting) return;
  reportExchange(velta::JournalOutcome::ConnectionFailed,
                 "no connection to " + endpoint() + " within " + secondsText(connectSeconds) + " s; nothing was sent" +
                     kSafeAgain,
                 kLocatePart);
}

void UserControl1::Private::onAnswerDeadline() {
  if (phase != Phase::Waiting) return;
  reportExchange(velta::JournalOutcome::TimedOut,
                 "no complete answer within " + secondsText(answerSeconds) + " s" + kSafeAgain, kDataArrival);
}

void UserControl1::Private::endExchange() {
  connectDeadline->stop();
  answerDeadline->stop();
  if (phase == Phase::Idle) return;
  phase = Phase::Idle;
  ws1->Abort();
  CmdSearch->setEnabled(true);
  emit q->exchangeOpenChanged(false);
}

void UserControl1::Private::beginJournal() {
  journal.reset();
  if (journalFolder.isEmpty()) return;
  velta::ExchangeJournal opened = velta::ExchangeJournal::open(journalFolder.toStdString());
  // An inquiry has no number of its own: the host's part names it.
  const std::string reference = velta::trimBlanks(propertyText(line)) + " " + velta::trimBlanks(propertyText(part));
  journalId = opened.begin({velta::qt::toLatin1(connectedHost), connectedPort, velta::MessageSet::Inquiry846,
                            reference, lengthLine + outMessage});
  journal = std::move(opened);
}

void UserControl1::Private::finishJournal(velta::JournalOutcome how) {
  if (!journal) return;
  try {
    journal->finish(journalId, how, received);
  } catch (...) {
    // The inquiry stays in the journal as pending, which tells the truth: its
    // outcome could not be added.
  }
  journal.reset();
}

void UserControl1::Private::parse(const std::string& response) {
  grdItem->setRows(1);
  const velta::InquiryAnswer answer = velta::parseInquiryAnswer(response);
  // The journal hears how the exchange ended before anything is shown.
  finishJournal(answer.malformed ? velta::JournalOutcome::Malformed
                : answer.exception ? velta::JournalOutcome::Exception
                                   : velta::JournalOutcome::Answered);
  if (answer.malformed && answer.exception) throw *answer.malformed;
  if (answer.exception) {
    velta::qt::frmException form(velta::qt::ExceptionWording::Inquiry, q);
    for (int i = 0; i < 5; ++i) form.lblER(i)->setText(fromLatin1(answer.exceptionFields[static_cast<std::size_t>(i)]));
    shower().showForm(q, form);
    emit q->controlShutdown();
    return;
  }
  // Cell by cell: a TAB inside a field stays in its cell.
  for (const velta::InquiryResultRow& row : answer.rows) {
    const int at = grdItem->Rows();
    grdItem->setRows(at + 1);
    for (int c = 0; c < velta::kResultColumns; ++c) {
      grdItem->setTextMatrix(at, c, fromLatin1(row[static_cast<std::size_t>(c)]));
    }
  }
  if (answer.malformed) throw *answer.malformed;
  grdItem->AutoSize(0, kLastResultColumn);
  CmdSearch->setEnabled(false);
}

void UserControl1::Private::exitAction() {
  if (phase != Phase::Idle) finishJournal(velta::JournalOutcome::Abandoned);
  endExchange();
  ws1->Close();
  emit q->controlShutdown();
}

UserControl1::UserControl1(QWidget* parent) : QWidget(parent), d_(std::make_unique<Private>(this)) {
  ++liveControls;
  d_->buildForm();
  connect(d_->CmdSearch, &QPushButton::clicked, this, [this] { LocatePart(); });
  connect(d_->cmdExit, &QPushButton::clicked, this,
          [this] { d_->entry(" in cmdExit_Click routine", [this] { d_->exitAction(); }); });
  connect(d_->ws1, &velta::qt::Socket::Connected, this,
          [this] { d_->entry(kConnect, [this] { d_->onConnected(); }, true); });
  connect(d_->ws1, &velta::qt::Socket::DataArrival, this,
          [this](qint64) { d_->entry(kDataArrival, [this] { d_->onDataArrival(); }, true); });
  connect(d_->ws1, &velta::qt::Socket::Error, this, [this](int number, const QString& description) {
    d_->entry(kDataArrival, [&] { d_->onSocketError(number, description); }, true);
  });
  connect(d_->ws1, &velta::qt::Socket::Closed, this,
          [this] { d_->entry(kDataArrival, [this] { d_->onClosed(); }, true); });
  connect(d_->connectDeadline, &QTimer::timeout, this,
          [this] { d_->entry(kLocatePart, [this] { d_->onConnectDeadline(); }, true); });
  connect(d_->answerDeadline, &QTimer::timeout, this,
          [this] { d_->entry(kDataArrival, [this] { d_->onAnswerDeadline(); }, true); });
}

UserControl1::~UserControl1() {
  try {
    // A host that ends with an inquiry open: the journal says so.
    d_->finishJournal(velta::JournalOutcome::Abandoned);
    d_->connectDeadline->stop();
    d_->answerDeadline->stop();
    d_->ws1->Abort();
    d_->lineCodes.reset();
    d_->engine.reset();
    if (--liveControls == 0) velta::engineState().engine.reset();
  } catch (...) {
    // Ending must not throw; what could not be released goes with the process.
  }
}

void UserControl1::setSearch() {
  d_->entry(" in setSearch routine", [this] { d_->search(); });
}

void UserControl1::LocatePart() {
  // A call refused because an inquiry is open must leave that one running.
  const bool opensOne = !inquiryOpen();
  d_->entry(kLocatePart, [this] { d_->locate(); }, opensOne);
}

void UserControl1::parseResponse(std::string& response, int32_t& totByte) {
  (void)totByte;
  d_->entry(" in parseResponse routine", [&] { d_->parse(response); });
}

QVariant UserControl1::xPart() const { return d_->part; }
void UserControl1::setXPart(const QVariant& value) { d_->setProperty(d_->part, value, &UserControl1::xPartChanged); }
QVariant UserControl1::xDesc() const { return d_->desc; }
void UserControl1::setXDesc(const QVariant& value) { d_->setProperty(d_->desc, value, &UserControl1::xDescChanged); }
QVariant UserControl1::xQty() const { return d_->qty; }
void UserControl1::setXQty(const QVariant& value) { d_->setProperty(d_->qty, value, &UserControl1::xQtyChanged); }
QVariant UserControl1::xLine() const { return d_->line; }
void UserControl1::setXLine(const QVariant& value) { d_->setProperty(d_->line, value, &UserControl1::xLineChanged); }
QVariant UserControl1::xVendor() const { return d_->vendor; }
void UserControl1::setXVendor(const QVariant& value) {
  d_->setProperty(d_->vendor, value, &UserControl1::xVendorChanged);
}

double UserControl1::connectTimeout() const { return d_->connectSeconds; }
void UserControl1::setConnectTimeout(double seconds) {
  if (seconds == d_->connectSeconds) return;
  d_->connectSeconds = seconds;
  emit connectTimeoutChanged(seconds);
}
double UserControl1::answerTimeout() const { return d_->answerSeconds; }
void UserControl1::setAnswerTimeout(double seconds) {
  if (seconds == d_->answerSeconds) return;
  d_->answerSeconds = seconds;
  emit answerTimeoutChanged(seconds);
}

void UserControl1::initProperties() {
  setXPart(0);
  setXDesc(0);
  setXQty(0);
  setXLine(0);
  setXVendor(0);
}

void UserControl1::readProperties(velta::qt::PropertyBag& bag) {
  setXPart(bag.readProperty(QStringLiteral("xPart"), 0));
  setXDesc(bag.readProperty(QStringLiteral("xDesc"), 0));
  setXQty(bag.readProperty(QStringLiteral("xQty"), 0));
  setXLine(bag.readProperty(QStringLiteral("xLine"), 0));
  setXVendor(bag.readProperty(QStringLiteral("xVendor"), 0));
}

void UserControl1::writeProperties(velta::qt::PropertyBag& bag) const {
  bag.writeProperty(QStringLiteral("xPart"), xPart(), 0);
  bag.writeProperty(QStringLiteral("xDesc"), xDesc(), 0);
  bag.writeProperty(QStringLiteral("xQty"), xQty(), 0);
  bag.writeProperty(QStringLiteral("xLine"), xLine(), 0);
  bag.writeProperty(QStringLiteral("xVendor"), xVendor(), 0);
}

void UserControl1::setPresenter(velta::qt::Presenter* presenter) { d_->presenter = presenter; }

QString UserControl1::errText() const { return fromLatin1(d_->errText); }

QString UserControl1::journalFolder() const { return d_->journalFolder; }
void UserControl1::setJournalFolder(const QString& folder) { d_->journalFolder = folder; }

bool UserControl1::inquiryOpen() const { return d_->phase != Private::Phase::Idle; }

void UserControl1::setDesignMode(bool on) { d_->designMode = on; }

bool UserControl1::designMode() const { return d_->designMode; }

void UserControl1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Shown by the host, not restored from a minimised window.
  if (!event->spontaneous() && !d_->designMode) d_->entry(" in control show routine", [this] { d_->showHandler(); });
}

}  // namespace veltaiq
