#include "inquiry/UserControl1.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <exception>
#include <optional>

#include "base/Clock.h"
#include "base/EngineError.h"
#include "base/RuntimeFormat.h"
#include "base/Value.h"
#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"
#include "inquiry/InquiryForm.h"
#include "link/InquiryAnswer.h"
#include "link/InquiryRequest.h"
#include "link/LineCodeMap.h"
#include "link/MessageFields.h"
#include "link/RequestHeader.h"
#include "qt/ControlParts.h"
#include "qt/ExchangeTexts.h"
#include "qt/Grid.h"
#include "qt/HostWorkstation.h"
#include "qt/Latin1.h"
#include "qt/PropertyBag.h"
#include "qt/Socket.h"
#include "qt/ValueVariant.h"
#include "qt/frmException.h"
#include "records/SiteOverrides.h"
#include "records/VendorDistributorBlock.h"

namespace veltaiq {

namespace {

using velta::JournalOutcome;
using velta::qt::ExchangeEnding;
using velta::qt::ExchangeHandler;
using velta::qt::fromLatin1;

const QString kLibrary = QStringLiteral("veltaiq");
const QString kErrorTitle = QStringLiteral("veltaiq error");

constexpr const char* kLocatePart = " in locatePart routine";
constexpr const char* kConnect = " in ws1_connect routine";
constexpr const char* kDataArrival = " in ws1_Dataarrival routine";

constexpr int kLastResultColumn = 14;

// The property as the request and the grid take it: its text.
std::string propertyText(const QVariant& value) { return velta::qt::toValue(value).toText(); }

}  // namespace

struct Q_DECL_HIDDEN UserControl1::Private : velta::qt::ControlParts<InquiryForm> {
  explicit Private(UserControl1* control) : ControlParts(*control, kLibrary, kErrorTitle), q(control) {}

  UserControl1* q;

  QVariant part{0}, desc{0}, qty{0}, line{0}, vendor{0};

  std::shared_ptr<velta::cBusinessBasic> engine;
  std::unique_ptr<velta::LineCodeMap> lineCodes;
  // From the vendor record of vendorNumber, the vendor setSearch looked up.
  velta::DistributorBlock block;
  int32_t vendorNumber = 0;

  void showHandler();
  void search();
  void locate();
  void parse(const std::string& response);
  void exitAction();
  void onAnswered(const velta::FramedAnswer& answer);
  void onFailed(const ExchangeEnding& ending);

