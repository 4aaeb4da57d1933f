#include "order/UserControl1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <exception>
#include <new>
#include <optional>

#include "base/EngineError.h"
#include "base/RuntimeFormat.h"
#include "base/TextUtilities.h"
#include "base/Value.h"
#include "engine/EngineState.h"
#include "link/AnswerFraming.h"
#include "link/ExchangeJournal.h"
#include "link/LineCodeMap.h"
#include "link/MessageFields.h"
#include "link/OrderAnswer.h"
#include "link/OrderRequest.h"
#include "link/StatusAnswer.h"
#include "link/StatusRequest.h"
#include "order/OrderOptions.h"
#include "order/PurchaseOrderLoader.h"
#include "order/frmPOStat.h"
#include "order/frmPoResponse.h"
#include "qt/ControlFailure.h"
#include "qt/FormParts.h"
#include "qt/FreedMemory.h"
#include "qt/Grid.h"
#include "qt/HostWorkstation.h"
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

namespace veltaorder {

namespace {

using velta::qt::fromLatin1;

const QString kLibrary = QStringLiteral("veltaorder");
const QString kErrorTitle = QStringLiteral("veltaorder Error");
constexpr int kTickMilliseconds = 100;
constexpr int kBusyLast = 98;  // the busy bar runs 1 to 98, then starts again

// Controls of this library alive now: the shared engine goes with the last.
int liveControls = 0;

using velta::qt::Failure;
using velta::qt::failureOf;

constexpr int kObjectNotSet = 91;

const char* const kSubmitSuffix = " in submitorder routine";
const char* const kStatusSuffix = " in poStatus routine";
const char* const kWs1ConnectSuffix = " in ws1_connect routine";
const char* const kWs2ConnectSuffix = " in ws2_connect routine";
const char* const kWs1ArrivalSuffix = " in ws1_DataArrival routine";
const char* const kWs2ArrivalSuffix = " in ws2_DataArrival routine";
const QString kStatusTitle = QStringLiteral("veltaorder error");

// The parsed copy of an answer holds every cell once more, each a string of
// its own: it goes before the answer's form is shown, which may stand for
// long, and after a large answer its pages go back to the system too.
template <typename Answer>
void dropParsed(Answer& answer, std::size_t answerBytes) {
  constexpr std::size_t kLargeAnswer = 1 << 20;
  answer = Answer();
  if (answerBytes >= kLargeAnswer) velta::qt::returnFreedMemory();
}

// "15", "0.3": seconds as a person writes them.
std::string secondsText(double seconds) { return QString::number(seconds).toStdString(); }

// A text typed or set by the host, as the bytes the message carries; a
// character without a Latin-1 byte would be sent as something else.
std::string requestText(const QString& text, const std::string& what) {
  if (!velta::qt::isLatin1(text)) throw velta::exchangeError("a character outside Latin-1 in " + what);
  return velta::qt::toLatin1(text);
}

}  // namespace

struct Q_DECL_HIDDEN UserControl1::Private : velta::PurchaseOrderView {
  explicit Private(UserControl1* control) : q(control) {}

  UserControl1* q;
  velta::qt::Presenter* presenter = nullptr;
  bool designMode = false;  // placed in a form designer: no show handler

  velta::Value poNumber{0};
  velta::Value poSuccess{0};
  std::unique_ptr<velta::LineCodeMap> lineCodes;
  QString errText;
  velta::DistributorConnection connection;
  // The exchanges' buffers, shared by the order and the status exchange.
  std::string outMessage, lengthLine, inBuffer;
  int32_t inExpected = 0;

  QTimer* Timer1 = nullptr;
  QPushButton* cmdPOStat = nullptr;
  velta::qt::Socket* ws2 = nullptr;
  QCheckBox* Check1 = nullptr;
  QComboBox* cmbBoShip = nullptr;
  QComboBox* cmbBOC = nullptr;
  QComboBox* cmbSM = nullptr;
  QDateEdit* dtpSD = nullptr;
  velta::qt::Socket* ws1 = nullptr;
  QCheckBox* chkDrop = nullptr;
  QPushButton* cmdSubmit = nullptr;
  QPushButton* cmdExit = nullptr;
  velta::qt::Grid* VSFlexGrid1 = nullptr;
  QProgressBar* pb1 = nullptr;
  QLabel* lblXmit = nullptr;
  QLabel* Label4 = nullptr;
  std::array<QLabel*, 10> Label2{};
  std::array<QLabel*, 9> lblPOHdr{};
  QLabel* lblPO = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label1 = nullptr;

  // The open exchange: one at a time, since both share the buffers above.
  enum class Exchange { None, Order, Status };
  enum class Phase { Connecting, Answering };
  Exchange open = Exchange::None;
  Phase phase = Phase::Connecting;
  velta::qt::Socket* active = nullptr;  // the open exchange's socket
  velta::AnswerFraming framing;
  std::string received;  // every byte of the answer, for the journal
  std::string host;
  int port = 0;
  bool sent = false;
  QTimer* deadline = nullptr;
  double connectSeconds = 15;
  double answerSeconds = 60;
  QString outcome = QStringLiteral("none");
  QString orderNumber;
  QString journalFolder;
  std::optional<velta::ExchangeJournal> journal;
  std::int64_t journalId = 0;
  // The status form while statusResponse fills it (SetGrid colours it).
  frmPOStat* statusForm = nullptr;

