#include "order/UserControl1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QTimer>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

#include "base/EngineError.h"
#include "base/RuntimeFormat.h"
#include "base/Value.h"
#include "engine/EngineState.h"
#include "link/ExchangeJournal.h"
#include "link/LineCodeMap.h"
#include "link/MessageFields.h"
#include "link/OrderAnswer.h"
#include "link/OrderRequest.h"
#include "link/StatusAnswer.h"
#include "link/StatusRequest.h"
#include "order/OrderForm.h"
#include "order/OrderOutcome.h"
#include "order/OrderSendings.h"
#include "order/PurchaseOrderLoader.h"
#include "order/frmPOStat.h"
#include "order/frmPoResponse.h"
#include "qt/BusyCursor.h"
#include "qt/ControlParts.h"
#include "qt/ExchangeTexts.h"
#include "qt/FreedMemory.h"
#include "qt/Grid.h"
#include "qt/HostWorkstation.h"
#include "qt/Latin1.h"
#include "qt/PropertyBag.h"
#include "qt/Socket.h"
#include "qt/ValueVariant.h"
#include "qt/frmException.h"
#include "records/SiteOverrides.h"

namespace veltaorder {

namespace {

using velta::JournalOutcome;
using velta::qt::ExchangeEnding;
using velta::qt::ExchangeHandler;
using velta::qt::Failure;
using velta::qt::failureOf;
using velta::qt::fromLatin1;

const QString kLibrary = QStringLiteral("veltaorder");
const QString kErrorTitle = QStringLiteral("veltaorder Error");
const QString kStatusTitle = QStringLiteral("veltaorder error");

// The two exchanges of the control, one at a time: the order over ws1, the
// status request over ws2. Each reports in the routines of its own socket.
enum class Kind { Order, Status };

struct Routines {
  const char* start;
  const char* connect;
  const char* arrival;
  const char* answer;
  QString answerTitle;
};

const Routines kOrderRoutines{" in submitorder routine", " in ws1_connect routine", " in ws1_DataArrival routine",
                              " in ws1_DataArrival routine", kErrorTitle};
const Routines kStatusRoutines{" in poStatus routine", " in ws2_connect routine", " in ws2_DataArrival routine",
                               " in statusResponse routine", kStatusTitle};

// The parsed copy of an answer holds every cell once more, each a string of
// its own: it goes before the answer's form is shown, which may stand for
// long, and after a large answer its pages go back to the system too.
template <typename Answer>
void dropParsed(Answer& answer, std::size_t answerBytes) {
  constexpr std::size_t kLargeAnswer = 1 << 20;
  answer = Answer();
  if (answerBytes >= kLargeAnswer) velta::qt::returnFreedMemory();
}

// A text typed or set by the host, as the bytes the message carries; a
// character without a Latin-1 byte would be sent as something else.
std::string requestText(const QString& text, const std::string& what) {
  if (!velta::qt::isLatin1(text)) throw velta::exchangeError("a character outside Latin-1 in " + what);
  return velta::qt::toLatin1(text);
}

// The same for a cell of the order's grid, named only when it fails.
std::string requestCell(const velta::qt::Grid& grid, int row, int col, const char* what) {
  if (const std::optional<QLatin1String> bytes = grid.latin1Text(row, col)) {
    return std::string(bytes->data(), static_cast<std::size_t>(bytes->size()));
  }
  const QString text = grid.TextMatrix(row, col);
  if (!velta::qt::isLatin1(text)) {
    throw velta::exchangeError("a character outside Latin-1 in " + std::string(what) + " of row " +
                               std::to_string(row));
  }
  return velta::qt::toLatin1(text);
}

}  // namespace

struct Q_DECL_HIDDEN UserControl1::Private : velta::qt::ControlParts<OrderForm> {
  explicit Private(UserControl1* control) : ControlParts(*control, kLibrary, kErrorTitle), q(control) {}

  UserControl1* q;

  velta::Value poNumber{0};
  velta::Value poSuccess{0};
  std::unique_ptr<velta::LineCodeMap> lineCodes;
  velta::DistributorConnection connection;

