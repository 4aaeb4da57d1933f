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
#include <QTimer>
#include <QVBoxLayout>
#include <array>
#include <exception>
#include <new>

#include "base/EngineError.h"
#include "base/RuntimeFormat.h"
#include "base/Value.h"
#include "engine/EngineState.h"
#include "link/LineCodeMap.h"
#include "qt/HostWorkstation.h"
#include "order/OrderOptions.h"
#include "order/PurchaseOrderLoader.h"
#include "order/frmPoResponse.h"
#include "qt/ControlFailure.h"
#include "qt/Grid.h"
#include "qt/LabelArray.h"
#include "qt/Latin1.h"
#include "qt/NoticeRouting.h"
#include "qt/Presenter.h"
#include "qt/PropertyBag.h"
#include "qt/QtPresenter.h"
#include "qt/Socket.h"
#include "qt/ValueVariant.h"
#include "records/SiteOverrides.h"

namespace veltaorder {

namespace {

using velta::qt::fromLatin1;

const QString kLibrary = QStringLiteral("veltaorder");
const QString kErrorTitle = QStringLiteral("veltaorder Error");
constexpr int kTickMilliseconds = 100;
constexpr int kBusyLast = 98;  // the busy bar runs 1 to 98, then starts again

constexpr int kNotAvailable = 445;  // the object does not support this action (yet)

// Controls of this library alive now: the shared engine goes with the last.
int liveControls = 0;

using velta::qt::Failure;
using velta::qt::failureOf;

velta::EngineError notAvailable(const char* what) {
  return velta::EngineError(kNotAvailable, "veltaorder", std::string(what) + " is not available in this version");
}

}  // namespace

struct Q_DECL_HIDDEN UserControl1::Private : velta::PurchaseOrderView {
  explicit Private(UserControl1* control) : q(control) {}

  UserControl1* q;
  velta::qt::Presenter* presenter = nullptr;

  velta::Value poNumber{0};
  velta::Value poSuccess{0};
  std::unique_ptr<velta::LineCodeMap> lineCodes;
  std::string errText;
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
    errText = " Error " + std::to_string(failure.number) + "  " + failure.description + "\r\n" + suffix + "\r\n";
    showErrorBox(title);
  }
  void showErrorBox(const QString& title) {
    velta::qt::MessageBox box;
    box.text = fromLatin1(errText);
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

  // Nothing is loaded yet: nothing to send and nothing to ask about.
  cmdSubmit->setEnabled(false);
  cmdPOStat->setEnabled(false);
  layOut();
}

void UserControl1::Private::layOut() {
  QFont titleFont = Label1->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
  Label1->setFont(titleFont);
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
    errText = "Error in frmPO GetPO routine error # :  " + std::to_string(failure.number) + "  " + failure.description;
    showErrorBox(kErrorTitle);
  }
}

void UserControl1::Private::exitAction() {
  ws1->Close();
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
}

UserControl1::~UserControl1() {
  try {
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
  d_->entry(" in submitorder routine", [] { throw notAvailable("Sending an order"); });
}

void UserControl1::parseResponse(std::string& response, int32_t& totByte) {
  (void)response;
  (void)totByte;
  d_->entry(" in parseResponse routine", [] { throw notAvailable("Reading an order answer"); });
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
  d_->entry(" in poStatus routine", [] { throw notAvailable("Asking for an order's status"); });
}

void UserControl1::statusResponse(std::string& response, int32_t& totByte) {
  (void)response;
  (void)totByte;
  d_->entry(
      " in statusResponse routine", [] { throw notAvailable("Reading a status answer"); },
      QStringLiteral("veltaorder error"));
}

void UserControl1::SetGrid() {
  d_->entry(" in SetGrid routine", [] { throw notAvailable("The status grid"); });
}

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

QString UserControl1::errText() const { return fromLatin1(d_->errText); }

void UserControl1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Shown by the host, not restored from a minimised window.
  if (!event->spontaneous()) d_->entry(" in control show routine", [this] { d_->showHandler(); });
}

bool UserControl1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == d_->lblPO && event->type() == QEvent::MouseButtonDblClick) {
    d_->entry(" in lblPO_DblClick routine", [this] { d_->showBlankResponse(); });
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace veltaorder