  velta::qt::Presenter& shower() const { return presenter ? *presenter : velta::qt::QtPresenter::instance(); }

  void buildForm();
  void layOut();

  // Runs one entry point of the control: the engine's notices go to this
  // control's presenter, and nothing that fails gets past it. A failure is
  // reported in the error box with the routine's suffix.
  template <typename Body>
  void entry(const char* suffix, Body body, const QString& title = kErrorTitle) {
    velta::qt::NoticeScope notices(shower(), q, kLibrary);
    try {
      body();
    } catch (...) {
      reportError(failureOf(std::current_exception()), suffix, title);
    }
  }

  // " Error " + number + "  " + description + CR LF + suffix + CR LF, kept and shown.
  void reportError(const Failure& failure, const char* suffix, const QString& title) {
    reportError(failure.number, fromLatin1(failure.description), suffix, title);
  }
  void reportError(int number, const QString& description, const char* suffix, const QString& title = kErrorTitle) {
    errText = QStringLiteral(" Error ") + QString::number(number) + QStringLiteral("  ") + description +
              QStringLiteral("\r\n") + QString::fromLatin1(suffix) + QStringLiteral("\r\n");
    showErrorBox(title);
  }
  void showErrorBox(const QString& title) {
    velta::qt::MessageBox box;
    box.text = errText;
    box.title = title;
    box.icon = velta::qt::MessageIcon::None;
    box.buttons = velta::qt::MessageButtons::Ok;
    box.systemModal = true;
    try {
      shower().showMessage(q, box);
    } catch (...) {
      // A presenter that fails leaves the error in errText; it must not reach Qt.
    }
  }

  void showHandler();
  void GetPO(const std::string& number);
  void exitAction();
  void tick();
  void showBlankResponse();

  // The exchanges.
  void busy(bool on);
  void refuseIfOpen(const char* what) const;
  void openJournal();
  void startExchange(Exchange kind, velta::qt::Socket* socket, const velta::OutgoingRequest& request,
                     velta::MessageSet set, int toPort);
  void onConnected(velta::qt::Socket* socket);
  void onDataArrival(velta::qt::Socket* socket);
  void onSocketError(velta::qt::Socket* socket, int number, const QString& description);
  void onClosed(velta::qt::Socket* socket);
  void onDeadline();
  // Ends the open exchange: deadline stopped, the socket's events ignored,
  // the journal told how it ended. The busy display is the caller's.
  void endExchange(velta::JournalOutcome how, bool abort);
  // No connection was made, so nothing went out: the button is usable again.
  void failNotSent(const QString& description);
  // The request went out and no complete answer came back.
  void failAfterSending(velta::JournalOutcome how, const QString& description);
  // An answer that cannot be read.
  void failMalformed(const Failure& failure);
  const char* arrivalSuffix() const { return open == Exchange::Status ? kWs2ArrivalSuffix : kWs1ArrivalSuffix; }
  // 0 or less: no deadline, as the host asked.
  void startDeadline(double seconds) {
    if (seconds > 0) deadline->start(static_cast<int>(seconds * 1000));
  }
  QString target() const { return fromLatin1(host) + QLatin1Char(':') + QString::number(port); }

  void parseOrderAnswer(const std::string& response);
  void parseStatusAnswer(const std::string& response);
  void showExceptionAnswer(const velta::ExceptionDetails& details, bool ours, velta::qt::Socket& socket);
  void fillException(velta::qt::frmException& form, const velta::ExceptionDetails& details);
  void colourGroupRows();

  void setSuccess(velta::Value value) {
    if (value == poSuccess) return;
    poSuccess = std::move(value);
    emit q->xPOSuccessChanged(velta::qt::toVariant(poSuccess));
  }