  Kind kind = Kind::Order;  // of the open exchange, else of the last one
  velta::OrderOutcome outcome = velta::OrderOutcome::None;
  QString orderNumber;
  // The order exchanges of this control, and the sending of the loaded order
  // that may have left it with the distributor.
  std::vector<velta::OrderSending> sendings;
  std::optional<velta::OrderSending> sentBefore;
  // An acknowledgement form made while the distributor works on an order,
  // for its answer; it goes when the exchange ends any other way.
  std::unique_ptr<frmPoResponse> readyResponse;
  // The status form while statusResponse fills it (SetGrid colours it).
  frmPOStat* statusForm = nullptr;

  const Routines& routines() const { return kind == Kind::Status ? kStatusRoutines : kOrderRoutines; }

  void showHandler();
  void load();
  void GetPO(const std::string& number);
  void lookUpSentBefore();
  bool confirmResend();
  void exitAction();
  void showBlankResponse();

  void refuseIfOpen(const char* what) const;
  // Starts one exchange: the button disabled and the busy display on until it
  // ends; when it cannot start, nothing was sent and the button is usable again.
  void send(Kind k, QPushButton* button, const std::function<velta::qt::ExchangeRequest()>& build);
  void onAnswered(const velta::FramedAnswer& answer);
  void onFailed(const ExchangeEnding& ending);
  // The exchange ended as the answer says.
  void finishExchange(JournalOutcome how);
  void remember(JournalOutcome how);

  // The form made ready for the acknowledgement, else a new one.
  std::unique_ptr<frmPoResponse> responseForm();
  void parseOrderAnswer(const std::string& response);
  void parseStatusAnswer(const std::string& response);
  void showExceptionAnswer(const velta::ExceptionDetails& details, bool ours, velta::qt::Socket& socket);
  void colourGroupRows();

  // The last outcome, and the distributor's order number when one comes with it.
  void setOutcome(velta::OrderOutcome value) { setOutcome(value, orderNumber); }
  void setOutcome(velta::OrderOutcome value, const QString& number) {
    const bool outcomeChanged = value != outcome;
    const bool numberChanged = number != orderNumber;
    outcome = value;
    orderNumber = number;
    if (outcomeChanged) emit q->lastOutcomeChanged(q->lastOutcome());
    if (numberChanged) emit q->lastOrderNumberChanged(orderNumber);
  }