  std::string vendorText() const { return propertyText(vendor) + " - " + block.vendorName; }
  velta::InquiryRequestParts requestParts() const;
  void setProperty(QVariant& member, const QVariant& value, void (UserControl1::*changed)(const QVariant&)) {
    if (velta::qt::sameProperty(member, value)) return;
    member = value;
    emit(q->*changed)(member);
  }
};

void UserControl1::Private::showHandler() {
  std::string version = velta::versionText(VELTA_VERSION_MAJOR, VELTA_VERSION_MINOR, VELTA_VERSION_PATCH);
  version.erase(0, version.find_first_not_of(' '));
  form.lblVersion->setText(fromLatin1(version));
  velta::openSite(velta::qt::hostOverrides());
  engine = velta::engineState().engine;
  // An open exchange keeps its button disabled until it has ended.
  if (!exchange.isOpen()) form.CmdSearch->setEnabled(true);
  lineCodes = std::make_unique<velta::LineCodeMap>(velta::LineCodeMap::forInquiryControl());
}

void UserControl1::Private::search() {
  if (!engine) throw velta::EngineError::general(velta::err::ObjectNotSet, "setSearch");
  const int32_t number = velta::qt::toValue(vendor).toInt32("setSearch");
  vendorNumber = number;
  const std::optional<std::string> record = velta::findVendorRecord(*engine, number);
  if (!record) {
    // No inquiry may go out under an earlier vendor's account or address.
    block = velta::DistributorBlock{};
    velta::qt::MessageBox box;
    box.text = QStringLiteral("Can not find Vendor... aborting!");
    box.title = QStringLiteral("Error");
    box.icon = velta::qt::MessageIcon::Critical;
    box.buttons = velta::qt::MessageButtons::Ok;
    shell.show(box);
    emit q->controlShutdown();
    return;
  }
  block = velta::readDistributorBlock(*engine, *record);

  velta::qt::Grid& grdIQ = *form.grdIQ;
  grdIQ.setTextMatrix(1, 0, fromLatin1(propertyText(line)));
  grdIQ.setTextMatrix(1, 1, fromLatin1(propertyText(part)));
  grdIQ.setTextMatrix(1, 2, fromLatin1(propertyText(qty)));
  grdIQ.setTextMatrix(1, 3, fromLatin1(propertyText(desc)));

  form.lblSearch[3]->setText(fromLatin1(block.hostAddress));
  form.lblSearch[4]->setText(fromLatin1(velta::accountText(block.dealerAccount, block.subAccount)));
  form.lblSearch[0]->setText(fromLatin1(vendorText()));
  form.lblSearch[1]->setText(QString::number(block.inquiryPort));
}

velta::InquiryRequestParts UserControl1::Private::requestParts() const {
  // Text outside Latin-1 has no byte of its own in the request.
  auto latin1 = [](const QString& text, const char* field, int row) {
    if (!velta::qt::isLatin1(text)) {
      throw velta::exchangeError(std::string("a character outside Latin-1 in the ") + field + " of row " +
                                 std::to_string(row));
    }
    return velta::qt::toLatin1(text);
  };
  auto propertyLatin1 = [&](const QVariant& value, const char* field) {
    if (value.typeId() == QMetaType::QString) return latin1(value.toString(), field, 1);
    return propertyText(value);
  };
  const velta::qt::Grid& grdIQ = *form.grdIQ;
  velta::InquiryRequestParts parts;
  parts.dealerAccount = block.dealerAccount;
  parts.hostPart = {propertyLatin1(line, "line code"), propertyLatin1(part, "part number"),
                    propertyLatin1(qty, "quantity")};
  for (int row = 2; row <= InquiryForm::kEntryRows; ++row) {
    velta::InquiryPart typed{velta::qt::toLatin1(grdIQ.TextMatrix(row, 0)),
                             velta::qt::toLatin1(grdIQ.TextMatrix(row, 1)),
                             velta::qt::toLatin1(grdIQ.TextMatrix(row, 2))};
    if (velta::qualifies(typed)) {
      typed = {latin1(grdIQ.TextMatrix(row, 0), "line code", row), latin1(grdIQ.TextMatrix(row, 1), "part number", row),
               latin1(grdIQ.TextMatrix(row, 2), "quantity", row)};
    }
    parts.gridRows.push_back(std::move(typed));
  }
  return parts;
}

void UserControl1::Private::locate() {
  // One exchange at a time: its answer comes first.
  if (exchange.isOpen()) throw velta::exchangeError("an inquiry is already open; its answer comes first");
  if (!lineCodes) throw velta::EngineError::general(velta::err::ObjectNotSet, "locatePart");
  const std::string host = velta::qt::Exchange::hostOf(block.hostAddress);
  if (host.empty()) throw velta::exchangeError(velta::qt::noHostText(vendorNumber));
  // The inquiry has no port of its own to fall back on.
  if (block.inquiryPort == 0) {
    throw velta::exchangeError(velta::qt::badPortText({vendorNumber, host, 0}, velta::MessageSet::Inquiry846));
  }
  const std::string message =
      velta::inquiryRequest(requestParts(), velta::requestMomentOf(velta::Now()), *lineCodes);
  // An inquiry has no number of its own: the host's part names it.
  const std::string reference = velta::trimBlanks(propertyText(line)) + " " + velta::trimBlanks(propertyText(part));
  exchange.start(*form.ws1, block.hostAddress, block.inquiryPort,
                 {velta::MessageSet::Inquiry846, vendorNumber, reference, {velta::lengthLine(message), message}});
}

void UserControl1::Private::onAnswered(const velta::FramedAnswer& answer) {
  shell.entry(kDataArrival, [&] {
    std::string response = answer.response;
    int32_t totByte = answer.totByte;
    q->parseResponse(response, totByte);
    // An answer that failed to show in a way the parser did not foresee.
    exchange.finish(JournalOutcome::Malformed);
  });
}

void UserControl1::Private::onFailed(const ExchangeEnding& ending) {
  const char* suffix = ending.handler == ExchangeHandler::Start     ? kLocatePart
                       : ending.handler == ExchangeHandler::Connect ? kConnect
                                                                    : kDataArrival;
  // The exchange's own endings say what became of the inquiry and that searching again is safe.
  shell.report(ending.failure, suffix);
}

void UserControl1::Private::parse(const std::string& response) {
  velta::qt::Grid& grdItem = *form.grdItem;
  grdItem.setRows(1);
  const velta::InquiryAnswer answer = velta::parseInquiryAnswer(response);
  // The exchange is over, and the journal hears how, before anything is shown.
  exchange.finish(answer.malformed  ? JournalOutcome::Malformed
                  : answer.exception ? JournalOutcome::Exception
                                     : JournalOutcome::Answered);
  if (answer.malformed && answer.exception) throw *answer.malformed;
  if (answer.exception) {
    velta::qt::frmException shown(velta::qt::ExceptionWording::Inquiry, q);
    for (int i = 0; i < 5; ++i) shown.lblER(i)->setText(fromLatin1(answer.exceptionFields[static_cast<std::size_t>(i)]));
    shell.presenter().showForm(q, shown);
    emit q->controlShutdown();
    return;
  }
  // Cell by cell: a TAB inside a field stays in its cell.
  for (const velta::InquiryResultRow& row : answer.rows) {
    const int at = grdItem.Rows();
    grdItem.setRows(at + 1);
    for (int c = 0; c < velta::kResultColumns; ++c) {
      grdItem.setTextMatrix(at, c, fromLatin1(row[static_cast<std::size_t>(c)]));
    }
  }
  if (answer.malformed) throw *answer.malformed;
  grdItem.AutoSize(0, kLastResultColumn);
  // A new search needs the control shown again.
  form.CmdSearch->setEnabled(false);
}

void UserControl1::Private::exitAction() {
  exchange.abandon();
  form.ws1->Close();
  emit q->controlShutdown();
}

UserControl1::UserControl1(QWidget* parent) : QWidget(parent), d_(std::make_unique<Private>(this)) {
  d_->shell.setErrTextListener([this](const QString& text) { emit errTextChanged(text); });
  connect(d_->form.CmdSearch, &QPushButton::clicked, this, [this] { LocatePart(); });
  connect(d_->form.cmdExit, &QPushButton::clicked, this,
          [this] { d_->shell.entry(" in cmdExit_Click routine", [this] { d_->exitAction(); }); });
  connect(&d_->exchange, &velta::qt::Exchange::answered, this,
          [this](const velta::FramedAnswer& answer) { d_->onAnswered(answer); });
  connect(&d_->exchange, &velta::qt::Exchange::failed, this, [this](const ExchangeEnding& ending) {
    d_->shell.entry(kDataArrival, [&] { d_->onFailed(ending); });
  });
  connect(&d_->exchange, &velta::qt::Exchange::openChanged, this, [this](bool open) {
    // "Begin Search" waits for the open inquiry to end.
    d_->form.CmdSearch->setEnabled(!open);
    emit exchangeOpenChanged(open);
  });
}

// The parts go after what the control keeps: the line-code map, the engine,
// then an open inquiry (journaled as abandoned), then the hold on the shared engine.
UserControl1::~UserControl1() = default;

void UserControl1::setSearch() {
  d_->shell.entry(" in setSearch routine", [this] { d_->search(); });
}

void UserControl1::LocatePart() {
  d_->shell.entry(kLocatePart, [this] { d_->locate(); });
}

void UserControl1::parseResponse(std::string& response, int32_t& totByte) {
  (void)totByte;
  d_->shell.entry(" in parseResponse routine", [&] { d_->parse(response); });
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

double UserControl1::connectTimeout() const { return d_->exchange.connectSeconds(); }
void UserControl1::setConnectTimeout(double seconds) {
  if (d_->exchange.setConnectSeconds(seconds)) emit connectTimeoutChanged(connectTimeout());
}
double UserControl1::answerTimeout() const { return d_->exchange.answerSeconds(); }
void UserControl1::setAnswerTimeout(double seconds) {
  if (d_->exchange.setAnswerSeconds(seconds)) emit answerTimeoutChanged(answerTimeout());
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

void UserControl1::setPresenter(velta::qt::Presenter* presenter) { d_->shell.setPresenter(presenter); }

QString UserControl1::errText() const { return d_->shell.errText(); }

QString UserControl1::journalFolder() const { return d_->exchange.journalFolder(); }
void UserControl1::setJournalFolder(const QString& folder) {
  if (d_->exchange.setJournalFolder(folder)) emit journalFolderChanged(folder);
}

bool UserControl1::exchangeOpen() const { return d_->exchange.isOpen(); }
bool UserControl1::inquiryOpen() const { return exchangeOpen(); }

void UserControl1::setDesignMode(bool on) { d_->shell.setDesignMode(on); }

bool UserControl1::designMode() const { return d_->shell.designMode(); }

void UserControl1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (d_->shell.runsShowHandler(*event)) d_->shell.entry(" in control show routine", [this] { d_->showHandler(); });
}

}  // namespace veltaiq