  // PurchaseOrderView: what loading shows.
  void clearRows() override { VSFlexGrid1->setRows(1); }
  void setRepaint(bool on) override { VSFlexGrid1->setRedraw(on); }
  void setActions(bool submitEnabled, bool statusEnabled) override {
    cmdSubmit->setEnabled(submitEnabled);
    cmdPOStat->setEnabled(statusEnabled);
  }
  void showHeader(int index, const std::string& text) override {
    lblPOHdr[static_cast<std::size_t>(index)]->setText(fromLatin1(text));
  }
  void showPorts(const std::string& text) override { Label4->setText(fromLatin1(text)); }
  void showDropShip(bool dropShip) override { chkDrop->setChecked(dropShip); }
  void addRow(const std::string& tabText) override { VSFlexGrid1->AddItem(fromLatin1(tabText)); }
};

void UserControl1::Private::buildForm() {
  using velta::qt::createLabel;
  Timer1 = new QTimer(q);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(kTickMilliseconds);
  cmdPOStat = new QPushButton(QStringLiteral("PO Status"), q);
  cmdPOStat->setObjectName(QStringLiteral("cmdPOStat"));
  ws2 = new velta::qt::Socket(q);
  ws2->setObjectName(QStringLiteral("ws2"));
  Check1 = new QCheckBox(QStringLiteral("Order for Resale"), q);
  Check1->setObjectName(QStringLiteral("Check1"));
  cmbBoShip = new QComboBox(q);
  cmbBoShip->setObjectName(QStringLiteral("cmbBoShip"));
  cmbBOC = new QComboBox(q);
  cmbBOC->setObjectName(QStringLiteral("cmbBOC"));
  cmbSM = new QComboBox(q);
  cmbSM->setObjectName(QStringLiteral("cmbSM"));
  dtpSD = new QDateEdit(q);
  dtpSD->setObjectName(QStringLiteral("dtpSD"));
  dtpSD->setCalendarPopup(true);
  ws1 = new velta::qt::Socket(q);
  ws1->setObjectName(QStringLiteral("ws1"));
  chkDrop = new QCheckBox(QStringLiteral("Drop Ship"), q);
  chkDrop->setObjectName(QStringLiteral("chkDrop"));
  cmdSubmit = new QPushButton(QStringLiteral("Submit Order"), q);
  cmdSubmit->setObjectName(QStringLiteral("cmdSubmit"));
  cmdExit = new QPushButton(QStringLiteral("Exit"), q);
  cmdExit->setObjectName(QStringLiteral("cmdExit"));
  VSFlexGrid1 = new velta::qt::Grid(q);
  VSFlexGrid1->setObjectName(QStringLiteral("VSFlexGrid1"));
  VSFlexGrid1->setColumnTitles({QStringLiteral("Item"), QStringLiteral("Line"), QStringLiteral("Part"),
                                QStringLiteral("Description"), QStringLiteral("Ordered"), QStringLiteral("Cost"),
                                QStringLiteral("Extended")});
  const int widths[] = {645, 960, 2895, 3900, 1695, 1695, 1695};
  for (int c = 0; c < 7; ++c) VSFlexGrid1->setColWidthTwips(c, widths[c]);
  pb1 = new QProgressBar(q);
  pb1->setObjectName(QStringLiteral("pb1"));
  pb1->setRange(0, 100);
  pb1->setValue(0);
  pb1->setTextVisible(false);
  lblXmit = createLabel(q, QStringLiteral("lblXmit"), QStringLiteral("Transmission in Process... Please Wait."));
  Label4 = createLabel(q, QStringLiteral("Label4"));
  const char* captions[] = {"Vendor",       "Date",          "Comments",    "Account",        "Total",
                            "IP Address",   "Req Ship Date", "Ship Method", "Backorder Code", "BO Ship method"};
  for (int i = 0; i < 10; ++i) {
    Label2[static_cast<std::size_t>(i)] = createLabel(q, QStringLiteral("Label2"), i, QString::fromLatin1(captions[i]));
  }
  for (int i = 0; i < 9; ++i) lblPOHdr[static_cast<std::size_t>(i)] = createLabel(q, QStringLiteral("lblPOHdr"), i);
  lblPO = createLabel(q, QStringLiteral("lblPO"), QStringLiteral("PO Number"));
  Label3 = createLabel(q, QStringLiteral("Label3"), QStringLiteral("Version xxx.xxx.xxxx"));
  Label1 = createLabel(q, QStringLiteral("Label1"), 1, QStringLiteral("  Velta Parts Order"));

  // Enter must never send an order: no button of the control is a default
  // one, not even when a host places the control on a dialog.
  for (QPushButton* button : {cmdSubmit, cmdPOStat, cmdExit}) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }

  // Nothing is loaded yet: nothing to send and nothing to ask about.
  cmdSubmit->setEnabled(false);
  cmdPOStat->setEnabled(false);
  layOut();
}