  void setSuccess(velta::Value value) {
    if (value == poSuccess) return;
    poSuccess = std::move(value);
    emit q->xPOSuccessChanged(velta::qt::toVariant(poSuccess));
  }
};

void UserControl1::Private::showHandler() {
  velta::openSite(velta::qt::hostOverrides());
  lineCodes = std::make_unique<velta::LineCodeMap>(velta::LineCodeMap::forOrderControl());
  form.Label3->setText(fromLatin1(velta::versionText(VELTA_VERSION_MAJOR, VELTA_VERSION_MINOR, VELTA_VERSION_PATCH)));
  const velta::Date today = velta::Now().date;
  form.dtpSD->setDate(QDate(velta::yearOf(today), velta::monthOf(today), velta::dayOf(today)));
  form.fillOptionLists();
  setSuccess(velta::Value(0));
  form.lblXmit->hide();
  form.pb1->hide();
  form.Timer1->stop();
}

void UserControl1::Private::load() {
  // An acknowledgement must never be recorded against another order's number.
  refuseIfOpen("A purchase order cannot be loaded");
  const std::string number = poNumber.toText();
  form.lblPO->setText(fromLatin1(number));
  form.lblPO->repaint();
  form.showHeader(velta::kDateHeader, velta::generalDate(velta::Now()));
  GetPO(number);
}

void UserControl1::Private::GetPO(const std::string& number) {
  sentBefore.reset();
  try {
    velta::PurchaseOrderLoader::Result loaded;
    {
      // A file server a wide-area link away may take a while; the boxes below come after it.
      const velta::qt::BusyCursor busy;
      velta::PurchaseOrderLoader loader(velta::engineState().engine, form, connection);
      loaded = loader.load(number);
    }
    if (loaded.opened) {
      lookUpSentBefore();
      return;
    }
    // Nothing to send from an order that is not there, and nobody to send it to.
    form.setRepaint(true);
    velta::clearConnection(form, connection);
    velta::qt::MessageBox box;
    box.text = fromLatin1("Can not open PO file " + loaded.fileName);
    box.title = QStringLiteral("Attention");
    box.icon = velta::qt::MessageIcon::Critical;
    box.buttons = velta::qt::MessageButtons::Ok;
    shell.show(box);
    emit q->controlShutdown();
  } catch (...) {
    // A frozen grid helps nobody, and a partial order must not be sent: the
    // rows stay to be seen, the way to the distributor goes.
    form.setRepaint(true);
    velta::clearConnection(form, connection);
    const Failure failure = failureOf(std::current_exception());
    shell.reportText(fromLatin1("Error in frmPO GetPO routine error # :  " + std::to_string(failure.number) + "  " +
                                failure.description),
                     fromLatin1(failure.detail));
  }
}

void UserControl1::Private::lookUpSentBefore() {
  const std::string host = velta::qt::Exchange::hostOf(connection.hostAddress);
  if (host.empty()) return;
  const std::string po = velta::trimBlanks(poNumber.toText());
  std::vector<velta::OrderSending> known;
  if (!exchange.journalFolder().isEmpty()) {
    try {
      velta::JournalFilter filter;
      filter.reference = po;
      known = velta::orderSendings(
          velta::ExchangeJournal::openExisting(exchange.journalFolder().toStdString()).list(filter));
    } catch (...) {
      // No journal yet, or one that cannot be read: what this control did itself still counts.
    }
  }
  known.insert(known.end(), sendings.begin(), sendings.end());
  sentBefore = velta::lastDelivery(known, po, host, connection.orderPort);
  // The distributor can say what became of it.
  if (sentBefore) form.cmdPOStat->setEnabled(true);
}

bool UserControl1::Private::confirmResend() {
  velta::qt::MessageBox box;
  box.text = fromLatin1(velta::resendQuestion(*sentBefore));
  box.title = kLibrary;
  box.icon = velta::qt::MessageIcon::Question;
  box.buttons = velta::qt::MessageButtons::YesNo;
  box.defaultButton = 1;  // No
  return shell.show(box) == velta::qt::MessageAnswer::Yes;
}

void UserControl1::Private::exitAction() {
  // The user leaves: nothing more of an open exchange is waited for or shown.
  if (exchange.isOpen()) {
    setOutcome(velta::orderOutcomeOf(JournalOutcome::Abandoned, exchange.sent()));
    remember(JournalOutcome::Abandoned);
    exchange.abandon();
    form.busy(false);
  }
  form.ws1->Close();
  form.ws2->Close();
  emit q->controlShutdown();
}

void UserControl1::Private::showBlankResponse() {
  frmPoResponse blank(q);
  shell.presenter().showForm(q, blank);
}

void UserControl1::Private::refuseIfOpen(const char* what) const {
  if (exchange.isOpen()) {
    throw velta::exchangeError(std::string(what) +
                               " while an exchange with the distributor is open; wait for it or press Exit");
  }
}

void UserControl1::Private::send(Kind k, QPushButton* button,
                                 const std::function<velta::qt::ExchangeRequest()>& build) {
  refuseIfOpen(k == Kind::Order ? "An order cannot be sent" : "A status cannot be asked");
  button->setEnabled(false);
  form.busy(true);
  try {
    if (velta::qt::Exchange::hostOf(connection.hostAddress).empty()) {
      throw velta::exchangeError(velta::qt::noHostText(connection.vendorNumber));
    }
    const velta::qt::ExchangeRequest request = build();
    kind = k;
    setOutcome(velta::OrderOutcome::None, QString());
    exchange.start(k == Kind::Order ? *form.ws1 : *form.ws2, connection.hostAddress,
                   k == Kind::Order ? connection.orderPort : connection.statusPort, request);
  } catch (...) {
    // Nothing was sent: the user may correct and send again.
    setOutcome(velta::OrderOutcome::NotSent);
    form.busy(false);
    button->setEnabled(true);
    throw;
  }
}

void UserControl1::Private::onAnswered(const velta::FramedAnswer& answer) {
  shell.entry(routines().arrival, [&] {
    try {
      if (kind == Kind::Order) {
        parseOrderAnswer(answer.response);
      } else {
        parseStatusAnswer(answer.response);
      }
    } catch (...) {
      // Nothing has been shown when the parsers refuse an answer.
      if (!exchange.isOpen()) throw;
      exchange.fail(failureOf(std::current_exception()));
    }
  });
}

void UserControl1::Private::onFailed(const ExchangeEnding& ending) {
  const Routines& r = routines();
  setOutcome(velta::orderOutcomeOf(ending.outcome, ending.sent));
  remember(ending.outcome);
  form.busy(false);
  if (!ending.sent) {
    (kind == Kind::Order ? form.cmdSubmit : form.cmdPOStat)->setEnabled(true);
  } else {
    // The order may be at the distributor: sending it again could order twice.
    if (kind == Kind::Order) form.cmdSubmit->setEnabled(false);
    form.cmdPOStat->setEnabled(true);
  }
  const char* suffix = ending.handler == ExchangeHandler::Start     ? r.start
                       : ending.handler == ExchangeHandler::Connect ? r.connect
                       : ending.handler == ExchangeHandler::Arrival ? r.arrival
                                                                    : r.answer;
  // The exchange's own endings say what became of the request and what to do next.
  shell.report(ending.failure, suffix, ending.handler == ExchangeHandler::Answer ? r.answerTitle : kErrorTitle);
}

void UserControl1::Private::finishExchange(JournalOutcome how) {
  exchange.finish(how);
  remember(how);
}

void UserControl1::Private::remember(JournalOutcome how) {
  if (kind != Kind::Order) return;
  sendings.push_back({velta::trimBlanks(poNumber.toText()), exchange.host(), exchange.port(), how,
                      exchange.began().local(), velta::qt::toLatin1(orderNumber)});
}

// An exception answer, to an order or a status request alike: the form, then
// the socket closed as after an acknowledgement, then controlShutdown.
void UserControl1::Private::showExceptionAnswer(const velta::ExceptionDetails& details, bool ours,
                                                velta::qt::Socket& socket) {
  setSuccess(velta::Value(0));
  velta::qt::frmException shown(velta::qt::ExceptionWording::Order, q);
  for (int i = 0; i < 5; ++i) shown.lblER(i)->setText(fromLatin1(details.lblER[static_cast<std::size_t>(i)]));
  if (ours) {
    setOutcome(velta::OrderOutcome::Exception);
    finishExchange(JournalOutcome::Exception);
  }
  form.busy(false);
  form.cmdSubmit->setEnabled(false);
  shell.presenter().showForm(q, shown);
  socket.Close();
  emit q->controlShutdown();
}

std::unique_ptr<frmPoResponse> UserControl1::Private::responseForm() {
  if (readyResponse) return std::move(readyResponse);
  return std::make_unique<frmPoResponse>(q);
}

void UserControl1::Private::parseOrderAnswer(const std::string& response) {
  velta::OrderAnswer answer = velta::parseOrderAnswer(response);
  const bool ours = exchange.isOpen() && kind == Kind::Order;
  if (answer.isException()) {
    showExceptionAnswer(answer.exception, ours, *form.ws1);
    return;
  }
  const std::unique_ptr<frmPoResponse> made = responseForm();
  frmPoResponse& shown = *made;
  for (int i = 0; i < 7; ++i) {
    shown.lblSearch(i)->setText(fromLatin1(answer.acknowledgement.lblSearch[static_cast<std::size_t>(i)]));
  }
  velta::qt::Grid* grid = shown.grdItem();
  grid->setRows(1);
  for (const velta::OrderAnswerRow& row : answer.acknowledgement.rows) {
    const std::string text = row.rowText();
    grid->AddItem(QLatin1String(text.data(), static_cast<qsizetype>(text.size())));
  }
  grid->AutoSize(0, grid->Cols() - 1);
  const QString acknowledgedNumber = fromLatin1(answer.lastOrderNumber());
  dropParsed(answer, response.size());
  form.busy(false);
  form.cmdSubmit->setEnabled(false);
  // Accepted is recorded before the form: the host may end while it is open.
  setSuccess(velta::Value(1));
  setOutcome(velta::OrderOutcome::Acknowledged, acknowledgedNumber);
  if (ours) finishExchange(JournalOutcome::Acknowledged);
  shell.presenter().showForm(q, shown);
  exitAction();
}

void UserControl1::Private::colourGroupRows() {
  if (!statusForm) throw velta::EngineError::general(velta::err::ObjectNotSet, "SetGrid");
  velta::qt::Grid* grid = statusForm->grdItem();
  const QColor back = velta::qt::fromBgr(velta::kGroupRowBackColour);
  for (int r = 1; r < grid->Rows(); ++r) {
    if (!grid->isSubtotal(r)) continue;
    for (int c = 0; c <= 8; ++c) {
      grid->setCellBackColor(r, c, back);
      grid->setCellFontBold(r, c, true);
    }
  }
}

void UserControl1::Private::parseStatusAnswer(const std::string& response) {
  velta::StatusAnswer answer = velta::parseStatusAnswer(response);
  const bool ours = exchange.isOpen() && kind == Kind::Status;
  if (answer.isException()) {
    showExceptionAnswer(answer.exception, ours, *form.ws2);
    return;
  }
  frmPOStat shown(q);
  for (int i = 0; i < 7; ++i) {
    shown.lblStatus(i)->setText(fromLatin1(answer.status.lblStatus[static_cast<std::size_t>(i)]));
  }
  velta::qt::Grid* grid = shown.grdItem();
  grid->setRows(1);
  int shipmentRows = 0;
  for (const velta::StatusRow& row : answer.status.rows) {
    const std::string text = row.rowText();
    grid->AddItem(QLatin1String(text.data(), static_cast<qsizetype>(text.size())));
    const int last = grid->Rows() - 1;
    grid->setIsSubtotal(last, row.group);
    grid->setRowOutlineLevel(last, row.outlineLevel);
    if (row.group) {
      grid->AutoSize(0, 4);
    } else if (++shipmentRows % 3 == 0) {
      grid->AutoSize(0, 3);
    }
  }
  dropParsed(answer, response.size());
  form.busy(false);
  form.cmdPOStat->setEnabled(false);
  statusForm = &shown;
  struct Forget {
    frmPOStat*& form;
    ~Forget() { form = nullptr; }
  } forget{statusForm};
  colourGroupRows();
  setOutcome(velta::OrderOutcome::StatusShown);
  if (ours) finishExchange(JournalOutcome::Answered);
  shell.presenter().showForm(q, shown);
  statusForm = nullptr;
  setSuccess(velta::Value(0));
  exitAction();
}

UserControl1::UserControl1(QWidget* parent) : QWidget(parent), d_(std::make_unique<Private>(this)) {
  d_->shell.setErrTextListener([this](const QString& text) { emit errTextChanged(text); });
  OrderForm& form = d_->form;
  form.lblPO->installEventFilter(this);
  connect(form.Timer1, &QTimer::timeout, this,
          [this] { d_->shell.entry(" in Timer1_Timer routine", [this] { d_->form.tick(); }); });
  connect(form.cmdExit, &QPushButton::clicked, this,
          [this] { d_->shell.entry(" in cmdExit_Click routine", [this] { d_->exitAction(); }); });
  connect(form.cmdSubmit, &QPushButton::clicked, this,
          [this] { d_->shell.entry(" in cmdSubmit_Click routine", [this] { submitOrder(); }); });
  connect(form.cmdPOStat, &QPushButton::clicked, this,
          [this] { d_->shell.entry(" in cmdPOStat_Click routine", [this] { poStatus(); }); });
  connect(&d_->exchange, &velta::qt::Exchange::answered, this,
          [this](const velta::FramedAnswer& answer) { d_->onAnswered(answer); });
  connect(&d_->exchange, &velta::qt::Exchange::requestSent, this, [this] {
    // The acknowledgement's form costs about as much as reading a long answer:
    // made now, it is ready when the answer comes.
    if (d_->kind != Kind::Order || d_->readyResponse) return;
    d_->readyResponse = std::make_unique<frmPoResponse>(this);
    d_->readyResponse->grdItem()->measureTitles();
  });
  connect(&d_->exchange, &velta::qt::Exchange::failed, this, [this](const ExchangeEnding& ending) {
    d_->shell.entry(d_->routines().arrival, [&] { d_->onFailed(ending); });
  });
  connect(&d_->exchange, &velta::qt::Exchange::openChanged, this, [this](bool open) {
    if (!open) d_->readyResponse.reset();
    emit exchangeOpenChanged(open);
    if (!open) emit transmissionEnded();
  });
}

// The parts go after what the control keeps: the line-code map, then an open
// exchange (journaled as abandoned), then the hold on the shared engine.
UserControl1::~UserControl1() = default;

void UserControl1::setPO() {
  d_->shell.entry(" in setPO routine", [this] { d_->load(); });
}

void UserControl1::submitOrder() {
  d_->shell.entry(kOrderRoutines.start, [this] {
    Private& d = *d_;
    d.refuseIfOpen("An order cannot be sent");
    // An order that may be at the distributor already goes again only when the user says so.
    if (d.sentBefore && !d.confirmResend()) return;
    d.send(Kind::Order, d.form.cmdSubmit, [&d] {
      const velta::DateTime now = velta::Now();
      velta::OrderRequestInput input;
      input.moment = velta::requestMomentOf(now);
      input.today = now.date;
      input.dealerAccount = d.connection.dealerAccount;
      input.poNumber = d.poNumber.toText();
      const QDate picked = d.form.dtpSD->date();
      input.requestedShipDate = velta::makeDate(picked.year(), picked.month(), picked.day()).value_or(velta::kNullDate);
      input.shipMethod = requestText(d.form.cmbSM->currentText().left(1), "the ship method");
      input.backOrderCode = requestText(d.form.cmbBOC->currentText().left(1), "the back-order code");
      input.backOrderShipMethod = requestText(d.form.cmbBoShip->currentText().left(1), "the back-order ship method");
      input.resale = d.form.Check1->isChecked();
      const velta::qt::Grid& grid = *d.form.VSFlexGrid1;
      input.lines.reserve(static_cast<std::size_t>(grid.Rows()));
      for (int r = 1; r < grid.Rows(); ++r) {
        input.lines.push_back({requestCell(grid, r, 1, "the line code"), requestCell(grid, r, 2, "the part number"),
                               requestCell(grid, r, 4, "the quantity")});
      }
      // The map comes with the show handler.
      if (!d.lineCodes) throw velta::EngineError::general(velta::err::ObjectNotSet, "submitOrder");
      return velta::qt::ExchangeRequest{velta::MessageSet::Order850, d.connection.vendorNumber,
                                        velta::trimBlanks(input.poNumber),
                                        velta::buildOrderRequest(input, *d.lineCodes)};
    });
  });
}

void UserControl1::parseResponse(std::string& response, int32_t& totByte) {
  (void)totByte;
  d_->shell.entry(" in parseResponse routine", [&] { d_->parseOrderAnswer(response); });
}

QString UserControl1::getPOStatCode(const QVariant& xcode) {
  QString text;
  d_->shell.entry(" in getPOStatCode routine", [&] {
    const double code = velta::qt::toValue(xcode).toDouble("getPOStatCode");
    if (code == 1030) {
      text = QStringLiteral("Credit limit exceeded");
    } else if (code == 1040) {
      text = QStringLiteral("Account is on hold");
    }
  });
  return text;
}

QVariant UserControl1::xPONum() const { return velta::qt::toVariant(d_->poNumber); }

void UserControl1::setXPONum(const QVariant& value) {
  velta::Value v = velta::qt::toValue(value);
  if (v == d_->poNumber) return;
  d_->shell.entry(" in xPONum routine", [&] {
    d_->refuseIfOpen("The purchase-order number cannot be changed");
    d_->poNumber = std::move(v);
    emit xPONumChanged(xPONum());
  });
}

QVariant UserControl1::xPOSuccess() const { return velta::qt::toVariant(d_->poSuccess); }

void UserControl1::setXPOSuccess(const QVariant& value) { d_->setSuccess(velta::qt::toValue(value)); }

void UserControl1::poStatus() {
  d_->shell.entry(kStatusRoutines.start, [this] {
    Private& d = *d_;
    d.send(Kind::Status, d.form.cmdPOStat, [&d] {
      const std::string number = d.poNumber.toText();
      return velta::qt::ExchangeRequest{
          velta::MessageSet::Status869, d.connection.vendorNumber, velta::trimBlanks(number),
          velta::buildStatusRequest({velta::requestMomentOf(velta::Now()), d.connection.dealerAccount, number})};
    });
  });
}

void UserControl1::statusResponse(std::string& response, int32_t& totByte) {
  (void)totByte;
  d_->shell.entry(kStatusRoutines.answer, [&] { d_->parseStatusAnswer(response); }, kStatusTitle);
}

void UserControl1::SetGrid() {
  d_->shell.entry(" in SetGrid routine", [this] { d_->colourGroupRows(); });
}

double UserControl1::connectTimeout() const { return d_->exchange.connectSeconds(); }

void UserControl1::setConnectTimeout(double seconds) {
  if (d_->exchange.setConnectSeconds(seconds)) emit connectTimeoutChanged(connectTimeout());
}

double UserControl1::answerTimeout() const { return d_->exchange.answerSeconds(); }

void UserControl1::setAnswerTimeout(double seconds) {
  if (d_->exchange.setAnswerSeconds(seconds)) emit answerTimeoutChanged(answerTimeout());
}

QString UserControl1::lastOutcome() const { return QString::fromLatin1(velta::orderOutcomeText(d_->outcome)); }
QString UserControl1::lastOrderNumber() const { return d_->orderNumber; }
QString UserControl1::journalFolder() const { return d_->exchange.journalFolder(); }
void UserControl1::setJournalFolder(const QString& folder) {
  if (d_->exchange.setJournalFolder(folder)) emit journalFolderChanged(folder);
}
bool UserControl1::exchangeOpen() const { return d_->exchange.isOpen(); }
bool UserControl1::isTransmitting() const { return exchangeOpen(); }

void UserControl1::initProperties() {
  setXPONum(0);
  setXPOSuccess(0);
}

void UserControl1::readProperties(velta::qt::PropertyBag& bag) {
  setXPONum(bag.readProperty(QStringLiteral("xPONum"), 0));
  setXPOSuccess(bag.readProperty(QStringLiteral("xPOSuccess"), 0));
}

void UserControl1::writeProperties(velta::qt::PropertyBag& bag) const {
  bag.writeProperty(QStringLiteral("xPONum"), xPONum(), 0);
  bag.writeProperty(QStringLiteral("xPOSuccess"), xPOSuccess(), 0);
}

void UserControl1::setPresenter(velta::qt::Presenter* presenter) { d_->shell.setPresenter(presenter); }

QString UserControl1::errText() const { return d_->shell.errText(); }

void UserControl1::setDesignMode(bool on) { d_->shell.setDesignMode(on); }

bool UserControl1::designMode() const { return d_->shell.designMode(); }

void UserControl1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (d_->shell.runsShowHandler(*event)) d_->shell.entry(" in control show routine", [this] { d_->showHandler(); });
}

bool UserControl1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == d_->form.lblPO && event->type() == QEvent::MouseButtonDblClick) {
    d_->shell.entry(" in lblPO_DblClick routine", [this] { d_->showBlankResponse(); });
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace veltaorder