void UserControl1::Private::layOut() {
  velta::qt::makeTitle(Label1);
  QFont numberFont = lblPO->font();
  numberFont.setBold(true);
  lblPO->setFont(numberFont);
  for (QLabel* value : lblPOHdr) value->setFrameShape(QFrame::StyledPanel);
  lblPOHdr[1]->setMinimumWidth(160);
  lblXmit->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));

  auto* top = new QHBoxLayout;
  top->addWidget(Label1);
  top->addStretch(1);
  top->addWidget(lblPO);
  top->addStretch(1);
  top->addWidget(Label3);

  auto* header = new QGridLayout;
  header->addWidget(Label2[0], 0, 0);
  header->addWidget(lblPOHdr[0], 0, 1);
  header->addWidget(Label2[1], 0, 2);
  header->addWidget(lblPOHdr[1], 0, 3);
  header->addWidget(Label2[3], 1, 0);
  header->addWidget(lblPOHdr[2], 1, 1);
  header->addWidget(Label2[5], 1, 2);
  header->addWidget(lblPOHdr[8], 1, 3);
  header->addWidget(Label2[2], 2, 0, Qt::AlignTop);
  for (int i = 0; i < 4; ++i) header->addWidget(lblPOHdr[static_cast<std::size_t>(3 + i)], 2 + i, 1, 1, 3);
  header->addWidget(Label2[4], 6, 0);
  header->addWidget(lblPOHdr[7], 6, 1);
  header->addWidget(Label4, 6, 2, 1, 2);
  header->setColumnStretch(1, 2);
  header->setColumnStretch(3, 1);

  auto* options = new QGridLayout;
  options->addWidget(Label2[6], 0, 0);
  options->addWidget(dtpSD, 0, 1);
  options->addWidget(Label2[7], 0, 2);
  options->addWidget(cmbSM, 0, 3);
  options->addWidget(Check1, 0, 4);
  options->addWidget(Label2[8], 1, 0);
  options->addWidget(cmbBOC, 1, 1);
  options->addWidget(Label2[9], 1, 2);
  options->addWidget(cmbBoShip, 1, 3);
  options->addWidget(chkDrop, 1, 4);
  options->setColumnStretch(1, 1);
  options->setColumnStretch(3, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(lblXmit);
  bottom->addWidget(pb1, 1);
  bottom->addStretch(1);
  bottom->addWidget(cmdSubmit);
  bottom->addWidget(cmdPOStat);
  bottom->addWidget(cmdExit);

  auto* whole = new QVBoxLayout(q);
  whole->addLayout(top);
  whole->addLayout(header);
  whole->addLayout(options);
  whole->addWidget(VSFlexGrid1, 1);
  whole->addLayout(bottom);

  // Tab follows the form as it is read: the choices row by row, the lines, then the buttons.
  // (The grid's own view: Qt orders only widgets that take focus themselves.)
  QWidget* const tabOrder[] = {dtpSD,   cmbSM,     Check1,    cmbBOC,   cmbBoShip, chkDrop,
                               VSFlexGrid1->view(), cmdSubmit, cmdPOStat, cmdExit};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i) QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void UserControl1::Private::showHandler() {
  velta::openSite(velta::qt::hostOverrides());
  lineCodes = std::make_unique<velta::LineCodeMap>(velta::LineCodeMap::forOrderControl());
  Label3->setText(fromLatin1(velta::versionText(VELTA_VERSION_MAJOR, VELTA_VERSION_MINOR, VELTA_VERSION_PATCH)));
  const velta::Date today = velta::Now().date;
  dtpSD->setDate(QDate(velta::yearOf(today), velta::monthOf(today), velta::dayOf(today)));
  cmbSM->clear();
  cmbBOC->clear();
  cmbBoShip->clear();
  for (std::string_view entry : velta::kShipMethods) {
    cmbSM->addItem(fromLatin1(entry));
    cmbBoShip->addItem(fromLatin1(entry));
  }
  for (std::string_view entry : velta::kBackOrderCodes) cmbBOC->addItem(fromLatin1(entry));
  cmbSM->setCurrentIndex(0);
  cmbBOC->setCurrentIndex(0);
  cmbBoShip->setCurrentIndex(0);
  setSuccess(velta::Value(0));
  lblXmit->hide();
  pb1->hide();
  Timer1->stop();
}

void UserControl1::Private::GetPO(const std::string& number) {
  try {
    velta::PurchaseOrderLoader loader(velta::engineState().engine, *this, connection);
    const auto loaded = loader.load(number);
    if (loaded.opened) return;
    // Nothing to send from an order that is not there, and nobody to send it to.
    setRepaint(true);
    velta::clearConnection(*this, connection);
    velta::qt::MessageBox box;
    box.text = fromLatin1("Can not open PO file " + loaded.fileName);
    box.title = QStringLiteral("Attention");
    box.icon = velta::qt::MessageIcon::Critical;
    box.buttons = velta::qt::MessageButtons::Ok;
    shower().showMessage(q, box);
    emit q->controlShutdown();
  } catch (...) {
    // A frozen grid helps nobody, and a partial order must not be sent: the
    // rows stay to be seen, the way to the distributor goes.
    setRepaint(true);
    velta::clearConnection(*this, connection);
    const Failure failure = failureOf(std::current_exception());
    errText = fromLatin1("Error in frmPO GetPO routine error # :  " + std::to_string(failure.number) + "  " +
                         failure.description);
    showErrorBox(kErrorTitle);
  }
}

void UserControl1::Private::exitAction() {
  // The user leaves: nothing more of an open exchange is waited for or shown.
  if (open != Exchange::None) {
    outcome = sent ? QStringLiteral("unknown") : QStringLiteral("not-sent");
    endExchange(velta::JournalOutcome::Abandoned, true);
    busy(false);
  }
  deadline->stop();
  ws1->Close();
  ws2->Close();
  emit q->controlShutdown();
}

void UserControl1::Private::tick() {
  int value = pb1->value() + 1;
  if (value > kBusyLast) value = 1;
  pb1->setValue(value);
}

void UserControl1::Private::showBlankResponse() {
  frmPoResponse form(q);
  shower().showForm(q, form);
}

void UserControl1::Private::busy(bool on) {
  lblXmit->setVisible(on);
  pb1->setVisible(on);
  if (on) {
    Timer1->start();
  } else {
    Timer1->stop();
  }
}

void UserControl1::Private::refuseIfOpen(const char* what) const {
  // Both exchanges share the message and the receive buffers: a second one
  // would mix them, and could send a status request to the order port.
  if (open != Exchange::None) {
    throw velta::exchangeError(std::string(what) + " while an exchange with the distributor is open; wait for it or press Exit");
  }
}

void UserControl1::Private::openJournal() {
  journal.reset();
  if (journalFolder.isEmpty()) return;
  journal = velta::ExchangeJournal::open(journalFolder.toStdString());
}

void UserControl1::Private::startExchange(Exchange kind, velta::qt::Socket* socket,
                                          const velta::OutgoingRequest& request, velta::MessageSet set,
                                          int toPort) {
  outMessage = request.message;
  lengthLine = request.lengthLine;
  port = toPort;
  // A port beyond 16 bits would wrap around to some other service.
  if (port < 1 || port > 65535) {
    throw velta::exchangeError("the distributor's port " + std::to_string(port) + " is not a TCP port");
  }
  // A dealer who asked for a record of every order gets one, or no order.
  openJournal();
  if (journal) {
    journalId = journal->begin({host, port, set, velta::trimBlanks(poNumber.toText()), request.wireBytes()});
  }
  open = kind;
  phase = Phase::Connecting;
  active = socket;
  sent = false;
  received.clear();
  framing.reset();
  outcome = QStringLiteral("none");
  orderNumber.clear();
  socket->Connect(fromLatin1(host), static_cast<quint16>(port));
  startDeadline(connectSeconds);
}

void UserControl1::Private::endExchange(velta::JournalOutcome how, bool abort) {
  deadline->stop();
  velta::qt::Socket* socket = active;
  active = nullptr;
  open = Exchange::None;
  if (abort && socket) socket->Abort();
  if (journal) {
    try {
      journal->finish(journalId, how, received);
    } catch (...) {
      // The request is in the journal as pending, which tells the truth: the
      // outcome could not be added.
    }
    journal.reset();
  }
  emit q->transmissionEnded();
}

void UserControl1::Private::failNotSent(const QString& description) {
  const Exchange kind = open;
  outcome = QStringLiteral("not-sent");
  endExchange(velta::JournalOutcome::ConnectionFailed, true);
  busy(false);
  if (kind == Exchange::Status) {
    cmdPOStat->setEnabled(true);
  } else {
    cmdSubmit->setEnabled(true);
  }
  reportError(velta::err::ExchangeFailed, description, kind == Exchange::Status ? kStatusSuffix : kSubmitSuffix);
}

void UserControl1::Private::failAfterSending(velta::JournalOutcome how, const QString& description) {
  const Exchange kind = open;
  const char* suffix = arrivalSuffix();
  endExchange(how, true);
  busy(false);
  QString text = description;
  outcome = QStringLiteral("unknown");
  if (kind == Exchange::Order) {
    // The order may be at the distributor: sending it again could order twice.
    text += QStringLiteral("; the order may have reached the distributor \u2014 PO Status will tell");
    cmdSubmit->setEnabled(false);
  }
  cmdPOStat->setEnabled(true);
  reportError(velta::err::ExchangeFailed, text, suffix);
}

void UserControl1::Private::failMalformed(const Failure& failure) {
  const Exchange kind = open;
  const char* suffix = arrivalSuffix();
  outcome = QStringLiteral("malformed");
  endExchange(velta::JournalOutcome::Malformed, true);
  busy(false);
  if (kind == Exchange::Order) cmdSubmit->setEnabled(false);
  cmdPOStat->setEnabled(true);
  reportError(failure, suffix, kErrorTitle);
}

void UserControl1::Private::onConnected(velta::qt::Socket* socket) {
  // A connection that came after its deadline must not send what the user
  // was told had not been sent.
  if (socket != active || phase != Phase::Connecting) return;
  deadline->stop();
  inBuffer.clear();
  inExpected = 0;
  framing.reset();
  phase = Phase::Answering;
  sent = true;
  socket->SendData(lengthLine);
  socket->SendData(outMessage);
  startDeadline(answerSeconds);
}

void UserControl1::Private::onDataArrival(velta::qt::Socket* socket) {
  if (socket != active || phase != Phase::Answering) return;
  const std::string piece = socket->GetData();
  received += piece;
  std::optional<velta::FramedAnswer> answer;
  try {
    answer = framing.feed(piece);
    if (!answer && framing.overrun()) {
      throw velta::exchangeError("the answer is longer than the " + std::to_string(framing.expected()) +
                                 " bytes its length line announced");
    }
  } catch (...) {
    failMalformed(failureOf(std::current_exception()));
    return;
  }
  if (!answer) return;
  deadline->stop();
  inBuffer = answer->response;
  inExpected = answer->totByte;
  const Exchange kind = open;
  try {
    if (kind == Exchange::Order) {
      parseOrderAnswer(inBuffer);
    } else {
      parseStatusAnswer(inBuffer);
    }
  } catch (...) {
    // Nothing has been shown when the parsers refuse an answer.
    if (open == kind && active == socket) {
      failMalformed(failureOf(std::current_exception()));
    } else {
      throw;
    }
  }
}

void UserControl1::Private::onSocketError(velta::qt::Socket* socket, int number, const QString& description) {
  if (socket != active) return;
  if (phase == Phase::Connecting) {
    failNotSent(QStringLiteral("no connection to ") + target() + QStringLiteral(": ") + description +
                QStringLiteral(" (") + QString::number(number) + QLatin1Char(')'));
  } else {
    failAfterSending(velta::JournalOutcome::ClosedEarly,
                     QStringLiteral("the connection failed before the answer was complete: ") + description +
                         QStringLiteral(" (") + QString::number(number) + QLatin1Char(')'));
  }
}

void UserControl1::Private::onClosed(velta::qt::Socket* socket) {
  if (socket != active) return;
  if (phase == Phase::Connecting) {
    failNotSent(QStringLiteral("the connection to ") + target() + QStringLiteral(" closed before the request was sent"));
  } else {
    failAfterSending(velta::JournalOutcome::ClosedEarly,
                     QStringLiteral("the distributor closed the connection before the answer was complete"));
  }
}

void UserControl1::Private::onDeadline() {
  if (open == Exchange::None) return;
  if (phase == Phase::Connecting) {
    failNotSent(QStringLiteral("no connection to ") + target() + QStringLiteral(" within ") +
                QString::fromStdString(secondsText(connectSeconds)) + QStringLiteral(" s"));
  } else {
    failAfterSending(velta::JournalOutcome::TimedOut, QStringLiteral("no complete answer within ") +
                                                          QString::fromStdString(secondsText(answerSeconds)) +
                                                          QStringLiteral(" s"));
  }
}

void UserControl1::Private::fillException(velta::qt::frmException& form, const velta::ExceptionDetails& details) {
  for (int i = 0; i < 5; ++i) form.lblER(i)->setText(fromLatin1(details.lblER[static_cast<std::size_t>(i)]));
}

// An exception answer, to an order or a status request alike: the form, then
// the socket closed as after an acknowledgement, then controlShutdown.
void UserControl1::Private::showExceptionAnswer(const velta::ExceptionDetails& details, bool ours,
                                                velta::qt::Socket& socket) {
  setSuccess(velta::Value(0));
  velta::qt::frmException form(velta::qt::ExceptionWording::Order, q);
  fillException(form, details);
  if (ours) {
    outcome = QStringLiteral("exception");
    endExchange(velta::JournalOutcome::Exception, false);
  }
  busy(false);
  cmdSubmit->setEnabled(false);
  shower().showForm(q, form);
  socket.Close();
  emit q->controlShutdown();
}

void UserControl1::Private::parseOrderAnswer(const std::string& response) {
  velta::OrderAnswer answer = velta::parseOrderAnswer(response);
  const bool ours = open == Exchange::Order;
  if (answer.isException()) {
    showExceptionAnswer(answer.exception, ours, *ws1);
    return;
  }
  frmPoResponse form(q);
  for (int i = 0; i < 7; ++i) {
    form.lblSearch(i)->setText(fromLatin1(answer.acknowledgement.lblSearch[static_cast<std::size_t>(i)]));
  }
  velta::qt::Grid* grid = form.grdItem();
  grid->setRows(1);
  for (const velta::OrderAnswerRow& row : answer.acknowledgement.rows) {
    const std::string text = row.rowText();
    grid->AddItem(QLatin1String(text.data(), static_cast<qsizetype>(text.size())));
  }
  grid->AutoSize(0, grid->Cols() - 1);
  const QString acknowledgedNumber = fromLatin1(answer.lastOrderNumber());
  dropParsed(answer, response.size());
  busy(false);
  cmdSubmit->setEnabled(false);
  // Accepted is recorded before the form: the host may end while it is open.
  setSuccess(velta::Value(1));
  outcome = QStringLiteral("acknowledged");
  orderNumber = acknowledgedNumber;
  if (ours) endExchange(velta::JournalOutcome::Acknowledged, false);
  shower().showForm(q, form);
  exitAction();
}

void UserControl1::Private::colourGroupRows() {
  if (!statusForm) throw velta::EngineError(kObjectNotSet, "SetGrid", "Object variable or With block variable not set");
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
  const bool ours = open == Exchange::Status;
  if (answer.isException()) {
    showExceptionAnswer(answer.exception, ours, *ws2);
    return;
  }
  frmPOStat form(q);
  for (int i = 0; i < 7; ++i) {
    form.lblStatus(i)->setText(fromLatin1(answer.status.lblStatus[static_cast<std::size_t>(i)]));
  }
  velta::qt::Grid* grid = form.grdItem();
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
  busy(false);
  cmdPOStat->setEnabled(false);
  statusForm = &form;
  struct Forget {
    frmPOStat*& form;
    ~Forget() { form = nullptr; }
  } forget{statusForm};
  colourGroupRows();
  outcome = QStringLiteral("status-shown");
  if (ours) endExchange(velta::JournalOutcome::Answered, false);
  shower().showForm(q, form);
  statusForm = nullptr;
  setSuccess(velta::Value(0));
  exitAction();
}

UserControl1::UserControl1(QWidget* parent) : QWidget(parent), d_(std::make_unique<Private>(this)) {
  ++liveControls;
  d_->buildForm();
  d_->lblPO->installEventFilter(this);
  connect(d_->Timer1, &QTimer::timeout, this, [this] { d_->entry(" in Timer1_Timer routine", [this] { d_->tick(); }); });
  connect(d_->cmdExit, &QPushButton::clicked, this,
          [this] { d_->entry(" in cmdExit_Click routine", [this] { d_->exitAction(); }); });
  connect(d_->cmdSubmit, &QPushButton::clicked, this,
          [this] { d_->entry(" in cmdSubmit_Click routine", [this] { submitOrder(); }); });
  connect(d_->cmdPOStat, &QPushButton::clicked, this,
          [this] { d_->entry(" in cmdPOStat_Click routine", [this] { poStatus(); }); });
  d_->deadline = new QTimer(this);
  d_->deadline->setSingleShot(true);
  connect(d_->deadline, &QTimer::timeout, this, [this] { d_->entry(d_->arrivalSuffix(), [this] { d_->onDeadline(); }); });
  for (velta::qt::Socket* socket : {d_->ws1, d_->ws2}) {
    const bool order = socket == d_->ws1;
    connect(socket, &velta::qt::Socket::Connected, this, [this, socket, order] {
      d_->entry(order ? kWs1ConnectSuffix : kWs2ConnectSuffix, [&] {
        try {
          d_->onConnected(socket);
        } catch (...) {
          // A send that failed may have let part of the request out.
          if (socket == d_->active) {
            d_->failAfterSending(velta::JournalOutcome::ClosedEarly,
                                 fromLatin1(failureOf(std::current_exception()).description));
            return;
          }
          throw;
        }
      });
    });
    connect(socket, &velta::qt::Socket::DataArrival, this, [this, socket, order](qint64) {
      d_->entry(order ? kWs1ArrivalSuffix : kWs2ArrivalSuffix, [&] { d_->onDataArrival(socket); });
    });
    connect(socket, &velta::qt::Socket::Error, this, [this, socket, order](int number, const QString& description) {
      d_->entry(order ? kWs1ArrivalSuffix : kWs2ArrivalSuffix, [&] { d_->onSocketError(socket, number, description); });
    });
    connect(socket, &velta::qt::Socket::Closed, this, [this, socket, order] {
      d_->entry(order ? kWs1ArrivalSuffix : kWs2ArrivalSuffix, [&] { d_->onClosed(socket); });
    });
  }
}

UserControl1::~UserControl1() {
  try {
    // A host that ends with an exchange open: the journal says so.
    if (d_->open != Private::Exchange::None && d_->journal) {
      d_->journal->finish(d_->journalId, velta::JournalOutcome::Abandoned, d_->received);
    }
    d_->ws1->Abort();
    d_->ws2->Abort();
    d_->lineCodes.reset();
    if (--liveControls == 0) velta::engineState().engine.reset();
  } catch (...) {
    // Ending must not throw; what could not be released goes with the process.
  }
}

void UserControl1::setPO() {
  d_->entry(" in setPO routine", [this] {
    const std::string number = d_->poNumber.toText();
    d_->lblPO->setText(fromLatin1(number));
    d_->lblPO->repaint();
    d_->showHeader(velta::kDateHeader, velta::generalDate(velta::Now()));
    d_->GetPO(number);
  });
}

void UserControl1::submitOrder() {
  d_->entry(kSubmitSuffix, [this] {
    Private& d = *d_;
    d.refuseIfOpen("An order cannot be sent");
    d.cmdSubmit->setEnabled(false);
    d.busy(true);
    try {
      const velta::DateTime now = velta::Now();
      velta::OrderRequestInput input;
      input.moment = velta::requestMomentOf(now);
      input.today = now.date;
      // The packed field decodes with blanks after the address.
      d.host = velta::Trun(d.connection.hostAddress, 1);
      if (d.host.empty()) throw velta::exchangeError("no distributor host for this order");
      input.dealerAccount = d.connection.dealerAccount;
      input.poNumber = d.poNumber.toText();
      const QDate picked = d.dtpSD->date();
      input.requestedShipDate = velta::makeDate(picked.year(), picked.month(), picked.day()).value_or(velta::kNullDate);
      input.shipMethod = requestText(d.cmbSM->currentText().left(1), "the ship method");
      input.backOrderCode = requestText(d.cmbBOC->currentText().left(1), "the back-order code");
      input.backOrderShipMethod = requestText(d.cmbBoShip->currentText().left(1), "the back-order ship method");
      input.resale = d.Check1->isChecked();
      const velta::qt::Grid& grid = *d.VSFlexGrid1;
      for (int r = 1; r < grid.Rows(); ++r) {
        const std::string row = " of row " + std::to_string(r);
        input.lines.push_back({requestText(grid.TextMatrix(r, 1), "the line code" + row),
                               requestText(grid.TextMatrix(r, 2), "the part number" + row),
                               requestText(grid.TextMatrix(r, 4), "the quantity" + row)});
      }
      // The map comes with the show handler.
      if (!d.lineCodes) throw velta::EngineError(kObjectNotSet, "submitOrder", "Object variable or With block variable not set");
      const velta::OutgoingRequest request = velta::buildOrderRequest(input, *d.lineCodes);
      d.startExchange(Private::Exchange::Order, d.ws1, request, velta::MessageSet::Order850,
                      d.connection.orderPort);
    } catch (...) {
      // Nothing was sent: the user may correct and send again.
      if (d.open != Private::Exchange::None) d.endExchange(velta::JournalOutcome::ConnectionFailed, true);
      d.outcome = QStringLiteral("not-sent");
      d.busy(false);
      d.cmdSubmit->setEnabled(true);
      throw;
    }
  });
}

void UserControl1::parseResponse(std::string& response, int32_t& totByte) {
  (void)totByte;
  d_->entry(" in parseResponse routine", [&] { d_->parseOrderAnswer(response); });
}

QString UserControl1::getPOStatCode(const QVariant& xcode) {
  QString text;
  d_->entry(" in getPOStatCode routine", [&] {
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
  d_->poNumber = std::move(v);
  emit xPONumChanged(xPONum());
}

QVariant UserControl1::xPOSuccess() const { return velta::qt::toVariant(d_->poSuccess); }

void UserControl1::setXPOSuccess(const QVariant& value) { d_->setSuccess(velta::qt::toValue(value)); }

void UserControl1::poStatus() {
  d_->entry(kStatusSuffix, [this] {
    Private& d = *d_;
    d.refuseIfOpen("A status cannot be asked");
    d.cmdPOStat->setEnabled(false);
    d.busy(true);
    try {
      d.host = velta::Trun(d.connection.hostAddress, 1);
      if (d.host.empty()) throw velta::exchangeError("no distributor host for this order");
      const velta::OutgoingRequest request = velta::buildStatusRequest(
          {velta::requestMomentOf(velta::Now()), d.connection.dealerAccount, d.poNumber.toText()});
      d.startExchange(Private::Exchange::Status, d.ws2, request, velta::MessageSet::Status869,
                      d.connection.statusPort);
    } catch (...) {
      if (d.open != Private::Exchange::None) d.endExchange(velta::JournalOutcome::ConnectionFailed, true);
      d.outcome = QStringLiteral("not-sent");
      d.busy(false);
      d.cmdPOStat->setEnabled(true);
      throw;
    }
  });
}

void UserControl1::statusResponse(std::string& response, int32_t& totByte) {
  (void)totByte;
  d_->entry(" in statusResponse routine", [&] { d_->parseStatusAnswer(response); }, kStatusTitle);
}

void UserControl1::SetGrid() {
  d_->entry(" in SetGrid routine", [this] { d_->colourGroupRows(); });
}

double UserControl1::connectTimeout() const { return d_->connectSeconds; }
// A day at most: the timer counts milliseconds in an int.
constexpr double kLongestDeadline = 86400;

void UserControl1::setConnectTimeout(double seconds) { d_->connectSeconds = std::min(seconds, kLongestDeadline); }
double UserControl1::answerTimeout() const { return d_->answerSeconds; }
void UserControl1::setAnswerTimeout(double seconds) {
  d_->answerSeconds = std::min(seconds, kLongestDeadline);
}
QString UserControl1::lastOutcome() const { return d_->outcome; }
QString UserControl1::lastOrderNumber() const { return d_->orderNumber; }
QString UserControl1::journalFolder() const { return d_->journalFolder; }
void UserControl1::setJournalFolder(const QString& folder) { d_->journalFolder = folder; }
bool UserControl1::isTransmitting() const { return d_->open != Private::Exchange::None; }

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

void UserControl1::setPresenter(velta::qt::Presenter* presenter) { d_->presenter = presenter; }

QString UserControl1::errText() const { return d_->errText; }

void UserControl1::setDesignMode(bool on) { d_->designMode = on; }

bool UserControl1::designMode() const { return d_->designMode; }

void UserControl1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Shown by the host, not restored from a minimised window.
  if (!event->spontaneous() && !d_->designMode) d_->entry(" in control show routine", [this] { d_->showHandler(); });
}

bool UserControl1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == d_->lblPO && event->type() == QEvent::MouseButtonDblClick) {
    d_->entry(" in lblPO_DblClick routine", [this] { d_->showBlankResponse(); });
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace veltaorder
